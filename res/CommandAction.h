#pragma once

// Menu commands as actions: the one place a res::Command becomes a QAction's texts, shortcut and
// icon, and is given its texts again when the user changes the language.

#include "Texts.h"

class QAction;
class QObject;

namespace res {

// A new action of owner with the command's text, shortcut, status prompt, tooltip and (when given)
// the icon :/icons/<icon>.png.
QAction* MakeAction(QObject* owner, const char* objectName, const Command& command,
                    const char* icon = nullptr);

// The command's text, status prompt and tooltip, in the language now chosen.
void ApplyCommand(QAction* action, const Command& command);

} // namespace res
