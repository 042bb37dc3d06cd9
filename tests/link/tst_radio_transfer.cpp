// The read and write protocol against the simulated radio over a real pseudo-terminal: the exact
// bytes on the wire, every way the radio can fail, what the caller's image sees afterwards, a
// cancel at a chosen block, the read-back after a write, and the backups a transfer leaves.

#include "LinkTestSupport.h"

#include "Backups.h"
#include "BatchLog.h"
#include "ContinuousWrite.h"
#include "FeatureCodecs.h"
#include "ChannelDataFile.h"
#include "MemoryAreas.h"
#include "MemoryMap.h"
#include "AppContext.h"
#include "LinkTexts.h"
#include "RadioTransfer.h"
#include "SettingsCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

#include <algorithm>
#include <mutex>
#include <thread>

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

// The frames of a write's read-back: each written block and the band's block, acknowledged.
Bytes ReadBack()
{
    Bytes out;
    for (std::size_t a = 0; a < 0xE00; a += 8)
        out = Concat({out, ReadFrame(a), {0x06}});
    return Concat({out, ReadFrame(0xFF0), {0x06}});
}
constexpr int kWriteBandFrame = 8 + 448;
int readBackFrame(int block)
{
    return kWriteBandFrame + 1 + 2 * block;
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
    void portNeverDiscardsItsOwnOutput_data();
    void portNeverDiscardsItsOwnOutput();
    void noWakeUpByteLostUnderLoad();
    void cancelAtChosenBlock_data();
    void cancelAtChosenBlock();
    void verifiedWrite_data();
    void verifiedWrite();
    void differingAreas_data();
    void differingAreas();
    void backups_data();
    void backups();
    void oldBackupsGo_data();
    void oldBackupsGo();
    void backupsInTheSameSecondKeepEachOther();
    void backupsArePrivate();
    void writeKeepsWhatTheRadioHeld_data();
    void writeKeepsWhatTheRadioHeld();
    void everyFailureNamesItsStep_data();
    void everyFailureNamesItsStep();
    void continuousWritingOfThreeRadios();
};

void TestRadioTransfer::wholeRead()
{
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    radio->setMemory(radioMemory());

    RadioTransfer transfer(Mode::Read, TestContext().PortName(), programImage(), nullptr, ShortTimeouts());
    QSignalSpy progress(&transfer, &RadioTransfer::blockDone);
    QSignalSpy finished(&transfer, &RadioTransfer::finished);
    const Outcome result = transfer.run();
    QCOMPARE(result, Outcome::Succeeded);

    QVERIFY(transfer.received().data() == radioMemory());
    LINK_COMPARE_BYTES(radio->receivedBytes(), WholeRead());
    QCOMPARE(progress.count(), 512);
    QCOMPARE(progress.first().at(0).toInt(), 1);
    QCOMPARE(progress.last().at(0).toInt(), 512);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().at(0).value<Outcome>(), Outcome::Succeeded);
}

void TestRadioTransfer::wholeWrite()
{
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    const auto before = radioMemory();
    radio->setMemory(before);
    const orx::RadioImage image = programImage();

    RadioTransfer transfer(Mode::Write, TestContext().PortName(), image, nullptr, ShortTimeouts());
    QSignalSpy progress(&transfer, &RadioTransfer::blockDone);
    const Outcome result = transfer.run();
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

    SimulatedRadio radio(options);
    QVERIFY(radio.ok());
    radio->setMemory(radioMemory());
    const QString device = port == QStringLiteral("<sim>") ? radio.device() : port;

    // A radio silent from the first frame needs no patience: nothing it says is waited for.
    const orx::LinkTimeouts timeouts = options.silentFromFrame == 0 ? QuickTimeouts() : ShortTimeouts();
    RadioTransfer transfer(mode, device, programImage(), nullptr, timeouts);
    QSignalSpy finished(&transfer, &RadioTransfer::finished);
    const Outcome result = transfer.run();
    QCOMPARE(result, outcome);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.first().at(0).value<Outcome>(), outcome);
    QCOMPARE(countWakeUps(radio->receivedBytes()), wakeUps);
    if (outcome != Outcome::Succeeded)
        QVERIFY(transfer.received().data() != radioMemory());
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

    SimulatedRadio radio;
    QVERIFY(radio.ok());
    orx::RadioImage radioImage;
    radioImage.data() = radioMemory();
    orx::EncodePassword(radioPassword.toStdString(), radioImage);
    radio->setMemory(radioImage.data());
    orx::RadioImage image = programImage();
    orx::EncodePassword(fieldPassword.toStdString(), image);

    RadioTransfer transfer(Mode::Read, TestContext().PortName(), image, nullptr, ShortTimeouts());
    const Outcome result = transfer.run();
    QCOMPARE(result, outcome);
    if (outcome == Outcome::PasswordError) {
        // The read stops at the password: no acknowledgement, no block.
        LINK_COMPARE_BYTES(radio->receivedBytes(), Concat({Handshake(), ReadFrame(0x840)}));
    }
}

