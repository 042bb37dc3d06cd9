#pragma once

// The record of a batch of radios, a CSV file beside the backups: one line per radio, written as
// soon as the radio is done, so that a batch cut short keeps its lines. Private to the user (0600),
// as the backups are.

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace orx {

class BatchLog {
public:
    // "2024-05-01_14-03-22_batch.csv" in folder, with the header line. False with the reason in
    // error when the file cannot be made.
    bool create(const QString& folder, const QStringList& header,
                const QDateTime& when = QDateTime::currentDateTime(), QString* error = nullptr);
    bool append(const QStringList& fields);
    const QString& path() const { return m_path; }

    // One CSV line (quoted where needed), ended with CRLF.
    static QByteArray Line(const QStringList& fields);

private:
    QString m_path;
};

} // namespace orx
