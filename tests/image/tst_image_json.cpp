// The image as a JSON document: over many random images (hidden channel bits, bytes no field
// covers, serial numbers) the document reads back into exactly the bytes the program saves; an edit
// of one field changes only that field's bytes; a bad document names the path of what is wrong.

#include "ChannelCodec.h"
#include "FeatureCodecs.h"
#include "ImageJson.h"
#include "ScreenCopy.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTest>

#include <set>

using namespace orx;

namespace {

constexpr int kImageCount = 600;

// Random bytes leaning towards the values the codecs treat specially; now and then a serial
// number in channel 63, padded with 0xFF or 0x00 as other tools leave it.
RadioImage randomImage(QRandomGenerator& rng)
{
    static constexpr std::uint8_t kSpecial[] = {0x00, 0xFF, 0x01, 0x09, 0x0A, 0x14, 0x64, 0x7F,
                                                0x80, 0x99, 0x9A, 0xBF, 0xC0, 0xFE, 0x25, 0x37};
    const quint32 specialShare = rng.bounded(101);
    RadioImage image;
    for (auto& b : image.data()) {
        const quint32 pick = rng.bounded(100);
        if (pick < specialShare / 2)
            b = kSpecial[rng.bounded(static_cast<quint32>(std::size(kSpecial)))];
        else if (pick < specialShare)
            b = static_cast<std::uint8_t>(rng.bounded(10) * 16 + rng.bounded(10));
        else
            b = static_cast<std::uint8_t>(rng.bounded(256));
    }
    if (rng.bounded(4) == 0) {
        const char* serial = rng.bounded(2) ? "SN-001" : "ab12";
        EncodeSerialNumber(serial, image);
        if (rng.bounded(2))
            image.set(map::kSerialNumber + 10, 0x00);
    }
    return image;
}

RadioImage saved(const RadioImage& image)
{
    RadioCatalog catalog;
    catalog.models = {"A", "B"};
    catalog.fields[0] = "136-174MHz;400-470MHz";
    BandLimits limits;
    return LoadAndSave(image, catalog, limits);
}

// A saved image with a few channels, DTMF, side keys, presets and a serial number.
RadioImage knownImage()
{
    RadioImage image;
    image.resetToNewDocument();
    ChannelTexts one;
    one.cells = {"145.12500", "145.72500", "模拟:67.0", "数字:023N", "载波",
                 "高",        "宽",        "是",        "两者",      "CALL-1"};
    EncodeChannel(one, 1, image);
    ChannelTexts two = one;
    two[ColName] = "B";
    EncodeChannel(two, 2, image);
    EncodeFmPreset("88.50", 1, image);
    EncodeSideKeys({1, 4, 5, 8}, image);
    EncodeDtmf({true, false, "123"}, image);
    EncodeSerialNumber("SN-7", image);
    return saved(image);
}

QJsonDocument parse(const std::string& text)
{
    return QJsonDocument::fromJson(QByteArray::fromStdString(text));
}

// Sets the value at a path of keys and array indexes ("channels", 0, "power").
QJsonValue withValue(const QJsonValue& at, const QVariantList& path, int i, const QJsonValue& value)
{
    if (i == path.size())
        return value;
    if (path[i].typeId() == QMetaType::Int) {
        QJsonArray array = at.toArray();
        const int index = path[i].toInt();
        array[index] = withValue(array[index], path, i + 1, value);
        return array;
    }
    QJsonObject object = at.toObject();
    const QString key = path[i].toString();
    object[key] = withValue(object[key], path, i + 1, value);
    return object;
}

std::string edited(const std::string& document, const QVariantList& path, const QJsonValue& value)
{
    const QJsonValue root = withValue(parse(document).object(), path, 0, value);
    return QJsonDocument(root.toObject()).toJson().toStdString();
}

} // namespace

