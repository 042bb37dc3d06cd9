#include "Backups.h"

#include "Band.h"
#include "ChannelDataFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>

namespace orx {

namespace {

constexpr const char* kTimeFormat = "yyyy-MM-dd_HH-mm-ss";

const QRegularExpression& backupName()
{
    static const QRegularExpression re(QStringLiteral(
        "^(\\d{4}-\\d{2}-\\d{2}_\\d{2}-\\d{2}-\\d{2})_(read|write|before-write)_[^/]*\\.sin$"));
    return re;
}

} // namespace

QString BackupFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/backups");
}

QString BackupKindToken(BackupKind kind)
{
    switch (kind) {
    case BackupKind::Read:
        return QStringLiteral("read");
    case BackupKind::Write:
        return QStringLiteral("write");
    case BackupKind::BeforeWrite:
        return QStringLiteral("before-write");
    }
    return QStringLiteral("write");
}

QString BackupFileName(BackupKind kind, const RadioImage& image, const QDateTime& when)
{
    const std::optional<BandEdges> band = DecodeBandId(image);
    const QString bandText = band ? QString::fromStdString(BandText(*band)) : QStringLiteral("unknown-band");
    return QStringLiteral("%1_%2_%3.sin")
        .arg(when.toString(QString::fromLatin1(kTimeFormat)), BackupKindToken(kind), bandText);
}

bool MakePrivateFile(const QString& path)
{
    return QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

bool MakePrivateFolder(const QString& folder, QString* error)
{
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("%1: cannot create the folder").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    constexpr QFileDevice::Permissions kOthers = QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                 QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                                 QFileDevice::WriteOther | QFileDevice::ExeOther;
    if ((QFile::permissions(folder) & kOthers) == 0)
        return true;
    // A folder from an earlier version, or made under a loose umask: the backups hold passwords.
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QDir dir(folder);
    for (const QString& name :
         dir.entryList({QStringLiteral("*.sin"), QStringLiteral("*.csv")}, QDir::Files | QDir::Hidden))
        MakePrivateFile(dir.filePath(name));
    return true;
}

QString SaveBackup(const QString& folder, BackupKind kind, const RadioImage& image, const QDateTime& when,
                   QString* error)
{
    if (!MakePrivateFolder(folder, error))
        return {};
    const QString name = BackupFileName(kind, image, when);
    QString path = QDir(folder).filePath(name);
    for (int n = 2; QFile::exists(path); ++n)
        path = QDir(folder).filePath(name.chopped(4) + QStringLiteral("-%1.sin").arg(n));
    std::string why;
    if (!SaveChannelData(QFile::encodeName(path).toStdString(), image, &why)) {
        if (error)
            *error =
                QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), QString::fromStdString(why));
        return {};
    }
    MakePrivateFile(path);
    PruneBackups(folder, when);
    return path;
}

int PruneBackups(const QString& folder, const QDateTime& now)
{
    const QDateTime limit = now.addDays(-kBackupKeepDays);
    int removed = 0;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.sin")}, QDir::Files)) {
        const QRegularExpressionMatch m = backupName().match(name);
        if (!m.hasMatch())
            continue;
        const QDateTime made = QDateTime::fromString(m.captured(1), QString::fromLatin1(kTimeFormat));
        if (made.isValid() && made < limit && QFile::remove(dir.filePath(name)))
            ++removed;
    }
    return removed;
}

} // namespace orx
