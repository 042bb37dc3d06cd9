#include "CMSFlexGrid.h"

#include <QAbstractButton>
#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>
#include <QStylePainter>

#include <algorithm>
#include <vector>

// The grid's own cells: text only, every cell empty until something is put into it. Headers show
// their section's number (from 1) until a text is put there.
class CFlexGridCells : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_cells.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_cols; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        return m_cells[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())];
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (!index.isValid() || role != Qt::EditRole)
            return false;
        QString& cell =
            m_cells[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())];
        const QString text = value.toString();
        if (cell != text) {
            cell = text;
            emit dataChanged(index, index);
        }
        return true;
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole && role != Qt::EditRole)
            return {};
        const auto& texts = orientation == Qt::Horizontal ? m_columnHeaders : m_rowHeaders;
        const auto it = texts.find(section);
        return it != texts.end() ? *it : QString::number(section + 1);
    }
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role) override
    {
        if (role != Qt::EditRole && role != Qt::DisplayRole)
            return false;
        auto& texts = orientation == Qt::Horizontal ? m_columnHeaders : m_rowHeaders;
        const QString text = value.toString();
        // A row's own number needs no entry: the header shows it anyway.
        if (text == QString::number(section + 1) && !texts.contains(section))
            return true;
        texts.insert(section, text);
        emit headerDataChanged(orientation, section, section);
        return true;
    }

    void resize(int rows, int cols)
    {
        rows = std::max(0, rows);
        cols = std::max(0, cols);
        const int oldRows = rowCount();
        if (cols != m_cols) {
            if (cols > m_cols)
                beginInsertColumns({}, m_cols, cols - 1);
            else
                beginRemoveColumns({}, cols, m_cols - 1);
            const bool growing = cols > m_cols;
            m_cols = cols;
            for (auto& row : m_cells)
                row.resize(static_cast<std::size_t>(cols));
            if (growing)
                endInsertColumns();
            else
                endRemoveColumns();
        }
        if (rows > oldRows) {
            beginInsertRows({}, oldRows, rows - 1);
            m_cells.resize(static_cast<std::size_t>(rows),
                           std::vector<QString>(static_cast<std::size_t>(m_cols)));
            endInsertRows();
        } else if (rows < oldRows) {
            beginRemoveRows({}, rows, oldRows - 1);
            m_cells.resize(static_cast<std::size_t>(rows));
            endRemoveRows();
        }
    }

private:
    std::vector<std::vector<QString>> m_cells;
    int m_cols = 0;
    QHash<int, QString> m_columnHeaders;
    QHash<int, QString> m_rowHeaders;
};

namespace {

// The grid's headers. A header sizes itself by laying out the text of every section in the style,
// again after every change of its sections; for the 128 channel numbers and the Chinese column
// titles that was a fifth of the program's start. A text is laid out once here and its size kept;
// numbers of as many digits are as wide in any font with figures of one width, so one of each
// length is laid out for the number column.
class FlexHeader : public QHeaderView {
public:
    FlexHeader(Qt::Orientation orientation, QWidget* parent) : QHeaderView(orientation, parent)
    {
        // As the table view's own headers: a press on a section selects its row or column.
        setSectionsClickable(true);
        setHighlightSections(true);
    }

protected:
    QSize sectionSizeFromContents(int logicalIndex) const override
    {
        QString key = model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
        if (orientation() == Qt::Vertical) {
            for (QChar& c : key) {
                if (c.isDigit())
                    c = QLatin1Char('0');
            }
        }
        const auto known = m_sizes.constFind(key);
        if (known != m_sizes.constEnd())
            return *known;
        const QSize size = QHeaderView::sectionSizeFromContents(logicalIndex);
        m_sizes.insert(key, size);
        return size;
    }
    void changeEvent(QEvent* event) override
    {
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
            m_sizes.clear();
        QHeaderView::changeEvent(event);
    }

private:
    mutable QHash<QString, QSize> m_sizes;
};

// Draws every cell with its column's alignment, whichever model the grid shows.
class AlignedCells : public QStyledItemDelegate {
public:
    explicit AlignedCells(CMSFlexGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->displayAlignment = m_grid->ColAlignment(index.column() + m_grid->FixedCols());
        // A grid that never highlights draws a selected cell as any other, in the colours the
        // cell has of its own (the greyed row of the serial number keeps its grey).
        if (m_grid->HighLight() == CMSFlexGrid::HighLightNever || m_grid->MarkSelection())
            option->state &= ~QStyle::State_Selected;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        if (!m_grid->MarkSelection())
            return;
        // Marks of their own, the same in every style: the style's selection colours vanish
        // without the focus, and some styles draw no focus frame at all.
        const QColor mark = QApplication::palette(m_grid).color(QPalette::Active, QPalette::Highlight);
        painter->save();
        if (m_grid->SelectionShown() && m_grid->selectionModel()->isSelected(index)) {
            QColor fill = mark;
            fill.setAlpha(70);
            painter->fillRect(option.rect, fill);
        }
        if (index == m_grid->currentIndex()) {
            QPen pen(mark, 2);
            pen.setJoinStyle(Qt::MiterJoin);
            painter->setPen(pen);
            painter->setBrush(Qt::NoBrush);
            painter->drawRect(QRectF(option.rect).adjusted(1, 1, -1, -1));
        }
        painter->restore();
    }

private:
    CMSFlexGrid* m_grid;
};

} // namespace

