#include "ProgramView.h"

#include "BulkEditDlg.h"
#include "CMSFlexGrid.h"
#include "ChannelBulk.h"
#include "DecimalScale.h"
#include "ProgramDoc.h"
#include "Texts.h"
#include "CommandAction.h"
#include "Tr.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>

#include <numeric>

// Commands on many channels at once: the bulk dialog, transmit offsets, sorting, moving, packing
// and filling, the Edit menu's channel commands and the grid's context menu. The channel controller
// does the work as one step of the document's history; the view passes the selected rows in and
// keeps the moved channels selected.

namespace {

QString offsetMHz(std::uint32_t units)
{
    QString text = QString::fromStdString(orx::FormatScaled(units, orx::kFrequencyShift, 5));
    while (text.contains(QLatin1Char('.')) &&
           (text.endsWith(QLatin1Char('0')) || text.endsWith(QLatin1Char('.'))))
        text.chop(1);
    return text;
}

} // namespace

void CProgramView::createChannelCommands()
{
    // The grid's commands work while the grid has the focus; from the menus they work on the grid's
    // selection wherever the focus is.
    auto make = [this](const char* objectName, const res::Command& command, auto slot) {
        QAction* a = res::MakeAction(this, objectName, command);
        if (command.shortcut) {
            a->setShortcutContext(Qt::WidgetShortcut);
            m_grid->addAction(a);
        }
        connect(a, &QAction::triggered, this, slot);
        m_channelCommands.push_back(a);
        m_channelCommandTexts.emplace_back(a, &command);
        return a;
    };
    make("actionCut", res::kCut, &CProgramView::CutCells);
    make("actionCopy", res::kCopy, &CProgramView::CopyCells);
    make("actionPaste", res::kPaste, &CProgramView::PasteCells);
    make("actionDeleteCells", res::kDeleteCells, &CProgramView::DeleteCells);
    m_channelCommands.push_back(nullptr);
    make("actionInsertChannel", res::kInsertChannel, &CProgramView::AddChannel);
    make("actionDeleteChannel", res::kDeleteChannel, &CProgramView::DeleteSelectedChannels);
    m_channelCommands.push_back(nullptr);
    make("actionBulkSet", res::kBulkSet, &CProgramView::BulkSet);
    make("actionSortByFrequency", res::kSortByFrequency, [this] { SortChannels(orx::SortKey::Frequency); });
    make("actionSortByName", res::kSortByName, [this] { SortChannels(orx::SortKey::Name); });
    make("actionSortByNumber", res::kSortByNumber, [this] { SortChannels(orx::SortKey::Number); });
    m_sortDescending = make("actionSortDescending", res::kSortDescending, [] {});
    m_sortDescending->setCheckable(true);
    make("actionMoveUp", res::kMoveUp, &CProgramView::MoveUp);
    make("actionMoveDown", res::kMoveDown, &CProgramView::MoveDown);
    make("actionPackEmpty", res::kPackEmpty, &CProgramView::PackEmptyChannels);
    make("actionFillDown", res::kFillDown, &CProgramView::FillDown);

    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const int c = m_grid->columnAt(pos.x());
        showGridMenu(m_grid->viewport()->mapToGlobal(pos), c < 0 ? -1 : c + m_grid->FixedCols());
    });
    m_grid->verticalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid->verticalHeader(), &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        showGridMenu(m_grid->verticalHeader()->viewport()->mapToGlobal(pos), 0);
    });
    connect(m_grid, &CMSFlexGrid::RowsDropped, this, &CProgramView::onRowsDropped);
}

void CProgramView::retranslateChannelCommands()
{
    for (const auto& [action, command] : m_channelCommandTexts)
        res::ApplyCommand(action, *command);
    std::erase_if(m_sortMenus, [](const QPointer<QMenu>& menu) { return menu.isNull(); });
    for (const QPointer<QMenu>& menu : m_sortMenus)
        menu->setTitle(res::Tr(res::kSortMenu));
}

void CProgramView::AddChannelCommands(QMenu* menu)
{
    QMenu* sort = nullptr;
    for (QAction* a : m_channelCommands) {
        if (!a) {
            menu->addSeparator();
            continue;
        }
        const QString name = a->objectName();
        if (name.startsWith(QLatin1String("actionSort"))) {
            if (!sort) {
                sort = menu->addMenu(res::Tr(res::kSortMenu));
                sort->setObjectName(QStringLiteral("sortMenu"));
                m_sortMenus.push_back(sort);
            }
            if (a == m_sortDescending)
                sort->addSeparator();
            sort->addAction(a);
            continue;
        }
        menu->addAction(a);
    }
}

