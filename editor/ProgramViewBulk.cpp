#include "ProgramView.h"

#include "BulkEditDlg.h"
#include "CMSFlexGrid.h"
#include "ChannelCommandMenus.h"
#include "ChannelBulk.h"
#include "ProgramDoc.h"
#include "Texts.h"
#include "Tr.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>

#include <numeric>

// Commands on many channels at once: the bulk dialog, transmit offsets, sorting, moving, packing
// and filling. The channel controller does the work as one step of the document's history; the view
// passes the selected rows in and keeps the moved channels selected. The menus that offer these
// commands are CChannelCommandMenus.

std::vector<int> CProgramView::commandRows() const
{
    if (const auto runs = selectedRuns(); !runs.empty())
        return orx::RunRows(runs);
    const CellRange range = selectedCells();
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

void CProgramView::BulkSet()
{
    CommitOpenEditor();
    // The bulk dialog works on the selected rows; a single row is a selection of one channel.
    const std::vector<int> rows = selectedRows();
    int channels = 0;
    for (int r : rows) {
        if (!m_doc.channels().isFixed(r) && !m_doc.channels().texts(r).empty())
            ++channels;
    }
    CBulkEditDlg dialog(channels, m_commands.lastOffset(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_commands.BulkSet(rows, dialog.change());
    m_grid->setFocus(Qt::OtherFocusReason);
}

void CProgramView::SetTransmitOffset(const orx::OffsetChoice& choice)
{
    CommitOpenEditor();
    m_commands.SetTransmitOffset(selectedRows(), choice);
}

void CProgramView::SortChannels(orx::SortKey key)
{
    CommitOpenEditor();
    m_commands.Sort(commandRows(), key, m_menus->sortDescending());
}

void CProgramView::PackEmptyChannels()
{
    CommitOpenEditor();
    m_commands.PackEmpty(commandRows());
}

void CProgramView::moveSelection(int delta)
{
    CommitOpenEditor();
    if (const auto runs = selectedRuns(); !runs.empty()) {
        // Each run moves one row, and the channels stay selected where they went.
        const std::vector<int> rows = orx::RunRows(runs);
        const auto placed = m_commands.MoveRows(rows, delta);
        if (!placed)
            return;
        std::vector<int> from;
        for (int r : rows) {
            if (!m_doc.channels().isFixed(r))
                from.push_back(r);
        }
        int current = m_grid->Row();
        const auto it = std::find(from.begin(), from.end(), current);
        if (it != from.end())
            current = (*placed)[static_cast<std::size_t>(it - from.begin())];
        selectRows(*placed, current);
        m_grid->scrollTo(m_grid->currentIndex());
        return;
    }
    const CellRange range = selectedCells();
    const auto moved = m_commands.MoveBlock(range.top, range.bottom, delta);
    if (!moved)
        return;
    // The channels stay selected where they went.
    selectCells({moved->first, range.left, moved->last, range.right});
    m_grid->scrollTo(m_grid->currentIndex());
}

void CProgramView::MoveUp()
{
    moveSelection(-1);
}

void CProgramView::MoveDown()
{
    moveSelection(+1);
}

void CProgramView::onRowsDropped(int target)
{
    CommitOpenEditor();
    // The grid drags one run only.
    if (!selectedRuns().empty())
        return;
    const CellRange range = selectedCells();
    if (const auto moved = m_commands.MoveBlockTo(range.top, range.bottom, target))
        selectCells({moved->first, range.left, moved->last, range.right});
}

void CProgramView::FillDown()
{
    CommitOpenEditor();
    m_commands.FillDown(blockCells());
}

void CProgramView::DeleteSelectedChannels()
{
    CommitOpenEditor();
    m_commands.RemoveChannels(selectedRows());
    m_grid->setFocus(Qt::OtherFocusReason);
}

void CProgramView::AddChannelCommands(QMenu* menu)
{
    m_menus->AddTo(menu);
}

QMenu* CProgramView::CreateGridMenu(int col, QWidget* parent)
{
    return m_menus->CreateGridMenu(col, parent);
}
