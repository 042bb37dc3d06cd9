#pragma once

// What an edit of a channel cell does to the row's texts: frequencies clamped to the band and
// rounded down to a channel step, the defaults a new channel gets, cells of an empty channel that
// stay empty, and the characters the frequency and name editors accept. The view only moves these
// texts between its editors and the grid.

#include "Band.h"
#include "GridTexts.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orx {

// The two channel rasters of the radio, in 10 Hz units.
inline constexpr std::uint32_t kStep5kHz = 500;
inline constexpr std::uint32_t kStep6k25Hz = 625;

// A value on neither raster is rounded down to the nearer lower multiple of 5 kHz or 6.25 kHz;
// on equal remainders the 5 kHz raster wins. Values on either raster are returned unchanged.
std::uint32_t SnapToChannelStep(std::uint32_t value);

// The frequency a typed entry stands for, in 10 Hz units: the number at the start of the text
// (MHz), scaled exactly, clamped into the band and snapped to a channel step. 0 means "no
// frequency" (0, nothing typed, no number). Entries too large for 32 bits clamp to the upper limit.
std::uint32_t FrequencyFromEntry(std::string_view entry, const BandLimits& limits);
// The same rule for a frequency already in 10 Hz units (a computed one): 0 or less is no frequency,
// anything else is clamped into the band and snapped to a channel step.
std::uint32_t FrequencyFromUnits(std::int64_t units, const BandLimits& limits);
// The cell text of a typed entry: empty for no frequency, else MHz with five decimals.
std::string FrequencyEntryText(std::string_view entry, const BandLimits& limits);

// The channel record keeps a frequency as eight BCD digits of 10 Hz; a channel whose top byte is 0x00
// is empty, so nothing below 10 MHz can be stored as a frequency.
inline constexpr std::uint32_t kLowestStorableFrequency = 1000000; // 10 MHz

// What becomes of a frequency that comes from elsewhere (a CSV file, the clipboard) rather than from
// the keys: unlike a typed entry it is never moved into the band, since a channel must not land on a
// frequency its source did not hold. A value off both channel rasters is rounded down as typing does.
enum class ForeignFrequency {
    Taken,      // in the band and on a raster
    Rounded,    // in the band, rounded down to a channel step
    OutOfBand,  // below the lower or above the upper band edge
    NotStorable // in the band, but below what a channel record can hold
};
struct ForeignFrequencyCheck {
    ForeignFrequency verdict = ForeignFrequency::OutOfBand;
    std::uint32_t value = 0; // Taken, Rounded: the frequency the channel gets, 10 Hz units
    std::string text;        // Taken, Rounded: its cell text
};
// units: the exact frequency in 10 Hz units, greater than 0.
ForeignFrequencyCheck CheckForeignFrequency(std::int64_t units, const BandLimits& limits);

// "400-470 MHz": the band of the limits in whole MHz, for messages.
std::string BandRangeText(const BandLimits& limits);

// The row a channel gets when it receives its first receive frequency.
ChannelTexts DefaultChannelTexts(const std::string& frequency);

// The row after the frequency editor committed entry into column col (receive or transmit):
// - receive, no frequency: the whole channel is emptied;
// - receive on an empty channel: the defaults row with the frequency in both columns;
// - receive on a channel: only the receive frequency changes;
// - transmit: set or removed, except on an empty channel, which stays empty.
ChannelTexts CommitFrequency(const ChannelTexts& row, ChannelColumn col, std::string_view entry,
                             const BandLimits& limits);

// The row after another editor (choice list, name, tone picker) committed text into col: a channel
// without a receive frequency holds no other value, so its cell gets the empty text.
ChannelTexts CommitCell(const ChannelTexts& row, ChannelColumn col, std::string_view text);

// The options of a choice column (busy lockout to PTT ID), in list order; empty for other columns.
std::span<const std::string_view> ChoiceOptions(ChannelColumn col);
// The first option that begins with text (ASCII letters compared without case), or -1.
int FindChoice(std::span<const std::string_view> options, std::string_view text);

// What the frequency editor keeps of a text that reaches it by paste, drop or input method: only
// the characters its keys can type (digits and the decimal point).
std::string FilterFrequencyEntry(std::string_view utf8);

// What the name editor keeps of any text: lower-case ASCII letters become capitals, as they do when
// typed, and only what the radio can store stays: 0-9, A-Z, '-' and space. A name never shows a
// character that saving would drop.
std::string FilterNameEntry(std::string_view utf8);

} // namespace orx
