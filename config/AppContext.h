#pragma once

// The serial port the user chose: "COM1" to "COM8" from the port menu, or a device of this
// machine. Read from Program.ini at start-up, stored there at exit, used by whatever opens the port.

#include <QString>

QString PortName();
void SetPortName(const QString& name);
