#include "ChannelClipboard.h"

#include "ChannelEdit.h"
#include "DecimalScale.h"
#include "MemoryMap.h"
#include "ToneChoice.h"

namespace orx {

namespace {

std::string unquote(std::string_view cell)
{
    if (cell.size() < 2 || cell.front() != '"' || cell.back() != '"')
        return std::string(cell);
    std::string out;
    const std::string_view inner = cell.substr(1, cell.size() - 2);
    for (std::size_t i = 0; i < inner.size(); ++i) {
        out += inner[i];
        if (inner[i] == '"' && i + 1 < inner.size() && inner[i + 1] == '"')
            ++i;
    }
    return out;
}

std::string_view trimBlanks(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

bool isUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

bool inRange(int col)
{
    return col >= kFirstDataColumn && col <= kLastDataColumn;
}

ChannelTexts pasteFrequency(const ChannelTexts& row, ChannelColumn col, const std::string& cell,
                            const BandLimits& limits, std::vector<PasteNote>* notes)
{
    const std::string entry = FilterFrequencyEntry(cell);
    const std::int64_t units = DecimalScale(LeadingNumber(entry), kFrequencyShift);
    if (units <= 0) // no frequency: deletes the channel or removes its transmit frequency
        return CommitFrequency(row, col, entry, limits);
    // A cell that lands nowhere (the transmit frequency of an empty channel) has nothing to report.
    if (col == ColTxFrequency && row.empty())
        return row;
    const ForeignFrequencyCheck check = CheckForeignFrequency(units, limits);
    auto note = [&](PasteNoteKind kind, std::string result = {}) {
        if (notes)
            notes->push_back({col, cell, kind, std::move(result)});
    };
    switch (check.verdict) {
    case ForeignFrequency::OutOfBand:
        note(PasteNoteKind::OutOfBand);
        return row;
    case ForeignFrequency::NotStorable:
        note(PasteNoteKind::NotStorable);
        return row;
    case ForeignFrequency::Rounded:
        note(PasteNoteKind::Rounded, check.text);
        break;
    case ForeignFrequency::Taken:
        break;
    }
    return CommitFrequency(row, col, check.text, limits);
}

ChannelTexts pasteCell(const ChannelTexts& row, ChannelColumn col, const std::string& cell,
                       const BandLimits& limits, std::vector<PasteNote>* notes)
{
    switch (col) {
    case ColRxFrequency:
    case ColTxFrequency:
        return pasteFrequency(row, col, cell, limits, notes);
    case ColRxTone:
    case ColTxTone:
        if (const auto tone = PastedToneText(cell))
            return CommitCell(row, col, *tone);
        return row;
    case ColName:
        return CommitCell(row, col, PastedNameText(cell));
    default:
        if (const auto choice = PastedChoiceText(col, cell))
            return CommitCell(row, col, *choice);
        return row;
    }
}

} // namespace

std::string JoinClipboardText(const CellBlock& block)
{
    std::string out;
    for (std::size_t r = 0; r < block.size(); ++r) {
        if (r > 0)
            out += '\n';
        for (std::size_t c = 0; c < block[r].size(); ++c) {
            if (c > 0)
                out += '\t';
            out += block[r][c];
        }
    }
    return out;
}

CellBlock SplitClipboardText(std::string_view text)
{
    CellBlock block;
    if (text.empty())
        return block;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        const bool last = end == std::string_view::npos;
        if (last)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        // The line end after the last row is not another, empty row.
        if (last && line.empty() && !block.empty())
            break;
        std::vector<std::string> cells;
        std::size_t cellStart = 0;
        while (true) {
            const std::size_t tab = line.find('\t', cellStart);
            cells.push_back(
                unquote(line.substr(cellStart, tab == std::string_view::npos ? line.npos : tab - cellStart)));
            if (tab == std::string_view::npos)
                break;
            cellStart = tab + 1;
        }
        block.push_back(std::move(cells));
        if (last)
            break;
        start = end + 1;
    }
    return block;
}

std::optional<std::string> PastedToneText(std::string_view cell)
{
    cell = trimBlanks(cell);
    if (cell == text::kNoTone)
        return std::string(text::kNoTone);
    const ToneChoice choice = ParseToneText(cell);
    if (choice.mode == ToneNone)
        return std::nullopt;
    const int index = FindTone(choice.mode, choice.value);
    if (index < 0)
        return std::nullopt;
    return BuildToneText(choice.mode, ToneList(choice.mode)[static_cast<std::size_t>(index)]);
}

std::optional<std::string> PastedChoiceText(ChannelColumn col, std::string_view cell)
{
    cell = trimBlanks(cell);
    for (std::string_view option : ChoiceOptions(col)) {
        if (option == cell)
            return std::string(option);
    }
    return std::nullopt;
}

std::string PastedNameText(std::string_view cell)
{
    const std::string filtered = FilterNameEntry(cell);
    std::size_t characters = 0; // the name editor holds as many characters as the radio
    std::size_t end = 0;
    for (; end < filtered.size(); ++end) {
        if (isUtf8Continuation(filtered[end]))
            continue;
        if (characters == map::kChannelNameSize)
            break;
        ++characters;
    }
    return filtered.substr(0, end);
}

ChannelTexts PasteIntoRow(const ChannelTexts& row, int first, const std::vector<std::string>& cells,
                          const BandLimits& limits, std::vector<PasteNote>* notes)
{
    ChannelTexts out = row;
    auto cellFor = [&](int col) -> const std::string* {
        const int i = col - first;
        if (i < 0 || static_cast<std::size_t>(i) >= cells.size())
            return nullptr;
        return &cells[static_cast<std::size_t>(i)];
    };
    if (const std::string* rx = cellFor(ColRxFrequency))
        out = pasteCell(out, ColRxFrequency, *rx, limits, notes);
    for (int col = std::max(first, kFirstDataColumn + 1); col <= kLastDataColumn; ++col) {
        if (const std::string* cell = cellFor(col))
            out = pasteCell(out, static_cast<ChannelColumn>(col), *cell, limits, notes);
    }
    return out;
}

ChannelTexts ClearCells(const ChannelTexts& row, int first, int last)
{
    ChannelTexts out = row;
    for (int col = first; col <= last; ++col) {
        if (!inRange(col))
            continue;
        switch (col) {
        case ColRxFrequency:
            return ChannelTexts{};
        case ColTxFrequency:
            out = CommitFrequency(out, ColTxFrequency, "", BandLimits{});
            break;
        case ColRxTone:
        case ColTxTone:
            out = CommitCell(out, static_cast<ChannelColumn>(col), text::kNoTone);
            break;
        case ColName:
            out = CommitCell(out, ColName, "");
            break;
        default:
            break;
        }
    }
    return out;
}

} // namespace orx
