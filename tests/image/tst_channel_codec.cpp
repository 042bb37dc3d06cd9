// Channel records against their grid texts: golden records built from named bytes, decoded and
// encoded field by field.

#include "ChannelCodec.h"
#include "TestBytes.h"

#include <QTest>

using namespace orx;

namespace {

QStringList texts(const ChannelTexts& t)
{
    QStringList out;
    for (const auto& cell : t.cells)
        out << q(cell);
    return out;
}

ChannelTexts channelTexts(const QStringList& list)
{
    ChannelTexts t;
    for (qsizetype c = 0; c < list.size(); ++c)
        t.cells.at(static_cast<std::size_t>(c)) = s(list[c]);
    return t;
}

// An image with one channel's record, name and scan bit set; everything else erased.
RadioImage withChannel(int channel, const QByteArray& record, const QByteArray& name, bool scan)
{
    RadioImage image;
    const ChannelLocation loc = LocateChannel(channel);
    putBytes(image, loc.record, record);
    putBytes(image, loc.name, name);
    ChannelRecord(image, channel).setScanAdd(scan);
    return image;
}

const QStringList kEmptyRow(kDataColumnCount, QString());

} // namespace

class TestChannelCodec : public QObject {
    Q_OBJECT

private slots:
    void decode_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("scan");
        QTest::addColumn<QStringList>("expected");

