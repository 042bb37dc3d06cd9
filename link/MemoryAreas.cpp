#include "MemoryAreas.h"

#include "ChannelCodec.h"
#include "MemoryMap.h"

#include <algorithm>
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
    MemoryArea::Kind kind;
    std::size_t offset;
    std::size_t length;
};
const Area kSettingsAreas[] = {
    {MemoryArea::Kind::SideKeys, map::kSideKey1, 2},
    {MemoryArea::Kind::Dtmf, map::kPttIdCode, map::kPttIdCodeSize},
    {MemoryArea::Kind::Dtmf, map::kDtmfFlags, 1},
    {MemoryArea::Kind::Password, map::kPassword, map::kPasswordSize},
};
constexpr std::size_t kSettingsBlock = 0x800;
constexpr std::size_t kSettingsBlockEnd = map::kChannelNameBase;

} // namespace

std::vector<MemoryArea> DifferingAreas(const RadioImage& sent, const RadioImage& radio)
{
    // Which bytes (or bits) some named area accounts for.
    std::array<std::uint8_t, map::kWritableEnd> claimed{};
    auto claim = [&claimed](std::size_t offset, std::size_t length, std::uint8_t mask = 0xFF) {
        for (std::size_t i = offset; i < offset + length; ++i)
            claimed[i] |= mask;
    };

    using Kind = MemoryArea::Kind;
    std::vector<MemoryArea> areas;
    for (int n = 1; n <= map::kChannelCount; ++n) {
        const ChannelLocation loc = LocateChannel(n);
        const bool differs = bytesDiffer(sent, radio, loc.record, map::kChannelRecordSize) ||
                             bytesDiffer(sent, radio, loc.name, map::kChannelNameSize) ||
                             ((sent.at(loc.scanByte) ^ radio.at(loc.scanByte)) & loc.scanMask) != 0;
        if (differs)
            areas.push_back({Kind::Channel, n});
        claim(loc.record, map::kChannelRecordSize);
        claim(loc.name, map::kChannelNameSize);
        claim(loc.scanByte, 1, loc.scanMask);
    }

    bool settingsDiffer = false;
    std::vector<MemoryArea> settingsAreas;
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
        else if (std::find(settingsAreas.begin(), settingsAreas.end(), MemoryArea{owner->kind, 0}) ==
                 settingsAreas.end())
            settingsAreas.push_back({owner->kind, 0});
    }
    if (settingsDiffer)
        areas.push_back({Kind::Settings, 0});
    areas.insert(areas.end(), settingsAreas.begin(), settingsAreas.end());

    for (int p = 0; p < map::kFmPresetCount; ++p) {
        const std::size_t offset = map::kFmPresetBase + static_cast<std::size_t>(p) * map::kFmPresetSize;
        claim(offset, map::kFmPresetSize);
        if (bytesDiffer(sent, radio, offset, map::kFmPresetSize))
            areas.push_back({Kind::FmPreset, p + 1});
    }

    for (std::size_t i = 0; i < map::kWritableEnd; ++i) {
        if (((sent.at(i) ^ radio.at(i)) & ~claimed[i]) != 0)
            areas.push_back({Kind::Address, static_cast<int>(i)});
    }

    if (bytesDiffer(sent, radio, map::kBandId, map::kBandIdSize))
        areas.push_back({Kind::Band, 0});
    return areas;
}

} // namespace orx
