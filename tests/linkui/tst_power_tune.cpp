// Live power tuning through the dialog's real buttons, scroll bar and keys, against the simulated
// radio: the bytes of every action, the wrap of the value, the idle and tuning states, every way of
// leaving the dialog, and a window that stays responsive while the radio takes its time.

#include "LinkTestSupport.h"
#include "TestSupport.h"

#include "MemoryMap.h"
#include "AppContext.h"
#include "LinkTexts.h"
#include "PowerTuneDlg.h"
#include "SerialPort.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QTimer>

#include <algorithm>

using namespace linktest;
using namespace std::chrono_literals;
using orx::sim::ReplyFault;
using orx::sim::SimOptions;

namespace {

const char* const kCaptions[6] = {"低端低功率", "低端高功率", "中端低功率",
                                  "中端高功率", "高端低功率", "高端高功率"};
const int kButtonIds[6] = {1068, 1069, 1070, 1071, 1072, 1073};
// The radio's calibration bytes 0xFF8..0xFFD.
const std::uint8_t kCalibration[6] = {17, 42, 99, 128, 250, 0};

Bytes StartFrames(int k)
{
    return Concat({WakeUp(), {0x4D, static_cast<std::uint8_t>(0x50 + k)}, {0x06}});
}

Bytes SendFrames(int k, std::uint8_t value)
{
    return Concat({WakeUp(), {0x4D, 0x61}, {0x57, 0x0F, static_cast<std::uint8_t>(0xF8 + k), 0x01, value}});
}

Bytes EndFrames()
{
    return Concat({WakeUp(), {0x4D, 0x60}});
}

QStyleOptionSlider SliderOption(QScrollBar* bar)
{
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.subControls = QStyle::SC_All;
    opt.activeSubControls = QStyle::SC_None;
    opt.orientation = bar->orientation();
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    opt.upsideDown = bar->invertedAppearance();
    if (bar->orientation() == Qt::Horizontal)
        opt.state |= QStyle::State_Horizontal;
    return opt;
}

QRect SubControlRect(QScrollBar* bar, QStyle::SubControl control)
{
    const QStyleOptionSlider opt = SliderOption(bar);
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, control, bar);
}

void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

struct Fixture {
    explicit Fixture(const SimOptions& options = {}, const orx::LinkTimeouts& timeouts = {})
        : radio(options), dlg(TestContext().PortName(), nullptr, timeouts)
    {
        orx::sim::RadioSim::Memory m = orx::sim::RadioSim::DefaultMemory();
        std::copy(std::begin(kCalibration), std::end(kCalibration), m.begin() + orx::map::kPowerCalibration);
        radio->setMemory(m);
        dlg.show();
        QApplication::setActiveWindow(&dlg);
        exposed = QTest::qWaitForWindowExposed(&dlg);
        bar = dlg.findChild<QScrollBar*>(QStringLiteral("scrollBar"));
        valueText = dlg.findChild<QLabel*>(QStringLiteral("valueText"));
        endButton = dlg.findChild<QPushButton*>(QStringLiteral("endButton"));
        exitButton = dlg.findChild<QPushButton*>(QStringLiteral("exitButton"));
    }
    bool ok() const { return radio.ok() && exposed && bar && valueText && endButton && exitButton; }
    QPushButton* button(int k) const { return dlg.calibrationButton(k); }
    // The exchanges run on the dialog's worker thread: wait until the one under way is over.
    bool settle()
    {
        return QTest::qWaitFor([this] { return !dlg.ExchangeRunning(); }, 10000);
    }
    bool start(int k)
    {
        QTest::mouseClick(button(k), Qt::LeftButton);
        return settle() && dlg.TuningActive();
    }
    bool buttonsEnabled() const
    {
        for (int k = 0; k < 6; ++k) {
            if (!button(k)->isEnabled())
                return false;
        }
        return true;
    }
    bool buttonsDisabled() const
    {
        for (int k = 0; k < 6; ++k) {
            if (button(k)->isEnabled())
                return false;
        }
        return true;
    }
    void clickSub(QStyle::SubControl control)
    {
        const QRect r = SubControlRect(bar, control);
        QVERIFY2(r.isValid() && !r.isEmpty(), "scroll bar part not shown");
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, r.center());
        QVERIFY(settle());
    }

    SimulatedRadio radio;
    CPowerTuneDlg dlg;
    bool exposed = false;
    QScrollBar* bar = nullptr;
    QLabel* valueText = nullptr;
    QPushButton* endButton = nullptr;
    QPushButton* exitButton = nullptr;
};

