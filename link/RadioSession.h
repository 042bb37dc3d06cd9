#pragma once

// One conversation with the radio over a port the session opens itself: the wake-up with its retry
// rules, command frames with their replies, acknowledgements and the protocol's pauses. The
// transfer and power tuning both speak through it; it blocks, so it runs on a worker thread (or in
// orxtool and the tests, on the caller's).

#include "RadioFrames.h"
#include "SerialPort.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>

namespace orx {

// The two timeout sets of the radio link. Tests shorten them for radios that never answer.
struct LinkTimeouts {
    SerialTimeouts transfer = kTransferTimeouts;
    SerialTimeouts powerTune = kPowerTuneTimeouts;
};

// How a wake-up goes out: the pause before each of its seven bytes, whether stale input is purged
// before every byte (the transfer) or once before the frame (power tuning), and the pause after a
// failed attempt.
struct WakeUpRule {
    std::chrono::milliseconds bytePause;
    bool purgeEachByte = false;
    std::chrono::milliseconds retryPause{0};
};

class RadioSession {
public:
    explicit RadioSession(const SerialTimeouts& timeouts);

    bool open(const QString& portName);
    void close();
    bool isOpen() const { return m_port.isOpen(); }
    // After a failed open: why.
    const PortProblem& openProblem() const { return m_port.openProblem(); }

    // Set, the session stops between wake-up attempts and a read waiting on a silent radio gives
    // up soon after; the caller checks it between blocks.
    void setCancelFlag(const std::atomic<bool>* flag)
    {
        m_cancel = flag;
        m_port.setAbortFlag(flag);
    }
    bool cancelled() const { return m_cancel && m_cancel->load(); }

    // Sends the wake-up until the radio answers 06 or 16. Each failed attempt spends one of
    // retriesLeft; a failure with none left ends it (false), as does a cancel between attempts.
    bool wakeUp(const WakeUpRule& rule, int& retriesLeft);
    // The transfer's handshake: the wake-up (2 ms before each byte), 1 ms, identify (its reply is
    // not used) and the acknowledgement, which must be answered with 06.
    bool handshake(int& retriesLeft);
    // Why the last failed wake-up or handshake failed.
    enum class HandshakeFailure { None, WakeUpSilent, WakeUpWrong, NotAcknowledged };
    HandshakeFailure handshakeFailure() const { return m_handshakeFailure; }
    // The radio's answer to the last wake-up (empty when it was silent).
    const QByteArray& wakeUpReply() const { return m_wakeUpReply; }
    // One wake-up, no retry: whether a radio answers on the line now. A radio left awake by it
    // listens for the next wake-up like any other.
    bool radioAnswers();
    // A pause that ends early on a cancel.
    void waitUnlessCancelled(std::chrono::milliseconds duration);

    // Purge, the frame, then up to replySize bytes (fewer when the radio falls silent).
    QByteArray exchange(const QByteArray& frame, int replySize);
    // Purge, a header and its data as two writes, then the reply.
    QByteArray exchange(const QByteArray& header, const QByteArray& data, int replySize);
    // Purge and the frame; no reply is read.
    void send(const QByteArray& frame);
    // 06, answered with 06.
    bool acknowledge();
    void pause(std::chrono::milliseconds duration) { m_port.pause(duration); }

private:
    SerialPort m_port;
    const std::atomic<bool>* m_cancel = nullptr;
    HandshakeFailure m_handshakeFailure = HandshakeFailure::None;
    QByteArray m_wakeUpReply;
};

} // namespace orx
