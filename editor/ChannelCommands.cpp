#include "ChannelCommands.h"

#include "BulkEditDlg.h"
#include "CMSFlexGrid.h"
#include "CellEditors.h"
#include "CsvReportDlg.h"
#include "LeftAloneText.h"
#include "ProgramDoc.h"
#include "Texts.h"
#include "Tr.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>

#include <algorithm>

CChannelCommands::CChannelCommands(QWidget* form, CMSFlexGrid* grid, CChannelController& controller,
                                   CCellEditors& editors)
    : QObject(form), m_form(form), m_grid(grid), m_controller(controller), m_editors(editors),
      m_selection(grid)
{
}

void CChannelCommands::OpenCellEditor()
{
    m_editors.Open();
}

void CChannelCommands::CommitOpenEditor()
{
    m_editors.CommitOpen();
}

void CChannelCommands::AddChannel()
{
    CommitOpenEditor();
    m_controller.InsertChannel(m_grid->Row());
    m_grid->setFocus(Qt::OtherFocusReason);
}

void CChannelCommands::DeleteChannel()
{
    CommitOpenEditor();
    m_controller.DeleteChannel(m_grid->Row());
    m_grid->setFocus(Qt::OtherFocusReason);
}

void CChannelCommands::CopyCells()
{
    CommitOpenEditor();
    // Rows in separate runs are copied as whole channels, one run after the other.
    const bool runs = !m_selection.Runs().empty();
    const CellRange range =
        runs ? CellRange{1, orx::kFirstDataColumn, 1, orx::kLastDataColumn} : m_selection.Cells();
    QGuiApplication::clipboard()->setText(m_controller.Copy(m_selection.Rows(), range.left, range.right));
}

void CChannelCommands::CutCells()
{
    CopyCells();
    clearSelection(res::kStepCut);
}

void CChannelCommands::DeleteCells()
{
    clearSelection(res::kStepClear);
}

void CChannelCommands::clearSelection(const char* step)
{
    CommitOpenEditor();
    if (const auto runs = m_selection.Runs(); !runs.empty())
        m_controller.ClearChannels(orx::RunRows(runs), step);
    else
        m_controller.ClearCells(m_selection.Cells(), step);
}

void CChannelCommands::PasteCells()
{
    CommitOpenEditor();
    const auto result = m_controller.Paste(QGuiApplication::clipboard()->text(), m_selection.Block());
    if (!result.pasted)
        return;
    // The pasted block stays selected, so that the user sees where it went.
    m_selection.SelectCells(result.landed);
    CCsvReportDlg::ShowPasteNotes(m_form, result.notes, m_controller.document().bandLimits());
    m_grid->setFocus(Qt::OtherFocusReason);
}

void CChannelCommands::BulkSet()
{
    CommitOpenEditor();
    // The bulk dialog works on the selected rows; a single row is a selection of one channel.
    const std::vector<int> rows = m_selection.Rows();
    const orx::ChannelEntryTable& table = m_controller.document().channels();
    const auto channels = std::count_if(rows.begin(), rows.end(),
                                        [&](int r) { return !table.isFixed(r) && !table.texts(r).empty(); });
    CBulkEditDlg dialog(static_cast<int>(channels), m_controller.lastOffset(), m_form);
    if (dialog.exec() != QDialog::Accepted)
        return;
    reportLeftAlone(m_controller.BulkSet(rows, dialog.change()));
    m_grid->setFocus(Qt::OtherFocusReason);
}

void CChannelCommands::SetTransmitOffset(const orx::OffsetChoice& choice)
{
    CommitOpenEditor();
    reportLeftAlone(m_controller.SetTransmitOffset(m_selection.Rows(), choice));
}

void CChannelCommands::FillDown()
{
    CommitOpenEditor();
    reportLeftAlone(m_controller.FillDown(m_selection.Block()));
}

void CChannelCommands::reportLeftAlone(const CChannelController::BulkOutcome& outcome)
{
    const QString text = res::LeftAloneMessage(outcome.leftAlone, m_controller.document().bandLimits());
    if (text.isEmpty())
        return;
    // Window-modal, so that the command has finished and its step is taken when the user reads it.
    if (!m_leftAloneBox) {
        m_leftAloneBox = new QMessageBox(QMessageBox::Information, res::Tr(res::kLeftAloneCaption), text,
                                         QMessageBox::Ok, m_form);
        m_leftAloneBox->setObjectName(QStringLiteral("leftAloneMessage"));
        m_leftAloneBox->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_leftAloneBox->setText(text);
    m_leftAloneBox->open();
}

void CChannelCommands::SortChannels(orx::SortKey key, bool descending)
{
    CommitOpenEditor();
    m_controller.Sort(m_selection.CommandRows(), key, descending);
}

void CChannelCommands::PackEmptyChannels()
{
    CommitOpenEditor();
    m_controller.PackEmpty(m_selection.CommandRows());
}

void CChannelCommands::moveSelection(int delta)
{
    CommitOpenEditor();
    if (const auto runs = m_selection.Runs(); !runs.empty()) {
        // Each run moves one row, and the channels stay selected where they went.
        const std::vector<int> rows = orx::RunRows(runs);
        const auto placed = m_controller.MoveRows(rows, delta);
        if (!placed)
            return;
        std::vector<int> from;
        for (int r : rows) {
            if (!m_controller.document().channels().isFixed(r))
                from.push_back(r);
        }
        int current = m_grid->Row();
        const auto it = std::find(from.begin(), from.end(), current);
        if (it != from.end())
            current = (*placed)[static_cast<std::size_t>(it - from.begin())];
        m_selection.SelectRows(*placed, current);
        m_grid->scrollTo(m_grid->currentIndex());
        return;
    }
    const CellRange range = m_selection.Cells();
    const auto moved = m_controller.MoveBlock(range.top, range.bottom, delta);
    if (!moved)
        return;
    // The channels stay selected where they went.
    m_selection.SelectCells({moved->first, range.left, moved->last, range.right});
    m_grid->scrollTo(m_grid->currentIndex());
}

void CChannelCommands::MoveUp()
{
    moveSelection(-1);
}

void CChannelCommands::MoveDown()
{
    moveSelection(+1);
}

void CChannelCommands::DropRows(int target)
{
    CommitOpenEditor();
    // The grid drags one run only.
    if (!m_selection.Runs().empty())
        return;
    const CellRange range = m_selection.Cells();
    if (const auto moved = m_controller.MoveBlockTo(range.top, range.bottom, target))
        m_selection.SelectCells({moved->first, range.left, moved->last, range.right});
}

void CChannelCommands::DeleteSelectedChannels()
{
    CommitOpenEditor();
    m_controller.RemoveChannels(m_selection.Rows());
    m_grid->setFocus(Qt::OtherFocusReason);
}
