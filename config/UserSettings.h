#pragma once

// The user's own settings of the program (the language, verify after write), in orxprog.conf beside
// the user's copy of Program.ini: ~/.config/orxprog/ on Linux.

#include <QSettings>
#include <QStandardPaths>

inline QSettings UserSettings()
{
    return QSettings(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
                         QStringLiteral("/orxprog.conf"),
                     QSettings::IniFormat);
}
