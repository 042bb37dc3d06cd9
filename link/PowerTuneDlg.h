#pragma once

// "功率调节": adjusts the radio's six transmit-power calibration bytes live over the cable. A button
// fetches one byte from the radio, every completed scroll action sends the new value at once, and
// "结束" ends the adjustment on the radio. The image is never touched.

#include "SerialPort.h"

#include <QByteArray>
#include <QDialog>
#include <QScrollBar>

#include <array>
#include <chrono>
#include <cstdint>

class QLabel;
class QPushButton;

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

    explicit CPowerTuneDlg(QWidget* parent = nullptr);
    ~CPowerTuneDlg() override;

    bool TuningActive() const { return m_tuning; }
    std::uint8_t Value() const { return m_value; }
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
    bool Start();
    bool Send();
    void End();
    // Up to three wake-ups, with pause before each byte and retryPause between attempts.
    bool WakeUp(std::chrono::milliseconds pause, std::chrono::milliseconds retryPause);
    QByteArray Exchange(const QByteArray& command, int replySize);
    void RequestClose();
    void ShowValue();

    QString m_caption;
    bool m_tuning = false;
    QByteArray m_writeHeader;
    std::uint8_t m_value = 0;
    QByteArray m_queryFrame;
    orx::SerialPort m_port;

    bool m_initialised = false;
    bool m_closing = false;
    QLabel* m_valueText = nullptr;
    CTuneScrollBar* m_scrollBar = nullptr;
    std::array<QPushButton*, kCalibrationCount> m_buttons{};
    QPushButton* m_endButton = nullptr;
    QPushButton* m_exitButton = nullptr;
};