class TestImageJson : public QObject {
    Q_OBJECT

private slots:
    void roundTripOverRandomImages()
    {
        QRandomGenerator rng(0x15011);
        for (int i = 0; i < kImageCount; ++i) {
            const RadioImage image = saved(randomImage(rng));
            const std::string document = json::ExportImage(image);
            QVERIFY2(!document.empty(), qPrintable(QString("image %1 has no document").arg(i)));
            RadioImage back;
            back.data().fill(0x5A);
            json::ImportError error;
            QVERIFY2(json::ImportImage(document, back, error), (error.path + ": " + error.reason).c_str());
            QVERIFY2(back == image, qPrintable(QString("image %1 came back different").arg(i)));
        }
    }

    void oneFieldEditChangesOnlyItsBytes_data()
    {
        QTest::addColumn<QVariantList>("path");
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QList<int>>("bytes"); // the offsets that may change
        const int flags1 = rec::kFlagsByte;
        QTest::newRow("power") << QVariantList{"channels", 0, "power"} << QJsonValue("low")
                               << QList<int>{flags1};
        QTest::newRow("rx tone") << QVariantList{"channels", 0, "rx_tone"}
                                 << QJsonValue(
                                        QJsonObject{{"type", "dcs"}, {"code", "754"}, {"polarity", "I"}})
                                 << QList<int>{8, 9};
        QTest::newRow("tx none") << QVariantList{"channels", 1, "tx_mhz"} << QJsonValue()
                                 << QList<int>{20, 21, 22, 23};
        QTest::newRow("name") << QVariantList{"channels", 0, "name"} << QJsonValue("RPT 7")
                              << QList<int>{0x850, 0x851, 0x852, 0x853, 0x854, 0x855};
        QTest::newRow("scan add") << QVariantList{"channels", 1, "scan_add"} << QJsonValue(false)
                                  << QList<int>{16 + flags1, 0xC50};
        QTest::newRow("hidden bits") << QVariantList{"channels", 0, "hidden"} << QJsonValue("00400102")
                                     << QList<int>{12, 13, 14, 15};
        // A channel given only its receive frequency gets the grid's defaults (transmit on it too).
        QTest::newRow("a channel added")
            << QVariantList{"channels", 5} << QJsonValue(QJsonObject{{"channel", 6}, {"rx_mhz", 146.5}})
            << QList<int>{0x50, 0x51, 0x52, 0x53, 0x54, 0x55, 0x56, 0x57,
                          0x58, 0x59, 0x5A, 0x5B, 0x5C, 0x5D, 0x5E, 0x5F};
        QTest::newRow("squelch") << QVariantList{"settings", "squelch"} << QJsonValue(9) << QList<int>{0x813};
        QTest::newRow("beep") << QVariantList{"settings", "beep"} << QJsonValue(false) << QList<int>{0x812};
        QTest::newRow("band") << QVariantList{"settings", "band"}
                              << QJsonValue(QJsonObject{{"low_mhz", 400}, {"high_mhz", 470}})
                              << QList<int>{0xFF0, 0xFF1, 0xFF2};
        QTest::newRow("fm preset") << QVariantList{"fm_presets", 1} << QJsonValue(101.7)
                                   << QList<int>{0xD84, 0xD85, 0xD86, 0xD87};
        QTest::newRow("side key") << QVariantList{"side_keys", "key2_long"} << QJsonValue("monitor")
                                  << QList<int>{0x81E};
        QTest::newRow("dtmf code") << QVariantList{"dtmf", "ptt_id_code"} << QJsonValue("9*#")
                                   << QList<int>{0x820, 0x821, 0x822};
        QTest::newRow("serial number")
            << QVariantList{"serial_number"} << QJsonValue("SN-8") << QList<int>{0x3E3};
    }

