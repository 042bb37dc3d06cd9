#pragma once

// The radio link's message boxes: the fixed text ("打开串口失败", "通信出错", ...) and, where there
// is one, the reason below it. Each carries the program's caption in full, is wide enough to read,
// keeps device paths on one line, and stands beside the dialog it belongs to (below it, else to the
// right, above or left) instead of over the dialog's percentage.

#include <QFontMetrics>
#include <QMessageBox>
#include <QPoint>
#include <QRect>
#include <QSize>

class QString;
class QWidget;

class CLinkMessageBox : public QMessageBox {
    Q_OBJECT
public:
    CLinkMessageBox(QMessageBox::Icon icon, const QString& text, const QString& detail,
                    QMessageBox::StandardButtons buttons, QWidget* owner);

    // Where the frame of a box of size box goes beside the owner's frame, inside the available area
    // of the screen. gap is kept between the two; titleBar is the height the window system adds
    // above a window. Over the owner only when no side has room, and then inside the screen.
    static QPoint PositionBeside(const QRect& owner, const QSize& box, const QRect& available, int titleBar,
                                 int gap);

    // The reason broken into lines of at most width pixels, never inside a device path (a path
    // longer than width gets a line of its own), nor before a closing punctuation mark. Qt's own
    // wrapping breaks a path after '/' and '-'.
    static QString WrapDetail(const QString& detail, const QFontMetrics& metrics, int width);
    // The device paths named in a reason ("/dev/ttyUSB0", "/dev/serial/by-id/usb-...").
    static QStringList DevicePaths(const QString& detail);

protected:
    void showEvent(QShowEvent* event) override;
};

// A warning with an OK button, shown modally beside parent.
void ShowLinkMessage(QWidget* parent, const QString& text, const QString& detail, const QString& objectName);
