#pragma once

// The serial port to the radio: opened exclusively, 9600 baud 8-N-1 raw with no flow control, and
// used with blocking writes and reads that keep the radio link's timeout rules. This is the only
// class of the program that knows QSerialPort; the transfer and the power dialog build their frames
// on top of it.

#include <QByteArray>
#include <QString>

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

class SerialPort {
public:
    explicit SerialPort(const SerialTimeouts& timeouts);
    ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // The device a port name stands for. "COM1".."COM8" are the first eight serial ports of the
    // machine; a bare name that exists under /dev is that device; a path is used as it is.
    static QString DeviceFor(const QString& portName);

    // Opens the port exclusively and sets the line up. False when the port does not exist, the name
    // is empty or someone else holds the port.
    bool open(const QString& portName);
    void close();
    bool isOpen() const;
    // After a failed open: why, in words the user can act on.
    const QString& openFailure() const { return m_openFailure; }

    // Discards what is waiting in both directions, including what has arrived but was not read.
    void purge();
    // Blocks until the bytes are handed to the driver or the write timeout has passed.
    void write(const QByteArray& bytes);
    // Blocks under the read timeouts; the result may be shorter than n (empty when the radio is
    // silent).
    QByteArray read(int n);

private:
    // Until the driver's output queue is empty, or limit has passed.
    void waitUntilSent(std::chrono::milliseconds limit);

    bool fail(const QString& portName, const QString& device, const QString& systemText);

    SerialTimeouts m_timeouts;
    QString m_openFailure;
    std::unique_ptr<QSerialPort> m_port;
};

} // namespace orx
