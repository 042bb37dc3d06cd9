#pragma once

// The automatic backups of the radio link: every successful read keeps what the radio held, every
// write what the radio held before it ("before-write") and the image it sent, as .sin files in the
// user's data folder. They hold the radio's password: the folder is 0700 and the files 0600,
// whatever the umask. Names carry the date, the time,
// the direction and the band, so the folder sorts by time and the file dialog tells them apart.
// Backups older than a year are removed; nothing else in the folder is ever touched.

#include "RadioImage.h"

#include <QDateTime>
#include <QString>

namespace orx {

enum class BackupKind { Read, Write, BeforeWrite };

inline constexpr int kBackupKeepDays = 365;

// <data folder of the program>/backups, for example ~/.local/share/orxprog/backups.
QString BackupFolder();

// "2024-05-01_14-03-22_read_136-174MHz.sin"; the band part is "unknown-band" when the band bytes
// are erased. A second backup in the same second gets "-2", "-3" ... before the extension.
QString BackupFileName(BackupKind kind, const RadioImage& image, const QDateTime& when);

// The kind's word in a backup's name: "read", "write", "before-write".
QString BackupKindToken(BackupKind kind);

// Creates the folder (and its parents) if need be, private to the user: a folder that exists with
// wider modes is narrowed to 0700, and the backups and logs in it to 0600. False with the reason
// in error when the folder cannot be made.
bool MakePrivateFolder(const QString& folder, QString* error = nullptr);
// Makes a file of the folder readable and writable by the user alone.
bool MakePrivateFile(const QString& path);

// Writes the backup into folder (created if need be) and prunes the old ones there. Returns the
// file's path, or an empty string with the reason in error.
QString SaveBackup(const QString& folder, BackupKind kind, const RadioImage& image,
                   const QDateTime& when = QDateTime::currentDateTime(), QString* error = nullptr);

// Removes the backups whose name dates them more than kBackupKeepDays before now. Files not named
// like a backup stay. Returns how many were removed.
int PruneBackups(const QString& folder, const QDateTime& now = QDateTime::currentDateTime());

} // namespace orx
