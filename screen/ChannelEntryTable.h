#pragma once

// The channel table behind the grid: 128 entries, each the ten grid texts of a channel together
// with the bytes it was decoded from (its 16-byte record, its 8 name bytes and its scan-add bit).
// The texts are what the user edits; the bytes carry every bit no column shows (byte 12 bits 2-7,
// byte 13 bits 6-7, bytes 14-15, a busy-lockout value of 3), so a channel that moves to another
// row takes all of itself along.
//
// Channel 63's record is also the board's serial number. While those 16 bytes hold a serial
// number, row 63 is no channel: its entry is fixed in place, nothing is stored into it, and
// insert and remove move the other entries around it.

#include "ChannelCsv.h"
#include "GridTexts.h"
#include "MemoryMap.h"
#include "RadioImage.h"

#include <array>
#include <cstdint>
#include <vector>

namespace orx {

struct ChannelEntry {
    ChannelTexts texts;
    std::array<std::uint8_t, map::kChannelRecordSize> record;
    std::array<std::uint8_t, map::kChannelNameSize> name;
    bool scanAdd = true;

    // What a channel of a new document holds: every byte erased (and so its scan bit set).
    static ChannelEntry Erased();
    // Channel n of an image: its texts and its bytes.
    static ChannelEntry Decode(const RadioImage& image, int channel);
    // The entry's bytes at channel n's place, then its texts encoded over them.
    void Store(RadioImage& image, int channel) const;

    friend bool operator==(const ChannelEntry&, const ChannelEntry&) = default;
};

class ChannelEntryTable {
public:
    static constexpr int kCount = map::kChannelCount;

    // 128 erased entries, no serial number.
    ChannelEntryTable();
    static ChannelEntryTable FromImage(const RadioImage& image);
    // Every entry onto its own position; row 63 is left alone while it holds the serial number.
    void StoreInto(RadioImage& image) const;

    const ChannelEntry& entry(int n) const { return m_entries.at(index(n)); }
    const ChannelTexts& texts(int n) const { return entry(n).texts; }
    // The texts of row n for editing; the entry keeps its bytes.
    ChannelTexts& texts(int n) { return m_entries.at(index(n)).texts; }

    // True for row 63 while it holds the serial number: that row takes no channel.
    bool isFixed(int n) const { return m_serialNumber && n == map::kSerialNumberChannel; }
    bool holdsSerialNumber() const { return m_serialNumber; }
    // Row 63 decoded again from the image, after the serial number's bytes changed there.
    void reloadSerialRow(const RadioImage& image);

    // Puts entry at row n; a fixed row is left as it is (false).
    bool replace(int n, const ChannelEntry& entry);
    // Opens row n (or the first row after it that can take a channel) for entry: the entries from
    // there on move one row down, around a fixed row, and the last one drops off the table.
    bool insert(int n, const ChannelEntry& entry);
    // Takes the entry of row n out: the entries below move one row up, around a fixed row, and the
    // last row gets an erased entry. Nothing happens on a fixed row (false).
    bool remove(int n);
    // The rows from n on that can take a channel, in order.
    std::vector<int> rowsFrom(int n) const;

    // The texts of all rows, channel 1 first (the form the CSV code reads and writes).
    ChannelTable allTexts() const;

    friend bool operator==(const ChannelEntryTable&, const ChannelEntryTable&) = default;

private:
    static std::size_t index(int n) { return static_cast<std::size_t>(n - 1); }

    std::array<ChannelEntry, kCount> m_entries;
    bool m_serialNumber = false;
};

// Takes the result of a CSV import made on allTexts() into the table: the channels the file named
// get their new texts and keep their bytes. A row of the file that names a fixed row is refused
// (CsvRefusal::SerialNumberRow) and that row stays as it is.
void ApplyCsvImport(CsvImport& import, ChannelEntryTable& table);

// An import at row firstChannel (the grid's current row, or orxtool's --first-channel): the rows of
// the file go to the channels from there on in file order, whatever their Location column says,
// passing over row 63 while it holds the serial number. Use it as
//   ImportChannelCsvFile(bytes, table.allTexts(), limits, decoder, PlacementFrom(table, row))
// then ApplyCsvImport as for any import.
CsvPlacement PlacementFrom(const ChannelEntryTable& table, int firstChannel);

} // namespace orx
