#include "CsvReportDlg.h"

#include "Texts.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString tr8(const char* s)
{
    return QString::fromUtf8(s);
}

QString qs(const std::string& s)
{
    return QString::fromStdString(s);
}

QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString header(orx::ChannelColumn col)
{
    return qs(orx::kChannelHeaders[static_cast<std::size_t>(col)]);
}

const char* refusalText(orx::CsvRefusal refusal)
{
    using orx::CsvRefusal;
    switch (refusal) {
    case CsvRefusal::BadLocation:
        return res::kCsvBadLocation;
    case CsvRefusal::DuplicateLocation:
        return res::kCsvDuplicateLocation;
    case CsvRefusal::BadFrequency:
        return res::kCsvBadFrequency;
    case CsvRefusal::BadDuplex:
        return res::kCsvBadDuplex;
    case CsvRefusal::BadOffset:
        return res::kCsvBadOffset;
    case CsvRefusal::BadToneMode:
        return res::kCsvBadToneMode;
    case CsvRefusal::BadCrossMode:
        return res::kCsvBadCrossMode;
    case CsvRefusal::BadCtcss:
        return res::kCsvBadCtcss;
    case CsvRefusal::BadDcs:
        return res::kCsvBadDcs;
    case CsvRefusal::BadPolarity:
        return res::kCsvBadPolarity;
    case CsvRefusal::BadMode:
        return res::kCsvBadMode;
    case CsvRefusal::BadSkip:
        return res::kCsvBadSkip;
    case CsvRefusal::BadPower:
        return res::kCsvBadPower;
    case CsvRefusal::SerialNumberRow:
        return res::kCsvSerialNumberRow;
    case CsvRefusal::None:
        break;
    }
    return "";
}

} // namespace

QString CCsvReportDlg::OutcomeText(orx::CsvOutcome outcome)
{
    switch (outcome) {
    case orx::CsvOutcome::Added:
        return tr8(res::kCsvAdded);
    case orx::CsvOutcome::Changed:
        return tr8(res::kCsvChanged);
    case orx::CsvOutcome::Unchanged:
        return tr8(res::kCsvUnchanged);
    case orx::CsvOutcome::Refused:
        break;
    }
    return tr8(res::kCsvRefused);
}

QString CCsvReportDlg::DetailText(const orx::CsvRowResult& row)
{
    if (row.outcome == orx::CsvOutcome::Refused) {
        if (row.refusal == orx::CsvRefusal::DuplicateLocation)
            return tr8(res::kCsvDuplicateLocation).arg(row.location).arg(row.firstLine);
        return tr8(refusalText(row.refusal)).arg(qs(row.value));
    }
    QStringList parts;
    if (row.outcome == orx::CsvOutcome::Changed) {
        QStringList columns;
        for (orx::ChannelColumn col : row.changed)
            columns << header(col);
        parts << columns.join(tr8(res::kCsvListSeparator));
    }
    for (const orx::CsvAdjustment& a : row.adjustments) {
        if (a.column == orx::ColName)
            parts << tr8(res::kCsvNameAdjusted).arg(qs(a.given), qs(a.result));
        else
            parts << tr8(res::kCsvAdjusted).arg(header(a.column), qs(a.given), qs(a.result));
    }
    return parts.join(QStringLiteral("；"));
}

CCsvReportDlg::CCsvReportDlg(const orx::CsvImport& result, const QString& fileName, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("csvReport"));
    setWindowTitle(tr8(res::kCsvReportCaption));

    m_summary = new QLabel(tr8(res::kCsvReportSummary)
                               .arg(fileName)
                               .arg(result.count(orx::CsvOutcome::Added))
                               .arg(result.count(orx::CsvOutcome::Changed))
                               .arg(result.count(orx::CsvOutcome::Unchanged))
                               .arg(result.count(orx::CsvOutcome::Refused)),
                           this);
    m_summary->setObjectName(QStringLiteral("csvReportSummary"));
    m_summary->setWordWrap(true);

    m_table = new QTableWidget(static_cast<int>(result.rows.size()), 4, this);
    m_table->setObjectName(QStringLiteral("csvReportTable"));
    m_table->setHorizontalHeaderLabels({tr8(res::kCsvReportLine), tr8(res::kCsvReportChannel),
                                        tr8(res::kCsvReportOutcome), tr8(res::kCsvReportDetail)});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    for (int i = 0; i < static_cast<int>(result.rows.size()); ++i) {
        const orx::CsvRowResult& row = result.rows[static_cast<std::size_t>(i)];
        const QString cells[] = {QString::number(row.line),
                                 row.location > 0 ? QString::number(row.location) : QString(),
                                 OutcomeText(row.outcome), DetailText(row)};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c < 3)
                item->setTextAlignment(Qt::AlignCenter);
            if (row.outcome == orx::CsvOutcome::Refused)
                item->setForeground(QColor(0xB0, 0x00, 0x00));
            m_table->setItem(i, c, item);
        }
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr8(res::kOk));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    // Enter closes the report at once; the table scrolls with the wheel or after a click.
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Ok)->setFocus();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);
    resize(680, 380);
}
