#pragma once

// The bytes on the wire between the program and the radio, shared by the transfer and the power
// dialog. Addresses go high byte first.

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace orx {

namespace frame {
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kAckAlternative = 0x16; // some radios answer the wake-up with this
inline constexpr int kWakeUpLength = 7;
inline constexpr std::uint8_t kWakeUp[kWakeUpLength] = {0x02, 'P', 'R', 'O', 'G', 'R', 'C'}; // byte by byte
inline constexpr std::uint8_t kCommand = 0x4D;
inline constexpr std::uint8_t kIdentify = 0x02;
inline constexpr std::uint8_t kReadBlock = 0x52;
inline constexpr std::uint8_t kWriteBlock = 0x57;
// Power tuning: 4D 50+k asks for calibration byte k, 4D 61 prepares a write, 4D 60 ends tuning.
inline constexpr std::uint8_t kQueryPower = 0x50;
inline constexpr std::uint8_t kPrepareWrite = 0x61;
inline constexpr std::uint8_t kEndTuning = 0x60;
inline constexpr int kPowerReplySize = 5;
inline constexpr int kPowerValueIndex = 4;
inline constexpr int kBlockSize = 8;
inline constexpr int kBlockHeaderSize = 4; // command, address high, address low, length
inline constexpr int kIdentifyReplySize = 8;
inline constexpr int kBlockReplySize = kBlockHeaderSize + kBlockSize;

inline bool IsWakeUpAck(const QByteArray& reply)
{
    return reply.size() == 1 && (static_cast<std::uint8_t>(reply[0]) == kAck ||
                                 static_cast<std::uint8_t>(reply[0]) == kAckAlternative);
}
inline bool IsAck(const QByteArray& reply)
{
    return reply.size() == 1 && static_cast<std::uint8_t>(reply[0]) == kAck;
}
inline QByteArray Bytes(std::initializer_list<std::uint8_t> bytes)
{
    QByteArray out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (std::uint8_t b : bytes)
        out.append(static_cast<char>(b));
    return out;
}
QByteArray BlockHeader(std::uint8_t command, std::size_t address, int length);
} // namespace frame

} // namespace orx