CMSFlexGrid::CMSFlexGrid(QWidget* parent) : QTableView(parent)
{
    m_cells = new CFlexGridCells(this);
    setHorizontalHeader(new FlexHeader(Qt::Horizontal, this));
    setVerticalHeader(new FlexHeader(Qt::Vertical, this));
    setItemDelegate(new AlignedCells(this));
    setModel(m_cells);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kBorderPixels);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setHighlightSections(false);
    viewport()->setMouseTracking(true);
    verticalHeader()->viewport()->setMouseTracking(true);
    verticalHeader()->viewport()->installEventFilter(this);
    // The corner above the number column shows the text of cell (0, 0).
    if (auto* corner = findChild<QAbstractButton*>())
        corner->installEventFilter(this);

    // A press on the number column selects its row (the header does that); the host hears of it
    // afterwards, as it hears of a press on a cell after the cell became current.
    connect(verticalHeader(), &QHeaderView::sectionPressed, this, [this](int logicalRow) {
        m_mouseRow = logicalRow + m_fixedRows;
        m_mouseCol = 0;
        emit MouseDown(1, flexShift(QGuiApplication::keyboardModifiers()), 0, 0);
    });
}

void CMSFlexGrid::setModel(QAbstractItemModel* model)
{
    if (!model)
        model = m_cells;
    QItemSelectionModel* previous = selectionModel();
    QTableView::setModel(model);
    if (previous && previous != selectionModel())
        previous->deleteLater();
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        const QItemSelection selection = selectionModel()->selection();
        const bool shown =
            selection.size() > 1 ||
            (selection.size() == 1 && (selection.first().height() > 1 || selection.first().width() > 1));
        if (shown != m_selectionShown) {
            m_selectionShown = shown;
            viewport()->update();
        }
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current, const QModelIndex& previousCell) {
                if (current.row() != previousCell.row() || current.column() != previousCell.column())
                    emit EnterCell();
            });
    ensureCurrentCell();
}

void CMSFlexGrid::ensureCurrentCell()
{
    if (!currentIndex().isValid() && model()->rowCount() > 0 && model()->columnCount() > 0)
        selectionModel()->setCurrentIndex(model()->index(0, 0), QItemSelectionModel::NoUpdate);
}

int CMSFlexGrid::Rows() const
{
    return model()->rowCount() + m_fixedRows;
}

int CMSFlexGrid::Cols() const
{
    return model()->columnCount() + m_fixedCols;
}

void CMSFlexGrid::SetRows(int rows)
{
    if (model() == m_cells)
        m_cells->resize(rows - m_fixedRows, m_cells->columnCount());
    ensureCurrentCell();
}

void CMSFlexGrid::SetCols(int cols)
{
    if (model() == m_cells)
        m_cells->resize(m_cells->rowCount(), cols - m_fixedCols);
    ensureCurrentCell();
}

void CMSFlexGrid::SetFixedRows(int fixedRows)
{
    const int rows = Rows();
    m_fixedRows = std::clamp(fixedRows, 0, 1);
    horizontalHeader()->setVisible(m_fixedRows > 0);
    SetRows(rows);
}

void CMSFlexGrid::SetFixedCols(int fixedCols)
{
    const int cols = Cols();
    m_fixedCols = std::clamp(fixedCols, 0, 1);
    verticalHeader()->setVisible(m_fixedCols > 0);
    SetCols(cols);
}

int CMSFlexGrid::Row() const
{
    const int r = currentIndex().row();
    return (r < 0 ? 0 : r) + m_fixedRows;
}

