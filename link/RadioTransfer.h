#pragma once

// Copies the radio's whole memory into an image (read) or the editable part of an image into the
// radio (write), optionally reading the written part back to compare. It runs synchronously on the
// thread that calls run(), so the progress dialog runs it in a worker thread while the
// command-line tool and the tests call it directly; it knows no widgets and reports through its
// signals. A cancel request from any thread stops it at the next block.

#include "RadioFrames.h"
#include "RadioImage.h"
#include "RadioSession.h"

#include "Backups.h"
#include "MemoryAreas.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <vector>

namespace orx {

class RadioTransfer : public QObject {
    Q_OBJECT
public:
    enum class Mode { Read, Write };
    Q_ENUM(Mode)
    enum class Outcome {
        Succeeded,
        PortOpenFailed,
        CommError,
        PasswordError,
        BandMismatch,
        Cancelled,       // stopped on request; a read hands nothing over
        VerifyMismatch,  // written, but the radio holds something else (verifyDifferences())
        VerifyCommError, // written, but the read-back failed
        BackupFailed,    // what the radio held could not be kept: nothing was written
        AlreadyWritten,  // the radio already holds what the last radio of a batch got: not written again
    };
    Q_ENUM(Outcome)

    // Where a failed transfer stopped: the step, what went wrong and, for a block, which one.
    enum class Step { None, WakeUp, Handshake, Password, Band, Read, PreRead, SerialRead, Write, ReadBack };
    Q_ENUM(Step)
    enum class Problem { None, NoAnswer, WrongAnswer, CutShort, NotAcknowledged, Differs };
    Q_ENUM(Problem)
    struct Failure {
        Step step = Step::None;
        Problem problem = Problem::None;
        int block = 0;           // 1-based, 0 when the step has no blocks
        std::size_t address = 0; // the block's first byte
        int received = 0;        // bytes of a reply cut short
        int expected = 0;
        QByteArray reply;  // a wrong answer; the radio's band bytes
        QByteArray wanted; // the band bytes of the image
    };

    static constexpr int kReadBlocks = static_cast<int>(map::kImageSize) / frame::kBlockSize;    // 512
    static constexpr int kWriteBlocks = static_cast<int>(map::kWritableEnd) / frame::kBlockSize; // 448
    // The read-back of a verified write: the written blocks and the block of the band bytes.
    static constexpr int kVerifyBlocks = kWriteBlocks + 1;
    // A transfer gives up at its fourth failed wake-up; a write's two handshakes share the count.
    static constexpr int kWakeUpRetries = 3;

    // image is copied: the password and band bytes to check, and for a write the bytes to send.
    RadioTransfer(Mode mode, const QString& portName, const RadioImage& image, QObject* parent = nullptr,
                  const LinkTimeouts& timeouts = {});

    // A write reads back what it wrote and compares. Set before run().
    void setVerify(bool verify) { m_verify = verify; }
    bool verify() const { return m_verify && m_mode == Mode::Write; }
    // A successful read, and a write once its first block goes out, leave a backup of the image in
    // this folder (BackupFolder()). Empty, the default: no backups. Set before run().
    void setBackupFolder(const QString& folder) { m_backupFolder = folder; }
    // A write first reads the whole radio and keeps it as a "before-write" backup in the backup
    // folder; no block is sent unless that backup was saved. Set before run().
    void setPreWriteBackup(bool on) { m_preWriteBackup = on; }
    // When the radio holds a serial number and the image to write holds another one (or a channel,
    // or nothing) in its 16 bytes, the radio's serial number is written instead. Without the
    // pre-write backup the two blocks of the serial number are read first. Set before run().
    void setKeepRadioSerial(bool on) { m_keepRadioSerial = on; }
    // For a batch: a radio that already holds what `written` holds in the written part (with the
    // pre-write backup) or the same serial number (without it) is not written again.
    void setSkipIfHolds(const RadioImage& written)
    {
        m_skipIfHolds = written;
        m_skipCheck = true;
    }
    // The first wake-up of a write waits, as long as it takes, for a radio to answer (a batch
    // waiting for the next radio); a cancel ends the wait.
    void setWaitForRadio(bool on) { m_waitForRadio = on; }

