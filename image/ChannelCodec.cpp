#include "ChannelCodec.h"

#include "DecimalScale.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace orx {

namespace {

constexpr std::uint64_t kMaxBcdFrequency = 99999999; // eight digits

int bcdValue(std::uint8_t b)
{
    return (b >> 4) * 10 + (b & 0x0F);
}

std::uint8_t toBcd(std::int64_t v)
{
    return static_cast<std::uint8_t>((v / 10) * 16 + v % 10);
}

bool contains(std::string_view text, std::string_view part)
{
    return text.find(part) != std::string_view::npos;
}

void checkChannel(int channel)
{
    if (channel < 1 || channel > map::kChannelCount) {
        std::fprintf(stderr, "channel %d does not exist\n", channel);
        std::abort();
    }
}

// Names are stored one byte per position of the text as the radio's code page spells it:
// a character outside ASCII takes two positions there, each stored as 0xFF.
int codePagePositions(unsigned char lead)
{
    return lead < 0x80 ? 1 : 2;
}

int utf8Length(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 1; // a stray continuation byte counts as one character
}

} // namespace

ChannelLocation LocateChannel(int channel)
{
    checkChannel(channel);
    const auto i = static_cast<std::size_t>(channel - 1);
    return {map::kChannelBase + i * map::kChannelRecordSize,
            map::kChannelNameBase + i * map::kChannelNameSize, map::kScanBitmapBase + i / 8,
            static_cast<std::uint8_t>(1u << (i % 8))};
}

std::uint64_t DecodeBcdFrequency(std::span<const std::uint8_t, 4> bytes)
{
    std::uint64_t value = 0;
    for (int k = 3; k >= 0; --k)
        value = value * 100 + static_cast<std::uint64_t>(bcdValue(bytes[static_cast<std::size_t>(k)]));
    return value;
}

void EncodeBcdFrequency(std::int64_t value, std::span<std::uint8_t, 4> bytes)
{
    if (value <= 0) {
        for (auto& b : bytes)
            b = 0xFF;
        return;
    }
    std::int64_t f = std::min<std::int64_t>(value, static_cast<std::int64_t>(kMaxBcdFrequency));
    std::int64_t divisor = 1000000;
    for (int k = 3; k >= 0; --k) {
        const std::int64_t a = f / divisor;
        f %= divisor;
        divisor /= 100;
        bytes[static_cast<std::size_t>(k)] = toBcd(a);
    }
}

std::string FrequencyText(std::uint64_t value)
{
    return FormatScaled(static_cast<std::int64_t>(value), kFrequencyShift, 5);
}

std::string DecodeTone(std::uint8_t high, std::uint8_t low)
{
    if (high == 0x00 || high == 0xFF)
        return std::string(text::kNoTone);
    if (high < 0x80) {
        const int value = bcdValue(high) * 100 + bcdValue(low);
        return std::string(text::kAnalogPrefix) + FormatScaled(value, kToneShift, 1);
    }
    const bool inverted = high >= 0xC0;
    const std::uint8_t base = inverted ? 0xC0 : 0x80;
    const int code = (high - base) * 100 + bcdValue(low);
    std::string out(text::kDigitalPrefix);
    if (high == base)
        out += '0';
    out += std::to_string(code);
    out += inverted ? text::kDcsInverted : text::kDcsNormal;
    return out;
}

void EncodeTone(std::string_view toneText, std::uint8_t& low, std::uint8_t& high)
{
    low = 0xFF;
    high = 0xFF;
    if (contains(toneText, text::kNoTone))
        return;
    // The value part: after the first ':' up to the first blank.
    std::string_view value;
    if (const auto colon = toneText.find(':'); colon != std::string_view::npos) {
        value = toneText.substr(colon + 1);
        const auto blank = value.find_first_of(" \t\r\n\v\f");
        if (blank != std::string_view::npos)
            value = value.substr(0, blank);
    }
    if (contains(toneText, text::kAnalogWord)) {
        std::int64_t v = DecimalScale(LeadingNumber(value), kToneShift);
        if (v < 0)
            v = 0;
        low = toBcd(v % 100);
        high = toBcd((v / 100) % 100);
        return;
    }
    const bool normal = value.find(text::kDcsNormal) != std::string_view::npos;
    const bool inverted = !normal && value.find(text::kDcsInverted) != std::string_view::npos;
    if (!normal && !inverted)
        return;
    int code = LeadingInteger(value);
    if (code < 0)
        code = 0;
    const int h = code / 100 + (normal ? 0x80 : 0xC0);
    // A code this large (inverted from 6300, normal from 12700) would put 0xFF, the mark of no
    // tone, into the high byte or overflow it. Store the pair that means no tone, as the next load
    // would read it anyway; otherwise a second save would still change the low byte.
    if (h >= 0xFF)
        return;
    high = static_cast<std::uint8_t>(h);
    low = toBcd(code % 100);
}

char NameCharacter(std::uint8_t code)
{
    if (code <= 9)
        return static_cast<char>('0' + code);
    if (code <= 35)
        return static_cast<char>('A' + (code - 10));
    if (code == 36)
        return '-';
    if (code == 37)
        return ' ';
    return 0;
}

std::uint8_t NameCode(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<std::uint8_t>(c - '0');
    if (c >= 'A' && c <= 'Z')
        return static_cast<std::uint8_t>(c - 'A' + 10);
    if (c == '-')
        return 36;
    if (c == ' ')
        return 37;
    return 0xFF;
}

std::string DecodeName(std::span<const std::uint8_t, 8> bytes)
{
    std::string name;
    for (std::uint8_t code : bytes) {
        const char c = NameCharacter(code);
        if (c == 0) // 0xFF ends the name; codes 38-254 have no character and end it as well
            break;
        name += c;
    }
    return name;
}

