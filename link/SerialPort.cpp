#include "SerialPort.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QSerialPort>

#include <algorithm>
#include <atomic>
#include <optional>
#include <thread>

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <termios.h>
#endif

namespace orx {

namespace {

using Clock = std::chrono::steady_clock;

// Qt's own receive buffer stands in for the driver's receive queue of the original cable driver.
constexpr qint64 kReceiveQueueSize = 1024;

// Waiting for input in short slices keeps the read loop responsive to the total deadline even
// where a platform's wait overshoots; each wait still returns the moment a byte arrives.
constexpr std::chrono::milliseconds kWaitSlice(20);
// A stop does not cut off a reply that is on its way: the radio answers within a few milliseconds,
// so a read still waits this long after the stop was seen (a silent radio keeps nobody waiting).
constexpr std::chrono::milliseconds kAbortGrace(50);

std::atomic<SerialProbe*> g_probe{nullptr};

SerialProbe* probe()
{
    return g_probe.load(std::memory_order_acquire);
}

int toWaitMs(Clock::duration d)
{
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(d);
    return static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(ms.count(), 0, kWaitSlice.count()));
}

} // namespace

SerialPort::SerialPort(const SerialTimeouts& timeouts) : m_timeouts(timeouts) {}

SerialPort::~SerialPort()
{
    close();
}

QString SerialPort::DeviceFor(const QString& portName)
{
#ifdef Q_OS_WIN
    return portName;
#else
    // Windows takes device names in any case: "com3" opens the same port as "COM3".
    static const QRegularExpression comName(QStringLiteral("^COM([1-8])$"),
                                            QRegularExpression::CaseInsensitiveOption);
    if (portName.isEmpty() || portName.contains(QLatin1Char('/')))
        return portName;
    const QRegularExpressionMatch m = comName.match(portName);
    if (m.hasMatch())
        return QStringLiteral("/dev/ttyS%1").arg(m.captured(1).toInt() - 1);
    // A bare device name ("ttyUSB0"); one that is not under /dev stays as typed and fails to open.
    const QString underDev = QStringLiteral("/dev/") + portName;
    return QFileInfo::exists(underDev) ? underDev : portName;
#endif
}

QString SerialPort::RealDevice(const QString& device)
{
    if (device.isEmpty())
        return device;
    // A link that leads nowhere stays as given and fails to open under that name.
    const QString real = QFileInfo(device).canonicalFilePath();
    return real.isEmpty() ? device : real;
}

void SerialPort::SetProbe(SerialProbe* p)
{
    g_probe.store(p, std::memory_order_release);
}

bool SerialPort::fail(const QString& portName, const QString& device, const QString& systemText)
{
    m_openProblem = DiagnosePort(portName, device, systemText);
    return false;
}

bool SerialPort::open(const QString& portName)
{
    close();
    m_openProblem = {};
    // Qt locks a port under the name it is opened by, and TIOCEXCL does not keep out root: only
    // the real device's name makes a second open through a link fail.
    const QString device = RealDevice(DeviceFor(portName));
    if (device.isEmpty())
        return fail(portName, device, {});
#ifndef Q_OS_WIN
    // QSerialPort would look a bare name up under /dev itself; a name that is not there must fail.
    if (!device.startsWith(QLatin1Char('/')))
        return fail(portName, device, {});
#endif
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(device);
    port->setReadBufferSize(kReceiveQueueSize);
    // QSerialPort opens exclusively: a lock file and TIOCEXCL on Unix, share mode 0 on Windows.
    if (!port->open(QIODevice::ReadWrite))
        return fail(portName, device, port->errorString());
    port->setBaudRate(QSerialPort::Baud9600);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    // The cable uses only the data lines; handshake lines are left as the driver has them.
    port->setFlowControl(QSerialPort::NoFlowControl);
    m_port = std::move(port);
    return true;
}

