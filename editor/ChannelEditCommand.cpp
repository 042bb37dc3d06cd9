#include "ChannelEditCommand.h"

#include "CMSFlexGrid.h"
#include "ChannelTableModel.h"
#include "ProgramView.h"

#include <algorithm>

CChannelEditCommand::CChannelEditCommand(CProgramView& view, std::vector<Row> rows)
    : m_view(view), m_rows(std::move(rows))
{
}

void CChannelEditCommand::undo()
{
    show(false);
}

void CChannelEditCommand::redo()
{
    show(true);
}

void CChannelEditCommand::show(bool after)
{
    std::vector<CChannelTableModel::EntryEdit> edits;
    edits.reserve(m_rows.size());
    for (const Row& r : m_rows)
        edits.push_back({r.row, after ? r.after : r.before});
    m_view.channelModel()->setEntries(edits);
    // The edit itself leaves the current cell where the user put it; undo and redo take the user
    // to the first channel they change, so that the change can be seen.
    if (m_done && !m_rows.empty()) {
        CMSFlexGrid* grid = m_view.grid();
        int first = m_rows.front().row;
        for (const Row& r : m_rows)
            first = std::min(first, r.row);
        grid->SetRow(first);
        grid->scrollTo(grid->currentIndex());
    }
    m_done = true;
}
