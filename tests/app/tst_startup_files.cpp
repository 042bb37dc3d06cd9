// The files the program meets at start and exit that are not what it expects: a channel-data file
// whose name is not UTF-8 (GBK names from Chinese Windows archives), and a Program.ini that is no
// text the program can read, which must come out of a normal run byte for byte as it went in.

#include "FileNames.h"
#include "ProgramApp.h"
#include "ProgramDoc.h"
#include "AppContext.h"
#include "ProgramIni.h"
#include "TestFiles.h"
#include "TestSupport.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

using testsupport::ScratchAppDirectory;

namespace {

const QByteArray kGbkName = "\xB2\xE2\xCA\xD4\xD0\xC5\xB5\xC0.sin"; // 测试信道.sin in GBK

QByteArray imageWithSquelch(int squelch)
{
    orx::RadioImage image;
    image.resetToNewDocument();
    image.set(orx::map::kSquelch, std::uint8_t(squelch));
    return testfiles::ImageBytes(image);
}

// Writes a file under a name given as raw bytes, which QFile could not spell.
bool writeRaw(const QByteArray& path, const QByteArray& bytes)
{
    std::ofstream out(path.toStdString(), std::ios::binary);
    out.write(bytes.constData(), bytes.size());
    return bool(out);
}

QByteArray readRaw(const QByteArray& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    return QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(in), {}));
}

} // namespace

class StartupFilesTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_home;

private slots:
    void initTestCase()
    {
        // The user's copy of Program.ini goes here, never into the real home.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath(QStringLiteral("config"))));
    }

    void fileNamesKeepTheirBytes_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ASCII") << QByteArray("/tmp/a.sin") << "/tmp/a.sin";
        QTest::newRow("UTF-8 Chinese") << QString("/tmp/信道.sin").toUtf8() << "/tmp/信道.sin";
        // C5 B5 of 道 happens to be UTF-8 as well (U+0175): such pairs stay characters.
        QTest::newRow("GBK") << kGbkName
                             << QString(5, QChar(0xFFFD)) + QChar(0x0175) + QChar(0xFFFD) + ".sin";
        QTest::newRow("a cut-off UTF-8 character") << QByteArray("a\xE4\xBF") << "a\uFFFD\uFFFD";
        QTest::newRow("an encoded surrogate") << QByteArray("\xED\xA0\x80") << "\uFFFD\uFFFD\uFFFD";
    }
    void fileNamesKeepTheirBytes()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        const QString name = FileNameFromBytes(bytes);
        QCOMPARE(FileNameBytes(name), bytes);
        QCOMPARE(QByteArray::fromStdString(FileSystemPath(name).native()), bytes);
        QCOMPARE(DisplayFileName(name), shown);
    }

    void gbkNamedFileOpensAndSavesBack()
    {
        ScratchAppDirectory dir(testsupport::TwoModelIni());
        const QByteArray raw = QFile::encodeName(dir.path()) + kGbkName;
        QVERIFY(writeRaw(raw, imageWithSquelch(7)));
        CProgramApp app({QStringLiteral("orxprog"), FileNameFromBytes(raw)}, dir.path());
        QVERIFY(app.InitInstance());
        QCOMPARE(app.document()->image().at(orx::map::kSquelch), std::uint8_t{7});

        // Saving goes back into the same file, not into one named with replacement characters (the
        // power calibration is a byte no screen copies over).
        app.document()->image().set(orx::map::kPowerCalibration, 0x55);
        QVERIFY(app.document()->OnSaveDocument(app.document()->pathName()));
        QCOMPARE(std::uint8_t(readRaw(raw).at(int(orx::map::kPowerCalibration))), std::uint8_t{0x55});
        int sinFiles = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path().toStdString()))
            sinFiles += entry.path().extension() == ".sin";
        QCOMPARE(sinFiles, 1);
        std::filesystem::remove(raw.toStdString()); // QTemporaryDir cannot spell the name
    }

    void gbkNamedFileOpensFromTheCommandLine()
    {
        // The real program on the offscreen platform, given the name by the shell as raw bytes.
        QTemporaryDir dir;
        QVERIFY(writeRaw(QFile::encodeName(dir.path()) + '/' + kGbkName, imageWithSquelch(5)));
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("ORX_REPORT_FIRST_PAINT"), QStringLiteral("1"));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(dir.path());
        p.start(QStringLiteral("sh"),
                {QStringLiteral("-c"), QStringLiteral("exec \"$0\" *.sin"), QStringLiteral(ORXPROG_PATH)});
        QVERIFY(p.waitForFinished(60000));
        std::filesystem::remove((QFile::encodeName(dir.path()) + '/' + kGbkName).toStdString());
        // A file that cannot be opened ends start-up before the window is painted.
        QVERIFY2(p.readAllStandardOutput().startsWith("painted"), p.readAllStandardError().constData());
    }

    void fifoOnTheCommandLineIsRefusedAtOnce()
    {
        // Opening a FIFO nobody writes to would wait for ever before any window appears.
        ScratchAppDirectory dir;
        const QString fifo = dir.file(QStringLiteral("pipe.sin"));
        QVERIFY(::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
        QString shown;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&shown] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shown = box->text();
                box->reject();
            }
        });
        closer.start(10);
        CProgramApp app({QStringLiteral("orxprog"), fifo}, dir.path());
        QVERIFY(!app.InitInstance());
        QVERIFY2(shown.contains(QStringLiteral("不是普通文件")), qPrintable(shown));
    }

    void unreadableProgramIniIsNeverWritten_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("UTF-16 with byte-order mark")
            << QByteArray("\xFF\xFE[\0S\0e\0t\0u\0p\0]\0\r\0\n\0C\0O\0M\0=\0C\0O\0M\0"
                          "2\0\r\0\n\0",
                          36);
        QTest::newRow("binary") << QByteArray("\x7F"
                                              "ELF\x02\x01\x01\x00\x00\x00\x91\xFF\xFE",
                                              13);
    }
    void unreadableProgramIniIsNeverWritten()
    {
        QFETCH(QByteArray, ini);
        ScratchAppDirectory dir(ini);
        const QString userCopy = m_home.filePath(QStringLiteral("config/orxprog/Program.ini"));
        QFile::remove(userCopy);
        {
            CProgramApp app({QStringLiteral("orxprog")}, dir.path());
            QVERIFY(app.InitInstance());
            app.context().SetPortName(QStringLiteral("COM3"));
            app.ExitInstance();
        }
        QCOMPARE(testfiles::FileBytes(dir.file(QStringLiteral("Program.ini"))), ini);
        // The port went to the user's copy, and comes back from there.
        QVERIFY(testfiles::FileBytes(userCopy).contains("COM=COM3"));
        CProgramApp again({QStringLiteral("orxprog")}, dir.path());
        QVERIFY(again.InitInstance());
        QCOMPARE(again.context().PortName(), QStringLiteral("COM3"));
        again.ExitInstance();
        QCOMPARE(testfiles::FileBytes(dir.file(QStringLiteral("Program.ini"))), ini);
    }
};

QTEST_MAIN(StartupFilesTest)
#include "tst_startup_files.moc"
