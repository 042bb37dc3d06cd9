// orxtool run as a user runs it, on files generated here.

#include "TestFiles.h"
#include "ChannelDataFile.h"
#include "ProgramIni.h"
#include "ScreenCopy.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace orx;

namespace {

using testfiles::FileBytes;
using testfiles::Run;

Run runTool(const QStringList& args)
{
    return testfiles::RunProgram(QStringLiteral(ORXTOOL_PATH), args);
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    if (!testfiles::WriteFile(path, bytes))
        qFatal("cannot write %s", qPrintable(path));
}

// A new document with a full channel 1, a DCS channel 128, and settings off their defaults.
RadioImage knownImage()
{
    RadioImage image;
    image.resetToNewDocument();
    const QByteArray ch1 = QByteArray::fromHex("00255114002561437006238003320000");
    const QByteArray ch128 = QByteArray::fromHex("00500043FFFFFFFF1481FFFF00000000");
    for (int k = 0; k < 16; ++k) {
        image.set(0x000 + std::size_t(k), std::uint8_t(ch1[k]));
        image.set(0x7F0 + std::size_t(k), std::uint8_t(ch128[k]));
    }
    const std::uint8_t name[] = {10, 11, 36, 1, 37, 2, 0xFF, 0xFF};
    for (std::size_t k = 0; k < 8; ++k)
        image.set(map::kChannelNameBase + k, name[k]);
    image.set(map::kScanBitmapBase, 0x01);
    image.set(map::kPriorityChannel, 0x14);
    image.set(map::kTimeLimit, 0x02);
    image.set(map::kScanAndTail, 0x41); // carrier scan, 180 degrees
    image.set(map::kPassword, '1');
    image.set(map::kPassword + 1, '2');
    image.set(map::kModelIndex, 1);
    image.set(map::kBandId, 0x40); // 400-470 MHz
    image.set(map::kBandId + 1, 0x47);
    image.set(map::kBandId + 2, 0x00);
    return image;
}

const QByteArray kIni = QStringLiteral("[Setup]\r\nType0=对讲机\r\nType1=手台 U\r\nField0=136-174MHz\r\n"
                                       "Field1=136-174MHz;400-470MHz\r\n")
                            .toUtf8();

} // namespace

