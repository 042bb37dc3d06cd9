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

CProgramView::CellRange CProgramView::selectedCells() const
{
    const QModelIndexList selected = m_grid->selectionModel()->selectedIndexes();
    const int fixedRows = m_grid->FixedRows();
    const int fixedCols = m_grid->FixedCols();
    if (selected.isEmpty()) {
        const int row = std::max(1, m_grid->Row());
        const int col = std::max(orx::kFirstDataColumn, m_grid->Col());
        return {row, col, row, col};
    }
    CellRange r{m_grid->Rows(), m_grid->Cols(), 0, 0};
    for (const QModelIndex& i : selected) {
        r.top = std::min(r.top, i.row() + fixedRows);
        r.bottom = std::max(r.bottom, i.row() + fixedRows);
        r.left = std::min(r.left, i.column() + fixedCols);
        r.right = std::max(r.right, i.column() + fixedCols);
    }
    return r;
}

void CProgramView::selectCells(const CellRange& range)
{
    const int fixedRows = m_grid->FixedRows();
    const int fixedCols = m_grid->FixedCols();
    m_grid->selectionModel()->setCurrentIndex(
        m_grid->model()->index(range.top - fixedRows, range.left - fixedCols), QItemSelectionModel::NoUpdate);
    const QItemSelection block(m_grid->model()->index(range.top - fixedRows, range.left - fixedCols),
                               m_grid->model()->index(range.bottom - fixedRows, range.right - fixedCols));
    m_grid->selectionModel()->select(block, QItemSelectionModel::ClearAndSelect);
}

std::vector<orx::RowSpan> CProgramView::selectedRuns() const
{
    if (!m_grid->RowSelectionSplit())
        return {};
    return orx::RowRuns(m_grid->SelectedWholeRows());
}

std::vector<int> CProgramView::selectedRows() const
{
    if (const auto runs = selectedRuns(); !runs.empty())
        return orx::RunRows(runs);
    const CellRange range = selectedCells();
    std::vector<int> rows;
    for (int r = range.top; r <= range.bottom; ++r)
        rows.push_back(r);
    return rows;
}

CProgramView::CellRange CProgramView::blockCells() const
{
    const auto runs = selectedRuns();
    if (runs.empty())
        return selectedCells();
    // As a spreadsheet pastes at the active cell: the run the current cell stands in, or that cell
    // alone when it was taken out of the selection.
    const int row = std::max(1, m_grid->Row());
    if (const auto run = orx::RunHolding(runs, row))
        return {run->first, orx::kFirstDataColumn, run->last, orx::kLastDataColumn};
    const int col = std::max(orx::kFirstDataColumn, m_grid->Col());
    return {row, col, row, col};
}

void CProgramView::selectRows(const std::vector<int>& rows, int current)
{
    const int fixedRows = m_grid->FixedRows();
    QItemSelection selection;
    for (const orx::RowSpan& run : orx::RowRuns(rows)) {
        selection.select(m_grid->model()->index(run.first - fixedRows, 0),
                         m_grid->model()->index(run.last - fixedRows, m_grid->model()->columnCount() - 1));
    }
    m_grid->selectionModel()->setCurrentIndex(
        m_grid->model()->index(current - fixedRows, std::max(0, m_grid->Col() - m_grid->FixedCols())),
        QItemSelectionModel::NoUpdate);
    m_grid->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
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
    const bool runs = !selectedRuns().empty();
    const CellRange range =
        runs ? CellRange{1, orx::kFirstDataColumn, 1, orx::kLastDataColumn} : selectedCells();
    QGuiApplication::clipboard()->setText(m_commands.Copy(selectedRows(), range.left, range.right));
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
    if (const auto runs = selectedRuns(); !runs.empty())
        m_commands.ClearChannels(orx::RunRows(runs), step);
    else
        m_commands.ClearCells(selectedCells(), step);
}

void CProgramView::PasteCells()
{
    CommitOpenEditor();
    const auto result = m_commands.Paste(QGuiApplication::clipboard()->text(), blockCells());
    if (!result.pasted)
        return;
    // The pasted block stays selected, so that the user sees where it went.
    selectCells(result.landed);
    CCsvReportDlg::ShowPasteNotes(this, result.notes, bandLimits());
    m_grid->setFocus(Qt::OtherFocusReason);
}

// --- CSV files ---

bool CProgramView::ExportCsvFile(const QString& path)
{
    CommitOpenEditor();
    const std::string text = orx::ExportChannelCsv(m_doc.channels().allTexts());

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
        !file.commit()) {
        const QString why = file.errorString();
        file.cancelWriting();
        QMessageBox::warning(this, res::Tr(res::kAppTitle),
                             res::Tr(res::kSaveFailed).arg(QDir::toNativeSeparators(path), why));
        return false;
    }
    return true;
}

bool CProgramView::ImportCsvFile(const QString& path)
{
    CommitOpenEditor();
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        QMessageBox::warning(this, res::Tr(res::kAppTitle),
                             res::Tr(res::kOpenFailed).arg(QDir::toNativeSeparators(path)));
        return false;
    }
    const QByteArray bytes = file.read(static_cast<qint64>(orx::kCsvFileSizeLimit) + 1);
    const orx::CsvImport result =
        m_commands.ImportCsv(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (result.problem != orx::CsvProblem::None) {
        QMessageBox::warning(this, res::Tr(res::kAppTitle), CCsvReportDlg::FileProblemText(result, path));
        return false;
    }
    CCsvReportDlg report(result, QFileInfo(path).fileName(), this);
    report.exec();
    return true;
}

void CProgramView::OnExportCsv()
{
    const QString base =
        m_doc.pathName().isEmpty() ? res::Tr(res::kUntitled) : QFileInfo(m_doc.pathName()).completeBaseName();
    const QString dir = m_doc.pathName().isEmpty() ? QString() : QFileInfo(m_doc.pathName()).absolutePath();
    QFileDialog dialog(this, QString(),
                       QDir(dir).filePath(base + QLatin1Char('.') + QString::fromUtf8(res::kCsvExtension)),
                       res::Tr(res::kCsvFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QString::fromUtf8(res::kCsvExtension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    ExportCsvFile(dialog.selectedFiles().constFirst());
}

void CProgramView::OnImportCsv()
{
    const QString dir = m_doc.pathName().isEmpty() ? QString() : QFileInfo(m_doc.pathName()).absolutePath();
    const QString path = QFileDialog::getOpenFileName(this, QString(), dir,
                                                      res::Tr(res::kCsvFilter) + QStringLiteral(";;") +
                                                          res::Tr(res::kAllFilesFilter));
    if (!path.isEmpty())
        ImportCsvFile(path);
}
