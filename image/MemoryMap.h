#pragma once

// Where everything lives in the radio's 4096-byte configuration memory. Every offset, length and
// mask of the image is named here once; the codecs and dialogs use these names, never bare numbers.
//
//   0x000 +-----------------------------+ channel records 1..128, 16 bytes each
//         |  ch 63 at 0x3E0 doubles as  |
//         |  the board's serial number  |
//   0x800 +-----------------------------+
//   0x80A   radio data, no editor (2)
//   0x810   radio-wide settings (6)       0x816 radio data, no editor (3)
//   0x819   end-of-tx tone, priority ch   0x81D side keys (2)
//   0x820   DTMF PTT ID code (8)          0x839 radio data, no editor (2)
//   0x83C   DTMF side-tone flags          0x840 password (6)
//   0x850 +-----------------------------+ channel names, 8 bytes each
//   0xC50   scan-add bitmap (16)
//   0xD80   FM presets 1..32, 4 bytes each
//   0xFD2   band list index, 0xFD3 model list index
//   0xFF0   band edges (3)                0xFF8 power calibration (6)
//   0xFFF +-----------------------------+

#include <cstddef>
#include <cstdint>

namespace orx::map {

// The image as a whole.
inline constexpr std::size_t kImageSize = 4096;
inline constexpr std::size_t kRowCount = 256; // the image seen as rows of 16 bytes
inline constexpr std::size_t kRowLength = 16;
inline constexpr std::uint8_t kErased = 0xFF;

// Channels.
inline constexpr int kChannelCount = 128;
inline constexpr std::size_t kChannelBase = 0x000;
inline constexpr std::size_t kChannelRecordSize = 16;
inline constexpr std::size_t kChannelNameBase = 0x850;
inline constexpr std::size_t kChannelNameSize = 8;
inline constexpr std::size_t kScanBitmapBase = 0xC50;
inline constexpr std::size_t kScanBitmapSize = 16;

// Electronic serial number: the same 16 bytes as channel 63's record.
inline constexpr std::size_t kSerialNumber = 0x3E0;
inline constexpr std::size_t kSerialNumberSize = 16;
inline constexpr int kSerialNumberChannel = 63;

// Radio-wide settings.
inline constexpr std::size_t kDisplayMode = 0x810;     // bits 0-1; bit 7 set by a new document
inline constexpr std::size_t kScanAndTail = 0x811;     // scan mode bits 0-1, tail elimination bits 6-7
inline constexpr std::size_t kSwitches = 0x812;        // manual bit 7, beep bit 6, battery save bit 2
inline constexpr std::size_t kSquelch = 0x813;         // 0-9
inline constexpr std::size_t kTimeLimit = 0x814;       // seconds / 30, 0 = off
inline constexpr std::size_t kVoxLevel = 0x815;        // 0 = off, 1-9
inline constexpr std::size_t kEndTone = 0x819;         // list index 0-10
inline constexpr std::size_t kPriorityChannel = 0x81A; // 0 none, n = channel n
inline constexpr std::size_t kPassword = 0x840;        // one ASCII digit per byte
inline constexpr std::size_t kPasswordSize = 6;

inline constexpr std::uint8_t kDisplayModeMask = 0x03;
inline constexpr std::uint8_t kScanModeMask = 0x03;
inline constexpr std::uint8_t kTailMask = 0xC0;
inline constexpr std::uint8_t kManualBit = 0x80;
inline constexpr std::uint8_t kBeepBit = 0x40;
inline constexpr std::uint8_t kBatterySaveBit = 0x04;

// Side keys: high nibble short press, low nibble long press.
inline constexpr std::size_t kSideKey1 = 0x81D;
inline constexpr std::size_t kSideKey2 = 0x81E;

// DTMF.
inline constexpr std::size_t kPttIdCode = 0x820;
inline constexpr std::size_t kPttIdCodeSize = 8;
inline constexpr std::size_t kDtmfFlags = 0x83C;
inline constexpr std::uint8_t kTxSideToneBit = 0x01;
inline constexpr std::uint8_t kRxSideToneBit = 0x04;

// FM broadcast presets, 4 BCD bytes each (same encoding as a channel frequency).
inline constexpr std::size_t kFmPresetBase = 0xD80;
inline constexpr std::size_t kFmPresetSize = 4;
inline constexpr int kFmPresetCount = 32;

// Model and band selection, band edges.
inline constexpr std::size_t kBandIndex = 0xFD2;
inline constexpr std::size_t kModelIndex = 0xFD3;
inline constexpr std::size_t kBandId = 0xFF0;
inline constexpr std::size_t kBandIdSize = 3;

// Transmit-power calibration: read from the radio, never written back by a transfer.
inline constexpr std::size_t kPowerCalibration = 0xFF8;
inline constexpr std::size_t kPowerCalibrationSize = 6;

// What a radio transfer moves: all 4096 bytes are read; 0x000-0xDFF and the band bytes are written.
inline constexpr std::size_t kWritableEnd = 0xE00;

// Bytes the radio keeps that no editor here shows; a new document gives them fixed values.
inline constexpr std::size_t kRadioData80A = 0x80A;
inline constexpr std::size_t kRadioData80B = 0x80B;
inline constexpr std::size_t kRadioData816 = 0x816;
inline constexpr std::size_t kRadioData817 = 0x817;
inline constexpr std::size_t kRadioData818 = 0x818;
inline constexpr std::size_t kRadioData839 = 0x839;
inline constexpr std::size_t kRadioData83A = 0x83A;

} // namespace orx::map
