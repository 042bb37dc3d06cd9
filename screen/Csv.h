#pragma once

// Comma-separated values as RFC 4180 writes them, read with the tolerance of files that went
// through a spreadsheet: CRLF, LF or CR line ends, quoted fields holding commas, quotes and line
// breaks, and a UTF-8 byte-order mark. Also the check that tells UTF-8 files from legacy code pages.

#include <string>
#include <string_view>
#include <vector>

namespace orx {

// One record of a CSV text and the line of the file it starts on (1 for the first line).
struct CsvRecord {
    int line = 0;
    std::vector<std::string> fields;
};

struct CsvParse {
    std::vector<CsvRecord> records;
    // A quoted field that never ends swallows the rest of the file; such a text is not taken at all.
    // 0 when every quote is closed, else the line the open quote is on.
    int unterminatedQuoteLine = 0;
};

// Splits text into records and fields. Empty lines give records with one empty field; the line
// end after the last record gives none. Characters after a closing quote up to the next delimiter
// are kept as part of the field.
CsvParse ParseCsv(std::string_view text, char delimiter = ',');

// A field as RFC 4180 writes it: quoted when it holds the delimiter, a quote, a line break or
// blanks at either end (which spreadsheets would otherwise drop), with quotes doubled.
std::string CsvQuote(std::string_view field, char delimiter = ',');
// One record with its CRLF line end.
std::string CsvLine(const std::vector<std::string>& fields, char delimiter = ',');

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);
// The text without a leading UTF-8 byte-order mark.
std::string_view StripUtf8Bom(std::string_view bytes);

} // namespace orx
