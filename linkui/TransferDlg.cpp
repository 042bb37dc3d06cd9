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
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QShowEvent>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTableWidget>
#include <QThread>
#include <QTimer>

#include <atomic>

namespace {

constexpr const char* kVerifyKey = "Transfer/VerifyAfterWrite";
constexpr const char* kPreWriteBackupKey = "Transfer/BackupBeforeWrite";
// How long a stopped transfer's status stays in the main window's status bar.
constexpr int kStatusMs = 10000;

// The status a transfer leaves in the main window's status bar. A status tip clears the bar's
// message: the empty tip sent when the pointer leaves a toolbar button or a menu entry after the
// dialog has closed (where the pointer rests then is a matter of chance) would put "准备" in its
// place. While the note lives, a tip shows as usual and the note comes back when the tip goes.
class StatusNote : public QObject {
public:
    StatusNote(QMainWindow* frame, const QString& text) : QObject(frame), m_frame(frame), m_text(text)
    {
        setObjectName(QStringLiteral("transferStatusNote"));
        frame->installEventFilter(this);
        frame->statusBar()->showMessage(text, kStatusMs);
        QTimer::singleShot(kStatusMs, this, [this] { deleteLater(); });
    }
    static void Show(QMainWindow* frame, const QString& text)
    {
        // A newer note replaces an older one.
        delete frame->findChild<StatusNote*>(QStringLiteral("transferStatusNote"),
                                             Qt::FindDirectChildrenOnly);
        new StatusNote(frame, text);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_frame && event->type() == QEvent::StatusTip &&
            static_cast<QStatusTipEvent*>(event)->tip().isEmpty()) {
            m_frame->statusBar()->showMessage(m_text);
            return true;
        }
        return false;
    }

private:
    QMainWindow* m_frame;
    QString m_text;
};

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

bool CTransferDlg::PreWriteBackupSetting()
{
    return UserSettings().value(QString::fromLatin1(kPreWriteBackupKey), true).toBool();
}

void CTransferDlg::SetPreWriteBackupSetting(bool on)
{
    QSettings settings = UserSettings();
    settings.setValue(QString::fromLatin1(kPreWriteBackupKey), on);
}

CTransferDlg::CTransferDlg(const orx::RadioImage& image, CAppContext& context, QWidget* parent)
    : QDialog(parent), m_image(image), m_context(context)
{
    setObjectName(QStringLiteral("transferDialog"));
    const DialogUnits du(font());

    // Template 133: the bar across the top, "开始", the percentage and "取消" below it; a write
    // adds a line for how it ended and its check boxes underneath.
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

    m_line = new QLabel(this);
    m_line->setObjectName(QStringLiteral("lineText"));
    du.place(m_line, 7, 46, 172, 18);
    m_line->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_line->hide();

    auto checkBox = [&](const char* text, const char* name, int y) {
        auto* box = new QCheckBox(res::Tr(text), this);
        box->setObjectName(QString::fromLatin1(name));
        du.place(box, 7, y, 172, 10);
        box->hide();
        return box;
    };
    m_verifyBox = checkBox(res::kVerifyAfterWrite, "verifyBox", 66);
    m_preWriteBox = checkBox(res::kPreWriteBackupBox, "preWriteBackupBox", 78);
    m_serialFromFileBox = checkBox(res::kSerialFromFileBox, "serialFromFileBox", 90);
    m_continuousBox = checkBox(res::kContinuousWriteBox, "continuousBox", 102);

    m_logTable = new QTableWidget(0, 4, this);
    m_logTable->setObjectName(QStringLiteral("batchLog"));
    m_logTable->setHorizontalHeaderLabels({res::Tr(res::kBatchTime), res::Tr(res::kBatchSerial),
                                           res::Tr(res::kBatchResult), res::Tr(res::kBatchVerification)});
    m_logTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_logTable->verticalHeader()->hide();
    m_logTable->horizontalHeader()->setStretchLastSection(true);
    du.place(m_logTable, 7, 116, 300, 90);
    m_logTable->hide();

    setFixedSize(du.x(186), du.y(49));

    connect(m_startButton, &QPushButton::clicked, this, &CTransferDlg::OnOK);
    connect(m_cancelButton, &QPushButton::clicked, this, &CTransferDlg::reject);
    connect(m_verifyBox, &QCheckBox::toggled, this, [](bool on) { SetVerifyAfterWriteSetting(on); });
    connect(m_preWriteBox, &QCheckBox::toggled, this, [](bool on) { SetPreWriteBackupSetting(on); });
}

