// orxtool read and write, and the orx-radio-sim program, run as a user runs them: the files, the
// messages and exit statuses, the read-back of --verify, the backups, Ctrl+C, and (traced with
// strace where it is installed) a port that never asks the driver to discard its output.

#include "TestFiles.h"
#include "LinkTestSupport.h"

#include "Band.h"
#include "ChannelDataFile.h"
#include "FeatureCodecs.h"
#include "MemoryMap.h"
#include "ScreenCopy.h"
#include "SettingsCodec.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <signal.h>
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <mutex>

using namespace linktest;
using orx::sim::SimOptions;

namespace {

using testfiles::Run;

Run runTool(const QStringList& args)
{
    // The radio link's messages as the window words them: these tests read the Chinese texts.
    return testfiles::RunProgram(QStringLiteral(ORXTOOL_PATH), args + QStringList{"--lang", "zh"});
}

orx::RadioImage loadFile(const QString& path)
{
    orx::RadioImage image;
    image.fill(0, orx::map::kImageSize, 0x00);
    orx::LoadChannelData(path.toStdString(), image);
    return image;
}

void saveFile(const QString& path, const orx::RadioImage& image)
{
    QVERIFY(orx::SaveChannelData(path.toStdString(), image));
}

orx::RadioImage defaultRadio()
{
    orx::RadioImage image;
    image.data() = orx::sim::RadioSim::DefaultMemory();
    return image;
}

// A file as the program saves it, with a squelch byte the program would not write (it stores the
// first list entry instead), so that the encoding of the save shows in what reaches the radio.
orx::RadioImage fileToWrite()
{
    orx::RadioImage image = PatternImage(0x42);
    orx::EncodeBandId(orx::BandLimits{}, image);
    image.set(orx::map::kSquelch, 0x0F);
    return image;
}

} // namespace

class TestOrxToolLink : public QObject {
    Q_OBJECT
private slots:
    void readIntoFile();
    void readFailures_data();
    void readFailures();
    void writeEncodesAsTheProgramSaves();
    void writeWithBand_data();
    void writeWithBand();
    void writeFailures_data();
    void writeFailures();
    void simulatorProgram();
    void portExplanationsSpeakOfThePortArgument_data();
    void portExplanationsSpeakOfThePortArgument();
    void verify_data();
    void verify();
    void backups_data();
    void backups();
    void interruptStopsAtTheNextBlock_data();
    void interruptStopsAtTheNextBlock();
    void traceShowsNoOutputDiscarded_data();
    void traceShowsNoOutputDiscarded();
    void repeatWritesOneRadioAfterTheOther_data();
    void repeatWritesOneRadioAfterTheOther();
    void interruptEndsAWaitAtOnce();

private:
    // The tool's backups go to a scratch data folder, never the user's.
    PrivateUserFolders m_folders;
    QTemporaryDir m_dir;
    QString backupFolder() const { return m_folders.dataFolder() + QStringLiteral("/orxprog/backups"); }
};

void TestOrxToolLink::readIntoFile()
{
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    orx::RadioImage memory = PatternImage(0x17);
    orx::EncodePassword("", memory); // no password
    radio->setMemory(memory.data());

    const QString out = m_dir.filePath(QStringLiteral("read.sin"));
    const Run r = runTool({QStringLiteral("read"), radio.device(), out});
    QCOMPARE(r.status, 0);
    // Not a terminal: no progress bar, nothing at all on stderr.
    QCOMPARE(r.err, QString());
    QVERIFY(loadFile(out) == memory);
    LINK_COMPARE_BYTES(radio->receivedBytes(), WholeRead());
}

