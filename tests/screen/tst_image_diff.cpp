// Comparing two images in the user's terms: one changed field of each kind is named by its area and
// label with both texts, and only the bytes no shown field accounts for are listed as bytes. Then
// orxtool diff on files: what it prints and its exit status.

#include "ChannelCodec.h"
#include "ChannelDataFile.h"
#include "FeatureCodecs.h"
#include "ImageDiff.h"
#include "ScreenCopy.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace orx;

Q_DECLARE_METATYPE(std::function<void(orx::RadioImage&)>)

namespace {

using Change = std::function<void(RadioImage&)>;

// A saved new document with one channel, so that what the program normalises is already done.
RadioImage baseImage()
{
    RadioImage img;
    img.resetToNewDocument();
    ScreenCopy screen;
    BandLimits limits;
    ImageToScreen(img, {}, limits, screen);
    auto& c = screen.channel(5);
    c[ColRxFrequency] = "145.12500";
    c[ColTxFrequency] = "145.12500";
    c[ColRxTone] = "模拟:67.0";
    c[ColTxTone] = "无";
    c[ColBusyLockout] = "关";
    c[ColPower] = "高";
    c[ColBandwidth] = "宽";
    c[ColScanAdd] = "是";
    c[ColPttId] = "关";
    c[ColName] = "BASE";
    ScreenToImage(screen, limits, img);
    return img;
}

QByteArray bytesOf(const RadioImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.data().data()), qsizetype(image.data().size()));
}

} // namespace

class ImageDiffTest : public QObject {
    Q_OBJECT
private slots:
    void equalImagesHaveNoDifferences();
    void oneFieldOfEachKind_data();
    void oneFieldOfEachKind();
    void serialNumberAccountsForChannel63sBytes();
    void toolPrintsAndExits();
};

void ImageDiffTest::equalImagesHaveNoDifferences()
{
    const RadioImage a = baseImage();
    const ImageComparison c = CompareImages(a, a, {});
    QVERIFY(c.identical);
    QVERIFY(c.fields.empty());
    QVERIFY(c.otherBytes.empty());
}

void ImageDiffTest::oneFieldOfEachKind_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<int>("area");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("otherBytes");

    QTest::newRow("receive frequency")
        << Change([](RadioImage& i) { i.set(0x041, 0x26); }) << int(DiffArea::Channel) << 5 << "接收频率"
        << "145.12500"
        << "145.12600" << 0;
    QTest::newRow("busy lockout bits")
        << Change([](RadioImage& i) { i.setBits(0x04D, rec::kBusyLockoutMask, rec::kBusyCarrierBit); })
        << int(DiffArea::Channel) << 5 << "繁忙锁定"
        << "关"
        << "载波" << 0;
    QTest::newRow("name") << Change([](RadioImage& i) { i.set(0x850 + 4 * 8, 12); }) << int(DiffArea::Channel)
                          << 5 << "名称"
                          << "BASE"
                          << "CASE" << 0;
    QTest::newRow("scan bit") << Change([](RadioImage& i) { i.setBits(0xC50, 0x10, 0x00); })
                              << int(DiffArea::Channel) << 5 << "扫描添加"
                              << "是"
                              << "否" << 0;
    QTest::newRow("squelch") << Change([](RadioImage& i) { i.set(map::kSquelch, 2); })
                             << int(DiffArea::Setting) << 0 << "静噪等级"
                             << "5"
                             << "2" << 0;
    QTest::newRow("password") << Change([](RadioImage& i) { i.set(map::kPassword, '7'); })
                              << int(DiffArea::Setting) << 0 << "密码"
                              << ""
                              << "7" << 0;
    QTest::newRow("PTT ID code") << Change([](RadioImage& i) {
        EncodeDtmf({true, true, "12#"}, i);
    }) << int(DiffArea::Dtmf) << 0
                                 << "PTT ID"
                                 << ""
                                 << "12#" << 0;
    QTest::newRow("receive side tone")
        << Change([](RadioImage& i) { i.setBits(map::kDtmfFlags, 0x04, 0x00); }) << int(DiffArea::Dtmf) << 0
        << "接收侧音"
        << "开"
        << "关" << 0;
    QTest::newRow("side key 2 long press") << Change([](RadioImage& i) { i.set(map::kSideKey2, 0x50); })
                                           << int(DiffArea::SideKey) << 0 << "侧键2 长按"
                                           << "收音机"
                                           << "关" << 0;
    QTest::newRow("FM preset 32") << Change([](RadioImage& i) { EncodeFmPreset("99.9", 32, i); })
                                  << int(DiffArea::FmPreset) << 32 << "收音机频率"
                                  << ""
                                  << "99.90" << 0;
    QTest::newRow("serial number") << Change([](RadioImage& i) { EncodeSerialNumber("SN42", i); })
                                   << int(DiffArea::SerialNumber) << 0 << "电子串号"
                                   << ""
                                   << "SN42" << 0;
    // A byte no field shows is listed by offset, and nothing else is.
    QTest::newRow("radio data without an editor")
        << Change([](RadioImage& i) { i.set(map::kRadioData80A, 0x12); }) << -1 << 0 << ""
        << ""
        << "" << 1;
    QTest::newRow("power calibration")
        << Change([](RadioImage& i) { i.set(map::kPowerCalibration + 1, 0x40); }) << -1 << 0 << ""
        << ""
        << "" << 1;
    // Bytes that differ without changing what is shown: name bytes after the end of the name.
    QTest::newRow("name bytes after its end")
        << Change([](RadioImage& i) { i.set(0x850 + 4 * 8 + 6, 0x03); }) << -1 << 0 << ""
        << ""
        << "" << 1;
}

