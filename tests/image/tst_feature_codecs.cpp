// The feature blocks' bytes: DTMF, side keys, FM presets, serial number, and how channel 63 and the
// serial number share their 16 bytes.

#include "ChannelCodec.h"
#include "FeatureCodecs.h"
#include "ScreenCopy.h"

#include <QTest>

#include <vector>

using Bytes = std::vector<std::uint8_t>;
Q_DECLARE_METATYPE(Bytes)

namespace {

Bytes bytesAt(const orx::RadioImage& image, std::size_t offset, std::size_t length)
{
    const auto span = image.bytes(offset, length);
    return Bytes(span.begin(), span.end());
}

void put(orx::RadioImage& image, std::size_t offset, const Bytes& bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i)
        image.set(offset + i, bytes[i]);
}

// Text bytes followed by 0xFF up to length.
Bytes padded(std::string_view text, std::size_t length, std::uint8_t fill = 0xFF)
{
    Bytes b(text.begin(), text.end());
    b.resize(length, fill);
    return b;
}

} // namespace

class TestFeatureCodecs : public QObject {
    Q_OBJECT
private slots:
    void dtmfEncode_data();
    void dtmfEncode();
    void sideKeyChoice_data();
    void sideKeyChoice();
    void sideKeyFunctionCode_data();
    void sideKeyFunctionCode();
    void fmDecode_data();
    void fmDecode();
    void fmEncode_data();
    void fmEncode();
    void fmNormalise_data();
    void fmNormalise();
    void serialNumberDecode_data();
    void serialNumberDecode();
    void serialNumberEncode_data();
    void serialNumberEncode();
    void holdsSerialNumber_data();
    void holdsSerialNumber();
    void channel63Reconciliation_data();
    void channel63Reconciliation();
    void serialNumberSurvivesOpenAndSave_data();
    void serialNumberSurvivesOpenAndSave();
};

void TestFeatureCodecs::dtmfEncode_data()
{
    QTest::addColumn<int>("flagsBefore");
    QTest::addColumn<bool>("tx");
    QTest::addColumn<bool>("rx");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("flagsAfter");
    QTest::addColumn<Bytes>("code");
    QTest::newRow("receive off, transmit on over 0xFF gives 0xFB")
        << 0xFF << true << false << "" << 0xFB << Bytes(8, 0x00);
    QTest::newRow("only bits 0 and 2 change") << 0xA0 << true << true << "1" << 0xA5 << padded("1", 8, 0x00);
    QTest::newRow("both off keeps the other bits")
        << 0x5F << false << false << "12#" << 0x5A << padded("12#", 8, 0x00);
    QTest::newRow("eight characters fill the field")
        << 0xFF << true << true << "0123ABCD" << 0xFF << padded("0123ABCD", 8);
    QTest::newRow("a ninth byte is never stored")
        << 0xFF << true << true << "123456789" << 0xFF << padded("12345678", 8);
}

void TestFeatureCodecs::dtmfEncode()
{
    QFETCH(int, flagsBefore);
    QFETCH(bool, tx);
    QFETCH(bool, rx);
    QFETCH(QString, text);
    QFETCH(int, flagsAfter);
    QFETCH(Bytes, code);
    orx::RadioImage image;
    image.set(orx::map::kDtmfFlags, static_cast<std::uint8_t>(flagsBefore));
    const orx::DtmfSettings dtmf{tx, rx, text.toStdString()};
    orx::EncodeDtmf(dtmf, image);
    QCOMPARE(int(image.at(orx::map::kDtmfFlags)), flagsAfter);
    QCOMPARE(bytesAt(image, orx::map::kPttIdCode, 8), code);
    QCOMPARE(image.at(orx::map::kPttIdCode + 8), std::uint8_t{0xFF}); // the byte after the field
}

