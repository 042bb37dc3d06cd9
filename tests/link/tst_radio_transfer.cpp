// The read and write protocol against the simulated radio over a real pseudo-terminal: the exact
// bytes on the wire, every way the radio can fail, and what the caller's image sees afterwards.

#include "LinkTestSupport.h"

#include "MemoryMap.h"
#include "PortName.h"
#include "RadioTransfer.h"
#include "SettingsCodec.h"

#include <QSignalSpy>
#include <QTest>

#include <algorithm>

using namespace linktest;
using orx::RadioTransfer;
using orx::sim::ReplyFault;
using orx::sim::SimOptions;
using Outcome = RadioTransfer::Outcome;
using Mode = RadioTransfer::Mode;

Q_DECLARE_METATYPE(orx::sim::SimOptions)

namespace {

// Frame numbers as the radio counts them.
constexpr int kReadPasswordFrame = 3;
int readBlockFrame(int block)
{
    return 5 + 2 * block;
}
int readBlockAckFrame(int block)
{
    return 6 + 2 * block;
}
constexpr int kWriteBandReadFrame = 3;
int writeBlockFrame(int block)
{
    return 8 + block;
}

SimOptions withFault(int frame, ReplyFault::Kind kind, int index = 0)
{
    SimOptions o;
    o.faults[frame] = ReplyFault{kind, index};
    return o;
}

SimOptions withFaults(std::initializer_list<int> frames, ReplyFault::Kind kind)
{
    SimOptions o;
    for (int f : frames)
        o.faults[f] = ReplyFault{kind, 0};
    return o;
}

// A radio and an image that agree on the band, with different contents otherwise.
orx::sim::RadioSim::Memory radioMemory()
{
    orx::RadioImage m = PatternImage(0x21);
    m.fill(orx::map::kPassword, orx::map::kPasswordSize, 0xFF); // no password
    m.set(orx::map::kBandId, 0x13);
    m.set(orx::map::kBandId + 1, 0x17);
    m.set(orx::map::kBandId + 2, 0x64);
    return m.data();
}

orx::RadioImage programImage()
{
    orx::RadioImage image = PatternImage(0x5C);
    image.set(orx::map::kBandId, 0x13);
    image.set(orx::map::kBandId + 1, 0x17);
    image.set(orx::map::kBandId + 2, 0x64);
    return image;
}

int countWakeUps(const Bytes& bytes)
{
    const Bytes w = WakeUp();
    int n = 0;
    for (auto it = bytes.begin(); (it = std::search(it, bytes.end(), w.begin(), w.end())) != bytes.end();
         ++it)
        ++n;
    return n;
}

} // namespace

class TestRadioTransfer : public QObject {
    Q_OBJECT
private slots:
    void wholeRead();
    void wholeWrite();
    void failures_data();
    void failures();
    void readPassword_data();
    void readPassword();
    void bandMismatchWritesNothing();
    void failedReadHoldsNothingOfTheRadio();
    void corruptedDataByteIsStoredAsReceived();
    void wakeUpPauses();
};

void TestRadioTransfer::wholeRead()
{
    for (int attempt = 1;; ++attempt) {
        SimulatedRadio radio;
        QVERIFY(radio.ok());
        radio->setMemory(radioMemory());

        RadioTransfer transfer(Mode::Read, PortName(), programImage());
        QSignalSpy progress(&transfer, &RadioTransfer::blockDone);
        QSignalSpy finished(&transfer, &RadioTransfer::finished);
        const Outcome result = transfer.run();
        if (LineLostBytes(radio, attempt))
            continue;
        QCOMPARE(result, Outcome::Succeeded);

        QVERIFY(transfer.received().data() == radioMemory());
        LINK_COMPARE_BYTES(radio->receivedBytes(), WholeRead());
        QCOMPARE(progress.count(), 512);
        QCOMPARE(progress.first().at(0).toInt(), 1);
        QCOMPARE(progress.last().at(0).toInt(), 512);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.first().at(0).value<Outcome>(), Outcome::Succeeded);
        break;
    }
}

