#pragma once

// Names for the parts of the radio's memory a write changes, as the user knows them: "信道 5",
// "设置", "收音机频率 3", "频段". The read-back after a write reports its differences with them.

#include "RadioImage.h"

#include <QStringList>

namespace orx {

// The channels and areas whose bytes differ between what a write sent and what the radio holds,
// among the bytes a write writes (0x000-0xDFF and the band bytes). A channel counts with its
// record, its name and its scan bit. Each name comes once: channels first, then the settings
// areas, the FM presets, bytes no area claims (by address), and the band.
QStringList DifferingAreas(const RadioImage& sent, const RadioImage& radio);

} // namespace orx
