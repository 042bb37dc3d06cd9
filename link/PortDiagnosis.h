#pragma once

// Why a serial port would not open, in words the user can act on, and the serial devices of this
// machine as the port menu lists them. The message box keeps its fixed text "打开串口失败"; the
// reason stands below it (and on stderr in orxtool).

#include <QString>
#include <QStringList>

namespace orx {

enum class PortFailure {
    NoPortChosen,     // the port name is empty
    NoSuchDevice,     // nothing at that name
    PermissionDenied, // the device exists, the user may not open it
    Busy,             // another program holds it
    Other,
};

struct PortProblem {
    PortFailure failure = PortFailure::Other;
    QString device;        // the device the name stands for
    QString group;         // PermissionDenied: the group that owns the device
    QString holder;        // Busy: the program holding it, when its lock file names it
    QStringList available; // NoSuchDevice: the serial devices that do exist
    QString systemText;    // Other: the system's own words
};

// Looks at the device after an open failed: whether it exists, whether this user may read and write
// it, who holds it.
PortProblem DiagnosePort(const QString& portName, const QString& device, const QString& systemText);

// The reason in Chinese, one or two sentences.
QString PortProblemText(const PortProblem& problem);

// A serial device of this machine for the port menu: its path, and a label with the description and
// the USB vendor and product id where the system knows them.
struct PortEntry {
    QString location;
    QString label;
};
QList<PortEntry> AvailablePorts();

} // namespace orx