void TestOrxToolLink::readFailures_data()
{
    QTest::addColumn<QString>("radioPassword");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<bool>("badPort");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");

    QTest::newRow("radio password given")
        << "2468" << QStringList{"--password", "2468"} << false << false << 0 << QString();
    QTest::newRow("radio password not given") << "2468" << QStringList{} << false << false << 3
                                              << "orxtool: 密码错误\n密码：对讲机的密码与“密码”栏中的不同\n"
                                                 "请用 --password 给出对讲机的密码，然后再读一次。\n";
    QTest::newRow("wrong password") << "2468" << QStringList{"--password", "1357"} << false << false << 3
                                    << "orxtool: 密码错误\n密码：对讲机的密码与“密码”栏中的不同\n"
                                       "请用 --password 给出对讲机的密码，然后再读一次。\n";
    QTest::newRow("silent radio") << "" << QStringList{} << true << false << 3
                                  << "orxtool: 通信出错\n唤醒：对讲机没有应答\n";
    // The reason follows the fixed message; the devices it lists are this machine's.
    QTest::newRow("no such port") << "" << QStringList{} << false << true << 3
                                  << "orxtool: 打开串口失败\n串口设备 /dev/orx-no-such-port 不存在。";
    QTest::newRow("password not digits")
        << "" << QStringList{"--password", "12a"} << false << false << 2 << "orxtool: 密码最多 6 位数字\n";
}

void TestOrxToolLink::readFailures()
{
    QFETCH(QString, radioPassword);
    QFETCH(QStringList, options);
    QFETCH(bool, silent);
    QFETCH(bool, badPort);
    QFETCH(int, status);
    QFETCH(QString, message);

    SimOptions simOptions;
    if (silent)
        simOptions.silentFromFrame = 0;
    SimulatedRadio radio(simOptions);
    QVERIFY(radio.ok());
    orx::RadioImage memory = defaultRadio();
    orx::EncodePassword(radioPassword.toStdString(), memory);
    radio->setMemory(memory.data());

    const QString out = m_dir.filePath(QStringLiteral("failed-read.sin"));
    QFile::remove(out);
    const QString port = badPort ? QStringLiteral("/dev/orx-no-such-port") : radio.device();
    const Run r = runTool(QStringList{QStringLiteral("read"), port, out} + options);
    QCOMPARE(r.status, status);
    if (badPort)
        QVERIFY2(r.err.startsWith(message), qPrintable(r.err));
    else
        QCOMPARE(r.err, message);
    // A failed read leaves no file behind.
    QCOMPARE(QFile::exists(out), status == 0);
}

void TestOrxToolLink::writeEncodesAsTheProgramSaves()
{
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    const auto before = radio->memory();
    const QString in = m_dir.filePath(QStringLiteral("write.sin"));
    saveFile(in, fileToWrite());

    const Run r = runTool({QStringLiteral("write"), radio.device(), in});
    QCOMPARE(r.status, 0);
    QCOMPARE(r.err, QString());

    orx::BandLimits limits;
    const orx::RadioImage expected = orx::LoadAndSave(fileToWrite(), {}, limits);
    QVERIFY(expected.at(orx::map::kSquelch) != 0x0F);
    LINK_COMPARE_BYTES(radio->receivedBytes(), WholeWrite(expected, PreRead::Whole));
    const auto after = radio->memory();
    QVERIFY(std::equal(after.begin(), after.begin() + 0xE00, expected.data().begin()));
    QVERIFY(std::equal(after.begin() + 0xE00, after.begin() + 0xFF0, before.begin() + 0xE00));
}

void TestOrxToolLink::writeWithBand_data()
{
    QTest::addColumn<QString>("radioBand");
    QTest::addColumn<QString>("fileBand");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");

    QTest::newRow("file's band matches") << "400-470"
                                         << "400-470" << QStringList{} << 0 << QString();
    QTest::newRow("file's band differs")
        << "400-470"
        << "136-174" << QStringList{} << 3
        << "orxtool: 频率不匹配\n频段：对讲机的频段字节是 40 47 00，要写入的是 13 17 64\n";
    QTest::newRow("--band overrides the file")
        << "400-470"
        << "136-174" << QStringList{"--band", "400-470"} << 0 << QString();
    QTest::newRow("--band differs from the radio")
        << "136-174"
        << "136-174" << QStringList{"--band", "400-480"} << 3
        << "orxtool: 频率不匹配\n频段：对讲机的频段字节是 13 17 64，要写入的是 40 48 00\n";
    QTest::newRow("--band not a band") << "136-174"
                                       << "136-174" << QStringList{"--band", "VHF"} << 2
                                       << "orxtool: 频段写作“下限-上限”（MHz），例如 136-174\n";
}

