#include "TransferDlg.h"

#include "AppContext.h"
#include "Backups.h"
#include "DialogUnits.h"
#include "LinkMessage.h"
#include "LinkTexts.h"
#include "Texts.h"
#include "Tr.h"
#include "UserSettings.h"

#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QShowEvent>
#include <QStandardPaths>
#include <QStatusBar>
#include <QThread>

#include <atomic>

namespace {

constexpr const char* kVerifyKey = "Transfer/VerifyAfterWrite";
// How long a stopped transfer's status stays in the main window's status bar.
constexpr int kStatusMs = 10000;

} // namespace

bool CTransferDlg::VerifyAfterWriteSetting()
{
    return UserSettings().value(QString::fromLatin1(kVerifyKey), true).toBool();
}

void CTransferDlg::SetVerifyAfterWriteSetting(bool on)
{
    QSettings settings = UserSettings();
    settings.setValue(QString::fromLatin1(kVerifyKey), on);
}

CTransferDlg::CTransferDlg(const orx::RadioImage& image, CAppContext& context, QWidget* parent)
    : QDialog(parent), m_image(image), m_context(context)
{
    setObjectName(QStringLiteral("transferDialog"));
    const DialogUnits du(font());

    // Template 133: the bar across the top, "开始", the percentage and "取消" below it; a write
    // adds its check box underneath.
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setTextVisible(false);
    du.place(m_progress, 7, 7, 172, 12);

    m_startButton = new QPushButton(res::Tr(res::kStart), this);
    m_startButton->setObjectName(QStringLiteral("startButton"));
    m_startButton->setDefault(true);
    du.place(m_startButton, 7, 28, 50, 14);

    m_percent = new QLabel(res::Tr(res::kInitialPercent), this);
    m_percent->setObjectName(QStringLiteral("percentText"));
    m_percent->setAlignment(Qt::AlignCenter);
    du.place(m_percent, 68, 31, 50, 8);

    m_cancelButton = new QPushButton(res::Tr(res::kCancel), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setAutoDefault(false);
    du.place(m_cancelButton, 129, 28, 50, 14);

    m_verifyBox = new QCheckBox(res::Tr(res::kVerifyAfterWrite), this);
    m_verifyBox->setObjectName(QStringLiteral("verifyBox"));
    du.place(m_verifyBox, 7, 48, 120, 10);
    m_verifyBox->hide();

    setFixedSize(du.x(186), du.y(49));

    connect(m_startButton, &QPushButton::clicked, this, &CTransferDlg::OnOK);
    connect(m_cancelButton, &QPushButton::clicked, this, &CTransferDlg::reject);
    connect(m_verifyBox, &QCheckBox::toggled, this, [](bool on) { SetVerifyAfterWriteSetting(on); });
}

CTransferDlg::~CTransferDlg()
{
    // The dialog ends only after its transfer has; this is for a dialog torn down by force.
    if (m_thread) {
        m_transfer->requestCancel();
        m_thread->wait();
        delete m_thread;
        m_context.EndTransfer();
    }
}

void CTransferDlg::showEvent(QShowEvent* event)
{
    if (!m_initialised) {
        m_initialised = true;
        OnInitDialog();
    }
    QDialog::showEvent(event);
}

void CTransferDlg::OnInitDialog()
{
    if (!m_readMode) {
        const DialogUnits du(font());
        const QSignalBlocker quiet(m_verifyBox);
        m_verifyBox->setChecked(VerifyAfterWriteSetting());
        m_verifyBox->show();
        setFixedSize(du.x(186), du.y(62));
    }
    m_progress->setRange(0, orx::RadioTransfer::BlockCount(orx::RadioTransfer::Mode::Read));
    if (!m_readMode)
        m_progress->setMaximum(orx::RadioTransfer::BlockCount(orx::RadioTransfer::Mode::Write));
    m_progress->setValue(0);
    setWindowTitle(m_title);
}

void CTransferDlg::OnOK()
{
    // The busy mark is taken before the thread starts, so a quick second press starts nothing.
    if (!m_context.BeginTransfer())
        return;
    m_startButton->setEnabled(false);
    m_verifyBox->setEnabled(false);
    m_status.clear();
    m_backupPath.clear();
    m_verifying = false;
    m_cancelRequested = false;

    const auto mode = m_readMode ? orx::RadioTransfer::Mode::Read : orx::RadioTransfer::Mode::Write;
    m_transfer =
        std::make_unique<orx::RadioTransfer>(mode, m_context.PortName(), m_image, nullptr, m_timeouts);
    m_transfer->setVerify(!m_readMode && m_verifyBox->isChecked());
    m_transfer->setBackupFolder(orx::BackupFolder());
    // The read-back makes the bar longer: it ends when the comparison is done.
    m_progress->setMaximum(m_transfer->blockCount());
    // The transfer's signals come from the worker thread and are queued to this dialog: only the
    // GUI thread ever touches a widget.
    connect(m_transfer.get(), &orx::RadioTransfer::blockDone, this, &CTransferDlg::onBlockDone,
            Qt::QueuedConnection);
    connect(
        m_transfer.get(), &orx::RadioTransfer::verifying, this, [this] { m_verifying = true; },
        Qt::QueuedConnection);
    connect(m_transfer.get(), &orx::RadioTransfer::finished, this, &CTransferDlg::onFinished,
            Qt::QueuedConnection);
    orx::RadioTransfer* transfer = m_transfer.get();
    m_thread = QThread::create([transfer] { transfer->run(); });
    m_thread->setObjectName(QStringLiteral("radioTransfer"));
    m_thread->start();
}

void CTransferDlg::reject()
{
    if (!Running()) {
        QDialog::reject();
        return;
    }
    if (m_cancelRequested || m_stopQuestion)
        return;
    // Stopping a read or a read-back loses nothing; a write stopped half-way leaves the radio
    // with old and new blocks mixed, so the user says so first.
    if (m_readMode || m_verifying) {
        m_cancelRequested = true;
        m_transfer->requestCancel();
        return;
    }
    askToStopWrite();
}

void CTransferDlg::askToStopWrite()
{
    // The write goes on while the question is open; it is closed for the user if the write ends first.
    auto* box = new CLinkMessageBox(QMessageBox::Question, res::Tr(res::kStopWriteQuestion), QString(),
                                    QMessageBox::Yes | QMessageBox::No, this);
    box->setObjectName(QStringLiteral("stopWriteQuestion"));
    box->setDefaultButton(QMessageBox::No);
    // The program's own words, whether or not Qt's translations are installed.
    box->button(QMessageBox::Yes)->setText(res::Tr(res::kYes));
    box->button(QMessageBox::No)->setText(res::Tr(res::kNo));
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [this, box](int) {
        if (box->clickedButton() == box->button(QMessageBox::Yes) && Running() && !m_cancelRequested) {
            m_cancelRequested = true;
            m_transfer->requestCancel();
        }
    });
    m_stopQuestion = box;
    box->open();
}

