// The read and write commands through the form view and the progress dialog's real widgets, with
// the transfer in its worker thread and the simulated radio on a pseudo-terminal: progress, the
// messages and where they stand, stopping a read or a write at a chosen block, the read-back after
// a write with its remembered check box, and the backups.

#include "LinkTestSupport.h"
#include "TestSupport.h"

#include "Backups.h"
#include "ChannelDataFile.h"
#include "FeatureCodecs.h"
#include "LinkMessage.h"
#include "MemoryMap.h"
#include "AppContext.h"
#include "LinkTexts.h"
#include "ProgramDoc.h"
#include "ProgramIni.h"
#include "ProgramView.h"
#include "ScreenCopy.h"
#include "SettingsCodec.h"
#include "TransferDlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTableWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <mutex>

using namespace linktest;
using orx::sim::ReplyFault;
using orx::sim::SimOptions;

Q_DECLARE_METATYPE(orx::sim::SimOptions)

namespace {

// What the dialog showed last, read just before it closed.
struct DialogTrace {
    bool opened = false;
    QString title;
    QString initialPercent;
    int maximum = -1;
    bool startIsDefault = false;
    QString finalPercent;
    int finalValue = -1;
    QString message; // the failure message, if one was shown
    QString detail;  // the reason below it
    QString status;  // the short status of a stopped transfer
    CTransferDlg* dialog = nullptr;
};

// Answers the next progress dialog: notes what it shows, presses "开始", and confirms the failure
// message if one comes.
void RunNextTransfer(DialogTrace& trace)
{
    WhenModal("CTransferDlg", [&trace](QWidget* w) {
        auto* dlg = static_cast<CTransferDlg*>(w);
        auto* bar = dlg->findChild<QProgressBar*>(QStringLiteral("progress"));
        auto* percent = dlg->findChild<QLabel*>(QStringLiteral("percentText"));
        auto* start = dlg->findChild<QPushButton*>(QStringLiteral("startButton"));
        trace.opened = true;
        trace.dialog = dlg;
        trace.title = dlg->windowTitle();
        trace.initialPercent = percent->text();
        trace.maximum = bar->maximum();
        trace.startIsDefault = start->isDefault();
        QPointer<QTimer> messageWatch = WhenModal("QMessageBox", [&trace](QWidget* box) {
            // The question before a write is stopped is the test's to answer.
            if (box->objectName() == QLatin1String("stopWriteQuestion"))
                return;
            trace.message = testsupport::MessageBoxText(box);
            trace.detail = static_cast<QMessageBox*>(box)->informativeText();
            static_cast<QMessageBox*>(box)->accept();
        });
        QObject::connect(dlg, &QDialog::finished, dlg, [&trace, dlg, bar, percent, messageWatch] {
            trace.finalPercent = percent->text();
            trace.finalValue = bar->value();
            trace.status = dlg->StatusText();
            trace.dialog = nullptr;
            delete messageWatch.data(); // a message comes before the dialog closes, or never
        });
        QTest::mouseClick(start, Qt::LeftButton);
    });
}

// The radio's memory: what a new document holds, with channel 1 programmed and a louder squelch,
// so that a read visibly changes the screen.
orx::RadioImage RadioMemory(CProgramView& view)
{
    orx::ScreenCopy screen = view.ReadScreen();
    screen.channel(1)[orx::ColRxFrequency] = "146.52000";
    screen.channel(1)[orx::ColTxFrequency] = "146.52000";
    orx::RadioImage image;
    image.data() = orx::sim::RadioSim::DefaultMemory();
    orx::ScreenToImage(screen, view.bandLimits(), image);
    image.set(orx::map::kSquelch, 0x08);
    return image;
}

orx::ScreenCopy ScreenOf(const orx::RadioImage& image, CProgramView& view)
{
    orx::ScreenCopy screen;
    orx::BandLimits limits = view.bandLimits();
    orx::ImageToScreen(image, TestContext().RadioCatalog(), limits, screen);
    return screen;
}

// The frames of a write's read-back.
Bytes ReadBack()
{
    Bytes out;
    for (std::size_t a = 0; a < 0xE00; a += 8)
        out = Concat({out, ReadFrame(a), {0x06}});
    return Concat({out, ReadFrame(0xFF0), {0x06}});
}
int readBlockFrame(int block)
{
    return 5 + 2 * block;
}
// The window keeps the radio's serial number: a write reads its two blocks before it writes.
int writeBlockFrame(int block)
{
    return 8 + PreReadFrames(PreRead::Serial) + block;
}

orx::RadioImage LoadBackup(const QString& folder, const QString& name)
{
    orx::RadioImage image;
    orx::LoadChannelData(QFile::encodeName(QDir(folder).filePath(name)).toStdString(), image);
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

class TestTransferDlg : public QObject {
    Q_OBJECT
private slots:
    void init();
    void readThroughTheView();
    void writeThroughTheView();
    void failures_data();
    void failures();
    void failedReadLeavesImageAndView();
    void cancelBeforeStart();
    void escapeStopsARunningRead();
    void cancelReadAtChosenBlock();
    void stopWrite_data();
    void stopWrite();
    void verifyCheckBoxIsRemembered();
    void writeKeepsTheRadiosDataAndSaysSo_data();
    void writeKeepsTheRadiosDataAndSaysSo();
    void stopQuestionGoesWhenTheReadBackBegins();
    void cancelledReadStatusOutlivesStatusTips();
    void continuousWritingNeedsNoKeyPress();
    void messageStandsBesideTheProgress();
    void messagePlacement_data();
    void messagePlacement();

private:
    // Backups and the remembered check box go to scratch folders, never to the user's.
    PrivateUserFolders m_folders;
};

void TestTransferDlg::init()
{
    QDir(orx::BackupFolder()).removeRecursively();
    CTransferDlg::SetVerifyAfterWriteSetting(true);
    // The tests below are about other things than the backup before a write; it has its own.
    CTransferDlg::SetPreWriteBackupSetting(false);
}

void TestTransferDlg::readThroughTheView()
{
    testsupport::ViewFixture fx;
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    const orx::RadioImage memory = RadioMemory(*fx.view);
    radio->setMemory(memory.data());
    QVERIFY(fx.view->ReadScreen() != ScreenOf(memory, *fx.view));

    DialogTrace trace;
    RunNextTransfer(trace);
    fx.view->OnRead();

    QVERIFY(trace.opened);
    QCOMPARE(trace.title, QStringLiteral("读数据"));
    QCOMPARE(trace.initialPercent, QStringLiteral("0%"));
    QCOMPARE(trace.maximum, 512);
    QVERIFY(trace.startIsDefault);
    QCOMPARE(trace.finalValue, 512);
    QCOMPARE(trace.finalPercent, QStringLiteral("100%"));
    QCOMPARE(trace.message, QString());
    QVERIFY(fx.doc->image() == memory);
    QVERIFY(fx.view->ReadScreen() == ScreenOf(memory, *fx.view));
    LINK_COMPARE_BYTES(radio->receivedBytes(), WholeRead());
    QVERIFY(!TestContext().TransferBusy());
    // What the radio held is kept in the backups folder, under the user's data folder.
    QVERIFY(orx::BackupFolder().startsWith(m_folders.dataFolder()));
    const QStringList backups = SinFiles(orx::BackupFolder());
    QCOMPARE(backups.size(), 1);
    QVERIFY2(backups.first().contains(QStringLiteral("_read_136-174MHz")), qPrintable(backups.first()));
    QVERIFY(LoadBackup(orx::BackupFolder(), backups.first()) == memory);
}

void TestTransferDlg::writeThroughTheView()
{
    testsupport::ViewFixture fx;
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    const auto before = radio->memory();

    DialogTrace trace;
    RunNextTransfer(trace);
    fx.view->OnWrite();

    QVERIFY(trace.opened);
    QCOMPARE(trace.title, QStringLiteral("写数据"));
    QCOMPARE(trace.maximum, 448);
    // "写入后校验" is checked by default: the bar goes on through the read-back.
    QCOMPARE(trace.finalValue, 448 + 449);
    QCOMPARE(trace.finalPercent, QStringLiteral("100%"));
    QCOMPARE(trace.message, QString());
    // What was written is the screen as ViewToImage put it into the image, then it is read back.
    const orx::RadioImage& image = fx.doc->image();
    LINK_COMPARE_BYTES(radio->receivedBytes(), Concat({WholeWrite(image, PreRead::Serial), ReadBack()}));
    const QStringList backups = SinFiles(orx::BackupFolder());
    QCOMPARE(backups.size(), 1);
    QVERIFY2(backups.first().contains(QStringLiteral("_write_136-174MHz")), qPrintable(backups.first()));
    QVERIFY(LoadBackup(orx::BackupFolder(), backups.first()) == image);
    const auto after = radio->memory();
    QVERIFY(std::equal(after.begin(), after.begin() + 0xE00, image.data().begin()));
    QVERIFY(std::equal(after.begin() + 0xE00, after.end(), before.begin() + 0xE00));
}

void TestTransferDlg::failures_data()
{
    QTest::addColumn<bool>("read");
    QTest::addColumn<bool>("portOpens");
    QTest::addColumn<SimOptions>("options");
    QTest::addColumn<QByteArray>("radioPassword");
    QTest::addColumn<QByteArray>("radioBand");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("detail");

    SimOptions silent;
    silent.silentFromFrame = 0;
    SimOptions lostAck;
    lostAck.faults[writeBlockFrame(200)] = ReplyFault{ReplyFault::Kind::Missing, 0};
    SimOptions storedWrongly;
    storedWrongly.faults[writeBlockFrame(16)] = ReplyFault{ReplyFault::Kind::StoreWrong, 0};
    const SimOptions none;

    QTest::newRow("read: port cannot be opened")
        << true << false << none << QByteArray() << QByteArray() << QStringLiteral("打开串口失败")
        << QStringLiteral("端口设置");
    QTest::newRow("write: port cannot be opened")
        << false << false << none << QByteArray() << QByteArray() << QStringLiteral("打开串口失败")
        << QStringLiteral("端口设置");
    QTest::newRow("read: silent radio")
        << true << true << silent << QByteArray() << QByteArray() << QStringLiteral("通信出错")
        << QStringLiteral("唤醒：对讲机没有应答");
    QTest::newRow("read: radio has another password")
        << true << true << none << QByteArray("123456") << QByteArray() << QStringLiteral("密码错误")
        << QStringLiteral("密码：对讲机的密码与“密码”栏中的不同\n请在设置栏的“密码”框中");
    QTest::newRow("write: radio for another band")
        << false << true << none << QByteArray() << QByteArray("400-470") << QStringLiteral("频率不匹配")
        << QStringLiteral("频段：对讲机的频段字节是 40 47 00，要写入的是 13 17 64");
    QTest::newRow("write: block 200 not acknowledged")
        << false << true << lostAck << QByteArray() << QByteArray() << QStringLiteral("通信出错")
        << QStringLiteral("写数据第 201 块（地址 0x640）：对讲机没有应答");
    QTest::newRow("write: channel 9 acknowledged but stored wrongly")
        << false << true << storedWrongly << QByteArray() << QByteArray()
        << QStringLiteral("校验出错：对讲机中的数据与写入的不同") << QStringLiteral("不同之处：信道 9。");
}

void TestTransferDlg::failures()
{
    QFETCH(bool, read);
    QFETCH(bool, portOpens);
    QFETCH(SimOptions, options);
    QFETCH(QByteArray, radioPassword);
    QFETCH(QByteArray, radioBand);
    QFETCH(QString, message);
    QFETCH(QString, detail);

    SimulatedRadio radio(options);
    QVERIFY(radio.ok());
    orx::RadioImage memory;
    memory.data() = orx::sim::RadioSim::DefaultMemory();
    orx::EncodePassword(radioPassword.toStdString(), memory);
    if (!radioBand.isEmpty()) {
        orx::BandLimits limits;
        QVERIFY(orx::ApplyBandText(radioBand.toStdString(), limits));
        orx::EncodeBandId(limits, memory);
    }
    radio->setMemory(memory.data());
    if (!portOpens)
        TestContext().SetPortName(QString());

    orx::RadioImage image = PatternImage(0x33);
    orx::EncodeBandId(orx::BandLimits{}, image);
    orx::EncodePassword("", image);
    const orx::RadioImage before = image;

    CTransferDlg dlg(image, TestContext());
    dlg.SetReadMode(read);
    if (options.silentFromFrame == 0)
        dlg.SetTimeouts(QuickTimeouts());
    DialogTrace trace;
    RunNextTransfer(trace);
    dlg.exec();

    QCOMPARE(trace.message, message);
    QVERIFY2(trace.detail.contains(detail), qPrintable(trace.detail));
    QVERIFY(!dlg.TransferSucceeded());
    QVERIFY(!dlg.isVisible());
    QVERIFY(image == before);
    QVERIFY(!TestContext().TransferBusy());
}

void TestTransferDlg::failedReadLeavesImageAndView()
{
    testsupport::ViewFixture fx;
    SimOptions options;
    options.faults[6 + 2 * 300] = ReplyFault{ReplyFault::Kind::Wrong, 0}; // after the 301st block
    SimulatedRadio radio(options);
    QVERIFY(radio.ok());
    radio->setMemory(RadioMemory(*fx.view).data());

    fx.view->ViewToImage();
    const orx::RadioImage imageBefore = fx.doc->image();
    const orx::ScreenCopy screenBefore = fx.view->ReadScreen();

    DialogTrace trace;
    RunNextTransfer(trace);
    fx.view->OnRead();

    QCOMPARE(trace.message, QStringLiteral("通信出错"));
    QCOMPARE(trace.finalValue, 300);
    QCOMPARE(trace.finalPercent, QStringLiteral("58%"));
    // Neither the 300 acknowledged blocks nor anything else of the radio reached the image or the form.
    QVERIFY(fx.doc->image() == imageBefore);
    QVERIFY(fx.view->ReadScreen() == screenBefore);
}

void TestTransferDlg::cancelBeforeStart()
{
    testsupport::ViewFixture fx;
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    radio->setMemory(RadioMemory(*fx.view).data());
    fx.view->ViewToImage();
    const orx::RadioImage imageBefore = fx.doc->image();
    const orx::ScreenCopy screenBefore = fx.view->ReadScreen();

    bool cancelled = false;
    WhenModal("CTransferDlg", [&cancelled](QWidget* dlg) {
        cancelled = testsupport::ClickButton(dlg, QStringLiteral("取消"));
    });
    fx.view->OnRead();

    QVERIFY(cancelled);
    QVERIFY(fx.doc->image() == imageBefore);
    QVERIFY(fx.view->ReadScreen() == screenBefore);
    // No transfer was started, so nothing can still be on its way to the radio.
    QVERIFY(!TestContext().TransferBusy());
    QVERIFY(radio->receivedBytes().empty());
}

void TestTransferDlg::escapeStopsARunningRead()
{
    // A silent radio keeps the read in its wake-up attempts; Esc stops it after the first.
    SimOptions silent;
    silent.silentFromFrame = 0;
    SimulatedRadio radio(silent);
    QVERIFY(radio.ok());

    orx::RadioImage image;
    CTransferDlg dlg(image, TestContext());
    dlg.SetReadMode(true);
    dlg.SetTimeouts(QuickTimeouts());
    bool checked = false;
    QString message;
    QPointer<QTimer> watch;
    WhenModal("CTransferDlg", [&](QWidget*) {
        auto* start = dlg.findChild<QPushButton*>(QStringLiteral("startButton"));
        auto* cancel = dlg.findChild<QPushButton*>(QStringLiteral("cancelButton"));
        watch = WhenModal("QMessageBox", [&message](QWidget* box) {
            message = testsupport::MessageBoxText(box);
            static_cast<QMessageBox*>(box)->accept();
        });
        QTest::mouseClick(start, Qt::LeftButton);
        QVERIFY(TestContext().TransferBusy());
        QVERIFY(!start->isEnabled());
        QVERIFY(cancel->isEnabled());
        // A second start, as a quick double click would give, starts nothing.
        dlg.OnOK();
        QTest::keyClick(&dlg, Qt::Key_Escape);
        // The dialog stays until the transfer has stopped.
        QVERIFY(dlg.isVisible());
        checked = true;
    });
    dlg.exec();
    delete watch.data();

    QVERIFY(checked);
    QCOMPARE(message, QString()); // asked for: no message
    QCOMPARE(dlg.StatusText(), QStringLiteral("读数据已取消"));
    QVERIFY(!dlg.TransferSucceeded());
    QCOMPARE(countWakeUps(radio->receivedBytes()), 1);
    QVERIFY(!TestContext().TransferBusy());
}

void TestTransferDlg::cancelReadAtChosenBlock()
{
    testsupport::ViewFixture fx;
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    radio->setMemory(RadioMemory(*fx.view).data());
    fx.view->ViewToImage();
    const orx::RadioImage imageBefore = fx.doc->image();
    const orx::ScreenCopy screenBefore = fx.view->ReadScreen();

    DialogTrace trace;
    // "取消" is pressed while the radio answers block 101: that block completes, the next is not asked for.
    std::unique_ptr<ReplyGate> gate;
    gate = std::make_unique<ReplyGate>(
        *radio, [](const orx::sim::Frame& f) { return f.number == readBlockFrame(100); },
        [&trace, &gate] {
            OnGuiThread([&trace, &gate] {
                QVERIFY(trace.dialog);
                testsupport::ClickButton(trace.dialog, QStringLiteral("取消"));
                gate->open();
            });
        });
    RunNextTransfer(trace);
    fx.view->OnRead();

    QCOMPARE(trace.message, QString());
    QCOMPARE(trace.status, QStringLiteral("读数据已取消"));
    QCOMPARE(trace.finalValue, 101);
    QVERIFY(fx.doc->image() == imageBefore);
    QVERIFY(fx.view->ReadScreen() == screenBefore);
    const Bytes whole = WholeRead();
    const std::size_t head = Concat({Handshake(), ReadFrame(0x840), {0x06}}).size();
    LINK_COMPARE_BYTES(radio->receivedBytes(),
                       Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(head + 5 * 101)));
    QCOMPARE(SinFiles(orx::BackupFolder()), QStringList{});
    QVERIFY(!TestContext().TransferBusy());
}

void TestTransferDlg::stopWrite_data()
{
    QTest::addColumn<bool>("verify");
    QTest::addColumn<int>("frame"); // the radio's frame during which "取消" is pressed
    QTest::addColumn<QString>(
        "answer"); // the button pressed in the question, "" for none, "-" for no question
    QTest::addColumn<int>("finalValue");
    QTest::addColumn<QString>("status");
    const int block120 = writeBlockFrame(120);
    QTest::newRow("是 stops the write at the next block")
        << false << block120 << "是" << 121 << "写数据已停止：对讲机收到了 121 / 448 块";
    // A finished write says so.
    QTest::newRow("否 lets the write go on")
        << false << block120 << "否" << 448 << "写数据完成：已写入 448 块";
    QTest::newRow("an unanswered question goes when the write ends")
        << false << block120 << "" << 448 << "写数据完成：已写入 448 块";
    // Written is written: stopping the read-back loses nothing, so nothing is asked.
    QTest::newRow("during the read-back it stops at once")
        << true << writeBlockFrame(448) + 1 + 2 * 10 << "-" << 448 + 11 << "数据已写入，校验已取消";
}

void TestTransferDlg::stopWrite()
{
    QFETCH(bool, verify);
    QFETCH(int, frame);
    QFETCH(QString, answer);
    QFETCH(int, finalValue);
    QFETCH(QString, status);
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    const auto before = radio->memory();
    orx::RadioImage image = PatternImage(0x44);
    orx::EncodeBandId(orx::BandLimits{}, image);

    QMainWindow window; // its status bar shows what became of a stopped write
    window.show();
    CTransferDlg::SetVerifyAfterWriteSetting(verify);
    CTransferDlg dlg(image, TestContext(), &window);
    dlg.SetReadMode(false);
    dlg.SetTimeouts(PatientTimeouts()); // the radio's answer is held back while the test acts
    dlg.SetDoneDelay(0);
    DialogTrace trace;
    QString question;
    std::unique_ptr<ReplyGate> gate;
    gate = std::make_unique<ReplyGate>(
        *radio, [frame](const orx::sim::Frame& f) { return f.number == frame; },
        [&] {
            OnGuiThread([&] {
                QVERIFY(trace.dialog);
                testsupport::ClickButton(trace.dialog, QStringLiteral("取消"));
                // The write goes on while the question is open.
                auto* box = trace.dialog->findChild<QMessageBox*>(QStringLiteral("stopWriteQuestion"));
                if (box && box->isVisible()) {
                    question = box->text();
                    // Each line of the question has room in full.
                    auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
                    for (const QString& line : question.split(QLatin1Char('\n')))
                        QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(line));
                    if (!answer.isEmpty())
                        QVERIFY(testsupport::ClickButton(box, answer));
                }
                gate->open();
            });
        });
    RunNextTransfer(trace);
    dlg.exec();

