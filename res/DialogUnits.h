#pragma once

// Windows are laid out from their templates' positions in dialog units: x px = x * average
// character width / 4, y px = y * character height / 8, measured with the window's font.

#include <QFont>
#include <QRect>

class QWidget;

class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);

    int x(int du) const { return du * m_baseX / 4; }
    int y(int du) const { return du * m_baseY / 8; }
    QRect rect(int x, int y, int w, int h) const
    {
        return QRect(this->x(x), this->y(y), this->x(w), this->y(h));
    }
    // Places widget at the template position (x, y, w, h); height -1 keeps the widget's own height
    // hint (drop-down lists, whose template height includes the open list).
    void place(QWidget* widget, int x, int y, int w, int h = -1) const;
    // The same, vertically centred on a template row of height rowHeight.
    void placeCentred(QWidget* widget, int x, int y, int w, int rowHeight) const;

private:
    int m_baseX;
    int m_baseY;
};
