// The read and write commands through the form view and the progress dialog's real widgets, with
// the transfer in its worker thread and the simulated radio on a pseudo-terminal.

#include "LinkTestSupport.h"
#include "TestSupport.h"

#include "MemoryMap.h"
#include "PortName.h"
#include "ProgramDoc.h"
#include "ProgramIni.h"
#include "ProgramView.h"
#include "ScreenCopy.h"
#include "SettingsCodec.h"
#include "TransferDlg.h"

#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>

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
        trace.title = dlg->windowTitle();
        trace.initialPercent = percent->text();
        trace.maximum = bar->maximum();
        trace.startIsDefault = start->isDefault();
        QPointer<QTimer> messageWatch = WhenModal("QMessageBox", [&trace](QWidget* box) {
            trace.message = testsupport::MessageBoxText(box);
            static_cast<QMessageBox*>(box)->accept();
        });
        QObject::connect(dlg, &QDialog::finished, dlg, [&trace, bar, percent, messageWatch] {
            trace.finalPercent = percent->text();
            trace.finalValue = bar->value();
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
    orx::ImageToScreen(image, CProgramIni().ReadRadioCatalog(), limits, screen);
    return screen;
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
    void readThroughTheView();
    void writeThroughTheView();
    void failures_data();
    void failures();
    void failedReadLeavesImageAndView();
    void cancelBeforeStart();
    void cannotBeClosedWhileRunning();
};

void TestTransferDlg::readThroughTheView()
{
    for (int attempt = 1;; ++attempt) {
        testsupport::ViewFixture fx;
        SimulatedRadio radio;
        QVERIFY(radio.ok());
        const orx::RadioImage memory = RadioMemory(*fx.view);
        radio->setMemory(memory.data());
        QVERIFY(fx.view->ReadScreen() != ScreenOf(memory, *fx.view));

        DialogTrace trace;
        RunNextTransfer(trace);
        fx.view->OnRead();
        if (LineLostBytes(radio, attempt))
            continue;

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
        QVERIFY(!TransferBusy());
        break;
    }
}

void TestTransferDlg::writeThroughTheView()
{
    for (int attempt = 1;; ++attempt) {
        testsupport::ViewFixture fx;
        SimulatedRadio radio;
        QVERIFY(radio.ok());
        const auto before = radio->memory();

        DialogTrace trace;
        RunNextTransfer(trace);
        fx.view->OnWrite();
        if (LineLostBytes(radio, attempt))
            continue;

        QVERIFY(trace.opened);
        QCOMPARE(trace.title, QStringLiteral("写数据"));
        QCOMPARE(trace.maximum, 448);
        QCOMPARE(trace.finalValue, 448);
        QCOMPARE(trace.finalPercent, QStringLiteral("100%"));
        QCOMPARE(trace.message, QString());
        // What was written is the screen as ViewToImage put it into the image.
        const orx::RadioImage& image = fx.doc->image();
        LINK_COMPARE_BYTES(radio->receivedBytes(), WholeWrite(image));
        const auto after = radio->memory();
        QVERIFY(std::equal(after.begin(), after.begin() + 0xE00, image.data().begin()));
        QVERIFY(std::equal(after.begin() + 0xE00, after.end(), before.begin() + 0xE00));
        break;
    }
}

void TestTransferDlg::failures_data()
{
    QTest::addColumn<bool>("read");
    QTest::addColumn<bool>("portOpens");
    QTest::addColumn<SimOptions>("options");
    QTest::addColumn<QByteArray>("radioPassword");
    QTest::addColumn<QByteArray>("radioBand");
    QTest::addColumn<QString>("message");

    SimOptions silent;
    silent.silentFromFrame = 0;
    SimOptions lostAck;
    lostAck.faults[8 + 200] = ReplyFault{ReplyFault::Kind::Missing, 0};
    const SimOptions none;

    QTest::newRow("read: port cannot be opened")
        << true << false << none << QByteArray() << QByteArray() << QStringLiteral("打开串口失败");
    QTest::newRow("write: port cannot be opened")
        << false << false << none << QByteArray() << QByteArray() << QStringLiteral("打开串口失败");
    QTest::newRow("read: silent radio")
        << true << true << silent << QByteArray() << QByteArray() << QStringLiteral("通信出错");
    QTest::newRow("read: radio has another password")
        << true << true << none << QByteArray("123456") << QByteArray() << QStringLiteral("密码错误");
    QTest::newRow("write: radio for another band")
        << false << true << none << QByteArray() << QByteArray("400-470") << QStringLiteral("频率不匹配");
    QTest::newRow("write: block 200 not acknowledged")
        << false << true << lostAck << QByteArray() << QByteArray() << QStringLiteral("通信出错");
}

void TestTransferDlg::failures()
{
    QFETCH(bool, read);
    QFETCH(bool, portOpens);
    QFETCH(SimOptions, options);
    QFETCH(QByteArray, radioPassword);
    QFETCH(QByteArray, radioBand);
    QFETCH(QString, message);

    for (int attempt = 1;; ++attempt) {
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
            SetPortName(QString());

        orx::RadioImage image = PatternImage(0x33);
        orx::EncodeBandId(orx::BandLimits{}, image);
        orx::EncodePassword("", image);
        const orx::RadioImage before = image;

        CTransferDlg dlg(image);
        dlg.SetReadMode(read);
        DialogTrace trace;
        RunNextTransfer(trace);
        dlg.exec();
        if (LineLostBytes(radio, attempt))
            continue;

        QCOMPARE(trace.message, message);
        QVERIFY(!dlg.TransferSucceeded());
        QVERIFY(!dlg.isVisible());
        QVERIFY(image == before);
        QVERIFY(!TransferBusy());
        break;
    }
}

void TestTransferDlg::failedReadLeavesImageAndView()
{
    for (int attempt = 1;; ++attempt) {
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
        if (LineLostBytes(radio, attempt))
            continue;

        QCOMPARE(trace.message, QStringLiteral("通信出错"));
        QCOMPARE(trace.finalValue, 300);
        QCOMPARE(trace.finalPercent, QStringLiteral("58%"));
        // Neither the 300 acknowledged blocks nor anything else of the radio reached the image or the form.
        QVERIFY(fx.doc->image() == imageBefore);
        QVERIFY(fx.view->ReadScreen() == screenBefore);
        break;
    }
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
    QVERIFY(!TransferBusy());
    QVERIFY(radio->receivedBytes().empty());
}

void TestTransferDlg::cannotBeClosedWhileRunning()
{
    // A silent radio keeps the transfer busy through four wake-up attempts.
    for (int attempt = 1;; ++attempt) {
        SimOptions silent;
        silent.silentFromFrame = 0;
        SimulatedRadio radio(silent);
        QVERIFY(radio.ok());

        orx::RadioImage image;
        CTransferDlg dlg(image);
        dlg.SetReadMode(true);
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
            QVERIFY(TransferBusy());
            QVERIFY(!start->isEnabled());
            QVERIFY(!cancel->isEnabled());
            QTest::keyClick(&dlg, Qt::Key_Escape);
            dlg.close();
            QVERIFY(dlg.isVisible());
            // A second start, as a quick double click would give, starts nothing.
            dlg.OnOK();
            QTest::mouseClick(start, Qt::LeftButton);
            checked = true;
        });
        dlg.exec();
        delete watch.data();
        if (LineLostBytes(radio, attempt))
            continue;

        QVERIFY(checked);
        QCOMPARE(message, QStringLiteral("通信出错"));
        QCOMPARE(countWakeUps(radio->receivedBytes()), 4);
        QVERIFY(!TransferBusy());
        break;
    }
}

QTEST_MAIN(TestTransferDlg)
#include "tst_transfer_dlg.moc"
