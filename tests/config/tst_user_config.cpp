// Program.ini of an installed program in a folder the user cannot write: the installed file is read,
// the user's own copy in the per-user configuration folder wins and receives every write.
//
// The folder must really be read-only for the process. Run as root, where permissions do not hold,
// the test runs itself again as the user nobody (with setpriv) on a copy of its own executable.

#include "AppContext.h"
#include "ProgramIni.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

constexpr const char* kChildVariable = "ORX_USER_CONFIG_CHILD"; // the installed folder, in the child

const QByteArray kInstalledIni =
    "[Setup]\r\nType0=ORX-V1\r\nField0=136-174MHz\r\nType1=ORX-U2\r\nField1=400-480MHz\r\n"
    "COM=COM2\r\n";

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class UserConfigTest : public QObject {
    Q_OBJECT
private slots:
    void writableFolderUsesTheFileBesideTheProgram();
    void readOnlyFolderKeepsTheUsersCopy();
    void systemFileWinsOverAWritableEmptyFolder();

private:
    void checkReadOnlyInstallation(const QString& installedFolder);

    CAppContext context;
};

void UserConfigTest::writableFolderUsesTheFileBesideTheProgram()
{
    if (qEnvironmentVariableIsSet(kChildVariable))
        QSKIP("runs in the parent only");
    QTemporaryDir app;
    context.SetAppDirectory(app.path());
    QFile f(app.filePath(QStringLiteral("Program.ini")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(kInstalledIni);
    f.close();
    CProgramIni ini = context.ProgramIni();
    QVERIFY(ini.installedPath().isEmpty());
    QCOMPARE(ini.path(), app.filePath(QStringLiteral("Program.ini")));
    QVERIFY(ini.WriteString(QStringLiteral("Setup"), QStringLiteral("COM"), QStringLiteral("COM5")));
    QVERIFY(readAll(app.filePath(QStringLiteral("Program.ini"))).contains("COM=COM5"));
}

void UserConfigTest::systemFileWinsOverAWritableEmptyFolder()
{
    // Root may write into the program's folder of an installation; the package's file is still the
    // one read, and nothing is created beside the program.
    if (qEnvironmentVariableIsSet(kChildVariable))
        QSKIP("runs in the parent only");
    QTemporaryDir scratch;
    const QString system = scratch.filePath(QStringLiteral("Program.ini"));
    QFile f(system);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(kInstalledIni);
    f.close();
    QVERIFY(QDir().mkpath(scratch.filePath(QStringLiteral("lib"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(scratch.filePath(QStringLiteral("config"))));
    const QString previous = CProgramIni::SystemPath();
    CProgramIni::SetSystemPath(system);
    context.SetAppDirectory(scratch.filePath(QStringLiteral("lib")));
    CProgramIni ini = context.ProgramIni();
    CProgramIni::SetSystemPath(previous);
    QCOMPARE(ini.installedPath(), system);
    QCOMPARE(ini.GetString(QStringLiteral("Setup"), QStringLiteral("Type1")), QStringLiteral("ORX-U2"));
    QVERIFY(!QFile::exists(scratch.filePath(QStringLiteral("lib/Program.ini"))));
}

void UserConfigTest::readOnlyFolderKeepsTheUsersCopy()
{
    const QByteArray child = qgetenv(kChildVariable);
    if (!child.isEmpty()) {
        checkReadOnlyInstallation(QString::fromLocal8Bit(child));
        return;
    }

    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QString installed = scratch.filePath(QStringLiteral("opt"));
    const QString home = scratch.filePath(QStringLiteral("home"));
    QVERIFY(QDir().mkpath(installed));
    QVERIFY(QDir().mkpath(home));
    QFile ini(installed + QStringLiteral("/Program.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(kInstalledIni);
    ini.close();
    const auto readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                          QFile::ReadOther | QFile::ExeOther;
    // A second installation, the package's: no Program.ini beside the program, the system-wide one
    // in etc.
    const QString bare = scratch.filePath(QStringLiteral("lib"));
    QVERIFY(QDir().mkpath(bare));
    QVERIFY(QDir().mkpath(scratch.filePath(QStringLiteral("etc"))));
    QFile system(scratch.filePath(QStringLiteral("etc/Program.ini")));
    QVERIFY(system.open(QIODevice::WriteOnly));
    system.write("[Setup]\nType0=ORX-SYS\nField0=400-470MHz\nCOM=COM8\n");
    system.close();
    QVERIFY(QFile::setPermissions(bare, readOnly));
    QVERIFY(QFile::setPermissions(installed, readOnly));
    QVERIFY(QFile::setPermissions(ini.fileName(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kChildVariable), installed);
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    QString program = QCoreApplication::applicationFilePath();
    QStringList args{QStringLiteral("readOnlyFolderKeepsTheUsersCopy")};
    if (geteuid() == 0) {
        // Root may write anywhere: run as nobody, from a copy the scratch folder lets nobody execute.
        QVERIFY(QFile::setPermissions(scratch.path(), readOnly | QFile::WriteOwner));
        QVERIFY(QFile::setPermissions(home,
                                      readOnly | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther));
        const QString copy = scratch.filePath(QStringLiteral("tst_user_config"));
        QVERIFY(QFile::copy(program, copy));
        args = QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                           QStringLiteral("--clear-groups"), copy} +
               args;
        program = QStringLiteral("setpriv");
    }
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, args);
    QVERIFY2(p.waitForFinished(60000), "the check as an ordinary user did not finish");
    const QByteArray output = p.readAllStandardOutput() + p.readAllStandardError();
    QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, output.constData());
    // The installed file is never touched; the user's copy holds the port.
    QCOMPARE(readAll(ini.fileName()), kInstalledIni);
    const QByteArray userCopy = readAll(home + QStringLiteral("/.config/orxprog/Program.ini"));
    QVERIFY2(userCopy.contains("COM=COM7"), userCopy.constData());
    QVERIFY(!userCopy.contains("Type0"));
}

void UserConfigTest::checkReadOnlyInstallation(const QString& installedFolder)
{
    context.SetAppDirectory(installedFolder);
    CProgramIni ini = context.ProgramIni();
    QCOMPARE(ini.installedPath(), installedFolder + QStringLiteral("/Program.ini"));
    QCOMPARE(ini.path(), CProgramIni::UserCopyPath());
    QVERIFY(QFile::exists(ini.path()));
    const QString setup = QStringLiteral("Setup");
    // Before the user writes anything, everything comes from the installed file.
    QCOMPARE(ini.GetString(setup, QStringLiteral("COM")), QStringLiteral("COM2"));
    QCOMPARE(ini.ReadRadioCatalog().models, (std::vector<std::string>{"ORX-V1", "ORX-U2"}));
    // The write goes to the user's copy, which then wins; the rest still comes from the installation.
    QVERIFY(ini.WriteString(setup, QStringLiteral("COM"), QStringLiteral("COM7")));
    CProgramIni again = context.ProgramIni();
    QCOMPARE(again.GetString(setup, QStringLiteral("COM")), QStringLiteral("COM7"));
    QCOMPARE(again.GetString(setup, QStringLiteral("Type1")), QStringLiteral("ORX-U2"));
    QCOMPARE(again.ReadRadioCatalog().fields[1], std::string("400-480MHz"));

    // Without a Program.ini beside the program, the system-wide file is the installed one; the
    // user's copy still wins, and the command-line tool reads the same two files.
    const QString system = installedFolder + QStringLiteral("/../etc/Program.ini");
    CProgramIni::SetSystemPath(system);
    context.SetAppDirectory(installedFolder + QStringLiteral("/../lib"));
    CProgramIni package = context.ProgramIni();
    QCOMPARE(package.installedPath(), system);
    QCOMPARE(package.path(), CProgramIni::UserCopyPath());
    QCOMPARE(package.GetString(setup, QStringLiteral("COM")), QStringLiteral("COM7"));
    QCOMPARE(package.ReadRadioCatalog().models, std::vector<std::string>{"ORX-SYS"});
    QCOMPARE(CProgramIni::DefaultReadOrder(context.AppDirectory()),
             (QStringList{CProgramIni::UserCopyPath(), system}));
}

QTEST_GUILESS_MAIN(UserConfigTest)
#include "tst_user_config.moc"
