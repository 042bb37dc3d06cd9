#include "TransferDlg.h"

#include "DialogUnits.h"
#include "LinkMessage.h"
#include "PortName.h"
#include "Texts.h"

#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QThread>

#include <atomic>

namespace {

std::atomic<bool> g_transferBusy{false};

QString tr8(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

bool TransferBusy()
{
    return g_transferBusy.load();
}

CTransferDlg::CTransferDlg(const orx::RadioImage& image, QWidget* parent) : QDialog(parent), m_image(image)
{
    setObjectName(QStringLiteral("transferDialog"));
    const DialogUnits du(font());

    // Template 133: the bar across the top, "开始", the percentage and "取消" below it.
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setTextVisible(false);
    du.place(m_progress, 7, 7, 172, 12);

    m_startButton = new QPushButton(tr8(res::kStart), this);
    m_startButton->setObjectName(QStringLiteral("startButton"));
    m_startButton->setDefault(true);
    du.place(m_startButton, 7, 28, 50, 14);

    m_percent = new QLabel(tr8(res::kInitialPercent), this);
    m_percent->setObjectName(QStringLiteral("percentText"));
    m_percent->setAlignment(Qt::AlignCenter);
    du.place(m_percent, 68, 31, 50, 8);

    m_cancelButton = new QPushButton(tr8(res::kCancel), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setAutoDefault(false);
    du.place(m_cancelButton, 129, 28, 50, 14);

    setFixedSize(du.x(186), du.y(49));

    connect(m_startButton, &QPushButton::clicked, this, &CTransferDlg::OnOK);
    connect(m_cancelButton, &QPushButton::clicked, this, &CTransferDlg::reject);
}

CTransferDlg::~CTransferDlg()
{
    // The dialog ends only after its transfer has; this is for a dialog torn down by force.
    if (m_thread) {
        m_thread->wait();
        g_transferBusy = false;
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
    m_progress->setRange(0, orx::RadioTransfer::BlockCount(m_readMode ? orx::RadioTransfer::Mode::Read
                                                                      : orx::RadioTransfer::Mode::Write));
    m_progress->setValue(0);
    setWindowTitle(m_title);
}

void CTransferDlg::OnOK()
{
    // The busy mark is taken before the thread starts, so a quick second press starts nothing.
    bool idle = false;
    if (!g_transferBusy.compare_exchange_strong(idle, true))
        return;
    m_startButton->setEnabled(false);
    m_cancelButton->setEnabled(false);

    const auto mode = m_readMode ? orx::RadioTransfer::Mode::Read : orx::RadioTransfer::Mode::Write;
    m_transfer = std::make_unique<orx::RadioTransfer>(mode, PortName(), m_image);
    // The transfer's signals come from the worker thread and are queued to this dialog: only the
    // GUI thread ever touches a widget.
    connect(m_transfer.get(), &orx::RadioTransfer::blockDone, this, &CTransferDlg::onBlockDone,
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
    if (Running())
        return;
    QDialog::reject();
}

void CTransferDlg::onBlockDone(int done)
{
    m_progress->setValue(done);
    m_percent->setText(QString::asprintf("%d%%", m_progress->value() * 100 / m_progress->maximum()));
}

void CTransferDlg::onFinished(orx::RadioTransfer::Outcome outcome)
{
    // finished is the transfer's last act: the thread ends right after it.
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;

    if (outcome == orx::RadioTransfer::Outcome::Succeeded) {
        if (m_readMode)
            m_received = m_transfer->received();
        m_succeeded = true;
    }
    const QString detail = m_transfer->failureDetail();
    m_transfer.reset();

    if (outcome != orx::RadioTransfer::Outcome::Succeeded) {
        ShowLinkMessage(this, tr8(orx::RadioTransfer::OutcomeText(outcome)), detail,
                        QStringLiteral("transferMessage"));
    }
    g_transferBusy = false;
    QDialog::reject();
}
