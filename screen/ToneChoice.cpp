#include "ToneChoice.h"

#include "GridTexts.h"
#include "Tones.h"

namespace orx {

namespace {

char asciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiUpper(a[i]) != asciiUpper(b[i]))
            return false;
    }
    return true;
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The text after the first ':', provided something stands in front of it; nothing otherwise.
std::string_view afterFirstColon(std::string_view text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0)
        return {};
    return text.substr(colon + 1);
}

} // namespace

ToneChoice ParseToneText(std::string_view text)
{
    ToneChoice choice;
    if (equalIgnoringCase(text, text::kNoTone))
        return choice;
    if (text.find(text::kDcsNormal) != std::string_view::npos) {
        choice.mode = ToneDcsNormal;
        const std::string_view rest = afterFirstColon(text);
        choice.value = std::string(rest.substr(0, rest.find(text::kDcsNormal)));
    } else if (text.find(text::kDcsInverted) != std::string_view::npos) {
        choice.mode = ToneDcsInverted;
        const std::string_view rest = afterFirstColon(text);
        choice.value = std::string(rest.substr(0, rest.find(text::kDcsInverted)));
    } else if (text.find(text::kAnalogWord) != std::string_view::npos) {
        choice.mode = ToneCtcss;
        std::string_view rest = afterFirstColon(text);
        std::size_t start = 0;
        while (start < rest.size() && isSpace(rest[start]))
            ++start;
        std::size_t end = start;
        while (end < rest.size() && !isSpace(rest[end]))
            ++end;
        choice.value = std::string(rest.substr(start, end - start));
    }
    return choice;
}

std::span<const std::string_view> ToneList(int mode)
{
    switch (mode) {
    case ToneDcsNormal:
    case ToneDcsInverted:
        return DcsCodes;
    case ToneCtcss:
        return CtcssTones;
    default:
        return {};
    }
}

int FindTone(int mode, std::string_view value)
{
    const auto list = ToneList(mode);
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (equalIgnoringCase(list[i], value))
            return static_cast<int>(i);
    }
    return -1;
}

std::string BuildToneText(int mode, std::string_view cell)
{
    switch (mode) {
    case ToneDcsNormal:
        return std::string(text::kDigitalPrefix) + std::string(cell) + text::kDcsNormal;
    case ToneCtcss:
        return std::string(text::kAnalogPrefix) + std::string(cell);
    case ToneDcsInverted:
        return std::string(text::kDigitalPrefix) + std::string(cell) + text::kDcsInverted;
    default:
        return std::string(text::kNoTone);
    }
}

} // namespace orx