    if (answer == QLatin1String("-"))
        QCOMPARE(question, QString());
    else
        QVERIFY(question.contains(QStringLiteral("确定要停止写数据吗")));
    QCOMPARE(trace.message, QString());
    QVERIFY(!dlg.findChild<QMessageBox*>() || !dlg.findChild<QMessageBox*>()->isVisible());
    QCOMPARE(trace.finalValue, finalValue);
    QCOMPARE(trace.status, status);
    QCOMPARE(window.statusBar()->currentMessage(), status);
    QCOMPARE(dlg.TransferSucceeded(), status.startsWith(QStringLiteral("写数据完成")));
    // The radio holds the blocks written up to the stop, and its own bytes after them.
    const std::size_t written = std::min(finalValue, 448) * 8;
    const auto after = radio->memory();
    QVERIFY(std::equal(after.begin(), after.begin() + std::ptrdiff_t(written), image.data().begin()));
    QVERIFY(std::equal(after.begin() + std::ptrdiff_t(written), after.begin() + 0xFF0,
                       before.begin() + std::ptrdiff_t(written)));
    // Blocks went out in every case: the image sent is kept.
    QCOMPARE(SinFiles(orx::BackupFolder()).size(), 1);
    QVERIFY(!TestContext().TransferBusy());
}