        const QByteArray name = hex("0A 0B 24 01 25 02 FF FF");
        QTest::newRow("every field of channel 1")
            << 1 << hex("00 25 51 14 00 25 61 43 70 06 23 80 03 32 FF FF") << name << true
            << QStringList{"145.12500", "436.12500", "模拟:67.0", "数字:023N", "载波",
                           "高",        "宽",        "是",        "两者",      "AB-1 2"};
        QTest::newRow("top byte 0x00 is an empty row whatever else it holds")
            << 2 << hex("00 25 51 00 00 25 61 43 70 06 23 80 03 32 FF FF") << name << true << kEmptyRow;
        QTest::newRow("top byte 0xFF is an empty row")
            << 3 << hex("00 25 51 FF 00 25 61 43 70 06 23 80 03 32 FF FF") << name << true << kEmptyRow;
        QTest::newRow("tx top byte 0x00, busy lockout 3 shows empty cells")
            << 63 << hex("00 25 51 14 00 25 61 00 FF FF 00 00 00 06 00 00") << hex("FF 0A 0B FF FF FF FF FF")
            << false << QStringList{"145.12500", "", "无", "无", "", "低", "窄", "否", "关", ""};
        QTest::newRow("DCS codes; byte 13 scan copy is not read")
            << 127 << hex("00 25 51 14 FF FF FF FF 14 81 54 C7 FE 0C FF FF") << name << false
            << QStringList{"145.12500", "",   "数字:114N", "数字:754I", "亚音",
                           "低",        "窄", "否",        "发射后",    "AB-1 2"};
        QTest::newRow("nibbles above 9 enter the sum; name ends at a code without character")
            << 128 << hex("00 00 00 1A 0A 00 00 FA 00 0A 05 80 00 00 00 00") << hex("0A 0B 28 0C FF FF FF FF")
            << false << QStringList{"200.00000", "1600.00010", "模拟:100.0", "数字:05N", "关",
                                    "低",        "窄",         "否",         "关",       "AB"};
    }

    void decode()
    {
        QFETCH(int, channel);
        QFETCH(QByteArray, record);
        QFETCH(QByteArray, name);
        QFETCH(bool, scan);
        QFETCH(QStringList, expected);
        QCOMPARE(texts(DecodeChannel(withChannel(channel, record, name, scan), channel)), expected);
    }

    void encode_data()
    {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QByteArray>("after");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("scan");

        QTest::newRow("every field; bits and bytes the codec does not own are kept")
            << QStringList{"145.12500", "436.12500", "模拟:254.1", "数字:754I", "关",
                           "高",        "窄",        "是",         "发射前",    "AB-1 2"}
            << hex("FF FF FF FF FF FF FF FF FF FF FF FF FC C1 12 34")
            << hex("00 25 51 14 00 25 61 43 41 25 54 C7 FD E8 12 34") << hex("0A 0B 24 01 25 02 FF FF")
            << true;
        QTest::newRow("empty row: 0xFF in bytes 0-7, the rest kept but the reserved bit")
            << kEmptyRow << hex("00 25 51 00 00 25 61 43 70 06 23 80 03 3F 12 34")
            << hex("FF FF FF FF FF FF FF FF 70 06 23 80 03 3E 12 34") << hex("01 FF FF FF FF FF FF FF")
            << true;
        QTest::newRow("rx 0 and empty tx give 0xFF; lower-case name is 0xFF")
            << QStringList{"0", "", "无", "无", "载波", "低", "宽", "否", "两者", "abc"}
            << hex("00 25 51 14 00 25 61 43 70 06 23 80 00 00 00 00")
            << hex("FF FF FF FF FF FF FF FF FF FF FF FF 03 12 00 00") << hex("FF FF FF FF FF FF FF FF")
            << false;
        QTest::newRow("rx that is no number gives 0xFF; empty lockout cell keeps value 3")
            << QStringList{"abc", "145", "", "", "", "", "", "", "", ""}
            << hex("00 00 00 00 00 00 00 00 00 00 00 00 00 3F 00 00")
            << hex("FF FF FF FF 00 00 50 14 FF FF FF FF 00 06 00 00") << hex("FF FF FF FF FF FF FF FF")
            << false;
        QTest::newRow("1000 MHz saturates, negative frequency is empty, long name cut at 8")
            << QStringList{"1000", "-145", "", "", "", "", "", "", "", "ABCDEFGHIJ"}
            << hex("FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF FF")
            << hex("99 99 99 99 FF FF FF FF FF FF FF FF FC C6 FF FF") << hex("0A 0B 0C 0D 0E 0F 10 11")
            << false;
        QTest::newRow("a Chinese character takes two name positions")
            << QStringList{"145", "", "", "", "", "", "", "", "", "A对B"} << QByteArray(16, '\0')
            << hex("00 00 50 14 FF FF FF FF FF FF FF FF 00 00 00 00") << hex("0A FF FF 0B FF FF FF FF")
            << false;
    }

    void encode()
    {
        QFETCH(QStringList, cells);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, after);
        QFETCH(QByteArray, name);
        QFETCH(bool, scan);
        const int channel = 9;
        RadioImage image = withChannel(channel, before, hex("01 FF FF FF FF FF FF FF"), true);
        EncodeChannel(channelTexts(cells), channel, image);
        const ChannelLocation loc = LocateChannel(channel);
        QCOMPARE(imageBytes(image, loc.record, 16).toHex(' '), after.toHex(' '));
        QCOMPARE(imageBytes(image, loc.name, 8).toHex(' '), name.toHex(' '));
        QCOMPARE(ChannelRecord(image, channel).scanAdd(), scan);
        // Byte 13 bit 3 is a copy of the bitmap bit in every programmed channel.
        if (!cells[0].isEmpty())
            QCOMPARE((image.at(loc.record + 13) & 0x08) != 0, scan);
    }

    void tones_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("low");
        QTest::addColumn<bool>("decodes"); // the pair also decodes to text
        QTest::addColumn<bool>("encodes"); // text also encodes to the pair

        QTest::newRow("none") << "无" << 0xFF << 0xFF << true << true;
        QTest::newRow("high byte 0x00 is none") << "无" << 0x00 << 0x12 << true << false;
        QTest::newRow("CTCSS 67.0") << "模拟:67.0" << 0x06 << 0x70 << true << true;
        QTest::newRow("CTCSS 254.1") << "模拟:254.1" << 0x25 << 0x41 << true << true;
        QTest::newRow("DCS 023N") << "数字:023N" << 0x80 << 0x23 << true << true;
        QTest::newRow("DCS 114N") << "数字:114N" << 0x81 << 0x14 << true << true;
        QTest::newRow("DCS 754I") << "数字:754I" << 0xC7 << 0x54 << true << true;
        QTest::newRow("DCS 023I") << "数字:023I" << 0xC0 << 0x23 << true << true;
        QTest::newRow("DCS code below 10") << "数字:05N" << 0x80 << 0x05 << true << true;
        QTest::newRow("value part ends at a blank") << "模拟:67.0 Hz" << 0x06 << 0x70 << false << true;
        QTest::newRow("无 anywhere wins") << "模拟:67.0 无" << 0xFF << 0xFF << false << true;
        QTest::newRow("DCS without polarity") << "数字:023" << 0xFF << 0xFF << false << true;
        QTest::newRow("empty cell") << "" << 0xFF << 0xFF << false << true;
        QTest::newRow("negative DCS code is 0") << "数字:-5N" << 0x80 << 0x00 << false << true;
        QTest::newRow("negative CTCSS is 0") << "模拟:-1.0" << 0x00 << 0x00 << false << true;
        QTest::newRow("inverted code that would mark no tone")
            << "数字:6305I" << 0xFF << 0xFF << false << true;
    }

    void tones()
    {
        QFETCH(QString, text);
        QFETCH(int, high);
        QFETCH(int, low);
        QFETCH(bool, decodes);
        QFETCH(bool, encodes);
        if (decodes)
            QCOMPARE(q(DecodeTone(static_cast<std::uint8_t>(high), static_cast<std::uint8_t>(low))), text);
        if (encodes) {
            std::uint8_t l = 0;
            std::uint8_t h = 0;
            EncodeTone(s(text), l, h);
            QCOMPARE(int(h), high);
            QCOMPARE(int(l), low);
        }
    }

    void reencode_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("scan");
        QTest::addColumn<QByteArray>("record2");
        QTest::addColumn<QByteArray>("name2");

        QTest::newRow("name AB then code 40: the rest becomes 0xFF")
            << hex("00 25 51 14 FF FF FF FF FF FF FF FF 00 00 00 00") << hex("0A 0B 28 0C FF 01 02 03")
            << false << hex("00 25 51 14 FF FF FF FF FF FF FF FF 00 00 00 00")
            << hex("0A 0B FF FF FF FF FF FF");
        QTest::newRow("scan copy follows the bitmap bit; busy lockout 3 kept")
            << hex("00 25 51 14 FF FF FF FF FF FF FF FF 00 07 00 00") << hex("FF FF FF FF FF FF FF FF")
            << true << hex("00 25 51 14 FF FF FF FF FF FF FF FF 00 0E 00 00")
            << hex("FF FF FF FF FF FF FF FF");
        QTest::newRow("empty row with valid other bytes gets 0xFF in bytes 0-7")
            << hex("00 25 51 00 00 25 61 43 70 06 23 80 00 01 00 00") << hex("0A FF FF FF FF FF FF FF")
            << true << hex("FF FF FF FF FF FF FF FF 70 06 23 80 00 00 00 00")
            << hex("0A FF FF FF FF FF FF FF");
        QTest::newRow("nibbles above 9 are written as proper BCD")
            << hex("0A 00 00 1A 00 00 00 FA 00 0A FF FF 00 00 00 00") << hex("FF FF FF FF FF FF FF FF")
            << false << hex("10 00 00 20 99 99 99 99 00 10 FF FF 00 00 00 00")
            << hex("FF FF FF FF FF FF FF FF");
    }

    // Showing a row and saving it at once.
    void reencode()
    {
        QFETCH(QByteArray, record);
        QFETCH(QByteArray, name);
        QFETCH(bool, scan);
        QFETCH(QByteArray, record2);
        QFETCH(QByteArray, name2);
        RadioImage image = withChannel(1, record, name, scan);
        EncodeChannel(DecodeChannel(image, 1), 1, image);
        QCOMPARE(imageBytes(image, 0, 16).toHex(' '), record2.toHex(' '));
        QCOMPARE(imageBytes(image, map::kChannelNameBase, 8).toHex(' '), name2.toHex(' '));
        QCOMPARE(ChannelRecord(image, 1).scanAdd(), scan);
    }

    void locations_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("record");
        QTest::addColumn<int>("name");
        QTest::addColumn<int>("scanByte");
        QTest::addColumn<int>("scanMask");
        QTest::newRow("channel 1") << 1 << 0x000 << 0x850 << 0xC50 << 0x01;
        QTest::newRow("channel 8") << 8 << 0x070 << 0x888 << 0xC50 << 0x80;
        QTest::newRow("channel 9 uses bit 0 of 0xC51") << 9 << 0x080 << 0x890 << 0xC51 << 0x01;
        QTest::newRow("channel 63 is the serial number") << 63 << 0x3E0 << 0xA40 << 0xC57 << 0x40;
        QTest::newRow("channel 128 uses bit 7 of 0xC5F") << 128 << 0x7F0 << 0xC48 << 0xC5F << 0x80;
    }

    void locations()
    {
        QFETCH(int, channel);
        QFETCH(int, record);
        QFETCH(int, name);
        QFETCH(int, scanByte);
        QFETCH(int, scanMask);
        const ChannelLocation loc = LocateChannel(channel);
        QCOMPARE(int(loc.record), record);
        QCOMPARE(int(loc.name), name);

        // Saving the channel with scan add touches exactly its bit of the bitmap.
        RadioImage image;
        image.fill(map::kScanBitmapBase, map::kScanBitmapSize, 0x00);
        ChannelTexts t = DecodeChannel(image, channel);
        t[ColRxFrequency] = "145";
        t[ColScanAdd] = text::kYes;
        EncodeChannel(t, channel, image);
        for (std::size_t b = map::kScanBitmapBase; b < map::kScanBitmapBase + map::kScanBitmapSize; ++b)
            QCOMPARE(int(image.at(b)), int(b) == scanByte ? scanMask : 0);
    }
};

QTEST_GUILESS_MAIN(TestChannelCodec)
#include "tst_channel_codec.moc"
