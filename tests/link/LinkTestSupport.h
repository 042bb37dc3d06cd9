#pragma once

// Helpers shared by the radio-link tests: a simulated radio serving on a pseudo-terminal, the byte
// sequences the program must put on the wire, and byte dumps for readable failures.

#include "RadioImage.h"
#include "RadioSim.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QTimer;
class QWidget;

namespace linktest {

using Bytes = std::vector<std::uint8_t>;

// A simulated radio, opened and serving; PortName() points at it while it lives.
class SimulatedRadio {
public:
    explicit SimulatedRadio(const orx::sim::SimOptions& options = {});
    ~SimulatedRadio();
    bool ok() const { return m_ok; }
    orx::sim::RadioSim& operator*() { return *m_sim; }
    orx::sim::RadioSim* operator->() { return m_sim.get(); }
    QString device() const { return QString::fromStdString(m_sim->devicePath()); }

private:
    std::unique_ptr<orx::sim::RadioSim> m_sim;
    QString m_previousPort;
    bool m_ok = false;
};

// A pseudo-terminal can lose a byte the program purges before the simulator's reader got to it:
// the kernel hands the bytes over in a worker that a busy machine may hold up for milliseconds,
// and the program purges before each wake-up byte, 2 ms after the one before. Such an attempt
// tells nothing about the program's own traffic. True when this attempt's radio saw stray bytes
// and the attempt should be run again (four attempts in all; the last one is always checked).
bool LineLostBytes(SimulatedRadio& radio, int attempt);

// Frames as the program sends them.
Bytes WakeUp();
Bytes Handshake(); // wake-up, identify, acknowledgement
Bytes ReadFrame(std::size_t address, int length = 8);
Bytes WriteFrame(std::size_t address, const Bytes& data);
Bytes Concat(std::initializer_list<Bytes> parts);
Bytes Repeat(const Bytes& part, int times);

// Everything a whole read or write sends to a radio that answers every frame.
Bytes WholeRead();
Bytes WholeWrite(const orx::RadioImage& image);

// An image whose every byte tells its address apart from its neighbours'.
orx::RadioImage PatternImage(std::uint8_t seed);

// "02 50 52 ..." for messages.
QByteArray Hex(const Bytes& bytes);

// Runs fn on the next visible modal widget of this class (a QMessageBox, a dialog class) that
// opens, from inside its event loop. Deleting the returned watcher cancels it.
QTimer* WhenModal(const char* className, std::function<void(QWidget*)> fn, int timeoutMs = 15000);

} // namespace linktest

// Compares byte sequences and prints both as hex when they differ.
#define LINK_COMPARE_BYTES(actual, expected)                                                                 \
    do {                                                                                                     \
        const linktest::Bytes a_ = (actual);                                                                 \
        const linktest::Bytes e_ = (expected);                                                               \
        if (a_ != e_) {                                                                                      \
            qWarning("actual   (%zu): %s", a_.size(), linktest::Hex(a_).constData());                        \
            qWarning("expected (%zu): %s", e_.size(), linktest::Hex(e_).constData());                        \
        }                                                                                                    \
        QVERIFY(a_ == e_);                                                                                   \
    } while (false)
