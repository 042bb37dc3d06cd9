// orxtool csv-export and csv-import run as a user runs them: the file written, the image that
// results from an import under the band of the .sin file, the row report and the exit statuses.

#include "TestFiles.h"
#include "ChannelCodec.h"
#include "ChannelDataFile.h"
#include "ScreenCopy.h"

#include <QFile>
#include <QProcess>
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

ChannelTexts texts(const char* joined)
{
    ChannelTexts t;
    const QStringList cells = QString::fromUtf8(joined).split(QLatin1Char('|'));
    for (int i = 0; i < cells.size(); ++i)
        t.cells[std::size_t(i)] = cells[i].toStdString();
    return t;
}

// Two channels on a radio of the 400-470 MHz band.
RadioImage uhfImage()
{
    RadioImage image;
    image.resetToNewDocument();
    ScreenCopy screen;
    BandLimits limits;
    ImageToScreen(image, {}, limits, screen);
    screen.channel(1) = texts("435.12500|435.72500|模拟:67.0|数字:023N|载波|高|宽|是|两者|CALL-1");
    screen.channel(128) = texts("439.98750||数字:114I|无|关|低|窄|否|关|LAST");
    limits = {40000000, 47000000};
    ScreenToImage(screen, limits, image);
    return image;
}

} // namespace

class TestOrxToolCsv : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void exportWritesTheChannels()
    {
        QVERIFY(SaveChannelData(path("uhf.sin").toStdString(), uhfImage()));
        const Run r = runTool({"csv-export", path("uhf.sin"), path("uhf.csv")});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, QString());
        const QList<QByteArray> lines = FileBytes(path("uhf.csv")).split('\n');
        QCOMPARE(lines.size(), 4); // header, two channels, and the end of the last line
        QVERIFY(lines[0].startsWith("Location,Name,Frequency,Duplex,Offset,Tone,"));
        QCOMPARE(lines[1],
                 QByteArray("1,CALL-1,435.125000,+,0.600000,Cross,88.5,67.0,023,NN,023,DTCS->Tone,FM,5.00,,"
                            "High,,,,,\r"));
        QCOMPARE(lines[2],
                 QByteArray("128,LAST,439.987500,off,0.000000,Cross,88.5,88.5,023,NR,114,->DTCS,NFM,6.25,S,"
                            "Low,,,,,\r"));
        QCOMPARE(lines[3], QByteArray());
    }

    void exportThenImportWritesWhatResaveWrites()
    {
        QVERIFY(SaveChannelData(path("uhf.sin").toStdString(), uhfImage()));
        QCOMPARE(runTool({"csv-export", path("uhf.sin"), path("uhf.csv")}).status, 0);
        const Run r = runTool({"csv-import", path("uhf.sin"), path("uhf.csv"), path("back.sin")});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QString("line 2: channel 1 unchanged\nline 3: channel 128 unchanged\n"
                                "added 0, changed 0, unchanged 2, refused 0\n"));
        QCOMPARE(runTool({"resave", path("uhf.sin"), path("resaved.sin")}).status, 0);
        QCOMPARE(FileBytes(path("back.sin")).toHex(), FileBytes(path("resaved.sin")).toHex());
    }

    void importUsesTheBandOfTheFileAndReportsEveryRow()
    {
        QVERIFY(SaveChannelData(path("uhf.sin").toStdString(), uhfImage()));
        writeFile(path("in.csv"), "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq\r\n"
                                  "2,vhf,145.500000,,,,\r\n"
                                  "3,BAD,440.000000,,,Tone,66.6\r\n"
                                  "1,CALL-1,435.125000,-,5.000000,,\r\n"
                                  "4,new,439.007000,,,,\r\n");
        const Run r = runTool({"csv-import", path("uhf.sin"), path("in.csv"), path("out.sin")});
        QCOMPARE(r.status, 3);
        // Refused rows first.
        QCOMPARE(r.out,
                 QString("line 2: refused: receive frequency 145.500000 is outside the band 400-470 MHz\n"
                         "line 3: refused: CTCSS tone '66.6' is not a standard tone\n"
                         "line 4: channel 1 changed: tx frequency, rx tone, tx tone\n"
                         "line 5: channel 4 added; rx frequency '439.007000' became '439.00625' (off the "
                         "5 / 6.25 kHz steps)\n"
                         "added 1, changed 1, unchanged 0, refused 2\n"));
        // The rows that were taken are written, as the program would save them.
        RadioImage out;
        QCOMPARE(LoadChannelData(path("out.sin").toStdString(), out), LoadResult::Ok);
        QVERIFY(DecodeChannel(out, 2).empty());
        QCOMPARE(QString::fromStdString(DecodeChannel(out, 4)[ColRxFrequency]), QString("439.00625"));
        QCOMPARE(QString::fromStdString(DecodeChannel(out, 1)[ColTxFrequency]), QString("430.12500"));
        QVERIFY(DecodeChannel(out, 3).empty());
        QCOMPARE(out.at(map::kBandId), std::uint8_t{0x40});
    }

    void refusedFilesWriteNothing_data()
    {
        QTest::addColumn<QByteArray>("csv"); // empty: no CSV file at all
        QTest::addColumn<QString>("message");
        QTest::newRow("no Frequency column")
            << QByteArray("Location,Name\n1,A\n") << "has no Frequency column";
        QTest::newRow("open quote") << QByteArray("Location,Frequency\n1,\"145\n")
                                    << "line 2 is never closed";
        QTest::newRow("UTF-16") << QByteArray("\xFF\xFEL\0", 4) << "neither UTF-8 nor GBK";
        QTest::newRow("missing CSV file") << QByteArray() << "cannot open";
    }
    void refusedFilesWriteNothing()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, message);
        QVERIFY(SaveChannelData(path("uhf.sin").toStdString(), uhfImage()));
        QFile::remove(path("bad.csv"));
        QFile::remove(path("out.sin"));
        if (!csv.isEmpty())
            writeFile(path("bad.csv"), csv);
        const Run r = runTool({"csv-import", path("uhf.sin"), path("bad.csv"), path("out.sin")});
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QFile::exists(path("out.sin")));
    }

    void usageNamesTheCsvCommandsAndStatus()
    {
        const Run r = runTool({"--help"});
        QCOMPARE(r.status, 0);
        QVERIFY(r.out.contains("csv-export IN.sin OUT.csv"));
        QVERIFY(r.out.contains("csv-import IN.sin DATA.csv OUT.sin"));
        QVERIFY(r.out.contains("3  csv-import refused rows"));
        QCOMPARE(runTool({"csv-export", path("uhf.sin")}).status, 2);
    }
};

QTEST_GUILESS_MAIN(TestOrxToolCsv)
#include "tst_orxtool_csv.moc"
