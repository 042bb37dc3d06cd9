#include "ChannelEditCommand.h"

#include "Tr.h"

#include <algorithm>

CDocumentStep::CDocumentStep(const char* step, std::string_view arg) : m_step(step), m_arg(arg)
{
    setText(Name());
}

QString CDocumentStep::Name() const
{
    return m_arg.empty() ? res::Tr(m_step) : res::Tr(m_step).arg(res::Tr(m_arg));
}

CChannelEditCommand::CChannelEditCommand(CProgramDoc& doc, const char* step, std::vector<Row> rows)
    : CDocumentStep(step), m_doc(doc), m_rows(std::move(rows))
{
}

void CChannelEditCommand::undo()
{
    apply(false);
}

void CChannelEditCommand::redo()
{
    apply(true);
}

void CChannelEditCommand::apply(bool after)
{
    std::vector<CProgramDoc::EntryEdit> edits;
    edits.reserve(m_rows.size());
    for (const Row& r : m_rows)
        edits.push_back({r.row, after ? r.after : r.before});
    m_doc.ApplyEntries(edits);
    // The edit itself leaves the current cell where the user put it; undo and redo take the user
    // to the first channel they change, so that the change can be seen.
    if (m_done && !m_rows.empty()) {
        int first = m_rows.front().row;
        for (const Row& r : m_rows)
            first = std::min(first, r.row);
        emit m_doc.stepRevisited(first);
    }
    m_done = true;
}

CDocumentStateCommand::CDocumentStateCommand(CProgramDoc& doc, const char* step, std::string_view arg,
                                             CProgramDoc::State before, CProgramDoc::State after, int mergeId)
    : CDocumentStep(step, arg), m_doc(doc), m_before(std::move(before)), m_after(std::move(after)),
      m_mergeId(mergeId)
{
}

void CDocumentStateCommand::undo()
{
    m_doc.RestoreState(m_before);
}

void CDocumentStateCommand::redo()
{
    m_doc.RestoreState(m_after);
}

bool CDocumentStateCommand::mergeWith(const QUndoCommand* other)
{
    if (other->id() != m_mergeId || m_mergeId == -1)
        return false;
    m_after = static_cast<const CDocumentStateCommand*>(other)->m_after;
    return true;
}
