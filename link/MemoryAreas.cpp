#include "MemoryAreas.h"

#include "ChannelCodec.h"
#include "MemoryMap.h"
#include "Texts.h"
#include "Tr.h"

#include <array>

namespace orx {

namespace {

bool bytesDiffer(const RadioImage& a, const RadioImage& b, std::size_t offset, std::size_t length)
{
    for (std::size_t i = offset; i < offset + length; ++i) {
        if (a.at(i) != b.at(i))
            return true;
    }
    return false;
}

// The settings block 0x800-0x84F, split the way the program's dialogs split it.
struct Area {
    const char* name;
    std::size_t offset;
    std::size_t length;
};
const Area kSettingsAreas[] = {
    {res::kSideKeyCaption, map::kSideKey1, 2},
    {res::kDtmfCaption, map::kPttIdCode, map::kPttIdCodeSize},
    {res::kDtmfCaption, map::kDtmfFlags, 1},
    {res::kPasswordLabel, map::kPassword, map::kPasswordSize},
};
constexpr std::size_t kSettingsBlock = 0x800;
constexpr std::size_t kSettingsBlockEnd = map::kChannelNameBase;

} // namespace

QStringList DifferingAreas(const RadioImage& sent, const RadioImage& radio)
{
    // Which bytes (or bits) some named area accounts for.
    std::array<std::uint8_t, map::kWritableEnd> claimed{};
    auto claim = [&claimed](std::size_t offset, std::size_t length, std::uint8_t mask = 0xFF) {
        for (std::size_t i = offset; i < offset + length; ++i)
            claimed[i] |= mask;
    };

    QStringList areas;
    for (int n = 1; n <= map::kChannelCount; ++n) {
        const ChannelLocation loc = LocateChannel(n);
        const bool differs = bytesDiffer(sent, radio, loc.record, map::kChannelRecordSize) ||
                             bytesDiffer(sent, radio, loc.name, map::kChannelNameSize) ||
                             ((sent.at(loc.scanByte) ^ radio.at(loc.scanByte)) & loc.scanMask) != 0;
        if (differs)
            areas << res::Tr(res::kAreaChannel).arg(n);
        claim(loc.record, map::kChannelRecordSize);
        claim(loc.name, map::kChannelNameSize);
        claim(loc.scanByte, 1, loc.scanMask);
    }

    bool settingsDiffer = false;
    QStringList settingsAreas;
    for (std::size_t i = kSettingsBlock; i < kSettingsBlockEnd; ++i) {
        const Area* owner = nullptr;
        for (const Area& a : kSettingsAreas) {
            if (i >= a.offset && i < a.offset + a.length)
                owner = &a;
        }
        claim(i, 1);
        if (sent.at(i) == radio.at(i))
            continue;
        if (!owner)
            settingsDiffer = true;
        else if (!settingsAreas.contains(res::Tr(owner->name)))
            settingsAreas << res::Tr(owner->name);
    }
    if (settingsDiffer)
        areas << res::Tr(res::kSettingsGroup);
    areas << settingsAreas;

    for (int p = 0; p < map::kFmPresetCount; ++p) {
        const std::size_t offset = map::kFmPresetBase + static_cast<std::size_t>(p) * map::kFmPresetSize;
        claim(offset, map::kFmPresetSize);
        if (bytesDiffer(sent, radio, offset, map::kFmPresetSize))
            areas << res::Tr(res::kAreaFmPreset).arg(p + 1);
    }

    for (std::size_t i = 0; i < map::kWritableEnd; ++i) {
        if (((sent.at(i) ^ radio.at(i)) & ~claimed[i]) != 0)
            areas
                << res::Tr(res::kAreaAddress).arg(QStringLiteral("%1").arg(i, 3, 16, QLatin1Char('0')).toUpper());
    }

    if (bytesDiffer(sent, radio, map::kBandId, map::kBandIdSize))
        areas << res::Tr(res::kAreaBand);
    return areas;
}

} // namespace orx
