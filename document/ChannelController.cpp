#include "ChannelController.h"

#include "ChannelRows.h"
#include "GbkText.h"
#include "ProgramDoc.h"
#include "Texts.h"

#include <algorithm>

CChannelController::CChannelController(CProgramDoc& doc) : m_doc(doc) {}

bool CChannelController::editTable(const char* step, const orx::ChannelEntryTable& after)
{
    const bool changed = !(after == m_doc.channels());
    m_doc.EditTable(step, after);
    return changed;
}

void CChannelController::EditRow(int row, const orx::ChannelTexts& texts)
{
    if (row < 1 || row > orx::ChannelEntryTable::kCount)
        return;
    orx::ChannelEntry entry = m_doc.channels().entry(row);
    entry.texts = texts;
    m_doc.EditEntries(res::kStepCellEdit, {{row, entry}});
}

bool CChannelController::InsertChannel(int row)
{
    // A new channel is erased, as a channel of a new document.
    orx::ChannelEntryTable after = m_doc.channels();
    return after.insert(row, orx::ChannelEntry::Erased()) && editTable(res::kStepAddChannel, after);
}

bool CChannelController::DeleteChannel(int row)
{
    // The channel leaves the table whole; the channels below move up around the serial number's
    // row, and the last row gets an erased channel.
    orx::ChannelEntryTable after = m_doc.channels();
    return after.remove(row) && editTable(res::kStepRemoveChannels, after);
}

bool CChannelController::RemoveChannels(const std::vector<int>& rows)
{
    orx::ChannelEntryTable after = m_doc.channels();
    return orx::RemoveChannelRows(after, rows) && editTable(res::kStepRemoveChannels, after);
}

bool CChannelController::ClearChannels(const std::vector<int>& rows, const char* step)
{
    orx::ChannelEntryTable after = m_doc.channels();
    return orx::ClearChannelRows(after, rows) && editTable(step, after);
}

bool CChannelController::ClearCells(const CellRange& range, const char* step)
{
    orx::ChannelEntryTable after = m_doc.channels();
    for (int row = std::max(1, range.top); row <= range.bottom && row <= orx::ChannelEntryTable::kCount;
         ++row) {
        if (after.isFixed(row))
            continue;
        orx::ChannelEntry entry = after.entry(row);
        const orx::ChannelTexts cleared = orx::ClearCells(entry.texts, range.left, range.right);
        // A channel that the clearing takes out leaves nothing behind, none of its hidden bits
        // either: a cut channel is pasted elsewhere whole, and is then in one place only.
        if (!entry.texts.empty() && cleared.empty())
            entry = orx::ChannelEntry::Erased();
        else
            entry.texts = cleared;
        after.replace(row, entry);
    }
    return editTable(step, after);
}

QString CChannelController::Copy(const std::vector<int>& rows, int left, int right)
{
    const orx::ChannelEntryTable& table = m_doc.channels();
    // The serial number's row is no channel: it is not copied.
    orx::CellBlock block;
    std::vector<orx::ChannelEntry> entries;
    for (int row : rows) {
        if (row < 1 || row > orx::ChannelEntryTable::kCount || table.isFixed(row))
            continue;
        const orx::ChannelTexts& texts = table.texts(row);
        std::vector<std::string> cells;
        for (int col = left; col <= right; ++col)
            cells.push_back(texts[static_cast<orx::ChannelColumn>(col)]);
        block.push_back(std::move(cells));
        entries.push_back(table.entry(row));
    }
    const QString text = QString::fromStdString(orx::JoinClipboardText(block));
    // Whole channels are kept whole as well, for a paste while the clipboard still holds them.
    const bool whole = left == orx::kFirstDataColumn && right == orx::kLastDataColumn;
    m_copiedText = whole ? text : QString();
    m_copied = whole ? std::move(entries) : std::vector<orx::ChannelEntry>{};
    return text;
}

CChannelController::PasteResult CChannelController::Paste(const QString& clipboardText,
                                                          const CellRange& selection)
{
    PasteResult result;
    orx::CellBlock block = orx::SplitClipboardText(clipboardText.toStdString());
    if (block.empty())
        return result;
    // One cell copied onto a block of cells fills the block, as in a spreadsheet.
    if (block.size() == 1 && block.front().size() == 1 && selection.cellCount() > 1 &&
        !selection.wholeRows()) {
        const std::string cell = block.front().front();
        block.assign(
            static_cast<std::size_t>(selection.bottom - selection.top + 1),
            std::vector<std::string>(static_cast<std::size_t>(selection.right - selection.left + 1), cell));
    }
    // Whole channels land as whole channels: from column 1 of the first row.
    const bool wholeChannels =
        std::all_of(block.begin(), block.end(), [](const std::vector<std::string>& line) {
            return line.size() == static_cast<std::size_t>(orx::kDataColumnCount);
        });
    const int left = selection.wholeRows() || wholeChannels ? orx::kFirstDataColumn : selection.left;
    const int top = selection.top;
    // Channels copied here arrive with every byte; text from elsewhere goes through the editors'
    // rules into the rows' own entries.
    const bool copiedHere = wholeChannels && !m_copied.empty() && m_copiedText == clipboardText &&
                            m_copied.size() == block.size();

    // The rows the block lands on flow around the serial number's row; the last channel ends it.
    const orx::ChannelEntryTable& table = m_doc.channels();
    const std::vector<int> rows = table.rowsFrom(top);
    std::vector<CProgramDoc::EntryEdit> edits;
    std::size_t widest = 0;
    for (std::size_t i = 0; i < block.size() && i < rows.size(); ++i) {
        orx::ChannelEntry entry = table.entry(rows[i]);
        if (copiedHere) {
            entry = m_copied[i];
        } else {
            std::vector<orx::PasteNote> rowNotes;
            entry.texts = orx::PasteIntoRow(entry.texts, left, block[i], m_doc.bandLimits(), &rowNotes);
            for (orx::PasteNote& note : rowNotes)
                result.notes.emplace_back(rows[i], std::move(note));
        }
        edits.push_back({rows[i], entry});
        widest = std::max(widest, block[i].size());
    }
    m_doc.EditEntries(res::kStepPaste, edits);
    if (edits.empty())
        return result;
    const int right =
        std::min(orx::kLastDataColumn, left + static_cast<int>(std::max<std::size_t>(widest, 1)) - 1);
    result.pasted = true;
    result.landed = {top, left, edits.back().row, right};
    return result;
}

