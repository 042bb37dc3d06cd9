// The serial port over a real pseudo-terminal: which device a port name opens, the exclusive open
// (also through other names of the device), the line settings, reads that end on the count, the gap
// after a byte, or the total timeout, and a purge that drops stale input but never our output.

#include "LinkTexts.h"
#include "SerialPort.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

using namespace std::chrono_literals;
using orx::SerialPort;

namespace {

// The other end of a cable: the test writes into the master side of a pseudo-terminal.
class PtyPeer {
public:
    PtyPeer()
    {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
            return;
        m_path = QString::fromLocal8Bit(::ptsname(m_master));
        // Held open so that the terminal keeps its settings between the port's opens.
        m_slave = ::open(::ptsname(m_master), O_RDWR | O_NOCTTY);
    }
    ~PtyPeer()
    {
        if (m_slave >= 0)
            ::close(m_slave);
        if (m_master >= 0)
            ::close(m_master);
    }
    bool ok() const { return m_slave >= 0; }
    QString path() const { return m_path; }
    void send(const QByteArray& bytes)
    {
        QCOMPARE(::write(m_master, bytes.constData(), bytes.size()), bytes.size());
    }
    // What the port has written: n bytes, or what came within two seconds.
    QByteArray receive(qsizetype n)
    {
        QByteArray got;
        char buffer[64];
        while (got.size() < n) {
            pollfd fd{m_master, POLLIN, 0};
            if (::poll(&fd, 1, 2000) <= 0)
                break;
            const ssize_t k = ::read(m_master, buffer, sizeof buffer);
            if (k <= 0)
                break;
            got.append(buffer, k);
        }
        return got;
    }
    termios settings() const
    {
        termios t{};
        ::tcgetattr(m_slave, &t);
        return t;
    }
    void setSettings(const termios& t) { ::tcsetattr(m_slave, TCSANOW, &t); }

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
};

} // namespace

class TestSerialPort : public QObject {
    Q_OBJECT
private slots:
    void deviceFor_data();
    void deviceFor();
    void openFails_data();
    void openFails();
    void openIsExclusive();
    void openThroughAnotherNameIsRefused_data();
    void openThroughAnotherNameIsRefused();
    void lineSettings();
    void readReturnsOnceComplete();
    void readEndsAfterTheIntervalGap();
    void silentReadWaitsTheTotalTimeout();
    void purgeDiscardsWhatArrived();
    void purgeKeepsWhatWasWritten();
};

namespace {

// Sees what the port asks the driver to discard.
class Discards : public orx::SerialProbe {
public:
    Discards() { SerialPort::SetProbe(this); }
    ~Discards() override { SerialPort::SetProbe(nullptr); }
    void discardRequested(bool in, bool out) override
    {
        input += in ? 1 : 0;
        output += out ? 1 : 0;
    }
    int input = 0;
    int output = 0;
};

} // namespace

void TestSerialPort::deviceFor_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("device");
    QTest::newRow("COM1 is the first serial port") << "COM1"
                                                   << "/dev/ttyS0";
    QTest::newRow("COM8 is the eighth") << "COM8"
                                        << "/dev/ttyS7";
    QTest::newRow("com3 in lower case is the third port, as on Windows") << "com3"
                                                                         << "/dev/ttyS2";
    QTest::newRow("Com8 in mixed case is the eighth") << "Com8"
                                                      << "/dev/ttyS7";
    QTest::newRow("COM9 is not one of the eight") << "COM9"
                                                  << "COM9";
    QTest::newRow("a path is used as it is") << "/dev/pts/5"
                                             << "/dev/pts/5";
    QTest::newRow("empty stays empty") << ""
                                       << "";
    QTest::newRow("a name not under /dev stays as typed") << "orx-no-such-tty"
                                                          << "orx-no-such-tty";
    if (QFileInfo::exists(QStringLiteral("/dev/null")))
        QTest::newRow("a bare name under /dev") << "null"
                                                << "/dev/null";
}

void TestSerialPort::deviceFor()
{
    QFETCH(QString, name);
    QFETCH(QString, device);
    QCOMPARE(SerialPort::DeviceFor(name), device);
}

