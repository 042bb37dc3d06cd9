#include "ChannelCommandMenus.h"

#include "CMSFlexGrid.h"
#include "ChannelCommands.h"
#include "CommandAction.h"
#include "DecimalScale.h"
#include "Texts.h"
#include "Tr.h"

#include <QAction>
#include <QHeaderView>
#include <QInputDialog>
#include <QMenu>

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

CChannelCommandMenus::CChannelCommandMenus(CChannelCommands& commands, CMSFlexGrid* grid, QWidget* form)
    : QObject(form), m_commands(commands), m_form(form), m_grid(grid)
{
    // The grid's commands work while the grid has the focus; from the menus they work on the grid's
    // selection wherever the focus is.
    auto make = [this](const char* objectName, const res::Command& command, auto slot) {
        QAction* a = res::MakeAction(m_form, objectName, command);
        if (command.shortcut) {
            a->setShortcutContext(Qt::WidgetShortcut);
            m_grid->addAction(a);
        }
        connect(a, &QAction::triggered, &m_commands, slot);
        m_channelCommands.push_back(a);
        m_channelCommandTexts.emplace_back(a, &command);
        return a;
    };
    make("actionCut", res::kCut, &CChannelCommands::CutCells);
    make("actionCopy", res::kCopy, &CChannelCommands::CopyCells);
    make("actionPaste", res::kPaste, &CChannelCommands::PasteCells);
    make("actionDeleteCells", res::kDeleteCells, &CChannelCommands::DeleteCells);
    m_channelCommands.push_back(nullptr);
    make("actionInsertChannel", res::kInsertChannel, &CChannelCommands::AddChannel);
    make("actionDeleteChannel", res::kDeleteChannel, &CChannelCommands::DeleteSelectedChannels);
    m_channelCommands.push_back(nullptr);
    make("actionBulkSet", res::kBulkSet, &CChannelCommands::BulkSet);
    make("actionSortByFrequency", res::kSortByFrequency,
         [this] { m_commands.SortChannels(orx::SortKey::Frequency, sortDescending()); });
    make("actionSortByName", res::kSortByName,
         [this] { m_commands.SortChannels(orx::SortKey::Name, sortDescending()); });
    make("actionSortByNumber", res::kSortByNumber,
         [this] { m_commands.SortChannels(orx::SortKey::Number, sortDescending()); });
    m_sortDescending = make("actionSortDescending", res::kSortDescending, [] {});
    m_sortDescending->setCheckable(true);
    make("actionMoveUp", res::kMoveUp, &CChannelCommands::MoveUp);
    make("actionMoveDown", res::kMoveDown, &CChannelCommands::MoveDown);
    make("actionPackEmpty", res::kPackEmpty, &CChannelCommands::PackEmptyChannels);
    make("actionFillDown", res::kFillDown, &CChannelCommands::FillDown);

    m_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        const int c = m_grid->columnAt(pos.x());
        showGridMenu(m_grid->viewport()->mapToGlobal(pos), c < 0 ? -1 : c + m_grid->FixedCols());
    });
    m_grid->verticalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_grid->verticalHeader(), &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        showGridMenu(m_grid->verticalHeader()->viewport()->mapToGlobal(pos), 0);
    });
}

void CChannelCommandMenus::retranslate()
{
    for (const auto& [action, command] : m_channelCommandTexts)
        res::ApplyCommand(action, *command);
    std::erase_if(m_sortMenus, [](const QPointer<QMenu>& menu) { return menu.isNull(); });
    for (const QPointer<QMenu>& menu : m_sortMenus)
        menu->setTitle(res::Tr(res::kSortMenu));
}

void CChannelCommandMenus::AddTo(QMenu* menu)
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

QMenu* CChannelCommandMenus::CreateGridMenu(int col, QWidget* parent)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("gridMenu"));
    if (col == orx::ColTxFrequency) {
        QMenu* offsets = menu->addMenu(res::Tr(res::kOffsetMenu));
        offsets->setObjectName(QStringLiteral("offsetMenu"));
        offsets->addAction(res::Tr(res::kSimplex), &m_commands, [this] {
            m_commands.SetTransmitOffset({orx::Duplex::Simplex, 0});
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
                offsets->addAction(res::Tr(res::kOffsetItem).arg(sign, offsetMHz(units)), &m_commands,
                                   [this, d, units] {
                                       m_commands.SetTransmitOffset({d, units});
                                   });
            }
        }
        offsets->addAction(res::Tr(res::kOtherOffset), &m_commands, [this] {
            bool ok = false;
            const QString text = QInputDialog::getText(
                m_form, res::Tr(res::kOffsetMenu), res::Tr(res::kOtherOffsetPrompt), QLineEdit::Normal,
                QStringLiteral("+") + offsetMHz(m_commands.lastOffset()), &ok);
            if (!ok)
                return;
            if (const auto choice = orx::ParseOffsetText(text.trimmed().toStdString()))
                m_commands.SetTransmitOffset(*choice);
        });
        offsets->addSeparator();
        offsets->addAction(res::Tr(res::kSplit), &m_commands, [this] {
            // As today: the transmit frequency typed into its own cell.
            m_grid->SetCol(orx::ColTxFrequency);
            m_commands.OpenCellEditor();
        });
        menu->addSeparator();
    }
    AddTo(menu);
    return menu;
}

void CChannelCommandMenus::showGridMenu(const QPoint& globalPos, int col)
{
    m_commands.CommitOpenEditor();
    QMenu* menu = CreateGridMenu(col, m_form);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPos);
}

bool CChannelCommandMenus::sortDescending() const
{
    return m_sortDescending->isChecked();
}
