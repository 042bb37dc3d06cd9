#include "CommandAction.h"

#include "Tr.h"

#include <QAction>
#include <QIcon>

namespace res {

QAction* MakeAction(QObject* owner, const char* objectName, const Command& command, const char* icon)
{
    auto* a = new QAction(owner);
    a->setObjectName(QString::fromLatin1(objectName));
    if (command.shortcut)
        a->setShortcut(QKeySequence(QString::fromLatin1(command.shortcut)));
    if (icon)
        a->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(QString::fromLatin1(icon))));
    ApplyCommand(a, command);
    return a;
}

void ApplyCommand(QAction* action, const Command& command)
{
    action->setText(Tr(command.text));
    // A command without a prompt or tip has none: Qt would show the item text as its tooltip.
    action->setStatusTip(Tr(command.prompt));
    if (command.tip)
        action->setToolTip(Tr(command.tip));
}

} // namespace res
