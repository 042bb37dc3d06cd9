#pragma once

// The blocks of the image that the feature dialogs edit: DTMF, side keys, FM broadcast presets and
// the board's serial number. The dialogs only move texts and list selections; every byte, bit and
// nibble is decided here.
//
//   0x81D  side key 1: short press bits 7-4, long press bits 3-0   (codes of kSideKeyFunctions)
//   0x81E  side key 2: the same
//   0x820  PTT ID code, 8 ASCII bytes from kDtmfCharacters, 0x00 after the last (none when full)
//   0x83C  bit 0 transmit side tone, bit 2 receive side tone (1 = on); other bits are kept
//   0xD80  FM presets 1..32, 4 bytes each: BCD of the frequency in 10 Hz units, low pair first
//          (87.50 MHz = 00 00 75 08); byte +3 of 0x00 or 0xFF is an empty preset
//   0x3E0  serial number, 16 bytes, one character per byte, 0xFF after the last; the same bytes as
//          channel 63's record

#include "RadioImage.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orx {

// --- DTMF -----------------------------------------------------------------------------------------

// What the PTT ID code may hold; a stored code also ends at its first byte outside this set.
inline constexpr std::string_view kDtmfCharacters = "0123456789ABCDabcd*#";
bool IsDtmfCharacter(char32_t c);

struct DtmfSettings {
    bool txSideTone = false;
    bool rxSideTone = false;
    std::string code; // one byte per character
    friend bool operator==(const DtmfSettings&, const DtmfSettings&) = default;
};

DtmfSettings DecodeDtmf(const RadioImage& image);
// Only the two side-tone bits of 0x83C change; the code fills 0x820-0x827 (at most 8 bytes of it)
// with 0x00 after it.
void EncodeDtmf(const DtmfSettings& dtmf, RadioImage& image);

// --- Side keys ------------------------------------------------------------------------------------

// The radio's functions by code: the code of a function is its position here.
inline constexpr std::array<std::string_view, 9> kSideKeyFunctions = {
    "关", "监听", "优先扫描", "高低功率", "脱网", "倒频", "声控开关", "DTMF呼叫", "收音机"};
// The functions a side key can be given here, in list order.
inline constexpr std::array<std::string_view, 5> kSideKeyChoices = {"关", "监听", "脱网", "倒频", "收音机"};

// The four assignments, in the order of the dialog's lists.
enum SideKeyPress { Key1Short, Key1Long, Key2Short, Key2Long };
inline constexpr int kSideKeyPressCount = 4;
using SideKeyCodes = std::array<int, kSideKeyPressCount>;

// The function's text of a code; codes 9 to 15 have none.
std::optional<std::string_view> SideKeyFunctionText(int code);
// The code of a function's text; a text that names no function (the empty one too) is "关", 0.
int SideKeyFunctionCode(std::string_view text);
// The item of kSideKeyChoices that shows code, or -1 when the lists do not offer it.
int SideKeyChoiceIndex(int code);

SideKeyCodes DecodeSideKeys(const RadioImage& image);
// Both bytes are written whole; codes are taken modulo 16.
void EncodeSideKeys(const SideKeyCodes& codes, RadioImage& image);

// --- FM broadcast presets -------------------------------------------------------------------------

inline constexpr std::string_view kFmCharacters = "0123456789.";
bool IsFmCharacter(char32_t c);
inline constexpr std::int64_t kFmLowest = 7600000;   // 76.00 MHz in 10 Hz units
inline constexpr std::int64_t kFmHighest = 10800000; // 108.00 MHz
inline constexpr int kFmTextDecimals = 2;

// The text a preset shows: empty, or MHz with two decimals. BCD digits above 9 are not refused:
// they enter the value as they are, and the value is shown unclamped.
std::string DecodeFmPreset(const RadioImage& image, int preset);
// Empty text erases the preset; other text is stored as the number it starts with.
void EncodeFmPreset(std::string_view text, int preset, RadioImage& image);
// What a typed text becomes: empty stays empty, anything else is taken into 76.00 to 108.00 MHz
// and shown with two decimals ("50" -> "76.00", "88.123" -> "88.12").
std::string NormaliseFmText(std::string_view text);

// --- Serial number --------------------------------------------------------------------------------

// What can be typed into the serial number (letters are stored in upper case).
bool IsSerialNumberCharacter(char32_t c);

// The bytes from 0x3E0 up to the first 0xFF or 0x00, at most 16, each one a character.
std::string DecodeSerialNumber(const RadioImage& image);
// 0x3E0-0x3EF become 0xFF, then the first 16 bytes of text are copied in.
void EncodeSerialNumber(std::string_view text, RadioImage& image);
// Whether the 16 bytes hold a serial number rather than channel 63: a run of 1 to 16 printable
// ASCII characters (0x20-0x7E), then only 0xFF or 0x00 up to the end. Serial numbers written by
// other tools ("SN-001", "ab12", padded with 0x00) count as well as this program's own.
inline constexpr std::uint8_t kFirstPrintable = 0x20;
inline constexpr std::uint8_t kLastPrintable = 0x7E;
bool HoldsSerialNumber(const RadioImage& image);

} // namespace orx
