#include "LinkMessage.h"

#include "Texts.h"
#include "Tr.h"

#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>

namespace {

// A reasonable width for reading: about this many Chinese characters on the message's line.
constexpr int kReadableCharacters = 20;
// The reason below the message: about 32 Chinese characters a line.
constexpr int kDetailCharacters = 32;
// What the window system puts into a title bar besides the caption: icon and buttons.
constexpr int kTitleBarExtras = 160;
constexpr int kGap = 8;

int chineseWidth(const QFontMetrics& fm, int characters)
{
    return fm.horizontalAdvance(QString(characters, QChar(0x4E2D)));
}

const QRegularExpression& devicePath()
{
    // A path runs until a blank or a Chinese punctuation mark.
    static const QRegularExpression re(QStringLiteral("/[A-Za-z0-9_.:+@%=,~#/-]+"));
    return re;
}

} // namespace

CLinkMessageBox::CLinkMessageBox(QMessageBox::Icon icon, const QString& text, const QString& detail,
                                 QMessageBox::StandardButtons buttons, QWidget* owner)
    : QMessageBox(icon, res::Tr(res::kAppTitle), text, buttons, owner)
{
    // The caption must fit the title bar whole, beside the window system's icon and buttons, and
    // each line of the message its own line, within the screen.
    const QScreen* screen = owner ? owner->screen() : this->screen();
    const int widest = screen ? screen->availableGeometry().width() * 3 / 4 : 800;
    if (auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        const QFontMetrics fm = label->fontMetrics();
        int width = std::max(chineseWidth(fm, kReadableCharacters),
                             QFontMetrics(font()).horizontalAdvance(windowTitle()) + kTitleBarExtras);
        for (const QString& line : text.split(QLatin1Char('\n')))
            width = std::max(width, std::min(fm.horizontalAdvance(line), widest));
        label->setMinimumWidth(width);
    }
    if (detail.isEmpty())
        return;
    setInformativeText(detail);
    if (auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
        // Wide enough for the longest path, within the screen; the lines are broken here.
        const QFontMetrics fm = label->fontMetrics();
        int width = chineseWidth(fm, kDetailCharacters);
        for (const QString& path : DevicePaths(detail))
            width = std::max(width, fm.horizontalAdvance(path));
        width = std::min(width, widest);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(false);
        label->setText(WrapDetail(detail, fm, width));
        label->setMinimumWidth(width);
    }
}

QStringList CLinkMessageBox::DevicePaths(const QString& detail)
{
    QStringList paths;
    for (auto it = devicePath().globalMatch(detail); it.hasNext();)
        paths << it.next().captured();
    return paths;
}

QString CLinkMessageBox::WrapDetail(const QString& detail, const QFontMetrics& metrics, int width)
{
    // Pieces that stay whole: a device path, a run of other non-blank Latin characters, one
    // Chinese character with the punctuation that closes after it; blanks and line feeds between.
    static const QString closing = QStringLiteral("，。、：；！？）」』”");
    QStringList pieces;
    auto isWide = [](QChar c) { return c.unicode() >= 0x2E80; };
    qsizetype i = 0;
    const QRegularExpression& path = devicePath();
    while (i < detail.size()) {
        const QChar c = detail.at(i);
        const QRegularExpressionMatch m = path.match(detail, i, QRegularExpression::NormalMatch,
                                                     QRegularExpression::AnchorAtOffsetMatchOption);
        qsizetype end = i + 1;
        if (m.hasMatch())
            end = m.capturedEnd();
        else if (!c.isSpace() && !isWide(c))
            while (end < detail.size() && !detail.at(end).isSpace() && !isWide(detail.at(end)))
                ++end;
        QString piece = detail.mid(i, end - i);
        if (!pieces.isEmpty() && piece.size() == 1 && closing.contains(piece.front()) &&
            !pieces.back().front().isSpace())
            pieces.back() += piece;
        else
            pieces << piece;
        i = end;
    }

    QStringList lines{QString()};
    for (const QString& piece : std::as_const(pieces)) {
        QString& line = lines.back();
        if (piece == QLatin1String("\n")) {
            lines << QString();
        } else if (piece.front().isSpace()) {
            if (!line.isEmpty())
                line += piece;
        } else if (line.isEmpty() || metrics.horizontalAdvance(line + piece) <= width) {
            line += piece;
        } else {
            line = line.trimmed();
            lines << piece;
        }
    }
    for (QString& line : lines)
        line = line.trimmed();
    return lines.join(QLatin1Char('\n'));
}

QPoint CLinkMessageBox::PositionBeside(const QRect& owner, const QSize& box, const QRect& available,
                                       int titleBar, int gap)
{
    const QSize frame(box.width(), box.height() + titleBar);
    auto fits = [&](QPoint topLeft) { return available.contains(QRect(topLeft, frame)); };
    // Aligned with the owner's left or top edge, pulled back inside the screen along that edge.
    auto alongX = [&](int x) {
        return std::clamp(x, available.left(),
                          std::max(available.left(), available.right() + 1 - frame.width()));
    };
    auto alongY = [&](int y) {
        return std::clamp(y, available.top(),
                          std::max(available.top(), available.bottom() + 1 - frame.height()));
    };
    const QPoint candidates[] = {
        {alongX(owner.left()), owner.bottom() + 1 + gap},           // below
        {owner.right() + 1 + gap, alongY(owner.top())},             // right
        {alongX(owner.left()), owner.top() - gap - frame.height()}, // above
        {owner.left() - gap - frame.width(), alongY(owner.top())},  // left
    };
    for (const QPoint& p : candidates) {
        if (fits(p))
            return p;
    }
    // No room beside it: the screen's bottom right corner covers least of a dialog in the middle.
    return QPoint(alongX(available.right()), alongY(available.bottom()));
}

void CLinkMessageBox::showEvent(QShowEvent* event)
{
    // QMessageBox sizes itself here; the position is chosen once the size is known and before the
    // window appears.
    QMessageBox::showEvent(event);
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (!owner || !owner->isVisible())
        return;
    const QScreen* s = owner->screen();
    if (!s)
        return;
    // The window system frames the box as it framed its owner. Until the box is on the screen its
    // frame is unknown, and the position given is where its contents begin.
    const QPoint frame = owner->geometry().topLeft() - owner->frameGeometry().topLeft();
    const QPoint place =
        PositionBeside(owner->frameGeometry(), size(), s->availableGeometry(), frame.y(), kGap);
    move(place + frame);
}

void ShowLinkMessage(QWidget* parent, const QString& text, const QString& detail, const QString& objectName)
{
    CLinkMessageBox box(QMessageBox::Warning, text, detail, QMessageBox::Ok, parent);
    box.setObjectName(objectName);
    box.exec();
}
