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
    NotSerialPort,    // the name is a file or a device that is no serial port (/dev/null)
};

struct PortProblem {
    PortFailure failure = PortFailure::Other;
    QString device;        // the device the name stands for
    QString group;         // PermissionDenied: the group that owns the device
    QString holder;        // Busy: the program holding it, when a lock file or the kernel names it
    QString holderName;    // Busy: that program's name alone ("orxtool", "ModemManager")
    QStringList available; // NoSuchDevice: the serial devices that do exist
    QString systemText;    // Other: the system's own words
};

// Looks at the device after an open failed: whether it exists, whether this user may read and write
// it, who holds it.
PortProblem DiagnosePort(const QString& portName, const QString& device, const QString& systemText);

// The reason in Chinese, one or two sentences.
QString PortProblemText(const PortProblem& problem);

// Who holds a device: the program named by a lock file of it (the format of Qt's QLockFile, which
// QSerialPort writes: process id, program name and host on three lines; or the process id alone, as
// older programs write it), else a process that has the device open (the kernel's /proc/*/fd).
// Empty names when nobody is found or the holder is not visible to this user.
struct PortHolder {
    qint64 pid = 0;
    QString name; // the program's name
    QString host; // of a lock file written on another machine; empty for this one
};
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