void TestRadioTransfer::wholeWrite()
{
    for (int attempt = 1;; ++attempt) {
        SimulatedRadio radio;
        QVERIFY(radio.ok());
        const auto before = radioMemory();
        radio->setMemory(before);
        const orx::RadioImage image = programImage();

        RadioTransfer transfer(Mode::Write, PortName(), image);
        QSignalSpy progress(&transfer, &RadioTransfer::blockDone);
        const Outcome result = transfer.run();
        if (LineLostBytes(radio, attempt))
            continue;
        QCOMPARE(result, Outcome::Succeeded);

        LINK_COMPARE_BYTES(radio->receivedBytes(), WholeWrite(image));
        QCOMPARE(progress.count(), 448);
        QCOMPARE(progress.last().at(0).toInt(), 448);
        // 0x000-0xDFF and the band bytes come from the image; the rest, calibration included, stays.
        const auto after = radio->memory();
        for (std::size_t a = 0; a < orx::map::kImageSize; ++a) {
            const bool written = a < orx::map::kWritableEnd ||
                                 (a >= orx::map::kBandId && a < orx::map::kBandId + orx::map::kBandIdSize);
            QCOMPARE(after[a], written ? image.at(a) : before[a]);
        }
        break;
    }
}

void TestRadioTransfer::failures_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<QString>("port");
    QTest::addColumn<SimOptions>("options");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<int>("wakeUps");

    const QString sim = QStringLiteral("<sim>");
    using K = ReplyFault::Kind;
    auto refused = [](int k) {
        SimOptions o;
        o.failWakeUps = k;
        return o;
    };
    auto silentFrom = [](int frame) {
        SimOptions o;
        o.silentFromFrame = frame;
        return o;
    };
    SimOptions answers16;
    answers16.wakeUpReply = 0x16;

    QTest::newRow("read: no port name")
        << Mode::Read << QString() << SimOptions{} << Outcome::PortOpenFailed << 0;
    QTest::newRow("write: no such port") << Mode::Write << QStringLiteral("/dev/orx-no-such-port")
                                         << SimOptions{} << Outcome::PortOpenFailed << 0;
    QTest::newRow("read: wake-up answered with 16")
        << Mode::Read << sim << answers16 << Outcome::Succeeded << 1;
    QTest::newRow("write: wake-up answered with 16")
        << Mode::Write << sim << answers16 << Outcome::Succeeded << 2;
    QTest::newRow("read: three refused wake-ups, the fourth accepted")
        << Mode::Read << sim << refused(3) << Outcome::Succeeded << 4;
    QTest::newRow("read: four refused wake-ups")
        << Mode::Read << sim << refused(4) << Outcome::CommError << 4;
    QTest::newRow("read: silent radio") << Mode::Read << sim << silentFrom(0) << Outcome::CommError << 4;
    QTest::newRow("write: silent radio") << Mode::Write << sim << silentFrom(0) << Outcome::CommError << 4;
    QTest::newRow("read: wrong acknowledgement after identify")
        << Mode::Read << sim << withFault(2, K::Wrong) << Outcome::CommError << 1;
    QTest::newRow("write: missing acknowledgement after identify")
        << Mode::Write << sim << withFault(2, K::Missing) << Outcome::CommError << 1;
    QTest::newRow("read: no answer to the password read")
        << Mode::Read << sim << silentFrom(kReadPasswordFrame) << Outcome::CommError << 1;
    QTest::newRow("read: short password reply")
        << Mode::Read << sim << withFault(kReadPasswordFrame, K::Short) << Outcome::CommError << 1;
    QTest::newRow("read: wrong acknowledgement after the password check")
        << Mode::Read << sim << withFault(kReadPasswordFrame + 1, K::Wrong) << Outcome::CommError << 1;
    QTest::newRow("read: wrong acknowledgement after block 0")
        << Mode::Read << sim << withFault(readBlockAckFrame(0), K::Wrong) << Outcome::CommError << 1;
    QTest::newRow("read: missing acknowledgement after block 300")
        << Mode::Read << sim << withFault(readBlockAckFrame(300), K::Missing) << Outcome::CommError << 1;
    QTest::newRow("read: corrupted acknowledgement after block 511")
        << Mode::Read << sim << withFault(readBlockAckFrame(511), K::CorruptByte) << Outcome::CommError << 1;
    QTest::newRow("read: short reply to block 17")
        << Mode::Read << sim << withFault(readBlockFrame(17), K::Short) << Outcome::CommError << 1;
    QTest::newRow("read: byte 6 of block 200 dropped")
        << Mode::Read << sim << withFault(readBlockFrame(200), K::DropByte, 6) << Outcome::CommError << 1;
    QTest::newRow("read: no reply to block 511")
        << Mode::Read << sim << withFault(readBlockFrame(511), K::Missing) << Outcome::CommError << 1;
    QTest::newRow("write: no answer to the band read")
        << Mode::Write << sim << silentFrom(kWriteBandReadFrame) << Outcome::CommError << 1;
    QTest::newRow("write: short band reply")
        << Mode::Write << sim << withFault(kWriteBandReadFrame, K::Short) << Outcome::CommError << 1;
    QTest::newRow("write: band bytes corrupted on the way")
        << Mode::Write << sim << withFault(kWriteBandReadFrame, K::CorruptByte, 5) << Outcome::BandMismatch
        << 1;
    QTest::newRow("write: acknowledgement after the band check is not examined")
        << Mode::Write << sim << withFault(kWriteBandReadFrame + 1, K::Wrong) << Outcome::Succeeded << 2;
    QTest::newRow("write: wrong acknowledgement of block 0")
        << Mode::Write << sim << withFault(writeBlockFrame(0), K::Wrong) << Outcome::CommError << 2;
    QTest::newRow("write: missing acknowledgement of block 447")
        << Mode::Write << sim << withFault(writeBlockFrame(447), K::Missing) << Outcome::CommError << 2;
    QTest::newRow("write: radio silent from block 100 on")
        << Mode::Write << sim << silentFrom(writeBlockFrame(100)) << Outcome::CommError << 2;
    QTest::newRow("write: reply to the band write is not examined")
        << Mode::Write << sim << withFault(writeBlockFrame(448), K::Missing) << Outcome::Succeeded << 2;
    // The two handshakes of a write share one failure count: one refusal in the first and two in
    // the second leave the fourth wake-up of the second to succeed ...
    QTest::newRow("write: three refusals over both handshakes")
        << Mode::Write << sim << withFaults({0, 6, 7}, K::Wrong) << Outcome::Succeeded << 5;
    // ... and a third refusal in the second handshake is the transfer's fourth failure.
    QTest::newRow("write: four refusals over both handshakes")
        << Mode::Write << sim << withFaults({0, 6, 7, 8}, K::Wrong) << Outcome::CommError << 5;
}

