#pragma once

// The progress dialog of a radio read or write: "开始" starts the transfer in a worker thread, the
// bar and the percentage follow the blocks, a failure shows its one message, and the dialog closes
// itself at the end. While a transfer runs, "取消" (and Esc and the close box) stops a read at the
// next block; a write is stopped only after the user confirms, since it leaves the radio
// half-programmed. A write can read its data back and compare ("写入后校验"), first reads and keeps
// what the radio held, keeps the radio's own serial number unless told to write the file's, and
// can write one radio after the other ("连续写入") with a log of the batch.

#include "BatchLog.h"
#include "ContinuousWrite.h"
#include "RadioImage.h"
#include "RadioTransfer.h"

class CAppContext;

#include <QDialog>
#include <QPointer>
#include <QString>

#include <memory>

class QCheckBox;
class QLabel;
class QMessageBox;
class QProgressBar;
class QPushButton;
class QTableWidget;
class QThread;

class CTransferDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId { IdStart = 1, IdCancel = 2, IdProgress = 1003, IdPercent = 1005 };

    // image is copied: what a write sends, and the password and band a read is checked against.
    // The dialog never writes into the caller's image; a read hands its bytes back through
    // ReceivedImage().
    // The transfer goes to the context's PortName and holds its TransferBusy mark while it runs.
    CTransferDlg(const orx::RadioImage& image, CAppContext& context, QWidget* parent = nullptr);
    ~CTransferDlg() override;

    // Set by the caller before the dialog runs.
    void SetReadMode(bool read) { m_readMode = read; }
    bool ReadMode() const { return m_readMode; }
    void SetTitle(const QString& title) { m_title = title; }
    // The serial timeouts of the transfer (tests shorten them for silent radios).
    void SetTimeouts(const orx::LinkTimeouts& timeouts) { m_timeouts = timeouts; }

    // True once a transfer has completed (a verified write: and its read-back matched).
    bool TransferSucceeded() const { return m_succeeded; }
    // After a successful read: the radio's 4096 bytes, for the caller to take into its document.
    // The read's backup is already written by then.
    const orx::RadioImage& ReceivedImage() const { return m_received; }
    bool Running() const { return m_thread != nullptr; }
    // The short status a stopped transfer leaves (also shown in the main window's status bar).
    const QString& StatusText() const { return m_status; }
    // The backup the last transfer left, if any.
    const QString& BackupPath() const { return m_backupPath; }
    // The line in the dialog that says how a write ended, or how far a batch is.
    QString LineText() const;
    // After continuous writing: the batch's log file.
    const QString& BatchLogPath() const { return m_log.path(); }
    // How long the line of a finished write stays before the dialog closes (tests shorten it).
    void SetDoneDelay(int ms) { m_doneDelayMs = ms; }

    // The check boxes' settings of this user, kept in the per-user configuration folder.
    static bool VerifyAfterWriteSetting();
    static void SetVerifyAfterWriteSetting(bool on);
    static bool PreWriteBackupSetting();
    static void SetPreWriteBackupSetting(bool on);

public slots:
    // "开始".
    void OnOK();
    // "取消", Esc and the close box: closes an idle dialog, stops a running transfer.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnInitDialog();
    void onBlockDone(int done);
    void onFinished(orx::RadioTransfer::Outcome outcome);
    void startBatch();
    void onRadioDone(const orx::BatchRadio& radio);
    void onBatchFinished();
    void endThread();
    void askToStopWrite();
    void closeStopQuestion();
    void showStatus(const QString& text);
    void showLine(const QString& text);

    const orx::RadioImage m_image;
    CAppContext& m_context;
    orx::RadioImage m_received;
    bool m_readMode = true;
    QString m_title;
    orx::LinkTimeouts m_timeouts;
    bool m_succeeded = false;
    bool m_initialised = false;
    bool m_verifying = false;
    bool m_cancelRequested = false;
    QString m_status;
    QString m_backupPath;

    QProgressBar* m_progress = nullptr;
    QLabel* m_percent = nullptr;
    QPushButton* m_startButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    QCheckBox* m_verifyBox = nullptr;
    QCheckBox* m_preWriteBox = nullptr;
    QCheckBox* m_serialFromFileBox = nullptr;
    QCheckBox* m_continuousBox = nullptr;
    QLabel* m_line = nullptr;
    QTableWidget* m_logTable = nullptr;
    QPointer<QMessageBox> m_stopQuestion;
    int m_doneDelayMs = 1500;

    std::unique_ptr<orx::RadioTransfer> m_transfer;
    // Continuous writing: the batch, its log, and whether a radio is being written just now.
    std::unique_ptr<orx::ContinuousWrite> m_batch;
    orx::BatchLog m_log;
    bool m_batchWriting = false;
    QThread* m_thread = nullptr;
};
