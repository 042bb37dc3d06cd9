#include "PowerTuneDlg.h"

#include "DialogUnits.h"
#include "LinkMessage.h"
#include "LinkTexts.h"
#include "MemoryMap.h"
#include "RadioFrames.h"
#include "Texts.h"
#include "Tr.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QThread>

#include <optional>

namespace {

constexpr int kLineStep = 1;
constexpr int kPageStep = 10;

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

CPowerTuneDlg::CPowerTuneDlg(const QString& portName, QWidget* parent, const orx::LinkTimeouts& timeouts)
    : QDialog(parent), m_session(timeouts), m_portName(portName)
{
    setObjectName(QStringLiteral("powerTuneDialog"));
    setWindowTitle(res::Tr(res::kPowerTuneCaption));
    const DialogUnits du(font());

    for (int k = 0; k < kCalibrationCount; ++k) {
        const ButtonPlace& place = kButtonPlaces[k];
        auto* button = new QPushButton(res::Tr(res::kPowerButtons[k]), this);
        button->setObjectName(QStringLiteral("calibration%1").arg(place.id));
        du.place(button, place.x, place.y, kButtonWidth, kButtonHeight);
        connect(button, &QPushButton::clicked, this, [this, k] { OnCalibrationButton(k); });
        m_buttons[static_cast<std::size_t>(k)] = button;
    }

    m_endButton = new QPushButton(res::Tr(res::kEndTuning), this);
    m_endButton->setObjectName(QStringLiteral("endButton"));
    du.place(m_endButton, 7, 47, kButtonWidth, kButtonHeight);
    connect(m_endButton, &QPushButton::clicked, this, &CPowerTuneDlg::OnEnd);

    m_valueText = new QLabel(QStringLiteral("0"), this);
    m_valueText->setObjectName(QStringLiteral("valueText"));
    m_valueText->setAlignment(Qt::AlignCenter);
    du.place(m_valueText, 68, 50, 64, 8);

    m_exitButton = new QPushButton(res::Tr(res::kExitTuning), this);
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

CPowerTuneDlg::~CPowerTuneDlg()
{
    if (!m_thread)
        return;
    // A dialog torn down without "退出": the port still goes in the thread that opened it.
    OnWorker([this] { m_session.close(); });
    m_thread->quit();
    m_thread->wait();
    delete m_worker;
}

void CPowerTuneDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
}

void CPowerTuneDlg::OnWorker(const std::function<void()>& fn)
{
    QMetaObject::invokeMethod(m_worker, fn, Qt::BlockingQueuedConnection);
}

template <typename Result>
void CPowerTuneDlg::Exchange(std::function<Result(orx::PowerTuneSession&)> job,
                             std::function<void(Result)> done)
{
    m_busy = true;
    QMetaObject::invokeMethod(m_worker, [this, job = std::move(job), done = std::move(done)] {
        Result result = job(m_session);
        // Back on the dialog's thread; the dialog waits for this thread before it goes away.
        QMetaObject::invokeMethod(
            this,
            [this, result, done] {
                m_busy = false;
                done(result);
                RunPending();
            },
            Qt::QueuedConnection);
    });
}

void CPowerTuneDlg::RunPending()
{
    if (m_busy || m_closing)
        return;
    if (m_closePending) {
        m_closePending = false;
        reject();
    } else if (m_endPending) {
        m_endPending = false;
        m_sendPending = false;
        OnEnd();
    } else if (m_sendPending) {
        m_sendPending = false;
        if (m_tuning)
            Send();
    }
}

void CPowerTuneDlg::OnInitDialog()
{
    m_scrollBar->setRange(0, 255);
    Reset();
    // The port and every exchange live in this thread; the window never waits for the radio.
    m_thread = new QThread(this);
    m_thread->setObjectName(QStringLiteral("powerTuning"));
    m_worker = new QObject;
    m_worker->moveToThread(m_thread);
    m_thread->start();
    bool opened = false;
    OnWorker([this, &opened] { opened = m_session.open(m_portName); });
    if (opened)
        return;
    QString failure;
    OnWorker([this, &failure] { failure = orx::PortProblemText(m_session.openProblem()); });
    // The message is owned by the dialog, which ends as soon as it is confirmed.
    m_closing = true;
    QMetaObject::invokeMethod(
        this,
        [this, failure] {
            ShowLinkMessage(this, res::Tr(res::kPortOpenFailed), failure, QStringLiteral("powerTuneMessage"));
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
    // A second adjustment never starts while an exchange runs.
    if (m_busy || m_closing)
        return;
    m_selected = k;
    m_caption = m_buttons[static_cast<std::size_t>(k)]->text();
    Start();
}

void CPowerTuneDlg::OnEnd()
{
    if (m_busy) {
        m_endPending = true;
        return;
    }
    if (m_closing)
        return;
    End([this] { Reset(); });
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
    if (!m_tuning)
        return;
    // A scroll action during a send is sent after it, with the value it leads to.
    if (m_busy) {
        m_sendPending = true;
        return;
    }
    Send();
}

void CPowerTuneDlg::Start()
{
    const int k = m_selected;
    Exchange<std::optional<std::uint8_t>>([k](orx::PowerTuneSession& s) { return s.start(k); },
                                          [this](std::optional<std::uint8_t> value) {
                                              if (!value) {
                                                  RequestClose();
                                                  return;
                                              }
                                              m_value = *value;
                                              ShowValue(m_value);
                                              m_scrollBar->setValue(m_value);
                                              for (QPushButton* b : m_buttons)
                                                  b->setEnabled(false);
                                              m_scrollBar->setEnabled(true);
                                              m_scrollBar->setFocus();
                                              m_tuning = true;
                                          });
}

void CPowerTuneDlg::Send()
{
    const int k = m_selected;
    const std::uint8_t value = m_value;
    Exchange<bool>([k, value](orx::PowerTuneSession& s) { return s.send(k, value); },
                   [this, value](bool accepted) {
                       if (!accepted) {
                           RequestClose();
                           return;
                       }
                       // The thumb and the text show what the radio has taken.
                       ShowValue(value);
                       m_scrollBar->setValue(value);
                   });
}

void CPowerTuneDlg::End(std::function<void()> then)
{
    Exchange<bool>([](orx::PowerTuneSession& s) { return s.end(); },
                   [this, then = std::move(then)](bool ended) {
                       if (!ended)
                           RequestClose();
                       then();
                   });
}

void CPowerTuneDlg::RequestClose()
{
    // Arrives as an ordinary close of the dialog once the current exchange is over.
    if (!m_closing)
        m_closePending = true;
}

void CPowerTuneDlg::ShowValue(std::uint8_t value)
{
    m_valueText->setText(QStringLiteral("%1 %2").arg(m_caption).arg(value));
}

void CPowerTuneDlg::reject()
{
    if (m_closing)
        return;
    // The way out waits for the exchange under way.
    if (m_busy) {
        m_closePending = true;
        return;
    }
    m_closing = true;
    m_sendPending = m_endPending = m_closePending = false;
    if (m_tuning)
        End([this] { ClosePortAndLeave(); });
    else
        ClosePortAndLeave();
}

void CPowerTuneDlg::ClosePortAndLeave()
{
    if (m_thread)
        OnWorker([this] { m_session.close(); });
    QDialog::reject();
}