void TestFeatureCodecs::sideKeyChoice_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("index");
    QTest::newRow("0 off") << 0 << 0;
    QTest::newRow("1 monitor") << 1 << 1;
    QTest::newRow("2 priority scan is not offered") << 2 << -1;
    QTest::newRow("3 high/low power is not offered") << 3 << -1;
    QTest::newRow("4 talkaround is the third item") << 4 << 2;
    QTest::newRow("5 reverse frequency") << 5 << 3;
    QTest::newRow("6 VOX is not offered") << 6 << -1;
    QTest::newRow("7 DTMF call is not offered") << 7 << -1;
    QTest::newRow("8 FM radio is the last item") << 8 << 4;
    QTest::newRow("9 has no function") << 9 << -1;
    QTest::newRow("15 has no function") << 15 << -1;
}

void TestFeatureCodecs::sideKeyChoice()
{
    QFETCH(int, code);
    QFETCH(int, index);
    QCOMPARE(orx::SideKeyChoiceIndex(code), index);
}

void TestFeatureCodecs::sideKeyFunctionCode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");
    QTest::newRow("FM radio is code 8, not its list position") << "收音机" << 8;
    QTest::newRow("talkaround is code 4") << "脱网" << 4;
    QTest::newRow("a function the lists do not offer") << "DTMF呼叫" << 7;
    QTest::newRow("empty text is off") << "" << 0;
    QTest::newRow("unknown text is off") << "收音" << 0;
}

void TestFeatureCodecs::sideKeyFunctionCode()
{
    QFETCH(QString, text);
    QFETCH(int, code);
    QCOMPARE(orx::SideKeyFunctionCode(text.toStdString()), code);
}

void TestFeatureCodecs::fmDecode_data()
{
    QTest::addColumn<Bytes>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("87.50 MHz") << Bytes{0x00, 0x00, 0x75, 0x08} << "87.50";
    QTest::newRow("108.00 MHz") << Bytes{0x00, 0x00, 0x80, 0x10} << "108.00";
    QTest::newRow("erased") << Bytes{0xFF, 0xFF, 0xFF, 0xFF} << "";
    QTest::newRow("top byte 0x00 is empty whatever the rest") << Bytes{0x00, 0x50, 0x99, 0x00} << "";
    QTest::newRow("top byte 0xFF is empty whatever the rest") << Bytes{0x00, 0x00, 0x75, 0xFF} << "";
    QTest::newRow("third decimal rounds half away from zero") << Bytes{0x00, 0x25, 0x81, 0x08} << "88.13";
    QTest::newRow("out of band is shown unclamped") << Bytes{0x00, 0x00, 0x50, 0x04} << "45.00";
    QTest::newRow("BCD digits above 9 enter the value") << Bytes{0x00, 0x00, 0xA5, 0x09} << "100.50";
    QTest::newRow("largest top byte") << Bytes{0xFE, 0xFE, 0xFE, 0xFE} << "1656.57";
}

void TestFeatureCodecs::fmDecode()
{
    QFETCH(Bytes, bytes);
    QFETCH(QString, text);
    orx::RadioImage image;
    put(image, orx::map::kFmPresetBase + 4 * 31, bytes); // preset 32
    QCOMPARE(QString::fromStdString(orx::DecodeFmPreset(image, 32)), text);
    QCOMPARE(orx::DecodeFmPreset(image, 31), std::string());
}

void TestFeatureCodecs::fmEncode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Bytes>("bytes");
    QTest::newRow("87.50 MHz") << "87.50" << Bytes{0x00, 0x00, 0x75, 0x08};
    QTest::newRow("88.55 exactly, no binary rounding") << "88.55" << Bytes{0x00, 0x50, 0x85, 0x08};
    QTest::newRow("108.00 MHz") << "108.00" << Bytes{0x00, 0x00, 0x80, 0x10};
    QTest::newRow("empty text erases") << "" << Bytes{0xFF, 0xFF, 0xFF, 0xFF};
    QTest::newRow("out of band is stored as shown") << "45.00" << Bytes{0x00, 0x00, 0x50, 0x04};
    QTest::newRow("value read from bad BCD digits") << "100.50" << Bytes{0x00, 0x00, 0x05, 0x10};
    QTest::newRow("beyond eight digits saturates") << "1656.67" << Bytes{0x99, 0x99, 0x99, 0x99};
}

