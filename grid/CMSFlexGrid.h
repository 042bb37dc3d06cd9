#pragma once

// A text grid in the manner of the classic flex grid: rows and columns count from 0 and include the
// fixed header row and number column; sizes and positions are in twips (1440 per inch); the current
// cell is `Row`/`Col`. It shows text only and never opens an editor of its own: the hosts lay their
// own editors over a cell with `RowPos`/`ColPos`/`RowHeight`/`ColWidth`.
//
// The grid is a view. By default it shows cells of its own (the tone picker, the FM presets); the
// main form gives it the channel table's model instead, whose rows and columns are then the grid's
// rows and columns after the fixed ones. Cell texts are the model's edit role, the fixed row and
// column are its header data, and `SetTextMatrix` puts into the model.
//
// Guarantees the hosts rely on:
// - a string put into a cell is returned unchanged (a model may refuse a cell it keeps fixed);
// - a click on a non-fixed cell makes it current before `MouseDown`; `MouseCol` is the column under
//   the pointer, the fixed number column (0) included;
// - Left, Right, Up, Down, Home and End move the current cell, also when posted by the host;
//   Home goes to the first non-fixed column, End to the last column;
// - `RowPos`/`ColPos` are relative to the client area inside the 2-pixel border, and
//   pixels = twips / (1440 / logical dpi) gives the cell's rectangle exactly.

#include <QColor>
#include <QHash>
#include <QString>
#include <QTableView>

#include <vector>

class CFlexGridCells;

class CMSFlexGrid : public QTableView {
    Q_OBJECT
public:
    enum HighLightMode { HighLightNever = 0, HighLightAlways = 1, HighLightWithFocus = 2 };
    enum Alignment { AlignCenterCenter = 4 };
    enum SelectionModeValue { SelectionFree = 0, SelectionByRow = 1, SelectionByColumn = 2 };
    static constexpr int kBorderPixels = 2;

    explicit CMSFlexGrid(QWidget* parent = nullptr);

    // Shows model in place of the grid's own cells; nullptr goes back to them.
    void setModel(QAbstractItemModel* model) override;

    int Rows() const;
    // Only the grid's own cells can grow or shrink; a model keeps its size.
    void SetRows(int rows);
    int Cols() const;
    void SetCols(int cols);
    int FixedRows() const { return m_fixedRows; }
    void SetFixedRows(int fixedRows);
    int FixedCols() const { return m_fixedCols; }
    void SetFixedCols(int fixedCols);

    int Row() const;
    void SetRow(int row);
    int Col() const;
    void SetCol(int col);

    QString Text() const { return TextMatrix(Row(), Col()); }
    void SetText(const QString& text) { SetTextMatrix(Row(), Col(), text); }
    QString TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString& text);

    void SetWordWrap(bool on) { setWordWrap(on); }
    int HighLight() const { return m_highLight; }
    void SetHighLight(int mode);
    int MouseRow() const { return m_mouseRow; }
    int MouseCol() const { return m_mouseCol; }
    void SetSelectionMode(int mode);
    void SetBackColor(const QColor& color);
    void SetColAlignment(int col, int alignment);
    // The alignment of a column's cells (left and centred vertically until one is set).
    Qt::Alignment ColAlignment(int col) const;

    int ColWidth(int col) const;
    void SetColWidth(int col, int twips);
    int RowHeight(int row) const;
    int RowPos(int row) const;
    int ColPos(int col) const;

    int TwipsPerPixelX() const;
    int TwipsPerPixelY() const;

    // The host's own marks: a strong frame around the current cell and a fill over a selection of
    // more than one cell, drawn alike in every style and whether or not the grid has the focus.
    void SetMarkSelection(bool on);
    bool MarkSelection() const { return m_markSelection; }
    bool SelectionShown() const { return m_markSelection && m_selectionShown; }
    // While the host marks the selection, Ctrl+click and Ctrl+drag on the row numbers add rows to a
    // selection of whole rows, or take selected rows out of it; the rows may then form several
    // separate runs. Any other press starts a selection of one block, as before.
    // The selected whole rows (grid rows, ascending) when the selection is made of whole rows only;
    // nothing selected or a block of cells gives none.
    std::vector<int> SelectedWholeRows() const;
    // True when the selection is whole rows in more than one run.
    bool RowSelectionSplit() const;
    // The target row while whole rows are dragged by their numbers; 0 otherwise.
    int DropRow() const { return m_rowDrag.dragging ? m_rowDrag.target : 0; }

    // One page up (-1) or down (+1), as the vertical scroll bar's page buttons do.
    void ScrollPage(int direction);

signals:
    // Button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt; x, y in twips.
    void MouseDown(int button, int shift, int x, int y);
    // A typed character while the grid has the focus.
    void KeyPress(int keyAscii);
    // The current cell changed.
    void EnterCell();
    // Selected whole rows were dragged by their numbers and dropped on row (grid rows).
    void RowsDropped(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyboardSearch(const QString&) override {}
    bool eventFilter(QObject* watched, QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QModelIndex cellIndex(int row, int col) const;
    void ensureCurrentCell();
    void applyHighLightPalette();
    static int flexButton(Qt::MouseButton b);
    static int flexShift(Qt::KeyboardModifiers m);

    CFlexGridCells* m_cells = nullptr; // the grid's own cells, shown while no model is given
    int m_fixedRows = 1;
    int m_fixedCols = 1;
    int m_highLight = HighLightAlways;
    int m_mouseRow = 0;
    int m_mouseCol = 0;
    int m_fixedColWidthTwips = -1; // -1 until a width is set for column 0
    QString m_corner;
    QHash<int, Qt::Alignment> m_alignment;
    QColor m_backColor;
    bool m_markSelection = false;
    bool m_selectionShown = false; // more than one cell selected
    // A press on the number of a selected whole row: a click selects that row on release, a drag
    // moves the selected rows.
    struct RowDrag {
        bool pressed = false;
        bool dragging = false;
        int row = 0;    // grid row pressed
        int target = 0; // grid row under the pointer
        QPoint start;
    } m_rowDrag;
    bool rowDragEvent(QEvent* event);
    // A Ctrl press on the row numbers selects as in a list with many selections until its release.
    bool m_addingRows = false;
    bool rowAddEvent(QEvent* event);
    // Back to one block (the current cell) before a Shift press extends the selection.
    void joinSplitSelection();
    bool wholeRowSelected(int row) const;
};
