#pragma once

// Copies the radio's whole memory into an image (read) or the editable part of an image into the
// radio (write), optionally reading the written part back to compare. It runs synchronously on the
// thread that calls run(), so the progress dialog runs it in a worker thread while the
// command-line tool and the tests call it directly; it knows no widgets and reports through its
// signals. A cancel request from any thread stops it at the next block.

#include "RadioFrames.h"
#include "RadioImage.h"
#include "RadioSession.h"

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
    };
    Q_ENUM(Outcome)

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

    static int BlockCount(Mode mode, bool verify = false)
    {
        return mode == Mode::Read ? kReadBlocks : kWriteBlocks + (verify ? kVerifyBlocks : 0);
    }
    // The steps blockDone counts up to.
    int blockCount() const { return BlockCount(m_mode, verify()); }
    Mode mode() const { return m_mode; }

    // The whole transfer, blocking. Emits blockDone after every data block and finished at the end.
    Outcome run();
    // Thread-safe (and safe from a signal handler): stop before the next block.
    void requestCancel() { m_cancel.store(true); }

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

    // After a PortOpenFailed: why the port would not open.
    const PortProblem& portProblem() const { return m_session.openProblem(); }

public slots:
    // For a worker thread's started() signal.
    void start() { run(); }

signals:
    void blockDone(int done);
    // The write is in the radio; its read-back begins.
    void verifying();
    void finished(orx::RadioTransfer::Outcome outcome);

private:
    Outcome transfer();
    Outcome readSteps();
    Outcome writeSteps();
    Outcome verifySteps();
    // One block read with the read frame and acknowledged; false when the exchange fails.
    bool readBlock(std::size_t address, QByteArray& data);
    void keepBackup(const RadioImage& image);
    bool cancelled() const { return m_cancel.load(); }

    Mode m_mode;
    QString m_portName;
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
};

} // namespace orx