class TestOrxTool : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void dumpShowsGridAndSettings_data()
    {
        QTest::addColumn<bool>("withIni");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("band");
        QTest::newRow("with Program.ini") << true << QStringLiteral("手台 U") << "400-470MHz";
        // Without a list of bands the band in force still shows: the file's.
        QTest::newRow("with an empty Program.ini") << false << ""
                                                   << "400-470MHz";
    }

    void dumpShowsGridAndSettings()
    {
        QFETCH(bool, withIni);
        QFETCH(QString, model);
        QFETCH(QString, band);
        QVERIFY(SaveChannelData(path("known.sin").toStdString(), knownImage()));
        writeFile(path("Program.ini"), kIni);
        writeFile(path("empty.ini"), QByteArray());
        QStringList args{"dump", path("known.sin"), "--lang",
                         "zh",   "--ini",           path(withIni ? "Program.ini" : "empty.ini")};
        const Run r = runTool(args);
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, QString());

        const QStringList lines = r.out.split('\n');
        QCOMPARE(lines.size(), 128 + 14 + 1); // the output ends with a line break
        QCOMPARE(
            lines[0],
            QStringLiteral("1\t145.12500\t436.12500\t模拟:67.0\t数字:023N\t载波\t高\t宽\t是\t两者\tAB-1 2"));
        QCOMPARE(lines[1], QString("2") + QString(10, '\t'));
        QCOMPARE(lines[127], QStringLiteral("128\t430.05000\t\t数字:114N\t无\t关\t低\t窄\t是\t关\t"));
        const QStringList settings = lines.mid(128, 14);
        const QStringList expected{
            QStringLiteral("display_mode=信道模式"),
            QStringLiteral("scan_mode=载波"),
            QStringLiteral("tail_elimination=180度相位偏移"),
            QStringLiteral("manual_setting=开"),
            QStringLiteral("beep=开"),
            QStringLiteral("battery_save=开"),
            QStringLiteral("squelch=5"),
            QStringLiteral("time_limit=60"),
            QStringLiteral("vox_level=关"),
            QStringLiteral("end_tone=关"),
            QStringLiteral("priority_channel=20"),
            QStringLiteral("password=12"),
            "model=" + model,
            "band=" + band,
        };
        QCOMPARE(settings, expected);
    }

    void resaveWritesWhatTheProgramSaves_data()
    {
        QTest::addColumn<int>("seed"); // 0: the known image
        QTest::addColumn<bool>("withIni");
        QTest::newRow("known image, empty Program.ini") << 0 << false;
        QTest::newRow("known image with Program.ini") << 0 << true;
        QTest::newRow("random image, empty Program.ini") << 17 << false;
        QTest::newRow("random image with Program.ini") << 23 << true;
    }

    void resaveWritesWhatTheProgramSaves()
    {
        QFETCH(int, seed);
        QFETCH(bool, withIni);
        RadioImage image = knownImage();
        if (seed) {
            QRandomGenerator rng(static_cast<quint32>(seed));
            for (auto& b : image.data())
                b = std::uint8_t(rng.bounded(256));
        }
        QVERIFY(SaveChannelData(path("in.sin").toStdString(), image));
        writeFile(path("Program.ini"), kIni);
        writeFile(path("empty.ini"), QByteArray());
        QStringList args{"resave", path("in.sin"), path("out.sin"),
                         "--ini=" + path(withIni ? "Program.ini" : "empty.ini")};
        RadioCatalog catalog;
        if (withIni)
            catalog = CProgramIni(path("Program.ini")).ReadRadioCatalog();
        const Run r = runTool(args);
        QCOMPARE(r.status, 0);
        BandLimits limits;
        QCOMPARE(FileBytes(path("out.sin")).toHex(),
                 testfiles::ImageBytes(LoadAndSave(image, catalog, limits)).toHex());
    }

    void refusedInputWritesNothing_data()
    {
        QTest::addColumn<int>("inputSize"); // -1: no input file
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QString>("message");
        QTest::newRow("file of 4095 bytes") << 4095 << QStringList{} << "4095 bytes";
        QTest::newRow("empty file") << 0 << QStringList{} << "0 bytes";
        QTest::newRow("missing file") << -1 << QStringList{} << "no such file";
        QTest::newRow("missing Program.ini") << 4096 << QStringList{"--ini", "none.ini"} << "none.ini";
        QTest::newRow("unknown option") << 4096 << QStringList{"--port", "COM1"} << "usage:";
        QTest::newRow("extra argument") << 4096 << QStringList{"third.sin"} << "usage:";
    }

    void refusedInputWritesNothing()
    {
        QFETCH(int, inputSize);
        QFETCH(QStringList, extra);
        QFETCH(QString, message);
        QFile::remove(path("in.sin"));
        QFile::remove(path("out.sin"));
        if (inputSize >= 0)
            writeFile(path("in.sin"), QByteArray(inputSize, '\x11'));
        QStringList args{"resave", path("in.sin"), path("out.sin")};
        for (const QString& e : extra)
            args << (e.endsWith(".ini") || e.endsWith(".sin") ? path(e) : e);
        const Run r = runTool(args);
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(r.out, QString());
        QVERIFY(!QFile::exists(path("out.sin")));
        QVERIFY(!QFile::exists(path("none.ini")));
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::newRow("--help") << QStringList{"--help"} << 0;
        QTest::newRow("no command") << QStringList{} << 2;
        QTest::newRow("unknown command") << QStringList{"fly"} << 2;
        QTest::newRow("dump without file") << QStringList{"dump"} << 2;
    }

    void usage()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        const Run r = runTool(args);
        QCOMPARE(r.status, status);
        const QString text = status == 0 ? r.out : r.err;
        QVERIFY2((text.contains("dump") && text.contains("resave")) || text.contains("usage: orxtool dump"),
                 qPrintable(text));
    }

    void unwritableOutputFails()
    {
        QVERIFY(SaveChannelData(path("in.sin").toStdString(), knownImage()));
        // A missing folder is named as such, not as a missing file.
        for (const char* command : {"resave", "csv-export", "json-export"}) {
            const Run r = runTool({command, path("in.sin"), path("no/folder/out")});
            QCOMPARE(r.status, 1);
            QVERIFY2(r.err.contains("the folder '" + path("no/folder") + "' does not exist"),
                     qPrintable(r.err));
        }
    }
};

QTEST_GUILESS_MAIN(TestOrxTool)
#include "tst_orxtool.moc"
