#include "ChannelBulk.h"

#include "ChannelClipboard.h"
#include "ChannelCodec.h"
#include "ChannelEdit.h"
#include "DecimalScale.h"

#include <algorithm>
#include <numeric>

namespace orx {

namespace {

// Digits with at most one decimal point and at least one digit: the numbers the offset field takes.
bool isPlainDecimal(std::string_view text)
{
    bool digit = false;
    bool point = false;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c == '.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

std::int64_t frequencyUnits(std::string_view text)
{
    return DecimalScale(LeadingNumber(text), kFrequencyShift);
}

std::string frequencyText(std::uint32_t units)
{
    return units == 0 ? std::string() : FormatScaled(units, kFrequencyShift, 5);
}

// The rows of a selection that take channels, in table order, each once.
std::vector<int> movableRows(const ChannelEntryTable& table, const std::vector<int>& rows)
{
    std::vector<int> out;
    for (int n : rows) {
        if (n >= 1 && n <= ChannelEntryTable::kCount && !table.isFixed(n))
            out.push_back(n);
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}

// Puts the entries back into rows in the given order; true when any row got another entry.
bool placeEntries(ChannelEntryTable& table, const std::vector<int>& rows,
                  const std::vector<ChannelEntry>& entries)
{
    bool moved = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!(table.entry(rows[i]) == entries[i])) {
            table.replace(rows[i], entries[i]);
            moved = true;
        }
    }
    return moved;
}

} // namespace

std::int64_t DuplexTransmitUnits(Duplex duplex, std::int64_t rxUnits, std::int64_t value)
{
    switch (duplex) {
    case Duplex::Simplex:
        return rxUnits;
    case Duplex::Plus:
        return rxUnits + value;
    case Duplex::Minus:
        return rxUnits - value;
    case Duplex::Split:
        return value;
    case Duplex::Off:
        break;
    }
    return 0;
}

std::optional<std::uint32_t> ParseFrequencyMHz(std::string_view text)
{
    if (!isPlainDecimal(text))
        return std::nullopt;
    const std::int64_t units = frequencyUnits(text);
    if (units <= 0 || units >= 1000 * static_cast<std::int64_t>(kUnitsPerMHz))
        return std::nullopt;
    return static_cast<std::uint32_t>(units);
}

std::optional<std::uint32_t> ParseOffsetMHz(std::string_view text)
{
    const auto units = ParseFrequencyMHz(text);
    if (!units || *units > kLargestOffset)
        return std::nullopt;
    return units;
}

std::optional<OffsetChoice> ParseOffsetText(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    if (text.front() == '+' || text.front() == '-') {
        const auto offset = ParseOffsetMHz(text.substr(1));
        if (!offset)
            return std::nullopt;
        return OffsetChoice{text.front() == '+' ? Duplex::Plus : Duplex::Minus, *offset};
    }
    if (isPlainDecimal(text) && frequencyUnits(text) == 0)
        return OffsetChoice{Duplex::Simplex, 0};
    return std::nullopt;
}

std::optional<LeftAloneReason> ComputedFrequencyProblem(std::int64_t units, const BandLimits& limits)
{
    if (units > static_cast<std::int64_t>(limits.upper))
        return LeftAloneReason::AboveBand;
    if (units <= 0)
        return LeftAloneReason::BelowBand;
    switch (CheckForeignFrequency(units, limits).verdict) {
    case ForeignFrequency::OutOfBand:
        return LeftAloneReason::BelowBand;
    case ForeignFrequency::NotStorable:
        return LeftAloneReason::NotStorable;
    case ForeignFrequency::Taken:
    case ForeignFrequency::Rounded:
        break;
    }
    return std::nullopt;
}

ChannelTexts ApplyOffset(const ChannelTexts& row, const OffsetChoice& choice, const BandLimits& limits,
                         std::optional<LeftAloneReason>* leftAlone)
{
    if (leftAlone)
        leftAlone->reset();
    if (row.empty())
        return row;
    ChannelTexts out = row;
    if (choice.duplex == Duplex::Simplex) {
        // The transmit frequency is the receive frequency as the cell shows it.
        out[ColTxFrequency] = row[ColRxFrequency];
        return out;
    }
    if (choice.duplex == Duplex::Off) {
        out[ColTxFrequency].clear();
        return out;
    }
    const std::int64_t rx = frequencyUnits(row[ColRxFrequency]);
    const std::int64_t tx = DuplexTransmitUnits(choice.duplex, rx, choice.value);
    if (const auto problem = ComputedFrequencyProblem(tx, limits)) {
        if (leftAlone)
            *leftAlone = problem;
        return row;
    }
    out[ColTxFrequency] = frequencyText(FrequencyFromUnits(tx, limits));
    return out;
}

std::optional<std::string> BulkCellText(ChannelColumn col, std::string_view value)
{
    switch (col) {
    case ColRxTone:
    case ColTxTone:
        return PastedToneText(value);
    case ColBusyLockout:
    case ColPower:
    case ColBandwidth:
    case ColScanAdd:
    case ColPttId:
        return PastedChoiceText(col, value);
    default:
        return std::nullopt;
    }
}

std::optional<std::string> BulkNamePrefix(std::string_view text)
{
    const std::string kept = FilterNameEntry(text);
    // Every character must survive: a prefix that loses some would name channels unlike what was
    // asked for.
    if (kept.size() != text.size() || kept.size() > map::kChannelNameSize)
        return std::nullopt;
    return kept;
}

std::string PrefixedName(std::string_view prefix, int channel)
{
    const std::string number = std::to_string(channel);
    const std::size_t room = map::kChannelNameSize - std::min(number.size(), map::kChannelNameSize);
    return std::string(prefix.substr(0, room)) + number;
}

int ApplyBulkChange(ChannelEntryTable& table, const std::vector<int>& rows, const BulkChange& change,
                    const BandLimits& limits, std::vector<LeftAlone>* leftAlone)
{
    int changed = 0;
    for (int n : movableRows(table, rows)) {
        const ChannelTexts before = table.texts(n);
        if (before.empty())
            continue;
        ChannelTexts t = before;
        if (change.offset) {
            std::optional<LeftAloneReason> problem;
            t = ApplyOffset(t, *change.offset, limits, &problem);
            if (problem) {
                // The whole channel stays as it was, not only its transmit frequency.
                if (leftAlone)
                    leftAlone->push_back({n, *problem});
                continue;
            }
        }
        const std::pair<ChannelColumn, const std::optional<std::string>*> cells[] = {
            {ColRxTone, &change.rxTone},
            {ColTxTone, &change.txTone},
            {ColBusyLockout, &change.busyLockout},
            {ColPower, &change.power},
            {ColBandwidth, &change.bandwidth},
            {ColScanAdd, &change.scanAdd},
            {ColPttId, &change.pttId}};
        for (const auto& [col, value] : cells) {
            if (!*value)
                continue;
            if (const auto text = BulkCellText(col, **value))
                t = CommitCell(t, col, *text);
        }
        if (change.namePrefix)
            t = CommitCell(t, ColName, PastedNameText(PrefixedName(*change.namePrefix, n)));
        if (!(t == before)) {
            table.texts(n) = t;
            ++changed;
        }
    }
    return changed;
}

bool SortChannels(ChannelEntryTable& table, const std::vector<int>& rows, SortKey key, bool descending)
{
    const std::vector<int> at = movableRows(table, rows);
    std::vector<ChannelEntry> entries;
    entries.reserve(at.size());
    for (int n : at)
        entries.push_back(table.entry(n));

    // Keys are computed once; the index keeps the sort stable and is the channel-number key.
    struct Item {
        std::size_t index;
        bool empty;
        std::int64_t frequency;
        std::string name;
    };
    std::vector<Item> items;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const ChannelTexts& t = entries[i].texts;
        items.push_back({i, t.empty(), frequencyUnits(t[ColRxFrequency]), t[ColName]});
    }
    auto before = [key](const Item& a, const Item& b) {
        switch (key) {
        case SortKey::Frequency:
            return a.frequency < b.frequency;
        case SortKey::Name:
            // A channel without a name is not sorted in front of the named ones.
            if (a.name.empty() != b.name.empty())
                return b.name.empty();
            return a.name < b.name;
        case SortKey::Number:
            break;
        }
        return a.index < b.index;
    };
    std::stable_sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        if (a.empty != b.empty)
            return b.empty;
        if (a.empty)
            return false; // empty channels keep their order
        // Unnamed channels stay after the named ones either way round.
        if (key == SortKey::Name && a.name.empty() != b.name.empty())
            return b.name.empty();
        return descending ? before(b, a) : before(a, b);
    });
    std::vector<ChannelEntry> sorted;
    sorted.reserve(items.size());
    for (const Item& item : items)
        sorted.push_back(entries[item.index]);
    return placeEntries(table, at, sorted);
}

