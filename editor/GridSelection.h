#pragma once

// What the user selected in the channel grid, in the terms the channel commands take: a block of
// cells in grid coordinates (rows are channel numbers), whole rows in separate runs (Ctrl on the
// row numbers), and the rows a command works on; and a selection set after a command.

#include "ChannelBulk.h"
#include "ChannelController.h"

#include <vector>

class CMSFlexGrid;

class CGridSelection {
public:
    using CellRange = CChannelController::CellRange;

    explicit CGridSelection(CMSFlexGrid* grid = nullptr) : m_grid(grid) {}

    // The selected cells; the current cell when nothing is selected.
    CellRange Cells() const;
    void SelectCells(const CellRange& range);
    // Whole rows selected in separate runs; none for one block.
    std::vector<orx::RowSpan> Runs() const;
    // The channel rows the row commands work on: every row of the runs, or the block's rows.
    std::vector<int> Rows() const;
    // The one block that paste and fill work on: of several runs, the run of the current row.
    CellRange Block() const;
    // Whole rows selected, current the row that gets the current cell.
    void SelectRows(const std::vector<int>& rows, int current);
    // The rows sort and pack work on: the selected rows, or all 128 for a single row.
    std::vector<int> CommandRows() const;

private:
    CMSFlexGrid* m_grid;
};
