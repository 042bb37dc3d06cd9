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

void CProgramView::BulkSet()
{
    CommitOpenEditor();
    // The bulk dialog works on the selected rows; a single row is a selection of one channel.
    const std::vector<int> rows = m_selection.Rows();
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
    m_commands.SetTransmitOffset(m_selection.Rows(), choice);
}

void CProgramView::SortChannels(orx::SortKey key)
{
    CommitOpenEditor();
    m_commands.Sort(m_selection.CommandRows(), key, m_menus->sortDescending());
}

void CProgramView::PackEmptyChannels()
{
    CommitOpenEditor();
    m_commands.PackEmpty(m_selection.CommandRows());
}

void CProgramView::moveSelection(int delta)
{
    CommitOpenEditor();
    if (const auto runs = m_selection.Runs(); !runs.empty()) {
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
        m_selection.SelectRows(*placed, current);
        m_grid->scrollTo(m_grid->currentIndex());
        return;
    }
    const CellRange range = m_selection.Cells();
    const auto moved = m_commands.MoveBlock(range.top, range.bottom, delta);
    if (!moved)
        return;
    // The channels stay selected where they went.
    m_selection.SelectCells({moved->first, range.left, moved->last, range.right});
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
    if (!m_selection.Runs().empty())
        return;
    const CellRange range = m_selection.Cells();
    if (const auto moved = m_commands.MoveBlockTo(range.top, range.bottom, target))
        m_selection.SelectCells({moved->first, range.left, moved->last, range.right});
}

void CProgramView::FillDown()
{
    CommitOpenEditor();
    m_commands.FillDown(m_selection.Block());
}

void CProgramView::DeleteSelectedChannels()
{
    CommitOpenEditor();
    m_commands.RemoveChannels(m_selection.Rows());
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