void TestTransferDlg::verifyCheckBoxIsRemembered()
{
    orx::RadioImage image;
    auto boxOf = [](CTransferDlg& dlg) { return dlg.findChild<QCheckBox*>(QStringLiteral("verifyBox")); };
    {
        CTransferDlg write(image, TestContext());
        write.SetReadMode(false);
        write.show();
        QVERIFY(boxOf(write)->isVisible());
        QCOMPARE(boxOf(write)->text(), QStringLiteral("写入后校验"));
        QVERIFY(boxOf(write)->isChecked()); // the default
        QTest::mouseClick(boxOf(write), Qt::LeftButton, Qt::NoModifier,
                          QPoint(8, boxOf(write)->height() / 2));
        QVERIFY(!boxOf(write)->isChecked());
    }
    // The next write dialog, and the next run of the program, start unchecked for this user.
    QVERIFY(!CTransferDlg::VerifyAfterWriteSetting());
    QVERIFY(QFile::exists(m_folders.configFolder() + QStringLiteral("/tst_transfer_dlg/orxprog.conf")));
    CTransferDlg again(image, TestContext());
    again.SetReadMode(false);
    again.show();
    QVERIFY(!boxOf(again)->isChecked());
    // A read has nothing to verify.
    CTransferDlg read(image, TestContext());
    read.SetReadMode(true);
    read.show();
    QVERIFY(!boxOf(read)->isVisible());
}