void TestOrxToolLink::writeWithBand()
{
    QFETCH(QString, radioBand);
    QFETCH(QString, fileBand);
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QString, message);

    SimulatedRadio radio;
    QVERIFY(radio.ok());
    orx::RadioImage memory = defaultRadio();
    orx::BandLimits radioLimits;
    QVERIFY(orx::ApplyBandText(radioBand.toStdString(), radioLimits));
    orx::EncodeBandId(radioLimits, memory);
    radio->setMemory(memory.data());

    orx::RadioImage file = fileToWrite();
    orx::BandLimits fileLimits;
    QVERIFY(orx::ApplyBandText(fileBand.toStdString(), fileLimits));
    orx::EncodeBandId(fileLimits, file);
    const QString in = m_dir.filePath(QStringLiteral("band.sin"));
    saveFile(in, file);

    const Run r = runTool(QStringList{QStringLiteral("write"), radio.device(), in} + options);
    QCOMPARE(r.status, status);
    QCOMPARE(r.err, message);
    if (status == 0) {
        for (std::size_t i = 0; i < orx::map::kBandIdSize; ++i)
            QCOMPARE(radio->byte(orx::map::kBandId + i), memory.at(orx::map::kBandId + i));
    }
}

void TestOrxToolLink::writeFailures_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("badPort");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("errorStart");
    QTest::newRow("no such input file") << "missing.sin" << false << 2 << "orxtool: 无法打开";
    QTest::newRow("no such port") << "write.sin" << true << 3 << "orxtool: 打开串口失败";
}

void TestOrxToolLink::writeFailures()
{
    QFETCH(QString, input);
    QFETCH(bool, badPort);
    QFETCH(int, status);
    QFETCH(QString, errorStart);
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    saveFile(m_dir.filePath(QStringLiteral("write.sin")), fileToWrite());
    const QString port = badPort ? QStringLiteral("orx-no-such-port") : radio.device();
    const Run r = runTool({QStringLiteral("write"), port, m_dir.filePath(input)});
    QCOMPARE(r.status, status);
    QVERIFY2(r.err.startsWith(errorStart), qPrintable(r.err));
    QVERIFY(radio->receivedBytes().empty());
}

void TestOrxToolLink::simulatorProgram()
{
    const QString saved = m_dir.filePath(QStringLiteral("sim-memory.sin"));
    QProcess sim;
    sim.start(QStringLiteral(ORX_RADIO_SIM_PATH),
              {QStringLiteral("--password"), QStringLiteral("4321"), QStringLiteral("--band"),
               QStringLiteral("400-470"), QStringLiteral("--save"), saved});
    QVERIFY(sim.waitForStarted());
    QTRY_VERIFY(sim.canReadLine());
    const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();
    QVERIFY2(device.startsWith(QLatin1Char('/')), qPrintable(device));

    const QString out = m_dir.filePath(QStringLiteral("from-sim.sin"));
    const Run read = runTool({QStringLiteral("read"), device, out, QStringLiteral("--password=4321")});
    QCOMPARE(read.status, 0);
    const orx::RadioImage fromSim = loadFile(out);
    QCOMPARE(orx::DecodePassword(fromSim), std::string("4321"));
    QCOMPARE(orx::DecodeBandId(fromSim), std::optional<orx::BandEdges>(orx::BandEdges{400, 470}));

    // Write a changed image back; the simulator keeps it and saves it when it is stopped.
    orx::RadioImage changed = fromSim;
    QVERIFY(changed.at(orx::map::kSquelch) != 3);
    changed.set(orx::map::kSquelch, 3);
    const QString in = m_dir.filePath(QStringLiteral("to-sim.sin"));
    saveFile(in, changed);
    QCOMPARE(runTool({QStringLiteral("write"), device, in}).status, 0);

    sim.terminate();
    QVERIFY(sim.waitForFinished(10000));
    QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.exitCode(), 0);
    orx::BandLimits limits;
    const orx::RadioImage written = orx::LoadAndSave(changed, {}, limits);
    const orx::RadioImage kept = loadFile(saved);
    QVERIFY(std::equal(kept.data().begin(), kept.data().begin() + 0xE00, written.data().begin()));
    QCOMPARE(kept.at(orx::map::kSquelch), std::uint8_t(3));
}

