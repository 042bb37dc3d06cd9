#include "CellEditors.h"

#include "CMSFlexGrid.h"
#include "ChannelController.h"
#include "ChannelEdit.h"
#include "DialogUnits.h"
#include "EntryValidators.h"
#include "ProgramDoc.h"
#include "Texts.h"
#include "ToneDlg.h"
#include "Tr.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

namespace {

bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

orx::ChannelColumn column(int col)
{
    return static_cast<orx::ChannelColumn>(col);
}

QComboBox* makeList(QWidget* parent, const char* objectName)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setEditable(false);
    box->setFocusPolicy(Qt::StrongFocus);
    return box;
}

} // namespace

CCellEditors::CCellEditors(QWidget* form, CMSFlexGrid* grid, CChannelController& commands)
    : QObject(form), m_form(form), m_grid(grid), m_commands(commands), m_doc(commands.document())
{
    // The cell editors lie over the grid, so they are made after it and stay above it.
    m_frequencyEdit = new QLineEdit(form);
    m_frequencyEdit->setObjectName(QStringLiteral("frequencyEdit"));
    m_hiddenList = makeList(form, "hiddenList");
    m_choiceList = makeList(form, "choiceList");
    m_nameEdit = new QLineEdit(form);
    m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
    m_nameEdit->setMaxLength(kNameMaxLength);
    m_frequencyEdit->setValidator(new CFrequencyValidator(m_frequencyEdit));
    m_frequencyEdit->setInputMethodHints(Qt::ImhFormattedNumbersOnly);
    m_nameEdit->setValidator(new CNameValidator(m_nameEdit));
    m_nameEdit->setInputMethodHints(Qt::ImhUppercaseOnly);
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_frequencyEdit, m_hiddenList, m_choiceList, m_nameEdit}) {
        w->hide();
        w->setContextMenuPolicy(Qt::NoContextMenu);
        w->installEventFilter(this);
    }
    // With its list dropped the choice list's keys go to the list; Enter there must still commit.
    m_choiceList->view()->installEventFilter(this);
}

void CCellEditors::placeOnTemplate(const DialogUnits& du, int rowHeight)
{
    // The hidden editors' template places; they move over a cell when they are shown.
    du.place(m_frequencyEdit, 297, 108, 45, rowHeight);
    du.place(m_hiddenList, 353, 108, 48);
    du.place(m_choiceList, 411, 108, 48);
    du.place(m_nameEdit, 468, 108, 45, rowHeight);
}

bool CCellEditors::AnyOpen() const
{
    return m_frequencyEdit->isVisible() || m_choiceList->isVisible() || m_nameEdit->isVisible();
}

bool CCellEditors::freeSerialRow(int row)
{
    if (!m_doc.channels().isFixed(row))
        return true;
    QMessageBox box(QMessageBox::Question, res::Tr(res::kSerialNumberCaption),
                    res::Tr(res::kSerialRowQuestion).arg(row), QMessageBox::NoButton, m_form);
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

QRect CCellEditors::CellRect(int row, int col) const
{
    const QRect g = m_grid->geometry();
    const int tx = std::max(1, 1440 / std::max(1, m_form->logicalDpiX()));
    const int ty = std::max(1, 1440 / std::max(1, m_form->logicalDpiY()));
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

void CCellEditors::showEditor(QWidget* editor, int row, int col)
{
    m_editRow = row;
    m_editCol = col;
    editor->setGeometry(CellRect(row, col));
    editor->show();
    editor->raise();
    editor->setFocus(Qt::OtherFocusReason);
}

void CCellEditors::Open()
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
        CToneDlg dialog(text, m_form);
        if (dialog.exec() == QDialog::Accepted)
            m_commands.EditRow(row, orx::CommitCell(m_doc.channels().texts(row), column(col),
                                                    dialog.toneText().toStdString()));
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

void CCellEditors::StartFrequencyEntry(int key)
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

void CCellEditors::finishEditor(QWidget* editor)
{
    // When the editor still holds the focus (a forced commit, or the window was deactivated) the
    // focus goes back to the grid rather than to whatever follows the hidden editor.
    const bool hadFocus =
        editor->hasFocus() || (m_form->window() && m_form->window()->focusWidget() == editor);
    editor->hide();
    if (hadFocus)
        m_grid->setFocus(Qt::OtherFocusReason);
}

void CCellEditors::CommitFrequencyEdit()
{
    if (!m_frequencyEdit->isVisible())
        return;
    const int row = m_editRow;
    m_commands.EditRow(row, orx::CommitFrequency(m_doc.channels().texts(row), column(m_editCol),
                                                 m_frequencyEdit->text().toStdString(), m_doc.bandLimits()));
    finishEditor(m_frequencyEdit);
}

void CCellEditors::CommitChoiceList()
{
    // A hidden list holds no edit: its selection belongs to whatever cell it was last opened on.
    if (!m_choiceList->isVisible())
        return;
    const int row = m_editRow;
    const QString text =
        m_choiceList->currentIndex() >= 0 ? m_choiceList->currentData().toString() : QString();
    m_commands.EditRow(row,
                       orx::CommitCell(m_doc.channels().texts(row), column(m_editCol), text.toStdString()));
    finishEditor(m_choiceList);
}

void CCellEditors::CommitNameEdit()
{
    if (!m_nameEdit->isVisible())
        return;
    const int row = m_editRow;
    m_commands.EditRow(row, orx::CommitCell(m_doc.channels().texts(row), column(m_editCol),
                                            m_nameEdit->text().toStdString()));
    finishEditor(m_nameEdit);
}

void CCellEditors::CommitOpen()
{
    CommitFrequencyEdit();
    CommitChoiceList();
    CommitNameEdit();
}

void CCellEditors::CloseAll()
{
    for (QWidget* editor : {static_cast<QWidget*>(m_frequencyEdit), static_cast<QWidget*>(m_choiceList),
                            static_cast<QWidget*>(m_nameEdit)}) {
        if (editor->isVisible())
            finishEditor(editor);
    }
}

void CCellEditors::moveFocusToGrid()
{
    m_grid->setFocus(Qt::OtherFocusReason);
    // Losing the focus commits the editor; where the window is not active no focus event comes,
    // and the commit is made here.
    CommitOpen();
}

void CCellEditors::postKey(int key)
{
    // Posted, so that the grid moves after the current key has been handled.
    QCoreApplication::postEvent(m_grid, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
}

bool CCellEditors::filterFrequencyKey(QKeyEvent* event)
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

bool CCellEditors::eventFilter(QObject* watched, QEvent* event)
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
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