void TestRadioTransfer::bandMismatchWritesNothing()
{
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    orx::RadioImage uhf;
    uhf.data() = radioMemory();
    uhf.set(orx::map::kBandId, 0x40);
    uhf.set(orx::map::kBandId + 1, 0x47);
    uhf.set(orx::map::kBandId + 2, 0x00);
    radio->setMemory(uhf.data());

    RadioTransfer transfer(Mode::Write, TestContext().PortName(), programImage(), nullptr, ShortTimeouts());
    const Outcome result = transfer.run();
    QCOMPARE(result, Outcome::BandMismatch);
    LINK_COMPARE_BYTES(radio->receivedBytes(), Concat({Handshake(), ReadFrame(0xFF0)}));
    QVERIFY(radio->memory() == uhf.data());
}

void TestRadioTransfer::failedReadHoldsNothingOfTheRadio()
{
    // The last block's acknowledgement fails: 511 good blocks must not reach the caller.
    SimulatedRadio radio(withFault(readBlockAckFrame(511), ReplyFault::Kind::Wrong));
    QVERIFY(radio.ok());
    radio->setMemory(radioMemory());
    RadioTransfer transfer(Mode::Read, TestContext().PortName(), programImage(), nullptr, ShortTimeouts());
    QSignalSpy progress(&transfer, &RadioTransfer::blockDone);
    const Outcome result = transfer.run();
    QCOMPARE(result, Outcome::CommError);
    QCOMPARE(progress.count(), 511);
    const orx::RadioImage erased;
    QVERIFY(transfer.received() == erased);
}

void TestRadioTransfer::corruptedDataByteIsStoredAsReceived()
{
    // The protocol has no checksum: a byte damaged on the line is what the program gets.
    SimulatedRadio radio(withFault(readBlockFrame(2), ReplyFault::Kind::CorruptByte, 4));
    QVERIFY(radio.ok());
    radio->setMemory(radioMemory());
    RadioTransfer transfer(Mode::Read, TestContext().PortName(), programImage(), nullptr, ShortTimeouts());
    const Outcome result = transfer.run();
    QCOMPARE(result, Outcome::Succeeded);
    auto expected = radioMemory();
    expected[0x10] = static_cast<std::uint8_t>(~expected[0x10]);
    QVERIFY(transfer.received().data() == expected);
}

void TestRadioTransfer::wakeUpPauses()
{
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    radio->setMemory(radioMemory());
    PortTimeline timeline;
    RadioTransfer transfer(Mode::Read, TestContext().PortName(), programImage(), nullptr, ShortTimeouts());
    QCOMPARE(transfer.run(), Outcome::Succeeded);

    // 2 ms before each wake-up byte, 1 ms between the radio's answer and the identify frame, and
    // no other pause in the whole read: the blocks follow each other as fast as the replies come.
    // Times are the program's own, so scheduling can only make a pause longer.
    using K = PortTimeline::Kind;
    using namespace std::chrono;
    const auto events = timeline.events();
    QVERIFY(events.size() > 24);
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(events[std::size_t(2 * i)].kind, K::Pause);
        QCOMPARE(events[std::size_t(2 * i)].pause, 2ms);
        QCOMPARE(events[std::size_t(2 * i + 1)].kind, K::Write);
        if (i > 0)
            QVERIFY(events[std::size_t(2 * i + 1)].time - events[std::size_t(2 * i - 1)].time >= 2ms);
    }
    QCOMPARE(events[14].kind, K::Read);
    QCOMPARE(events[15].kind, K::Pause);
    QCOMPARE(events[15].pause, 1ms);
    QCOMPARE(events[16].kind, K::Write);
    QVERIFY(events[16].time - events[14].time >= 1ms);
    QCOMPARE(std::count_if(events.begin(), events.end(), [](const auto& e) { return e.kind == K::Pause; }),
             8);
}

void TestRadioTransfer::portNeverDiscardsItsOwnOutput_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<bool>("verify");
    QTest::newRow("read") << Mode::Read << false;
    QTest::newRow("write") << Mode::Write << false;
    QTest::newRow("write with read-back") << Mode::Write << true;
}

void TestRadioTransfer::portNeverDiscardsItsOwnOutput()
{
    QFETCH(Mode, mode);
    QFETCH(bool, verify);
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    radio->setMemory(radioMemory());
    DiscardCounter discards;
    RadioTransfer transfer(mode, TestContext().PortName(), programImage(), nullptr, ShortTimeouts());
    transfer.setVerify(verify);
    QCOMPARE(transfer.run(), Outcome::Succeeded);
    // Stale input is dropped before every frame; the frames themselves never are.
    QVERIFY(discards.inputDiscards > 400);
    QCOMPARE(discards.outputDiscards.load(), 0);
    QCOMPARE(radio->strayBytes(), std::size_t(0));
}

