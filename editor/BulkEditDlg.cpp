#include "BulkEditDlg.h"

#include "ChannelTableModel.h"
#include "ChannelEdit.h"
#include "DecimalScale.h"
#include "EntryValidators.h"
#include "Texts.h"
#include "Tr.h"
#include "ToneDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString mhzText(std::uint32_t units)
{
    // "0.6", "5": the offset as a person writes it, without trailing zeros.
    QString text = QString::fromStdString(orx::FormatScaled(units, orx::kFrequencyShift, 5));
    while (text.contains(QLatin1Char('.')) &&
           (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.'))))
        text.chop(1);
    return text;
}

// The offsets always offered besides the one last used: the usual repeater shifts of VHF and UHF.
constexpr std::uint32_t kVhfShift = 60000;  // 0.6 MHz
constexpr std::uint32_t kUhfShift = 500000; // 5 MHz

} // namespace

CBulkEditDlg::CBulkEditDlg(int channelCount, std::uint32_t offsetUnits, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("bulkEditDialog"));
    setWindowTitle(res::Tr(res::kBulkCaption));
    auto* outer = new QVBoxLayout(this);
    auto* intro = new QLabel(res::Tr(res::kBulkIntro, channelCount), this);
    outer->addWidget(intro);
    auto* grid = new QGridLayout;
    outer->addLayout(grid);

    static constexpr const char* kLabels[LineCount] = {
        res::kBulkOffset,    res::kBulkRxTone,  res::kBulkTxTone, res::kBulkBusyLockout, res::kBulkPower,
        res::kBulkBandwidth, res::kBulkScanAdd, res::kBulkPttId,  res::kBulkNamePrefix};
    static constexpr orx::ChannelColumn kChoiceColumns[LineCount] = {
        orx::ColNumber,    orx::ColNumber,  orx::ColNumber, orx::ColBusyLockout, orx::ColPower,
        orx::ColBandwidth, orx::ColScanAdd, orx::ColPttId,  orx::ColNumber};

    for (int line = 0; line < LineCount; ++line) {
        auto* check = new QCheckBox(res::Tr(kLabels[line]), this);
        check->setObjectName(QStringLiteral("check%1").arg(line));
        m_checks[static_cast<std::size_t>(line)] = check;
        grid->addWidget(check, line, 0);

        QWidget* field = nullptr;
        switch (line) {
        case LineOffset: {
            field = new QWidget(this);
            auto* row = new QHBoxLayout(field);
            row->setContentsMargins(0, 0, 0, 0);
            m_duplex = new QComboBox(field);
            m_duplex->setObjectName(QStringLiteral("duplexList"));
            m_duplex->addItems(
                {res::Tr(res::kSimplex), QStringLiteral("+"), QStringLiteral("-"), res::Tr(res::kSplit)});
            m_offset = new QComboBox(field);
            m_offset->setObjectName(QStringLiteral("offsetField"));
            m_offset->setEditable(true);
            m_offset->setInsertPolicy(QComboBox::NoInsert);
            m_offset->lineEdit()->setValidator(new CFrequencyValidator(m_offset));
            QStringList offered;
            for (std::uint32_t units : {offsetUnits, kVhfShift, kUhfShift}) {
                if (units > 0 && !offered.contains(mhzText(units)))
                    offered << mhzText(units);
            }
            m_offset->addItems(offered);
            row->addWidget(m_duplex);
            row->addWidget(m_offset, 1);
            row->addWidget(new QLabel(res::Tr(res::kBulkOffsetUnit), field));
            field->setToolTip(res::Tr(res::kBulkSplitHint));
            connect(m_duplex, &QComboBox::currentIndexChanged, this, &CBulkEditDlg::updateState);
            connect(m_offset, &QComboBox::currentTextChanged, this, &CBulkEditDlg::updateState);
            break;
        }
        case LineRxTone:
        case LineTxTone: {
            auto* button = new QPushButton(this);
            setTone(button, line == LineRxTone ? orx::ColRxTone : orx::ColTxTone,
                    res::FromUtf8(orx::text::kNoTone));
            button->setObjectName(line == LineRxTone ? QStringLiteral("rxToneButton")
                                                     : QStringLiteral("txToneButton"));
            button->setAutoDefault(false);
            connect(button, &QPushButton::clicked, this, [this, button] { pickTone(button); });
            (line == LineRxTone ? m_rxTone : m_txTone) = button;
            field = button;
            break;
        }
        case LineNamePrefix: {
            field = new QWidget(this);
            auto* row = new QHBoxLayout(field);
            row->setContentsMargins(0, 0, 0, 0);
            m_namePrefix = new QLineEdit(field);
            m_namePrefix->setObjectName(QStringLiteral("namePrefixEdit"));
            m_namePrefix->setValidator(new CNameValidator(m_namePrefix));
            m_namePrefix->setMaxLength(static_cast<int>(orx::map::kChannelNameSize) - 1);
            row->addWidget(m_namePrefix, 1);
            row->addWidget(new QLabel(res::Tr(res::kBulkNameHint), field));
            connect(m_namePrefix, &QLineEdit::textChanged, this, &CBulkEditDlg::updateState);
            break;
        }
        default: {
            auto* list = new QComboBox(this);
            list->setObjectName(QStringLiteral("choice%1").arg(line));
            for (std::string_view option : orx::ChoiceOptions(kChoiceColumns[line]))
                list->addItem(res::Tr(option),
                              res::FromUtf8(option)); // shown translated, stored as the grid holds it
            m_choices[static_cast<std::size_t>(line)] = list;
            field = list;
            break;
        }
        }
        m_fields[static_cast<std::size_t>(line)] = field;
        grid->addWidget(field, line, 1);
        connect(check, &QCheckBox::toggled, this, &CBulkEditDlg::updateState);
    }
    grid->setColumnStretch(1, 1);

    m_buttons = new QDialogButtonBox(this);
    m_buttons->addButton(res::Tr(res::kOk), QDialogButtonBox::AcceptRole)
        ->setObjectName(QStringLiteral("okButton"));
    m_buttons->addButton(res::Tr(res::kCancel), QDialogButtonBox::RejectRole);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    outer->addWidget(m_buttons);
    updateState();
}

