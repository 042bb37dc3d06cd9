#include "PortDiagnosis.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>

#ifdef Q_OS_UNIX
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace orx {

namespace {

// Where lock files of serial devices are kept (QSerialPort writes one, as do most terminal programs).
const char* const kLockFolders[] = {"/var/lock", "/run/lock", "/tmp"};

// The program named by a lock file LCK..<device>: the file holds the process id.
QString lockHolder(const QString& device)
{
    const QString name = QStringLiteral("LCK..") + QFileInfo(device).fileName();
    for (const char* folder : kLockFolders) {
        QFile lock(QString::fromLatin1(folder) + QLatin1Char('/') + name);
        if (!lock.open(QIODevice::ReadOnly))
            continue;
        bool ok = false;
        const qint64 pid = lock.readAll().trimmed().toLongLong(&ok);
        if (!ok || pid <= 0)
            continue;
        QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
        if (comm.open(QIODevice::ReadOnly))
            return QStringLiteral("%1 (进程 %2)").arg(QString::fromLocal8Bit(comm.readAll().trimmed())).arg(pid);
        return QStringLiteral("进程 %1").arg(pid);
    }
    return {};
}

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
    if (::access(path.constData(), R_OK | W_OK) != 0) {
        p.failure = PortFailure::PermissionDenied;
        if (const struct group* g = ::getgrgid(st.st_gid))
            p.group = QString::fromLocal8Bit(g->gr_name);
        return p;
    }
    // It exists and we may use it, yet it would not open: someone else has it.
    p.failure = PortFailure::Busy;
    p.holder = lockHolder(p.device);
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

QString PortProblemText(const PortProblem& p)
{
    switch (p.failure) {
    case PortFailure::NoPortChosen:
        return QStringLiteral("还没有选择串口：请在“端口设置”菜单中选择编程线所接的串口。");
    case PortFailure::NoSuchDevice: {
        const QString existing = p.available.isEmpty() ? QStringLiteral("没有找到任何串口设备，请检查编程线是否插好。")
                                                       : QStringLiteral("本机现有的串口设备：%1。")
                                                             .arg(p.available.join(QStringLiteral("、")));
        return QStringLiteral("串口设备 %1 不存在。%2").arg(p.device, existing);
    }
    case PortFailure::PermissionDenied: {
        // A device of the group root is meant for root alone: joining root is no advice to give.
        if (p.group.isEmpty() || p.group == QLatin1String("root"))
            return QStringLiteral("没有权限使用 %1：该设备只允许 root 使用。请让系统管理员把它交给 dialout 组"
                                  "（Arch 上是 uucp），并把用户加入该组，然后注销并重新登录。")
                .arg(p.device);
        const QString& group = p.group;
        return QStringLiteral("没有权限使用 %1：该设备属于用户组 %2（Debian 和 Ubuntu 上是 dialout，Arch 上是 uucp），"
                              "当前用户不在这个组里。请把用户加入该组（sudo usermod -a -G %2 $USER），"
                              "然后注销并重新登录。")
            .arg(p.device, group);
    }
    case PortFailure::Busy: {
        const QString who = p.holder.isEmpty() ? QStringLiteral("另一个程序") : p.holder;
        return QStringLiteral("串口 %1 正被%2占用。请关闭占用它的程序后再试；"
                              "常见的是 ModemManager（sudo systemctl stop ModemManager）。")
            .arg(p.device, who);
    }
    case PortFailure::Other:
        break;
    }
    return p.systemText.isEmpty() ? QStringLiteral("%1 无法打开。").arg(p.device)
                                  : QStringLiteral("%1：%2").arg(p.device, p.systemText);
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