void ImageDiffTest::oneFieldOfEachKind()
{
    QFETCH(Change, change);
    QFETCH(int, area);
    QFETCH(int, number);
    QFETCH(QString, label);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(int, otherBytes);
    const RadioImage a = baseImage();
    RadioImage b = a;
    change(b);
    const ImageComparison c = CompareImages(a, b, {});
    QVERIFY(!c.identical);
    QCOMPARE(int(c.otherBytes.size()), otherBytes);
    if (area < 0) {
        QVERIFY(c.fields.empty());
        return;
    }
    QCOMPARE(int(c.fields.size()), 1);
    const FieldDifference& d = c.fields.front();
    QCOMPARE(int(d.area), area);
    QCOMPARE(d.number, number);
    QCOMPARE(QString::fromStdString(d.label), label);
    QCOMPARE(QString::fromStdString(d.before), before);
    QCOMPARE(QString::fromStdString(d.after), after);
}

void ImageDiffTest::serialNumberAccountsForChannel63sBytes()
{
    // Channel 63 turning into a serial number: the row empties, the serial number appears, and no
    // byte of the record is left unexplained.
    RadioImage a = baseImage();
    ChannelTexts c63 = DecodeChannel(a, 5);
    EncodeChannel(c63, 63, a);
    RadioImage b = a;
    EncodeSerialNumber("ABC123", b);
    const ImageComparison c = CompareImages(a, b, {});
    QVERIFY(c.otherBytes.empty());
    bool serial = false;
    bool row = false;
    for (const auto& d : c.fields) {
        serial = serial || (d.area == DiffArea::SerialNumber && d.after == "ABC123");
        row = row ||
              (d.area == DiffArea::Channel && d.number == 63 && d.label == "接收频率" && d.after.empty());
    }
    QVERIFY(serial);
    QVERIFY(row);
}

void ImageDiffTest::toolPrintsAndExits()
{
    QTemporaryDir dir;
    const RadioImage a = baseImage();
    RadioImage b = a;
    b.set(map::kSquelch, 2);
    b.set(map::kRadioData80A, 0x12);
    auto write = [&dir](const char* name, const QByteArray& bytes) {
        QFile f(dir.filePath(QString::fromLatin1(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    };
    write("a.sin", bytesOf(a));
    write("b.sin", bytesOf(b));
    write("short.sin", bytesOf(a).left(100));
    auto run = [&dir](const QStringList& names, QString* out) {
        QStringList args{QStringLiteral("diff")};
        for (const QString& n : names)
            args << (n.startsWith(QLatin1String("--")) || n == QLatin1String("zh") ? n : dir.filePath(n));
        QProcess p;
        p.start(QStringLiteral(ORXTOOL_PATH), args);
        p.waitForFinished(30000);
        if (out)
            *out = QString::fromUtf8(p.readAllStandardOutput());
        return p.exitCode();
    };
    QString out;
    QCOMPARE(run({QStringLiteral("a.sin"), QStringLiteral("a.sin")}, &out), 0);
    QVERIFY(out.isEmpty());
    QCOMPARE(run({QStringLiteral("a.sin"), QStringLiteral("b.sin")}, &out), 1);
    QCOMPARE(out, QStringLiteral("setting Squelch: 5 -> 2\nbyte 0x80A: EE -> 12\n"));
    // In Chinese, as the window words it.
    QCOMPARE(run({QStringLiteral("a.sin"), QStringLiteral("b.sin"), QStringLiteral("--lang"),
                  QStringLiteral("zh")},
                 &out),
             1);
    QCOMPARE(out, QStringLiteral("设置 静噪等级: 5 -> 2\n字节 0x80A: EE -> 12\n"));
    QCOMPARE(run({QStringLiteral("a.sin"), QStringLiteral("short.sin")}, nullptr), 2);
    QCOMPARE(run({QStringLiteral("a.sin"), QStringLiteral("missing.sin")}, nullptr), 2);
}

QTEST_GUILESS_MAIN(ImageDiffTest)
#include "tst_image_diff.moc"
