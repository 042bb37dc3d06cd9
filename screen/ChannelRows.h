#pragma once

// Separate runs of whole channel rows, as Ctrl+clicks on the row numbers select them: the runs a
// set of rows forms, and the commands that work on such a selection (moving each run one row,
// clearing and removing the channels). Channels move as whole entries, and the row of the serial
// number never moves and never takes a channel.

#include "ChannelBulk.h"
#include "ChannelEntryTable.h"

#include <optional>
#include <vector>

namespace orx {

// The rows (any order, repeats allowed, out-of-table rows dropped) as runs of neighbouring rows,
// top first.
std::vector<RowSpan> RowRuns(std::vector<int> rows);
// Every row of runs, top first.
std::vector<int> RunRows(const std::vector<RowSpan>& runs);
// The run that holds row; nothing when none does.
std::optional<RowSpan> RunHolding(const std::vector<RowSpan>& runs, int row);

// Moves each selected channel of rows one row up (delta -1) or down (+1), as a list editor moves a
// selection: a channel changes place with the unselected channel next to it, and channels at the
// table's edge (and those stacked against them) stay. The serial number's row is stepped over.
// Returns, for each row of rows that can hold a channel (ascending), the row its channel now
// stands in; nothing when no channel moved.
std::optional<std::vector<int>> MoveChannelRows(ChannelEntryTable& table, const std::vector<int>& rows,
                                                int delta);

// Empties the channels of rows, bytes and all (a cut channel is then in one place only). True when
// anything changed.
bool ClearChannelRows(ChannelEntryTable& table, const std::vector<int>& rows);
// Takes the channels of rows out of the table: the channels below close up. True when anything
// changed.
bool RemoveChannelRows(ChannelEntryTable& table, const std::vector<int>& rows);

} // namespace orx
