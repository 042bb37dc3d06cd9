#pragma once

// "功率调节": adjusts the radio's six transmit-power calibration bytes live over the cable. A button
// fetches one byte from the radio, every completed scroll action sends the new value at once, and
// "结束" ends the adjustment on the radio. The image is never touched.
//
// The exchanges run on a worker thread of the dialog's own, so a radio that stops answering never
// freezes the window. One exchange runs at a time: a scroll action or "结束" that comes while one
// runs follows it, a way out waits for it, a second calibration button is ignored.

#include "PowerTuneSession.h"

#include <QDialog>
#include <QScrollBar>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QThread;

// A scroll bar that, like the original control, reports the end of each scroll action (mouse or
// key released) and moves by keys as the original did.
class CTuneScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit CTuneScrollBar(QWidget* parent = nullptr);

signals:
    void scrollEnded();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool m_pressed = false;
};

class CPowerTuneDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId {
        IdValueText = 1005,
        IdLowEndLow = 1068,
        IdLowEndHigh = 1069,
        IdMiddleLow = 1070,
        IdMiddleHigh = 1071,
        IdHighEndLow = 1072,
        IdHighEndHigh = 1073,
        IdEnd = 1090,
        IdScrollBar = 1099,
        IdExit = 2,
    };
    static constexpr int kCalibrationCount = 6;

    // Tunes the radio on portName (the application's PortName when the dialog is made).
    explicit CPowerTuneDlg(const QString& portName, QWidget* parent = nullptr,
                           const orx::LinkTimeouts& timeouts = {});
    ~CPowerTuneDlg() override;

    bool TuningActive() const { return m_tuning; }
    std::uint8_t Value() const { return m_value; }
    // An exchange with the radio is under way on the worker thread.
    bool ExchangeRunning() const { return m_busy; }
    QPushButton* calibrationButton(int k) const { return m_buttons.at(static_cast<std::size_t>(k)); }

public slots:
    // "退出", Esc, the close box, Enter and a failed exchange's close request all come here: the
    // end frame when tuning is active, then the port is closed and the dialog ends.
    void reject() override;
    void accept() override { reject(); }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void OnInitDialog();
    void OnCalibrationButton(int k);
    void OnEnd();
    void OnScrollAction(int action);
    void OnScrollEnded();

    void Reset();
    void Start();
    void Send();
    void End(std::function<void()> then);
    void RequestClose();
    void ShowValue(std::uint8_t value);

    // Runs job on the worker thread; done gets its result back on this thread, after which waiting
    // actions run.
    template <typename Result>
    void Exchange(std::function<Result(orx::PowerTuneSession&)> job, std::function<void(Result)> done);
    void RunPending();
    // Blocking call on the worker thread, for opening and closing the port (no radio traffic).
    void OnWorker(const std::function<void()>& fn);
    void ClosePortAndLeave();

    QString m_caption;
    bool m_tuning = false;
    int m_selected = 0; // the calibration byte of the current adjustment, 0..5
    std::uint8_t m_value = 0;

    orx::PowerTuneSession m_session; // used on the worker thread only
    const QString m_portName;
    QThread* m_thread = nullptr;
    QObject* m_worker = nullptr; // lives in m_thread: the context the exchanges run in

    bool m_busy = false;
    bool m_sendPending = false;
    bool m_endPending = false;
    bool m_closePending = false;
    bool m_initialised = false;
    bool m_closing = false;
    QLabel* m_valueText = nullptr;
    CTuneScrollBar* m_scrollBar = nullptr;
    std::array<QPushButton*, kCalibrationCount> m_buttons{};
    QPushButton* m_endButton = nullptr;
    QPushButton* m_exitButton = nullptr;
};