    static int BlockCount(Mode mode, bool verify = false, bool preRead = false)
    {
        return mode == Mode::Read ? kReadBlocks
                                  : (preRead ? kReadBlocks : 0) + kWriteBlocks + (verify ? kVerifyBlocks : 0);
    }
    // The steps blockDone counts up to.
    int blockCount() const { return BlockCount(m_mode, verify(), preRead()); }
    bool preRead() const { return m_preWriteBackup && m_mode == Mode::Write; }
    Mode mode() const { return m_mode; }

    // The whole transfer, blocking. Emits blockDone after every data block and finished at the end.
    Outcome run();
    // Thread-safe (and safe from a signal handler): stop before the next block.
    void requestCancel() { m_cancel.store(true); }
    bool cancelRequested() const { return m_cancel.load(); }
    // For a batch, after a radio: waits until no radio answers the wake-up any more (it was
    // unplugged or switched off). False when cancelled first or the port would not open.
    bool waitUntilRadioGone();

    // After a successful read: the radio's 4096 bytes. Until then (and after a failed read) it
    // holds nothing of the radio, so a failure part-way can never leak into the caller's image.
    const RadioImage& received() const { return m_received; }
    // Blocks of a write the radio has acknowledged.
    int blocksWritten() const { return m_blocksWritten; }
    // After a VerifyMismatch: the channels and areas whose bytes differ.
    const std::vector<MemoryArea>& verifyDifferences() const { return m_differences; }
    // The read-back of a write was under way (a cancel then stopped the verify, not the write).
    bool verifyStarted() const { return m_verifying; }
    // The backup this run left, or why it could not (both empty when none was due).
    const QString& backupPath() const { return m_backupPath; }
    const QString& backupError() const { return m_backupError; }

    // Where a failure stopped (Step::None after a success, a cancel or a port that would not open).
    const Failure& failure() const { return m_failure; }
    // What the radio held before a write: all of it after a pre-write backup, else the serial
    // number's 16 bytes in an otherwise erased image. Valid once the pre-read is done.
    const RadioImage& radioBefore() const { return m_radioBefore; }
    bool radioBeforeRead() const { return m_radioBeforeRead; }
    // The image as written (the radio's serial number put in where it was kept).
    const RadioImage& written() const { return m_image; }
    // The radio's serial number was written instead of the image's.
    bool serialKept() const { return m_serialKept; }
    // The "before-write" backup, once saved.
    const QString& preWriteBackupPath() const { return m_preWriteBackupPath; }

    // After a PortOpenFailed: why the port would not open.
    const PortProblem& portProblem() const { return m_session.openProblem(); }

public slots:
    // For a worker thread's started() signal.
    void start() { run(); }

signals:
    void blockDone(int done);
    // The write is in the radio; its read-back begins.
    void verifying();
    // A write waiting for a radio (setWaitForRadio) got an answer: its steps begin.
    void radioFound();
    void finished(orx::RadioTransfer::Outcome outcome);

private:
    Outcome transfer();
    Outcome readSteps();
    Outcome writeSteps();
    Outcome verifySteps();
    // One block read with the read frame and acknowledged; Problem::None when it went well.
    Problem readBlock(std::size_t address, QByteArray& data, int& received);
    // Reads the blocks from `first` (count of them) into target; false with m_failure set.
    bool readBlocks(Step step, std::size_t first, int count, RadioImage& target, int progressBase);
    Outcome preWriteSteps();
    Outcome fail(Outcome outcome, Step step, Problem problem, int block = 0, std::size_t address = 0);
    Outcome handshakeFailed();
    QString keepBackup(BackupKind kind, const RadioImage& image);
    bool cancelled() const { return m_cancel.load(); }

    Mode m_mode;
    QString m_portName;
    const RadioImage m_original;
    RadioImage m_image;
    RadioImage m_received;
    RadioSession m_session;
    bool m_verify = false;
    QString m_backupFolder;
    std::atomic<bool> m_cancel{false};
    int m_wakeUpRetries = kWakeUpRetries;
    int m_blocksWritten = 0;
    bool m_verifying = false;
    std::vector<MemoryArea> m_differences;
    QString m_backupPath;
    QString m_backupError;
    bool m_preWriteBackup = false;
    bool m_keepRadioSerial = false;
    bool m_skipCheck = false;
    bool m_waitForRadio = false;
    RadioImage m_skipIfHolds;
    RadioImage m_radioBefore;
    bool m_radioBeforeRead = false;
    bool m_serialKept = false;
    QString m_preWriteBackupPath;
    Failure m_failure;
};

} // namespace orx
