#pragma once

// Channel records and the grid texts they show as.
//
// A channel n (1..128, i = n - 1) is three pieces of the image:
//   record  16 bytes at i * 16
//   name     8 bytes at 0x850 + i * 8, one character code per byte, 0xFF after the last
//   scan add one bit: byte 0xC50 + i / 8, bit i % 8
//
//   byte  0  1  2  3 | 4  5  6  7 | 8  9 | 10 11 | 12        | 13    | 14 15
//         rx freq    | tx freq    | rx   | tx    | PTT ID    | flags | kept
//         BCD, 10 Hz | as rx      | tone | tone  | bits 0-1  |       |
//         LSB first  |            | L  H | L  H  | 2-7 kept  |       |
//
//   byte 13:  7 6   5      4          3           2 1            0
//            kept  power  bandwidth  scan copy   busy lockout   reserved, written 0
//                  1=high 1=wide     (= bitmap)  0 off 1 carrier 2 tone
//
// Tone code (H, L): H 0x00/0xFF none; 0x01-0x7F CTCSS, BCD 0.1 Hz (H high digits);
// 0x80-0xBF DCS normal, code (H-0x80)*100 + BCD(L); 0xC0-0xFE DCS inverted, same with 0xC0.
// Name codes: 0-9 digits, 10-35 A-Z, 36 '-', 37 space; 0xFF ends the name.

#include "GridTexts.h"
#include "RadioImage.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

namespace orx {

// Where channel n (1..128) lives in the image.
struct ChannelLocation {
    std::size_t record;
    std::size_t name;
    std::size_t scanByte;
    std::uint8_t scanMask;
};
ChannelLocation LocateChannel(int channel);

// Byte positions and masks within a channel record.
namespace rec {
inline constexpr std::size_t kRxFrequency = 0;
inline constexpr std::size_t kTxFrequency = 4;
inline constexpr std::size_t kFrequencySize = 4;
inline constexpr std::size_t kFrequencyTop = 3; // the top byte decides whether a frequency is set
inline constexpr std::size_t kRxToneLow = 8;
inline constexpr std::size_t kRxToneHigh = 9;
inline constexpr std::size_t kTxToneLow = 10;
inline constexpr std::size_t kTxToneHigh = 11;
inline constexpr std::size_t kPttIdByte = 12;
inline constexpr std::size_t kFlagsByte = 13;

inline constexpr std::uint8_t kPttIdMask = 0x03;
inline constexpr std::uint8_t kReservedBit = 0x01;
inline constexpr std::uint8_t kBusyLockoutMask = 0x06;
inline constexpr std::uint8_t kBusyCarrierBit = 0x02;
inline constexpr std::uint8_t kBusyToneBit = 0x04;
inline constexpr std::uint8_t kScanCopyBit = 0x08;
inline constexpr std::uint8_t kWideBit = 0x10;
inline constexpr std::uint8_t kHighPowerBit = 0x20;
} // namespace rec

// A view of one channel's bytes (record, name, scan bit). Reading works on a const image;
// the setters exist only for a writable one. Offsets are checked: a position outside the
// record or name aborts.
template <class Image> class BasicChannelRecord {
public:
    BasicChannelRecord(Image& image, int channel) : m_image(image), m_loc(LocateChannel(channel)) {}

    const ChannelLocation& location() const { return m_loc; }

    std::uint8_t byte(std::size_t k) const
    {
        return m_image.at(m_loc.record + checked(k, map::kChannelRecordSize));
    }
    std::uint8_t nameByte(std::size_t k) const
    {
        return m_image.at(m_loc.name + checked(k, map::kChannelNameSize));
    }
    bool scanAdd() const { return m_image.bit(m_loc.scanByte, m_loc.scanMask); }
    // A channel without a receive frequency: top byte 0x00 or 0xFF, whatever else it holds.
    bool isEmpty() const
    {
        const std::uint8_t top = byte(rec::kRxFrequency + rec::kFrequencyTop);
        return top == 0x00 || top == 0xFF;
    }

    void setByte(std::size_t k, std::uint8_t value) requires(!std::is_const_v<Image>)
    {
        m_image.set(m_loc.record + checked(k, map::kChannelRecordSize), value);
    }
    void setNameByte(std::size_t k, std::uint8_t value) requires(!std::is_const_v<Image>)
    {
        m_image.set(m_loc.name + checked(k, map::kChannelNameSize), value);
    }
    void setScanAdd(bool on) requires(!std::is_const_v<Image>)
    {
        m_image.setBits(m_loc.scanByte, m_loc.scanMask, on ? m_loc.scanMask : 0);
    }

private:
    static std::size_t checked(std::size_t k, std::size_t size)
    {
        if (k >= size)
            std::abort();
        return k;
    }

    Image& m_image;
    ChannelLocation m_loc;
};

using ChannelRecord = BasicChannelRecord<RadioImage>;
using ConstChannelRecord = BasicChannelRecord<const RadioImage>;

// Four packed-BCD bytes, least significant pair first. Nibbles above 9 are not refused: they
// enter the sum as they are (0xA5 counts as 105).
std::uint64_t DecodeBcdFrequency(std::span<const std::uint8_t, 4> bytes);
// Writes value (10 Hz units) as eight BCD digits; 0 or less gives 0xFF x 4. Values above the
// eight digits the field holds are stored as 99999999.
void EncodeBcdFrequency(std::int64_t value, std::span<std::uint8_t, 4> bytes);

// "%3.5f" of value / 100000: 14512500 -> "145.12500".
std::string FrequencyText(std::uint64_t value);

std::string DecodeTone(std::uint8_t high, std::uint8_t low);
void EncodeTone(std::string_view text, std::uint8_t& low, std::uint8_t& high);

std::string DecodeName(std::span<const std::uint8_t, 8> bytes);
void EncodeName(std::string_view text, std::span<std::uint8_t, 8> bytes);
// The character of a name code, or 0 when the code has none.
char NameCharacter(std::uint8_t code);
// The code of a name character, 0xFF when the name table has no such character.
std::uint8_t NameCode(char c);

// The ten grid texts of channel n (1..128); all empty for an empty channel.
ChannelTexts DecodeChannel(const RadioImage& image, int channel);
// Grid texts back into the record, name and scan bit of channel n.
void EncodeChannel(const ChannelTexts& texts, int channel, RadioImage& image);

} // namespace orx