void EncodeName(std::string_view name, std::span<std::uint8_t, 8> bytes)
{
    std::size_t pos = 0;
    std::size_t i = 0;
    while (pos < bytes.size() && i < name.size()) {
        const auto lead = static_cast<unsigned char>(name[i]);
        const int positions = codePagePositions(lead);
        if (positions == 1) {
            bytes[pos++] = NameCode(name[i]);
        } else {
            for (int k = 0; k < positions && pos < bytes.size(); ++k)
                bytes[pos++] = 0xFF;
        }
        i += static_cast<std::size_t>(utf8Length(lead));
    }
    for (; pos < bytes.size(); ++pos)
        bytes[pos] = 0xFF;
}

ChannelTexts DecodeChannel(const RadioImage& image, int channel)
{
    ConstChannelRecord record(image, channel);
    ChannelTexts t;
    if (record.isEmpty())
        return t;

    std::array<std::uint8_t, 4> freq{};
    for (std::size_t k = 0; k < 4; ++k)
        freq[k] = record.byte(rec::kRxFrequency + k);
    t[ColRxFrequency] = FrequencyText(DecodeBcdFrequency(freq));

    const std::uint8_t txTop = record.byte(rec::kTxFrequency + rec::kFrequencyTop);
    if (txTop != 0x00 && txTop != 0xFF) {
        for (std::size_t k = 0; k < 4; ++k)
            freq[k] = record.byte(rec::kTxFrequency + k);
        t[ColTxFrequency] = FrequencyText(DecodeBcdFrequency(freq));
    }

    t[ColRxTone] = DecodeTone(record.byte(rec::kRxToneHigh), record.byte(rec::kRxToneLow));
    t[ColTxTone] = DecodeTone(record.byte(rec::kTxToneHigh), record.byte(rec::kTxToneLow));

    const std::uint8_t flags = record.byte(rec::kFlagsByte);
    const int busy = (flags & rec::kBusyLockoutMask) >> 1;
    if (busy < static_cast<int>(kBusyLockoutOptions.size()))
        t[ColBusyLockout] = kBusyLockoutOptions[static_cast<std::size_t>(busy)];
    t[ColPower] = (flags & rec::kHighPowerBit) ? text::kHigh : text::kLow;
    t[ColBandwidth] = (flags & rec::kWideBit) ? text::kWide : text::kNarrow;
    t[ColScanAdd] = record.scanAdd() ? text::kYes : text::kNo;
    t[ColPttId] = kPttIdOptions[record.byte(rec::kPttIdByte) & rec::kPttIdMask];

    std::array<std::uint8_t, 8> name{};
    for (std::size_t k = 0; k < 8; ++k)
        name[k] = record.nameByte(k);
    t[ColName] = DecodeName(name);
    return t;
}

void EncodeChannel(const ChannelTexts& t, int channel, RadioImage& image)
{
    ChannelRecord channelRec(image, channel);
    const ChannelLocation& loc = channelRec.location();
    auto record = image.bytes(loc.record, map::kChannelRecordSize);

    if (t[ColRxFrequency].empty()) {
        // No receive frequency: the channel is empty. Tones, flags, name and scan bit stay.
        for (std::size_t k = 0; k < 8; ++k)
            record[k] = 0xFF;
    } else {
        EncodeBcdFrequency(DecimalScale(LeadingNumber(t[ColRxFrequency]), kFrequencyShift),
                           record.subspan<rec::kRxFrequency, 4>());
        EncodeBcdFrequency(DecimalScale(LeadingNumber(t[ColTxFrequency]), kFrequencyShift),
                           record.subspan<rec::kTxFrequency, 4>());
        EncodeTone(t[ColRxTone], record[rec::kRxToneLow], record[rec::kRxToneHigh]);
        EncodeTone(t[ColTxTone], record[rec::kTxToneLow], record[rec::kTxToneHigh]);

        std::uint8_t flags = record[rec::kFlagsByte];
        const std::string& busy = t[ColBusyLockout];
        if (busy == text::kOff)
            flags &= static_cast<std::uint8_t>(~rec::kBusyLockoutMask);
        else if (busy == text::kCarrier)
            flags = static_cast<std::uint8_t>((flags & ~rec::kBusyLockoutMask) | rec::kBusyCarrierBit);
        else if (busy == text::kSubTone)
            flags = static_cast<std::uint8_t>((flags & ~rec::kBusyLockoutMask) | rec::kBusyToneBit);
        // any other text (the empty cell of lockout value 3) leaves the bits as they are

        auto setFlag = [&flags](std::uint8_t bit, bool on) {
            flags = static_cast<std::uint8_t>(on ? (flags | bit) : (flags & ~bit));
        };
        setFlag(rec::kHighPowerBit, t[ColPower] == text::kHigh);
        setFlag(rec::kWideBit, t[ColBandwidth] == text::kWide);
        const bool scan = t[ColScanAdd] == text::kYes;
        setFlag(rec::kScanCopyBit, scan);
        record[rec::kFlagsByte] = flags;
        channelRec.setScanAdd(scan);

        int ptt = 0;
        for (std::size_t v = 1; v < kPttIdOptions.size(); ++v) {
            if (t[ColPttId] == kPttIdOptions[v])
                ptt = static_cast<int>(v);
        }
        record[rec::kPttIdByte] =
            static_cast<std::uint8_t>((record[rec::kPttIdByte] & ~rec::kPttIdMask) | ptt);

        EncodeName(t[ColName], image.bytes(loc.name, map::kChannelNameSize).first<8>());
    }
    // In every channel, empty or not, the reserved bit is written as 0.
    record[rec::kFlagsByte] &= static_cast<std::uint8_t>(~rec::kReservedBit);
}

} // namespace orx