void SerialPort::close()
{
    if (m_port) {
        // The last frame (power tuning's end frame has no reply) goes out before the port closes.
        if (m_port->isOpen())
            drainOutput(m_timeouts.writeConstant);
        m_port->close();
        m_port.reset();
    }
}

bool SerialPort::isOpen() const
{
    return m_port && m_port->isOpen();
}

void SerialPort::purge()
{
    if (!isOpen())
        return;
    // A purge is meant for stale input. Discarding output would drop bytes the protocol counts as
    // sent: a pseudo-terminal reports its output queue empty as soon as a byte is written and
    // moves it to the other side later, in deferred work that a busy machine holds up, and a USB
    // adapter may still hold bytes too. So the output is let go, never thrown away.
    drainOutput(m_timeouts.writeConstant);
    if (SerialProbe* p = probe())
        p->discardRequested(true, false);
    m_port->clear(QSerialPort::Input);
    // Whatever Qt already moved out of the driver is stale as well.
    m_port->readAll();
}

void SerialPort::drainOutput(std::chrono::milliseconds limit)
{
    const auto deadline = Clock::now() + limit;
    while (m_port->bytesToWrite() > 0) {
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero())
            return;
        if (!m_port->waitForBytesWritten(std::max(1, toWaitMs(left))) &&
            m_port->error() != QSerialPort::TimeoutError)
            return;
    }
#ifdef Q_OS_UNIX
    // tcdrain() has no time limit; the driver's queue is watched instead.
    const int fd = static_cast<int>(m_port->handle());
    int queued = 0;
    while (ioctl(fd, TIOCOUTQ, &queued) == 0 && queued > 0 && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
#endif
}

void SerialPort::pause(std::chrono::milliseconds duration)
{
    if (SerialProbe* p = probe())
        p->pausing(duration);
    std::this_thread::sleep_for(duration);
}

void SerialPort::write(const QByteArray& bytes)
{
    if (!isOpen() || bytes.isEmpty())
        return;
    const auto timeout = m_timeouts.writeConstant + m_timeouts.writeMultiplier * bytes.size();
    if (SerialProbe* p = probe())
        p->writeStarting(bytes.size());
    m_port->write(bytes);
    const auto deadline = Clock::now() + timeout;
    while (m_port->bytesToWrite() > 0) {
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero())
            break;
        if (!m_port->waitForBytesWritten(std::max(1, toWaitMs(left))) &&
            m_port->error() != QSerialPort::TimeoutError)
            break;
    }
}

QByteArray SerialPort::read(int n)
{
    QByteArray out;
    if (!isOpen() || n <= 0)
        return out;
    out.reserve(n);
    const auto start = Clock::now();
    const auto totalDeadline = start + m_timeouts.readConstant + m_timeouts.readMultiplier * n;
    Clock::time_point lastByte;

    auto take = [&] {
        const QByteArray got = m_port->read(n - out.size());
        if (!got.isEmpty()) {
            out.append(got);
            lastByte = Clock::now();
        }
    };

    take();
    std::optional<Clock::time_point> abortSeen;
    while (out.size() < n) {
        auto deadline = totalDeadline;
        if (!abortSeen && aborted())
            abortSeen = Clock::now();
        if (abortSeen)
            deadline = std::min(deadline, *abortSeen + kAbortGrace);
        // The interval timer runs only once the first byte is in, as on the original driver.
        if (!out.isEmpty())
            deadline = std::min(deadline, lastByte + m_timeouts.readInterval);
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero())
            break;
        // With an abort flag the wait goes in slices, so that a stop is seen within one of them.
        const Clock::duration wait = m_abort ? std::min<Clock::duration>(left, kWaitSlice) : left;
        if (!m_port->waitForReadyRead(std::max(1, toWaitMs(wait)))) {
            const QSerialPort::SerialPortError error = m_port->error();
            if (error != QSerialPort::TimeoutError && error != QSerialPort::NoError)
                break; // the device went away: no byte will come
        }
        take();
    }
    if (SerialProbe* p = probe())
        p->readFinished(n, out.size());
    return out;
}

} // namespace orx