void TestRadioTransfer::noWakeUpByteLostUnderLoad()
{
    // Busy threads keep the kernel's deferred work waiting, which is when a purge that discards
    // output loses a wake-up byte. Each handshake must then still be understood at the first try.
    constexpr int kHandshakes = 60;
    std::atomic<bool> stop{false};
    std::vector<std::thread> load;
    for (unsigned i = 0; i < 2 * std::max(1u, std::thread::hardware_concurrency()); ++i)
        load.emplace_back([&stop] {
            volatile unsigned long n = 0;
            while (!stop.load(std::memory_order_relaxed))
                n = n + 1;
        });
    SimulatedRadio radio;
    int refused = 0;
    for (int i = 0; i < kHandshakes && radio.ok(); ++i) {
        orx::RadioSession session(orx::kTransferTimeouts);
        if (!session.open(radio.device()))
            break;
        int retries = 0; // a wake-up the radio did not understand fails at once
        if (!session.handshake(retries))
            ++refused;
    }
    stop = true;
    for (std::thread& t : load)
        t.join();
    QVERIFY(radio.ok());
    QCOMPARE(refused, 0);
    QCOMPARE(radio->strayBytes(), std::size_t(0));
    QCOMPARE(countWakeUps(radio->receivedBytes()), kHandshakes);
}

void TestRadioTransfer::cancelAtChosenBlock_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<bool>("verify");
    QTest::addColumn<int>("frame");  // the radio's frame during which the cancel comes
    QTest::addColumn<int>("blocks"); // blocks done when the transfer stops
    QTest::addColumn<QString>("status");

    QTest::newRow("read stops before block 1")
        << Mode::Read << false << readBlockFrame(0) << 1 << "读数据已取消";
    QTest::newRow("read stops before block 301")
        << Mode::Read << false << readBlockFrame(300) << 301 << "读数据已取消";
    QTest::newRow("read stops before the last block")
        << Mode::Read << false << readBlockFrame(510) << 511 << "读数据已取消";
    QTest::newRow("write stops before block 1")
        << Mode::Write << false << writeBlockFrame(0) << 1 << "写数据已停止：对讲机收到了 1 / 448 块";
    QTest::newRow("write stops before block 201")
        << Mode::Write << false << writeBlockFrame(200) << 201 << "写数据已停止：对讲机收到了 201 / 448 块";
    QTest::newRow("read-back stops before its block 11")
        << Mode::Write << true << readBackFrame(10) << 448 + 11 << "数据已写入，校验已取消";
}

void TestRadioTransfer::cancelAtChosenBlock()
{
    QFETCH(Mode, mode);
    QFETCH(bool, verify);
    QFETCH(int, frame);
    QFETCH(int, blocks);
    QFETCH(QString, status);

    SimulatedRadio radio;
    QVERIFY(radio.ok());
    const auto before = radioMemory();
    radio->setMemory(before);
    const orx::RadioImage image = programImage();
    RadioTransfer transfer(mode, TestContext().PortName(), image, nullptr, ShortTimeouts());
    transfer.setVerify(verify);
    // The cancel comes while the radio answers the chosen frame: that block still completes.
    ReplyGate gate(
        *radio, [frame](const orx::sim::Frame& f) { return f.number == frame; },
        [&transfer] { transfer.requestCancel(); }, 0);
    QSignalSpy progress(&transfer, &RadioTransfer::blockDone);

    QCOMPARE(transfer.run(), Outcome::Cancelled);
    QCOMPARE(progress.count(), blocks);
    QCOMPARE(orx::TransferCancelStatus(transfer), status);
    const orx::RadioImage erased;
    QVERIFY(transfer.received() == erased);
    // Nothing follows the stopped block's exchange.
    const Bytes wire = radio->receivedBytes();
    Bytes expected;
    if (mode == Mode::Read) {
        const Bytes whole = WholeRead();
        expected.assign(whole.begin(),
                        whole.begin() +
                            static_cast<std::ptrdiff_t>(
                                Concat({Handshake(), ReadFrame(0x840), {0x06}}).size() + 5 * blocks));
    } else if (!verify) {
        const Bytes whole = WholeWrite(image);
        const std::size_t head = Concat({Handshake(), ReadFrame(0xFF0), {0x06}, Handshake()}).size();
        expected.assign(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(head + 12 * blocks));
        // The radio holds the new blocks up to the stop and its old bytes after them.
        const auto after = radio->memory();
        for (std::size_t a = 0; a < orx::map::kImageSize; ++a)
            QCOMPARE(after[a], a < std::size_t(8 * blocks) ? image.at(a) : before[a]);
    } else {
        const Bytes back = ReadBack();
        expected = Concat({WholeWrite(image), Bytes(back.begin(), back.begin() + 5 * (blocks - 448))});
    }
    LINK_COMPARE_BYTES(wire, expected);
}

