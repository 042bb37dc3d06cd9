#pragma once

// Radio model and frequency band: the lists that come from Program.ini, the band limits every
// typed frequency is clamped to, and the three band bytes the radio compares before a write.
//
//   0xFD2  index of the chosen band entry    0xFD3  index of the chosen model
//   0xFF0  hundreds|tens of the low edge     0xFF1  hundreds|tens of the high edge
//   0xFF2  units of low | units of high      (136-174 MHz = 13 17 64, 400-470 MHz = 40 47 00)

#include "RadioImage.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orx {

// Lower and upper band edge in 10 Hz units. One pair for the whole run; it survives New.
struct BandLimits {
    static constexpr std::uint32_t kStartLower = 13600000; // 136 MHz
    static constexpr std::uint32_t kStartUpper = 17400000; // 174 MHz
    std::uint32_t lower = kStartLower;
    std::uint32_t upper = kStartUpper;
    friend bool operator==(const BandLimits&, const BandLimits&) = default;
};

inline constexpr std::uint32_t kUnitsPerMHz = 100000;

struct BandEdges {
    int low = 0;  // MHz
    int high = 0; // MHz
    friend bool operator==(const BandEdges&, const BandEdges&) = default;
};

// The band edges in the image, or nothing when one of the three bytes is 0xFF.
std::optional<BandEdges> DecodeBandId(const RadioImage& image);
void EncodeBandId(const BandLimits& limits, RadioImage& image);
// "%d-%dMHz", the text a band entry must begin with to be found again from the image.
std::string BandText(const BandEdges& edges);

// Reads "low-high" at the start of a band entry ("136-174MHz"; anything after the second number
// is ignored). Returns false and leaves limits alone when the text is empty, does not start with
// two integers joined by '-', names an edge below 0 or of 1000 MHz and more (the band bytes hold
// three digits), or a low edge that is not below the high one.
bool ApplyBandText(std::string_view text, BandLimits& limits);

// The band entries of one "Field%d" value: split at ';', empty pieces skipped.
std::vector<std::string> SplitBandField(std::string_view field);

// The model and band lists as Program.ini offers them.
inline constexpr int kMaxModels = 20;
struct RadioCatalog {
    std::vector<std::string> models;            // "Type0".. up to the first empty one
    std::array<std::string, kMaxModels> fields; // "Field%d" of each model index
};

// The two lists as the panel shows them.
struct BandSelection {
    std::vector<std::string> models;
    int model = -1; // selected index, -1 for none
    std::vector<std::string> bands;
    int band = -1;
    // The last band entry is not one of Program.ini's but the limits in force, shown because no
    // entry of the list applies them.
    bool extraBand = false;
    friend bool operator==(const BandSelection&, const BandSelection&) = default;

    std::string bandText() const;
};

// Fill both lists for an image: model from 0xFD3 (model 0 when out of range), its band list,
// band from 0xFD2 (none when out of range). Band limits are not touched.
BandSelection FillModelAndBandLists(const RadioImage& image, const RadioCatalog& catalog);

// A new model chosen by the user: its band list, entry 0 selected, and that band's limits.
void SelectModel(BandSelection& lists, int model, const RadioCatalog& catalog, BandLimits& limits);
// A band chosen by the user (the one shown too): its limits.
void SelectBand(BandSelection& lists, int band, BandLimits& limits);
// Both end with ShowBandInForce: an entry that cannot be applied leaves the limits as they were,
// and the list goes back to showing them.

// Makes the band list show the band the limits in force describe, the one the editors clamp to and
// a write sends: the selected entry when it applies exactly these limits, else the first entry
// that does, else an extra entry "%d-%dMHz" of the limits at the end of the list.
void ShowBandInForce(BandSelection& lists, const BandLimits& limits);

// The band part of showing an image: a valid band id selects the entry that begins with its
// text (entry 0 when none does) and sets the limits, whether or not an entry matched.
void ApplyBandIdToLists(const RadioImage& image, BandSelection& lists, BandLimits& limits);

} // namespace orx
