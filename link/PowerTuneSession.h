#pragma once

// The radio side of live power tuning: fetch one of the six calibration bytes, write a new value,
// end the adjustment. Each call is one blocking exchange with its own wake-up; the power dialog
// runs them on a worker thread of its own.

#include "RadioSession.h"

#include <cstdint>
#include <optional>

namespace orx {

class PowerTuneSession {
public:
    static constexpr int kCalibrationCount = 6;

    explicit PowerTuneSession(const LinkTimeouts& timeouts = {});

    bool open(const QString& portName) { return m_session.open(portName); }
    void close() { m_session.close(); }
    bool isOpen() const { return m_session.isOpen(); }
    const PortProblem& openProblem() const { return m_session.openProblem(); }

    // Calibration byte k (0..5): the wake-up, 4D 50+k and its 5-byte reply, the acknowledgement.
    // Nothing when the radio does not wake up or its reply lacks the value.
    std::optional<std::uint8_t> start(int k);
    // The wake-up, 4D 61, then 57 0F F8+k 01 and the value; true when the radio accepted it.
    bool send(int k, std::uint8_t value);
    // The wake-up, then 4D 60, which has no reply. False when the radio did not wake up (the end
    // frame is then not sent).
    bool end();

private:
    RadioSession m_session;
};

} // namespace orx