void TestOrxToolLink::portExplanationsSpeakOfThePortArgument_data()
{
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("explanation");
    QTest::newRow("an empty PORT") << ""
                                   << "PORT 参数是空的";
    QTest::newRow("a PORT that is not there") << "/dev/orx-no-such-port"
                                              << "串口设备 /dev/orx-no-such-port 不存在。";
}

void TestOrxToolLink::portExplanationsSpeakOfThePortArgument()
{
    QFETCH(QString, port);
    QFETCH(QString, explanation);
    const Run r = runTool({QStringLiteral("read"), port, m_dir.filePath(QStringLiteral("none.sin"))});
    QCOMPARE(r.status, 3);
    QVERIFY2(r.err.startsWith(QStringLiteral("orxtool: 打开串口失败\n")), qPrintable(r.err));
    QVERIFY2(r.err.contains(explanation), qPrintable(r.err));
    QVERIFY2(r.err.contains(QStringLiteral("PORT 参数")), qPrintable(r.err));
    // The tool has no menu to point at.
    QVERIFY2(!r.err.contains(QStringLiteral("端口设置")), qPrintable(r.err));
}

void TestOrxToolLink::verify_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<SimOptions>("simOptions");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    SimOptions storedWrongly;
    // --no-backup: the serial number's two blocks are read before the write.
    const int firstWrite = 8 + PreReadFrames(PreRead::Serial);
    storedWrongly.faults[firstWrite + 2] =
        orx::sim::ReplyFault{orx::sim::ReplyFault::Kind::StoreWrong, 5}; // channel 2
    storedWrongly.faults[firstWrite + 0x818 / 8] =
        orx::sim::ReplyFault{orx::sim::ReplyFault::Kind::StoreWrong, 4}; // 0x81C
    QTest::newRow("--verify, stored right") << QStringList{"--verify"} << SimOptions{} << 0 << "";
    QTest::newRow("--verify, stored wrongly")
        << QStringList{"--verify"} << storedWrongly << 3
        << "orxtool: 校验出错：对讲机中的数据与写入的不同\n不同之处：信道 2、设置。\n";
    QTest::newRow("without --verify nothing is read back") << QStringList{} << storedWrongly << 0 << "";
}

void TestOrxToolLink::verify()
{
    QFETCH(QStringList, options);
    QFETCH(SimOptions, simOptions);
    QFETCH(int, status);
    QFETCH(QString, message);
    SimulatedRadio radio(simOptions);
    QVERIFY(radio.ok());
    const QString in = m_dir.filePath(QStringLiteral("verify.sin"));
    saveFile(in, fileToWrite());
    const Run r = runTool(
        QStringList{QStringLiteral("write"), radio.device(), in, QStringLiteral("--no-backup")} + options);
    QCOMPARE(r.status, status);
    QCOMPARE(r.err, message);
    const auto frames = radio->frames();
    const auto reads = std::count_if(frames.begin(), frames.end(), [](const orx::sim::Frame& f) {
        return f.kind == orx::sim::Frame::Kind::Read;
    });
    // The band check and the serial number's two blocks, then the read-back.
    QCOMPARE(int(reads), options.isEmpty() ? 3 : 3 + 449);
}

