#pragma once

// The backups folder as a list: each backup file with the date, time, kind and band its name gives,
// the serial number the image holds, if any, and its size. Only files named like a backup count;
// the kind is taken as the name spells it ("read", "write", "before-write", ...), so a kind added
// later is listed too.

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace orx {

struct BackupEntry {
    QString path;
    QDateTime when;
    QString kind;         // the word of the name: "read", "write", "before-write"
    QString band;         // "136-174MHz", "unknown-band"
    QString serialNumber; // empty when the file holds channel 63 instead
    qint64 size = 0;
    int sequence = 1; // N of a name that ends in "-N": the N-th backup of that second
};

// The parts of a backup's file name ("2024-05-01_14-03-22_read_136-174MHz.sin", "..-2.sin" for a
// second one in the same second); nothing when the name is not a backup's. path, serialNumber and
// size stay empty.
std::optional<BackupEntry> ParseBackupName(const QString& name);

// The backups in folder, newest first; backups of the same second in the order they were made.
QList<BackupEntry> ListBackups(const QString& folder);

} // namespace orx
