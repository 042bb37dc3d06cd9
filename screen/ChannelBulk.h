#pragma once

// Work on many channels at once: one value set into a column of many channels, the transmit
// frequency from a repeater offset, channels sorted, moved and packed, and a column filled from its
// top cell. Every value passes the rule of its cell editor, so nothing lands in the table that
// typing could not put there; channels move as whole entries (texts and every byte), and the row of
// the serial number never moves and never takes a channel. The window and orxtool both run this.

#include "Band.h"
#include "ChannelEntryTable.h"
#include "GridTexts.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orx {

// How a channel's transmit frequency follows its receive frequency.
enum class Duplex {
    Simplex, // "同频": transmit = receive
    Plus,    // receive + offset
    Minus,   // receive - offset
    Split,   // "单独设置": the value is the transmit frequency itself
    Off,     // no transmit frequency
};

// The transmit frequency a duplex rule gives, in 10 Hz units, before any band rule; 0 or less means
// none. value is the offset (Plus, Minus) or the transmit frequency (Split). The channel CSV's
// Duplex/Offset columns and the offset choices of the grid both come through here.
std::int64_t DuplexTransmitUnits(Duplex duplex, std::int64_t rxUnits, std::int64_t value);

struct OffsetChoice {
    Duplex duplex = Duplex::Simplex;
    std::uint32_t value = 0; // 10 Hz units: the offset, or the split transmit frequency
    friend bool operator==(const OffsetChoice&, const OffsetChoice&) = default;
};

// The largest offset taken: no radio band is wider.
inline constexpr std::uint32_t kLargestOffset = 100 * kUnitsPerMHz;

// An offset as scripts give it: "+0.6", "-5", "0" (simplex), in MHz with at most five decimals.
// Nothing for any other text, for a Plus or Minus of 0, or beyond kLargestOffset.
std::optional<OffsetChoice> ParseOffsetText(std::string_view text);
// A frequency in MHz as the frequency editor's keys type it (digits and one decimal point), in
// 10 Hz units, before any band rule; nothing for other text, for 0, and from 1000 MHz on.
std::optional<std::uint32_t> ParseFrequencyMHz(std::string_view text);
// An offset in MHz without its sign ("0.6", "5"), as the offset field takes it; nothing when it is
// not a number above 0 with at most five decimals, or beyond kLargestOffset.
std::optional<std::uint32_t> ParseOffsetMHz(std::string_view text);

// Why a channel was left as it was by an offset, a bulk value or a fill: the frequency it would have
// got lies above or below the band, or below 10 MHz, which a channel record cannot hold. Such a
// frequency is never clamped to the band edge: the channel keeps what it had.
enum class LeftAloneReason {
    AboveBand,
    BelowBand,
    NotStorable,
};
struct LeftAlone {
    int channel = 0;
    LeftAloneReason reason = LeftAloneReason::AboveBand;
    friend bool operator==(const LeftAlone&, const LeftAlone&) = default;
};

// Whether a computed frequency (10 Hz units; 0 or less is below any band) can stand in a channel
// under limits, and if not, why.
std::optional<LeftAloneReason> ComputedFrequencyProblem(std::int64_t units, const BandLimits& limits);

// The row after an offset choice: the transmit frequency computed from the receive frequency and
// rounded down to a channel step, as if typed into the transmit cell. A result outside the band or
// below 10 MHz leaves the row as it was, with the reason in *leftAlone. An empty channel stays empty.
ChannelTexts ApplyOffset(const ChannelTexts& row, const OffsetChoice& choice, const BandLimits& limits,
                         std::optional<LeftAloneReason>* leftAlone = nullptr);

// One change set into every channel of a selection; a column left out is left alone.
struct BulkChange {
    std::optional<OffsetChoice> offset;
    std::optional<std::string> rxTone;
    std::optional<std::string> txTone;
    std::optional<std::string> busyLockout;
    std::optional<std::string> power;
    std::optional<std::string> bandwidth;
    std::optional<std::string> scanAdd;
    std::optional<std::string> pttId;
    // Names become the prefix followed by the channel's number ("RPT" gives RPT1, RPT2, ...).
    std::optional<std::string> namePrefix;

    bool empty() const
    {
        return !offset && !rxTone && !txTone && !busyLockout && !power && !bandwidth && !scanAdd && !pttId &&
               !namePrefix;
    }
};

// The grid text a bulk value stands for in a tone or choice column (the same test a pasted cell
// passes): a tone of the standard lists or "无", an option of the column's list; nothing when the
// column does not take the value.
std::optional<std::string> BulkCellText(ChannelColumn col, std::string_view value);
// A name prefix as the name editor keeps it (capitals, storable characters); nothing when the text
// holds a character a name cannot store or is longer than a name.
std::optional<std::string> BulkNamePrefix(std::string_view text);
// The name of channel n under prefix: the number is kept whole, the prefix cut to fit 8 characters.
std::string PrefixedName(std::string_view prefix, int channel);

// Sets change into the channels of rows (channel numbers). Empty channels and the serial number's
// row are left as they are; so is a channel whose transmit frequency would leave the band, which is
// added to *leftAlone. Returns the number of channels whose texts changed.
int ApplyBulkChange(ChannelEntryTable& table, const std::vector<int>& rows, const BulkChange& change,
                    const BandLimits& limits, std::vector<LeftAlone>* leftAlone = nullptr);

enum class SortKey {
    Frequency, // receive frequency
    Name,      // name, channels without a name after the named ones
    Number,    // the order they stand in (empty channels still go to the end)
};

// Reorders the channels standing in rows (fixed rows stay out) by key; the sort is stable, and empty
// channels always end up after the others, in their order. Returns true when anything moved.
bool SortChannels(ChannelEntryTable& table, const std::vector<int>& rows, SortKey key,
                  bool descending = false);
// The empty channels of rows to their end, the others closing up in their order.
bool PackEmptyChannels(ChannelEntryTable& table, const std::vector<int>& rows);

// A block of rows, first and last inclusive.
struct RowSpan {
    int first = 0;
    int last = 0;
    friend bool operator==(const RowSpan&, const RowSpan&) = default;
};

// Moves the channels of first..last one channel up (delta -1) or down (+1), past the serial number's
// row; the channel they pass takes their place on the other side. Returns where the block now
// stands, or nothing when it cannot move (at the table's edge, or no channel in the block).
std::optional<RowSpan> MoveChannels(ChannelEntryTable& table, int first, int last, int delta);
// Moves the block so that it lands on row target: above the block its first channel goes there,
// below it its last one does. Returns where the block now stands, or nothing when nothing moves.
std::optional<RowSpan> MoveChannelsTo(ChannelEntryTable& table, int first, int last, int target);

// Ctrl+D: the cell of col in the first row of rows is put into the same column of the other rows,
// through that column's rule (a receive frequency on an empty channel creates it with the defaults,
// other cells of empty channels stay empty). Only what the top channel holds is copied: an empty top
// channel fills nothing, and neither does an empty receive frequency (filling must not delete
// channels). A frequency outside the band (the band changed since it was typed) is not clamped: the
// channels it would go to are left as they were and added to *leftAlone. Returns true when anything
// changed.
bool FillColumn(ChannelEntryTable& table, const std::vector<int>& rows, ChannelColumn col,
                const BandLimits& limits, std::vector<LeftAlone>* leftAlone = nullptr);

// "1-16", "5", "1-8,20,30-40": channel numbers 1..128 in the order given, each once; nothing when
// the text is anything else.
std::optional<std::vector<int>> ParseChannelList(std::string_view text);

} // namespace orx
