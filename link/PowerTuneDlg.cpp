#include "PowerTuneDlg.h"

#include "DialogUnits.h"
#include "LinkMessage.h"
#include "MemoryMap.h"
#include "PortName.h"
#include "RadioFrames.h"
#include "Texts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>

#include <thread>

using namespace std::chrono_literals;

namespace {

QString tr8(const char* text)
{
    return QString::fromUtf8(text);
}

// Pauses before each wake-up byte, and between failed attempts of a send.
constexpr auto kStartBytePause = 1ms;
constexpr auto kSendBytePause = 5ms;
constexpr auto kSendRetryPause = 10ms;
constexpr auto kEndBytePause = 2ms;
constexpr int kWakeUpAttempts = 3;

constexpr int kLineStep = 1;
constexpr int kPageStep = 10;

QByteArray single(std::uint8_t b)
{
    return orx::frame::Bytes({b});
}

QByteArray command(std::uint8_t code)
{
    return orx::frame::Bytes({orx::frame::kCommand, code});
}

// Template 167, in dialog units: three columns of two buttons, then "结束", the value and "退出",
// the scroll bar along the bottom. Buttons in the radio's order of the calibration bytes.
struct ButtonPlace {
    int id;
    int x, y;
};
constexpr ButtonPlace kButtonPlaces[CPowerTuneDlg::kCalibrationCount] = {
    {CPowerTuneDlg::IdLowEndLow, 7, 7},    {CPowerTuneDlg::IdLowEndHigh, 7, 25},
    {CPowerTuneDlg::IdMiddleLow, 72, 7},   {CPowerTuneDlg::IdMiddleHigh, 72, 25},
    {CPowerTuneDlg::IdHighEndLow, 137, 7}, {CPowerTuneDlg::IdHighEndHigh, 137, 25},
};
constexpr int kButtonWidth = 56;
constexpr int kButtonHeight = 14;

} // namespace

CTuneScrollBar::CTuneScrollBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent)
{
    setFocusPolicy(Qt::StrongFocus);
    // The original control's menu would scroll without an end of the action.
    setContextMenuPolicy(Qt::NoContextMenu);
}

void CTuneScrollBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton)
        m_pressed = true;
    QScrollBar::mousePressEvent(event);
}

void CTuneScrollBar::mouseReleaseEvent(QMouseEvent* event)
{
    QScrollBar::mouseReleaseEvent(event);
    if (m_pressed && (event->button() == Qt::LeftButton || event->button() == Qt::MiddleButton)) {
        m_pressed = false;
        emit scrollEnded();
    }
}

namespace {

QAbstractSlider::SliderAction keyAction(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        return QAbstractSlider::SliderSingleStepSub;
    case Qt::Key_Right:
    case Qt::Key_Down:
        return QAbstractSlider::SliderSingleStepAdd;
    case Qt::Key_PageUp:
        return QAbstractSlider::SliderPageStepSub;
    case Qt::Key_PageDown:
        return QAbstractSlider::SliderPageStepAdd;
    case Qt::Key_Home:
        return QAbstractSlider::SliderToMinimum;
    case Qt::Key_End:
        return QAbstractSlider::SliderToMaximum;
    default:
        return QAbstractSlider::SliderNoAction;
    }
}

} // namespace

void CTuneScrollBar::keyPressEvent(QKeyEvent* event)
{
    const SliderAction action = keyAction(event->key());
    if (action == SliderNoAction || event->modifiers() != Qt::NoModifier) {
        event->ignore(); // Enter and Esc belong to the dialog
        return;
    }
    triggerAction(action);
}

void CTuneScrollBar::keyReleaseEvent(QKeyEvent* event)
{
    if (keyAction(event->key()) == SliderNoAction || event->isAutoRepeat()) {
        event->ignore();
        return;
    }
    emit scrollEnded();
}

void CTuneScrollBar::wheelEvent(QWheelEvent* event)
{
    // A wheel turn has no end of scroll: it would change the value without sending it.
    event->ignore();
}