void TestRadioTransfer::verifiedWrite_data()
{
    QTest::addColumn<SimOptions>("options");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QStringList>("differences");

    using K = ReplyFault::Kind;
    QTest::newRow("a radio that stored everything") << SimOptions{} << Outcome::Succeeded << QStringList{};
    // Acknowledged, yet stored wrongly: the protocol cannot see it, the read-back does.
    QTest::newRow("channel 1's frequency stored wrongly") << withFault(writeBlockFrame(0), K::StoreWrong, 2)
                                                          << Outcome::VerifyMismatch << QStringList{"信道 1"};
    QTest::newRow("channel 128's tones stored wrongly") << withFault(writeBlockFrame(255), K::StoreWrong, 1)
                                                        << Outcome::VerifyMismatch << QStringList{"信道 128"};
    QTest::newRow("the squelch stored wrongly") << withFault(writeBlockFrame(0x810 / 8), K::StoreWrong, 3)
                                                << Outcome::VerifyMismatch << QStringList{"设置"};
    QTest::newRow("channel 3's name stored wrongly")
        << withFault(writeBlockFrame(0x860 / 8), K::StoreWrong, 0) << Outcome::VerifyMismatch
        << QStringList{"信道 3"};
    QTest::newRow("FM preset 32 stored wrongly") << withFault(writeBlockFrame(447), K::StoreWrong, 7)
                                                 << Outcome::VerifyMismatch << QStringList{"收音机频率 32"};
    QTest::newRow("two channels stored wrongly")
        << withFaults({writeBlockFrame(8), writeBlockFrame(20)}, K::StoreWrong) << Outcome::VerifyMismatch
        << QStringList{"信道 5", "信道 11"};
    QTest::newRow("the radio falls silent during the read-back") << [] {
        SimOptions o;
        o.silentFromFrame = readBackFrame(100);
        return o;
    }() << Outcome::VerifyCommError << QStringList{};
}

void TestRadioTransfer::verifiedWrite()
{
    QFETCH(SimOptions, options);
    QFETCH(Outcome, outcome);
    QFETCH(QStringList, differences);

    SimulatedRadio radio(options);
    QVERIFY(radio.ok());
    radio->setMemory(radioMemory());
    const orx::RadioImage image = programImage();
    RadioTransfer transfer(Mode::Write, TestContext().PortName(), image, nullptr, ShortTimeouts());
    transfer.setVerify(true);
    QCOMPARE(transfer.blockCount(), 448 + 449);
    QSignalSpy progress(&transfer, &RadioTransfer::blockDone);
    QSignalSpy verifying(&transfer, &RadioTransfer::verifying);

    QCOMPARE(transfer.run(), outcome);
    QCOMPARE(orx::MemoryAreaNames(transfer.verifyDifferences()), differences);
    QCOMPARE(verifying.count(), 1);
    if (outcome == Outcome::VerifyCommError)
        return;
    QCOMPARE(progress.count(), 448 + 449);
    // The write as ever, then the written part and the band read back with the read frames.
    LINK_COMPARE_BYTES(radio->receivedBytes(), Concat({WholeWrite(image), ReadBack()}));
}

void TestRadioTransfer::differingAreas_data()
{
    QTest::addColumn<QList<int>>("offsets");
    QTest::addColumn<QStringList>("areas");
    QTest::newRow("nothing differs") << QList<int>{} << QStringList{};
    QTest::newRow("channel 1's record") << QList<int>{0x000} << QStringList{"信道 1"};
    QTest::newRow("channel 63's record, the serial number") << QList<int>{0x3E5} << QStringList{"信道 63"};
    QTest::newRow("channel 128's name") << QList<int>{0xC4F} << QStringList{"信道 128"};
    QTest::newRow("channel 9's scan bit") << QList<int>{-(0xC51 * 8 + 0)} << QStringList{"信道 9"};
    QTest::newRow("one channel in several places, named once")
        << QList<int>{0x010, 0x01F, 0x858} << QStringList{"信道 2"};
    QTest::newRow("the squelch") << QList<int>{0x813} << QStringList{"设置"};
    QTest::newRow("a side key") << QList<int>{0x81E} << QStringList{"侧键"};
    QTest::newRow("the PTT ID code and the DTMF flags") << QList<int>{0x820, 0x83C} << QStringList{"DTMF"};
    QTest::newRow("the password") << QList<int>{0x845} << QStringList{"密码"};
    QTest::newRow("FM preset 1") << QList<int>{0xD80} << QStringList{"收音机频率 1"};
    QTest::newRow("a byte no area claims") << QList<int>{0xC61} << QStringList{"地址 0xC61"};
    QTest::newRow("the band") << QList<int>{0xFF1} << QStringList{"频段"};
    QTest::newRow("the calibration is never written, so never compared")
        << QList<int>{0xFF9} << QStringList{};
    QTest::newRow("in order: channels, settings, presets, band")
        << QList<int>{0xFF0, 0xD84, 0x813, 0x7F0, 0x000}
        << QStringList{"信道 1", "信道 128", "设置", "收音机频率 2", "频段"};
}

void TestRadioTransfer::differingAreas()
{
    QFETCH(QList<int>, offsets);
    QFETCH(QStringList, areas);
    const orx::RadioImage sent = programImage();
    orx::RadioImage radio = sent;
    for (int offset : offsets) {
        // A negative number is a bit: -(byte * 8 + bit).
        if (offset < 0)
            radio.set(std::size_t(-offset / 8),
                      radio.at(std::size_t(-offset / 8)) ^ std::uint8_t(1u << (-offset % 8)));
        else
            radio.set(std::size_t(offset), static_cast<std::uint8_t>(~radio.at(std::size_t(offset))));
    }
    QCOMPARE(orx::MemoryAreaNames(orx::DifferingAreas(sent, radio)), areas);
}

