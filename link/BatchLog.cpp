#include "BatchLog.h"

#include "Backups.h"

#include <QDir>
#include <QFile>

namespace orx {

QByteArray BatchLog::Line(const QStringList& fields)
{
    QStringList quoted;
    for (QString f : fields) {
        if (f.contains(QLatin1Char(',')) || f.contains(QLatin1Char('"')) || f.contains(QLatin1Char('\n')) ||
            f.contains(QLatin1Char('\r'))) {
            f.replace(QLatin1String("\""), QLatin1String("\"\""));
            f = QLatin1Char('"') + f + QLatin1Char('"');
        }
        quoted << f;
    }
    return quoted.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

bool BatchLog::create(const QString& folder, const QStringList& header, const QDateTime& when, QString* error)
{
    if (!MakePrivateFolder(folder, error))
        return false;
    const QString name = when.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")) + QStringLiteral("_batch");
    QString path = QDir(folder).filePath(name + QStringLiteral(".csv"));
    for (int n = 2; QFile::exists(path); ++n)
        path = QDir(folder).filePath(name + QStringLiteral("-%1.csv").arg(n));
    QFile file(path);
    // Created private: the log names the radios' serial numbers and the backups.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                   QFileDevice::ReadOwner | QFileDevice::WriteOwner) ||
        file.write(Line(header)) < 0) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    m_path = path;
    return true;
}

bool BatchLog::append(const QStringList& fields)
{
    if (m_path.isEmpty())
        return false;
    QFile file(m_path);
    return file.open(QIODevice::Append) && file.write(Line(fields)) >= 0;
}

} // namespace orx