CTransferDlg::~CTransferDlg()
{
    // The dialog ends only after its transfer has; this is for a dialog torn down by force.
    if (m_thread) {
        if (m_transfer)
            m_transfer->requestCancel();
        if (m_batch)
            m_batch->requestCancel();
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
        for (QCheckBox* box : {m_verifyBox, m_preWriteBox, m_serialFromFileBox, m_continuousBox}) {
            const QSignalBlocker quiet(box);
            box->show();
        }
        {
            const QSignalBlocker quiet(m_verifyBox);
            m_verifyBox->setChecked(VerifyAfterWriteSetting());
        }
        {
            const QSignalBlocker quiet(m_preWriteBox);
            m_preWriteBox->setChecked(PreWriteBackupSetting());
        }
        m_line->show();
        setFixedSize(du.x(186), du.y(114));
    }
    m_progress->setRange(0, orx::RadioTransfer::BlockCount(orx::RadioTransfer::Mode::Read));
    if (!m_readMode)
        m_progress->setMaximum(orx::RadioTransfer::BlockCount(orx::RadioTransfer::Mode::Write));
    m_progress->setValue(0);
    setWindowTitle(m_title);
}

QString CTransferDlg::LineText() const
{
    return m_line->text();
}

void CTransferDlg::showLine(const QString& text)
{
    m_line->setText(text);
}

void CTransferDlg::OnOK()
{
    // The busy mark is taken before the thread starts, so a quick second press starts nothing.
    if (!m_context.BeginTransfer())
        return;
    m_startButton->setEnabled(false);
    for (QCheckBox* box : {m_verifyBox, m_preWriteBox, m_serialFromFileBox, m_continuousBox})
        box->setEnabled(false);
    m_status.clear();
    m_backupPath.clear();
    m_verifying = false;
    m_cancelRequested = false;
    showLine(QString());

    if (!m_readMode && m_continuousBox->isChecked()) {
        startBatch();
        return;
    }
    const auto mode = m_readMode ? orx::RadioTransfer::Mode::Read : orx::RadioTransfer::Mode::Write;
    m_transfer =
        std::make_unique<orx::RadioTransfer>(mode, m_context.PortName(), m_image, nullptr, m_timeouts);
    m_transfer->setVerify(!m_readMode && m_verifyBox->isChecked());
    m_transfer->setBackupFolder(orx::BackupFolder());
    m_transfer->setPreWriteBackup(!m_readMode && m_preWriteBox->isChecked());
    m_transfer->setKeepRadioSerial(!m_readMode && !m_serialFromFileBox->isChecked());
    // The read-back makes the bar longer: it ends when the comparison is done.
    m_progress->setMaximum(m_transfer->blockCount());
    // The transfer's signals come from the worker thread and are queued to this dialog: only the
    // GUI thread ever touches a widget.
    connect(m_transfer.get(), &orx::RadioTransfer::blockDone, this, &CTransferDlg::onBlockDone,
            Qt::QueuedConnection);
    connect(
        m_transfer.get(), &orx::RadioTransfer::verifying, this,
        [this] {
            m_verifying = true;
            // The write the question asks about has ended: stopping now only stops the read-back.
            closeStopQuestion();
        },
        Qt::QueuedConnection);
    connect(m_transfer.get(), &orx::RadioTransfer::finished, this, &CTransferDlg::onFinished,
            Qt::QueuedConnection);
    orx::RadioTransfer* transfer = m_transfer.get();
    m_thread = QThread::create([transfer] { transfer->run(); });
    m_thread->setObjectName(QStringLiteral("radioTransfer"));
    m_thread->start();
}

void CTransferDlg::startBatch()
{
    const DialogUnits du(font());
    m_logTable->show();
    setFixedSize(du.x(314), du.y(212));
    m_batch = std::make_unique<orx::ContinuousWrite>(m_context.PortName(), m_image, m_timeouts);
    m_batch->setVerify(m_verifyBox->isChecked());
    m_batch->setBackupFolder(orx::BackupFolder());
    m_batch->setPreWriteBackup(m_preWriteBox->isChecked());
    m_batch->setKeepRadioSerial(!m_serialFromFileBox->isChecked());
    m_progress->setMaximum(m_batch->blockCount());
    QString error;
    if (!m_log.create(orx::BackupFolder(), orx::BatchLogHeader(), QDateTime::currentDateTime(), &error))
        ShowLinkMessage(this, res::Tr(res::kBatchLogFailed).arg(error), QString(),
                        QStringLiteral("backupMessage"));

    orx::ContinuousWrite* batch = m_batch.get();
    connect(
        batch, &orx::ContinuousWrite::waitingForRadio, this,
        [this](int done) {
            m_batchWriting = false;
            showLine(res::Tr(res::kBatchWaiting).arg(done));
        },
        Qt::QueuedConnection);
    connect(
        batch, &orx::ContinuousWrite::radioStarted, this,
        [this](int number) {
            m_batchWriting = true;
            m_verifying = false;
            m_progress->setValue(0);
            onBlockDone(0);
            showLine(res::Tr(res::kBatchWriting).arg(number));
        },
        Qt::QueuedConnection);
    connect(batch, &orx::ContinuousWrite::blockDone, this, &CTransferDlg::onBlockDone, Qt::QueuedConnection);
    connect(
        batch, &orx::ContinuousWrite::verifying, this,
        [this] {
            m_verifying = true;
            closeStopQuestion();
        },
        Qt::QueuedConnection);
    connect(batch, &orx::ContinuousWrite::radioDone, this, &CTransferDlg::onRadioDone, Qt::QueuedConnection);
    connect(
        batch, &orx::ContinuousWrite::waitingForRemoval, this,
        [this](int number) { showLine(res::Tr(res::kBatchRemove).arg(number)); }, Qt::QueuedConnection);
    connect(batch, &orx::ContinuousWrite::finished, this, &CTransferDlg::onBatchFinished,
            Qt::QueuedConnection);
    m_thread = QThread::create([batch] { batch->run(); });
    m_thread->setObjectName(QStringLiteral("radioBatch"));
    m_thread->start();
}

