#include "RadioSession.h"

#include <thread>

namespace orx {

using namespace std::chrono_literals;

namespace {

// The radio needs a moment between the wake-up bytes of a transfer and before its identify frame.
constexpr WakeUpRule kTransferWakeUp{2ms, true, 0ms};
constexpr auto kIdentifyPause = 1ms;

QByteArray single(std::uint8_t b)
{
    return frame::Bytes({b});
}

} // namespace

QByteArray frame::BlockHeader(std::uint8_t command, std::size_t address, int length)
{
    return Bytes({command, static_cast<std::uint8_t>((address >> 8) & 0xFF),
                  static_cast<std::uint8_t>(address & 0xFF), static_cast<std::uint8_t>(length)});
}

RadioSession::RadioSession(const SerialTimeouts& timeouts) : m_port(timeouts) {}

bool RadioSession::open(const QString& portName)
{
    return m_port.open(portName);
}

void RadioSession::close()
{
    m_port.close();
}

bool RadioSession::wakeUp(const WakeUpRule& rule, int& retriesLeft)
{
    for (;;) {
        if (!rule.purgeEachByte)
            m_port.purge();
        for (std::uint8_t b : frame::kWakeUp) {
            pause(rule.bytePause);
            if (rule.purgeEachByte)
                m_port.purge();
            m_port.write(single(b));
        }
        m_wakeUpReply = m_port.read(1);
        if (frame::IsWakeUpAck(m_wakeUpReply))
            return true;
        m_handshakeFailure =
            m_wakeUpReply.isEmpty() ? HandshakeFailure::WakeUpSilent : HandshakeFailure::WakeUpWrong;
        if (retriesLeft == 0 || cancelled())
            return false;
        --retriesLeft;
        if (rule.retryPause > 0ms)
            pause(rule.retryPause);
    }
}

bool RadioSession::handshake(int& retriesLeft)
{
    m_handshakeFailure = HandshakeFailure::None;
    if (!wakeUp(kTransferWakeUp, retriesLeft))
        return false;
    m_handshakeFailure = HandshakeFailure::None;
    pause(kIdentifyPause);
    // What the radio says about itself is not used.
    exchange(frame::Bytes({frame::kCommand, frame::kIdentify}), frame::kIdentifyReplySize);
    if (acknowledge())
        return true;
    m_handshakeFailure = HandshakeFailure::NotAcknowledged;
    return false;
}

bool RadioSession::radioAnswers()
{
    int retries = 0;
    return wakeUp(kTransferWakeUp, retries);
}

void RadioSession::waitUnlessCancelled(std::chrono::milliseconds duration)
{
    constexpr auto kSlice = 10ms;
    for (auto left = duration; left > 0ms && !cancelled(); left -= kSlice)
        std::this_thread::sleep_for(std::min(left, kSlice));
}

QByteArray RadioSession::exchange(const QByteArray& frame, int replySize)
{
    send(frame);
    return m_port.read(replySize);
}

QByteArray RadioSession::exchange(const QByteArray& header, const QByteArray& data, int replySize)
{
    m_port.purge();
    m_port.write(header);
    m_port.write(data);
    return m_port.read(replySize);
}

void RadioSession::send(const QByteArray& frame)
{
    m_port.purge();
    m_port.write(frame);
}

bool RadioSession::acknowledge()
{
    return frame::IsAck(exchange(single(frame::kAck), 1));
}

} // namespace orx