void TestOrxToolLink::backups_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("kept");
    QTest::newRow("read keeps a backup") << "read" << QStringList{} << 1;
    // What the radio held before the write, and what it was sent.
    QTest::newRow("write keeps two backups") << "write" << QStringList{} << 2;
    QTest::newRow("read --no-backup") << "read" << QStringList{"--no-backup"} << 0;
    QTest::newRow("write --no-backup") << "write" << QStringList{"--no-backup"} << 0;
}

void TestOrxToolLink::backups()
{
    QFETCH(QString, command);
    QFETCH(QStringList, options);
    QFETCH(int, kept);
    QDir(backupFolder()).removeRecursively();
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    const auto before = radio->memory();
    const QString file = m_dir.filePath(QStringLiteral("backup-test.sin"));
    // Whatever the umask lets others read, the backups are the user's alone.
    const mode_t umaskBefore = ::umask(022);
    const auto restoreUmask = qScopeGuard([umaskBefore] { ::umask(umaskBefore); });
    if (command == QLatin1String("write"))
        saveFile(file, fileToWrite());
    const Run r = runTool(QStringList{command, radio.device(), file} + options);
    QCOMPARE(r.status, 0);
    QCOMPARE(r.err, QString());
    QStringList files = SinFiles(backupFolder());
    QCOMPARE(files.size(), kept);
    if (kept == 0)
        return;
    // The program's own backups folder, named with date, time, direction and band, private to the user.
    auto mode = [](const QString& path) {
        struct stat st {};
        return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
    };
    QCOMPARE(mode(backupFolder()), 0700);
    auto named = [&files](const QString& kind) {
        const QRegularExpression re(
            QStringLiteral("^\\d{4}-\\d\\d-\\d\\d_\\d\\d-\\d\\d-\\d\\d_%1_136-174MHz\\.sin$").arg(kind));
        const QStringList match = files.filter(re);
        return match.size() == 1 ? match.first() : QString();
    };
    for (const QString& name : files)
        QCOMPARE(mode(QDir(backupFolder()).filePath(name)), 0600);
    const orx::RadioImage saved = loadFile(QDir(backupFolder()).filePath(named(command)));
    if (command == QLatin1String("read")) {
        QVERIFY(saved == loadFile(file));
    } else {
        orx::BandLimits limits;
        QVERIFY(saved == orx::LoadAndSave(fileToWrite(), {}, limits));
        const orx::RadioImage held =
            loadFile(QDir(backupFolder()).filePath(named(QStringLiteral("before-write"))));
        QVERIFY(held.data() == before);
    }
}

void TestOrxToolLink::interruptStopsAtTheNextBlock_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("frame"); // Ctrl+C comes while the radio answers this frame
    QTest::addColumn<QString>("message");
    QTest::newRow("read") << "read" << 5 + 2 * 200 << "orxtool: 读数据已取消\n";
    QTest::newRow("write") << "write" << 8 + PreReadFrames(PreRead::Serial) + 100
                           << "orxtool: 写数据已停止：对讲机收到了 101 / 448 块\n";
}

