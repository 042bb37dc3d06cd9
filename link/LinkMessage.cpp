#include "LinkMessage.h"

#include "Texts.h"

#include <QLabel>
#include <QMessageBox>

void ShowLinkMessage(QWidget* parent, const QString& text, const QString& detail, const QString& objectName)
{
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(res::kAppTitle), text, QMessageBox::Ok, parent);
    box.setObjectName(objectName);
    if (!detail.isEmpty()) {
        box.setInformativeText(detail);
        // About 32 Chinese characters a line: room for a device path and a command.
        if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel")))
            label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QString(32, QChar(0x4E2D))));
    }
    box.exec();
}