void TestTransferDlg::messageStandsBesideTheProgress()
{
    const QString previous = TestContext().PortName();
    TestContext().SetPortName(QStringLiteral("/dev/ttyORXMISSING"));
    orx::RadioImage image;
    CTransferDlg dlg(image, TestContext());
    dlg.SetReadMode(true);
    dlg.SetTitle(QStringLiteral("读数据"));
    QRect percent;
    QRect box;
    QString caption;
    int captionWidth = 0;
    WhenModal("QMessageBox", [&](QWidget* w) {
        percent = QRect(dlg.findChild<QLabel*>(QStringLiteral("percentText"))->mapToGlobal(QPoint(0, 0)),
                        dlg.findChild<QLabel*>(QStringLiteral("percentText"))->size());
        box = w->frameGeometry();
        caption = w->windowTitle();
        captionWidth = w->fontMetrics().horizontalAdvance(caption);
        static_cast<QMessageBox*>(w)->accept();
    });
    QTimer::singleShot(0, &dlg,
                       [&dlg] { dlg.findChild<QPushButton*>(QStringLiteral("startButton"))->click(); });
    dlg.exec();
    TestContext().SetPortName(previous);

    QCOMPARE(caption, QStringLiteral("ORX 写频软件"));
    QVERIFY(box.isValid());
    // Room for the whole caption beside the window system's icon and buttons.
    QVERIFY2(box.width() >= captionWidth + 150, qPrintable(QStringLiteral("%1 px").arg(box.width())));
    // The percentage stays in view.
    QVERIFY(!box.intersects(percent));
}

