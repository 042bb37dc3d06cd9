#include "ChannelTableModel.h"

#include "ChannelEdit.h"
#include "Texts.h"
#include "Tr.h"

#include <QBrush>
#include <QColor>

#include <algorithm>

namespace {

// The serial-number row: grey on grey, as a control that cannot be edited.
const QColor kFixedRowText(0x70, 0x70, 0x70);
const QColor kFixedRowBack(0xE4, 0xE4, 0xE4);

// The serial number in a record: one character per byte up to the first 0xFF or 0x00.
QString serialText(const orx::ChannelEntry& entry)
{
    QString text;
    for (std::uint8_t b : entry.record) {
        if (b == orx::map::kErased || b == 0x00)
            break;
        text += QChar(b);
    }
    return text;
}

} // namespace

CChannelTableModel::CChannelTableModel(orx::ChannelEntryTable& table, QObject* parent)
    : QAbstractTableModel(parent), m_table(table)
{
    for (int c = orx::kFirstDataColumn; c <= orx::kLastDataColumn; ++c)
        m_columnHeaders[static_cast<std::size_t>(c - orx::kFirstDataColumn)] =
            res::FromUtf8(orx::kChannelHeaders[static_cast<std::size_t>(c)]);
}

QString CChannelTableModel::DisplayText(orx::ChannelColumn col, std::string_view text)
{
    switch (col) {
    case orx::ColRxTone:
    case orx::ColTxTone:
        // "模拟:67.0" and "数字:023N" show their number in the words of the language.
        if (text.starts_with(orx::text::kAnalogPrefix))
            return res::Tr(res::kAnalogToneShown)
                .arg(res::FromUtf8(text.substr(orx::text::kAnalogPrefix.size())));
        if (text.starts_with(orx::text::kDigitalPrefix))
            return res::Tr(res::kDigitalToneShown)
                .arg(res::FromUtf8(text.substr(orx::text::kDigitalPrefix.size())));
        return text == orx::text::kNoTone ? res::Tr(text) : res::FromUtf8(text);
    case orx::ColBusyLockout:
    case orx::ColPower:
    case orx::ColBandwidth:
    case orx::ColScanAdd:
    case orx::ColPttId: {
        // Only the column's own words: anything else in the cell is shown as it is.
        const auto options = orx::ChoiceOptions(col);
        return std::find(options.begin(), options.end(), text) != options.end() ? res::Tr(text)
                                                                                : res::FromUtf8(text);
    }
    default:
        return res::FromUtf8(text);
    }
}

void CChannelTableModel::retranslate()
{
    // Only what is shown changes: the cells keep their texts.
    emit headerDataChanged(Qt::Horizontal, 0, orx::kDataColumnCount - 1);
    showRows(1, orx::ChannelEntryTable::kCount);
}

int CChannelTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : orx::ChannelEntryTable::kCount;
}

int CChannelTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : orx::kDataColumnCount;
}

QVariant CChannelTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row() + 1;
    const auto col = static_cast<orx::ChannelColumn>(index.column() + orx::kFirstDataColumn);
    const bool fixed = m_table.isFixed(row);
    switch (role) {
    case Qt::DisplayRole:
        if (fixed) {
            if (col == orx::ColRxFrequency)
                return res::Tr(res::kSerialRowLabel);
            if (col == orx::ColTxFrequency)
                return serialText(m_table.entry(row));
            return {};
        }
        return DisplayText(col, m_table.texts(row)[col]);
    case Qt::EditRole:
        return res::FromUtf8(m_table.texts(row)[col]);
    case Qt::ForegroundRole:
        return fixed ? QVariant(QBrush(kFixedRowText)) : QVariant();
    case Qt::BackgroundRole:
        return fixed ? QVariant(QBrush(kFixedRowBack)) : QVariant();
    case Qt::ToolTipRole:
        return fixed ? QVariant(res::Tr(res::kSerialRowTip).arg(row)) : QVariant();
    default:
        return {};
    }
}

bool CChannelTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const int row = index.row() + 1;
    if (m_table.isFixed(row))
        return false;
    const auto col = static_cast<orx::ChannelColumn>(index.column() + orx::kFirstDataColumn);
    const std::string text = value.toString().toStdString();
    if (m_table.texts(row)[col] == text)
        return true;
    m_table.texts(row)[col] = text;
    emit dataChanged(index, index);
    emit edited();
    return true;
}

QVariant CChannelTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    if (orientation == Qt::Vertical)
        return QString::number(section + 1);
    if (section < 0 || section >= orx::kDataColumnCount)
        return {};
    // The header keeps the text it was given; the user reads it in the chosen language.
    const QString& header = m_columnHeaders[static_cast<std::size_t>(section)];
    return role == Qt::DisplayRole ? res::Tr(header.toUtf8().constData()) : header;
}

bool CChannelTableModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                                       int role)
{
    // The channel numbers are the rows' own; only the column headers take a text.
    if (orientation != Qt::Horizontal || section < 0 || section >= orx::kDataColumnCount ||
        (role != Qt::EditRole && role != Qt::DisplayRole))
        return false;
    QString& header = m_columnHeaders[static_cast<std::size_t>(section)];
    // An unchanged text is no change: the header would measure all its sections again.
    if (header == value.toString())
        return true;
    header = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}

Qt::ItemFlags CChannelTableModel::flags(const QModelIndex& index) const
{
    // Every cell can be current and selected, the serial-number row too: the form asks before a
    // channel goes there.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void CChannelTableModel::showRows(int first, int last)
{
    emit dataChanged(index(first - 1, 0), index(last - 1, columnCount() - 1));
}
