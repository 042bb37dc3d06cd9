// Why a port would not open, as the user reads it below "打开串口失败": a device that is not there
// (with the ones that are), one held by another program, one the user has no right to, no port at
// all. The real cases run on pseudo-terminals; the permission text is checked from a diagnosis,
// since the tests run as root, who may open anything.

#include "LinkMessage.h"
#include "LinkTestSupport.h"
#include "PortDiagnosis.h"
#include "AppContext.h"
#include "LinkTexts.h"
#include "SerialPort.h"
#include "TransferDlg.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

#include <fcntl.h>
#include <grp.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace linktest;

class PortDiagnosisTest : public QObject {
    Q_OBJECT
private slots:
    void missingDeviceNamesTheOnesThatExist();
    void busyPortSaysAnotherProgramHoldsIt();
    void deviceTheUserMayNotOpenNamesItsGroup();
    void reasons_data();
    void reasons();
    void notASerialPort_data();
    void notASerialPort();
    void lockFilesNameTheirHolder_data();
    void lockFilesNameTheirHolder();
    void anotherOrxtoolIsNamed();
    void kernelNamesAHolderWithoutLockFile();
    void transferDialogShowsTheReasonBelowTheMessage();
    void devicePathsNeverBreak_data();
    void devicePathsNeverBreak();
};

void PortDiagnosisTest::missingDeviceNamesTheOnesThatExist()
{
    orx::SerialPort port(orx::kTransferTimeouts);
    QVERIFY(!port.open(QStringLiteral("/dev/ttyORXMISSING")));
    const QString reason = orx::PortProblemText(port.openProblem());
    QVERIFY2(reason.startsWith(QStringLiteral("串口设备 /dev/ttyORXMISSING 不存在。")), qPrintable(reason));
    for (const orx::PortEntry& e : orx::AvailablePorts())
        QVERIFY(reason.contains(e.location));
}

void PortDiagnosisTest::busyPortSaysAnotherProgramHoldsIt()
{
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    orx::SerialPort first(orx::kTransferTimeouts);
    QVERIFY(first.open(radio.device()));
    orx::SerialPort second(orx::kTransferTimeouts);
    QVERIFY(!second.open(radio.device()));
    const QString reason = orx::PortProblemText(second.openProblem());
    QVERIFY2(reason.contains(QStringLiteral("占用")), qPrintable(reason));
    QVERIFY(reason.contains(radio.device()));
    // The lock file names the holder, this very test; no advice about other programs then.
    QVERIFY2(reason.contains(QStringLiteral("tst_port_diagnosis（进程 %1）").arg(getpid())),
             qPrintable(reason));
    QVERIFY(!reason.contains(QStringLiteral("ModemManager")));
    // Once the first lets go, the port opens and the reason is gone.
    first.close();
    QVERIFY(second.open(radio.device()));
    QVERIFY(orx::PortProblemText(second.openProblem()).isEmpty());
}

void PortDiagnosisTest::deviceTheUserMayNotOpenNamesItsGroup()
{
    // In the child: the device named by the parent, opened as an ordinary user.
    const QByteArray childDevice = qgetenv("ORX_PORT_CHILD_DEVICE");
    if (!childDevice.isEmpty()) {
        orx::SerialPort port(orx::kTransferTimeouts);
        QVERIFY(!port.open(QString::fromLocal8Bit(childDevice)));
        std::fputs(orx::PortProblemText(port.openProblem()).toUtf8().constData(), stdout);
        return;
    }
    if (geteuid() != 0)
        QSKIP("needs root to run the check as another user");
    // A pseudo-terminal belongs to root and the group tty, which the user nobody is not in.
    SimulatedRadio radio;
    QVERIFY(radio.ok());
    QTemporaryDir scratch;
    QVERIFY(QFile::setPermissions(scratch.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                      QFile::ReadOther | QFile::ExeOther));
    const QString copy = scratch.filePath(QStringLiteral("tst_port_diagnosis"));
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ORX_PORT_CHILD_DEVICE"), radio.device());
    env.insert(QStringLiteral("HOME"), scratch.path());
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral("setpriv"),
            {QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
             QStringLiteral("--clear-groups"), copy, QStringLiteral("deviceTheUserMayNotOpenNamesItsGroup")});
    QVERIFY(p.waitForFinished(60000));
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(p.exitCode() == 0, qPrintable(out + QString::fromUtf8(p.readAllStandardError())));
    QVERIFY2(out.contains(QStringLiteral("没有权限使用 ") + radio.device()), qPrintable(out));
    // The reason names the device's own group (tty on most systems); a root-only device says so.
    struct stat st {};
    QVERIFY(::stat(QFile::encodeName(radio.device()).constData(), &st) == 0);
    const struct group* g = ::getgrgid(st.st_gid);
    const QString group = g ? QString::fromLocal8Bit(g->gr_name) : QString();
    if (st.st_gid == 0)
        QVERIFY2(out.contains(QStringLiteral("只允许 root 使用")), qPrintable(out));
    else
        QVERIFY2(out.contains(QStringLiteral("用户组 ") + group), qPrintable(out));
}

