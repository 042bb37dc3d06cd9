#include "ChannelEdit.h"

#include "ChannelCodec.h"
#include "DecimalScale.h"

#include <limits>

namespace orx {

namespace {

char asciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    if (prefix.size() > text.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (asciiUpper(text[i]) != asciiUpper(prefix[i]))
            return false;
    }
    return true;
}

} // namespace

std::uint32_t SnapToChannelStep(std::uint32_t value)
{
    if (value % kStep5kHz == 0 || value % kStep6k25Hz == 0)
        return value;
    const std::uint32_t r5 = value % kStep5kHz;
    const std::uint32_t r6 = value % kStep6k25Hz;
    return r5 > r6 ? value - r6 : value - r5;
}

std::uint32_t FrequencyFromEntry(std::string_view entry, const BandLimits& limits)
{
    // The scaled value stays 64 bits wide until it is clamped: a number too large for 32 bits must
    // land on the upper limit, not wrap around to a small or empty frequency.
    return FrequencyFromUnits(DecimalScale(LeadingNumber(entry), kFrequencyShift), limits);
}

std::uint32_t FrequencyFromUnits(std::int64_t units, const BandLimits& limits)
{
    if (units <= 0)
        return 0;
    auto v = static_cast<std::uint64_t>(units);
    if (v > limits.upper)
        v = limits.upper;
    if (v < limits.lower)
        v = limits.lower;
    return SnapToChannelStep(static_cast<std::uint32_t>(v));
}

std::string FrequencyEntryText(std::string_view entry, const BandLimits& limits)
{
    const std::uint32_t v = FrequencyFromEntry(entry, limits);
    return v == 0 ? std::string() : FormatScaled(v, kFrequencyShift, 5);
}

ForeignFrequencyCheck CheckForeignFrequency(std::int64_t units, const BandLimits& limits)
{
    ForeignFrequencyCheck check;
    if (units < static_cast<std::int64_t>(limits.lower) || units > static_cast<std::int64_t>(limits.upper))
        return check; // OutOfBand
    // Rounding down stays in the band: the lower edge is a whole MHz, on both rasters.
    const std::uint32_t snapped = SnapToChannelStep(static_cast<std::uint32_t>(units));
    if (snapped < kLowestStorableFrequency) {
        check.verdict = ForeignFrequency::NotStorable;
        return check;
    }
    check.verdict = snapped == units ? ForeignFrequency::Taken : ForeignFrequency::Rounded;
    check.value = snapped;
    check.text = FormatScaled(snapped, kFrequencyShift, 5);
    return check;
}

std::string BandRangeText(const BandLimits& limits)
{
    return std::to_string(limits.lower / kUnitsPerMHz) + "-" + std::to_string(limits.upper / kUnitsPerMHz) +
           " MHz";
}

ChannelTexts DefaultChannelTexts(const std::string& frequency)
{
    ChannelTexts t;
    t[ColRxFrequency] = frequency;
    t[ColTxFrequency] = frequency;
    t[ColRxTone] = std::string(text::kNoTone);
    t[ColTxTone] = std::string(text::kNoTone);
    t[ColBusyLockout] = std::string(text::kOff);
    t[ColPower] = std::string(text::kHigh);
    t[ColBandwidth] = std::string(text::kWide);
    t[ColScanAdd] = std::string(text::kYes);
    t[ColPttId] = std::string(text::kOff);
    return t;
}

ChannelTexts CommitFrequency(const ChannelTexts& row, ChannelColumn col, std::string_view entry,
                             const BandLimits& limits)
{
    const std::string text = FrequencyEntryText(entry, limits);
    const bool channelExists = !row.empty();
    ChannelTexts out = row;
    if (col == ColRxFrequency) {
        if (text.empty())
            out = ChannelTexts{};
        else if (!channelExists)
            out = DefaultChannelTexts(text);
        else
            out[ColRxFrequency] = text;
    } else if (col == ColTxFrequency) {
        out[ColTxFrequency] = channelExists ? text : std::string();
    }
    return out;
}

ChannelTexts CommitCell(const ChannelTexts& row, ChannelColumn col, std::string_view text)
{
    ChannelTexts out = row;
    if (col >= kFirstDataColumn && col <= kLastDataColumn)
        out[col] = row.empty() ? std::string() : std::string(text);
    return out;
}

std::span<const std::string_view> ChoiceOptions(ChannelColumn col)
{
    switch (col) {
    case ColBusyLockout:
        return kBusyLockoutOptions;
    case ColPower:
        return kPowerOptions;
    case ColBandwidth:
        return kBandwidthOptions;
    case ColScanAdd:
        return kScanAddOptions;
    case ColPttId:
        return kPttIdOptions;
    default:
        return {};
    }
}

int FindChoice(std::span<const std::string_view> options, std::string_view text)
{
    for (std::size_t i = 0; i < options.size(); ++i) {
        if (startsWithIgnoringCase(options[i], text))
            return static_cast<int>(i);
    }
    return -1;
}

std::string FilterFrequencyEntry(std::string_view utf8)
{
    // Bytes of multi-byte characters are all 0x80 and above, so a byte-wise test is exact.
    std::string out;
    for (char c : utf8) {
        if ((c >= '0' && c <= '9') || c == '.')
            out += c;
    }
    return out;
}

std::string FilterNameEntry(std::string_view utf8)
{
    // Bytes of characters beyond ASCII are all 0x80 and above and have no name code, so a
    // byte-wise test drops them whole.
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        const char u = asciiUpper(c);
        if (NameCode(u) != map::kErased)
            out += u;
    }
    return out;
}

} // namespace orx
