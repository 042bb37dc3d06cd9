#include "PowerTuneSession.h"

#include "MemoryMap.h"

namespace orx {

using namespace std::chrono_literals;

namespace {

// Up to three wake-up attempts each, with these pauses before every byte and between attempts.
constexpr int kWakeUpRetries = 2;
constexpr WakeUpRule kStartWakeUp{1ms, false, 0ms};
constexpr WakeUpRule kSendWakeUp{5ms, false, 10ms};
constexpr WakeUpRule kEndWakeUp{2ms, false, 0ms};

QByteArray command(std::uint8_t code)
{
    return frame::Bytes({frame::kCommand, code});
}

} // namespace

PowerTuneSession::PowerTuneSession(const LinkTimeouts& timeouts) : m_session(timeouts.powerTune) {}

std::optional<std::uint8_t> PowerTuneSession::start(int k)
{
    int retries = kWakeUpRetries;
    if (!m_session.wakeUp(kStartWakeUp, retries))
        return std::nullopt;
    const QByteArray reply = m_session.exchange(command(static_cast<std::uint8_t>(frame::kQueryPower + k)),
                                                frame::kPowerReplySize);
    // Without the value the thumb would show a made-up 0 that the next scroll writes to the radio.
    if (reply.size() != frame::kPowerReplySize)
        return std::nullopt;
    m_session.exchange(frame::Bytes({frame::kAck}), 1); // the radio's answer is not examined
    return static_cast<std::uint8_t>(reply[frame::kPowerValueIndex]);
}

bool PowerTuneSession::send(int k, std::uint8_t value)
{
    int retries = kWakeUpRetries;
    if (!m_session.wakeUp(kSendWakeUp, retries))
        return false;
    if (!frame::IsWakeUpAck(m_session.exchange(command(frame::kPrepareWrite), 1)))
        return false;
    const QByteArray header =
        frame::BlockHeader(frame::kWriteBlock, map::kPowerCalibration + static_cast<std::size_t>(k), 1);
    return frame::IsWakeUpAck(m_session.exchange(header, frame::Bytes({value}), 1));
}

bool PowerTuneSession::end()
{
    int retries = kWakeUpRetries;
    if (!m_session.wakeUp(kEndWakeUp, retries))
        return false;
    m_session.send(command(frame::kEndTuning));
    return true;
}

} // namespace orx