bool PackEmptyChannels(ChannelEntryTable& table, const std::vector<int>& rows)
{
    return SortChannels(table, rows, SortKey::Number, false);
}

std::optional<RowSpan> MoveChannelsTo(ChannelEntryTable& table, int first, int last, int target)
{
    std::vector<int> all(ChannelEntryTable::kCount);
    std::iota(all.begin(), all.end(), 1);
    const std::vector<int> movable = movableRows(table, all);
    auto positionOf = [&movable](int row) {
        // A fixed row counts as the movable row after it.
        return static_cast<std::size_t>(std::lower_bound(movable.begin(), movable.end(), row) -
                                        movable.begin());
    };
    const std::size_t a = positionOf(first);
    const std::size_t end = positionOf(last + 1); // one past the block's last channel
    if (first > last || a >= end)
        return std::nullopt;
    const std::size_t size = end - a;
    std::size_t t = positionOf(std::clamp(target, 1, ChannelEntryTable::kCount));
    if (t >= movable.size())
        t = movable.size() - 1;
    // Dropped on itself, the block stays.
    if (t >= a && t < end)
        return std::nullopt;
    // Below the block its last channel lands on the target.
    std::size_t newStart = t > a ? t + 1 - std::min(size, t + 1) : t;
    newStart = std::min(newStart, movable.size() - size);
    if (newStart == a)
        return std::nullopt;

    std::vector<ChannelEntry> entries;
    for (int n : movable)
        entries.push_back(table.entry(n));
    const auto blockBegin = entries.begin() + static_cast<std::ptrdiff_t>(a);
    const auto blockEnd = blockBegin + static_cast<std::ptrdiff_t>(size);
    if (newStart < a)
        std::rotate(entries.begin() + static_cast<std::ptrdiff_t>(newStart), blockBegin, blockEnd);
    else
        std::rotate(blockBegin, blockEnd, blockEnd + static_cast<std::ptrdiff_t>(newStart - a));
    placeEntries(table, movable, entries);
    return RowSpan{movable[newStart], movable[newStart + size - 1]};
}

