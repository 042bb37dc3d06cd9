#include "ProgramView.h"

#include "AppContext.h"
#include "CMSFlexGrid.h"
#include "CellEditors.h"
#include "DocumentCommands.h"
#include "ProgramDoc.h"
#include "Texts.h"
#include "Tr.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QUndoStack>
#include <QWheelEvent>

#include <algorithm>

// The grid's keys and wheel, the channel line's buttons and the factory defaults. The cell editors
// themselves are CCellEditors; the view forwards the grid's requests to them.

namespace {

// One notch of an ordinary mouse wheel.
constexpr int kWheelNotch = 120;

bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

void CProgramView::installEditorFilters()
{
    m_grid->installEventFilter(this);
    // A wheel over the grid reaches its viewport before the grid itself.
    m_grid->viewport()->installEventFilter(this);
    // A wheel over a settings list reaches the list even when it does not have the focus.
    for (QComboBox* list : settingsLists())
        list->installEventFilter(this);
}

void CProgramView::EditEntries(const char* step, const std::vector<EntryEdit>& edits)
{
    m_doc.EditEntries(step, edits);
}

void CProgramView::EditRows(const std::vector<RowEdit>& edits, const char* step)
{
    const orx::ChannelEntryTable& table = m_doc.channels();
    std::vector<EntryEdit> entries;
    for (const RowEdit& e : edits) {
        if (e.row < 1 || e.row > orx::ChannelEntryTable::kCount)
            continue;
        orx::ChannelEntry entry = table.entry(e.row);
        entry.texts = e.texts;
        entries.push_back({e.row, entry});
    }
    EditEntries(step, entries);
}

void CProgramView::EditTable(const char* step, const orx::ChannelEntryTable& after)
{
    m_doc.EditTable(step, after);
}

void CProgramView::DeleteChannel()
{
    CommitOpenEditor();
    m_commands.DeleteChannel(m_grid->Row());
    m_grid->setFocus(Qt::OtherFocusReason);
}

void CProgramView::AddChannel()
{
    CommitOpenEditor();
    m_commands.InsertChannel(m_grid->Row());
    m_grid->setFocus(Qt::OtherFocusReason);
}

void CProgramView::LoadFactoryDefaults()
{
    const QString& folder = m_doc.context().AppDirectory();
    const QString path = folder + QString::fromUtf8(res::kFactoryFileName);
    if (!QFileInfo(path).isFile()) {
        // The folder as the system writes it, with its trailing separator (a backslash on Windows).
        QMessageBox box(QMessageBox::NoIcon, res::Tr(res::kFactoryMissingCaption),
                        res::Tr(res::kFactoryMissingText) + QLatin1Char('\n') + QLatin1Char('"') +
                            QDir::toNativeSeparators(folder) + QLatin1Char('"'),
                        QMessageBox::Ok, this);
        box.exec();
        return;
    }
    // As File > Open, but the factory file is no file of the user's: Save asks for a name.
    doccmd::OpenDocumentFile(m_doc, path, this, CProgramDoc::Origin::Factory);
}

bool CProgramView::filterGridKey(QKeyEvent* event)
{
    if (filterClipboardKey(event))
        return true;
    const int key = event->key();
    const int lastCol = m_grid->Cols() - 1;
    const int lastRow = m_grid->Rows() - 1;
    if (key == Qt::Key_Right && m_grid->Col() == lastCol && m_grid->Row() < lastRow) {
        // Right from the last column goes on in the first data column of the next row.
        m_editors->postKey(Qt::Key_Home);
        m_editors->postKey(Qt::Key_Down);
        return false;
    }
    if (key == Qt::Key_Left && m_grid->Col() == orx::kFirstDataColumn && m_grid->Row() > 1) {
        m_editors->postKey(Qt::Key_End);
        m_editors->postKey(Qt::Key_Up);
        return false;
    }
    if (isEnterKey(key)) {
        OpenCellEditor();
        return true;
    }
    return false;
}

bool CProgramView::pageOnWheel(int delta)
{
    if (delta == -kWheelNotch) {
        m_grid->ScrollPage(+1);
        return true;
    }
    if (delta == kWheelNotch) {
        m_grid->ScrollPage(-1);
        return true;
    }
    return false;
}

bool CProgramView::filterGridWheel(QWheelEvent* event)
{
    if (m_grid->hasFocus()) {
        // A notch of the wheel turns a whole page; finer steps (touchpads) scroll as the grid does.
        return pageOnWheel(event->angleDelta().y());
    }
    // While an editor is open the grid stays where it is, so that the editor stays on its cell.
    return m_editors->AnyOpen();
}

std::vector<QComboBox*> CProgramView::settingsLists() const
{
    std::vector<QComboBox*> lists{m_modelList, m_bandList};
    lists.insert(lists.end(), m_settingLists.begin(), m_settingLists.end());
    return lists;
}

bool CProgramView::filterListWheel(QComboBox* list, QWheelEvent* event)
{
    // The wheel turns the window that has the focus. A list turns only while it has the focus
    // itself; under a mere pointer it would change a setting of the radio unseen, so the wheel
    // goes to the grid instead when the grid has the focus, and to nothing otherwise.
    if (list->hasFocus())
        return false;
    if (m_grid->hasFocus())
        pageOnWheel(event->angleDelta().y());
    return true;
}

void CProgramView::wheelEvent(QWheelEvent* event)
{
    // The wheel belongs to the grid while it has the focus, wherever the pointer is on the form.
    if (m_grid->hasFocus())
        pageOnWheel(event->angleDelta().y());
    QWidget::wheelEvent(event);
}

bool CProgramView::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched == m_grid)
        return filterGridKey(static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::Wheel) {
        if (watched == m_grid->viewport())
            return filterGridWheel(static_cast<QWheelEvent*>(event));
        if (auto* list = qobject_cast<QComboBox*>(watched))
            return filterListWheel(list, static_cast<QWheelEvent*>(event));
    }
    return QWidget::eventFilter(watched, event);
}

// The cell editors' commands, as the grid, the menus and the tests reach them.
void CProgramView::OpenCellEditor()
{
    m_editors->Open();
}

void CProgramView::StartFrequencyEntry(int key)
{
    m_editors->StartFrequencyEntry(key);
}

void CProgramView::CommitFrequencyEdit()
{
    m_editors->CommitFrequencyEdit();
}

void CProgramView::CommitChoiceList()
{
    m_editors->CommitChoiceList();
}

void CProgramView::CommitNameEdit()
{
    m_editors->CommitNameEdit();
}

void CProgramView::CommitOpenEditor()
{
    m_editors->CommitOpen();
}

void CProgramView::CloseEditors()
{
    m_editors->CloseAll();
}

QRect CProgramView::CellEditorRect(int row, int col) const
{
    return m_editors->CellRect(row, col);
}