void TestTransferDlg::messagePlacement_data()
{
    QTest::addColumn<QRect>("owner");
    QTest::addColumn<QPoint>("position");
    // A 1280 x 900 screen, a 300 x 120 box, 30 px of title bar, 8 px apart.
    QTest::newRow("below the dialog when there is room") << QRect(400, 300, 400, 120) << QPoint(400, 428);
    QTest::newRow("to the right when the dialog is near the bottom")
        << QRect(100, 700, 400, 120) << QPoint(508, 700);
    QTest::newRow("above when it is in the bottom right corner")
        << QRect(900, 760, 380, 120) << QPoint(900, 602);
    QTest::newRow("pulled inside the screen along the edge it shares")
        << QRect(1100, 300, 180, 120) << QPoint(980, 428);
    QTest::newRow("the screen's corner when no side has room") << QRect(0, 0, 1280, 900) << QPoint(980, 750);
}

void TestTransferDlg::messagePlacement()
{
    QFETCH(QRect, owner);
    QFETCH(QPoint, position);
    QCOMPARE(CLinkMessageBox::PositionBeside(owner, QSize(300, 120), QRect(0, 0, 1280, 900), 30, 8),
             position);
}

void TestTransferDlg::writeKeepsTheRadiosDataAndSaysSo_data()
{
    QTest::addColumn<bool>("serialFromFile");
    QTest::addColumn<QString>("radioAfter"); // the serial number the radio holds after the write
    QTest::addColumn<QString>("line");
    QTest::newRow("the radio keeps its serial number")
        << false << "RADIO-B"
        << "写数据完成：已写入 448 块，校验无误\n已保留对讲机自己的电子串号 RADIO-B";
    QTest::newRow("写入文件中的电子串号") << true << "FILE-A"
                                          << "写数据完成：已写入 448 块，校验无误";
}