CPowerTuneDlg::CPowerTuneDlg(QWidget* parent) : QDialog(parent), m_port(orx::kPowerTuneTimeouts)
{
    setObjectName(QStringLiteral("powerTuneDialog"));
    setWindowTitle(tr8(res::kPowerTuneCaption));
    const DialogUnits du(font());

    for (int k = 0; k < kCalibrationCount; ++k) {
        const ButtonPlace& place = kButtonPlaces[k];
        auto* button = new QPushButton(tr8(res::kPowerButtons[k]), this);
        button->setObjectName(QStringLiteral("calibration%1").arg(place.id));
        du.place(button, place.x, place.y, kButtonWidth, kButtonHeight);
        connect(button, &QPushButton::clicked, this, [this, k] { OnCalibrationButton(k); });
        m_buttons[static_cast<std::size_t>(k)] = button;
    }

    m_endButton = new QPushButton(tr8(res::kEndTuning), this);
    m_endButton->setObjectName(QStringLiteral("endButton"));
    du.place(m_endButton, 7, 47, kButtonWidth, kButtonHeight);
    connect(m_endButton, &QPushButton::clicked, this, &CPowerTuneDlg::OnEnd);

    m_valueText = new QLabel(QStringLiteral("0"), this);
    m_valueText->setObjectName(QStringLiteral("valueText"));
    m_valueText->setAlignment(Qt::AlignCenter);
    du.place(m_valueText, 68, 50, 64, 8);

    m_exitButton = new QPushButton(tr8(res::kExitTuning), this);
    m_exitButton->setObjectName(QStringLiteral("exitButton"));
    du.place(m_exitButton, 137, 47, kButtonWidth, kButtonHeight);
    connect(m_exitButton, &QPushButton::clicked, this, &CPowerTuneDlg::reject);

    m_scrollBar = new CTuneScrollBar(this);
    m_scrollBar->setObjectName(QStringLiteral("scrollBar"));
    du.place(m_scrollBar, 7, 68, 186, 11);
    m_scrollBar->setSingleStep(kLineStep);
    m_scrollBar->setPageStep(kPageStep);
    connect(m_scrollBar, &QScrollBar::actionTriggered, this, &CPowerTuneDlg::OnScrollAction);
    connect(m_scrollBar, &CTuneScrollBar::scrollEnded, this, &CPowerTuneDlg::OnScrollEnded);

    // The template has no default button: Enter with the scroll bar focused leaves the dialog.
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setDefault(false);

    setFixedSize(du.x(200), du.y(86));
    Reset();
}

CPowerTuneDlg::~CPowerTuneDlg() = default;

void CPowerTuneDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
}

void CPowerTuneDlg::OnInitDialog()
{
    m_scrollBar->setRange(0, 255);
    Reset();
    if (m_port.open(PortName()))
        return;
    // The message is owned by the dialog, which ends as soon as it is confirmed.
    m_closing = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            ShowLinkMessage(this, tr8(res::kPortOpenFailed), m_port.openFailure(), QStringLiteral("powerTuneMessage"));
            QDialog::reject();
        },
        Qt::QueuedConnection);
}

void CPowerTuneDlg::keyPressEvent(QKeyEvent* event)
{
    // A focused button takes Enter itself; anywhere else Enter leaves the dialog the "退出" way.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CPowerTuneDlg::Reset()
{
    for (QPushButton* b : m_buttons)
        b->setEnabled(true);
    m_scrollBar->setEnabled(false);
    m_valueText->setText(QStringLiteral("0"));
    m_scrollBar->setValue(0);
    m_tuning = false;
}

void CPowerTuneDlg::OnCalibrationButton(int k)
{
    const auto offset = static_cast<std::uint8_t>(k);
    m_queryFrame = command(static_cast<std::uint8_t>(orx::frame::kQueryPower + offset));
    m_writeHeader = orx::frame::BlockHeader(orx::frame::kWriteBlock, orx::map::kPowerCalibration + offset, 1);
    m_caption = m_buttons[static_cast<std::size_t>(k)]->text();
    if (!Start())
        return;
    for (QPushButton* b : m_buttons)
        b->setEnabled(false);
    m_scrollBar->setEnabled(true);
    m_scrollBar->setFocus();
    m_tuning = true;
}

void CPowerTuneDlg::OnEnd()
{
    End();
    Reset();
}

void CPowerTuneDlg::OnScrollAction(int action)
{
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        m_value = static_cast<std::uint8_t>(m_value - kLineStep);
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        m_value = static_cast<std::uint8_t>(m_value + kLineStep);
        break;
    case QAbstractSlider::SliderPageStepSub:
        m_value = static_cast<std::uint8_t>(m_value - kPageStep);
        break;
    case QAbstractSlider::SliderPageStepAdd:
        m_value = static_cast<std::uint8_t>(m_value + kPageStep);
        break;
    case QAbstractSlider::SliderMove:
        // Dragging: the value follows the thumb.
        m_value = static_cast<std::uint8_t>(m_scrollBar->sliderPosition());
        return;
    default:
        break;
    }
    // Otherwise the thumb stays where the radio's last accepted value put it.
    m_scrollBar->setSliderPosition(m_scrollBar->value());
}