void CMSFlexGrid::SetRow(int row)
{
    const int r = row - m_fixedRows;
    if (r < 0 || r >= model()->rowCount())
        return;
    setCurrentIndex(model()->index(r, std::max(0, currentIndex().column())));
}

int CMSFlexGrid::Col() const
{
    const int c = currentIndex().column();
    return (c < 0 ? 0 : c) + m_fixedCols;
}

void CMSFlexGrid::SetCol(int col)
{
    const int c = col - m_fixedCols;
    if (c < 0 || c >= model()->columnCount())
        return;
    setCurrentIndex(model()->index(std::max(0, currentIndex().row()), c));
}

QModelIndex CMSFlexGrid::cellIndex(int row, int col) const
{
    return model()->index(row - m_fixedRows, col - m_fixedCols);
}

QString CMSFlexGrid::TextMatrix(int row, int col) const
{
    if (row < 0 || col < 0 || row >= Rows() || col >= Cols())
        return {};
    if (row < m_fixedRows && col < m_fixedCols)
        return m_corner;
    if (row < m_fixedRows)
        return model()->headerData(col - m_fixedCols, Qt::Horizontal).toString();
    if (col < m_fixedCols)
        return model()->headerData(row - m_fixedRows, Qt::Vertical).toString();
    return model()->data(cellIndex(row, col), Qt::EditRole).toString();
}

void CMSFlexGrid::SetTextMatrix(int row, int col, const QString& text)
{
    if (row < 0 || col < 0 || row >= Rows() || col >= Cols())
        return;
    if (row < m_fixedRows && col < m_fixedCols) {
        m_corner = text;
        if (auto* corner = findChild<QAbstractButton*>())
            corner->update();
        return;
    }
    if (row < m_fixedRows) {
        model()->setHeaderData(col - m_fixedCols, Qt::Horizontal, text);
        return;
    }
    if (col < m_fixedCols) {
        model()->setHeaderData(row - m_fixedRows, Qt::Vertical, text);
        return;
    }
    model()->setData(cellIndex(row, col), text, Qt::EditRole);
}

void CMSFlexGrid::SetHighLight(int mode)
{
    m_highLight = mode;
    applyHighLightPalette();
}

void CMSFlexGrid::applyHighLightPalette()
{
    QPalette p = palette();
    const QPalette standard = QApplication::palette(this);
    const QColor base = m_backColor.isValid() ? m_backColor : standard.color(QPalette::Base);
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        bool show = m_highLight == HighLightAlways ||
                    (m_highLight == HighLightWithFocus && group == QPalette::Active);
        if (m_highLight == HighLightWithFocus && !hasFocus())
            show = false;
        p.setColor(group, QPalette::Highlight,
                   show ? standard.color(QPalette::Active, QPalette::Highlight) : base);
        p.setColor(group, QPalette::HighlightedText,
                   show ? standard.color(QPalette::Active, QPalette::HighlightedText)
                        : standard.color(QPalette::Active, QPalette::Text));
    }
    setPalette(p);
}

void CMSFlexGrid::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    if (m_highLight == HighLightWithFocus)
        applyHighLightPalette();
}

void CMSFlexGrid::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    if (m_highLight == HighLightWithFocus)
        applyHighLightPalette();
}

void CMSFlexGrid::SetSelectionMode(int mode)
{
    switch (mode) {
    case SelectionByRow:
        setSelectionBehavior(QAbstractItemView::SelectRows);
        break;
    case SelectionByColumn:
        setSelectionBehavior(QAbstractItemView::SelectColumns);
        break;
    default:
        setSelectionBehavior(QAbstractItemView::SelectItems);
        break;
    }
}

void CMSFlexGrid::SetBackColor(const QColor& color)
{
    m_backColor = color;
    QPalette p = palette();
    p.setColor(QPalette::Base, color);
    setPalette(p);
    applyHighLightPalette();
}

void CMSFlexGrid::SetColAlignment(int col, int alignment)
{
    const Qt::Alignment a =
        alignment == AlignCenterCenter ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter;
    m_alignment.insert(col, a);
    viewport()->update();
}

Qt::Alignment CMSFlexGrid::ColAlignment(int col) const
{
    return m_alignment.value(col, Qt::AlignLeft | Qt::AlignVCenter);
}

int CMSFlexGrid::TwipsPerPixelX() const
{
    return std::max(1, 1440 / std::max(1, logicalDpiX()));
}

int CMSFlexGrid::TwipsPerPixelY() const
{
    return std::max(1, 1440 / std::max(1, logicalDpiY()));
}

