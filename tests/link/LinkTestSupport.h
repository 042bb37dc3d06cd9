#pragma once

// Helpers shared by the radio-link tests: a simulated radio serving on a pseudo-terminal, the byte
// sequences the program must put on the wire, and byte dumps for readable failures.

#include "RadioImage.h"
#include "RadioSession.h"
#include "RadioSim.h"
#include "SerialPort.h"
#include "TestContext.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class QTimer;
class QWidget;

namespace linktest {

using Bytes = std::vector<std::uint8_t>;

// A simulated radio, opened and serving; TestContext()'s PortName points at it while it lives.
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

// Holds the simulated radio's reply to the first frame that `when` picks until the test opens the
// gate, so a test can act at a chosen point of a transfer. reached runs on the radio's thread when
// that frame has come; opened or not, the reply goes after `limitMs`.
class ReplyGate {
public:
    ReplyGate(orx::sim::RadioSim& radio, std::function<bool(const orx::sim::Frame&)> when,
              std::function<void()> reached = {}, int limitMs = 10000);
    ~ReplyGate();
    void open();
    bool reached() const { return m_state->reached.load(); }

private:
    // Shared with the radio's thread, which may still be leaving the gate when the test is done.
    struct State {
        std::mutex mutex;
        std::condition_variable cv;
        bool open = false;
        std::atomic<bool> reached{false};
    };
    orx::sim::RadioSim& m_radio;
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

// Runs fn on the GUI thread as soon as its event loop gets to it (from the radio's thread).
void OnGuiThread(std::function<void()> fn);

// Counts what every serial port of the process asks the driver to discard, while it lives.
class DiscardCounter : public orx::SerialProbe {
public:
    DiscardCounter() { orx::SerialPort::SetProbe(this); }
    ~DiscardCounter() override { orx::SerialPort::SetProbe(nullptr); }
    void discardRequested(bool input, bool output) override
    {
        if (input)
            ++inputDiscards;
        if (output)
            ++outputDiscards;
    }
    std::atomic<int> inputDiscards{0};
    std::atomic<int> outputDiscards{0};
};

// What the program's serial ports do, in order and with the time on the program's side: the
// protocol's pauses can be checked where they are made, free of the radio thread's scheduling.
class PortTimeline : public orx::SerialProbe {
public:
    enum class Kind { Write, Read, Pause };
    struct Event {
        Kind kind;
        std::chrono::steady_clock::time_point time;
        std::chrono::milliseconds pause{0};
    };
    PortTimeline() { orx::SerialPort::SetProbe(this); }
    ~PortTimeline() override { orx::SerialPort::SetProbe(nullptr); }
    void discardRequested(bool, bool) override {}
    void writeStarting(qsizetype) override { add({Kind::Write, std::chrono::steady_clock::now()}); }
    void readFinished(qsizetype, qsizetype) override { add({Kind::Read, std::chrono::steady_clock::now()}); }
    void pausing(std::chrono::milliseconds pause) override
    {
        add({Kind::Pause, std::chrono::steady_clock::now(), pause});
    }
    std::vector<Event> events() const
    {
        std::lock_guard lock(m_mutex);
        return m_events;
    }
    void clear()
    {
        std::lock_guard lock(m_mutex);
        m_events.clear();
    }

private:
    void add(const Event& e)
    {
        std::lock_guard lock(m_mutex);
        m_events.push_back(e);
    }
    mutable std::mutex m_mutex;
    std::vector<Event> m_events;
};

// The user's data and configuration folders point into a scratch folder while it lives, so that
// backups and remembered settings never reach the real user's folders.
class PrivateUserFolders {
public:
    PrivateUserFolders();
    ~PrivateUserFolders();
    QString dataFolder() const { return m_dir.filePath(QStringLiteral("data")); }
    QString configFolder() const { return m_dir.filePath(QStringLiteral("config")); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previousData;
    QByteArray m_previousConfig;
};

// Timeouts for a radio that never answers: a silent read gives up after tens of milliseconds.
orx::LinkTimeouts QuickTimeouts();
// The transfer's own gap between bytes (30 ms), but a read that gets no first byte gives up after
// about 100 ms instead of up to 700: a test whose radio falls silent part-way is not kept waiting.
orx::LinkTimeouts ShortTimeouts();
// Timeouts for a radio whose reply a test holds back while it acts: reads wait seconds.
orx::LinkTimeouts PatientTimeouts();

// The .sin files of a folder, oldest name first.
QStringList SinFiles(const QString& folder);

// Frames as the program sends them.
Bytes WakeUp();
Bytes Handshake(); // wake-up, identify, acknowledgement
Bytes ReadFrame(std::size_t address, int length = 8);
Bytes WriteFrame(std::size_t address, const Bytes& data);
Bytes Concat(std::initializer_list<Bytes> parts);
Bytes Repeat(const Bytes& part, int times);

// Everything a whole read or write sends to a radio that answers every frame.
Bytes WholeRead();
// What a write reads of the radio before it writes: nothing, the serial number's two blocks (to
// keep the radio's own), or all of it (the backup of what the radio held).
enum class PreRead { None, Serial, Whole };
Bytes WholeWrite(const orx::RadioImage& image, PreRead preRead = PreRead::None);
// The frames a pre-read adds between the band check and the second handshake.
int PreReadFrames(PreRead preRead);

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
