#pragma once

// The channel table in the common multi-radio channel CSV: the export of the grid's rows, and the
// import of such a file into the grid's rows under the rules of typed input, with a result for
// every row of the file.
//
//   Location      channel number, 1..128
//   Name          channel name; read in capitals, reduced to 0-9 A-Z '-' space, at most 8
//   Frequency     receive frequency, MHz with 6 decimals
//   Duplex        ""  transmit = receive        "+" / "-"  receive plus / minus Offset
//                 "split"  Offset is the transmit frequency    "off"  no transmit frequency
//   Offset        MHz with 6 decimals
//   Tone          ""  no tone            "Tone"  transmit CTCSS rToneFreq, no receive tone
//                 "TSQL"  CTCSS cToneFreq both ways   "DTCS"  DCS DtcsCode both ways
//                 "Cross" as CrossMode says: "A->B", A the transmit side, B the receive side,
//                 each "Tone" (rToneFreq out, cToneFreq in), "DTCS" (DtcsCode out, RxDtcsCode in)
//                 or empty
//   rToneFreq, cToneFreq     CTCSS in Hz ("88.5")
//   DtcsCode, RxDtcsCode     DCS codes, three digits ("023")
//   DtcsPolarity  two letters, transmit then receive, N normal or R inverted
//   Mode          "FM" wide, "NFM" narrow
//   TStep         "5.00" when both frequencies are on the 5 kHz raster, else "6.25" (not read)
//   Skip          "" in the scan list, "S" not
//   Power         "High" / "Low"; read as High, Hi, H, Low, Lo, L or watts (2 W and more is high);
//                 any other level (Mid, Med, M of three-level radios) is high, with a warning
//   Comment, URCALL, RPT1CALL, RPT2CALL, DVCODE   written empty, not read
//
// Import finds the columns by name in any order and ignores those it does not know. Only Location
// and Frequency are required: a column the file lacks leaves its field as the channel has it (a new
// channel has the defaults row). Without RxDtcsCode the receive DCS code is DtcsCode; without
// CrossMode a "Cross" row is "Tone->Tone". A receive or transmit frequency outside the band in force
// refuses the row: a file never puts a channel on a frequency it did not give. What a row reports is
// what saving stores of it, decoded again.

#include "Band.h"
#include "GridTexts.h"
#include "MemoryMap.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orx {

// The 128 channel rows of the grid; [0] is channel 1.
using ChannelTable = std::array<ChannelTexts, map::kChannelCount>;

// The header export writes, in this order.
inline constexpr std::array<std::string_view, 21> kCsvColumns = {
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};

// Written into the tone fields a channel's tone mode does not use, as other tools do.
inline constexpr std::string_view kCsvCtcssPlaceholder = "88.5";
inline constexpr std::string_view kCsvDcsPlaceholder = "023";
inline constexpr std::string_view kCsvCrossModePlaceholder = "Tone->Tone";

// A transmit frequency farther than this from the receive frequency (10 Hz units) is written as
// "split"; nearer ones as a "+" or "-" offset, the way repeater channels are usually given.
inline constexpr std::uint32_t kLargestCsvOffset = 1000000; // 10 MHz

// The fields of one channel in the order of kCsvColumns, as saving would store the row; nothing
// for a row that saving stores as an empty channel.
std::optional<std::vector<std::string>> ChannelCsvFields(int channel, const ChannelTexts& row);

// The CSV file of the table: the header, then every channel with a receive frequency, in channel
// order; CRLF line ends, UTF-8 (the fields are plain ASCII), no byte-order mark.
std::string ExportChannelCsv(const ChannelTable& channels);

// Channel files are small (a full radio is under 20 KiB); a larger input is refused unread.
inline constexpr std::size_t kCsvFileSizeLimit = 16 * 1024 * 1024;

// Why a whole file is not taken.
enum class CsvProblem {
    None,
    TooLarge,          // more than kCsvFileSizeLimit bytes
    NotText,           // neither UTF-8 nor the legacy code page
    BrokenUtf8,        // begins with the UTF-8 byte-order mark, but is not UTF-8 (problemLine: where)
    UnterminatedQuote, // a quoted field runs to the end of the file
    NoHeader,          // nothing but blank lines
    MissingColumn,     // no Location or no Frequency column
};

enum class CsvOutcome { Added, Changed, Unchanged, Refused };

// Why a row is refused; the field is in CsvRowResult::value.
enum class CsvRefusal {
    None,
    BadLocation,       // not a channel number from 1 to 128
    DuplicateLocation, // an earlier row of the file already set this channel
    BadFrequency,      // not a frequency in MHz
    BadDuplex,
    BadOffset, // not a number, or no transmit frequency results
    BadToneMode,
    BadCrossMode,
    BadCtcss, // not a number or not among the standard CTCSS tones
    BadDcs,   // not among the standard DCS codes (value empty: the row gives no code at all)
    BadPolarity,
    BadMode,
    BadSkip,
    RxOutOfBand,     // the receive frequency lies outside the band in force (CsvImport::limits)
    TxOutOfBand,     // the transmit frequency the row gives lies outside it (value: that frequency)
    NotStorable,     // a frequency below what a channel record can hold (value: that frequency)
    SerialNumberRow, // the channel's record holds the board's serial number
};