void TestRadioTransfer::failures()
{
    QFETCH(Mode, mode);
    QFETCH(QString, port);
    QFETCH(SimOptions, options);
    QFETCH(Outcome, outcome);
    QFETCH(int, wakeUps);

    for (int attempt = 1;; ++attempt) {
        SimulatedRadio radio(options);
        QVERIFY(radio.ok());
        radio->setMemory(radioMemory());
        const QString device = port == QStringLiteral("<sim>") ? radio.device() : port;

        RadioTransfer transfer(mode, device, programImage());
        QSignalSpy finished(&transfer, &RadioTransfer::finished);
        const Outcome result = transfer.run();
        if (LineLostBytes(radio, attempt))
            continue;
        QCOMPARE(result, outcome);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.first().at(0).value<Outcome>(), outcome);
        QCOMPARE(countWakeUps(radio->receivedBytes()), wakeUps);
        if (outcome != Outcome::Succeeded)
            QVERIFY(transfer.received().data() != radioMemory());
        break;
    }
}

void TestRadioTransfer::readPassword_data()
{
    QTest::addColumn<QByteArray>("radioPassword"); // empty: none set
    QTest::addColumn<QByteArray>("fieldPassword");
    QTest::addColumn<Outcome>("outcome");

    QTest::newRow("radio without password, field empty")
        << QByteArray() << QByteArray() << Outcome::Succeeded;
    QTest::newRow("radio without password, field set")
        << QByteArray() << QByteArray("123456") << Outcome::Succeeded;
    QTest::newRow("same six digits") << QByteArray("123456") << QByteArray("123456") << Outcome::Succeeded;
    QTest::newRow("same four digits") << QByteArray("2580") << QByteArray("2580") << Outcome::Succeeded;
    QTest::newRow("different digits")
        << QByteArray("123456") << QByteArray("123457") << Outcome::PasswordError;
    QTest::newRow("field empty, radio set") << QByteArray("123456") << QByteArray() << Outcome::PasswordError;
    QTest::newRow("field is a prefix")
        << QByteArray("123456") << QByteArray("1234") << Outcome::PasswordError;
}

void TestRadioTransfer::readPassword()
{
    QFETCH(QByteArray, radioPassword);
    QFETCH(QByteArray, fieldPassword);
    QFETCH(Outcome, outcome);

    for (int attempt = 1;; ++attempt) {
        SimulatedRadio radio;
        QVERIFY(radio.ok());
        orx::RadioImage radioImage;
        radioImage.data() = radioMemory();
        orx::EncodePassword(radioPassword.toStdString(), radioImage);
        radio->setMemory(radioImage.data());
        orx::RadioImage image = programImage();
        orx::EncodePassword(fieldPassword.toStdString(), image);

        RadioTransfer transfer(Mode::Read, PortName(), image);
        const Outcome result = transfer.run();
        if (LineLostBytes(radio, attempt))
            continue;
        QCOMPARE(result, outcome);
        if (outcome == Outcome::PasswordError) {
            // The read stops at the password: no acknowledgement, no block.
            LINK_COMPARE_BYTES(radio->receivedBytes(), Concat({Handshake(), ReadFrame(0x840)}));
        }
        break;
    }
}

