#include "FeatureCodecs.h"

#include "ChannelCodec.h"
#include "DecimalScale.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace orx {

namespace {

bool isDigit(char32_t c)
{
    return c >= U'0' && c <= U'9';
}

bool isUpper(char32_t c)
{
    return c >= U'A' && c <= U'Z';
}

bool inSet(std::string_view set, char32_t c)
{
    return c < 0x80 && set.find(static_cast<char>(c)) != std::string_view::npos;
}

std::size_t presetOffset(int preset)
{
    if (preset < 1 || preset > map::kFmPresetCount) {
        std::fprintf(stderr, "FM preset %d does not exist\n", preset);
        std::abort();
    }
    return map::kFmPresetBase + static_cast<std::size_t>(preset - 1) * map::kFmPresetSize;
}

// The preset's four bytes as the span the channel frequency codec works on.
std::span<const std::uint8_t, 4> presetBytes(const RadioImage& image, int preset)
{
    return image.bytes(presetOffset(preset), map::kFmPresetSize).first<4>();
}

std::span<std::uint8_t, 4> presetBytes(RadioImage& image, int preset)
{
    return image.bytes(presetOffset(preset), map::kFmPresetSize).first<4>();
}

} // namespace

// --- DTMF -----------------------------------------------------------------------------------------

bool IsDtmfCharacter(char32_t c)
{
    return inSet(kDtmfCharacters, c);
}

DtmfSettings DecodeDtmf(const RadioImage& image)
{
    DtmfSettings dtmf;
    dtmf.txSideTone = image.bit(map::kDtmfFlags, map::kTxSideToneBit);
    dtmf.rxSideTone = image.bit(map::kDtmfFlags, map::kRxSideToneBit);
    // 0x00 and 0xFF are outside the set, so either ends the code.
    for (std::uint8_t b : image.bytes(map::kPttIdCode, map::kPttIdCodeSize)) {
        if (!IsDtmfCharacter(b))
            break;
        dtmf.code += static_cast<char>(b);
    }
    return dtmf;
}

void EncodeDtmf(const DtmfSettings& dtmf, RadioImage& image)
{
    image.setBits(map::kDtmfFlags, map::kRxSideToneBit, dtmf.rxSideTone ? map::kRxSideToneBit : 0);
    image.setBits(map::kDtmfFlags, map::kTxSideToneBit, dtmf.txSideTone ? map::kTxSideToneBit : 0);
    auto field = image.bytes(map::kPttIdCode, map::kPttIdCodeSize);
    std::fill(field.begin(), field.end(), std::uint8_t{0x00});
    const std::size_t n = std::min(dtmf.code.size(), field.size());
    for (std::size_t i = 0; i < n; ++i)
        field[i] = static_cast<std::uint8_t>(dtmf.code[i]);
}

// --- Side keys ------------------------------------------------------------------------------------

std::optional<std::string_view> SideKeyFunctionText(int code)
{
    if (code < 0 || code >= static_cast<int>(kSideKeyFunctions.size()))
        return std::nullopt;
    return kSideKeyFunctions[static_cast<std::size_t>(code)];
}

int SideKeyFunctionCode(std::string_view text)
{
    for (std::size_t code = 0; code < kSideKeyFunctions.size(); ++code) {
        if (kSideKeyFunctions[code] == text)
            return static_cast<int>(code);
    }
    return 0;
}

int SideKeyChoiceIndex(int code)
{
    const auto text = SideKeyFunctionText(code);
    if (!text)
        return -1;
    // The lists select the first item that begins with the text, searching from item 1 and
    // wrapping round to item 0.
    const std::size_t count = kSideKeyChoices.size();
    for (std::size_t k = 1; k <= count; ++k) {
        const std::size_t i = k % count;
        if (kSideKeyChoices[i].starts_with(*text))
            return static_cast<int>(i);
    }
    return -1;
}

SideKeyCodes DecodeSideKeys(const RadioImage& image)
{
    const std::uint8_t key1 = image.at(map::kSideKey1);
    const std::uint8_t key2 = image.at(map::kSideKey2);
    return {key1 >> 4, key1 & 0x0F, key2 >> 4, key2 & 0x0F};
}

void EncodeSideKeys(const SideKeyCodes& codes, RadioImage& image)
{
    auto pack = [](int shortPress, int longPress) {
        return static_cast<std::uint8_t>(((shortPress & 0x0F) << 4) | (longPress & 0x0F));
    };
    image.set(map::kSideKey1, pack(codes[Key1Short], codes[Key1Long]));
    image.set(map::kSideKey2, pack(codes[Key2Short], codes[Key2Long]));
}

// --- FM broadcast presets -------------------------------------------------------------------------

bool IsFmCharacter(char32_t c)
{
    return inSet(kFmCharacters, c);
}

std::string DecodeFmPreset(const RadioImage& image, int preset)
{
    const auto bytes = presetBytes(image, preset);
    const std::uint8_t top = bytes[3];
    if (top == 0x00 || top == 0xFF)
        return {};
    return FormatScaled(static_cast<std::int64_t>(DecodeBcdFrequency(bytes)), kFrequencyShift,
                        kFmTextDecimals);
}

void EncodeFmPreset(std::string_view text, int preset, RadioImage& image)
{
    const auto bytes = presetBytes(image, preset);
    if (text.empty()) {
        std::fill(bytes.begin(), bytes.end(), map::kErased);
        return;
    }
    // The same BCD as a channel frequency; a value that leaves no digit set is stored erased.
    EncodeBcdFrequency(DecimalScale(LeadingNumber(text), kFrequencyShift), bytes);
}

std::string NormaliseFmText(std::string_view text)
{
    if (text.empty())
        return {};
    const std::int64_t value =
        std::clamp(DecimalScale(LeadingNumber(text), kFrequencyShift), kFmLowest, kFmHighest);
    return FormatScaled(value, kFrequencyShift, kFmTextDecimals);
}

// --- Serial number --------------------------------------------------------------------------------

bool IsSerialNumberCharacter(char32_t c)
{
    return isDigit(c) || isUpper(c) || (c >= U'a' && c <= U'z');
}

std::string DecodeSerialNumber(const RadioImage& image)
{
    std::string text;
    for (std::uint8_t b : image.bytes(map::kSerialNumber, map::kSerialNumberSize)) {
        if (b == map::kErased || b == 0x00)
            break;
        text += static_cast<char>(b);
    }
    return text;
}

void EncodeSerialNumber(std::string_view text, RadioImage& image)
{
    auto field = image.bytes(map::kSerialNumber, map::kSerialNumberSize);
    std::fill(field.begin(), field.end(), map::kErased);
    const std::size_t n = std::min(text.size(), field.size());
    for (std::size_t i = 0; i < n; ++i)
        field[i] = static_cast<std::uint8_t>(text[i]);
}

bool HoldsSerialNumber(const RadioImage& image)
{
    const auto field = image.bytes(map::kSerialNumber, map::kSerialNumberSize);
    auto printable = [](std::uint8_t b) { return b >= kFirstPrintable && b <= kLastPrintable; };
    const auto end = std::find_if_not(field.begin(), field.end(), printable);
    if (end == field.begin())
        return false;
    // A channel record looks like this only when every BCD pair of its frequencies lies from 20 to
    // 79 and it has no tones, narrow bandwidth, low power and no scan: rare enough to side with the
    // serial number, which nothing else could keep.
    return std::all_of(end, field.end(), [](std::uint8_t b) { return b == map::kErased || b == 0x00; });
}

} // namespace orx