void PortDiagnosisTest::reasons_data()
{
    QTest::addColumn<int>("failure");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QStringList>("available");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("a root-only device is not a group to join")
        << int(orx::PortFailure::PermissionDenied) << "root" << QStringList{}
        << QStringList{"/dev/ttyUSB0", "只允许 root 使用", "dialout", "注销并重新登录"};
    QTest::newRow("permission names the device's group and the way out")
        << int(orx::PortFailure::PermissionDenied) << "uucp" << QStringList{}
        << QStringList{"/dev/ttyUSB0", "uucp", "usermod -a -G uucp", "注销并重新登录"};
    QTest::newRow("no device and none at all") << int(orx::PortFailure::NoSuchDevice) << "" << QStringList{}
                                               << QStringList{"不存在", "没有找到任何串口设备"};
    QTest::newRow("no device lists the others")
        << int(orx::PortFailure::NoSuchDevice) << "" << QStringList{"/dev/ttyACM0", "/dev/ttyS0"}
        << QStringList{"/dev/ttyACM0、/dev/ttyS0"};
    QTest::newRow("no port chosen points at the menu")
        << int(orx::PortFailure::NoPortChosen) << "" << QStringList{} << QStringList{"端口设置"};
}

void PortDiagnosisTest::reasons()
{
    QFETCH(int, failure);
    QFETCH(QString, group);
    QFETCH(QStringList, available);
    QFETCH(QStringList, expected);
    orx::PortProblem p;
    p.failure = orx::PortFailure(failure);
    p.device = QStringLiteral("/dev/ttyUSB0");
    p.group = group;
    p.available = available;
    const QString text = orx::PortProblemText(p);
    for (const QString& part : expected)
        QVERIFY2(text.contains(part), qPrintable(text));
}

void PortDiagnosisTest::notASerialPort_data()
{
    QTest::addColumn<QString>("device");
    QTest::newRow("a character device that is no terminal") << QStringLiteral("/dev/null");
    QTest::newRow("a regular file") << QStringLiteral("FILE");
    QTest::newRow("a folder") << QStringLiteral("/tmp");
}