CChannelController::BulkOutcome CChannelController::FillDown(const CellRange& range)
{
    std::vector<int> rows;
    for (int r = range.top; r <= range.bottom; ++r)
        rows.push_back(r);
    orx::ChannelEntryTable after = m_doc.channels();
    BulkOutcome outcome;
    bool changed = false;
    for (int col = range.left; col <= range.right; ++col)
        changed = orx::FillColumn(after, rows, static_cast<orx::ChannelColumn>(col), m_doc.bandLimits(),
                                  &outcome.leftAlone) ||
                  changed;
    outcome.changed = changed && editTable(res::kStepFill, after);
    return outcome;
}

bool CChannelController::Sort(const std::vector<int>& rows, orx::SortKey key, bool descending)
{
    orx::ChannelEntryTable after = m_doc.channels();
    return orx::SortChannels(after, rows, key, descending) && editTable(res::kStepSort, after);
}

bool CChannelController::PackEmpty(const std::vector<int>& rows)
{
    orx::ChannelEntryTable after = m_doc.channels();
    return orx::PackEmptyChannels(after, rows) && editTable(res::kStepPack, after);
}

std::optional<std::vector<int>> CChannelController::MoveRows(const std::vector<int>& rows, int delta)
{
    orx::ChannelEntryTable after = m_doc.channels();
    auto placed = orx::MoveChannelRows(after, rows, delta);
    if (placed)
        editTable(res::kStepMove, after);
    return placed;
}

std::optional<orx::RowSpan> CChannelController::MoveBlock(int first, int last, int delta)
{
    orx::ChannelEntryTable after = m_doc.channels();
    const auto moved = orx::MoveChannels(after, first, last, delta);
    if (moved)
        editTable(res::kStepMove, after);
    return moved;
}

std::optional<orx::RowSpan> CChannelController::MoveBlockTo(int first, int last, int target)
{
    orx::ChannelEntryTable after = m_doc.channels();
    const auto moved = orx::MoveChannelsTo(after, first, last, target);
    if (moved)
        editTable(res::kStepMove, after);
    return moved;
}

CChannelController::BulkOutcome CChannelController::BulkSet(const std::vector<int>& rows,
                                                            const orx::BulkChange& change)
{
    if (change.offset &&
        (change.offset->duplex == orx::Duplex::Plus || change.offset->duplex == orx::Duplex::Minus) &&
        change.offset->value)
        m_lastOffset = change.offset->value;
    orx::ChannelEntryTable after = m_doc.channels();
    BulkOutcome outcome;
    orx::ApplyBulkChange(after, rows, change, m_doc.bandLimits(), &outcome.leftAlone);
    outcome.changed = editTable(res::kBulkSet.tip, after);
    return outcome;
}

CChannelController::BulkOutcome CChannelController::SetTransmitOffset(const std::vector<int>& rows,
                                                                      const orx::OffsetChoice& choice)
{
    if (choice.duplex == orx::Duplex::Plus || choice.duplex == orx::Duplex::Minus)
        m_lastOffset = choice.value;
    orx::BulkChange change;
    change.offset = choice;
    orx::ChannelEntryTable after = m_doc.channels();
    BulkOutcome outcome;
    orx::ApplyBulkChange(after, rows, change, m_doc.bandLimits(), &outcome.leftAlone);
    outcome.changed = editTable(res::kStepOffset, after);
    return outcome;
}

orx::CsvImport CChannelController::ImportCsv(std::string_view bytes, int firstChannel)
{
    orx::ChannelEntryTable table = m_doc.channels();
    const orx::CsvPlacement placement =
        firstChannel > 0 ? orx::PlacementFrom(table, firstChannel) : orx::CsvPlacement{};
    orx::CsvImport result =
        orx::ImportChannelCsvFile(bytes, table.allTexts(), m_doc.bandLimits(), GbkDecoder(), placement);
    if (result.problem != orx::CsvProblem::None)
        return result;
    // The channels named get their new texts and keep their bytes; all the rows of the file are
    // one step of the history.
    orx::ApplyCsvImport(result, table);
    editTable(res::kStepImport, table);
    return result;
}
