#include "ChannelRows.h"

#include <algorithm>

namespace orx {

namespace {

// Rows within the table, ascending, each once.
std::vector<int> tableRows(std::vector<int> rows)
{
    std::erase_if(rows, [](int n) { return n < 1 || n > ChannelEntryTable::kCount; });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

} // namespace

std::vector<RowSpan> RowRuns(std::vector<int> rows)
{
    std::vector<RowSpan> runs;
    for (int n : tableRows(std::move(rows))) {
        if (!runs.empty() && runs.back().last + 1 == n)
            runs.back().last = n;
        else
            runs.push_back({n, n});
    }
    return runs;
}

std::vector<int> RunRows(const std::vector<RowSpan>& runs)
{
    std::vector<int> rows;
    for (const RowSpan& run : runs) {
        for (int n = run.first; n <= run.last; ++n)
            rows.push_back(n);
    }
    return rows;
}

std::optional<RowSpan> RunHolding(const std::vector<RowSpan>& runs, int row)
{
    for (const RowSpan& run : runs) {
        if (row >= run.first && row <= run.last)
            return run;
    }
    return std::nullopt;
}

std::optional<std::vector<int>> MoveChannelRows(ChannelEntryTable& table, const std::vector<int>& rows,
                                                int delta)
{
    if (delta != -1 && delta != 1)
        return std::nullopt;
    // The rows that can hold a channel, in order: the serial number's row is not among them, so a
    // channel next to it changes place with the channel on its other side.
    std::vector<int> movable;
    for (int n = 1; n <= ChannelEntryTable::kCount; ++n) {
        if (!table.isFixed(n))
            movable.push_back(n);
    }
    const std::vector<int> wanted = tableRows(rows);
    std::vector<bool> selected(movable.size());
    std::vector<std::size_t> origin(movable.size()); // which selected channel stands at a place
    for (std::size_t i = 0; i < movable.size(); ++i) {
        selected[i] = std::binary_search(wanted.begin(), wanted.end(), movable[i]);
        origin[i] = i;
    }
    std::vector<ChannelEntry> entries;
    entries.reserve(movable.size());
    for (int n : movable)
        entries.push_back(table.entry(n));

    // Towards the edge first, so that a run follows the one ahead of it in the same pass.
    bool moved = false;
    const std::size_t count = movable.size();
    for (std::size_t k = 1; k < count; ++k) {
        const std::size_t i = delta < 0 ? k : count - 1 - k;
        const std::size_t ahead = delta < 0 ? i - 1 : i + 1;
        if (selected[i] && !selected[ahead]) {
            std::swap(entries[i], entries[ahead]);
            std::swap(origin[i], origin[ahead]);
            selected[i] = false;
            selected[ahead] = true;
            moved = true;
        }
    }
    if (!moved)
        return std::nullopt;
    std::vector<int> placedAt(movable.size(), 0);
    for (std::size_t i = 0; i < movable.size(); ++i)
        placedAt[origin[i]] = movable[i];
    std::vector<int> result;
    for (std::size_t i = 0; i < movable.size(); ++i) {
        if (std::binary_search(wanted.begin(), wanted.end(), movable[i]))
            result.push_back(placedAt[i]);
    }
    for (std::size_t i = 0; i < movable.size(); ++i)
        table.replace(movable[i], entries[i]);
    return result;
}

bool ClearChannelRows(ChannelEntryTable& table, const std::vector<int>& rows)
{
    bool changed = false;
    for (int n : tableRows(rows)) {
        // An empty row keeps what it holds, as clearing its cells one by one leaves it.
        if (table.isFixed(n) || table.texts(n).empty())
            continue;
        table.replace(n, ChannelEntry::Erased());
        changed = true;
    }
    return changed;
}

bool RemoveChannelRows(ChannelEntryTable& table, const std::vector<int>& rows)
{
    // From the bottom up, so that each removal leaves the rows still to go where they were.
    const std::vector<int> at = tableRows(rows);
    const ChannelEntryTable before = table;
    for (auto it = at.rbegin(); it != at.rend(); ++it)
        table.remove(*it);
    return !(table == before);
}

} // namespace orx
