#pragma once

// What two images differ in, in the user's terms: channel by channel and field by field as the grid
// shows them, each setting by its label, DTMF, side keys, FM presets, the serial number; and then
// every differing byte that none of those differences accounts for (bytes no editor shows, or
// bytes that differ without changing what is shown), as offsets with both values.

#include "Band.h"
#include "RadioImage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orx {

enum class DiffArea { Channel, Setting, Dtmf, SideKey, FmPreset, SerialNumber };

struct FieldDifference {
    DiffArea area;
    int number = 0;    // channel or preset number; 0 where the area has no numbers
    std::string label; // grid header, setting label or field name
    std::string before;
    std::string after;
    friend bool operator==(const FieldDifference&, const FieldDifference&) = default;
};

struct ByteDifference {
    std::size_t offset;
    std::uint8_t before;
    std::uint8_t after;
    friend bool operator==(const ByteDifference&, const ByteDifference&) = default;
};

struct ImageComparison {
    std::vector<FieldDifference> fields;
    std::vector<ByteDifference> otherBytes;
    bool identical = true; // every byte equal
};

// Both images as the program shows them with the given model and band lists, and with the band
// limits of program start.
ImageComparison CompareImages(const RadioImage& before, const RadioImage& after, const RadioCatalog& catalog);

} // namespace orx
