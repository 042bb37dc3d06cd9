#pragma once

// The tone picker's logic: a tone text of the grid turned into a picker mode and list value, the
// lists each mode offers, and the tone text a chosen list entry gives back.
//
//   mode 0 no tone "无" | 1 DCS normal 数字:023N | 2 CTCSS 模拟:67.0 | 3 DCS inverted 数字:023I
//
// The mode numbers are the offsets of the picker's radio buttons from the "无" button.

#include <span>
#include <string>
#include <string_view>

namespace orx {

enum ToneMode : int {
    ToneNone = 0,
    ToneDcsNormal = 1,
    ToneCtcss = 2,
    ToneDcsInverted = 3,
};

// The picker's grid: entry i of a list stands at row i % 15, column i / 15.
inline constexpr int kToneGridRows = 15;
inline constexpr int kToneGridCols = 7;

struct ToneChoice {
    int mode = ToneNone;
    std::string value; // the list text the tone text names, e.g. "67.0" or "023"
    friend bool operator==(const ToneChoice&, const ToneChoice&) = default;
};

// Read in this order: "无" (any case) is no tone; a text holding 'N' is DCS normal with the text
// between the first ':' and the next 'N'; one holding 'I' is DCS inverted likewise; one holding
// "模拟" is CTCSS with the word after the first ':'. Anything else is no tone.
ToneChoice ParseToneText(std::string_view text);

// The list a mode offers (DCS codes, CTCSS tones); empty for no tone or an unknown mode.
std::span<const std::string_view> ToneList(int mode);

// Index of the first entry of the mode's list equal to value (ASCII letters without case), or -1.
int FindTone(int mode, std::string_view value);

// The tone text for the entry text cell in a mode; "无" for no tone and for unknown modes.
std::string BuildToneText(int mode, std::string_view cell);

} // namespace orx