void TestRadioTransfer::bandMismatchWritesNothing()
{
    for (int attempt = 1;; ++attempt) {
        SimulatedRadio radio;
        QVERIFY(radio.ok());
        orx::RadioImage uhf;
        uhf.data() = radioMemory();
        uhf.set(orx::map::kBandId, 0x40);
        uhf.set(orx::map::kBandId + 1, 0x47);
        uhf.set(orx::map::kBandId + 2, 0x00);
        radio->setMemory(uhf.data());

        RadioTransfer transfer(Mode::Write, PortName(), programImage());
        const Outcome result = transfer.run();
        if (LineLostBytes(radio, attempt))
            continue;
        QCOMPARE(result, Outcome::BandMismatch);
        LINK_COMPARE_BYTES(radio->receivedBytes(), Concat({Handshake(), ReadFrame(0xFF0)}));
        QVERIFY(radio->memory() == uhf.data());
        break;
    }
}

void TestRadioTransfer::failedReadHoldsNothingOfTheRadio()
{
    // The last block's acknowledgement fails: 511 good blocks must not reach the caller.
    for (int attempt = 1;; ++attempt) {
        SimulatedRadio radio(withFault(readBlockAckFrame(511), ReplyFault::Kind::Wrong));
        QVERIFY(radio.ok());
        radio->setMemory(radioMemory());
        RadioTransfer transfer(Mode::Read, PortName(), programImage());
        QSignalSpy progress(&transfer, &RadioTransfer::blockDone);
        const Outcome result = transfer.run();
        if (LineLostBytes(radio, attempt))
            continue;
        QCOMPARE(result, Outcome::CommError);
        QCOMPARE(progress.count(), 511);
        const orx::RadioImage erased;
        QVERIFY(transfer.received() == erased);
        break;
    }
}

void TestRadioTransfer::corruptedDataByteIsStoredAsReceived()
{
    // The protocol has no checksum: a byte damaged on the line is what the program gets.
    for (int attempt = 1;; ++attempt) {
        SimulatedRadio radio(withFault(readBlockFrame(2), ReplyFault::Kind::CorruptByte, 4));
        QVERIFY(radio.ok());
        radio->setMemory(radioMemory());
        RadioTransfer transfer(Mode::Read, PortName(), programImage());
        const Outcome result = transfer.run();
        if (LineLostBytes(radio, attempt))
            continue;
        QCOMPARE(result, Outcome::Succeeded);
        auto expected = radioMemory();
        expected[0x10] = static_cast<std::uint8_t>(~expected[0x10]);
        QVERIFY(transfer.received().data() == expected);
        break;
    }
}

void TestRadioTransfer::wakeUpPauses()
{
    for (int attempt = 1;; ++attempt) {
        SimulatedRadio radio;
        QVERIFY(radio.ok());
        radio->setMemory(radioMemory());
        RadioTransfer transfer(Mode::Read, PortName(), programImage());
        const Outcome result = transfer.run();
        if (LineLostBytes(radio, attempt))
            continue;
        QCOMPARE(result, Outcome::Succeeded);

        const auto received = radio->received();
        QVERIFY(received.size() > 9);
        using namespace std::chrono;
        // The program waits 2 ms before each wake-up byte and 1 ms before the identify frame. The
        // lower bounds are what the radio needs; scheduling may only make the pauses longer. The
        // median keeps one late time stamp (which shortens the gap after it) from failing the check.
        std::vector<microseconds> gaps;
        for (std::size_t i = 1; i < 7; ++i)
            gaps.push_back(duration_cast<microseconds>(received[i].time - received[i - 1].time));
        std::sort(gaps.begin(), gaps.end());
        const microseconds median = gaps[gaps.size() / 2];
        QVERIFY2(median >= 1900us && median < 10ms,
                 qPrintable(QStringLiteral("median gap %1 us").arg(median.count())));
        QVERIFY2(gaps[1] >= 1900us,
                 qPrintable(QStringLiteral("second shortest gap %1 us").arg(gaps[1].count())));
        const auto identifyGap = duration_cast<microseconds>(received[7].time - received[6].time);
        QVERIFY2(identifyGap >= 900us,
                 qPrintable(QStringLiteral("identify after %1 us").arg(identifyGap.count())));
        break;
    }
}

QTEST_GUILESS_MAIN(TestRadioTransfer)
#include "tst_radio_transfer.moc"
