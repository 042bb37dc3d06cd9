#include "ChannelEntryTable.h"

#include "ChannelCodec.h"
#include "FeatureCodecs.h"

#include <algorithm>

namespace orx {

ChannelEntry ChannelEntry::Erased()
{
    ChannelEntry e;
    e.record.fill(map::kErased);
    e.name.fill(map::kErased);
    e.scanAdd = true;
    return e;
}

ChannelEntry ChannelEntry::Decode(const RadioImage& image, int channel)
{
    const ChannelLocation at = LocateChannel(channel);
    ChannelEntry e;
    const auto record = image.bytes(at.record, map::kChannelRecordSize);
    std::copy(record.begin(), record.end(), e.record.begin());
    const auto name = image.bytes(at.name, map::kChannelNameSize);
    std::copy(name.begin(), name.end(), e.name.begin());
    e.scanAdd = image.bit(at.scanByte, at.scanMask);
    e.texts = DecodeChannel(image, channel);
    return e;
}

void ChannelEntry::Store(RadioImage& image, int channel) const
{
    const ChannelLocation at = LocateChannel(channel);
    std::copy(record.begin(), record.end(), image.bytes(at.record, map::kChannelRecordSize).begin());
    std::copy(name.begin(), name.end(), image.bytes(at.name, map::kChannelNameSize).begin());
    image.setBits(at.scanByte, at.scanMask, scanAdd ? at.scanMask : 0);
    EncodeChannel(texts, channel, image);
}

ChannelEntryTable::ChannelEntryTable()
{
    m_entries.fill(ChannelEntry::Erased());
}

ChannelEntryTable ChannelEntryTable::FromImage(const RadioImage& image)
{
    ChannelEntryTable table;
    for (int n = 1; n <= kCount; ++n)
        table.m_entries[index(n)] = ChannelEntry::Decode(image, n);
    table.reloadSerialRow(image);
    return table;
}

void ChannelEntryTable::reloadSerialRow(const RadioImage& image)
{
    constexpr int row = map::kSerialNumberChannel;
    m_serialNumber = HoldsSerialNumber(image);
    ChannelEntry& e = m_entries[index(row)];
    e = ChannelEntry::Decode(image, row);
    // A serial number is no channel: the row shows nothing of the bytes as a channel.
    if (m_serialNumber)
        e.texts = {};
}

void ChannelEntryTable::StoreInto(RadioImage& image) const
{
    for (int n = 1; n <= kCount; ++n) {
        if (!isFixed(n))
            m_entries[index(n)].Store(image, n);
    }
}

bool ChannelEntryTable::replace(int n, const ChannelEntry& entry)
{
    if (n < 1 || n > kCount || isFixed(n))
        return false;
    m_entries[index(n)] = entry;
    return true;
}

std::vector<int> ChannelEntryTable::rowsFrom(int n) const
{
    std::vector<int> rows;
    for (int r = std::max(n, 1); r <= kCount; ++r) {
        if (!isFixed(r))
            rows.push_back(r);
    }
    return rows;
}

bool ChannelEntryTable::insert(int n, const ChannelEntry& entry)
{
    const std::vector<int> rows = rowsFrom(n);
    if (rows.empty())
        return false;
    // From the bottom up, every movable row takes the entry of the movable row above it.
    for (std::size_t i = rows.size() - 1; i > 0; --i)
        m_entries[index(rows[i])] = m_entries[index(rows[i - 1])];
    m_entries[index(rows.front())] = entry;
    return true;
}

bool ChannelEntryTable::remove(int n)
{
    if (n < 1 || n > kCount || isFixed(n))
        return false;
    const std::vector<int> rows = rowsFrom(n);
    for (std::size_t i = 0; i + 1 < rows.size(); ++i)
        m_entries[index(rows[i])] = m_entries[index(rows[i + 1])];
    m_entries[index(rows.back())] = ChannelEntry::Erased();
    return true;
}

ChannelTable ChannelEntryTable::allTexts() const
{
    ChannelTable texts;
    for (int n = 1; n <= kCount; ++n)
        texts[index(n)] = m_entries[index(n)].texts;
    return texts;
}

void ApplyCsvImport(CsvImport& import, ChannelEntryTable& table)
{
    if (import.problem != CsvProblem::None)
        return;
    for (CsvRowResult& row : import.rows) {
        if (row.outcome == CsvOutcome::Refused || !table.isFixed(row.location))
            continue;
        row.outcome = CsvOutcome::Refused;
        row.refusal = CsvRefusal::SerialNumberRow;
        row.value = std::to_string(row.location);
        row.changed.clear();
        row.adjustments.clear();
    }
    for (int n = 1; n <= ChannelEntryTable::kCount; ++n) {
        ChannelTexts& imported = import.channels[static_cast<std::size_t>(n - 1)];
        if (table.isFixed(n))
            imported = table.texts(n);
        else
            table.texts(n) = imported;
    }
}

CsvPlacement PlacementFrom(const ChannelEntryTable& table, int firstChannel)
{
    CsvPlacement placement;
    placement.firstChannel = firstChannel;
    if (table.holdsSerialNumber())
        placement.skip.push_back(map::kSerialNumberChannel);
    return placement;
}

} // namespace orx