void TestSerialPort::openFails_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("empty name") << "";
    QTest::newRow("no such device path") << "/dev/orx-no-such-tty";
    QTest::newRow("no such bare name") << "orx-no-such-tty";
    QTest::newRow("not a terminal") << "/dev/null";
}

void TestSerialPort::openFails()
{
    QFETCH(QString, name);
    SerialPort port(orx::kTransferTimeouts);
    QVERIFY(!port.open(name));
    QVERIFY(!port.isOpen());
    // Nothing happens on a closed port.
    port.purge();
    port.write(QByteArray("\x06", 1));
    QVERIFY(port.read(1).isEmpty());
}

void TestSerialPort::openIsExclusive()
{
    PtyPeer peer;
    QVERIFY(peer.ok());
    SerialPort first(orx::kTransferTimeouts);
    SerialPort second(orx::kPowerTuneTimeouts);
    QVERIFY(first.open(peer.path()));
    QVERIFY(!second.open(peer.path()));
    first.close();
    QVERIFY(second.open(peer.path()));
}

void TestSerialPort::openThroughAnotherNameIsRefused_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    // "dev" stands for the device's own path, "link" for a symbolic link to it, "chain" for a link to the
    // link.
    QTest::newRow("a link while the device is open") << "dev"
                                                     << "link";
    QTest::newRow("the device while a link holds it") << "link"
                                                      << "dev";
    QTest::newRow("a link to the link while the link holds it") << "link"
                                                                << "chain";
}

void TestSerialPort::openThroughAnotherNameIsRefused()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    PtyPeer peer;
    QVERIFY(peer.ok());
    // As /dev/serial/by-id/... names a USB cable's device.
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("usb-cable-if00"));
    const QString chain = dir.filePath(QStringLiteral("cable"));
    QVERIFY(QFile::link(peer.path(), link));
    QVERIFY(QFile::link(link, chain));
    const QHash<QString, QString> names{{"dev", peer.path()}, {"link", link}, {"chain", chain}};

    SerialPort holder(orx::kTransferTimeouts);
    QVERIFY(holder.open(names.value(first)));
    SerialPort other(orx::kPowerTuneTimeouts);
    QVERIFY(!other.open(names.value(second)));
    QCOMPARE(other.openProblem().failure, orx::PortFailure::Busy);
    const QString reason = orx::PortProblemText(other.openProblem());
    QVERIFY2(reason.contains(QStringLiteral("占用")), qPrintable(reason));
    holder.close();
    QVERIFY(other.open(names.value(second)));
}

void TestSerialPort::lineSettings()
{
    PtyPeer peer;
    QVERIFY(peer.ok());
    // Whatever the port was set to before: 4800 baud, 7 bits, even parity, 2 stop bits, hardware
    // flow control, a text terminal.
    termios t = peer.settings();
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE);
    t.c_cflag |= CS7 | PARENB | CSTOPB | CRTSCTS;
    t.c_lflag |= ICANON | ECHO;
    t.c_iflag |= ICRNL | IXON;
    t.c_oflag |= OPOST;
    ::cfsetispeed(&t, B4800);
    ::cfsetospeed(&t, B4800);
    peer.setSettings(t);

    SerialPort port(orx::kTransferTimeouts);
    QVERIFY(port.open(peer.path()));
    const termios s = peer.settings();
    QCOMPARE(::cfgetospeed(&s), speed_t(B9600));
    QCOMPARE(::cfgetispeed(&s), speed_t(B9600));
    QCOMPARE(s.c_cflag & CSIZE, tcflag_t(CS8));
    QCOMPARE(s.c_cflag & (PARENB | CSTOPB | CRTSCTS), tcflag_t(0));
    // Raw binary: bytes pass untouched in both directions.
    QCOMPARE(s.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), tcflag_t(0));
    QCOMPARE(s.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP | IXON | IXOFF), tcflag_t(0));
    QCOMPARE(s.c_oflag & OPOST, tcflag_t(0));
}