int CMSFlexGrid::ColWidth(int col) const
{
    if (col < m_fixedCols) {
        if (m_fixedColWidthTwips >= 0)
            return m_fixedColWidthTwips;
        return horizontalHeader()->defaultSectionSize() * TwipsPerPixelX();
    }
    return columnWidth(col - m_fixedCols) * TwipsPerPixelX();
}

void CMSFlexGrid::SetColWidth(int col, int twips)
{
    const int px = std::max(0, twips / TwipsPerPixelX());
    if (col < m_fixedCols) {
        m_fixedColWidthTwips = px * TwipsPerPixelX();
        verticalHeader()->setFixedWidth(px);
        return;
    }
    setColumnWidth(col - m_fixedCols, px);
}

int CMSFlexGrid::RowHeight(int row) const
{
    if (row < m_fixedRows)
        return horizontalHeader()->height() * TwipsPerPixelY();
    return rowHeight(row - m_fixedRows) * TwipsPerPixelY();
}

int CMSFlexGrid::RowPos(int row) const
{
    if (row < m_fixedRows)
        return 0;
    const int header = m_fixedRows > 0 ? horizontalHeader()->height() : 0;
    return (header + rowViewportPosition(row - m_fixedRows)) * TwipsPerPixelY();
}

int CMSFlexGrid::ColPos(int col) const
{
    if (col < m_fixedCols)
        return 0;
    const int header = m_fixedCols > 0 ? verticalHeader()->width() : 0;
    return (header + columnViewportPosition(col - m_fixedCols)) * TwipsPerPixelX();
}

void CMSFlexGrid::ScrollPage(int direction)
{
    verticalScrollBar()->triggerAction(direction > 0 ? QAbstractSlider::SliderPageStepAdd
                                                     : QAbstractSlider::SliderPageStepSub);
}

int CMSFlexGrid::flexButton(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int CMSFlexGrid::flexShift(Qt::KeyboardModifiers m)
{
    return ((m & Qt::ShiftModifier) ? 1 : 0) | ((m & Qt::ControlModifier) ? 2 : 0) |
           ((m & Qt::AltModifier) ? 4 : 0);
}

void CMSFlexGrid::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const int r = rowAt(pos.y());
    const int c = columnAt(pos.x());
    m_mouseRow = r < 0 ? -1 : r + m_fixedRows;
    m_mouseCol = c < 0 ? -1 : c + m_fixedCols;
    // A Ctrl press on the row numbers whose release never came leaves no list mode behind.
    if (m_addingRows) {
        m_addingRows = false;
        setSelectionMode(QAbstractItemView::ContiguousSelection);
    }
    if (event->modifiers() & Qt::ShiftModifier)
        joinSplitSelection();
    // A press of any button makes the cell under it current before the host hears of it.
    QTableView::mousePressEvent(event);
    const QPoint client = viewport()->mapTo(this, pos);
    emit MouseDown(flexButton(event->button()), flexShift(event->modifiers()), client.x() * TwipsPerPixelX(),
                   client.y() * TwipsPerPixelY());
}

void CMSFlexGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const int r = rowAt(pos.y());
    const int c = columnAt(pos.x());
    m_mouseRow = r < 0 ? -1 : r + m_fixedRows;
    m_mouseCol = c < 0 ? -1 : c + m_fixedCols;
    QTableView::mouseMoveEvent(event);
}

bool CMSFlexGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint && qobject_cast<QAbstractButton*>(watched)) {
        auto* corner = static_cast<QWidget*>(watched);
        QStylePainter painter(corner);
        QStyleOptionHeader option;
        option.initFrom(corner);
        option.state |= QStyle::State_Enabled;
        option.palette.setCurrentColorGroup(QPalette::Active);
        option.rect = corner->rect();
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.text = m_corner;
        option.textAlignment = Qt::AlignCenter;
        painter.drawControl(QStyle::CE_Header, option);
        return true;
    }
    if (watched == verticalHeader()->viewport()) {
        rowAddEvent(event);
        if (rowDragEvent(event))
            return true;
        if (event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress) {
            auto* me = static_cast<QMouseEvent*>(event);
            const int r = verticalHeader()->logicalIndexAt(me->position().toPoint());
            m_mouseRow = r < 0 ? -1 : r + m_fixedRows;
            m_mouseCol = 0;
            // Presses of other buttons change nothing in the header; the host still hears of them.
            if (event->type() == QEvent::MouseButtonPress && me->button() != Qt::LeftButton) {
                emit MouseDown(flexButton(me->button()), flexShift(me->modifiers()), 0, 0);
                return true;
            }
        }
    }
    return QTableView::eventFilter(watched, event);
}

