#include "BackupsDlg.h"

#include "BackupList.h"
#include "Texts.h"
#include "Tr.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

enum Column { ColWhen, ColKind, ColBand, ColSerial, ColSize, ColumnCount };

QString kindText(const QString& kind)
{
    if (kind == QLatin1String("read"))
        return res::Tr(res::kBackupKindRead);
    if (kind == QLatin1String("write"))
        return res::Tr(res::kBackupKindWrite);
    if (kind == QLatin1String("before-write"))
        return res::Tr(res::kBackupKindBeforeWrite);
    return kind; // a kind of a later version, as its name spells it
}

} // namespace

CBackupsDlg::CBackupsDlg(const QString& folder, QWidget* parent) : QDialog(parent), m_folder(folder)
{
    setWindowTitle(res::Tr(res::kBackupsCaption));
    auto* layout = new QVBoxLayout(this);
    m_empty = new QLabel(res::Tr(res::kBackupsNone).arg(QDir::toNativeSeparators(folder)), this);
    m_empty->setWordWrap(true);
    layout->addWidget(m_empty);

    m_table = new QTableWidget(0, ColumnCount, this);
    m_table->setHorizontalHeaderLabels({res::Tr(res::kBackupsWhen), res::Tr(res::kBackupsKind),
                                        res::Tr(res::kBackupsBand), res::Tr(res::kBackupsSerial),
                                        res::Tr(res::kBackupsSize)});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(m_table);

    auto* buttons = new QDialogButtonBox(this);
    m_open = buttons->addButton(res::Tr(res::kBackupsOpen), QDialogButtonBox::AcceptRole);
    QPushButton* show = buttons->addButton(res::Tr(res::kBackupsShowFolder), QDialogButtonBox::ActionRole);
    buttons->addButton(QDialogButtonBox::Close);
    layout->addWidget(buttons);
    connect(m_open, &QPushButton::clicked, this, &CBackupsDlg::OnOpen);
    connect(show, &QPushButton::clicked, this, &CBackupsDlg::OnShowInFolder);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject); // Close and Escape
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &CBackupsDlg::OnOpen);
    connect(m_table, &QTableWidget::itemSelectionChanged, this,
            [this] { m_open->setEnabled(!m_table->selectedItems().isEmpty()); });

    fill();
    resize(720, 420);
}

void CBackupsDlg::fill()
{
    const QList<orx::BackupEntry> backups = orx::ListBackups(m_folder);
    m_table->setRowCount(static_cast<int>(backups.size()));
    for (int row = 0; row < backups.size(); ++row) {
        const orx::BackupEntry& b = backups[row];
        const QString cells[ColumnCount] = {b.when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                                            kindText(b.kind), b.band, b.serialNumber,
                                            res::Tr(res::kBackupsSizeBytes).arg(b.size)};
        for (int col = 0; col < ColumnCount; ++col) {
            auto* item = new QTableWidgetItem(cells[col]);
            item->setData(Qt::UserRole, b.path);
            item->setToolTip(QDir::toNativeSeparators(b.path));
            if (col == ColSize)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(row, col, item);
        }
    }
    m_table->resizeColumnsToContents();
    m_empty->setVisible(backups.isEmpty());
    if (!backups.isEmpty())
        m_table->selectRow(0);
    m_open->setEnabled(!backups.isEmpty());
}

void CBackupsDlg::OnOpen()
{
    const QList<QTableWidgetItem*> items = m_table->selectedItems();
    if (items.isEmpty())
        return;
    m_selected = items.constFirst()->data(Qt::UserRole).toString();
    accept();
}

void CBackupsDlg::OnShowInFolder()
{
    QDir().mkpath(m_folder);
    QDesktopServices::openUrl(QUrl::fromLocalFile(m_folder));
}
