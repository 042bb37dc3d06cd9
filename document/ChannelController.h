#pragma once

// The channel commands on the document's channel table, without widgets: add, delete, insert, cut,
// copy, paste, clear, fill, sort, move, pack, bulk set, transmit offsets and CSV import. Each works
// on a copy of the table through the screen library's rules and hands the result to the document
// as one named step of its history. The rows or cells a command works on are passed in; the view
// turns the grid's selection into them and shows what the command left selected.
//
// The clipboard's text is passed in and out: whole channels copied here are kept with every byte,
// and pasted whole while the clipboard still holds the text they were copied as.

#include "ChannelBulk.h"
#include "ChannelClipboard.h"
#include "ChannelCsv.h"
#include "ChannelEntryTable.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

class CProgramDoc;

class CChannelController {
public:
    // A block of cells in grid coordinates: rows are channel numbers, columns the grid's.
    struct CellRange {
        int top, left, bottom, right;
        bool wholeRows() const { return left == orx::kFirstDataColumn && right == orx::kLastDataColumn; }
        int cellCount() const { return (bottom - top + 1) * (right - left + 1); }
    };
    // What a command on many channels did: whether the table changed, and each channel it left as
    // it was because the value would have left the band or could not be stored (never clamped).
    struct BulkOutcome {
        bool changed = false;
        std::vector<orx::LeftAlone> leftAlone;
    };
    // What a paste did: the block it landed on, and the notes of cells that did not take.
    struct PasteResult {
        bool pasted = false;
        CellRange landed{0, 0, 0, 0};
        std::vector<std::pair<int, orx::PasteNote>> notes;
    };

    explicit CChannelController(CProgramDoc& doc);

    CProgramDoc& document() { return m_doc; }

    // One row's texts as committed by a cell editor (the row keeps its bytes).
    void EditRow(int row, const orx::ChannelTexts& texts);
    // An erased channel inserted at row (the last channel drops off the end of the table); on the
    // serial number's row it opens just below it.
    bool InsertChannel(int row);
    // The channel at row leaves the table; the channels below move up.
    bool DeleteChannel(int row);
    // The channels of rows leave the table.
    bool RemoveChannels(const std::vector<int>& rows);
    // The cells of range cleared (a channel left empty is erased whole); step names the step.
    bool ClearCells(const CellRange& range, const char* step);
    // The channels of rows cleared whole.
    bool ClearChannels(const std::vector<int>& rows, const char* step);
    // The cells left to right of rows as clipboard text; whole rows are also kept as channels.
    QString Copy(const std::vector<int>& rows, int left, int right);
    // The clipboard's text into the selection (whole channels from column 1 of its first row).
    PasteResult Paste(const QString& clipboardText, const CellRange& selection);
    // Ctrl+D: the first row's cells of each column of range into the rows below.
    BulkOutcome FillDown(const CellRange& range);
    bool Sort(const std::vector<int>& rows, orx::SortKey key, bool descending);
    bool PackEmpty(const std::vector<int>& rows);
    // Rows in separate runs, each one row up (-1) or down (+1): where the rows went.
    std::optional<std::vector<int>> MoveRows(const std::vector<int>& rows, int delta);
    // A block of rows one row up or down, or dropped on target: where the block now stands.
    std::optional<orx::RowSpan> MoveBlock(int first, int last, int delta);
    std::optional<orx::RowSpan> MoveBlockTo(int first, int last, int target);
    // The bulk dialog's change of rows; an offset chosen becomes the one offered first.
    BulkOutcome BulkSet(const std::vector<int>& rows, const orx::BulkChange& change);
    BulkOutcome SetTransmitOffset(const std::vector<int>& rows, const orx::OffsetChoice& choice);
    // A CSV file's bytes into the table as one step when the file can be read at all; the result
    // holds the problem of the file or the report of every row. By the file's Location column when
    // firstChannel is 0, else in file order on the channels from firstChannel on (the Location
    // column ignored, the serial number's row passed over).
    orx::CsvImport ImportCsv(std::string_view bytes, int firstChannel = 0);

    // The offset offered first, the one last chosen (10 Hz units).
    std::uint32_t lastOffset() const { return m_lastOffset; }

private:
    bool editTable(const char* step, const orx::ChannelEntryTable& after);

    CProgramDoc& m_doc;
    std::uint32_t m_lastOffset = 60000; // 0.6 MHz
    // The whole channels last copied, and the clipboard text they were copied as.
    QString m_copiedText;
    std::vector<orx::ChannelEntry> m_copied;
};