void TestOrxToolLink::interruptStopsAtTheNextBlock()
{
    QFETCH(QString, command);
    QFETCH(int, frame);
    QFETCH(QString, message);
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    const QString file = m_dir.filePath(QStringLiteral("interrupted.sin"));
    QFile::remove(file);
    if (command == QLatin1String("write"))
        saveFile(file, fileToWrite());
    QProcess tool;
    std::atomic<qint64> pid{0};
    // The signal is on its way before the radio answers that frame, so the tool sees it before
    // it asks for the next block.
    ReplyGate gate(
        *radio, [frame](const orx::sim::Frame& f) { return f.number == frame; },
        [&pid] { ::kill(static_cast<pid_t>(pid.load()), SIGINT); }, 0);
    tool.start(QStringLiteral(ORXTOOL_PATH),
               {command, radio.device(), file, QStringLiteral("--no-backup"), "--lang", "zh"});
    QVERIFY(tool.waitForStarted());
    pid = tool.processId();
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tool.exitCode(), 130);
    QCOMPARE(QString::fromUtf8(tool.readAllStandardError()), message);
    // The stop comes at the next block: the frame after that block's exchange is never sent.
    const auto frames = radio->frames();
    QCOMPARE(int(frames.size()), command == QLatin1String("read") ? frame + 2 : frame + 1);
    if (command == QLatin1String("read"))
        QVERIFY(!QFile::exists(file)); // a read writes no file
}

void TestOrxToolLink::traceShowsNoOutputDiscarded_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("read") << "read";
    QTest::newRow("write --verify") << "write";
}

void TestOrxToolLink::traceShowsNoOutputDiscarded()
{
    QFETCH(QString, command);
    const QString strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
    if (strace.isEmpty())
        QSKIP("strace is not installed");
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    const QString file = m_dir.filePath(QStringLiteral("traced.sin"));
    QStringList args{command, radio.device(), file, QStringLiteral("--no-backup")};
    if (command == QLatin1String("write")) {
        saveFile(file, fileToWrite());
        args << QStringLiteral("--verify");
    }
    const QString trace = m_dir.filePath(QStringLiteral("ioctl.trace"));
    // LeakSanitizer cannot work under a tracer: a sanitizer build of the tool runs without it here.
    const Run r = testfiles::RunProgram(
        strace, QStringList{"-f", "-qq", "-e", "trace=ioctl", "-o", trace, "-E",
                            "ASAN_OPTIONS=detect_leaks=0:abort_on_error=1", QStringLiteral(ORXTOOL_PATH)} +
                    args);
    if (r.status != 0 && r.err.contains(QStringLiteral("ptrace")))
        QSKIP("strace may not trace here");
    QCOMPARE(r.status, 0);
    // Every purge asks for the input to be flushed; nothing ever asks for the output.
    const QString calls = QString::fromLatin1(testfiles::FileBytes(trace));
    QCOMPARE(calls.count(QStringLiteral("TCOFLUSH")), 0);
    QCOMPARE(calls.count(QStringLiteral("TCIOFLUSH")), 0);
    QVERIFY2(calls.count(QStringLiteral("TCFLSH, TCIFLUSH")) > 400, qPrintable(calls.left(2000)));
}

void TestOrxToolLink::repeatWritesOneRadioAfterTheOther_data()
{
    QTest::addColumn<QString>("secondBand"); // of the second radio
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("secondResult");
    QTest::newRow("two radios") << "136-174" << 0 << "B-002  成功，保留电子串号";
    // Refused before anything is read: its serial number is not known.
    QTest::newRow("the second fails: exit status 3")
        << "400-470" << 3
        << "（无）  失败：频率不匹配 频段：对讲机的频段字节是 40 47 00，要写入的是 13 17 64";
}