// The port is free again once the dialog has let it go.
bool PortIsFree(const QString& device)
{
    orx::SerialPort port(orx::kPowerTuneTimeouts);
    return port.open(device);
}

} // namespace

class TestPowerTune : public QObject {
    Q_OBJECT
private slots:
    void layout();
    void start_data();
    void start();
    void scroll_data();
    void scroll();
    void thumbDragSendsOnlyTheReleasePosition();
    void wheelSendsNothing();
    void end_data();
    void end();
    void leave_data();
    void leave();
    void radioStopsAnsweringWhileTuning();
    void startWithoutAnswerCloses();
    void shortValueReplyCloses();
    void portOpenFailure();
    void wakeUpPauses_data();
    void wakeUpPauses();
    void windowStaysResponsiveDuringAnExchange();
    void actionsDuringASendFollowIt();
    void leavingDuringAnExchangeWaitsForIt();
    void tuningNeverDiscardsItsOwnOutput();
};

void TestPowerTune::layout()
{
    Fixture fx;
    QVERIFY(fx.ok());
    QCOMPARE(fx.dlg.windowTitle(), QStringLiteral("功率调节"));
    for (int k = 0; k < 6; ++k) {
        QCOMPARE(fx.button(k)->text(), QString::fromUtf8(kCaptions[k]));
        QCOMPARE(fx.button(k)->objectName(), QStringLiteral("calibration%1").arg(kButtonIds[k]));
    }
    // Low, middle and high end left to right; low power over high power.
    QVERIFY(fx.button(0)->x() < fx.button(2)->x() && fx.button(2)->x() < fx.button(4)->x());
    QVERIFY(fx.button(0)->y() < fx.button(1)->y());
    QCOMPARE(fx.endButton->text(), QStringLiteral("结束"));
    QCOMPARE(fx.exitButton->text(), QStringLiteral("退出"));
    QVERIFY(fx.endButton->x() < fx.valueText->x() && fx.valueText->x() < fx.exitButton->x());
    QVERIFY(fx.bar->y() > fx.endButton->y());
    QCOMPARE(fx.valueText->text(), QStringLiteral("0"));
    QCOMPARE(fx.bar->minimum(), 0);
    QCOMPARE(fx.bar->maximum(), 255);
    QVERIFY(!fx.bar->isEnabled());
    QVERIFY(fx.buttonsEnabled());
    // Opening the dialog sends nothing.
    QVERIFY(fx.radio->receivedBytes().empty());
}

void TestPowerTune::start_data()
{
    QTest::addColumn<int>("k");
    for (int k = 0; k < 6; ++k)
        QTest::newRow(kCaptions[k]) << k;
}

void TestPowerTune::start()
{
    QFETCH(int, k);
    Fixture fx;
    QVERIFY(fx.ok());
    QVERIFY(fx.start(k));

    LINK_COMPARE_BYTES(fx.radio->receivedBytes(), StartFrames(k));
    QCOMPARE(fx.valueText->text(),
             QStringLiteral("%1 %2").arg(QString::fromUtf8(kCaptions[k])).arg(kCalibration[k]));
    QCOMPARE(fx.bar->value(), int(kCalibration[k]));
    QCOMPARE(int(fx.dlg.Value()), int(kCalibration[k]));
    QVERIFY(fx.buttonsDisabled());
    QVERIFY(fx.bar->isEnabled());
    QCOMPARE(fx.dlg.focusWidget(), static_cast<QWidget*>(fx.bar));
}

void TestPowerTune::scroll_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("sent");

    // Calibration values: k=0 17, k=1 42, k=4 250, k=5 0.
    QTest::newRow("right arrow at 42 sends 43") << 1 << "AddLine" << 43;
    QTest::newRow("left arrow at 42 sends 41") << 1 << "SubLine" << 41;
    QTest::newRow("left arrow at 0 wraps to 255") << 5 << "SubLine" << 255;
    QTest::newRow("page right at 250 wraps to 4") << 4 << "AddPage" << 4;
    QTest::newRow("page left at 17 wraps to 7") << 0 << "SubPage" << 7;
    QTest::newRow("Page Up at 0 wraps to 246") << 5 << "Key_PageUp" << 246;
    QTest::newRow("Right key at 250 sends 251") << 4 << "Key_Right" << 251;
    QTest::newRow("Left key at 0 wraps to 255") << 5 << "Key_Left" << 255;
    QTest::newRow("Page Down at 250 wraps to 4") << 4 << "Key_PageDown" << 4;
    QTest::newRow("Page Up at 42 sends 32") << 1 << "Key_PageUp" << 32;
    QTest::newRow("Home sends the value unchanged") << 1 << "Key_Home" << 42;
    QTest::newRow("End sends the value unchanged") << 0 << "Key_End" << 17;
}

