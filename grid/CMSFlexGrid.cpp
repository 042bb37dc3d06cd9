#include "CMSFlexGrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleOptionHeader>
#include <QStylePainter>

CMSFlexGrid::CMSFlexGrid(QWidget* parent)
    : QTableWidget(parent)
{
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
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int col, int prevRow, int prevCol) {
        if (row != prevRow || col != prevCol)
            emit EnterCell();
    });
}

void CMSFlexGrid::SetRows(int rows)
{
    setRowCount(std::max(0, rows - m_fixedRows));
    if (!currentIndex().isValid() && rowCount() > 0 && columnCount() > 0)
        setCurrentCell(0, 0, QItemSelectionModel::NoUpdate);
}

void CMSFlexGrid::SetCols(int cols)
{
    setColumnCount(std::max(0, cols - m_fixedCols));
    if (!currentIndex().isValid() && rowCount() > 0 && columnCount() > 0)
        setCurrentCell(0, 0, QItemSelectionModel::NoUpdate);
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
    const int r = currentRow();
    return (r < 0 ? 0 : r) + m_fixedRows;
}

void CMSFlexGrid::SetRow(int row)
{
    const int r = row - m_fixedRows;
    if (r < 0 || r >= rowCount())
        return;
    setCurrentCell(r, std::max(0, currentColumn()));
}

int CMSFlexGrid::Col() const
{
    const int c = currentColumn();
    return (c < 0 ? 0 : c) + m_fixedCols;
}

void CMSFlexGrid::SetCol(int col)
{
    const int c = col - m_fixedCols;
    if (c < 0 || c >= columnCount())
        return;
    setCurrentCell(std::max(0, currentRow()), c);
}

QTableWidgetItem* CMSFlexGrid::itemAt(int row, int col) const
{
    return item(row - m_fixedRows, col - m_fixedCols);
}

QTableWidgetItem* CMSFlexGrid::ensureItem(int row, int col)
{
    const int r = row - m_fixedRows;
    const int c = col - m_fixedCols;
    QTableWidgetItem* it = item(r, c);
    if (!it) {
        it = new QTableWidgetItem;
        it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        it->setTextAlignment(m_alignment.value(col, Qt::AlignLeft | Qt::AlignVCenter));
        setItem(r, c, it);
    }
    return it;
}

QString CMSFlexGrid::TextMatrix(int row, int col) const
{
    if (row < 0 || col < 0 || row >= Rows() || col >= Cols())
        return {};
    if (row < m_fixedRows && col < m_fixedCols)
        return m_corner;
    if (row < m_fixedRows) {
        const QTableWidgetItem* h = horizontalHeaderItem(col - m_fixedCols);
        return h ? h->text() : QString();
    }
    if (col < m_fixedCols) {
        // Without an item of its own, the number column shows the row's number.
        const QTableWidgetItem* h = verticalHeaderItem(row - m_fixedRows);
        return h ? h->text() : model()->headerData(row - m_fixedRows, Qt::Vertical).toString();
    }
    const QTableWidgetItem* it = itemAt(row, col);
    return it ? it->text() : QString();
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
        const int c = col - m_fixedCols;
        QTableWidgetItem* h = horizontalHeaderItem(c);
        if (!h) {
            h = new QTableWidgetItem;
            setHorizontalHeaderItem(c, h);
        }
        h->setText(text);
        return;
    }
    if (col < m_fixedCols) {
        const int r = row - m_fixedRows;
        QTableWidgetItem* h = verticalHeaderItem(r);
        // The row's own number needs no item: each item would make the header measure itself again.
        if (!h && text == model()->headerData(r, Qt::Vertical).toString())
            return;
        if (!h) {
            h = new QTableWidgetItem;
            h->setTextAlignment(Qt::AlignCenter);
            setVerticalHeaderItem(r, h);
        }
        h->setText(text);
        return;
    }
    QTableWidgetItem* it = itemAt(row, col);
    if (!it && text.isEmpty())
        return; // an empty cell needs no item
    if (!it)
        it = ensureItem(row, col);
    if (it->text() != text)
        it->setText(text);
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
        bool show = m_highLight == HighLightAlways || (m_highLight == HighLightWithFocus && group == QPalette::Active);
        if (m_highLight == HighLightWithFocus && !hasFocus())
            show = false;
        p.setColor(group, QPalette::Highlight, show ? standard.color(QPalette::Active, QPalette::Highlight) : base);
        p.setColor(group, QPalette::HighlightedText,
                   show ? standard.color(QPalette::Active, QPalette::HighlightedText)
                        : standard.color(QPalette::Active, QPalette::Text));
    }
    setPalette(p);
}

void CMSFlexGrid::focusInEvent(QFocusEvent* event)
{
    QTableWidget::focusInEvent(event);
    if (m_highLight == HighLightWithFocus)
        applyHighLightPalette();
}

void CMSFlexGrid::focusOutEvent(QFocusEvent* event)
{
    QTableWidget::focusOutEvent(event);
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
    const Qt::Alignment a = alignment == AlignCenterCenter ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter;
    m_alignment.insert(col, a);
    if (col < m_fixedCols)
        return;
    for (int r = 0; r < rowCount(); ++r) {
        if (QTableWidgetItem* it = item(r, col - m_fixedCols))
            it->setTextAlignment(a);
    }
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
    return ((m & Qt::ShiftModifier) ? 1 : 0) | ((m & Qt::ControlModifier) ? 2 : 0) | ((m & Qt::AltModifier) ? 4 : 0);
}

void CMSFlexGrid::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    const int r = rowAt(pos.y());
    const int c = columnAt(pos.x());
    m_mouseRow = r < 0 ? -1 : r + m_fixedRows;
    m_mouseCol = c < 0 ? -1 : c + m_fixedCols;
    // A press of any button makes the cell under it current before the host hears of it.
    QTableWidget::mousePressEvent(event);
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
    QTableWidget::mouseMoveEvent(event);
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
    return QTableWidget::eventFilter(watched, event);
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
        QTableWidget::keyPressEvent(event);
        return;
    }
    default:
        break;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        emit KeyPress(text.at(0).unicode());
        event->accept();
        return;
    }
    QTableWidget::keyPressEvent(event);
}