void TestTransferDlg::writeKeepsTheRadiosDataAndSaysSo()
{
    QFETCH(bool, serialFromFile);
    QFETCH(QString, radioAfter);
    QFETCH(QString, line);
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    orx::RadioImage held;
    held.data() = orx::sim::RadioSim::DefaultMemory();
    orx::EncodeSerialNumber("RADIO-B", held);
    held.set(0x10, 0x42); // a channel programmed on the keypad
    radio->setMemory(held.data());
    orx::RadioImage image = PatternImage(0x44);
    orx::EncodeBandId(orx::BandLimits{}, image);
    orx::EncodeSerialNumber("FILE-A", image);

    // The backup before the write is on by default, and remembered when switched.
    CTransferDlg::SetPreWriteBackupSetting(true);
    CTransferDlg dlg(image, TestContext());
    dlg.SetReadMode(false);
    dlg.SetDoneDelay(0);
    WhenModal("CTransferDlg", [serialFromFile](QWidget* w) {
        auto* backup = w->findChild<QCheckBox*>(QStringLiteral("preWriteBackupBox"));
        QVERIFY(backup->isVisible() && backup->isChecked());
        QCOMPARE(backup->text(), QStringLiteral("写入前备份对讲机中的数据"));
        w->findChild<QCheckBox*>(QStringLiteral("serialFromFileBox"))->setChecked(serialFromFile);
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("startButton")), Qt::LeftButton);
    });
    dlg.exec();

    QVERIFY(dlg.TransferSucceeded());
    QCOMPARE(dlg.LineText(), line);
    QCOMPARE(dlg.StatusText(), line.replace(QLatin1Char('\n'), QStringLiteral("、")));
    orx::RadioImage after;
    after.data() = radio->memory();
    QCOMPARE(QString::fromStdString(orx::DecodeSerialNumber(after)), radioAfter);
    // What the radio held, its keypad channel with it, is in the backup made before the write.
    const QStringList before =
        SinFiles(orx::BackupFolder()).filter(QStringLiteral("_before-write_136-174MHz"));
    QCOMPARE(before.size(), 1);
    QVERIFY(LoadBackup(orx::BackupFolder(), before.first()) == held);
}