QMenu* CProgramView::CreateGridMenu(int col, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("gridMenu"));
    if (col == orx::ColTxFrequency) {
        QMenu* offsets = menu->addMenu(res::Tr(res::kOffsetMenu));
        offsets->setObjectName(QStringLiteral("offsetMenu"));
        offsets->addAction(res::Tr(res::kSimplex), this, [this] {
            SetTransmitOffset({orx::Duplex::Simplex, 0});
        });
        // The offset last chosen first, then the usual shifts of VHF and UHF repeaters.
        std::vector<std::uint32_t> offered{m_commands.lastOffset()};
        for (std::uint32_t units : {60000u, 500000u}) {
            if (std::find(offered.begin(), offered.end(), units) == offered.end())
                offered.push_back(units);
        }
        for (std::uint32_t units : offered) {
            for (orx::Duplex d : {orx::Duplex::Plus, orx::Duplex::Minus}) {
                const QString sign = d == orx::Duplex::Plus ? QStringLiteral("+") : QStringLiteral("-");
                offsets->addAction(res::Tr(res::kOffsetItem).arg(sign, offsetMHz(units)), this,
                                   [this, d, units] {
                                       SetTransmitOffset({d, units});
                                   });
            }
        }
        offsets->addAction(res::Tr(res::kOtherOffset), this, [this] {
            bool ok = false;
            const QString text = QInputDialog::getText(
                this, res::Tr(res::kOffsetMenu), res::Tr(res::kOtherOffsetPrompt), QLineEdit::Normal,
                QStringLiteral("+") + offsetMHz(m_commands.lastOffset()), &ok);
            if (!ok)
                return;
            if (const auto choice = orx::ParseOffsetText(text.trimmed().toStdString()))
                SetTransmitOffset(*choice);
        });
        offsets->addSeparator();
        offsets->addAction(res::Tr(res::kSplit), this, [this] {
            // As today: the transmit frequency typed into its own cell.
            m_grid->SetCol(orx::ColTxFrequency);
            OpenCellEditor();
        });
        menu->addSeparator();
    }
    AddChannelCommands(menu);
    return menu;
}

void CProgramView::showGridMenu(const QPoint& globalPos, int col)
{
    CommitOpenEditor();
    QMenu* menu = CreateGridMenu(col, this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

std::vector<int> CProgramView::commandRows() const
{
    if (const auto runs = selectedRuns(); !runs.empty())
        return orx::RunRows(runs);
    const CellRange range = selectedCells();
    std::vector<int> rows;
    if (range.bottom > range.top) {
        for (int r = range.top; r <= range.bottom; ++r)
            rows.push_back(r);
    } else {
        rows.resize(orx::ChannelEntryTable::kCount);
        std::iota(rows.begin(), rows.end(), 1);
    }
    return rows;
}

void CProgramView::BulkSet()
{
    CommitOpenEditor();
    // The bulk dialog works on the selected rows; a single row is a selection of one channel.
    const std::vector<int> rows = selectedRows();
    int channels = 0;
    for (int r : rows) {
        if (!m_doc.channels().isFixed(r) && !m_doc.channels().texts(r).empty())
            ++channels;
    }
    CBulkEditDlg dialog(channels, m_commands.lastOffset(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_commands.BulkSet(rows, dialog.change());
    m_grid->setFocus(Qt::OtherFocusReason);
}

void CProgramView::SetTransmitOffset(const orx::OffsetChoice& choice)
{
    CommitOpenEditor();
    m_commands.SetTransmitOffset(selectedRows(), choice);
}

void CProgramView::SortChannels(orx::SortKey key)
{
    CommitOpenEditor();
    m_commands.Sort(commandRows(), key, m_sortDescending->isChecked());
}

void CProgramView::PackEmptyChannels()
{
    CommitOpenEditor();
    m_commands.PackEmpty(commandRows());
}

void CProgramView::moveSelection(int delta)
{
    CommitOpenEditor();
    if (const auto runs = selectedRuns(); !runs.empty()) {
        // Each run moves one row, and the channels stay selected where they went.
        const std::vector<int> rows = orx::RunRows(runs);
        const auto placed = m_commands.MoveRows(rows, delta);
        if (!placed)
            return;
        std::vector<int> from;
        for (int r : rows) {
            if (!m_doc.channels().isFixed(r))
                from.push_back(r);
        }
        int current = m_grid->Row();
        const auto it = std::find(from.begin(), from.end(), current);
        if (it != from.end())
            current = (*placed)[static_cast<std::size_t>(it - from.begin())];
        selectRows(*placed, current);
        m_grid->scrollTo(m_grid->currentIndex());
        return;
    }
    const CellRange range = selectedCells();
    const auto moved = m_commands.MoveBlock(range.top, range.bottom, delta);
    if (!moved)
        return;
    // The channels stay selected where they went.
    selectCells({moved->first, range.left, moved->last, range.right});
    m_grid->scrollTo(m_grid->currentIndex());
}

void CProgramView::MoveUp()
{
    moveSelection(-1);
}

void CProgramView::MoveDown()
{
    moveSelection(+1);
}

void CProgramView::onRowsDropped(int target)
{
    CommitOpenEditor();
    // The grid drags one run only.
    if (!selectedRuns().empty())
        return;
    const CellRange range = selectedCells();
    if (const auto moved = m_commands.MoveBlockTo(range.top, range.bottom, target))
        selectCells({moved->first, range.left, moved->last, range.right});
}

void CProgramView::FillDown()
{
    CommitOpenEditor();
    m_commands.FillDown(blockCells());
}

void CProgramView::DeleteSelectedChannels()
{
    CommitOpenEditor();
    m_commands.RemoveChannels(selectedRows());
    m_grid->setFocus(Qt::OtherFocusReason);
}
