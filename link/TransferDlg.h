#pragma once

// The progress dialog of a radio read or write: "开始" starts the transfer in a worker thread, the
// bar and the percentage follow the blocks, a failure shows its one message, and the dialog closes
// itself at the end. While the transfer runs nothing closes it.

#include "RadioImage.h"
#include "RadioTransfer.h"

#include <QDialog>
#include <QString>

#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QThread;

// True while a transfer thread runs anywhere in the program: a second one never starts.
bool TransferBusy();

class CTransferDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId { IdStart = 1, IdCancel = 2, IdProgress = 1003, IdPercent = 1005 };

    // image is copied: what a write sends, and the password and band a read is checked against.
    // The dialog never writes into the caller's image; a read hands its bytes back through
    // ReceivedImage().
    explicit CTransferDlg(const orx::RadioImage& image, QWidget* parent = nullptr);
    ~CTransferDlg() override;

    // Set by the caller before the dialog runs.
    void SetReadMode(bool read) { m_readMode = read; }
    bool ReadMode() const { return m_readMode; }
    void SetTitle(const QString& title) { m_title = title; }

    // True once a transfer has completed.
    bool TransferSucceeded() const { return m_succeeded; }
    // After a successful read: the radio's 4096 bytes, for the caller to take into its document.
    const orx::RadioImage& ReceivedImage() const { return m_received; }
    bool Running() const { return m_transfer != nullptr; }

public slots:
    // "开始".
    void OnOK();
    // "取消", Esc and the close box: nothing happens while a transfer runs.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnInitDialog();
    void onBlockDone(int done);
    void onFinished(orx::RadioTransfer::Outcome outcome);

    const orx::RadioImage m_image;
    orx::RadioImage m_received;
    bool m_readMode = true;
    QString m_title;
    bool m_succeeded = false;
    bool m_initialised = false;

    QProgressBar* m_progress = nullptr;
    QLabel* m_percent = nullptr;
    QPushButton* m_startButton = nullptr;
    QPushButton* m_cancelButton = nullptr;

    std::unique_ptr<orx::RadioTransfer> m_transfer;
    QThread* m_thread = nullptr;
};