void TestTransferDlg::stopQuestionGoesWhenTheReadBackBegins()
{
    // "取消" during the write asks; nobody answers before the write is done. Once the read-back
    // runs, the question about stopping the write is gone: a late "是" cannot stop the read-back.
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    orx::RadioImage image = PatternImage(0x45);
    orx::EncodeBandId(orx::BandLimits{}, image);
    CTransferDlg::SetVerifyAfterWriteSetting(true);
    CTransferDlg dlg(image, TestContext());
    dlg.SetReadMode(false);
    dlg.SetDoneDelay(0);
    dlg.SetTimeouts(PatientTimeouts());
    bool asked = false;
    bool openDuringReadBack = true;
    std::unique_ptr<ReplyGate> atWrite;
    std::unique_ptr<ReplyGate> atReadBack;
    atWrite = std::make_unique<ReplyGate>(
        *radio, [](const orx::sim::Frame& f) { return f.number == writeBlockFrame(300); },
        [&] {
            OnGuiThread([&] {
                testsupport::ClickButton(&dlg, QStringLiteral("取消"));
                auto* box = dlg.findChild<QMessageBox*>(QStringLiteral("stopWriteQuestion"));
                asked = box && box->isVisible();
                // The radio has one observer: the next gate takes over from this one.
                atReadBack = std::make_unique<ReplyGate>(
                    *radio,
                    [](const orx::sim::Frame& f) { return f.number == writeBlockFrame(448) + 1 + 2 * 5; },
                    [&] {
                        OnGuiThread([&] {
                            auto* box = dlg.findChild<QMessageBox*>(QStringLiteral("stopWriteQuestion"));
                            openDuringReadBack = box && box->isVisible();
                            if (openDuringReadBack)
                                testsupport::ClickButton(box, QStringLiteral("是"));
                            atReadBack->open();
                        });
                    });
                atWrite->open();
            });
        });
    WhenModal("CTransferDlg", [](QWidget* w) {
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("startButton")), Qt::LeftButton);
    });
    dlg.exec();
    QVERIFY(asked);
    QVERIFY(!openDuringReadBack);
    QCOMPARE(dlg.StatusText(), QStringLiteral("写数据完成：已写入 448 块，校验无误"));
}

