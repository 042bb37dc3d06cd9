#pragma once

// Copies the radio's whole memory into an image (read) or the editable part of an image into the
// radio (write) over a port it opens itself. It runs synchronously on the thread that calls run(),
// so the progress dialog runs it in a worker thread while the command-line tool and the tests call
// it directly; it knows no widgets and reports through its signals.

#include "RadioFrames.h"
#include "RadioImage.h"
#include "SerialPort.h"

#include <QObject>
#include <QString>

#include <cstdint>

namespace orx {

class RadioTransfer : public QObject {
    Q_OBJECT
public:
    enum class Mode { Read, Write };
    Q_ENUM(Mode)
    enum class Outcome { Succeeded, PortOpenFailed, CommError, PasswordError, BandMismatch };
    Q_ENUM(Outcome)

    static constexpr int kReadBlocks = static_cast<int>(map::kImageSize) / frame::kBlockSize;    // 512
    static constexpr int kWriteBlocks = static_cast<int>(map::kWritableEnd) / frame::kBlockSize; // 448
    // A transfer gives up at its fourth failed wake-up; a write's two handshakes share the count.
    static constexpr int kWakeUpRetries = 3;

    // image is copied: the password and band bytes to check, and for a write the bytes to send.
    RadioTransfer(Mode mode, const QString& portName, const RadioImage& image, QObject* parent = nullptr);

    static int BlockCount(Mode mode) { return mode == Mode::Read ? kReadBlocks : kWriteBlocks; }
    int blockCount() const { return BlockCount(m_mode); }
    Mode mode() const { return m_mode; }

    // The whole transfer, blocking. Emits blockDone after every data block and finished at the end.
    Outcome run();

    // After a successful read: the radio's 4096 bytes. Until then (and after a failed read) it
    // holds nothing of the radio, so a failure part-way can never leak into the caller's image.
    const RadioImage& received() const { return m_received; }
    // The message the user sees for an outcome; empty for success.
    static const char* OutcomeText(Outcome outcome);
    // Below the message of a port that would not open: why.
    const QString& failureDetail() const { return m_failureDetail; }

public slots:
    // For a worker thread's started() signal.
    void start() { run(); }

signals:
    void blockDone(int done);
    void finished(orx::RadioTransfer::Outcome outcome);

private:
    Outcome transfer();
    bool handshake();
    bool acknowledge();
    QByteArray exchange(const QByteArray& command, int replySize);
    Outcome readSteps();
    Outcome writeSteps();

    Mode m_mode;
    QString m_portName;
    RadioImage m_image;
    RadioImage m_received;
    SerialPort m_port;
    int m_wakeUpFailures = 0;
    QString m_failureDetail;
};

} // namespace orx