void PortDiagnosisTest::notASerialPort()
{
    QFETCH(QString, device);
    QTemporaryDir scratch;
    if (device == QStringLiteral("FILE")) {
        device = scratch.filePath(QStringLiteral("radio.sin"));
        QFile f(device);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    orx::SerialPort port(orx::kTransferTimeouts);
    QVERIFY(!port.open(device));
    QCOMPARE(orx::PortProblemText(port.openProblem()),
             QStringLiteral("%1 不是串口设备。请在“端口设置”菜单中选择编程线所接的串口（如 /dev/ttyUSB0）。")
                 .arg(device));
}

void PortDiagnosisTest::lockFilesNameTheirHolder_data()
{
    QTest::addColumn<QByteArray>("content"); // PID stands for a live process, DEAD for a gone one
    QTest::addColumn<QString>("name");       // the holder's name found, empty for none
    QTest::addColumn<QString>("host");
    QTest::newRow("QLockFile of orxtool") << QByteArray("PID\norxtool\nHOST\n") << "orxtool"
                                          << "";
    QTest::newRow("QLockFile from another machine") << QByteArray("PID\norxprog\nradio-bench\n") << "orxprog"
                                                    << "radio-bench";
    QTest::newRow("a pid alone, padded") << QByteArray("     PID\n") << "sleep"
                                         << "";
    QTest::newRow("a stale lock") << QByteArray("DEAD\norxtool\nHOST\n") << ""
                                  << "";
    QTest::newRow("garbage") << QByteArray("locked!\n") << ""
                             << "";
}

void PortDiagnosisTest::lockFilesNameTheirHolder()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, name);
    QFETCH(QString, host);
    const QString device = QStringLiteral("/dev/ttyORXLOCKTEST");
    QString lockPath;
    for (const QString& candidate : orx::PortLockFiles(device)) {
        if (QFileInfo(QFileInfo(candidate).absolutePath()).isWritable()) {
            lockPath = candidate;
            break;
        }
    }
    if (lockPath.isEmpty())
        QSKIP("no lock folder is writable here");
    QVERIFY(lockPath.endsWith(QStringLiteral("/LCK..ttyORXLOCKTEST")));

    QProcess sleeper;
    sleeper.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    QVERIFY(sleeper.waitForStarted());
    QProcess gone;
    gone.start(QStringLiteral("true"), {});
    QVERIFY(gone.waitForFinished());
    char hostName[256] = {};
    ::gethostname(hostName, sizeof hostName - 1);
    content.replace("PID", QByteArray::number(sleeper.processId()));
    content.replace("DEAD", QByteArray::number(gone.processId()));
    content.replace("HOST", hostName);
    QFile lock(lockPath);
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(content);
    lock.close();

    const orx::PortHolder holder = orx::FindPortHolder(device);
    const qint64 sleeperPid = sleeper.processId();
    QFile::remove(lockPath);
    sleeper.kill();
    sleeper.waitForFinished();
    QCOMPARE(holder.name, name);
    QCOMPARE(holder.host, host);
    if (!name.isEmpty())
        QCOMPARE(holder.pid, sleeperPid);
}

namespace {

// A pseudo-terminal nobody answers on: its device path, and the master kept open.
struct SilentTerminal {
    int master = -1;
    QString device;
    SilentTerminal()
    {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && ::grantpt(master) == 0 && ::unlockpt(master) == 0)
            device = QString::fromLocal8Bit(::ptsname(master));
    }
    ~SilentTerminal()
    {
        if (master >= 0)
            ::close(master);
    }
};

} // namespace

