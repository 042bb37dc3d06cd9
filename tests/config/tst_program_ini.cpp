// Program.ini must behave like a Windows profile file: installers write it for that, and the
// program must never disturb the lines it does not own.

#include "AppContext.h"
#include "ProgramIni.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray gbk(const QString& s)
{
    QStringEncoder encoder("GBK");
    return encoder.encode(s);
}

} // namespace

class TestProgramIni : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString writeFile(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("Program.ini"));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    QByteArray readFile(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }

private slots:
    void getString_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        QTest::newRow("names ignore case") << QByteArray("[setup]\nCom=COM3\n") << "SETUP"
                                           << "com"
                                           << "COM3";
        QTest::newRow("first of duplicate keys wins")
            << QByteArray("[Setup]\nCOM=COM1\ncom=COM2\n") << "Setup"
            << "COM"
            << "COM1";
        QTest::newRow("only the first matching section is searched")
            << QByteArray("[Setup]\nA=1\n[SETUP]\nCOM=COM2\n") << "Setup"
            << "COM"
            << "";
        QTest::newRow("blanks around names and value trimmed")
            << QByteArray("  [ Setup ] \n \tCOM  =  COM4 \t\n") << "Setup"
            << "COM"
            << "COM4";
        QTest::newRow("quoted value loses its quotes") << QByteArray("[Setup]\nCOM=\" COM5 \"\n") << "Setup"
                                                       << "COM"
                                                       << " COM5 ";
        QTest::newRow("single-quoted value loses its quotes")
            << QByteArray("[Setup]\nType0='ORX-1 UHF'\n") << "Setup"
            << "Type0"
            << "ORX-1 UHF";
        QTest::newRow("quotes of two kinds stay") << QByteArray("[Setup]\nCOM='COM5\"\n") << "Setup"
                                                  << "COM"
                                                  << "'COM5\"";
        QTest::newRow("lone quote stays") << QByteArray("[Setup]\nCOM=\"COM5\n") << "Setup"
                                          << "COM"
                                          << "\"COM5";
        QTest::newRow("comment line is no entry") << QByteArray("[Setup]\n ;COM=COM1\nCOM=COM2\n") << "Setup"
                                                  << "COM"
                                                  << "COM2";
        QTest::newRow("semicolon inside a value is kept")
            << QByteArray("[Setup]\nField0=136-174MHz;400-470MHz\n") << "Setup"
            << "Field0"
            << "136-174MHz;400-470MHz";
        QTest::newRow("garbage line skipped") << QByteArray("[Setup]\ngarbage\nCOM=COM7") << "Setup"
                                              << "COM"
                                              << "COM7";
        QTest::newRow("CRLF lines") << QByteArray("[Setup]\r\nCOM=COM6\r\n") << "Setup"
                                    << "COM"
                                    << "COM6";
        QTest::newRow("UTF-8 byte order mark") << QByteArray("\xEF\xBB\xBF[Setup]\nCOM=COM1\n") << "Setup"
                                               << "COM"
                                               << "COM1";
        QTest::newRow("key of another section") << QByteArray("[Other]\nCOM=COM1\n[Setup]\n") << "Setup"
                                                << "COM"
                                                << "";
        QTest::newRow("key before any section") << QByteArray("COM=COM1\n[Setup]\n") << "Setup"
                                                << "COM"
                                                << "";
        QTest::newRow("empty file") << QByteArray() << "Setup"
                                    << "COM"
                                    << "";

        const QString long300 = QString(300, u'x');
        QTest::newRow("value cut at 259 characters") << ("[Setup]\nField0=" + long300.toUtf8()) << "Setup"
                                                     << "Field0" << long300.left(259);
        QTest::newRow("value of 259 characters whole")
            << ("[Setup]\nField0=" + long300.left(259).toUtf8()) << "Setup"
            << "Field0" << long300.left(259);
    }

    void getString()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        CProgramIni ini(writeFile(file));
        QCOMPARE(ini.GetString(section, key), expected);
    }

    void getInt_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("expected");
        QTest::newRow("plain") << QByteArray("42") << 42;
        QTest::newRow("negative") << QByteArray("-7") << -7;
        QTest::newRow("leading digits only") << QByteArray("12abc") << 12;
        QTest::newRow("quoted") << QByteArray("\"15\"") << 15;
        QTest::newRow("no number") << QByteArray("abc") << 0;
        QTest::newRow("empty") << QByteArray() << 0;
    }

    void getInt()
    {
        QFETCH(QByteArray, value);
        QFETCH(int, expected);
        CProgramIni ini(writeFile("[Setup]\nN=" + value + "\n"));
        QCOMPARE(ini.GetInt("Setup", "N"), expected);
        QCOMPARE(ini.GetInt("Setup", "Missing"), 0);
    }

    void writeString_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");

        QTest::newRow("in place, every other byte and CRLF kept")
            << QByteArray("; installer\r\n[setup]\r\n\r\ncom = COM1 \r\ngarbage\r\nType0=X\r\n") << "COM"
            << "COM3" << QByteArray("; installer\r\n[setup]\r\n\r\ncom = COM3\r\ngarbage\r\nType0=X\r\n");
        QTest::newRow("only the first of duplicate keys changes")
            << QByteArray("[Setup]\nCOM=COM1\nCOM=COM2\n") << "COM"
            << "COM8" << QByteArray("[Setup]\nCOM=COM8\nCOM=COM2\n");
        QTest::newRow("inserted after the last entry of the section")
            << QByteArray("[Setup]\nA=1\nB=2\n\n; tail\n[Other]\nC=3\n") << "COM"
            << "COM2" << QByteArray("[Setup]\nA=1\nB=2\nCOM=COM2\n\n; tail\n[Other]\nC=3\n");
        QTest::newRow("section without entries: right after its header")
            << QByteArray("[Setup]\r\n; note\r\n") << "COM"
            << "COM1" << QByteArray("[Setup]\r\nCOM=COM1\r\n; note\r\n");
        QTest::newRow("insert after a last line without line ending")
            << QByteArray("[Setup]\nA=1") << "COM"
            << "COM1" << QByteArray("[Setup]\nA=1\nCOM=COM1\n");
        QTest::newRow("new section appended in the file's line style")
            << QByteArray("[Other]\r\nC=3") << "COM"
            << "COM1" << QByteArray("[Other]\r\nC=3\r\n[Setup]\r\nCOM=COM1\r\n");
        QTest::newRow("empty file") << QByteArray() << "COM"
                                    << "COM1" << QByteArray("[Setup]\nCOM=COM1\n");
        QTest::newRow("empty value") << QByteArray("[Setup]\nCOM=COM1\n") << "COM"
                                     << "" << QByteArray("[Setup]\nCOM=\n");
        QTest::newRow("value with blanks at its ends is quoted")
            << QByteArray("[Setup]\nCOM=COM1\n") << "COM"
            << " x " << QByteArray("[Setup]\nCOM=\" x \"\n");
        QTest::newRow("value in single quotes is quoted again")
            << QByteArray("[Setup]\nCOM=COM1\n") << "COM"
            << "'x'" << QByteArray("[Setup]\nCOM=\"'x'\"\n");
        QTest::newRow("byte order mark kept") << QByteArray("\xEF\xBB\xBF[Setup]\nCOM=COM1\n") << "COM"
                                              << "COM2" << QByteArray("\xEF\xBB\xBF[Setup]\nCOM=COM2\n");
    }

    void writeString()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        CProgramIni ini(writeFile(before));
        QVERIFY(ini.WriteString("Setup", key, value));
        QCOMPARE(readFile(ini.path()), after);
        QCOMPARE(ini.GetString("Setup", key), value);
    }

    void writeRefusedLeavesFile_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("line break in value") << "Setup"
                                             << "COM"
                                             << "COM1\n[Evil]";
        QTest::newRow("'=' in key") << "Setup"
                                    << "A=B"
                                    << "1";
        QTest::newRow("empty key") << "Setup"
                                   << ""
                                   << "1";
        QTest::newRow("']' in section") << "Se]tup"
                                        << "COM"
                                        << "1";
    }

    void writeRefusedLeavesFile()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        const QByteArray before("[Setup]\nCOM=COM1\n");
        CProgramIni ini(writeFile(before));
        QVERIFY(!ini.WriteString(section, key, value));
        QCOMPARE(readFile(ini.path()), before);
    }

    void missingFileIsCreatedEmpty()
    {
        QTemporaryDir dir;
        const CAppContext context(dir.path()); // without trailing separator: one is added
        QCOMPARE(context.AppDirectory(), dir.path() + "/");
        CProgramIni ini = context.ProgramIni();
        QCOMPARE(ini.path(), dir.filePath("Program.ini"));
        QVERIFY(QFile::exists(ini.path()));
        QCOMPARE(QFileInfo(ini.path()).size(), 0);
        QCOMPARE(ini.GetString("Setup", "COM"), QString());

        // At exit the port is stored, also when empty.
        QVERIFY(ini.WriteString("Setup", "COM", ""));
        QCOMPARE(readFile(ini.path()), QByteArray("[Setup]\nCOM=\n"));
    }

    void uncreatableFileGivesDefaults()
    {
        // A folder that does not exist refuses the file for every user, root included.
        const QString path = m_dir.filePath("missing/Program.ini");
        CProgramIni ini(path);
        QVERIFY(!QFile::exists(path));
        QCOMPARE(ini.GetString("Setup", "COM"), QString());
        QVERIFY(!ini.WriteString("Setup", "COM", "COM1"));
        QVERIFY(ini.ReadRadioCatalog().models.empty());
    }

    void readOnlyFolder()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        const QString path = dir.filePath("Program.ini");
        CProgramIni ini(path);
        const bool created = QFile::exists(path);
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (created)
            QSKIP("this user may write into read-only folders");
        QCOMPARE(ini.GetString("Setup", "COM"), QString());
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
        QVERIFY(!ini.WriteString("Setup", "COM", "COM1"));
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void writableFileInReadOnlyFolderIsWrittenInPlace()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("Program.ini");
        CProgramIni ini(path);
        QVERIFY(ini.WriteString("Setup", "COM", "COM1"));
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
        const bool written = ini.WriteString("Setup", "COM", "COM2");
        QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(written);
        QCOMPARE(readFile(path), QByteArray("[Setup]\nCOM=COM2\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Program.ini"});
    }

    void folderInPlaceOfFile()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir("Program.ini"));
        CProgramIni ini(dir.filePath("Program.ini"));
        QCOMPARE(ini.GetString("Setup", "COM"), QString());
        QVERIFY(!ini.WriteString("Setup", "COM", "COM1"));
    }

    void encodings_data()
    {
        QTest::addColumn<bool>("isGbk");
        QTest::newRow("GBK") << true;
        QTest::newRow("UTF-8") << false;
    }

    void encodings()
    {
        QFETCH(bool, isGbk);
        auto encode = [isGbk](const QString& s) { return isGbk ? gbk(s) : s.toUtf8(); };
        const QString text =
            QStringLiteral("[Setup]\r\nType0=对讲机 A\r\nType1=手台\r\nType2=\r\nType3=后面\r\n"
                           "Field0=136-174MHz;400-470MHz\r\nField1=频段\r\nCOM=COM1\r\n");
        CProgramIni ini(writeFile(encode(text)));

        const orx::RadioCatalog catalog = ini.ReadRadioCatalog();
        QCOMPARE(catalog.models.size(), std::size_t(2));
        QCOMPARE(QString::fromStdString(catalog.models[0]), QStringLiteral("对讲机 A"));
        QCOMPARE(QString::fromStdString(catalog.models[1]), QStringLiteral("手台"));
        QCOMPARE(QString::fromStdString(catalog.fields[1]), QStringLiteral("频段"));
        QCOMPARE(catalog.fields[2], std::string());

        // Updating a value keeps the file in its own encoding, Chinese values included.
        QVERIFY(ini.WriteString("Setup", "COM", QStringLiteral("串口2")));
        QString expected = text;
        expected.replace("COM=COM1", QStringLiteral("COM=串口2"));
        QCOMPARE(readFile(ini.path()), encode(expected));
        QCOMPARE(ini.GetString("Setup", "COM"), QStringLiteral("串口2"));
    }

    void characterOutsideGbkIsRefused()
    {
        const QByteArray before = gbk(QStringLiteral("[Setup]\nType0=手台\nCOM=COM1\n"));
        CProgramIni ini(writeFile(before));
        QVERIFY(!ini.WriteString("Setup", "COM", QStringLiteral("\U0001F4FB")));
        QCOMPARE(readFile(ini.path()), before);
    }

    void catalogReadsAllTwentyFields()
    {
        CProgramIni ini(writeFile("[Setup]\nType0=A\nField19=400-470MHz\nField20=x\n"));
        const orx::RadioCatalog catalog = ini.ReadRadioCatalog();
        QCOMPARE(catalog.models, std::vector<std::string>{"A"});
        QCOMPARE(catalog.fields[19], std::string("400-470MHz"));
    }
};

QTEST_GUILESS_MAIN(TestProgramIni)
#include "tst_program_ini.moc"