void TestPowerTune::scroll()
{
    QFETCH(int, k);
    QFETCH(QString, action);
    QFETCH(int, sent);
    Fixture fx;
    QVERIFY(fx.ok());
    QVERIFY(fx.start(k));
    fx.radio->clearRecord();

    if (action == QLatin1String("AddLine"))
        fx.clickSub(QStyle::SC_ScrollBarAddLine);
    else if (action == QLatin1String("SubLine"))
        fx.clickSub(QStyle::SC_ScrollBarSubLine);
    else if (action == QLatin1String("AddPage"))
        fx.clickSub(QStyle::SC_ScrollBarAddPage);
    else if (action == QLatin1String("SubPage"))
        fx.clickSub(QStyle::SC_ScrollBarSubPage);
    else {
        const QHash<QString, Qt::Key> keys = {
            {"Key_Right", Qt::Key_Right},   {"Key_Left", Qt::Key_Left}, {"Key_PageDown", Qt::Key_PageDown},
            {"Key_PageUp", Qt::Key_PageUp}, {"Key_Home", Qt::Key_Home}, {"Key_End", Qt::Key_End}};
        QTest::keyClick(fx.bar, keys.value(action));
        QVERIFY(fx.settle());
    }

    LINK_COMPARE_BYTES(fx.radio->receivedBytes(), SendFrames(k, static_cast<std::uint8_t>(sent)));
    QCOMPARE(int(fx.radio->byte(orx::map::kPowerCalibration + static_cast<std::size_t>(k))), sent);
    QCOMPARE(fx.valueText->text(), QStringLiteral("%1 %2").arg(QString::fromUtf8(kCaptions[k])).arg(sent));
    QCOMPARE(fx.bar->value(), sent);
    QVERIFY(fx.dlg.TuningActive());
    QVERIFY(fx.dlg.isVisible());
}

void TestPowerTune::thumbDragSendsOnlyTheReleasePosition()
{
    Fixture fx;
    QVERIFY(fx.ok());
    QVERIFY(fx.start(1)); // 42
    fx.radio->clearRecord();

    const QRect thumb = SubControlRect(fx.bar, QStyle::SC_ScrollBarSlider);
    const QRect groove = SubControlRect(fx.bar, QStyle::SC_ScrollBarGroove);
    QPoint p = thumb.center();
    SendMouse(fx.bar, QEvent::MouseButtonPress, p, Qt::LeftButton);
    for (int step = 0; step < 5; ++step) {
        p.rx() += groove.width() / 10;
        SendMouse(fx.bar, QEvent::MouseMove, p, Qt::LeftButton);
    }
    QVERIFY(fx.radio->receivedBytes().empty()); // nothing while dragging
    const int released = fx.bar->sliderPosition();
    QVERIFY(released > 42);
    SendMouse(fx.bar, QEvent::MouseButtonRelease, p, Qt::NoButton);
    QVERIFY(fx.settle());

    LINK_COMPARE_BYTES(fx.radio->receivedBytes(), SendFrames(1, static_cast<std::uint8_t>(released)));
    QCOMPARE(fx.bar->value(), released);
    QCOMPARE(fx.valueText->text(), QStringLiteral("低端高功率 %1").arg(released));
}

