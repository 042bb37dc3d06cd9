#pragma once

// The parts of the radio's memory a write changes, as the user knows them: a channel, the settings,
// the side keys, DTMF, the password, an FM preset, the band. The read-back after a write reports its
// differences with them.

#include "RadioImage.h"

#include <vector>

namespace orx {

struct MemoryArea {
    enum class Kind { Channel, Settings, SideKeys, Dtmf, Password, FmPreset, Address, Band };
    Kind kind = Kind::Settings;
    int number = 0; // the channel 1..128, the FM preset 1..32, or the address of a byte no area claims
    friend bool operator==(const MemoryArea&, const MemoryArea&) = default;
};

// The channels and areas whose bytes differ between what a write sent and what the radio holds,
// among the bytes a write writes (0x000-0xDFF and the band bytes). A channel counts with its
// record, its name and its scan bit. Each area comes once: channels first, then the settings
// areas, the FM presets, bytes no area claims (by address), and the band.
std::vector<MemoryArea> DifferingAreas(const RadioImage& sent, const RadioImage& radio);

} // namespace orx