void TestSerialPort::readReturnsOnceComplete()
{
    PtyPeer peer;
    QVERIFY(peer.ok());
    // A gap allowed between bytes that a busy machine cannot overrun while the peer pauses.
    orx::SerialTimeouts timeouts = orx::kTransferTimeouts;
    timeouts.readInterval = 2s;
    timeouts.readConstant = 5s;
    SerialPort port(timeouts);
    QVERIFY(port.open(peer.path()));
    const QByteArray reply("\x52\x08\x40\x08\x00\x0D\x0A\xFF\x11\x13\x1A\x7F", 12);
    // Split like a radio that pauses inside its reply, but within the gap allowed between bytes.
    peer.send(reply.left(5));
    std::thread later([&peer, &reply] {
        std::this_thread::sleep_for(10ms);
        peer.send(reply.mid(5));
    });
    const QByteArray got = port.read(12);
    later.join();
    QCOMPARE(got, reply);
    // Nothing more is taken than asked for.
    peer.send(QByteArray("\x06\x07", 2));
    QCOMPARE(port.read(1), QByteArray("\x06", 1));
    QCOMPARE(port.read(1), QByteArray("\x07", 1));
}

void TestSerialPort::readEndsAfterTheIntervalGap()
{
    PtyPeer peer;
    QVERIFY(peer.ok());
    // The transfer's 30 ms between bytes, but a total far longer than a busy machine's delays.
    orx::SerialTimeouts timeouts = orx::kTransferTimeouts;
    timeouts.readConstant = 20s;
    SerialPort port(timeouts);
    QVERIFY(port.open(peer.path()));
    peer.send(QByteArray("\x52\x00\x10", 3));
    QElapsedTimer timer;
    timer.start();
    const QByteArray got = port.read(12);
    // A short reply: the read gives up 30 ms after the last byte instead of waiting the total
    // time a 12-byte read may take.
    QCOMPARE(got, QByteArray("\x52\x00\x10", 3));
    QVERIFY2(timer.elapsed() < 10000, qPrintable(QStringLiteral("%1 ms").arg(timer.elapsed())));
}

void TestSerialPort::silentReadWaitsTheTotalTimeout()
{
    PtyPeer peer;
    QVERIFY(peer.ok());
    SerialPort port(orx::kTransferTimeouts);
    QVERIFY(port.open(peer.path()));
    QElapsedTimer timer;
    timer.start();
    QVERIFY(port.read(1).isEmpty());
    // 100 ms + 50 ms for one byte.
    QVERIFY2(timer.elapsed() >= 145, qPrintable(QStringLiteral("%1 ms").arg(timer.elapsed())));
}

void TestSerialPort::purgeDiscardsWhatArrived()
{
    PtyPeer peer;
    QVERIFY(peer.ok());
    SerialPort port(orx::kTransferTimeouts);
    QVERIFY(port.open(peer.path()));
    peer.send(QByteArray("\x15\x15\x15", 3));
    // The first byte read pulls the rest into the port's own buffer; purge must drop those too.
    QCOMPARE(port.read(1), QByteArray("\x15", 1));
    port.purge();
    peer.send(QByteArray("\x06", 1));
    QCOMPARE(port.read(1), QByteArray("\x06", 1));
}

void TestSerialPort::purgeKeepsWhatWasWritten()
{
    PtyPeer peer;
    QVERIFY(peer.ok());
    SerialPort port(orx::kTransferTimeouts);
    QVERIFY(port.open(peer.path()));
    peer.send(QByteArray("\x15\x15", 2)); // stale input
    Discards discards;
    // The wake-up's way: a purge before every byte, here without the pauses. On a pseudo-terminal
    // each byte is still on its way across when the next purge comes: discarding output loses it.
    const QByteArray wakeUp("\x02PROGRC", 7);
    for (char b : wakeUp) {
        port.purge();
        port.write(QByteArray(1, b));
    }
    port.close(); // lets the last byte go out too
    QCOMPARE(peer.receive(wakeUp.size()), wakeUp);
    // Whatever the timing: the driver is never asked to discard output, only input.
    QCOMPARE(discards.output, 0);
    QCOMPARE(discards.input, 7);
}

QTEST_GUILESS_MAIN(TestSerialPort)
#include "tst_serial_port.moc"