void CMSFlexGrid::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        // Plain cursor movement: the current cell moves, the selection follows it.
        if (event->modifiers() & Qt::ShiftModifier)
            joinSplitSelection();
        QTableView::keyPressEvent(event);
        return;
    }
    default:
        break;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        emit KeyPress(text.at(0).unicode());
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void CMSFlexGrid::SetMarkSelection(bool on)
{
    m_markSelection = on;
    viewport()->update();
}

bool CMSFlexGrid::wholeRowSelected(int row) const
{
    const int r = row - m_fixedRows;
    return r >= 0 && r < model()->rowCount() && selectionModel()->isRowSelected(r, QModelIndex());
}

std::vector<int> CMSFlexGrid::SelectedWholeRows() const
{
    const QModelIndexList rows = selectionModel()->selectedRows();
    const qsizetype cells = selectionModel()->selectedIndexes().size();
    if (rows.isEmpty() || cells != rows.size() * model()->columnCount())
        return {};
    std::vector<int> out;
    for (const QModelIndex& i : rows)
        out.push_back(i.row() + m_fixedRows);
    std::sort(out.begin(), out.end());
    return out;
}

bool CMSFlexGrid::RowSelectionSplit() const
{
    const std::vector<int> rows = SelectedWholeRows();
    return std::adjacent_find(rows.begin(), rows.end(), [](int a, int b) { return b != a + 1; }) !=
           rows.end();
}

void CMSFlexGrid::joinSplitSelection()
{
    if (m_markSelection && RowSelectionSplit())
        selectionModel()->select(currentIndex(), QItemSelectionModel::ClearAndSelect);
}

bool CMSFlexGrid::rowAddEvent(QEvent* event)
{
    if (!m_markSelection)
        return false;
    const auto type = event->type();
    if (type == QEvent::MouseButtonPress) {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() != Qt::LeftButton || !(me->modifiers() & Qt::ControlModifier) ||
            (me->modifiers() & Qt::ShiftModifier))
            return false;
        // Rows are added to rows: a block of cells gives way to the row clicked.
        if (SelectedWholeRows().empty())
            selectionModel()->clearSelection();
        // The view's own rules for a list with many selections: Ctrl toggles the row pressed, a
        // drag from there selects or deselects as that press did.
        setSelectionMode(QAbstractItemView::ExtendedSelection);
        m_addingRows = true;
        return false;
    }
    if (type == QEvent::MouseButtonRelease && m_addingRows) {
        m_addingRows = false;
        setSelectionMode(QAbstractItemView::ContiguousSelection);
    }
    return false;
}

bool CMSFlexGrid::rowDragEvent(QEvent* event)
{
    if (!m_markSelection)
        return false;
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return false;
    auto* me = static_cast<QMouseEvent*>(event);
    const QPoint pos = me->position().toPoint();
    const int logical = verticalHeader()->logicalIndexAt(pos);
    const int row = logical < 0 ? -1 : logical + m_fixedRows;

    if (type == QEvent::MouseButtonPress) {
        // Only a plain press on a row that is selected whole starts a drag; anything else selects
        // as the header does.
        // Rows selected in separate runs are not dragged: the press selects its row alone.
        if (me->button() != Qt::LeftButton || me->modifiers() != Qt::NoModifier || !wholeRowSelected(row) ||
            RowSelectionSplit())
            return false;
        m_rowDrag = {true, false, row, row, pos};
        m_mouseRow = row;
        m_mouseCol = 0;
        return true;
    }
    if (!m_rowDrag.pressed)
        return false;
    if (type == QEvent::MouseMove) {
        if (!m_rowDrag.dragging &&
            (pos - m_rowDrag.start).manhattanLength() >= QApplication::startDragDistance()) {
            m_rowDrag.dragging = true;
            verticalHeader()->viewport()->setCursor(Qt::SizeVerCursor);
        }
        if (m_rowDrag.dragging && row > 0)
            m_rowDrag.target = row;
        return true;
    }
    // Release.
    const RowDrag drag = m_rowDrag;
    m_rowDrag = {};
    verticalHeader()->viewport()->unsetCursor();
    if (drag.dragging) {
        if (row > 0)
            emit RowsDropped(row);
        else
            emit RowsDropped(drag.target);
        return true;
    }
    // A click without a drag: the row alone is selected, as a press on a number does.
    selectRow(drag.row - m_fixedRows);
    m_mouseRow = drag.row;
    m_mouseCol = 0;
    emit MouseDown(1, 0, 0, 0);
    return true;
}
