#include "GridInput.h"

#include "CMSFlexGrid.h"
#include "CellEditors.h"
#include "ChannelCommands.h"
#include "GridTexts.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QWheelEvent>

namespace {

// One notch of an ordinary mouse wheel.
constexpr int kWheelNotch = 120;

bool isEnterKey(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

CGridInput::CGridInput(CMSFlexGrid* grid, CCellEditors& editors, CChannelCommands& commands,
                       const std::vector<QComboBox*>& settingsLists, QObject* parent)
    : QObject(parent), m_grid(grid), m_editors(editors), m_commands(commands)
{
    m_grid->installEventFilter(this);
    // A wheel over the grid reaches its viewport before the grid itself.
    m_grid->viewport()->installEventFilter(this);
    // A wheel over a settings list reaches the list even when it does not have the focus.
    for (QComboBox* list : settingsLists)
        list->installEventFilter(this);
    connect(m_grid, &CMSFlexGrid::MouseDown, this,
            [this](int button, int shift, int, int) { onMouseDown(button, shift); });
    connect(m_grid, &CMSFlexGrid::EnterCell, this, [this] { setHighLightFor(m_grid->MouseCol()); });
    connect(m_grid, &CMSFlexGrid::KeyPress, &m_editors, &CCellEditors::StartFrequencyEntry);
    connect(m_grid, &CMSFlexGrid::RowsDropped, &m_commands, &CChannelCommands::DropRows);
    connect(m_grid->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CGridInput::onSelectionChanged);
}

void CGridInput::setHighLightFor(int mouseCol)
{
    const int wanted = mouseCol == 0 ? CMSFlexGrid::HighLightWithFocus : CMSFlexGrid::HighLightNever;
    if (m_grid->HighLight() != wanted)
        m_grid->SetHighLight(wanted);
}

void CGridInput::onMouseDown(int button, int shift)
{
    if (button != 1)
        return;
    // Shift extends the selection from the current cell to the pressed one, for the clipboard; it
    // opens no editor, and the block shows.
    constexpr int kShiftHeld = 1;
    if ((shift & kShiftHeld) && m_grid->MouseCol() != 0) {
        if (m_grid->HighLight() != CMSFlexGrid::HighLightWithFocus)
            m_grid->SetHighLight(CMSFlexGrid::HighLightWithFocus);
        return;
    }
    setHighLightFor(m_grid->MouseCol());
    if (m_grid->MouseCol() != 0)
        m_editors.Open();
}

void CGridInput::onSelectionChanged()
{
    // Clicked cells stay unmarked, as the grid's rules want; a block of several cells is shown, so
    // that the user sees what the clipboard keys work on.
    if (m_grid->selectionModel()->selectedIndexes().size() > 1 &&
        m_grid->HighLight() != CMSFlexGrid::HighLightWithFocus)
        m_grid->SetHighLight(CMSFlexGrid::HighLightWithFocus);
}

bool CGridInput::filterClipboardKey(QKeyEvent* event)
{
    // The grid's own Ctrl+C would copy only the current cell's text.
    if (event->matches(QKeySequence::Copy))
        m_commands.CopyCells();
    else if (event->matches(QKeySequence::Cut))
        m_commands.CutCells();
    else if (event->matches(QKeySequence::Paste))
        m_commands.PasteCells();
    else if (event->key() == Qt::Key_Delete && !(event->modifiers() & ~Qt::KeypadModifier))
        m_commands.DeleteCells();
    else
        return false;
    return true;
}

bool CGridInput::filterGridKey(QKeyEvent* event)
{
    if (filterClipboardKey(event))
        return true;
    const int key = event->key();
    const int lastCol = m_grid->Cols() - 1;
    const int lastRow = m_grid->Rows() - 1;
    if (key == Qt::Key_Right && m_grid->Col() == lastCol && m_grid->Row() < lastRow) {
        // Right from the last column goes on in the first data column of the next row.
        m_editors.postKey(Qt::Key_Home);
        m_editors.postKey(Qt::Key_Down);
        return false;
    }
    if (key == Qt::Key_Left && m_grid->Col() == orx::kFirstDataColumn && m_grid->Row() > 1) {
        m_editors.postKey(Qt::Key_End);
        m_editors.postKey(Qt::Key_Up);
        return false;
    }
    if (isEnterKey(key)) {
        m_editors.Open();
        return true;
    }
    return false;
}

bool CGridInput::pageOnWheel(int delta)
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

void CGridInput::formWheel(int delta)
{
    // The wheel belongs to the grid while it has the focus, wherever the pointer is on the form.
    if (m_grid->hasFocus())
        pageOnWheel(delta);
}

bool CGridInput::filterGridWheel(QWheelEvent* event)
{
    if (m_grid->hasFocus()) {
        // A notch of the wheel turns a whole page; finer steps (touchpads) scroll as the grid does.
        return pageOnWheel(event->angleDelta().y());
    }
    // While an editor is open the grid stays where it is, so that the editor stays on its cell.
    return m_editors.AnyOpen();
}

bool CGridInput::filterListWheel(QComboBox* list, QWheelEvent* event)
{
    // The wheel turns the window that has the focus. A list turns only while it has the focus
    // itself; under a mere pointer it would change a setting of the radio unseen, so the wheel
    // goes to the grid instead when the grid has the focus, and to nothing otherwise.
    if (list->hasFocus())
        return false;
    formWheel(event->angleDelta().y());
    return true;
}

bool CGridInput::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched == m_grid)
        return filterGridKey(static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::Wheel) {
        if (watched == m_grid->viewport())
            return filterGridWheel(static_cast<QWheelEvent*>(event));
        if (auto* list = qobject_cast<QComboBox*>(watched))
            return filterListWheel(list, static_cast<QWheelEvent*>(event));
    }
    return QObject::eventFilter(watched, event);
}
