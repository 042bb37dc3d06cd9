#include "ProgramView.h"

#include "AppContext.h"
#include "ChannelEdit.h"
#include "CMSFlexGrid.h"
#include "EntryValidators.h"
#include "DocumentCommands.h"
#include "ProgramDoc.h"
#include "Texts.h"
#include "ToneDlg.h"
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

// Cell editing over the grid, the channel line's buttons and the factory defaults.
//
// The grid only shows text. A cell is edited in one of the floating editors laid exactly over it
// (frequencies, the choice columns, the name) or in the tone picker; an editor writes its value
// back when it loses the focus, and everything it writes is a text the channel codec reads.

namespace {

// One notch of an ordinary mouse wheel.
constexpr int kWheelNotch = 120;

bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

orx::ChannelColumn column(int col)
{
    return static_cast<orx::ChannelColumn>(col);
}

} // namespace

void CProgramView::installEditorFilters()
{
    m_frequencyEdit->setValidator(new CFrequencyValidator(m_frequencyEdit));
    m_frequencyEdit->setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    m_nameEdit->setValidator(new CNameValidator(m_nameEdit));
    m_nameEdit->setInputMethodHints(Qt::ImhUppercaseOnly);
    for (QWidget* w : {static_cast<QWidget*>(m_frequencyEdit), static_cast<QWidget*>(m_hiddenList),
                       static_cast<QWidget*>(m_choiceList), static_cast<QWidget*>(m_nameEdit),
                       static_cast<QWidget*>(m_grid)})
        w->installEventFilter(this);
    // With its list dropped the choice list's keys go to the list; Enter there must still commit.
    m_choiceList->view()->installEventFilter(this);
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

bool CProgramView::freeSerialRow(int row)
{
    if (!m_doc.channels().isFixed(row))
        return true;
    QMessageBox box(QMessageBox::Question, res::Tr(res::kSerialNumberCaption),
                    res::Tr(res::kSerialRowQuestion).arg(row), QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("serialRowQuestion"));
    QPushButton* yes = box.addButton(res::Tr(res::kYes), QMessageBox::YesRole);
    QPushButton* no = box.addButton(res::Tr(res::kNo), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    if (box.clickedButton() != yes)
        return false;
    // The serial number goes as the serial-number dialog clears it: 16 bytes of 0xFF, an empty
    // channel.
    m_doc.SetSerialNumber({}, res::kStepClearSerialNumber);
    return true;
}

QRect CProgramView::CellEditorRect(int row, int col) const
{
    const QRect g = m_grid->geometry();
    const int tx = std::max(1, 1440 / std::max(1, logicalDpiX()));
    const int ty = std::max(1, 1440 / std::max(1, logicalDpiY()));
    const int x = m_grid->ColPos(col) / tx;
    const int y = m_grid->RowPos(row) / ty;
    const int w = m_grid->ColWidth(col) / tx + 1;
    const int h = m_grid->RowHeight(row) / ty + 1;
    // Positions count from inside the grid's border.
    constexpr int border = CMSFlexGrid::kBorderPixels;
    const int left = g.left() + x + border;
    const int top = g.top() + y + border;
    const int right = g.left() + x + w + 1;
    const int bottom = g.top() + y + h + 1;
    return QRect(QPoint(left, top), QSize(right - left, bottom - top));
}

void CProgramView::showEditor(QWidget* editor, int row, int col)
{
    m_editRow = row;
    m_editCol = col;
    editor->setGeometry(CellEditorRect(row, col));
    editor->show();
    editor->raise();
    editor->setFocus(Qt::OtherFocusReason);
}

void CProgramView::OpenCellEditor()
{
    const int row = m_grid->Row();
    if (row < 1 || !freeSerialRow(row))
        return;
    // A channel without a receive frequency is always edited in its receive frequency.
    if (m_grid->TextMatrix(row, orx::ColRxFrequency).isEmpty())
        m_grid->SetCol(orx::ColRxFrequency);
    const int col = m_grid->Col();
    const QString text = m_grid->TextMatrix(row, col);

    switch (col) {
    case orx::ColRxFrequency:
    case orx::ColTxFrequency:
        m_frequencyEdit->setText(text);
        showEditor(m_frequencyEdit, row, col);
        m_frequencyEdit->selectAll();
        break;
    case orx::ColRxTone:
    case orx::ColTxTone: {
        CToneDlg dialog(text, this);
        if (dialog.exec() == QDialog::Accepted)
            EditRow(row, orx::CommitCell(RowTexts(row), column(col), dialog.toneText().toStdString()));
        break;
    }
    case orx::ColBusyLockout:
    case orx::ColScanAdd:
    case orx::ColPower:
    case orx::ColBandwidth:
    case orx::ColPttId: {
        const auto options = orx::ChoiceOptions(column(col));
        m_choiceList->clear();
        // The list shows the words in the user's language and hands back the grid text.
        for (std::string_view option : options)
            m_choiceList->addItem(res::Tr(option), res::FromUtf8(option));
        m_choiceList->setCurrentIndex(orx::FindChoice(options, text.toStdString()));
        showEditor(m_choiceList, row, col);
        break;
    }
    case orx::ColName:
        m_nameEdit->setText(text);
        showEditor(m_nameEdit, row, col);
        m_nameEdit->selectAll();
        break;
    default:
        break;
    }
}

void CProgramView::StartFrequencyEntry(int key)
{
    const int row = m_grid->Row();
    if (row < 1)
        return;
    if (m_grid->TextMatrix(row, orx::ColRxFrequency).isEmpty())
        m_grid->SetCol(orx::ColRxFrequency);
    const int col = m_grid->Col();
    if ((col != orx::ColRxFrequency && col != orx::ColTxFrequency) || key < '0' || key > '9')
        return;
    if (!freeSerialRow(row))
        return;
    // The typed digit starts the entry, with the caret behind it.
    m_frequencyEdit->setText(QString(QChar(key)));
    showEditor(m_frequencyEdit, row, col);
    m_frequencyEdit->setCursorPosition(1);
}

void CProgramView::finishEditor(QWidget* editor)
{
    // When the editor still holds the focus (a forced commit, or the window was deactivated) the
    // focus goes back to the grid rather than to whatever follows the hidden editor.
    const bool hadFocus = editor->hasFocus() || (window() && window()->focusWidget() == editor);
    editor->hide();
    if (hadFocus)
        m_grid->setFocus(Qt::OtherFocusReason);
}

void CProgramView::CommitFrequencyEdit()
{
    if (!m_frequencyEdit->isVisible())
        return;
    const int row = m_editRow;
    EditRow(row, orx::CommitFrequency(RowTexts(row), column(m_editCol), m_frequencyEdit->text().toStdString(),
                                      bandLimits()));
    finishEditor(m_frequencyEdit);
}

void CProgramView::CommitChoiceList()
{
    // A hidden list holds no edit: its selection belongs to whatever cell it was last opened on.
    if (!m_choiceList->isVisible())
        return;
    const int row = m_editRow;
    const QString text =
        m_choiceList->currentIndex() >= 0 ? m_choiceList->currentData().toString() : QString();
    EditRow(row, orx::CommitCell(RowTexts(row), column(m_editCol), text.toStdString()));
    finishEditor(m_choiceList);
}

void CProgramView::CommitNameEdit()
{
    if (!m_nameEdit->isVisible())
        return;
    const int row = m_editRow;
    EditRow(row, orx::CommitCell(RowTexts(row), column(m_editCol), m_nameEdit->text().toStdString()));
    finishEditor(m_nameEdit);
}

void CProgramView::CommitOpenEditor()
{
    CommitFrequencyEdit();
    CommitChoiceList();
    CommitNameEdit();
}

void CProgramView::CloseEditors()
{
    for (QWidget* editor : {static_cast<QWidget*>(m_frequencyEdit), static_cast<QWidget*>(m_choiceList),
                            static_cast<QWidget*>(m_nameEdit)}) {
        if (editor->isVisible())
            finishEditor(editor);
    }
}

void CProgramView::moveFocusToGrid()
{
    m_grid->setFocus(Qt::OtherFocusReason);
    // Losing the focus commits the editor; where the window is not active no focus event comes,
    // and the commit is made here.
    CommitOpenEditor();
}

void CProgramView::postKey(int key)
{
    // Posted, so that the grid moves after the current key has been handled.
    QCoreApplication::postEvent(m_grid, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
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

bool CProgramView::filterFrequencyKey(QKeyEvent* event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool keypad = mods.testFlag(Qt::KeypadModifier);
    if (isEnterKey(key)) {
        // An entry moves on to the next column, an empty one to the next row.
        const bool empty = m_frequencyEdit->text().isEmpty();
        moveFocusToGrid();
        postKey(empty ? Qt::Key_Down : Qt::Key_Right);
        return true;
    }
    switch (key) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
    case Qt::Key_Left:
    case Qt::Key_Right:
        return false;
    default:
        break;
    }
    if (keypad && (key == Qt::Key_Period || key == Qt::Key_Comma)) {
        // The keypad's decimal key types the decimal point whatever the keyboard layout puts on it.
        m_frequencyEdit->insert(QStringLiteral("."));
        return true;
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Period) {
        if (keypad)
            return false;
        // On the main keyboard the shifted digits are symbols, and a frequency has none.
        return mods.testFlag(Qt::ShiftModifier);
    }
    // Esc, Tab, the other cursor keys, letters, signs and Ctrl combinations such as Ctrl+V.
    return true;
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
        postKey(Qt::Key_Home);
        postKey(Qt::Key_Down);
        return false;
    }
    if (key == Qt::Key_Left && m_grid->Col() == orx::kFirstDataColumn && m_grid->Row() > 1) {
        postKey(Qt::Key_End);
        postKey(Qt::Key_Up);
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
    return m_frequencyEdit->isVisible() || m_choiceList->isVisible() || m_nameEdit->isVisible();
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

bool CProgramView::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::FocusOut:
        // The choice list's own drop-down list and the menus take the focus only for a moment.
        if (static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason)
            break;
        // The dropped list takes the focus from the choice list while it is open; the edit goes on.
        if (watched == m_choiceList && m_choiceList->view()->isVisible())
            break;
        if (watched == m_frequencyEdit)
            CommitFrequencyEdit();
        else if (watched == m_choiceList || watched == m_hiddenList)
            CommitChoiceList();
        else if (watched == m_nameEdit)
            CommitNameEdit();
        break;
    case QEvent::KeyPress: {
        auto* ke = static_cast<QKeyEvent*>(event);
        if (watched == m_frequencyEdit)
            return filterFrequencyKey(ke);
        if (watched == m_grid)
            return filterGridKey(ke);
        if (isEnterKey(ke->key())) {
            if (watched == m_choiceList->view()) {
                m_choiceList->setCurrentIndex(m_choiceList->view()->currentIndex().row());
                m_choiceList->hidePopup();
            } else if (watched != m_choiceList && watched != m_hiddenList && watched != m_nameEdit) {
                break;
            }
            moveFocusToGrid();
            postKey(Qt::Key_Right);
            return true;
        }
        break;
    }
    case QEvent::Wheel:
        if (watched == m_grid->viewport())
            return filterGridWheel(static_cast<QWheelEvent*>(event));
        if (auto* list = qobject_cast<QComboBox*>(watched);
            list && list != m_choiceList && list != m_hiddenList)
            return filterListWheel(list, static_cast<QWheelEvent*>(event));
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void CProgramView::wheelEvent(QWheelEvent* event)
{
    // The wheel belongs to the grid while it has the focus, wherever the pointer is on the form.
    if (m_grid->hasFocus())
        pageOnWheel(event->angleDelta().y());
    QWidget::wheelEvent(event);
}