void CTransferDlg::onBlockDone(int done)
{
    m_progress->setValue(done);
    m_percent->setText(QString::asprintf("%d%%", m_progress->value() * 100 / m_progress->maximum()));
}

void CTransferDlg::showStatus(const QString& text)
{
    m_status = text;
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<QMainWindow*>(w)) {
            frame->statusBar()->showMessage(text, kStatusMs);
            return;
        }
    }
}

void CTransferDlg::onFinished(orx::RadioTransfer::Outcome outcome)
{
    using Outcome = orx::RadioTransfer::Outcome;
    // finished is the transfer's last act: the thread ends right after it.
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    // A question about stopping has no object any more.
    if (m_stopQuestion) {
        m_stopQuestion->disconnect(this);
        m_stopQuestion->close();
    }

    if (outcome == Outcome::Succeeded) {
        if (m_readMode)
            m_received = m_transfer->received();
        m_succeeded = true;
    }
    const QString detail = outcome == Outcome::VerifyMismatch
                               ? orx::TransferDifferencesText(*m_transfer)
                               : orx::TransferFailureDetail(*m_transfer, outcome);
    const QString status = orx::TransferCancelStatus(*m_transfer);
    const QString backupFailure = orx::TransferBackupFailureText(*m_transfer);
    m_backupPath = m_transfer->backupPath();
    m_transfer.reset();

    if (!backupFailure.isEmpty())
        ShowLinkMessage(this, backupFailure, QString(), QStringLiteral("backupMessage"));
    if (outcome == Outcome::Cancelled) {
        // Asked for: a status is enough, no message to confirm.
        showStatus(status);
    } else if (outcome != Outcome::Succeeded) {
        ShowLinkMessage(this, res::Tr(orx::TransferOutcomeText(outcome)), detail,
                        QStringLiteral("transferMessage"));
    }
    m_context.EndTransfer();
    QDialog::reject();
}