void PortDiagnosisTest::anotherOrxtoolIsNamed()
{
    SilentTerminal pty;
    QVERIFY(!pty.device.isEmpty());
    // orxtool read waits for a radio that never answers, holding the port meanwhile.
    QProcess tool;
    tool.start(QStringLiteral(ORXTOOL_PATH),
               {QStringLiteral("read"), pty.device, QStringLiteral("/dev/null")});
    QVERIFY(tool.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(orx::FindPortHolder(pty.device).name, QStringLiteral("orxtool"), 10000);
    orx::SerialPort port(orx::kTransferTimeouts);
    QVERIFY(!port.open(pty.device));
    const qint64 toolPid = tool.processId();
    tool.kill();
    tool.waitForFinished();
    QVERIFY2(orx::PortProblemText(port.openProblem())
                 .contains(QStringLiteral("正被orxtool（进程 %1）占用").arg(toolPid)),
             qPrintable(orx::PortProblemText(port.openProblem())));
}

void PortDiagnosisTest::kernelNamesAHolderWithoutLockFile()
{
    SilentTerminal pty;
    QVERIFY(!pty.device.isEmpty());
    QProcess holder;
    holder.start(QStringLiteral("sh"),
                 {QStringLiteral("-c"), QStringLiteral("exec sleep 30 < \"$0\""), pty.device});
    QVERIFY(holder.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(orx::FindPortHolder(pty.device).name, QStringLiteral("sleep"), 10000);
    QCOMPARE(orx::FindPortHolder(pty.device).pid, holder.processId());
    // Qt's serial port opens it beside the holder (no lock file, no exclusive open), so only the
    // diagnosis of a failed open would name it.
    holder.kill();
    holder.waitForFinished();
}

void PortDiagnosisTest::transferDialogShowsTheReasonBelowTheMessage()
{
    const QString previous = TestContext().PortName();
    TestContext().SetPortName(QStringLiteral("/dev/ttyORXMISSING"));
    orx::RadioImage image;
    CTransferDlg dlg(image, TestContext());
    dlg.SetReadMode(true);
    dlg.SetTitle(QStringLiteral("读数据"));
    QString text;
    QString informative;
    QString shown;
    int labelWidth = 0;
    WhenModal("QMessageBox", [&](QWidget* w) {
        auto* box = static_cast<QMessageBox*>(w);
        text = box->text();
        informative = box->informativeText();
        auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
        shown = label->text();
        labelWidth = label->width();
        box->accept();
    });
    QTimer::singleShot(0, &dlg,
                       [&dlg] { dlg.findChild<QPushButton*>(QStringLiteral("startButton"))->click(); });
    dlg.exec();
    TestContext().SetPortName(previous);
    QCOMPARE(text, QStringLiteral("打开串口失败"));
    QVERIFY2(informative.contains(QStringLiteral("/dev/ttyORXMISSING")), qPrintable(informative));
    // The box breaks the lines itself, never inside the path.
    QVERIFY2(shown.contains(QStringLiteral("/dev/ttyORXMISSING")), qPrintable(shown));
    QVERIFY(labelWidth >= dlg.fontMetrics().horizontalAdvance(QStringLiteral("/dev/ttyORXMISSING")));
}

void PortDiagnosisTest::devicePathsNeverBreak_data()
{
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QStringList>("paths");
    QTest::newRow("a missing device and the ones present")
        << "串口设备 /dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0 "
           "不存在。本机现有的串口设备："
           "/dev/ttyS0、/dev/ttyUSB0。"
        << QStringList{"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", "/dev/ttyS0",
                       "/dev/ttyUSB0"};
    QTest::newRow("a busy port and a command with <, > and &")
        << "串口 /dev/ttyACM0 正被minicom <1234> & 占用。" << QStringList{"/dev/ttyACM0"};
}

void PortDiagnosisTest::devicePathsNeverBreak()
{
    QFETCH(QString, detail);
    QFETCH(QStringList, paths);
    QCOMPARE(CLinkMessageBox::DevicePaths(detail), paths);
    // Broken for a line far narrower than the longest path, each path still stays whole.
    const QFontMetrics fm(QApplication::font());
    const int width = fm.horizontalAdvance(QStringLiteral("中中中中中中"));
    const QString wrapped = CLinkMessageBox::WrapDetail(detail, fm, width);
    const QStringList lines = wrapped.split(QLatin1Char('\n'));
    QVERIFY2(lines.size() > 2, qPrintable(wrapped));
    for (const QString& path : paths) {
        QVERIFY2(std::any_of(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(path); }),
                 qPrintable(wrapped));
    }
    for (const QString& line : lines) {
        const bool holdsPath =
            std::any_of(paths.begin(), paths.end(), [&](const QString& p) { return line.contains(p); });
        QVERIFY2(holdsPath || fm.horizontalAdvance(line) <= width, qPrintable(line));
        // No line starts with a closing mark.
        QVERIFY2(!QStringLiteral("，。、：；").contains(line.front()), qPrintable(line));
    }
    // Nothing is lost but the blanks where lines were broken.
    QCOMPARE(QString(wrapped).remove(QLatin1Char('\n')).remove(QLatin1Char(' ')),
             QString(detail).remove(QLatin1Char(' ')));
}

QTEST_MAIN(PortDiagnosisTest)
#include "tst_port_diagnosis.moc"
