#pragma once

// Channel cells as spreadsheets exchange them on the clipboard (a tab between cells, a line per
// row), and what pasting and clearing cells does to a row: every cell passes the rule of its
// editor, so a paste can put nothing into the grid that typing could not.

#include "Band.h"
#include "GridTexts.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orx {

using CellBlock = std::vector<std::vector<std::string>>; // rows of cells

// Rows joined by '\n', cells by '\t', no line end after the last row.
std::string JoinClipboardText(const CellBlock& block);
// Lines split at CRLF or LF (one line end after the last row is dropped), cells at tabs. A cell in
// quotes, as spreadsheets write cells holding quotes, loses them and its doubled quotes.
CellBlock SplitClipboardText(std::string_view text);

// The grid text a pasted tone cell stands for: "无" or a tone of the standard lists in the
// picker's spelling; nothing for any other text (the tone picker offers nothing else).
std::optional<std::string> PastedToneText(std::string_view cell);
// The option a pasted choice cell names exactly (ASCII letters without case); nothing otherwise.
std::optional<std::string> PastedChoiceText(ChannelColumn col, std::string_view cell);
// What the name editor makes of a pasted name: its filter, then at most eight characters.
std::string PastedNameText(std::string_view cell);

// What a paste did with a frequency cell other than taking it as it was.
enum class PasteNoteKind {
    OutOfBand,   // refused: outside the band in force; the grid cell stays as it was
    NotStorable, // refused: below what a channel record can hold
    Rounded,     // taken, rounded down to a channel step
};
struct PasteNote {
    ChannelColumn column = ColRxFrequency;
    std::string given; // the pasted cell
    PasteNoteKind kind = PasteNoteKind::OutOfBand;
    std::string result; // Rounded: the cell text it became
};

// The row after pasting cells from column first on (cells beyond the name are dropped). The
// receive frequency goes first, as on an empty channel, so that a new channel gets its defaults
// before the other cells land on it; cells of a channel without a receive frequency stay empty.
// A cell its editor could not produce leaves the grid cell as it is. A frequency is never moved
// into the band as a typed one is: one outside the band leaves its cell as it was (and a receive
// frequency with it the whole row), and notes, when given, receive what happened to such cells.
ChannelTexts PasteIntoRow(const ChannelTexts& row, int first, const std::vector<std::string>& cells,
                          const BandLimits& limits, std::vector<PasteNote>* notes = nullptr);

// The row after the Delete key on columns first..last: the receive frequency deletes the channel,
// the transmit frequency is removed, tones become "无" and the name empty, as their editors would
// leave them. A choice column always holds one of its options, so those cells stay.
ChannelTexts ClearCells(const ChannelTexts& row, int first, int last);

} // namespace orx