    void oneFieldEditChangesOnlyItsBytes()
    {
        QFETCH(QVariantList, path);
        QFETCH(QJsonValue, value);
        QFETCH(QList<int>, bytes);
        const RadioImage image = knownImage();
        const std::string document = json::ExportImage(image);
        QVERIFY(!document.empty());
        RadioImage back;
        json::ImportError error;
        QVERIFY2(json::ImportImage(edited(document, path, value), back, error),
                 (error.path + ": " + error.reason).c_str());
        const std::set<int> allowed(bytes.begin(), bytes.end());
        bool changed = false;
        for (std::size_t i = 0; i < map::kImageSize; ++i) {
            if (back.at(i) != image.at(i)) {
                QVERIFY2(allowed.count(static_cast<int>(i)), qPrintable(QString("byte 0x%1").arg(i, 3, 16)));
                changed = true;
            }
        }
        QVERIFY(changed);
    }

    void badDocumentNamesThePath_data()
    {
        QTest::addColumn<QVariantList>("path");
        QTest::addColumn<QJsonValue>("value");
        QTest::addColumn<QString>("where");
        QTest::newRow("a word of no list")
            << QVariantList{"channels", 3, "power"} << QJsonValue("medium") << "channels[3].power";
        QTest::newRow("a frequency as text")
            << QVariantList{"channels", 0, "rx_mhz"} << QJsonValue("145.1") << "channels[0].rx_mhz";
        QTest::newRow("below 10 Hz steps")
            << QVariantList{"channels", 0, "tx_mhz"} << QJsonValue(145.123456) << "channels[0].tx_mhz";
        QTest::newRow("a DCS code too large") << QVariantList{"channels", 0, "tx_tone", "code"}
                                              << QJsonValue("9999") << "channels[0].tx_tone.code";
        QTest::newRow("a channel twice")
            << QVariantList{"channels", 5, "channel"} << QJsonValue(1) << "channels[5].channel";
        QTest::newRow("hidden bytes cut short")
            << QVariantList{"channels", 0, "hidden"} << QJsonValue("FC") << "channels[0].hidden";
        QTest::newRow("a misspelt key")
            << QVariantList{"settings", "squelsh"} << QJsonValue(3) << "settings.squelsh";
        QTest::newRow("squelch out of range")
            << QVariantList{"settings", "squelch"} << QJsonValue(12) << "settings.squelch";
        QTest::newRow("time limit off the steps")
            << QVariantList{"settings", "tx_time_limit_s"} << QJsonValue(45) << "settings.tx_time_limit_s";
        QTest::newRow("a letter in the password")
            << QVariantList{"settings", "password"} << QJsonValue("12a") << "settings.password";
        QTest::newRow("presets missing")
            << QVariantList{"fm_presets"} << QJsonValue(QJsonArray{88.5}) << "fm_presets";
        QTest::newRow("an offset outside")
            << QVariantList{"other_bytes", 0, "offset"} << QJsonValue("0x1000") << "other_bytes[0].offset";
        QTest::newRow("a version of the future") << QVariantList{"version"} << QJsonValue(2) << "version";
        QTest::newRow("a serial number too long")
            << QVariantList{"serial_number"} << QJsonValue("0123456789ABCDEFG") << "serial_number";
    }

    void badDocumentNamesThePath()
    {
        QFETCH(QVariantList, path);
        QFETCH(QJsonValue, value);
        QFETCH(QString, where);
        const std::string document = json::ExportImage(knownImage());
        RadioImage image;
        image.data().fill(0x5A);
        const RadioImage before = image;
        json::ImportError error;
        QVERIFY(!json::ImportImage(edited(document, path, value), image, error));
        QCOMPARE(QString::fromStdString(error.path), where);
        QVERIFY(!error.reason.empty());
        QVERIFY(image == before);

        // Text that is no JSON at all names the place in the text.
        QVERIFY(!json::ImportImage(document.substr(0, 300), image, error));
        QVERIFY2(error.reason.find("line 5") != std::string::npos, error.reason.c_str());
    }
};

QTEST_GUILESS_MAIN(TestImageJson)
#include "tst_image_json.moc"