void CPowerTuneDlg::OnScrollEnded()
{
    if (m_tuning)
        Send();
}

bool CPowerTuneDlg::WakeUp(std::chrono::milliseconds pause, std::chrono::milliseconds retryPause)
{
    for (int attempt = 1; attempt <= kWakeUpAttempts; ++attempt) {
        m_port.purge();
        for (std::uint8_t b : orx::frame::kWakeUp) {
            std::this_thread::sleep_for(pause);
            m_port.write(single(b));
        }
        if (orx::frame::IsWakeUpAck(m_port.read(1)))
            return true;
        if (attempt < kWakeUpAttempts && retryPause > 0ms)
            std::this_thread::sleep_for(retryPause);
    }
    return false;
}

QByteArray CPowerTuneDlg::Exchange(const QByteArray& frame, int replySize)
{
    m_port.purge();
    m_port.write(frame);
    return m_port.read(replySize);
}

bool CPowerTuneDlg::Start()
{
    if (!WakeUp(kStartBytePause, 0ms)) {
        RequestClose();
        return false;
    }
    const QByteArray reply = Exchange(m_queryFrame, orx::frame::kPowerReplySize);
    // Without the value the thumb would show a made-up 0 that the next scroll writes to the radio.
    if (reply.size() != orx::frame::kPowerReplySize) {
        RequestClose();
        return false;
    }
    m_value = static_cast<std::uint8_t>(reply[orx::frame::kPowerValueIndex]);
    Exchange(single(orx::frame::kAck), 1); // the radio's answer is not examined
    ShowValue();
    m_scrollBar->setValue(m_value);
    return true;
}

bool CPowerTuneDlg::Send()
{
    if (!WakeUp(kSendBytePause, kSendRetryPause)) {
        RequestClose();
        return false;
    }
    if (!orx::frame::IsWakeUpAck(Exchange(command(orx::frame::kPrepareWrite), 1))) {
        RequestClose();
        return false;
    }
    m_port.purge();
    m_port.write(m_writeHeader);
    m_port.write(single(m_value));
    if (!orx::frame::IsWakeUpAck(m_port.read(1))) {
        RequestClose();
        return false;
    }
    ShowValue();
    m_scrollBar->setValue(m_value);
    return true;
}

void CPowerTuneDlg::End()
{
    if (!WakeUp(kEndBytePause, 0ms)) {
        RequestClose();
        return;
    }
    m_port.purge();
    m_port.write(command(orx::frame::kEndTuning));
}

void CPowerTuneDlg::RequestClose()
{
    if (m_closing)
        return;
    // Arrives as an ordinary close of the dialog, after the current handler has returned.
    QMetaObject::invokeMethod(
        this, [this] { close(); }, Qt::QueuedConnection);
}

void CPowerTuneDlg::ShowValue()
{
    m_valueText->setText(QStringLiteral("%1 %2").arg(m_caption).arg(m_value));
}

void CPowerTuneDlg::reject()
{
    if (m_closing)
        return;
    m_closing = true;
    if (m_tuning)
        End();
    m_port.close();
    QDialog::reject();
}
