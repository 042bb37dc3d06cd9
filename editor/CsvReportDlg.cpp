#include "CsvReportDlg.h"

#include "ChannelEdit.h"
#include "Texts.h"
#include "Tr.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QMessageBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

QString header(orx::ChannelColumn col)
{
    return res::Tr(orx::kChannelHeaders[static_cast<std::size_t>(col)]);
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
    case CsvRefusal::RxOutOfBand:
        return res::kCsvRxOutOfBand;
    case CsvRefusal::TxOutOfBand:
        return res::kCsvTxOutOfBand;
    case CsvRefusal::NotStorable:
        return res::kCsvNotStorable;
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
        return res::Tr(res::kCsvAdded);
    case orx::CsvOutcome::Changed:
        return res::Tr(res::kCsvChanged);
    case orx::CsvOutcome::Unchanged:
        return res::Tr(res::kCsvUnchanged);
    case orx::CsvOutcome::Refused:
        break;
    }
    return res::Tr(res::kCsvRefused);
}

QString CCsvReportDlg::DetailText(const orx::CsvRowResult& row, const orx::BandLimits& limits)
{
    if (row.outcome == orx::CsvOutcome::Refused) {
        if (row.refusal == orx::CsvRefusal::DuplicateLocation)
            return res::Tr(res::kCsvDuplicateLocation).arg(row.location).arg(row.firstLine);
        // A DTCS row without any code says so rather than calling "" a code that is not standard.
        if (row.refusal == orx::CsvRefusal::BadDcs && row.value.empty())
            return res::Tr(res::kCsvMissingDcs);
        const QString text = res::Tr(refusalText(row.refusal)).arg(res::FromUtf8(row.value));
        const bool namesTheBand =
            row.refusal == orx::CsvRefusal::RxOutOfBand || row.refusal == orx::CsvRefusal::TxOutOfBand;
        return namesTheBand ? text.arg(res::FromUtf8(orx::BandRangeText(limits))) : text;
    }
    QStringList parts;
    if (row.outcome == orx::CsvOutcome::Changed) {
        QStringList columns;
        for (orx::ChannelColumn col : row.changed)
            columns << header(col);
        parts << columns.join(res::Tr(res::kCsvListSeparator));
    }
    for (const orx::CsvAdjustment& a : row.adjustments) {
        if (a.column == orx::ColName)
            parts << res::Tr(res::kCsvNameAdjusted).arg(res::FromUtf8(a.given), res::FromUtf8(a.result));
        else
            parts << res::Tr(res::kCsvRounded)
                         .arg(header(a.column), res::FromUtf8(a.given), res::FromUtf8(a.result));
    }
    for (const orx::CsvWarning& w : row.warnings) {
        if (w.kind == orx::CsvWarningKind::UnknownPower)
            parts << res::Tr(res::kCsvUnknownPower).arg(res::FromUtf8(w.value));
        else
            parts << res::Tr(res::kCsvNameCollision).arg(res::FromUtf8(w.value)).arg(w.channel);
    }
    return parts.join(res::Tr(res::kCsvDetailSeparator));
}

QString CCsvReportDlg::NumberingText(const orx::CsvImport& result)
{
    switch (result.numbering) {
    case orx::CsvNumbering::ShiftedFromZero:
        return res::Tr(res::kCsvShiftedFromZero);
    case orx::CsvNumbering::FromFirstChannel:
        return res::Tr(res::kCsvFromFirstChannel).arg(result.firstChannel);
    case orx::CsvNumbering::ByLocation:
        break;
    }
    return {};
}

QString CCsvReportDlg::FileProblemText(const orx::CsvImport& result, const QString& path)
{
    const QString name = QDir::toNativeSeparators(path);
    switch (result.problem) {
    case orx::CsvProblem::TooLarge:
        return res::Tr(res::kCsvTooLarge).arg(name).arg(orx::kCsvFileSizeLimit / (1024 * 1024));
    case orx::CsvProblem::NotText:
        return res::Tr(res::kCsvNotText).arg(name);
    case orx::CsvProblem::BrokenUtf8:
        return res::Tr(res::kCsvBrokenUtf8).arg(name).arg(result.problemLine);
    case orx::CsvProblem::UnterminatedQuote:
        return res::Tr(res::kCsvUnterminatedQuote).arg(name).arg(result.problemLine);
    case orx::CsvProblem::NoHeader:
        return res::Tr(res::kCsvEmpty).arg(name);
    case orx::CsvProblem::MissingColumn:
        return res::Tr(res::kCsvMissingColumn).arg(name, res::FromUtf8(result.missingColumn));
    case orx::CsvProblem::None:
        break;
    }
    return {};
}