std::optional<RowSpan> MoveChannels(ChannelEntryTable& table, int first, int last, int delta)
{
    std::vector<int> all(ChannelEntryTable::kCount);
    std::iota(all.begin(), all.end(), 1);
    const std::vector<int> movable = movableRows(table, all);
    const auto begin = std::lower_bound(movable.begin(), movable.end(), first);
    const auto end = std::upper_bound(movable.begin(), movable.end(), last);
    if (begin >= end || delta == 0)
        return std::nullopt;
    if (delta < 0) {
        if (begin == movable.begin())
            return std::nullopt;
        return MoveChannelsTo(table, first, last, *(begin - 1));
    }
    if (end == movable.end())
        return std::nullopt;
    return MoveChannelsTo(table, first, last, *end);
}

bool FillColumn(ChannelEntryTable& table, const std::vector<int>& rows, ChannelColumn col,
                const BandLimits& limits, std::vector<LeftAlone>* leftAlone)
{
    const std::vector<int> at = movableRows(table, rows);
    if (at.size() < 2 || col < kFirstDataColumn || col > kLastDataColumn)
        return false;
    const ChannelTexts& top = table.texts(at.front());
    const std::string source = top[col];
    // An empty top channel holds nothing to copy; an empty tone or choice cell is no value either.
    const bool mayBeEmpty = col == ColTxFrequency || col == ColName;
    if (top.empty() || (source.empty() && !mayBeEmpty))
        return false;
    const bool frequency = col == ColRxFrequency || col == ColTxFrequency;
    const std::optional<LeftAloneReason> problem =
        frequency && !source.empty() ? ComputedFrequencyProblem(frequencyUnits(source), limits)
                                     : std::nullopt;
    bool changed = false;
    for (std::size_t i = 1; i < at.size(); ++i) {
        const ChannelTexts& before = table.texts(at[i]);
        const ChannelTexts after =
            frequency ? CommitFrequency(before, col, source, limits) : CommitCell(before, col, source);
        if (after == before)
            continue;
        if (problem) {
            if (leftAlone)
                leftAlone->push_back({at[i], *problem});
            continue;
        }
        table.texts(at[i]) = after;
        changed = true;
    }
    return changed;
}

std::optional<std::vector<int>> ParseChannelList(std::string_view text)
{
    auto number = [](std::string_view s) -> int {
        if (s.empty() || s.size() > 3 ||
            !std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; }))
            return 0;
        const int n = std::stoi(std::string(s));
        return n >= 1 && n <= ChannelEntryTable::kCount ? n : 0;
    };
    std::vector<int> out;
    std::vector<bool> seen(ChannelEntryTable::kCount + 1, false);
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view part = text.substr(0, comma);
        const std::size_t dash = part.find('-');
        const int from = number(part.substr(0, dash));
        const int to = dash == std::string_view::npos ? from : number(part.substr(dash + 1));
        if (from == 0 || to == 0 || to < from)
            return std::nullopt;
        for (int n = from; n <= to; ++n) {
            if (!seen[static_cast<std::size_t>(n)]) {
                seen[static_cast<std::size_t>(n)] = true;
                out.push_back(n);
            }
        }
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return out;
}

} // namespace orx
