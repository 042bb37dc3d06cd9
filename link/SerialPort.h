#pragma once

// The serial port to the radio: opened exclusively, 9600 baud 8-N-1 raw with no flow control, and
// used with blocking writes and reads that keep the radio link's timeout rules. This is the only
// class of the program that knows QSerialPort; the transfer and the power dialog build their frames
// on top of it.

#include "PortDiagnosis.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <memory>

class QSerialPort;

namespace orx {

// How long a read or a write may take. A read of n bytes returns when n bytes have arrived, when
// the gap after a received byte exceeds readInterval, or at the latest after readConstant +
// readMultiplier * n. A write may take writeConstant + writeMultiplier * n.
struct SerialTimeouts {
    std::chrono::milliseconds readInterval;
    std::chrono::milliseconds readMultiplier;
    std::chrono::milliseconds readConstant;
    std::chrono::milliseconds writeMultiplier;
    std::chrono::milliseconds writeConstant;
};

// The whole-image transfer: 150 ms for a 1-byte reply, 700 ms for a 12-byte block.
inline constexpr SerialTimeouts kTransferTimeouts{
    std::chrono::milliseconds(30), std::chrono::milliseconds(50), std::chrono::milliseconds(100),
    std::chrono::milliseconds(50), std::chrono::milliseconds(50)};
// Live power tuning: 200 ms for a 1-byte reply, 600 ms for the 5-byte value reply.
inline constexpr SerialTimeouts kPowerTuneTimeouts{
    std::chrono::milliseconds(50), std::chrono::milliseconds(100), std::chrono::milliseconds(100),
    std::chrono::milliseconds(50), std::chrono::milliseconds(50)};

// Watches what the ports of the process ask of the driver. Tests see through it that a purge never
// discards the program's own output; the transfer benchmark times the program's reactions with it.
// Calls come from whichever thread uses a port.
class SerialProbe {
public:
    virtual ~SerialProbe() = default;
    // The port asks the driver to discard what it holds of the input, the output, or both.
    virtual void discardRequested(bool input, bool output) = 0;
    // A write is about to hand bytes to the driver; a read has returned; a protocol pause begins.
    virtual void writeStarting(qsizetype bytes) { (void)bytes; }
    virtual void readFinished(qsizetype asked, qsizetype got) { (void)asked, (void)got; }
    virtual void pausing(std::chrono::milliseconds pause) { (void)pause; }
};

class SerialPort {
public:
    explicit SerialPort(const SerialTimeouts& timeouts);
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // The device a port name stands for. "COM1".."COM8" are the first eight serial ports of the
    // machine; a bare name that exists under /dev is that device; a path is used as it is.
    static QString DeviceFor(const QString& portName);
    // The device itself behind links ("/dev/serial/by-id/usb-..." is "/dev/ttyUSB0"): the port is
    // locked under this name, so two names of one device never open it twice.
    static QString RealDevice(const QString& device);

    // Process-wide; nullptr stops watching. The probe must outlive every port that may call it.
    static void SetProbe(SerialProbe* probe);

    // Opens the port exclusively and sets the line up. False when the port does not exist, the name
    // is empty or someone else holds the port, under this name or any other name of the device.
    bool open(const QString& portName);
    void close();
    bool isOpen() const;
    // After a failed open: why.
    const PortProblem& openProblem() const { return m_openProblem; }

    // Lets the bytes already written reach the line (within the write timeout), then discards the
    // input that is waiting, including what has arrived but was not read. Written bytes are never
    // discarded: the protocol counts them as sent.
    void purge();
    // Blocks until the bytes are handed to the driver or the write timeout has passed.
    void write(const QByteArray& bytes);
    // Blocks under the read timeouts; the result may be shorter than n (empty when the radio is
    // silent).
    QByteArray read(int n);
    // One of the protocol's fixed pauses.
    void pause(std::chrono::milliseconds duration);
    // Set, a read or a pause ends within a few milliseconds of the flag being raised (Ctrl+C in
    // orxtool, "取消" in the dialog), instead of running out its timeout.
    void setAbortFlag(const std::atomic<bool>* flag) { m_abort = flag; }

private:
    // Until Qt's and the driver's output queues are empty, or limit has passed.
    void drainOutput(std::chrono::milliseconds limit);

    bool aborted() const { return m_abort && m_abort->load(); }
    bool fail(const QString& portName, const QString& device, const QString& systemText);

    SerialTimeouts m_timeouts;
    PortProblem m_openProblem;
    std::unique_ptr<QSerialPort> m_port;
    const std::atomic<bool>* m_abort = nullptr;
};

} // namespace orx