void TestFeatureCodecs::fmEncode()
{
    QFETCH(QString, text);
    QFETCH(Bytes, bytes);
    orx::RadioImage image;
    orx::EncodeFmPreset(text.toStdString(), 1, image);
    QCOMPARE(bytesAt(image, orx::map::kFmPresetBase, 4), bytes);
    QCOMPARE(image.at(orx::map::kFmPresetBase + 4), std::uint8_t{0xFF}); // preset 2 untouched
}

void TestFeatureCodecs::fmNormalise_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("below the band goes to 76.00") << "50"
                                                  << "76.00";
    QTest::newRow("above the band goes to 108.00") << "120"
                                                   << "108.00";
    QTest::newRow("a lone decimal point is 76.00") << "."
                                                   << "76.00";
    QTest::newRow("third decimal is dropped") << "88.123"
                                              << "88.12";
    QTest::newRow("third decimal 5 rounds up") << "88.125"
                                               << "88.13";
    QTest::newRow("six nines") << "999999"
                               << "108.00";
    QTest::newRow("band edges stay") << "76"
                                     << "76.00";
    QTest::newRow("just above the top edge") << "108.001"
                                             << "108.00";
    QTest::newRow("empty stays empty") << ""
                                       << "";
}

void TestFeatureCodecs::fmNormalise()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QCOMPARE(QString::fromStdString(orx::NormaliseFmText(typed.toStdString())), shown);
}

void TestFeatureCodecs::serialNumberDecode_data()
{
    QTest::addColumn<Bytes>("bytes");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("erased") << Bytes(16, 0xFF) << QByteArray();
    QTest::newRow("ends at 0xFF") << padded("AB12", 16) << QByteArray("AB12");
    QTest::newRow("sixteen characters without 0xFF")
        << padded("0123456789ABCDEF", 16) << QByteArray("0123456789ABCDEF");
    QTest::newRow("ends at 0x00") << Bytes{0x41, 0x00, 0x42, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                           0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}
                                  << QByteArray("A");
    QTest::newRow("any other byte is a character") << padded("A\xB0%~", 16) << QByteArray("A\xB0%~");
}

void TestFeatureCodecs::serialNumberDecode()
{
    QFETCH(Bytes, bytes);
    QFETCH(QByteArray, text);
    orx::RadioImage image;
    put(image, orx::map::kSerialNumber, bytes);
    QCOMPARE(QByteArray::fromStdString(orx::DecodeSerialNumber(image)), text);
}

void TestFeatureCodecs::serialNumberEncode_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Bytes>("bytes");
    QTest::newRow("0xFF after the text") << QByteArray("AB12") << padded("AB12", 16);
    QTest::newRow("empty text erases") << QByteArray() << Bytes(16, 0xFF);
    QTest::newRow("a seventeenth byte is never stored")
        << QByteArray("0123456789ABCDEFG") << padded("0123456789ABCDEF", 16);
}

void TestFeatureCodecs::serialNumberEncode()
{
    QFETCH(QByteArray, text);
    QFETCH(Bytes, bytes);
    orx::RadioImage image;
    image.fill(orx::map::kSerialNumber, 16, 0x00);
    orx::EncodeSerialNumber(std::string_view(text.constData(), std::size_t(text.size())), image);
    QCOMPARE(bytesAt(image, orx::map::kSerialNumber, 16), bytes);
    QCOMPARE(image.at(orx::map::kSerialNumber + 16), std::uint8_t{0xFF}); // channel 64 untouched
}

