#pragma once

// Continuous writing for a dealer with a box of radios: the same image goes into one radio after
// the other on one cable, without a key press between them. After a radio is done, the loop waits
// until no radio answers the wake-up (it was unplugged or switched off), then until one answers
// again, and writes that one. Each radio gets its pre-write backup and keeps its own serial
// number, and a radio that already holds what the last one got is not written again. No widgets
// and no words: each radio's result is a value (BatchRadio), for the dialog's table and orxtool.

#include "RadioTransfer.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <string>
#include <vector>

namespace orx {

struct BatchRadio {
    int number = 0; // 1, 2, ... in the batch
    QDateTime time; // when its write ended
    std::string serial;
    RadioTransfer::Outcome outcome = RadioTransfer::Outcome::Succeeded;
    RadioTransfer::Failure failure;
    bool verified = false; // read back and compared equal
    bool serialKept = false;
    int blocksWritten = 0;
    std::vector<MemoryArea> differences;
    QString preWriteBackup;
    QString backup;
};

} // namespace orx

Q_DECLARE_METATYPE(orx::BatchRadio)

namespace orx {

class ContinuousWrite : public QObject {
    Q_OBJECT
public:
    ContinuousWrite(const QString& portName, const RadioImage& image, const LinkTimeouts& timeouts = {},
                    QObject* parent = nullptr);

    // Set before run().
    void setVerify(bool on) { m_transfer.setVerify(on); }
    void setPreWriteBackup(bool on) { m_transfer.setPreWriteBackup(on); }
    void setKeepRadioSerial(bool on) { m_transfer.setKeepRadioSerial(on); }
    void setBackupFolder(const QString& folder) { m_transfer.setBackupFolder(folder); }
    // Stop after this many radios; 0: until cancelled.
    void setLimit(int radios) { m_limit = radios; }

    // Blocking, like RadioTransfer::run(). Returns the radios it saw.
    const std::vector<BatchRadio>& run();
    // Thread-safe and safe from a signal handler.
    void requestCancel() { m_transfer.requestCancel(); }
    const std::vector<BatchRadio>& radios() const { return m_radios; }
    int failures() const;
    // The transfer of the radio on the cable (its blocks, its cancel status).
    const RadioTransfer& transfer() const { return m_transfer; }
    RadioTransfer& transfer() { return m_transfer; }
    int blockCount() const { return m_transfer.blockCount(); }
    // A radio's write was under way when the batch was cancelled.
    bool stoppedDuringWrite() const { return m_stoppedDuringWrite; }

signals:
    // Waiting for the next radio (done radios so far).
    void waitingForRadio(int done);
    // A radio answered: its write begins.
    void radioStarted(int number);
    void blockDone(int done);
    void verifying();
    // A radio's result (a copy: the receiver may be on another thread).
    void radioDone(const orx::BatchRadio& radio);
    // Waiting for the radio just done to be taken away.
    void waitingForRemoval(int number);
    void finished();

private:
    RadioTransfer m_transfer;
    int m_limit = 0;
    std::vector<BatchRadio> m_radios;
    bool m_stoppedDuringWrite = false;
};

} // namespace orx
