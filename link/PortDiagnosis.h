#pragma once

// Why a serial port would not open, as facts the user can act on once they are put into words
// (PortProblemText), and the serial devices of this machine as the port menu lists them.

#include <QString>
#include <QStringList>

namespace orx {

enum class PortFailure {
    None,             // no failure: the port opened (or was never tried)
    NoPortChosen,     // the port name is empty
    NoSuchDevice,     // nothing at that name
    PermissionDenied, // the device exists, the user may not open it
    Busy,             // another program holds it
    Other,
    NotSerialPort, // the name is a file or a device that is no serial port (/dev/null)
};

// Who holds a device: the program named by a lock file of it (the format of Qt's QLockFile, which
// QSerialPort writes: process id, program name and host on three lines; or the process id alone, as
// older programs write it), else a process that has the device open (the kernel's /proc/*/fd).
// Empty names when nobody is found or the holder is not visible to this user.
struct PortHolder {
    qint64 pid = 0;
    QString name; // the program's name
    QString host; // of a lock file written on another machine; empty for this one
};

struct PortProblem {
    PortFailure failure = PortFailure::None;
    QString device;        // the device the name stands for
    QString group;         // PermissionDenied: the group that owns the device
    PortHolder holder;     // Busy: the program holding it, when a lock file or the kernel names it
    QStringList available; // NoSuchDevice: the serial devices that do exist
    QString systemText;    // Other: the system's own words
};

// Looks at the device after an open failed: whether it exists, whether this user may read and write
// it, who holds it.
PortProblem DiagnosePort(const QString& portName, const QString& device, const QString& systemText);

// Who holds a device (see PortHolder).
PortHolder FindPortHolder(const QString& device);
// The lock files the serial port code and other programs write for a device, in the order looked at.
QStringList PortLockFiles(const QString& device);

// A serial device of this machine for the port menu: its path, and a label with the description and
// the USB vendor and product id where the system knows them.
struct PortEntry {
    QString location;
    QString label;
};
QList<PortEntry> AvailablePorts();

} // namespace orx
