#include "GridSelection.h"

#include "CMSFlexGrid.h"
#include "ChannelRows.h"

#include <QItemSelectionModel>

#include <algorithm>
#include <numeric>

CGridSelection::CellRange CGridSelection::Cells() const
{
    const QModelIndexList selected = m_grid->selectionModel()->selectedIndexes();
    const int fixedRows = m_grid->FixedRows();
    const int fixedCols = m_grid->FixedCols();
    if (selected.isEmpty()) {
        const int row = std::max(1, m_grid->Row());
        const int col = std::max(orx::kFirstDataColumn, m_grid->Col());
        return {row, col, row, col};
    }
    CellRange r{m_grid->Rows(), m_grid->Cols(), 0, 0};
    for (const QModelIndex& i : selected) {
        r.top = std::min(r.top, i.row() + fixedRows);
        r.bottom = std::max(r.bottom, i.row() + fixedRows);
        r.left = std::min(r.left, i.column() + fixedCols);
        r.right = std::max(r.right, i.column() + fixedCols);
    }
    return r;
}

void CGridSelection::SelectCells(const CellRange& range)
{
    const int fixedRows = m_grid->FixedRows();
    const int fixedCols = m_grid->FixedCols();
    m_grid->selectionModel()->setCurrentIndex(
        m_grid->model()->index(range.top - fixedRows, range.left - fixedCols), QItemSelectionModel::NoUpdate);
    const QItemSelection block(m_grid->model()->index(range.top - fixedRows, range.left - fixedCols),
                               m_grid->model()->index(range.bottom - fixedRows, range.right - fixedCols));
    m_grid->selectionModel()->select(block, QItemSelectionModel::ClearAndSelect);
}

std::vector<orx::RowSpan> CGridSelection::Runs() const
{
    if (!m_grid->RowSelectionSplit())
        return {};
    return orx::RowRuns(m_grid->SelectedWholeRows());
}

std::vector<int> CGridSelection::Rows() const
{
    if (const auto runs = Runs(); !runs.empty())
        return orx::RunRows(runs);
    const CellRange range = Cells();
    std::vector<int> rows;
    for (int r = range.top; r <= range.bottom; ++r)
        rows.push_back(r);
    return rows;
}

CGridSelection::CellRange CGridSelection::Block() const
{
    const auto runs = Runs();
    if (runs.empty())
        return Cells();
    // As a spreadsheet pastes at the active cell: the run the current cell stands in, or that cell
    // alone when it was taken out of the selection.
    const int row = std::max(1, m_grid->Row());
    if (const auto run = orx::RunHolding(runs, row))
        return {run->first, orx::kFirstDataColumn, run->last, orx::kLastDataColumn};
    const int col = std::max(orx::kFirstDataColumn, m_grid->Col());
    return {row, col, row, col};
}

void CGridSelection::SelectRows(const std::vector<int>& rows, int current)
{
    const int fixedRows = m_grid->FixedRows();
    QItemSelection selection;
    for (const orx::RowSpan& run : orx::RowRuns(rows)) {
        selection.select(m_grid->model()->index(run.first - fixedRows, 0),
                         m_grid->model()->index(run.last - fixedRows, m_grid->model()->columnCount() - 1));
    }
    m_grid->selectionModel()->setCurrentIndex(
        m_grid->model()->index(current - fixedRows, std::max(0, m_grid->Col() - m_grid->FixedCols())),
        QItemSelectionModel::NoUpdate);
    m_grid->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

std::vector<int> CGridSelection::CommandRows() const
{
    if (const auto runs = Runs(); !runs.empty())
        return orx::RunRows(runs);
    const CellRange range = Cells();
    std::vector<int> rows;
    if (range.bottom > range.top) {
        for (int r = range.top; r <= range.bottom; ++r)
            rows.push_back(r);
    } else {
        rows.resize(orx::ChannelEntryTable::kCount);
        std::iota(rows.begin(), rows.end(), 1);
    }
    return rows;
}