void TestFeatureCodecs::holdsSerialNumber_data()
{
    QTest::addColumn<Bytes>("bytes");
    QTest::addColumn<bool>("holds");
    QTest::newRow("erased is no serial number") << Bytes(16, 0xFF) << false;
    QTest::newRow("letters and digits, then 0xFF") << padded("AB12", 16) << true;
    QTest::newRow("one character") << padded("7", 16) << true;
    QTest::newRow("sixteen characters") << padded("0123456789ABCDEF", 16) << true;
    QTest::newRow("lower case counts") << padded("ab12", 16) << true;
    QTest::newRow("punctuation and a space count") << padded("SN-001 #", 16) << true;
    QTest::newRow("0x00 after the text") << padded("AB12", 16, 0x00) << true;
    QTest::newRow("0x00 and 0xFF mixed after the text")
        << Bytes{'S', 'N', 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF}
        << true;
    QTest::newRow("a character after the 0xFF") << padded(std::string_view("AB\xFF"
                                                                           "C",
                                                                           4),
                                                          16)
                                                << false;
    QTest::newRow("a character after the 0x00") << padded(std::string_view("AB\0C", 4), 16) << false;
    QTest::newRow("0x00 first") << padded(std::string_view("\0AB", 3), 16) << false;
    QTest::newRow("a control character") << padded("AB\x01", 16) << false;
    QTest::newRow("DEL is not printable") << padded("AB\x7F", 16) << false;
    QTest::newRow("a byte above ASCII") << padded("AB\xC0", 16) << false;
    QTest::newRow("a channel record (145.125 MHz)") << Bytes{0x00, 0x25, 0x51, 0x14, 0x00, 0x25, 0x51, 0x14,
                                                             0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x30, 0xFF, 0xFF}
                                                    << false;
    QTest::newRow("a channel record (435.525 MHz, wide)")
        << Bytes{0x00, 0x50, 0x55, 0x43, 0x00, 0x50, 0x55, 0x43,
                 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x30, 0xFF, 0xFF}
        << false;
}

void TestFeatureCodecs::holdsSerialNumber()
{
    QFETCH(Bytes, bytes);
    QFETCH(bool, holds);
    orx::RadioImage image;
    put(image, orx::map::kSerialNumber, bytes);
    QCOMPARE(orx::HoldsSerialNumber(image), holds);
}

void TestFeatureCodecs::channel63Reconciliation_data()
{
    QTest::addColumn<Bytes>("record");
    QTest::addColumn<QString>("shownFrequency"); // row 63 after ImageToScreen
    QTest::addColumn<QString>("typedFrequency"); // what the user leaves in row 63
    QTest::addColumn<Bytes>("stored");           // 0x3E0-0x3EF after ScreenToImage

    const Bytes channel{0x00, 0x25, 0x51, 0x14, 0xFF, 0xFF, 0xFF, 0xFF,
                        0xFF, 0xFF, 0xFF, 0xFF, 0xFC, 0x38, 0xFF, 0xFF};
    Bytes emptied = channel;
    std::fill(emptied.begin(), emptied.begin() + 8, std::uint8_t{0xFF});
    Bytes erasedSaved(16, 0xFF);
    erasedSaved[13] = 0xFE;
    // '1' (0x31) in byte 13 has the bit that every channel row clears.
    const Bytes ones = padded("1111111111111111", 16);

    QTest::newRow("short serial number: empty row keeps it") << padded("AB12", 16) << ""
                                                             << "" << padded("AB12", 16);
    QTest::newRow("sixteen-character serial number keeps byte 13") << ones << ""
                                                                   << "" << ones;
    // The screen takes no channel into a row that holds the serial number: the form asks first and
    // clears the serial number before it lets a frequency in.
    QTest::newRow("a frequency put into row 63 leaves the serial number")
        << padded("AB12", 16) << ""
        << "436.00000" << padded("AB12", 16);
    QTest::newRow("channel 63 shows and saves as before") << channel << "145.12500"
                                                          << "145.12500" << channel;
    QTest::newRow("channel 63 emptied is erased as any channel") << channel << "145.12500"
                                                                 << "" << emptied;
    QTest::newRow("erased record is an empty channel") << Bytes(16, 0xFF) << ""
                                                       << "" << erasedSaved;
}