void TestOrxToolLink::repeatWritesOneRadioAfterTheOther()
{
    QFETCH(QString, secondBand);
    QFETCH(int, status);
    QFETCH(QString, secondResult);
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    orx::RadioImage first = defaultRadio();
    orx::EncodeSerialNumber("A-001", first);
    orx::RadioImage second = defaultRadio();
    orx::EncodeSerialNumber("B-002", second);
    orx::BandLimits band;
    QVERIFY(orx::ApplyBandText(secondBand.toStdString(), band));
    orx::EncodeBandId(band, second);
    radio->setMemory(first.data());
    orx::RadioImage firstAfter;
    std::mutex mutex;
    int silentWakeUps = 0;
    bool plugged = false;
    // The first radio is taken away once its band bytes are written; the second comes once the
    // tool has seen it go and asks again.
    radio->setFrameObserver([&](const orx::sim::Frame& f, const std::vector<std::uint8_t>&) {
        std::lock_guard lock(mutex);
        if (f.kind == orx::sim::Frame::Kind::Write && f.bytes[1] == 0x0F && !plugged) {
            firstAfter.data() = radio->memory();
            radio->takeAway();
        } else if (f.kind == orx::sim::Frame::Kind::WakeUp && !radio->present() && ++silentWakeUps == 3) {
            plugged = true;
            radio->plugIn(second.data());
        }
    });
    const QString in = m_dir.filePath(QStringLiteral("repeat.sin"));
    saveFile(in, fileToWrite());
    const Run r = runTool(
        {QStringLiteral("write"), radio.device(), in, QStringLiteral("--repeat"), QStringLiteral("2")});
    QCOMPARE(r.status, status);
    // One line a radio: number, time, serial number, result, verification.
    const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[0].startsWith(QStringLiteral("1  ")) &&
                 lines[0].contains(QStringLiteral("  A-001  成功，保留电子串号  未校验")),
             qPrintable(lines[0]));
    QVERIFY2(lines[1].startsWith(QStringLiteral("2  ")) &&
                 lines[1].contains(QStringLiteral("  ") + secondResult),
             qPrintable(lines[1]));
    QCOMPARE(orx::DecodeSerialNumber(firstAfter), std::string("A-001"));
    if (status == 0) {
        orx::RadioImage secondAfter;
        secondAfter.data() = radio->memory();
        QCOMPARE(orx::DecodeSerialNumber(secondAfter), std::string("B-002"));
    }
    // The batch's log beside the backups: a header and the two lines.
    const QStringList logs =
        QDir(backupFolder()).entryList({QStringLiteral("*_batch*.csv")}, QDir::Files, QDir::Name);
    QVERIFY(!logs.isEmpty());
    QCOMPARE(testfiles::FileBytes(QDir(backupFolder()).filePath(logs.last())).count('\n'), 3);
}

void TestOrxToolLink::interruptEndsAWaitAtOnce()
{
    // A silent radio: Ctrl+C during the first wake-up's wait ends the tool without another one.
    SimOptions silent;
    silent.silentFromFrame = 0;
    SimulatedRadio radio(silent);
    QVERIFY(radio.ok());
    const QString in = m_dir.filePath(QStringLiteral("silent.sin"));
    saveFile(in, fileToWrite());
    QProcess tool;
    std::atomic<qint64> pid{0};
    std::atomic<std::int64_t> signalled{0};
    radio->setFrameObserver([&](const orx::sim::Frame& f, const std::vector<std::uint8_t>&) {
        if (f.number == 0) {
            signalled = std::chrono::steady_clock::now().time_since_epoch().count();
            ::kill(static_cast<pid_t>(pid.load()), SIGINT);
        }
    });
    tool.start(QStringLiteral(ORXTOOL_PATH), {QStringLiteral("write"), radio.device(), in, "--lang", "zh"});
    QVERIFY(tool.waitForStarted());
    pid = tool.processId();
    QVERIFY(tool.waitForFinished(10000));
    const auto ended = std::chrono::steady_clock::now().time_since_epoch().count();
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tool.exitCode(), 130);
    QCOMPARE(QString::fromUtf8(tool.readAllStandardError()),
             QStringLiteral("orxtool: 写数据已停止：对讲机收到了 0 / 448 块\n"));
    QCOMPARE(int(radio->frames().size()), 1);
    // For the record, not a limit: how long the tool took to end after the signal.
    qInfo("ended %.0f ms after Ctrl+C", double(ended - signalled.load()) / 1e6);
}

QTEST_GUILESS_MAIN(TestOrxToolLink)
#include "tst_orxtool_link.moc"