void TestRadioTransfer::backups_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<SimOptions>("options");
    QTest::addColumn<QString>("kept"); // "radio", "image" or "" for none
    QTest::newRow("a read keeps what the radio held") << Mode::Read << SimOptions{} << "radio";
    QTest::newRow("a write keeps what it sent") << Mode::Write << SimOptions{} << "image";
    QTest::newRow("a write that fails at block 5 has changed the radio: kept")
        << Mode::Write << withFault(writeBlockFrame(5), ReplyFault::Kind::Missing) << "image";
    QTest::newRow("a failed read: nothing")
        << Mode::Read << withFault(readBlockFrame(511), ReplyFault::Kind::Short) << "";
    QTest::newRow("a write refused before its first block: nothing")
        << Mode::Write << withFault(kWriteBandReadFrame, ReplyFault::Kind::CorruptByte, 4) << "";
}

void TestRadioTransfer::backups()
{
    QFETCH(Mode, mode);
    QFETCH(SimOptions, options);
    QFETCH(QString, kept);
    SimulatedRadio radio(options);
    QVERIFY(radio.ok());
    radio->setMemory(radioMemory());
    QTemporaryDir folder;
    RadioTransfer transfer(mode, TestContext().PortName(), programImage(), nullptr, ShortTimeouts());
    transfer.setBackupFolder(folder.path());
    transfer.run();

    const QStringList files = SinFiles(folder.path());
    if (kept.isEmpty()) {
        QCOMPARE(files, QStringList{});
        QCOMPARE(transfer.backupPath(), QString());
        return;
    }
    QCOMPARE(files.size(), 1);
    QCOMPARE(transfer.backupPath(), folder.filePath(files.first()));
    // Date, time, direction and band in the name.
    const QString direction = mode == Mode::Read ? QStringLiteral("read") : QStringLiteral("write");
    QVERIFY2(
        QRegularExpression(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d_%1_136-174MHz\\.sin$").arg(direction))
            .match(files.first())
            .hasMatch(),
        qPrintable(files.first()));
    orx::RadioImage saved;
    QCOMPARE(orx::LoadChannelData(QFile::encodeName(transfer.backupPath()).toStdString(), saved),
             orx::LoadResult::Ok);
    if (kept == QLatin1String("radio"))
        QVERIFY(saved.data() == radioMemory());
    else
        QVERIFY(saved == programImage());
}

void TestRadioTransfer::oldBackupsGo_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("kept");
    // Saved at 2025-06-30 12:00:00; 365 days before is 2024-06-30 12:00:00.
    QTest::newRow("a day old") << "2025-06-29_12-00-00_read_136-174MHz.sin" << true;
    QTest::newRow("365 days old to the second") << "2024-06-30_12-00-00_write_400-470MHz.sin" << true;
    QTest::newRow("a second more") << "2024-06-30_11-59-59_read_136-174MHz.sin" << false;
    QTest::newRow("years old") << "2019-01-01_00-00-00_write_unknown-band.sin" << false;
    QTest::newRow("an old second backup of one second")
        << "2019-01-01_00-00-00_read_136-174MHz-2.sin" << false;
    QTest::newRow("an old backup before a write")
        << "2019-01-01_00-00-00_before-write_136-174MHz.sin" << false;
    QTest::newRow("a file of the user's own") << "my radio.sin" << true;
    QTest::newRow("a name with no valid date") << "2019-13-45_00-00-00_read_136-174MHz.sin" << true;
}

void TestRadioTransfer::oldBackupsGo()
{
    QFETCH(QString, name);
    QFETCH(bool, kept);
    QTemporaryDir folder;
    QVERIFY(QFile(folder.filePath(name)).open(QIODevice::WriteOnly));
    const QDateTime now(QDate(2025, 6, 30), QTime(12, 0, 0));
    const QString saved = orx::SaveBackup(folder.path(), orx::BackupKind::Read, programImage(), now);
    QCOMPARE(QFileInfo(saved).fileName(), QStringLiteral("2025-06-30_12-00-00_read_136-174MHz.sin"));
    QCOMPARE(QFile::exists(folder.filePath(name)), kept);
    QVERIFY(QFile::exists(saved));
}

void TestRadioTransfer::backupsInTheSameSecondKeepEachOther()
{
    QTemporaryDir folder;
    const QDateTime now(QDate(2025, 6, 30), QTime(12, 0, 0));
    orx::RadioImage erasedBand = programImage();
    erasedBand.set(orx::map::kBandId, 0xFF);
    QStringList names;
    for (const orx::RadioImage& image : {programImage(), programImage(), erasedBand})
        names << QFileInfo(orx::SaveBackup(folder.path(), orx::BackupKind::Write, image, now)).fileName();
    QCOMPARE(names, (QStringList{"2025-06-30_12-00-00_write_136-174MHz.sin",
                                 "2025-06-30_12-00-00_write_136-174MHz-2.sin",
                                 "2025-06-30_12-00-00_write_unknown-band.sin"}));
}