QComboBox* CBulkEditDlg::choiceList(Line line) const
{
    return m_choices[static_cast<std::size_t>(line)];
}

QPushButton* CBulkEditDlg::okButton() const
{
    return m_buttons->findChild<QPushButton*>(QStringLiteral("okButton"));
}

void CBulkEditDlg::pickTone(QPushButton* button)
{
    CToneDlg dialog(toneOf(button), this);
    if (dialog.exec() == QDialog::Accepted)
        setTone(button, button == m_rxTone ? orx::ColRxTone : orx::ColTxTone, dialog.toneText());
}

// The tone buttons show a tone in the words of the language and keep the grid's text of it.
void CBulkEditDlg::setTone(QPushButton* button, orx::ChannelColumn col, const QString& toneText)
{
    button->setProperty("toneText", toneText);
    button->setText(CChannelTableModel::DisplayText(col, toneText.toStdString()));
}

QString CBulkEditDlg::toneOf(const QPushButton* button)
{
    return button->property("toneText").toString();
}

std::optional<orx::OffsetChoice> CBulkEditDlg::offsetChoice() const
{
    const std::string text = m_offset->currentText().trimmed().toStdString();
    switch (m_duplex->currentIndex()) {
    case ChoiceSimplex:
        return orx::OffsetChoice{orx::Duplex::Simplex, 0};
    case ChoicePlus:
    case ChoiceMinus:
        if (const auto units = orx::ParseOffsetMHz(text))
            return orx::OffsetChoice{
                m_duplex->currentIndex() == ChoicePlus ? orx::Duplex::Plus : orx::Duplex::Minus, *units};
        return std::nullopt;
    case ChoiceSplit:
        if (const auto units = orx::ParseFrequencyMHz(text))
            return orx::OffsetChoice{orx::Duplex::Split, *units};
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

void CBulkEditDlg::updateState()
{
    bool any = false;
    for (int line = 0; line < LineCount; ++line) {
        const bool on = m_checks[static_cast<std::size_t>(line)]->isChecked();
        m_fields[static_cast<std::size_t>(line)]->setEnabled(on);
        any = any || on;
    }
    m_offset->setEnabled(m_checks[LineOffset]->isChecked() && m_duplex->currentIndex() != ChoiceSimplex);
    const bool offsetOk = !m_checks[LineOffset]->isChecked() || offsetChoice().has_value();
    m_offset->setToolTip(offsetOk ? res::Tr(res::kBulkSplitHint) : res::Tr(res::kBulkBadOffset));
    const bool prefixOk = !m_checks[LineNamePrefix]->isChecked() ||
                          orx::BulkNamePrefix(m_namePrefix->text().toStdString()).has_value();
    if (QPushButton* ok = okButton())
        ok->setEnabled(any && offsetOk && prefixOk);
}

orx::BulkChange CBulkEditDlg::change() const
{
    orx::BulkChange c;
    auto checked = [this](Line line) { return m_checks[static_cast<std::size_t>(line)]->isChecked(); };
    if (checked(LineOffset))
        c.offset = offsetChoice();
    if (checked(LineRxTone))
        c.rxTone = toneOf(m_rxTone).toStdString();
    if (checked(LineTxTone))
        c.txTone = toneOf(m_txTone).toStdString();
    const std::pair<Line, std::optional<std::string> orx::BulkChange::*> choices[] = {
        {LineBusyLockout, &orx::BulkChange::busyLockout},
        {LinePower, &orx::BulkChange::power},
        {LineBandwidth, &orx::BulkChange::bandwidth},
        {LineScanAdd, &orx::BulkChange::scanAdd},
        {LinePttId, &orx::BulkChange::pttId}};
    for (const auto& [line, field] : choices) {
        if (checked(line))
            c.*field = choiceList(line)->currentData().toString().toStdString();
    }
    if (checked(LineNamePrefix))
        c.namePrefix = orx::BulkNamePrefix(m_namePrefix->text().toStdString());
    return c;
}

std::uint32_t CBulkEditDlg::chosenOffset() const
{
    if (!m_checks[LineOffset]->isChecked())
        return 0;
    const auto choice = offsetChoice();
    return choice && (choice->duplex == orx::Duplex::Plus || choice->duplex == orx::Duplex::Minus)
               ? choice->value
               : 0;
}
