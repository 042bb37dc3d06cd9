#include "ProgramView.h"

#include "ChannelClipboard.h"
#include "ChannelCsv.h"
#include "ChannelEntryTable.h"
#include "CMSFlexGrid.h"
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
// in the tab-separated form spreadsheets use, and the undo history of the channel table. The rules
// are the image library's; this file only moves texts, selections and files.

namespace {

// Steps the history keeps; a step holds at most the texts of all 128 rows twice.
constexpr int kUndoSteps = 1000;

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
    m_undoStack = new QUndoStack(this);
    m_undoStack->setUndoLimit(kUndoSteps);
    m_undoAction = makeAction(this, "actionUndo", res::kUndo);
    m_redoAction = makeAction(this, "actionRedo", res::kRedo);
    m_redoAction->setShortcuts({QKeySequence(QString::fromLatin1(res::kRedo.shortcut)),
                                QKeySequence(QString::fromLatin1(res::kRedoAlternateShortcut))});
    connect(m_undoStack, &QUndoStack::canUndoChanged, m_undoAction, &QAction::setEnabled);
    connect(m_undoStack, &QUndoStack::canRedoChanged, m_redoAction, &QAction::setEnabled);
    connect(m_undoAction, &QAction::triggered, this, &CProgramView::Undo);
    connect(m_redoAction, &QAction::triggered, this, &CProgramView::Redo);
    connect(m_grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CProgramView::onGridSelectionChanged);
}

void CProgramView::Undo()
{
    // A value half typed belongs to the state being left; it is dropped, not committed.
    CloseEditors();
    m_undoStack->undo();
}

void CProgramView::Redo()
{
    CloseEditors();
    m_undoStack->redo();
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
    const orx::ChannelEntryTable& table = m_doc.channels();
    // The serial number's row is no channel: it is not copied.
    orx::CellBlock block;
    std::vector<orx::ChannelEntry> entries;
    for (int row : selectedRows()) {
        if (table.isFixed(row))
            continue;
        const orx::ChannelTexts& texts = table.texts(row);
        std::vector<std::string> cells;
        for (int col = range.left; col <= range.right; ++col)
            cells.push_back(texts[static_cast<orx::ChannelColumn>(col)]);
        block.push_back(std::move(cells));
        entries.push_back(table.entry(row));
    }
    const QString text = QString::fromStdString(orx::JoinClipboardText(block));
    // Whole channels are kept whole as well, for a paste while the clipboard still holds them.
    m_copied = range.wholeRows() ? CopiedChannels{text, std::move(entries)} : CopiedChannels{};
    QGuiApplication::clipboard()->setText(text);
}

void CProgramView::CutCells()
{
    CopyCells();
    DeleteCells();
}

void CProgramView::DeleteCells()
{
    CommitOpenEditor();
    if (const auto runs = selectedRuns(); !runs.empty()) {
        orx::ChannelEntryTable after = m_doc.channels();
        if (orx::ClearChannelRows(after, orx::RunRows(runs)))
            EditTable(after);
        return;
    }
    const CellRange range = selectedCells();
    const orx::ChannelEntryTable& table = m_doc.channels();
    std::vector<EntryEdit> edits;
    for (int row = range.top; row <= range.bottom; ++row) {
        if (table.isFixed(row))
            continue;
        orx::ChannelEntry entry = table.entry(row);
        const orx::ChannelTexts cleared = orx::ClearCells(entry.texts, range.left, range.right);
        // A channel that the clearing takes out leaves nothing behind, none of its hidden bits
        // either: a cut channel is pasted elsewhere whole, and is then in one place only.
        if (!entry.texts.empty() && cleared.empty())
            entry = orx::ChannelEntry::Erased();
        else
            entry.texts = cleared;
        edits.push_back({row, entry});
    }
    EditEntries(edits);
}

void CProgramView::PasteCells()
{
    CommitOpenEditor();
    const QString clipboardText = QGuiApplication::clipboard()->text();
    orx::CellBlock block = orx::SplitClipboardText(clipboardText.toStdString());
    if (block.empty())
        return;
    const CellRange selection = blockCells();
    // One cell copied onto a block of cells fills the block, as in a spreadsheet.
    if (block.size() == 1 && block.front().size() == 1 && selection.cellCount() > 1 &&
        !selection.wholeRows()) {
        const std::string cell = block.front().front();
        block.assign(
            static_cast<std::size_t>(selection.bottom - selection.top + 1),
            std::vector<std::string>(static_cast<std::size_t>(selection.right - selection.left + 1), cell));
    }
    // Whole channels land as whole channels: from column 1 of the first row.
    const bool wholeChannels =
        std::all_of(block.begin(), block.end(), [](const std::vector<std::string>& line) {
            return line.size() == static_cast<std::size_t>(orx::kDataColumnCount);
        });
    const int left = selection.wholeRows() || wholeChannels ? orx::kFirstDataColumn : selection.left;
    const int top = selection.top;
    // Channels copied here arrive with every byte; text from elsewhere goes through the editors'
    // rules into the rows' own entries.
    const bool copiedHere = wholeChannels && !m_copied.entries.empty() && m_copied.text == clipboardText &&
                            m_copied.entries.size() == block.size();

    // The rows the block lands on flow around the serial number's row; the last channel ends it.
    const orx::ChannelEntryTable& table = m_doc.channels();
    const std::vector<int> rows = table.rowsFrom(top);
    std::vector<EntryEdit> edits;
    CCsvReportDlg::PasteNotes notes;
    std::size_t widest = 0;
    for (std::size_t i = 0; i < block.size() && i < rows.size(); ++i) {
        orx::ChannelEntry entry = table.entry(rows[i]);
        if (copiedHere) {
            entry = m_copied.entries[i];
        } else {
            std::vector<orx::PasteNote> rowNotes;
            entry.texts = orx::PasteIntoRow(entry.texts, left, block[i], bandLimits(), &rowNotes);
            for (orx::PasteNote& note : rowNotes)
                notes.emplace_back(rows[i], std::move(note));
        }
        edits.push_back({rows[i], entry});
        widest = std::max(widest, block[i].size());
    }
    EditEntries(edits);
    if (edits.empty())
        return;
    // The pasted block stays selected, so that the user sees where it went.
    const int right =
        std::min(orx::kLastDataColumn, left + static_cast<int>(std::max<std::size_t>(widest, 1)) - 1);
    selectCells({top, left, edits.back().row, right});
    CCsvReportDlg::ShowPasteNotes(this, notes, bandLimits());
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
    orx::ChannelEntryTable table = m_doc.channels();
    orx::CsvImport result =
        orx::ImportChannelCsvFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                                  table.allTexts(), bandLimits(), GbkDecoder());
    if (result.problem != orx::CsvProblem::None) {
        QMessageBox::warning(this, res::Tr(res::kAppTitle), CCsvReportDlg::FileProblemText(result, path));
        return false;
    }
    // The channels named get their new texts and keep their bytes; all the rows of the file are
    // one step of the history.
    orx::ApplyCsvImport(result, table);
    EditTable(table);

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
