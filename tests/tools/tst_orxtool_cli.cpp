// orxtool as scripts use it: options before or after the command, "-" for standard input and
// output, --version, new, dump --json read back with a JSON parser, the Program.ini the program
// itself reads, and inputs that must be refused quickly and with the right words.

#include "ChannelCodec.h"
#include "ChannelDataFile.h"
#include "ProgramIni.h"
#include "ScreenCopy.h"
#include "TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace orx;
using testfiles::FileBytes;
using testfiles::Run;

namespace {

struct Piped {
    int status = -1;
    QByteArray out;
    QString err;
};

// Runs orxtool (or the copy at program) with input on its standard input.
Piped runPiped(const QStringList& args, const QByteArray& input = QByteArray(),
               const QString& program = QStringLiteral(ORXTOOL_PATH), const QString& lang = QString())
{
    QProcess p;
    if (!lang.isEmpty()) { // the locale's language: LANG, with nothing set before it
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("LC_ALL"));
        env.remove(QStringLiteral("LC_MESSAGES"));
        env.insert(QStringLiteral("LANG"), lang);
        p.setProcessEnvironment(env);
    }
    p.start(program, args);
    p.write(input);
    p.closeWriteChannel();
    Piped r;
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return r;
    r.status = p.exitCode();
    r.out = p.readAllStandardOutput();
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

RadioImage channelImage()
{
    RadioImage image;
    image.resetToNewDocument();
    ScreenCopy screen;
    BandLimits limits;
    ImageToScreen(image, {}, limits, screen);
    ChannelTexts t;
    const QStringList cells =
        QStringLiteral("145.12500|145.72500|模拟:67.0|数字:023N|载波|高|宽|是|两者|CALL-1").split('|');
    for (int i = 0; i < cells.size(); ++i)
        t.cells[std::size_t(i)] = cells[i].toStdString();
    screen.channel(1) = t;
    ScreenToImage(screen, limits, image);
    image.set(map::kFmPresetBase, 0x00); // FM preset 1: 88.50 MHz
    image.set(map::kFmPresetBase + 1, 0x00);
    image.set(map::kFmPresetBase + 2, 0x85);
    image.set(map::kFmPresetBase + 3, 0x08);
    return image;
}

// Channels 1-3 out of order by frequency and by name, and channel 5 behind an empty channel 4.
RadioImage unsortedImage()
{
    RadioImage image;
    image.resetToNewDocument();
    ScreenCopy screen;
    BandLimits limits;
    ImageToScreen(image, {}, limits, screen);
    const char* rows[][2] = {
        {"146.00000", "C"}, {"145.00000", "A"}, {"147.00000", "B"}, {}, {"144.00000", "D"}};
    for (int i = 0; i < 5; ++i) {
        if (!rows[i][0])
            continue;
        ChannelTexts t;
        t.cells[0] = t.cells[1] = rows[i][0];
        t.cells[9] = rows[i][1];
        screen.channel(i + 1) = t;
    }
    ScreenToImage(screen, limits, image);
    return image;
}

// Chinese characters and full-width punctuation.
bool hasChinese(const QString& text)
{
    static const QRegularExpression cjk(
        QStringLiteral("[\\x{3000}-\\x{303F}\\x{3400}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return text.contains(cjk);
}

} // namespace

class TestOrxToolCli : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(QStringLiteral("config"))));
        QVERIFY(SaveChannelData(path("in.sin").toStdString(), channelImage()));
        QVERIFY(testfiles::WriteFile(path("empty.ini"), QByteArray()));
    }

    void optionsMayStandAnywhere_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("after the arguments") << QStringList{"dump", "IN", "--ini", "INI"};
        QTest::newRow("before the command") << QStringList{"--ini", "INI", "dump", "IN"};
        QTest::newRow("between, with =") << QStringList{"dump", "--ini=INI", "IN"};
        QTest::newRow("after --, a file named like an option")
            << QStringList{"--ini", "INI", "dump", "--", "IN"};
    }
    void optionsMayStandAnywhere()
    {
        QFETCH(QStringList, args);
        for (QString& a : args) {
            a.replace("INI", path("empty.ini"));
            if (a == "IN")
                a = path("in.sin");
        }
        const Piped r = runPiped(args);
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.startsWith("1\t145.12500\t145.72500"));
    }

    void badOptionsAreUsageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("a flag with a value") << QStringList{"dump", "--json=yes", "IN"} << "takes no value";
        QTest::newRow("an option of another command")
            << QStringList{"--password", "12", "dump", "IN"} << "does not apply to dump";
        QTest::newRow("an option without its value") << QStringList{"dump", "IN", "--ini"} << "needs a value";
        QTest::newRow("an unknown option")
            << QStringList{"--colour", "dump", "IN"} << "unknown option '--colour'";
    }
    void badOptionsAreUsageErrors()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        for (QString& a : args)
            a = a == "IN" ? path("in.sin") : a;
        const Piped r = runPiped(args);
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(r.out.isEmpty());
    }

    void versionAndHelp()
    {
        Piped r = runPiped({"--version"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QByteArray("orxtool " ORX_VERSION "\n"));
        r = runPiped({"dump", "--help"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.startsWith("usage: orxtool dump FILE.sin [--json] [--ini PATH] [-o FILE]\n"));
        // A command's help lists its options with the values they take, in both languages.
        r = runPiped({"set", "--help"});
        QVERIFY2(r.out.contains("--power VALUE") && r.out.contains("high/高, low/低"), r.out.constData());
        r = runPiped({"--help"});
        for (const char* line :
             {"new OUT.sin", "Exit status:", "  2  bad usage", "\"-\" reads standard input"})
            QVERIFY2(r.out.contains(line), line);
    }

    void setAndSortRefuseWhatAColumnDoesNotTake_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("power medium") << QStringList{"set", "--power", "中"}
                                      << "--power '中' is not a value of that column (high/高, low/低)";
        QTest::newRow("tone off the list")
            << QStringList{"set", "--rx-tone", "模拟:88.6"} << "--rx-tone '模拟:88.6'";
        QTest::newRow("ptt id of another radio")
            << QStringList{"set", "--ptt-id", "always"}
            << "(off/关, before/bot/发射前, after/eot/发射后, both/两者)";
        QTest::newRow("offset without a sign") << QStringList{"set", "--offset", "0.6"} << "--offset '0.6'";
        QTest::newRow("offset with a unit") << QStringList{"set", "--offset", "-600k"} << "--offset '-600k'";
        QTest::newRow("offset and split")
            << QStringList{"set", "--offset", "+5", "--tx", "145"} << "--offset and --tx";
        QTest::newRow("split below any channel") << QStringList{"set", "--tx", "5"} << "--tx '5'";
        QTest::newRow("name prefix in lower case punctuation")
            << QStringList{"set", "--name-prefix", "r_1"} << "--name-prefix 'r_1'";
        QTest::newRow("channel 0") << QStringList{"set", "--channels", "0-4", "--power", "低"}
                                   << "--channels '0-4'";
        QTest::newRow("nothing to set") << QStringList{"set", "--channels", "1-4"} << "at least one value";
        QTest::newRow("sort without a key") << QStringList{"sort"} << "--by";
        QTest::newRow("sort by power") << QStringList{"sort", "--by", "power"} << "--by 'power'";
    }
    void setAndSortRefuseWhatAColumnDoesNotTake()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const QString out = path("refused.sin");
        QFile::remove(out);
        QStringList full{args.front(), path("in.sin"), out};
        full << args.mid(1) << QStringLiteral("--ini") << path("empty.ini");
        const Piped r = runPiped(full);
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QFile::exists(out));
    }

    void setListsTheChannelsItLeftAlone()
    {
        // Channel 1 (145.125 MHz) + 30 MHz would leave 136-174 MHz: it keeps its whole record, power
        // included, and the file is written all the same.
        const QString out = path("left.sin");
        const Piped r = runPiped(
            {"set", path("in.sin"), out, "--offset", "+30", "--power", "低", "--ini", path("empty.ini")});
        QCOMPARE(r.status, 3);
        QVERIFY2(r.err.contains("channel 1 left as it was") && r.err.contains("above the band 136-174 MHz"),
                 qPrintable(r.err));
        RadioImage saved;
        QCOMPARE(LoadChannelData(out.toStdString(), saved), LoadResult::Ok);
        for (std::size_t i = 0; i < 16; ++i) // channel 1's record, transmit frequency and power, stays
            QCOMPARE(saved.at(i), channelImage().at(i));
    }

    void manualPageListsEveryCommandAndOption()
    {
        // The manual page is written by hand; every command, option and exit status of the usage
        // must be in it.
        QString page = QString::fromUtf8(FileBytes(QStringLiteral(ORXTOOL_MANUAL)));
        QVERIFY(!page.isEmpty());
        page.replace(QStringLiteral("\\-"), QStringLiteral("-"));
        page.remove(QRegularExpression(QStringLiteral("\\f[BIR]")));
        const QString usage = QString::fromUtf8(runPiped({"--help"}).out);
        const QRegularExpression item(QStringLiteral("^  ((?:[a-z-]+)|(?:--[a-z-]+)|(?:[0-9]+))\\s"),
                                      QRegularExpression::MultilineOption);
        int checked = 0;
        for (auto m = item.globalMatch(usage); m.hasNext(); ++checked) {
            const QString word = m.next().captured(1);
            QVERIFY2(page.contains(word), qPrintable(word));
        }
        QVERIFY(checked >= 10 + 20 + 5);

        // It renders without a warning where the locale knows no Chinese.
        if (QStandardPaths::findExecutable(QStringLiteral("man")).isEmpty())
            QSKIP("man is not installed");
        QProcess man;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        man.setProcessEnvironment(env);
        man.start(QStringLiteral("man"), {"--warnings", "-l", QStringLiteral(ORXTOOL_MANUAL)});
        QVERIFY(man.waitForFinished(60000));
        QCOMPARE(man.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(man.readAllStandardError()), QString());
    }

    void dashIsStandardInputAndOutput()
    {
        const QByteArray sin = FileBytes(path("in.sin"));
        // resave: in from stdin, out to stdout; the same bytes as with files.
        const Piped piped = runPiped({"resave", "-", "-", "--ini", path("empty.ini")}, sin);
        QCOMPARE(piped.status, 0);
        QCOMPARE(runPiped({"resave", path("in.sin"), path("resaved.sin"), "--ini", path("empty.ini")}).status,
                 0);
        QCOMPARE(piped.out.toHex(), FileBytes(path("resaved.sin")).toHex());
        QVERIFY(!QFile::exists(QDir::current().filePath("-")));

        // csv-export to stdout, then csv-import of that CSV from stdin with the .sin on stdout and
        // the report on stderr.
        const Piped csv = runPiped({"csv-export", path("in.sin"), "-"});
        QCOMPARE(csv.status, 0);
        QVERIFY(csv.out.startsWith("Location,Name,Frequency"));
        const Piped imported =
            runPiped({"csv-import", path("in.sin"), "-", "-", "--ini", path("empty.ini")}, csv.out);
        QCOMPARE(imported.status, 0);
        QCOMPARE(imported.out.toHex(), FileBytes(path("resaved.sin")).toHex());
        QVERIFY2(imported.err.contains("line 2: channel 1 unchanged"), qPrintable(imported.err));

        // Standard input is read once only.
        const Piped twice = runPiped({"diff", "-", "-"}, sin);
        QCOMPARE(twice.status, 2);
        QVERIFY(twice.err.contains("standard input can be read only once"));
        // A short standard input is named as such.
        const Piped shortInput = runPiped({"dump", "-"}, QByteArray(100, '\xFF'));
        QCOMPARE(shortInput.status, 2);
        QVERIFY2(shortInput.err.contains("standard input is not a channel-data file: it has 100 bytes"),
                 qPrintable(shortInput.err));
    }

    void newWritesWhatANewDocumentSaves_data()
    {
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QString>("band"); // dump's band line
        QTest::addColumn<QByteArray>("bandId");
        QTest::newRow("start-up band") << QStringList{} << "136-174MHz" << QByteArray::fromHex("131764");
        QTest::newRow("a band of the second model")
            << QStringList{"--band", "400-480"} << "400-480MHz" << QByteArray::fromHex("404800");
        // The band in force shows even where no list offers it.
        QTest::newRow("a band no list offers")
            << QStringList{"--band=420-450"} << "420-450MHz" << QByteArray::fromHex("424500");
    }
    void newWritesWhatANewDocumentSaves()
    {
        QFETCH(QStringList, extra);
        QFETCH(QString, band);
        QFETCH(QByteArray, bandId);
        QVERIFY(testfiles::WriteFile(path("two.ini"), "[Setup]\nType0=ORX-V1\nField0=136-174MHz;400-470MHz\n"
                                                      "Type1=ORX-U2\nField1=400-480MHz\n"));
        QFile::remove(path("new.sin"));
        const Piped r = runPiped(QStringList{"new", path("new.sin"), "--ini", path("two.ini")} + extra);
        QCOMPARE(r.status, 0);
        const QByteArray bytes = FileBytes(path("new.sin"));
        QCOMPARE(bytes.size(), 4096);
        QCOMPARE(bytes.mid(int(map::kBandId), 3).toHex(), bandId.toHex());
        // Without --band it is exactly the new document saved by a program just started.
        if (extra.isEmpty()) {
            RadioImage image;
            image.resetToNewDocument();
            BandLimits limits;
            QCOMPARE(bytes.toHex(),
                     testfiles::ImageBytes(
                         LoadAndSave(image, CProgramIni(path("two.ini")).ReadRadioCatalog(), limits))
                         .toHex());
        }
        const Piped dump = runPiped({"dump", path("new.sin"), "--ini", path("two.ini")});
        QVERIFY2(dump.out.contains(("\nband=" + band + "\n").toUtf8()), dump.out.constData());
        QCOMPARE(runPiped({"new", path("new.sin"), "--band", "fast"}).status, 2);
    }

    void jsonDocumentRoundTrips()
    {
        // dump --json is the document of json-export; json-import gives the bytes resave gives.
        const QStringList ini{"--ini", path("empty.ini")};
        const Piped r = runPiped(QStringList{"dump", "--json", path("in.sin")} + ini);
        QCOMPARE(r.status, 0);
        QCOMPARE(runPiped(QStringList{"json-export", path("in.sin"), "-"} + ini).out, r.out);
        const QJsonObject root = QJsonDocument::fromJson(r.out).object();
        QCOMPARE(root["version"].toInt(), 1);
        const QJsonObject one = root["channels"].toArray()[0].toObject();
        QCOMPARE(one["rx_mhz"].toDouble(), 145.125);
        QCOMPARE(one["rx_tone"].toObject()["hz"].toDouble(), 67.0);
        QCOMPARE(one["tx_tone"].toObject()["code"].toString(), QStringLiteral("023"));
        QCOMPARE(one["busy_lockout"].toString(), QStringLiteral("carrier"));
        QCOMPARE(one["ptt_id"].toString(), QStringLiteral("both"));
        QCOMPARE(root["fm_presets"].toArray()[0].toDouble(), 88.5);

        QCOMPARE(runPiped({"json-import", "-", "-o", path("back.sin")}, r.out).status, 0);
        QCOMPARE(runPiped(QStringList{"resave", path("in.sin"), path("resaved.sin")} + ini).status, 0);
        QCOMPARE(FileBytes(path("back.sin")), FileBytes(path("resaved.sin")));

        // A bad value: its path and the reason, exit status 1, no file.
        QByteArray bad = r.out;
        bad.replace("\"power\": \"high\"", "\"power\": \"max\"");
        const Piped refused = runPiped({"json-import", "-", path("bad.sin")}, bad);
        QCOMPARE(refused.status, 1);
        QVERIFY2(refused.err.contains("channels[0].power: must be one of \"high\", \"low\""),
                 qPrintable(refused.err));
        QVERIFY(!QFile::exists(path("bad.sin")));
    }

    void englishAndChineseValuesGiveTheSameImage_data()
    {
        QTest::addColumn<QStringList>("english");
        QTest::addColumn<QStringList>("chinese");
        QTest::newRow("power") << QStringList{"--power", "low"} << QStringList{"--power", "低"};
        QTest::newRow("bandwidth") << QStringList{"--bandwidth", "Narrow"}
                                   << QStringList{"--bandwidth", "窄"};
        QTest::newRow("busy lockout")
            << QStringList{"--busy-lockout", "tone"} << QStringList{"--busy-lockout", "亚音"};
        QTest::newRow("scan add") << QStringList{"--scan-add", "no"} << QStringList{"--scan-add", "否"};
        QTest::newRow("ptt id") << QStringList{"--ptt-id", "before"} << QStringList{"--ptt-id", "发射前"};
        QTest::newRow("ctcss") << QStringList{"--rx-tone", "88.5 Hz"}
                               << QStringList{"--rx-tone", "模拟:88.5"};
        QTest::newRow("dcs") << QStringList{"--tx-tone", "D023I"} << QStringList{"--tx-tone", "数字:023I"};
        QTest::newRow("no tone") << QStringList{"--tx-tone", "none"} << QStringList{"--tx-tone", "无"};
    }
    void englishAndChineseValuesGiveTheSameImage()
    {
        QFETCH(QStringList, english);
        QFETCH(QStringList, chinese);
        const QStringList common{"set", path("in.sin"), "--channels", "1", "--ini", path("empty.ini"), "-o"};
        QCOMPARE(runPiped(common + QStringList{path("en.sin")} + english).status, 0);
        QCOMPARE(runPiped(common + QStringList{path("zh.sin")} + chinese).status, 0);
        QCOMPARE(FileBytes(path("en.sin")), FileBytes(path("zh.sin")));
        QVERIFY(FileBytes(path("en.sin")) != FileBytes(path("in.sin")));
    }

    void pipelineWritesToStandardOutput()
    {
        QProcess shell;
        shell.start("sh",
                    {"-c", QStringLiteral("T='%1'; \"$T\" new - --ini '%2' | \"$T\" set - --channels 1-10 "
                                          "--power low -o - --ini '%2' | \"$T\" dump - --lang en --ini '%2'")
                               .arg(ORXTOOL_PATH, path("empty.ini"))});
        QVERIFY(shell.waitForFinished(60000));
        QCOMPARE(shell.exitCode(), 0);
        const QByteArray out = shell.readAllStandardOutput();
        QVERIFY2(out.startsWith("1\t\t\t"), out.left(200).constData());
        QVERIFY(out.contains("\ndisplay_mode=Channel\n"));
    }

    void completionOffersCommandsAndValues_data()
    {
        QTest::addColumn<QString>("line"); // the words before the one completed, which is empty
        QTest::addColumn<QStringList>("offered");
        QTest::newRow("commands") << "orxtool"
                                  << QStringList{"json-export", "json-import", "csv-import", "set"};
        QTest::newRow("power") << "orxtool set in.sin out.sin --power"
                               << QStringList{"high", "low", "高", "低"};
        QTest::newRow("a port to read") << "orxtool read" << QStringList{"COM1", "COM8"};
        QTest::newRow("sort keys") << "orxtool sort in.sin out.sin --by"
                                   << QStringList{"freq", "频率", "信道号"};
    }
    void completionOffersCommandsAndValues()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, offered);
        const QString script =
            QStringLiteral("source '%1'; COMP_WORDS=(%2 ''); COMP_CWORD=${#COMP_WORDS[@]}; "
                           "((COMP_CWORD--)); _orxtool; printf '%s\\n' \"${COMPREPLY[@]}\"")
                .arg(QStringLiteral(ORXTOOL_COMPLETION), line);
        QProcess bash;
        bash.start(QStringLiteral("bash"), {"-c", script});
        QVERIFY(bash.waitForFinished(60000));
        const QStringList words = QString::fromUtf8(bash.readAllStandardOutput()).split('\n');
        for (const QString& word : offered)
            QVERIFY2(words.contains(word), qPrintable(words.join(' ')));
    }

    void programIniIsTheProgramsOwn()
    {
        // A copy of orxtool in a folder of its own, with a Program.ini beside it as a build folder
        // has: without --ini that file gives the lists.
        QTemporaryDir folder;
        const QString tool = folder.filePath(QStringLiteral("orxtool"));
        QVERIFY(QFile::copy(QStringLiteral(ORXTOOL_PATH), tool));
        QVERIFY(testfiles::WriteFile(folder.filePath(QStringLiteral("Program.ini")),
                                     "[Setup]\r\nType0=BESIDE\r\nField0=136-174MHz\r\n"));
        const Piped r = runPiped({"dump", path("in.sin")}, QByteArray(), tool);
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.contains("\nmodel=BESIDE\n"), r.out.constData());
        QVERIFY(!QFile::exists(path("config/orxprog/Program.ini"))); // nothing created
    }

    void writeProtectedFileIsLeftAsItWas_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("new") << QStringList{"new", "RO"};
        QTest::newRow("resave") << QStringList{"resave", "IN", "RO"};
        QTest::newRow("sort") << QStringList{"sort", "IN", "RO", "--by", "freq"};
        QTest::newRow("set") << QStringList{"set", "IN", "RO", "--power", "低"};
        QTest::newRow("csv-import") << QStringList{"csv-import", "IN", "CSV", "RO"};
    }
    void writeProtectedFileIsLeftAsItWas()
    {
        QFETCH(QStringList, args);
        const QByteArray old(4096, '\x11');
        QFile::remove(path("ro.sin"));
        QVERIFY(testfiles::WriteFile(path("ro.sin"), old));
        QVERIFY(
            QFile::setPermissions(path("ro.sin"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        QVERIFY(testfiles::WriteFile(path("in.csv"), "Location,Frequency\r\n2,146\r\n"));
        for (QString& a : args)
            a = a == "RO" ? path("ro.sin") : a == "IN" ? path("in.sin") : a == "CSV" ? path("in.csv") : a;
        const Piped r = runPiped(args);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains("write-protected"), qPrintable(r.err));
        QCOMPARE(FileBytes(path("ro.sin")), old);
    }

    void messagesFollowTheLanguage_data()
    {
        // The English run begins with what orxtool always printed; the Chinese run, with --lang zh
        // or a Chinese locale, leaves no English sentence in any line.
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("english");
        QTest::newRow("usage") << QStringList{"--help"} << 0
                               << "Usage: orxtool [OPTIONS] COMMAND ARGUMENTS [OPTIONS]\n\nReads, writes";
        QTest::newRow("command help")
            << QStringList{"set", "--help"} << 0 << "usage: orxtool set IN.sin OUT.sin [--channels LIST]";
        QTest::newRow("unknown option") << QStringList{"dump", "IN", "--colour"} << 2
                                        << "orxtool: unknown option '--colour'\nusage: orxtool dump";
        QTest::newRow("missing file") << QStringList{"dump", "DIR/none.sin"} << 2
                                      << "orxtool: cannot open 'DIR/none.sin': no such file\n";
        QTest::newRow("short file") << QStringList{"dump", "CSV"} << 2
                                    << "orxtool: 'CSV' is not a channel-data file: it has ";
        QTest::newRow("missing folder")
            << QStringList{"resave", "IN", "DIR/no/x.sin"} << 1
            << "orxtool: cannot write 'DIR/no/x.sin': the folder 'DIR/no' does not exist\n";
        QTest::newRow("csv report") << QStringList{"csv-import", "IN", "CSV", "OUT"} << 3
                                    << "line 3: refused: receive frequency 999 is outside the band 136-174 "
                                       "MHz\nline 2: channel 1 changed: rx frequency\n";
        QTest::newRow("csv file refused") << QStringList{"csv-import", "IN", "IN", "OUT"} << 2
                                          << "orxtool: 'IN' is neither UTF-8 nor GBK text; nothing written\n";
        QTest::newRow("sort key") << QStringList{"sort", "IN", "OUT", "--by", "colour"} << 2
                                  << "orxtool: --by 'colour' is none of freq, name, number\n";
        QTest::newRow("set value") << QStringList{"set", "IN", "OUT", "--power", "mid"} << 2
                                   << "orxtool: --power 'mid' is not a value of that column (high/";
        QTest::newRow("left alone") << QStringList{"set", "IN", "OUT", "--offset", "+30"} << 3
                                    << "orxtool: channel 1 left as it was: its transmit frequency would be "
                                       "above the band 136-174 MHz\n";
        QTest::newRow("json") << QStringList{"json-import", "JSON", "OUT"} << 1
                              << "orxtool: 'JSON': format: is missing; nothing written\n";
        QTest::newRow("repeat") << QStringList{"write", "/dev/null", "IN", "--repeat", "x"} << 2
                                << "orxtool: --repeat takes a number of radios, 0 for as many as come until "
                                   "Ctrl+C\n";
    }
    void messagesFollowTheLanguage()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, english);
        QVERIFY(testfiles::WriteFile(path("lang.csv"), "Location,Frequency\r\n1,145.5\r\n2,999\r\n"));
        QVERIFY(testfiles::WriteFile(path("lang.json"), "{}"));
        const QMap<QString, QString> names{{"IN", path("in.sin")},
                                           {"OUT", path("out.sin")},
                                           {"CSV", path("lang.csv")},
                                           {"JSON", path("lang.json")}};
        for (QString& a : args)
            a = names.value(a, QString(a).replace("DIR", m_dir.path()));
        for (auto [name, file] : names.asKeyValueRange())
            english.replace("'" + name + "'", "'" + file + "'");
        english.replace("DIR", m_dir.path());

        const Piped en = runPiped(args + QStringList{"--lang", "en"});
        QCOMPARE(en.status, status);
        const QString enText = QString::fromUtf8(en.out) + en.err;
        QVERIFY2(enText.startsWith(english), qPrintable(enText));

        const Piped zh = runPiped(args + QStringList{"--lang", "zh"});
        const Piped locale = runPiped(args, {}, QStringLiteral(ORXTOOL_PATH), QStringLiteral("zh_CN.UTF-8"));
        QCOMPARE(zh.status, status);
        QCOMPARE(locale.status, status);
        QCOMPARE(locale.out, zh.out);
        QCOMPARE(locale.err, zh.err);
        // Two English words in a row are a sentence; file names, options and their values are not.
        // The English run has one, the Chinese run none.
        static const QRegularExpression sentence(QStringLiteral("\\b[a-z]{2,} [a-z]{2,}\\b"));
        QVERIFY(enText.contains(sentence));
        // The Chinese run has none, but for the command names after "orxtool" in a usage line.
        QString zhText = QString::fromUtf8(zh.out) + zh.err;
        zhText.remove(QRegularExpression(QStringLiteral("orxtool [a-z-]+")));
        const auto left = sentence.match(zhText);
        QVERIFY2(!left.hasMatch(), qPrintable(left.captured() + "\n" + zhText));
        QVERIFY(hasChinese(zhText));
    }

    void sortKeysInBothLanguages_data()
    {
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("chinese");
        QTest::newRow("frequency") << "freq"
                                   << "频率";
        QTest::newRow("receive frequency") << "freq"
                                           << "接收频率";
        QTest::newRow("name") << "name"
                              << "名称";
        QTest::newRow("number") << "number"
                                << "信道号";
    }
    void sortKeysInBothLanguages()
    {
        QFETCH(QString, english);
        QFETCH(QString, chinese);
        QVERIFY(SaveChannelData(path("unsorted.sin").toStdString(), unsortedImage()));
        for (const QString& key : {english, chinese})
            QCOMPARE(runPiped({"sort", path("unsorted.sin"), path(key + ".sin"), "--by", key}).status, 0);
        QCOMPARE(FileBytes(path(chinese + ".sin")), FileBytes(path(english + ".sin")));
        QVERIFY(FileBytes(path(english + ".sin")) != FileBytes(path("unsorted.sin")));
    }

    void hostileInputsAreRefusedWithTheRightWords_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("a 17 MiB CSV")
            << QStringList{"csv-import", "IN", "BIG", "OUT"} << "larger than 16 MiB";
        QTest::newRow("a device as CSV")
            << QStringList{"csv-import", "IN", "/dev/zero", "OUT"} << "not a regular file";
        QTest::newRow("a FIFO as .sin, nobody writing")
            << QStringList{"dump", "FIFO"} << "not a regular file";
        QTest::newRow("a folder as CSV") << QStringList{"csv-import", "IN", "DIR", "OUT"} << "it is a folder";
        QTest::newRow("a folder as .sin") << QStringList{"dump", "DIR"} << "it is a folder";
        QTest::newRow("a name too long")
            << QStringList{"dump", QString(300, 'x') + ".sin"} << "the name is too long";
        QTest::newRow("a missing file") << QStringList{"dump", "none.sin"} << "no such file";
        QTest::newRow("GBK after a UTF-8 mark")
            << QStringList{"csv-import", "IN", "BOMGBK", "OUT"}
            << "begins with a UTF-8 byte-order mark, but line 2 is not UTF-8";
    }
    void hostileInputsAreRefusedWithTheRightWords()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QVERIFY(testfiles::WriteFile(path("bomgbk.csv"),
                                     "\xEF\xBB\xBFLocation,Name,Frequency\r\n1,\xD6\xD0,145\r\n"));
        for (QString& a : args) {
            if (a == "IN")
                a = path("in.sin");
            else if (a == "OUT")
                a = path("out.sin");
            else if (a == "DIR")
                a = m_dir.path();
            else if (a == "BOMGBK")
                a = path("bomgbk.csv");
            else if (a == "BIG")
                a = path("big.csv");
            else if (a == "FIFO")
                a = path("pipe.sin");
        }
        QFile big(path("big.csv"));
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(17 << 20));
        big.close();
        QFile::remove(path("pipe.sin"));
        QVERIFY(::mkfifo(QFile::encodeName(path("pipe.sin")).constData(), 0600) == 0);
        QFile::remove(path("out.sin"));
        QElapsedTimer timer;
        timer.start();
        const Piped r = runPiped(args);
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QFile::exists(path("out.sin")));
        qInfo("%s: %lld ms", QTest::currentDataTag(), timer.elapsed());
    }
};

QTEST_GUILESS_MAIN(TestOrxToolCli)
#include "tst_orxtool_cli.moc"
