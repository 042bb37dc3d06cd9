#include "ProgramView.h"

#include "ChannelClipboard.h"
#include "ChannelCsv.h"
#include "ChannelEntryTable.h"
#include "CMSFlexGrid.h"
#include "ChannelEditCommand.h"
#include "CommandAction.h"
#include "CsvReportDlg.h"
#include "GbkText.h"
#include "ProgramDoc.h"
#include "Texts.h"
#include "Tr.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QSaveFile>
#include <QUndoStack>

// Channel data in and out of the grid: CSV files of the common multi-radio format, the clipboard
// in the tab-separated form spreadsheets use, and the undo and redo actions of the document's
// history. The channel controller does the work; this file only moves texts, selections and files.

namespace {

QAction* makeAction(QWidget* owner, const char* objectName, const res::Command& command)
{
    QAction* a = res::MakeAction(owner, objectName, command);
    a->setEnabled(false);
    // The shortcuts work wherever the focus is in the window; the frame puts the same actions into
    // its menu.
    owner->addAction(a);
    return a;
}

} // namespace

void CProgramView::createExchange()
{
    m_undoAction = makeAction(this, "actionUndo", res::kUndo);
    m_redoAction = makeAction(this, "actionRedo", res::kRedo);
    m_redoAction->setShortcuts({QKeySequence(QString::fromLatin1(res::kRedo.shortcut)),
                                QKeySequence(QString::fromLatin1(res::kRedoAlternateShortcut))});
    QUndoStack* stack = m_doc.undoStack();
    connect(stack, &QUndoStack::canUndoChanged, m_undoAction, &QAction::setEnabled);
    connect(stack, &QUndoStack::canRedoChanged, m_redoAction, &QAction::setEnabled);
    connect(stack, &QUndoStack::undoTextChanged, this, &CProgramView::updateUndoTexts);
    connect(stack, &QUndoStack::redoTextChanged, this, &CProgramView::updateUndoTexts);
    m_undoAction->setEnabled(stack->canUndo());
    m_redoAction->setEnabled(stack->canRedo());
    updateUndoTexts();
    connect(m_undoAction, &QAction::triggered, this, &CProgramView::Undo);
    connect(m_redoAction, &QAction::triggered, this, &CProgramView::Redo);
    connect(m_grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CProgramView::onGridSelectionChanged);
}

QUndoStack* CProgramView::undoStack() const
{
    return m_doc.undoStack();
}

void CProgramView::updateUndoTexts()
{
    // "撤销 批量设置": the Edit menu names the step each command takes.
    QUndoStack* stack = m_doc.undoStack();
    res::ApplyCommand(m_undoAction, res::kUndo);
    res::ApplyCommand(m_redoAction, res::kRedo);
    // The step's name in the language now chosen.
    auto name = [stack](int index) {
        const auto* step = dynamic_cast<const CDocumentStep*>(stack->command(index));
        return step ? step->Name() : stack->text(index);
    };
    if (stack->canUndo())
        m_undoAction->setText(res::Tr(res::kUndoStep).arg(name(stack->index() - 1)));
    if (stack->canRedo())
        m_redoAction->setText(res::Tr(res::kRedoStep).arg(name(stack->index())));
}

void CProgramView::Undo()
{
    // A value half typed belongs to the state being left; it is dropped, not committed.
    CloseEditors();
    m_doc.undoStack()->undo();
}

void CProgramView::Redo()
{
    CloseEditors();
    m_doc.undoStack()->redo();
}

// --- clipboard ---

bool CProgramView::filterClipboardKey(QKeyEvent* event)
{
    // The grid's own Ctrl+C would copy only the current cell's text.
    if (event->matches(QKeySequence::Copy)) {
        CopyCells();
        return true;
    }
    if (event->matches(QKeySequence::Cut)) {
        CutCells();
        return true;
    }
    if (event->matches(QKeySequence::Paste)) {
        PasteCells();
        return true;
    }
    if (event->key() == Qt::Key_Delete && !(event->modifiers() & ~Qt::KeypadModifier)) {
        DeleteCells();
        return true;
    }
    return false;
}

void CProgramView::onGridSelectionChanged()
{
    // Clicked cells stay unmarked, as the grid's rules want; a block of several cells is shown, so
    // that the user sees what the clipboard keys work on.
    if (m_grid->selectionModel()->selectedIndexes().size() > 1 &&
        m_grid->HighLight() != CMSFlexGrid::HighLightWithFocus)
        m_grid->SetHighLight(CMSFlexGrid::HighLightWithFocus);
}

void CProgramView::CopyCells()
{
    CommitOpenEditor();
    // Rows in separate runs are copied as whole channels, one run after the other.
    const bool runs = !m_selection.Runs().empty();
    const CellRange range =
        runs ? CellRange{1, orx::kFirstDataColumn, 1, orx::kLastDataColumn} : m_selection.Cells();
    QGuiApplication::clipboard()->setText(m_commands.Copy(m_selection.Rows(), range.left, range.right));
}

void CProgramView::CutCells()
{
    CopyCells();
    clearSelection(res::kStepCut);
}

void CProgramView::DeleteCells()
{
    clearSelection(res::kStepClear);
}

void CProgramView::clearSelection(const char* step)
{
    CommitOpenEditor();
    if (const auto runs = m_selection.Runs(); !runs.empty())
        m_commands.ClearChannels(orx::RunRows(runs), step);
    else
        m_commands.ClearCells(m_selection.Cells(), step);
}

void CProgramView::PasteCells()
{
    CommitOpenEditor();
    const auto result = m_commands.Paste(QGuiApplication::clipboard()->text(), m_selection.Block());
    if (!result.pasted)
        return;
    // The pasted block stays selected, so that the user sees where it went.
    m_selection.SelectCells(result.landed);
    CCsvReportDlg::ShowPasteNotes(this, result.notes, bandLimits());
    m_grid->setFocus(Qt::OtherFocusReason);
}

// --- CSV files ---

bool CProgramView::ExportCsvFile(const QString& path)
{
    CommitOpenEditor();
    return m_csv.Export(path);
}

bool CProgramView::ImportCsvFile(const QString& path)
{
    CommitOpenEditor();
    return m_csv.Import(path);
}

void CProgramView::OnExportCsv()
{
    CommitOpenEditor();
    m_csv.OnExport();
}

void CProgramView::OnImportCsv()
{
    CommitOpenEditor();
    m_csv.OnImport();
}
