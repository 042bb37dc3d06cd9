#include "DialogUnits.h"

#include <QFontMetrics>
#include <QWidget>

DialogUnits::DialogUnits(const QFont& font)
{
    const QFontMetrics fm(font);
    // The average width of the 52 Latin letters, as the dialog manager measures it.
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    m_baseX = std::max(1, (fm.horizontalAdvance(letters) / 26 + 1) / 2);
    m_baseY = std::max(1, fm.height());
}

void DialogUnits::place(QWidget* widget, int x, int y, int w, int h) const
{
    const int height = h < 0 ? widget->sizeHint().height() : this->y(h);
    widget->setGeometry(this->x(x), this->y(y), this->x(w), height);
}

void DialogUnits::placeCentred(QWidget* widget, int x, int y, int w, int rowHeight) const
{
    const int height = widget->sizeHint().height();
    const int top = this->y(y) + (this->y(rowHeight) - height) / 2;
    widget->setGeometry(this->x(x), top, this->x(w), height);
}