void CTransferDlg::onRadioDone(const orx::BatchRadio& radio)
{
    m_batchWriting = false;
    closeStopQuestion();
    const QStringList fields = orx::BatchLogFields(radio, m_verifyBox->isChecked());
    m_log.append(fields);
    const int row = m_logTable->rowCount();
    m_logTable->insertRow(row);
    for (int column = 0; column < m_logTable->columnCount(); ++column) {
        auto* item = new QTableWidgetItem(fields.value(column));
        item->setToolTip(fields.value(column));
        m_logTable->setItem(row, column, item);
    }
    m_logTable->scrollToBottom();
}

void CTransferDlg::endThread()
{
    // The worker's last signal has come: the thread ends right after it.
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
}

void CTransferDlg::onBatchFinished()
{
    endThread();
    closeStopQuestion();
    int done = 0;
    for (const orx::BatchRadio& r : m_batch->radios())
        done += r.outcome == orx::RadioTransfer::Outcome::Succeeded;
    const int failed = m_batch->failures();
    QString status = res::Tr(res::kBatchEnded).arg(done).arg(failed);
    if (m_batch->stoppedDuringWrite())
        status = orx::TransferCancelStatus(m_batch->transfer()) + res::Tr(res::kListSeparator) + status;
    m_succeeded = failed == 0 && !m_batch->stoppedDuringWrite() && done > 0;
    m_batch.reset();
    showStatus(status);
    m_context.EndTransfer();
    QDialog::reject();
}

void CTransferDlg::reject()
{
    if (!Running()) {
        QDialog::reject();
        return;
    }
    if (m_cancelRequested || m_stopQuestion)
        return;
    // Stopping a read, a read-back or a batch waiting for its next radio loses nothing; a write
    // stopped half-way leaves the radio with old and new blocks mixed, so the user says so first.
    const bool writing = m_batch ? m_batchWriting : !m_readMode;
    if (!writing || m_verifying) {
        m_cancelRequested = true;
        if (m_transfer)
            m_transfer->requestCancel();
        if (m_batch)
            m_batch->requestCancel();
        return;
    }
    askToStopWrite();
}

void CTransferDlg::closeStopQuestion()
{
    // A question about stopping a write that has ended has no object any more.
    if (m_stopQuestion) {
        m_stopQuestion->disconnect(this);
        m_stopQuestion->close();
    }
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
            if (m_transfer)
                m_transfer->requestCancel();
            if (m_batch)
                m_batch->requestCancel();
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
            StatusNote::Show(frame, text);
            return;
        }
    }
}

void CTransferDlg::onFinished(orx::RadioTransfer::Outcome outcome)
{
    using Outcome = orx::RadioTransfer::Outcome;
    endThread();
    closeStopQuestion();

    if (outcome == Outcome::Succeeded) {
        if (m_readMode)
            m_received = m_transfer->received();
        m_succeeded = true;
    }
    const QString detail = orx::TransferFailureDetail(*m_transfer, outcome);
    const QString status = orx::TransferCancelStatus(*m_transfer);
    const QString backupFailure = orx::TransferBackupFailureText(*m_transfer);
    const QString serialKept = orx::SerialKeptText(*m_transfer);
    const QString done =
        !m_readMode && outcome == Outcome::Succeeded ? orx::WriteDoneText(*m_transfer) : QString();
    m_backupPath = m_transfer->backupPath();
    m_transfer.reset();

    if (!backupFailure.isEmpty() && outcome != Outcome::BackupFailed)
        ShowLinkMessage(this, backupFailure, QString(), QStringLiteral("backupMessage"));
    if (outcome == Outcome::Cancelled) {
        // Asked for: a status is enough, no message to confirm.
        showStatus(serialKept.isEmpty() ? status : status + res::Tr(res::kListSeparator) + serialKept);
    } else if (outcome != Outcome::Succeeded) {
        if (!serialKept.isEmpty())
            showLine(serialKept);
        ShowLinkMessage(this, res::Tr(orx::TransferOutcomeText(outcome)), detail,
                        QStringLiteral("transferMessage"));
    } else if (!done.isEmpty()) {
        // A write says that it is done, and stays a moment so that it can be read.
        const QString text = serialKept.isEmpty() ? done : done + QLatin1Char('\n') + serialKept;
        showLine(text);
        showStatus(serialKept.isEmpty() ? done : done + res::Tr(res::kListSeparator) + serialKept);
        m_context.EndTransfer();
        m_cancelButton->setFocus();
        QTimer::singleShot(m_doneDelayMs, this, [this] {
            if (isVisible())
                QDialog::reject();
        });
        return;
    }
    m_context.EndTransfer();
    QDialog::reject();
}