void TestFeatureCodecs::channel63Reconciliation()
{
    QFETCH(Bytes, record);
    QFETCH(QString, shownFrequency);
    QFETCH(QString, typedFrequency);
    QFETCH(Bytes, stored);
    orx::RadioImage image;
    image.resetToNewDocument();
    put(image, orx::map::kSerialNumber, record);
    const Bytes name{10, 11, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    const std::size_t nameOffset = orx::LocateChannel(63).name;
    put(image, nameOffset, name);

    orx::ScreenCopy screen;
    orx::BandLimits limits;
    orx::ImageToScreen(image, {}, limits, screen);
    QCOMPARE(QString::fromStdString(screen.channel(63)[orx::ColRxFrequency]), shownFrequency);
    QVERIFY(screen.channel(62).empty());
    QVERIFY(screen.channel(64).empty());

    orx::ChannelTexts& row = screen.channel(63);
    if (typedFrequency.isEmpty()) {
        row = {};
    } else {
        row[orx::ColRxFrequency] = typedFrequency.toStdString();
        row[orx::ColRxTone] = "无";
        row[orx::ColTxTone] = "无";
        row[orx::ColName] = "AB";
    }
    orx::ScreenToImage(screen, limits, image);
    QCOMPARE(bytesAt(image, orx::map::kSerialNumber, 16), stored);
    QCOMPARE(bytesAt(image, nameOffset, 8), name);
}

void TestFeatureCodecs::serialNumberSurvivesOpenAndSave_data()
{
    QTest::addColumn<Bytes>("bytes");
    QTest::newRow("sixteen capitals and digits") << padded("SN0123456789ABCD", 16);
    QTest::newRow("this program's own form") << padded("AB12", 16);
    QTest::newRow("hyphen and digits, 0x00 after") << padded("SN-001", 16, 0x00);
    QTest::newRow("lower case, 0x00 after") << padded("ab12", 16, 0x00);
    QTest::newRow("capitals, 0x00 after") << padded("AB12", 16, 0x00);
    QTest::newRow("a space and punctuation") << padded("No. 7/A", 16);
    QTest::newRow("0x00 and 0xFF mixed after") << Bytes{'Q',  0xFF, 0x00, 0xFF, 0x00, 0x00, 0xFF, 0xFF,
                                                        0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF};
    QTest::newRow("sixteen printable bytes, bit 0 of byte 13 set") << padded("1111111111111111", 16);
}

void TestFeatureCodecs::serialNumberSurvivesOpenAndSave()
{
    QFETCH(Bytes, bytes);
    orx::RadioImage image;
    image.resetToNewDocument();
    put(image, orx::map::kSerialNumber, bytes);
    const orx::ChannelLocation at = orx::LocateChannel(orx::map::kSerialNumberChannel);
    const Bytes name{10, 0x2A, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    put(image, at.name, name);
    image.setBits(at.scanByte, at.scanMask, 0);

    orx::ScreenCopy screen;
    orx::BandLimits limits;
    orx::ImageToScreen(image, {}, limits, screen);
    QVERIFY(screen.channels.isFixed(orx::map::kSerialNumberChannel));
    QVERIFY(screen.channel(orx::map::kSerialNumberChannel).empty());

    orx::BandLimits again;
    const orx::RadioImage saved = orx::LoadAndSave(image, {}, again);
    QCOMPARE(bytesAt(saved, orx::map::kSerialNumber, 16), bytes);
    // The row's name and scan bit stay as well: the row is no channel, so nothing is stored there.
    QCOMPARE(bytesAt(saved, at.name, 8), name);
    QVERIFY(!saved.bit(at.scanByte, at.scanMask));
}

QTEST_APPLESS_MAIN(TestFeatureCodecs)
#include "tst_feature_codecs.moc"