QString CCsvReportDlg::PasteNoteText(int channel, const orx::PasteNote& note, const orx::BandLimits& limits)
{
    switch (note.kind) {
    case orx::PasteNoteKind::OutOfBand:
        return res::Tr(res::kPasteOutOfBand)
            .arg(channel)
            .arg(header(note.column), res::FromUtf8(note.given), res::FromUtf8(orx::BandRangeText(limits)));
    case orx::PasteNoteKind::NotStorable:
        return res::Tr(res::kPasteNotStorable)
            .arg(channel)
            .arg(header(note.column), res::FromUtf8(note.given));
    case orx::PasteNoteKind::Rounded:
        break;
    }
    return res::Tr(res::kPasteRounded)
        .arg(channel)
        .arg(header(note.column), res::FromUtf8(note.given), res::FromUtf8(note.result));
}

void CCsvReportDlg::ShowPasteNotes(QWidget* parent, const PasteNotes& notes, const orx::BandLimits& limits)
{
    if (notes.empty())
        return;
    QStringList lines{res::Tr(res::kPasteReportIntro)};
    for (const auto& [channel, note] : notes)
        lines << PasteNoteText(channel, note, limits);
    // Shown without a modal loop of its own: the paste is done, and the box only tells about it.
    auto* box = new QMessageBox(QMessageBox::Information, res::Tr(res::kPasteReportCaption),
                                lines.join(QLatin1Char('\n')), QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("pasteReport"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->button(QMessageBox::Ok)->setText(res::Tr(res::kOk));
    box->open();
}

CCsvReportDlg::CCsvReportDlg(const orx::CsvImport& result, const QString& fileName, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("csvReport"));
    const int refused = result.count(orx::CsvOutcome::Refused);
    setWindowTitle(refused > 0 ? res::Tr(res::kCsvReportCaptionRefused, refused)
                               : res::Tr(res::kCsvReportCaption));

    // In one pass: a "%2" in the file's name stays as it is.
    m_summary = new QLabel(res::Tr(res::kCsvReportSummary, refused)
                               .arg(fileName, QString::number(result.count(orx::CsvOutcome::Added)),
                                    QString::number(result.count(orx::CsvOutcome::Changed)),
                                    QString::number(result.count(orx::CsvOutcome::Unchanged))),
                           this);
    m_summary->setObjectName(QStringLiteral("csvReportSummary"));
    const QString numbering = NumberingText(result);
    if (!numbering.isEmpty())
        m_summary->setText(numbering + QLatin1Char('\n') + m_summary->text());
    m_summary->setWordWrap(true);

    m_table = new QTableWidget(static_cast<int>(result.rows.size()), 4, this);
    m_table->setObjectName(QStringLiteral("csvReportTable"));
    m_table->setHorizontalHeaderLabels({res::Tr(res::kCsvReportLine), res::Tr(res::kCsvReportChannel),
                                        res::Tr(res::kCsvReportOutcome), res::Tr(res::kCsvReportDetail)});
    m_table->verticalHeader()->hide();
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
    const std::vector<const orx::CsvRowResult*> order = result.reportOrder();
    for (int i = 0; i < static_cast<int>(order.size()); ++i) {
        const orx::CsvRowResult& row = *order[static_cast<std::size_t>(i)];
        const QString cells[] = {QString::number(row.line),
                                 row.location > 0 ? QString::number(row.location) : QString(),
                                 OutcomeText(row.outcome), DetailText(row, result.limits)};
        for (int c = 0; c < 4; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c < 3)
                item->setTextAlignment(Qt::AlignCenter);
            else
                item->setToolTip(cells[c]); // a long explanation is cut at the table's edge
            if (row.outcome == orx::CsvOutcome::Refused)
                item->setForeground(QColor(0xB0, 0x00, 0x00));
            else if (!row.warnings.empty())
                item->setForeground(QColor(0x9A, 0x5B, 0x00));
            m_table->setItem(i, c, item);
        }
    }
    m_table->resizeColumnsToContents();
    m_table->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(res::Tr(res::kOk));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    // Enter closes the report at once; the table scrolls with the wheel or after a click.
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Ok)->setFocus();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_table, 1);
    layout->addWidget(buttons);
    resize(860, 400);
}