namespace {

int unixMode(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

// The 16 bytes of the serial number: a serial number, or channel bytes when text is empty.
void putSerial(orx::RadioImage& image, const QString& text)
{
    if (!text.isEmpty()) {
        orx::EncodeSerialNumber(text.toStdString(), image);
        return;
    }
    for (std::size_t i = 0; i < orx::map::kSerialNumberSize; ++i)
        image.set(orx::map::kSerialNumber + i, static_cast<std::uint8_t>(0x14 + i)); // a channel
}

orx::RadioImage radioHolding(const QString& serial, std::uint8_t seed = 0x21)
{
    orx::RadioImage m = PatternImage(seed);
    m.fill(orx::map::kPassword, orx::map::kPasswordSize, 0xFF);
    orx::RadioImage band = programImage();
    for (std::size_t i = 0; i < orx::map::kBandIdSize; ++i)
        m.set(orx::map::kBandId + i, band.at(orx::map::kBandId + i));
    putSerial(m, serial);
    return m;
}

} // namespace

void TestRadioTransfer::backupsArePrivate()
{
    // The backups hold the radio's password: whatever the umask, only the user reads them, and a
    // folder left open by an earlier version is closed.
    const mode_t umaskBefore = ::umask(022);
    QTemporaryDir root;
    const QString fresh = root.filePath(QStringLiteral("new/backups"));
    const QString saved = orx::SaveBackup(fresh, orx::BackupKind::BeforeWrite, programImage());
    QVERIFY2(QFileInfo(saved).fileName().contains(QStringLiteral("_before-write_136-174MHz")),
             qPrintable(saved));
    QCOMPARE(unixMode(fresh), 0700);
    QCOMPARE(unixMode(saved), 0600);

    const QString old = root.filePath(QStringLiteral("old"));
    QVERIFY(QDir().mkpath(old));
    QVERIFY(QFile::setPermissions(old, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                           QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                           QFileDevice::ExeOther));
    const QString earlier = QDir(old).filePath(QStringLiteral("2025-01-01_00-00-00_read_136-174MHz.sin"));
    QVERIFY(QFile(earlier).open(QIODevice::WriteOnly));
    QCOMPARE(unixMode(earlier), 0644);
    orx::BatchLog log;
    QVERIFY(log.create(old, {QStringLiteral("a"), QStringLiteral("b")}));
    ::umask(umaskBefore);
    QCOMPARE(unixMode(old), 0700);
    QCOMPARE(unixMode(earlier), 0600);
    QCOMPARE(unixMode(log.path()), 0600);
}

void TestRadioTransfer::writeKeepsWhatTheRadioHeld_data()
{
    QTest::addColumn<bool>("preRead");
    QTest::addColumn<bool>("serialFromFile");
    QTest::addColumn<QString>("radioSerial"); // "" : channel 63's bytes
    QTest::addColumn<QString>("fileSerial");  // "" : a channel in row 63
    QTest::addColumn<bool>("kept");           // the radio's 16 bytes are written, not the file's

    QTest::newRow("another serial number in the file") << true << false << "RADIO-B"
                                                       << "FILE-A" << true;
    QTest::newRow("a channel in row 63 of the file") << true << false << "RADIO-B"
                                                     << "" << true;
    QTest::newRow("the same serial number") << true << false << "RADIO-B"
                                            << "RADIO-B" << false;
    QTest::newRow("a radio without one takes the file's") << true << false << ""
                                                          << "FILE-A" << false;
    QTest::newRow("the file's serial number on request") << true << true << "RADIO-B"
                                                         << "FILE-A" << false;
    QTest::newRow("without the backup: the two blocks are read") << false << false << "RADIO-B"
                                                                 << "FILE-A" << true;
    QTest::newRow("without the backup, on request: nothing is read") << false << true << "RADIO-B"
                                                                     << "" << false;
}

void TestRadioTransfer::writeKeepsWhatTheRadioHeld()
{
    QFETCH(bool, preRead);
    QFETCH(bool, serialFromFile);
    QFETCH(QString, radioSerial);
    QFETCH(QString, fileSerial);
    QFETCH(bool, kept);
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    const orx::RadioImage held = radioHolding(radioSerial);
    radio->setMemory(held.data());
    orx::RadioImage image = programImage();
    putSerial(image, fileSerial);
    QTemporaryDir folder;

    RadioTransfer transfer(Mode::Write, TestContext().PortName(), image, nullptr, ShortTimeouts());
    transfer.setBackupFolder(folder.path());
    transfer.setPreWriteBackup(preRead);
    transfer.setKeepRadioSerial(!serialFromFile);
    transfer.setVerify(true);
    QCOMPARE(transfer.run(), Outcome::Succeeded);
    QCOMPARE(transfer.serialKept(), kept);
    QCOMPARE(orx::SerialKeptText(transfer).isEmpty(), !kept);

    // What went into the radio: the image, with the radio's 16 bytes where they were kept.
    orx::RadioImage written = image;
    if (kept)
        for (std::size_t i = 0; i < orx::map::kSerialNumberSize; ++i)
            written.set(orx::map::kSerialNumber + i, held.at(orx::map::kSerialNumber + i));
    QVERIFY(transfer.written() == written);
    const auto after = radio->memory();
    QVERIFY(std::equal(after.begin(), after.begin() + 0xE00, written.data().begin()));
    const PreRead pre = preRead ? PreRead::Whole : serialFromFile ? PreRead::None : PreRead::Serial;
    const Bytes wire = radio->receivedBytes();
    const Bytes write = WholeWrite(written, pre);
    QVERIFY(wire.size() > write.size());
    LINK_COMPARE_BYTES(Bytes(wire.begin(), wire.begin() + std::ptrdiff_t(write.size())), write);

    // The backup before the write is what the radio held; the image sent is kept beside it.
    const QStringList files = SinFiles(folder.path());
    QCOMPARE(files.size(), preRead ? 2 : 1);
    if (!preRead)
        return;
    QCOMPARE(transfer.preWriteBackupPath(),
             folder.filePath(files.filter(QStringLiteral("_before-write_")).value(0)));
    orx::RadioImage backup;
    QCOMPARE(orx::LoadChannelData(QFile::encodeName(transfer.preWriteBackupPath()).toStdString(), backup),
             orx::LoadResult::Ok);
    QVERIFY(backup == held);
}

void TestRadioTransfer::everyFailureNamesItsStep_data()
{
    QTest::addColumn<Mode>("mode");
    QTest::addColumn<bool>("preRead");
    QTest::addColumn<SimOptions>("options");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<int>("lastFrame"); // the frame the program stops after: nothing follows it
    QTest::addColumn<QString>("line");
    using K = ReplyFault::Kind;
    SimOptions silent;
    silent.silentFromFrame = 0;
    SimOptions refused;
    refused.failWakeUps = 4;
    const int preReadFrame = kWriteBandReadFrame + 2; // the pre-read's first block, after the band's ack
    const int firstWrite = 8 + PreReadFrames(PreRead::Whole);

    QTest::newRow("no answer to the wake-up")
        << Mode::Read << false << silent << Outcome::CommError << 3 << "唤醒：对讲机没有应答";
    QTest::newRow("a wrong answer to the wake-up")
        << Mode::Read << false << refused << Outcome::CommError << 3 << "唤醒：对讲机的应答不对（收到 15）";
    QTest::newRow("the handshake not acknowledged")
        << Mode::Read << false << withFault(2, K::Wrong) << Outcome::CommError << 2 << "握手：对讲机没有确认";
    QTest::newRow("the band differs")
        << Mode::Write << true << withFault(kWriteBandReadFrame, K::CorruptByte, 4) << Outcome::BandMismatch
        << kWriteBandReadFrame << "频段：对讲机的频段字节是 EC 17 64，要写入的是 13 17 64";
    // A reply cut short is not acknowledged: the program stops at once.
    QTest::newRow("read: block 37 cut short")
        << Mode::Read << false << withFault(readBlockFrame(36), K::Short) << Outcome::CommError
        << readBlockFrame(36) << "读数据第 37 块（地址 0x120）：应答不完整，只收到 11 / 12 字节";
    QTest::newRow("read: block 37 not acknowledged")
        << Mode::Read << false << withFault(readBlockAckFrame(36), K::Missing) << Outcome::CommError
        << readBlockAckFrame(36) << "读数据第 37 块（地址 0x120）：对讲机没有确认";
    QTest::newRow("pre-read: block 5 cut short, nothing written")
        << Mode::Write << true << withFault(preReadFrame + 2 * 4, K::DropByte, 7) << Outcome::CommError
        << preReadFrame + 2 * 4 << "写入前读取第 5 块（地址 0x020）：应答不完整，只收到 11 / 12 字节";
    QTest::newRow("write: block 37 answered wrongly")
        << Mode::Write << true << withFault(firstWrite + 36, K::Wrong) << Outcome::CommError
        << firstWrite + 36 << "写数据第 37 块（地址 0x120）：应答不对（收到 15）";
    QTest::newRow("write: block 37 not acknowledged")
        << Mode::Write << true << withFault(firstWrite + 36, K::Missing) << Outcome::CommError
        << firstWrite + 36 << "写数据第 37 块（地址 0x120）：对讲机没有应答";
    QTest::newRow("read-back: block 10 cut short")
        << Mode::Write << true << withFault(firstWrite + 449 + 2 * 9, K::Short) << Outcome::VerifyCommError
        << firstWrite + 449 + 2 * 9 << "读回校验第 10 块（地址 0x048）：应答不完整，只收到 11 / 12 字节";
}

void TestRadioTransfer::everyFailureNamesItsStep()
{
    QFETCH(Mode, mode);
    QFETCH(bool, preRead);
    QFETCH(SimOptions, options);
    QFETCH(Outcome, outcome);
    QFETCH(int, lastFrame);
    QFETCH(QString, line);
    SimulatedRadio radio(options);
    QVERIFY(radio.ok());
    radio->setMemory(radioMemory());
    const auto before = radio->memory();
    // Quick timeouts only where the radio never answers: a busy machine may hold a reply up.
    const orx::LinkTimeouts timeouts = options.silentFromFrame == 0 ? QuickTimeouts() : ShortTimeouts();
    RadioTransfer transfer(mode, TestContext().PortName(), programImage(), nullptr, timeouts);
    transfer.setPreWriteBackup(preRead);
    transfer.setVerify(true);
    QCOMPARE(transfer.run(), outcome);
    QCOMPARE(orx::TransferFailureLine(transfer.failure()), line);
    QCOMPARE(orx::TransferFailureDetail(transfer, outcome), line);

    // The bytes on the wire are the protocol's, up to the failing frame, and nothing after it.
    const auto frames = radio->frames();
    QVERIFY(!frames.empty());
    QCOMPARE(frames.back().number, lastFrame);
    QCOMPARE(radio->strayBytes(), std::size_t(0));
    const Bytes wire = radio->receivedBytes();
    const Bytes whole =
        mode == Mode::Read
            ? WholeRead()
            : Concat({WholeWrite(programImage(), preRead ? PreRead::Whole : PreRead::None), ReadBack()});
    Bytes expected(whole.begin(), whole.begin() + std::ptrdiff_t(std::min(wire.size(), whole.size())));
    if (frames.back().kind == orx::sim::Frame::Kind::WakeUp)
        expected = Repeat(WakeUp(), 4); // four wake-ups, no more
    LINK_COMPARE_BYTES(wire, expected);
    // A failure before the first write block leaves the radio as it was.
    if (transfer.blocksWritten() == 0)
        QVERIFY(radio->memory() == before);
}

void TestRadioTransfer::continuousWritingOfThreeRadios()
{
    // Radio A and radio B, each with its serial number, then B again (as B was left) and radio C:
    // three writes, B is not written twice, and each keeps its own serial number.
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    std::vector<orx::RadioImage> radios{radioHolding(QStringLiteral("A-001"), 0x31),
                                        radioHolding(QStringLiteral("B-002"), 0x42), orx::RadioImage{},
                                        radioHolding(QStringLiteral("C-003"), 0x53)};
    std::vector<orx::RadioImage> after(radios.size());
    std::mutex mutex;
    std::size_t current = 0;
    int silentWakeUps = 0;
    radio->setMemory(radios[0].data());
    // Another radio is put on the cable once the batch has seen the last one go and asks again.
    radio->setFrameObserver([&](const orx::sim::Frame& f, const std::vector<std::uint8_t>&) {
        std::lock_guard lock(mutex);
        if (f.kind != orx::sim::Frame::Kind::WakeUp || radio->present())
            return;
        if (++silentWakeUps == 3 && current + 1 < radios.size()) {
            ++current;
            radio->plugIn(current == 2 ? after[1].data() : radios[current].data());
        }
    });
    QTemporaryDir folder;
    orx::RadioImage image = programImage();
    putSerial(image, QStringLiteral("FILE-X"));
    orx::ContinuousWrite batch(TestContext().PortName(), image, ShortTimeouts());
    batch.setVerify(true);
    batch.setPreWriteBackup(true);
    batch.setKeepRadioSerial(true);
    batch.setBackupFolder(folder.path());
    batch.setLimit(4);
    orx::BatchLog log;
    QVERIFY(log.create(folder.path(), orx::BatchLogHeader()));
    QObject::connect(&batch, &orx::ContinuousWrite::radioDone,
                     [&](const orx::BatchRadio& r) { log.append(orx::BatchLogFields(r, true)); });
    // Done with a radio: it is taken off the cable.
    QObject::connect(&batch, &orx::ContinuousWrite::waitingForRemoval, [&](int) {
        std::lock_guard lock(mutex);
        after[current].data() = radio->memory();
        silentWakeUps = 0;
        radio->takeAway();
    });
    const auto& done = batch.run();
    after[current].data() = radio->memory();

    QCOMPARE(int(done.size()), 4);
    const QStringList serials{"A-001", "B-002", "B-002", "C-003"};
    const std::vector<Outcome> outcomes{Outcome::Succeeded, Outcome::Succeeded, Outcome::AlreadyWritten,
                                        Outcome::Succeeded};
    for (std::size_t i = 0; i < done.size(); ++i) {
        QCOMPARE(done[i].outcome, outcomes[i]);
        QCOMPARE(QString::fromStdString(done[i].serial), serials[i]);
        if (outcomes[i] != Outcome::Succeeded)
            continue;
        QVERIFY(done[i].verified);
        QVERIFY(done[i].serialKept);
        // Each radio holds the image with its own serial number.
        QCOMPARE(QString::fromStdString(orx::DecodeSerialNumber(after[i])), serials[i]);
        orx::RadioImage expected = image;
        putSerial(expected, serials[i]);
        QVERIFY(
            std::equal(expected.data().begin(), expected.data().begin() + 0xE00, after[i].data().begin()));
        // Its backup before the write is what it held.
        orx::RadioImage backup;
        QCOMPARE(orx::LoadChannelData(QFile::encodeName(done[i].preWriteBackup).toStdString(), backup),
                 orx::LoadResult::Ok);
        QVERIFY(backup == radios[i]);
    }
    QCOMPARE(batch.failures(), 0);
    // Three radios written once each: 3 x 448 blocks and the band.
    const auto frames = radio->frames();
    QCOMPARE(std::count_if(frames.begin(), frames.end(),
                           [](const orx::sim::Frame& f) { return f.kind == orx::sim::Frame::Kind::Write; }),
             3 * 449);
    // The log: a header and a line for each radio.
    QFile file(log.path());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    QCOMPARE(lines.size(), 1 + 4 + 1);
    QVERIFY2(lines[3].contains("B-002"), lines[3].constData());
}

QTEST_GUILESS_MAIN(TestRadioTransfer)
#include "tst_radio_transfer.moc"