// What an imported row keeps, but the user should know.
enum class CsvWarningKind {
    UnknownPower,  // a Power level neither clearly high nor clearly low, taken as high (value: the level)
    NameCollision, // the name, cut to what the radio holds, is also channel `channel`'s name
};
struct CsvWarning {
    CsvWarningKind kind = CsvWarningKind::UnknownPower;
    std::string value;
    int channel = 0;
};

// A value the rules of typed input changed on the way into the grid: a frequency rounded down to a
// channel step, a name reduced to what the radio can show.
struct CsvAdjustment {
    ChannelColumn column;
    std::string given;  // as the file gave it (a transmit frequency as computed from the row)
    std::string result; // the grid text
};

struct CsvRowResult {
    int line = 0;     // of the file, 1 for the header line
    int location = 0; // the channel, 0 when Location names none
    CsvOutcome outcome = CsvOutcome::Refused;
    CsvRefusal refusal = CsvRefusal::None;
    std::string value;                      // the refused field
    int firstLine = 0;                      // DuplicateLocation: the line that set the channel
    std::vector<ChannelColumn> changed;     // the grid columns whose texts changed
    std::vector<CsvAdjustment> adjustments; // of an added or changed row
    std::vector<CsvWarning> warnings;       // of an added, changed or unchanged row
};

// How the rows of a file found their channels.
enum class CsvNumbering {
    ByLocation,       // the Location column, 1..128
    ShiftedFromZero,  // the Location column counts from 0 (lists of other programs): channel = Location + 1
    FromFirstChannel, // the Location column ignored: the rows go to the channels from a first one on
};

// Where an import puts the rows: by their Location (firstChannel 0), or in file order on the channels
// from firstChannel on, past the channels listed in skip (row 63 while it holds the serial number).
struct CsvPlacement {
    int firstChannel = 0;
    std::vector<int> skip;
};

struct CsvImport {
    CsvProblem problem = CsvProblem::None;
    CsvNumbering numbering = CsvNumbering::ByLocation;
    int firstChannel = 0;      // FromFirstChannel: the first channel given
    int problemLine = 0;       // UnterminatedQuote: where the open quote is; BrokenUtf8: the first bad line
    std::string missingColumn; // MissingColumn
    std::vector<CsvRowResult> rows; // one per non-blank row after the header, in file order
    ChannelTable channels;          // the table after the import (as before when the file is refused)
    BandLimits limits;              // the band the frequencies were checked against

    int count(CsvOutcome outcome) const;
    // The rows in the order a report lists them: the refused ones first, each group in file order.
    std::vector<const CsvRowResult*> reportOrder() const;
};

// Converts text of a legacy code page to UTF-8; nothing when the bytes are not valid in it.
using LegacyDecoder = std::function<std::optional<std::string>(std::string_view)>;

// The UTF-8 text of a file: without its byte-order mark when it is UTF-8, else what the decoder
// makes of it (spreadsheets on Chinese systems save GBK). problem says why there is none: bytes
// with NULs in them (UTF-16 and binary files) or that neither reading takes are NotText, a
// byte-order mark before text that is not UTF-8 is BrokenUtf8 (problemLine: the first bad line).
struct CsvText {
    std::optional<std::string> utf8;
    CsvProblem problem = CsvProblem::None;
    int problemLine = 0;
};
CsvText CsvFileText(std::string_view bytes, const LegacyDecoder& legacyToUtf8);

// Applies a CSV text to the table. Channels the file does not name stay as they are; every value
// passes the rules of the cell editors (channel steps, name characters, standard tones), and a
// frequency outside the band refuses its row.
// With a placement from a first channel, the Location column is not needed, and a row past channel
// 128 is refused as BadLocation with the channel it would get as its value. A file whose Location
// column holds 0 counts from 0, and every row goes one channel further.
CsvImport ImportChannelCsv(std::string_view utf8, const ChannelTable& before, const BandLimits& limits,
                           const CsvPlacement& placement = {});
// The same from the bytes of a file (TooLarge beyond kCsvFileSizeLimit: read at most one byte more).
CsvImport ImportChannelCsvFile(std::string_view bytes, const ChannelTable& before, const BandLimits& limits,
                               const LegacyDecoder& legacyToUtf8, const CsvPlacement& placement = {});

// A name as the radio can hold it: capitals, digits, '-' and space only, at most 8 characters.
std::string ReduceChannelName(std::string_view utf8);

} // namespace orx
