#pragma once

// The radio-wide settings of the "设置" panel: their choice lists and the two conversions between
// list selections and the settings bytes.
//
//   0x810  bits 0-1 display mode (0 channel, 1 frequency, 2 frequency/channel)
//   0x811  bits 0-1 scan mode, bits 6-7 tail elimination (0xC0 off, 0x00 120, 0x40 180, 0x80 240)
//   0x812  bit 7 manual setting, bit 6 beep, bit 2 battery save (1 = on)
//   0x813  squelch 0-9         0x814 time limit / 30 s    0x815 VOX 0 off, 1-9
//   0x819  end-of-tx tone 0-10 0x81A priority channel (0 none, n = channel n)
//   0x840  password, one ASCII digit per byte, 0xFF after the last
// Bits outside these fields are never changed.

#include "RadioImage.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace orx {

// One entry per setting, in the order the panel's lists are filled.
enum class Setting {
    DisplayMode,
    ScanMode,
    TailElimination,
    ManualSetting,
    Beep,
    BatterySave,
    Squelch,
    TimeLimit,
    VoxLevel,
    EndTone,
    PriorityChannel,
};
inline constexpr int kSettingCount = 11;

struct SettingInfo {
    Setting setting;
    std::string_view label; // the setting's name, as the label of its list on the panel says it
};

// Name and list entries of each setting.
const SettingInfo& Info(Setting s);
const std::vector<std::string>& Choices(Setting s);

inline constexpr int kNoSelection = -1;

// What the panel shows: one selected index per list (kNoSelection when none), and the password text.
struct SettingsSelection {
    std::array<int, kSettingCount> index;
    std::string password;

    SettingsSelection() { index.fill(kNoSelection); }
    int& operator[](Setting s) { return index[static_cast<std::size_t>(s)]; }
    int operator[](Setting s) const { return index[static_cast<std::size_t>(s)]; }
    friend bool operator==(const SettingsSelection&, const SettingsSelection&) = default;
};

inline constexpr std::size_t kPasswordMaxLength = 6;

// The first entry that begins with text (case-insensitive); entry 0 when none does, and
// kNoSelection when the list is empty.
int SelectByPrefix(const std::vector<std::string>& entries, std::string_view text);

void DecodeSettings(const RadioImage& image, SettingsSelection& out);
void EncodeSettings(const SettingsSelection& in, RadioImage& image);

std::string DecodePassword(const RadioImage& image);
void EncodePassword(std::string_view password, RadioImage& image);

} // namespace orx
