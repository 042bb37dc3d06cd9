#include "PortDiagnosis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <cerrno>
#include <cstdint>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace orx {

namespace {

// Where lock files of serial devices are kept: the folders QSerialPort looks at, in its order.
const char* const kLockFolders[] = {"/var/lock", "/etc/locks", "/var/spool/locks",  "/var/spool/uucp",
                                    "/tmp",      "/var/tmp",   "/var/lock/lockdev", "/run/lock"};

bool processAlive(qint64 pid)
{
#ifdef Q_OS_UNIX
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
#else
    return pid > 0;
#endif
}

QString processName(qint64 pid)
{
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    return comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll().trimmed()) : QString();
}

QString localHostName()
{
#ifdef Q_OS_UNIX
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) == 0)
        return QString::fromLocal8Bit(name);
#endif
    return {};
}

// A lock file's holder. QLockFile writes "pid\nappname\nhostname\n"; UUCP-style files hold the pid
// in ASCII (padded to ten characters) or, from very old programs, as four binary bytes.
PortHolder readLockFile(const QString& path)
{
    PortHolder h;
    QFile lock(path);
    if (!lock.open(QIODevice::ReadOnly))
        return h;
    const QByteArray bytes = lock.read(4096);
    const QList<QByteArray> lines = bytes.split('\n');
    bool ok = false;
    qint64 pid = lines.value(0).trimmed().toLongLong(&ok);
    if (!ok && bytes.size() == 4) {
        std::int32_t binary = 0;
        std::memcpy(&binary, bytes.constData(), sizeof binary);
        pid = binary;
        ok = true;
    }
    if (!ok || pid <= 0)
        return h;
    const QString host = QString::fromLocal8Bit(lines.value(2).trimmed());
    const bool here = host.isEmpty() || host == localHostName();
    // A lock of a process that is gone is stale: the serial port code removes it itself.
    if (here && !processAlive(pid))
        return h;
    h.pid = pid;
    h.name = QString::fromLocal8Bit(lines.value(1).trimmed());
    if (h.name.isEmpty() && here)
        h.name = processName(pid);
    if (!here)
        h.host = host;
    return h;
}

// A process that has the device open, from the links in /proc/<pid>/fd (only this user's processes
// are readable, all of them for root).
PortHolder kernelHolder(const QString& device)
{
    PortHolder h;
    const QString target = QFileInfo(device).canonicalFilePath();
    if (target.isEmpty())
        return h;
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : pids) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok)
            continue;
        const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
        for (const QString& fd : fds.entryList(QDir::System | QDir::NoDotAndDotDot)) {
            if (QFile::symLinkTarget(fds.filePath(fd)) == target) {
                h.pid = pid;
                h.name = processName(pid);
                return h;
            }
        }
    }
    return h;
}

#ifdef Q_OS_UNIX
// What opening the device ourselves says: 0 when it opened and is a terminal, ENOTTY when it opened
// and is none, else the error of the open.
int probeDevice(const QByteArray& path)
{
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno;
    termios settings{};
    const int result = ::tcgetattr(fd, &settings) == 0 ? 0 : ENOTTY;
    ::close(fd);
    return result;
}
#endif

} // namespace

QStringList PortLockFiles(const QString& device)
{
    // QSerialPort names the lock after the device below /dev with '/' made '_' (LCK..ttyUSB0,
    // LCK..pts_3); other programs use the last part of the path alone.
    QString underDev = device;
    if (underDev.startsWith(QStringLiteral("/dev/")))
        underDev = underDev.mid(5);
    QStringList names{QStringLiteral("LCK..") +
                      QString(underDev).replace(QLatin1Char('/'), QLatin1Char('_'))};
    const QString last = QStringLiteral("LCK..") + QFileInfo(device).fileName();
    if (!names.contains(last))
        names << last;
    QStringList files;
    for (const char* folder : kLockFolders) {
        for (const QString& name : names)
            files << QString::fromLatin1(folder) + QLatin1Char('/') + name;
    }
    return files;
}

PortHolder FindPortHolder(const QString& device)
{
    for (const QString& file : PortLockFiles(device)) {
        const PortHolder h = readLockFile(file);
        if (h.pid > 0)
            return h;
    }
    return kernelHolder(device);
}

namespace {

QStringList deviceLocations()
{
    QStringList v;
    for (const PortEntry& e : AvailablePorts())
        v << e.location;
    return v;
}

} // namespace

PortProblem DiagnosePort(const QString& portName, const QString& device, const QString& systemText)
{
    PortProblem p;
    p.failure = PortFailure::Other;
    p.device = device.isEmpty() ? portName : device;
    p.systemText = systemText;
    if (portName.trimmed().isEmpty()) {
        p.failure = PortFailure::NoPortChosen;
        return p;
    }
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(p.device);
    struct stat st {};
    if (!p.device.startsWith(QLatin1Char('/')) || ::stat(path.constData(), &st) != 0) {
        p.failure = PortFailure::NoSuchDevice;
        p.available = deviceLocations();
        return p;
    }
    // A file or a device of another kind (/dev/null) is no port, whoever holds it.
    if (!S_ISCHR(st.st_mode)) {
        p.failure = PortFailure::NotSerialPort;
        return p;
    }
    if (::access(path.constData(), R_OK | W_OK) != 0) {
        p.failure = PortFailure::PermissionDenied;
        if (const struct group* g = ::getgrgid(st.st_gid))
            p.group = QString::fromLocal8Bit(g->gr_name);
        return p;
    }
    // A device that opens but is no terminal (/dev/null, which every process holds) is no port.
    if (probeDevice(path) == ENOTTY) {
        p.failure = PortFailure::NotSerialPort;
        return p;
    }
    const PortHolder holder = FindPortHolder(p.device);
    // It exists and we may use it, yet it would not open: someone else has it (a lock file, an
    // exclusive open), even when we cannot see who.
    p.failure = PortFailure::Busy;
    p.holder = holder;
#else
    const QSerialPortInfo info(p.device);
    if (info.isNull()) {
        p.failure = PortFailure::NoSuchDevice;
        p.available = deviceLocations();
    } else if (info.isBusy()) {
        p.failure = PortFailure::Busy;
    } else {
        p.failure = PortFailure::Other;
    }
#endif
    return p;
}

QList<PortEntry> AvailablePorts()
{
    QList<PortEntry> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_MACOS
        // Each device shows twice on macOS; the call-out device /dev/cu.* is the one to open.
        if (!info.systemLocation().startsWith(QStringLiteral("/dev/cu.")))
            continue;
#endif
        QString label = info.systemLocation();
        if (!info.description().isEmpty())
            label += QStringLiteral("  %1").arg(info.description());
        if (info.hasVendorIdentifier() && info.hasProductIdentifier())
            label += QStringLiteral("  [%1:%2]")
                         .arg(info.vendorIdentifier(), 4, 16, QLatin1Char('0'))
                         .arg(info.productIdentifier(), 4, 16, QLatin1Char('0'));
        ports.push_back({info.systemLocation(), label});
    }
    return ports;
}

} // namespace orx