void TestTransferDlg::cancelledReadStatusOutlivesStatusTips()
{
    // The pointer passing over a toolbar button after the dialog has closed sends a status tip and,
    // leaving it, an empty one: the status of the cancelled read comes back instead of "准备".
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    QMainWindow window;
    window.show();
    CTransferDlg dlg(orx::RadioImage{}, TestContext(), &window);
    dlg.SetReadMode(true);
    std::unique_ptr<ReplyGate> gate;
    gate = std::make_unique<ReplyGate>(
        *radio, [](const orx::sim::Frame& f) { return f.number == readBlockFrame(20); },
        [&] {
            OnGuiThread([&] {
                testsupport::ClickButton(&dlg, QStringLiteral("取消"));
                gate->open();
            });
        });
    WhenModal("CTransferDlg", [](QWidget* w) {
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("startButton")), Qt::LeftButton);
    });
    dlg.exec();
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("读数据已取消"));
    QStatusTipEvent enter(QStringLiteral("读取对讲机中的数据"));
    QCoreApplication::sendEvent(&window, &enter);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("读取对讲机中的数据"));
    QStatusTipEvent leave{QString()};
    QCoreApplication::sendEvent(&window, &leave);
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("读数据已取消"));
}

void TestTransferDlg::continuousWritingNeedsNoKeyPress()
{
    // Three radios on one cable, one after the other: "开始" once, then each radio is written when
    // it answers, after the one before was taken away; "取消" while waiting ends the batch.
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    std::vector<orx::RadioImage> radios(3);
    const char* serials[] = {"A-001", "B-002", "C-003"};
    for (std::size_t i = 0; i < radios.size(); ++i) {
        radios[i].data() = orx::sim::RadioSim::DefaultMemory();
        orx::EncodeSerialNumber(serials[i], radios[i]);
    }
    std::vector<orx::RadioImage> after(radios.size());
    orx::RadioImage image = PatternImage(0x46);
    orx::EncodeBandId(orx::BandLimits{}, image);
    CTransferDlg::SetVerifyAfterWriteSetting(true);
    CTransferDlg::SetPreWriteBackupSetting(true);
    CTransferDlg dlg(image, TestContext());
    dlg.SetReadMode(false);
    std::mutex mutex;
    std::size_t current = 0;
    int silentWakeUps = 0;
    int bandReads = 0;
    radio->setMemory(radios[0].data());
    radio->setFrameObserver([&](const orx::sim::Frame& f, const std::vector<std::uint8_t>&) {
        std::lock_guard lock(mutex);
        // The acknowledgement of the read-back's last block (the band's) ends a radio: it is
        // taken off the cable.
        if (f.kind == orx::sim::Frame::Kind::Read && f.bytes.size() > 2 && f.bytes[1] == 0x0F &&
            f.bytes[2] == 0xF0)
            ++bandReads; // the band check, the pre-read, the read-back
        if (f.kind == orx::sim::Frame::Kind::Ack && bandReads == 3) {
            bandReads = 0;
            after[current].data() = radio->memory();
            silentWakeUps = 0;
            radio->takeAway();
            return;
        }
        if (f.kind != orx::sim::Frame::Kind::WakeUp || radio->present() || ++silentWakeUps != 3)
            return;
        if (current + 1 < radios.size())
            radio->plugIn(radios[++current].data());
        else
            OnGuiThread([&dlg] { testsupport::ClickButton(&dlg, QStringLiteral("取消")); });
    });
    WhenModal("CTransferDlg", [](QWidget* w) {
        w->findChild<QCheckBox*>(QStringLiteral("continuousBox"))->setChecked(true);
        QTest::mouseClick(w->findChild<QPushButton*>(QStringLiteral("startButton")), Qt::LeftButton);
    });
    dlg.exec();

    auto* table = dlg.findChild<QTableWidget*>(QStringLiteral("batchLog"));
    QCOMPARE(dlg.StatusText(), QStringLiteral("连续写入结束：成功 3 台，失败 0 台"));
    QCOMPARE(table->rowCount(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(table->item(i, 1)->text(), QString::fromLatin1(serials[i]));
        QCOMPARE(table->item(i, 2)->text(), QStringLiteral("成功，保留电子串号"));
        QCOMPARE(table->item(i, 3)->text(), QStringLiteral("一致"));
        QCOMPARE(orx::DecodeSerialNumber(after[std::size_t(i)]), std::string(serials[i]));
    }
    QCOMPARE(SinFiles(orx::BackupFolder()).filter(QStringLiteral("_before-write_")).size(), 3);
    QFile log(dlg.BatchLogPath());
    QVERIFY(log.open(QIODevice::ReadOnly));
    QCOMPARE(log.readAll().count('\n'), 1 + 3);
}

QTEST_MAIN(TestTransferDlg)
#include "tst_transfer_dlg.moc"
