#include "BackupList.h"

#include "ChannelDataFile.h"
#include "FeatureCodecs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace orx {

namespace {

constexpr const char* kTimeFormat = "yyyy-MM-dd_HH-mm-ss";

} // namespace

std::optional<BackupEntry> ParseBackupName(const QString& name)
{
    // time _ kind (words joined by '-') _ band, then "-N" for the N-th backup of one second.
    static const QRegularExpression re(QStringLiteral(
        "^(\\d{4}-\\d{2}-\\d{2}_\\d{2}-\\d{2}-\\d{2})_([a-z]+(?:-[a-z]+)*)_([^/]+?)(?:-(\\d+))?\\.sin$"));
    const QRegularExpressionMatch m = re.match(name);
    if (!m.hasMatch())
        return std::nullopt;
    BackupEntry e;
    e.when = QDateTime::fromString(m.captured(1), QString::fromLatin1(kTimeFormat));
    if (!e.when.isValid())
        return std::nullopt;
    e.kind = m.captured(2);
    e.band = m.captured(3);
    if (m.hasCaptured(4))
        e.sequence = m.captured(4).toInt();
    return e;
}

QList<BackupEntry> ListBackups(const QString& folder)
{
    QList<BackupEntry> found;
    const QDir dir(folder);
    for (const QFileInfo& info : dir.entryInfoList({QStringLiteral("*.sin")}, QDir::Files)) {
        std::optional<BackupEntry> e = ParseBackupName(info.fileName());
        if (!e)
            continue;
        e->path = info.absoluteFilePath();
        e->size = info.size();
        RadioImage image;
        if (LoadChannelData(QFile::encodeName(e->path).toStdString(), image) == LoadResult::Ok &&
            HoldsSerialNumber(image))
            e->serialNumber = QString::fromStdString(DecodeSerialNumber(image));
        found << *e;
    }
    std::sort(found.begin(), found.end(), [](const BackupEntry& a, const BackupEntry& b) {
        if (a.when != b.when)
            return a.when > b.when;
        if (a.sequence != b.sequence)
            return a.sequence > b.sequence;
        return a.path > b.path; // a write in the second of its before-write backup comes first
    });
    return found;
}

} // namespace orx
