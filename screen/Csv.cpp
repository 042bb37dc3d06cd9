#include "Csv.h"

#include <cstdint>

namespace orx {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Moves past one line end at pos (CRLF counts once) and returns the new position.
std::size_t skipLineEnd(std::string_view text, std::size_t pos)
{
    if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')
        return pos + 2;
    return pos + 1;
}

} // namespace

CsvParse ParseCsv(std::string_view text, char delimiter)
{
    CsvParse out;
    std::size_t pos = 0;
    int line = 1;
    const std::size_t n = text.size();
    while (pos < n) {
        CsvRecord record;
        record.line = line;
        // One record: fields up to the line end that is not inside quotes.
        while (true) {
            std::string field;
            if (pos < n && text[pos] == '"') {
                const int quoteLine = line;
                ++pos;
                bool closed = false;
                while (pos < n) {
                    const char c = text[pos];
                    if (c == '"') {
                        if (pos + 1 < n && text[pos + 1] == '"') {
                            field += '"';
                            pos += 2;
                            continue;
                        }
                        ++pos;
                        closed = true;
                        break;
                    }
                    if (isLineEnd(c)) {
                        const std::size_t next = skipLineEnd(text, pos);
                        field.append(text.substr(pos, next - pos));
                        pos = next;
                        ++line;
                        continue;
                    }
                    field += c;
                    ++pos;
                }
                if (!closed) {
                    out.unterminatedQuoteLine = quoteLine;
                    out.records.clear();
                    return out;
                }
            }
            // Unquoted text, or what follows a closing quote.
            while (pos < n && text[pos] != delimiter && !isLineEnd(text[pos]))
                field += text[pos++];
            record.fields.push_back(std::move(field));
            if (pos < n && text[pos] == delimiter) {
                ++pos;
                continue;
            }
            break;
        }
        if (pos < n) {
            pos = skipLineEnd(text, pos);
            ++line;
        }
        out.records.push_back(std::move(record));
    }
    return out;
}

std::string CsvQuote(std::string_view field, char delimiter)
{
    const bool blankEdge = !field.empty() && (field.front() == ' ' || field.back() == ' ');
    if (!blankEdge && field.find_first_of(std::string{delimiter, '"', '\r', '\n'}) == std::string_view::npos)
        return std::string(field);
    std::string out = "\"";
    for (char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
    return out;
}

std::string CsvLine(const std::vector<std::string>& fields, char delimiter)
{
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += delimiter;
        out += CsvQuote(fields[i], delimiter);
    }
    out += "\r\n";
    return out;
}

bool IsValidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        std::uint32_t cp = 0;
        std::uint32_t minimum = 0;
        if ((lead & 0xE0) == 0xC0) {
            length = 2;
            cp = lead & 0x1Fu;
            minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            cp = lead & 0x0Fu;
            minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            cp = lead & 0x07u;
            minimum = 0x10000;
        } else {
            return false;
        }
        if (i + length > n)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const auto c = static_cast<unsigned char>(bytes[i + k]);
            if ((c & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (c & 0x3Fu);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

std::string_view StripUtf8Bom(std::string_view bytes)
{
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom)
        bytes.remove_prefix(kUtf8Bom.size());
    return bytes;
}

} // namespace orx