void TestPowerTune::wheelSendsNothing()
{
    Fixture fx;
    QVERIFY(fx.ok());
    QVERIFY(fx.start(1));
    fx.radio->clearRecord();
    QWheelEvent wheel(QPointF(5, 5), QPointF(fx.bar->mapToGlobal(QPoint(5, 5))), QPoint(), QPoint(0, 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(fx.bar, &wheel);
    QCOMPARE(fx.bar->value(), 42);
    QCOMPARE(int(fx.dlg.Value()), 42);
    QVERIFY(fx.radio->receivedBytes().empty());
}

void TestPowerTune::end_data()
{
    QTest::addColumn<bool>("tuning");
    QTest::newRow("while tuning") << true;
    QTest::newRow("while idle") << false;
}

void TestPowerTune::end()
{
    QFETCH(bool, tuning);
    Fixture fx;
    QVERIFY(fx.ok());
    if (tuning)
        QVERIFY(fx.start(3));
    fx.radio->clearRecord();

    QTest::mouseClick(fx.endButton, Qt::LeftButton);
    QVERIFY(fx.settle());

    // The end frame has no reply: wait until the radio has it.
    QTRY_COMPARE(fx.radio->receivedBytes().size(), EndFrames().size());
    LINK_COMPARE_BYTES(fx.radio->receivedBytes(), EndFrames());
    QVERIFY(fx.buttonsEnabled());
    QVERIFY(!fx.bar->isEnabled());
    QCOMPARE(fx.bar->value(), 0);
    QCOMPARE(fx.valueText->text(), QStringLiteral("0"));
    QVERIFY(!fx.dlg.TuningActive());
    QVERIFY(fx.dlg.isVisible());
    // Tuning can start again from here.
    fx.radio->clearRecord();
    QVERIFY(fx.start(0));
    LINK_COMPARE_BYTES(fx.radio->receivedBytes(), StartFrames(0));
}

void TestPowerTune::leave_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("tuning");
    for (const char* how : {"退出", "Esc", "close box"}) {
        QTest::newRow(qPrintable(QStringLiteral("%1 while tuning").arg(QString::fromUtf8(how))))
            << QString::fromUtf8(how) << true;
        QTest::newRow(qPrintable(QStringLiteral("%1 while idle").arg(QString::fromUtf8(how))))
            << QString::fromUtf8(how) << false;
    }
    // Enter on the focused scroll bar would end the dialog the framework's way; here it goes out
    // through "退出" like everything else.
    QTest::newRow("Enter while tuning") << QStringLiteral("Enter") << true;
}

void TestPowerTune::leave()
{
    QFETCH(QString, how);
    QFETCH(bool, tuning);
    Fixture fx;
    QVERIFY(fx.ok());
    if (tuning)
        QVERIFY(fx.start(2));
    fx.radio->clearRecord();
    QVERIFY(!PortIsFree(fx.radio.device()));

    if (how == QStringLiteral("退出"))
        QTest::mouseClick(fx.exitButton, Qt::LeftButton);
    else if (how == QLatin1String("Esc"))
        QTest::keyClick(&fx.dlg, Qt::Key_Escape);
    else if (how == QLatin1String("close box"))
        fx.dlg.close();
    else
        QTest::keyClick(fx.bar, Qt::Key_Return);

    // While tuning, the end frame goes out first.
    QTRY_VERIFY(!fx.dlg.isVisible());
    QCOMPARE(fx.dlg.result(), int(QDialog::Rejected));
    if (tuning) {
        QTRY_COMPARE(fx.radio->receivedBytes().size(), EndFrames().size());
        LINK_COMPARE_BYTES(fx.radio->receivedBytes(), EndFrames());
    } else {
        QVERIFY(fx.radio->receivedBytes().empty());
    }
    QVERIFY(PortIsFree(fx.radio.device()));
}

void TestPowerTune::radioStopsAnsweringWhileTuning()
{
    // The radio's own gaps between bytes: it answers the start, and a busy machine may be slow to
    // pass it on; a reply that never comes is given up after about 100 ms.
    Fixture fx({}, ShortTimeouts());
    QVERIFY(fx.ok());
    QVERIFY(fx.start(1));
    fx.radio->clearRecord(); // frames count from 0 again
    SimOptions silent;
    silent.silentFromFrame = 0;
    fx.radio->setOptions(silent);

    QTest::mouseClick(fx.bar, Qt::LeftButton, Qt::NoModifier,
                      SubControlRect(fx.bar, QStyle::SC_ScrollBarAddLine).center());

    // Three wake-ups of the send, then the dialog closes the "退出" way: three more of the end
    // frame, which is then not sent. No message on the way.
    QTRY_VERIFY(!fx.dlg.isVisible());
    QVERIFY(fx.dlg.findChildren<QMessageBox*>().isEmpty());
    LINK_COMPARE_BYTES(fx.radio->receivedBytes(), Repeat(WakeUp(), 6));
    QCOMPARE(int(fx.radio->byte(0xFF9)), 42);
    QVERIFY(PortIsFree(fx.radio.device()));
}

void TestPowerTune::startWithoutAnswerCloses()
{
    SimOptions silent;
    silent.silentFromFrame = 0;
    Fixture fx(silent, QuickTimeouts());
    QVERIFY(fx.ok());
    QVERIFY(!fx.start(4));
    QTRY_VERIFY(!fx.dlg.isVisible());
    // Never tuning, so no end frame is attempted.
    LINK_COMPARE_BYTES(fx.radio->receivedBytes(), Repeat(WakeUp(), 3));
}

void TestPowerTune::shortValueReplyCloses()
{
    // Without its value byte the reply would show a made-up 0, which the next scroll would write.
    SimOptions options;
    options.faults[1] = ReplyFault{ReplyFault::Kind::Short, 0};
    Fixture fx(options);
    QVERIFY(fx.ok());
    QVERIFY(!fx.start(0));
    QTRY_VERIFY(!fx.dlg.isVisible());
    LINK_COMPARE_BYTES(fx.radio->receivedBytes(), Concat({WakeUp(), {0x4D, 0x50}}));
}

void TestPowerTune::portOpenFailure()
{
    const QString previous = TestContext().PortName();
    TestContext().SetPortName(QString());
    QString message;
    WhenModal("QMessageBox", [&message](QWidget* box) {
        message = testsupport::MessageBoxText(box);
        static_cast<QMessageBox*>(box)->accept();
    });
    CPowerTuneDlg dlg(TestContext().PortName());
    dlg.show();
    QTRY_VERIFY(!dlg.isVisible());
    TestContext().SetPortName(previous);
    QCOMPARE(message, QStringLiteral("打开串口失败"));
}

void TestPowerTune::wakeUpPauses_data()
{
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("pauseUs");
    QTest::newRow("start waits 1 ms before each byte") << "start" << 1000;
    QTest::newRow("send waits 5 ms before each byte") << "send" << 5000;
    QTest::newRow("end waits 2 ms before each byte") << "end" << 2000;
    QTest::newRow("send waits 10 ms before trying again") << "retry" << 10000;
}

void TestPowerTune::wakeUpPauses()
{
    QFETCH(QString, step);
    QFETCH(int, pauseUs);
    Fixture fx;
    QVERIFY(fx.ok());
    PortTimeline timeline;
    if (step == QLatin1String("start")) {
        QVERIFY(fx.start(0));
    } else {
        QVERIFY(fx.start(0));
        timeline.clear();
        fx.radio->clearRecord(); // frames count from 0 again
        SimOptions options;
        if (step == QLatin1String("retry"))
            options.faults[0] = ReplyFault{ReplyFault::Kind::Wrong, 0}; // refuse the send's first wake-up
        fx.radio->setOptions(options);
        if (step == QLatin1String("end")) {
            QTest::mouseClick(fx.endButton, Qt::LeftButton);
            QVERIFY(fx.settle());
        } else {
            fx.clickSub(QStyle::SC_ScrollBarAddLine);
        }
    }

    // Times are the program's own, so scheduling can only make a pause longer.
    using K = PortTimeline::Kind;
    using std::chrono::microseconds;
    const auto events = timeline.events();
    QVERIFY(events.size() >= 14);
    const microseconds pause(pauseUs);
    if (step == QLatin1String("retry")) {
        // After the refused attempt's answer: 10 ms, then 5 ms before the next attempt's first byte.
        QCOMPARE(events[14].kind, K::Read);
        QCOMPARE(events[15].kind, K::Pause);
        QCOMPARE(events[15].pause, std::chrono::milliseconds(10));
        QCOMPARE(events[16].kind, K::Pause);
        QCOMPARE(events[17].kind, K::Write);
        QVERIFY(events[17].time - events[14].time >= pause + std::chrono::milliseconds(5));
        return;
    }
    // The wake-up: a pause, then a byte, seven times.
    for (int i = 0; i < 7; ++i) {
        QCOMPARE(events[std::size_t(2 * i)].kind, K::Pause);
        QCOMPARE(microseconds(events[std::size_t(2 * i)].pause), pause);
        QCOMPARE(events[std::size_t(2 * i + 1)].kind, K::Write);
        if (i > 0)
            QVERIFY(events[std::size_t(2 * i + 1)].time - events[std::size_t(2 * i - 1)].time >= pause);
    }
}

void TestPowerTune::windowStaysResponsiveDuringAnExchange()
{
    // The radio answers the value query only after the window's timer has fired three times: a
    // window that waited for the radio on its own thread would never get there, and its read would
    // time out. Long timeouts leave the timer all the time it needs.
    Fixture fx({}, PatientTimeouts());
    QVERIFY(fx.ok());
    int ticks = 0;
    QTimer timer;
    timer.setInterval(10);
    ReplyGate gate(*fx.radio,
                   [](const orx::sim::Frame& f) { return f.kind == orx::sim::Frame::Kind::QueryPower; });
    QObject::connect(&timer, &QTimer::timeout, &timer, [&] {
        if (++ticks == 3)
            gate.open();
    });
    timer.start();

    QTest::mouseClick(fx.button(1), Qt::LeftButton);
    QVERIFY(fx.dlg.ExchangeRunning());
    QTRY_VERIFY(gate.reached());
    // Meanwhile a second button starts nothing.
    QTest::mouseClick(fx.button(4), Qt::LeftButton);
    QVERIFY(fx.settle());

    QVERIFY(ticks >= 3);
    QVERIFY(fx.dlg.TuningActive());
    QCOMPARE(fx.valueText->text(), QStringLiteral("低端高功率 42"));
    LINK_COMPARE_BYTES(fx.radio->receivedBytes(), StartFrames(1));
}

void TestPowerTune::actionsDuringASendFollowIt()
{
    Fixture fx({}, PatientTimeouts()); // the radio's answer is held back while the test acts
    QVERIFY(fx.ok());
    QVERIFY(fx.start(1)); // 42
    fx.radio->clearRecord();
    // The first send's value byte waits while the user presses Right twice more.
    ReplyGate gate(*fx.radio,
                   [](const orx::sim::Frame& f) { return f.kind == orx::sim::Frame::Kind::Write; });
    QTest::keyClick(fx.bar, Qt::Key_Right);
    QTRY_VERIFY(gate.reached());
    QTest::keyClick(fx.bar, Qt::Key_Right);
    QTest::keyClick(fx.bar, Qt::Key_Right);
    QCOMPARE(fx.valueText->text(), QStringLiteral("低端高功率 42")); // nothing accepted yet
    gate.open();
    QTRY_COMPARE(fx.valueText->text(), QStringLiteral("低端高功率 45"));
    QVERIFY(fx.settle());

    // Both waiting actions go out as one send of the value they lead to.
    LINK_COMPARE_BYTES(fx.radio->receivedBytes(), Concat({SendFrames(1, 43), SendFrames(1, 45)}));
    QCOMPARE(fx.bar->value(), 45);
    QCOMPARE(int(fx.radio->byte(0xFF9)), 45);
}

void TestPowerTune::leavingDuringAnExchangeWaitsForIt()
{
    Fixture fx({}, PatientTimeouts()); // the radio's answer is held back while the test acts
    QVERIFY(fx.ok());
    QVERIFY(fx.start(2));
    fx.radio->clearRecord();
    ReplyGate gate(*fx.radio,
                   [](const orx::sim::Frame& f) { return f.kind == orx::sim::Frame::Kind::Write; });
    QTest::mouseClick(fx.bar, Qt::LeftButton, Qt::NoModifier,
                      SubControlRect(fx.bar, QStyle::SC_ScrollBarAddLine).center());
    QTRY_VERIFY(gate.reached());
    QTest::mouseClick(fx.exitButton, Qt::LeftButton);
    QVERIFY(fx.dlg.isVisible());
    QVERIFY(!PortIsFree(fx.radio.device()));
    gate.open();

    QTRY_VERIFY(!fx.dlg.isVisible());
    QTRY_COMPARE(fx.radio->receivedBytes().size(), Concat({SendFrames(2, 100), EndFrames()}).size());
    LINK_COMPARE_BYTES(fx.radio->receivedBytes(), Concat({SendFrames(2, 100), EndFrames()}));
    QVERIFY(PortIsFree(fx.radio.device()));
}

void TestPowerTune::tuningNeverDiscardsItsOwnOutput()
{
    DiscardCounter discards;
    Fixture fx;
    QVERIFY(fx.ok());
    QVERIFY(fx.start(0));
    fx.clickSub(QStyle::SC_ScrollBarAddLine);
    QTest::mouseClick(fx.endButton, Qt::LeftButton);
    QVERIFY(fx.settle());
    QVERIFY(discards.inputDiscards > 0);
    QCOMPARE(discards.outputDiscards.load(), 0);
}

QTEST_MAIN(TestPowerTune)
#include "tst_power_tune.moc"
