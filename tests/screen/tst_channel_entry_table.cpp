// The channel table: whole entries move with insert and remove, every bit the grid does not show
// travels with its channel, and row 63 stays put while it holds the serial number.

#include "ChannelCodec.h"
#include "ChannelEntryTable.h"
#include "FeatureCodecs.h"
#include "ScreenCopy.h"

#include <QTest>

using namespace orx;

namespace {

// Channel n of the test image: its own frequency, and its own marks in every hidden bit.
void putChannel(RadioImage& image, int n)
{
    const ChannelLocation at = LocateChannel(n);
    const std::uint8_t mhz = static_cast<std::uint8_t>(0x40 + n % 10);
    const std::uint8_t record[16] = {0x00,
                                     0x00,
                                     static_cast<std::uint8_t>(n % 100 / 10 * 16 + n % 10),
                                     0x43,
                                     0xFF,
                                     0xFF,
                                     0xFF,
                                     0xFF,
                                     0xFF,
                                     0xFF,
                                     0xFF,
                                     0xFF,
                                     static_cast<std::uint8_t>(0xA8 | (n % 4)), // PTT ID and kept bits 2-7
                                     static_cast<std::uint8_t>(0x86 | 0x30),    // busy 3, kept bits 6-7
                                     static_cast<std::uint8_t>(n),
                                     mhz}; // bytes 14-15 kept
    for (std::size_t k = 0; k < 16; ++k)
        image.set(at.record + k, record[k]);
    image.set(at.name, static_cast<std::uint8_t>(n % 36));
    image.setBits(at.scanByte, at.scanMask, n % 2 ? at.scanMask : 0);
}

RadioImage numberedImage(bool serial)
{
    RadioImage image;
    image.resetToNewDocument();
    for (int n = 1; n <= map::kChannelCount; ++n)
        putChannel(image, n);
    if (serial)
        EncodeSerialNumber("SN-001", image);
    return image;
}

// Which channel of numberedImage() each row's entry came from; 0 for an erased entry, -1 for the
// fixed serial-number row.
QList<int> origins(const ChannelEntryTable& table, const RadioImage& source)
{
    QList<int> out;
    for (int row = 1; row <= map::kChannelCount; ++row) {
        if (table.isFixed(row)) {
            out << -1;
            continue;
        }
        int from = table.entry(row) == ChannelEntry::Erased() ? 0 : -2;
        for (int n = 1; from == -2 && n <= map::kChannelCount; ++n) {
            if (table.entry(row) == ChannelEntry::Decode(source, n))
                from = n;
        }
        out << from;
    }
    return out;
}

QList<int> identity(bool serial)
{
    QList<int> rows;
    for (int n = 1; n <= map::kChannelCount; ++n)
        rows << (serial && n == map::kSerialNumberChannel ? -1 : n);
    return rows;
}

} // namespace

class TestChannelEntryTable : public QObject {
    Q_OBJECT

private slots:
    void insertAndRemove_data()
    {
        QTest::addColumn<bool>("serial");
        QTest::addColumn<QString>("steps"); // 'I' insert an erased entry, 'R' remove, with the row
        // Where entries are afterwards, as row:channel pairs (0 erased); an empty list means that
        // nothing moved at all.
        QTest::addColumn<QList<QPoint>>("moved");
        QTest::newRow("insert on row 1") << false << "I1" << QList<QPoint>{{1, 0}, {2, 1}, {128, 127}};
        QTest::newRow("remove row 1") << false << "R1" << QList<QPoint>{{1, 2}, {127, 128}, {128, 0}};
        QTest::newRow("insert on 128 drops channel 128") << false << "I128" << QList<QPoint>{{128, 0}};
        QTest::newRow("channel 62 moves onto row 63 without a serial number")
            << false << "I1" << QList<QPoint>{{63, 62}, {64, 63}};
        QTest::newRow("with a serial number, channel 62 goes round row 63")
            << true << "I1" << QList<QPoint>{{62, 61}, {64, 62}, {65, 64}, {128, 127}};
        QTest::newRow("remove above the serial number closes the gap round it")
            << true << "R10" << QList<QPoint>{{62, 64}, {64, 65}, {127, 128}, {128, 0}};
        QTest::newRow("insert on the serial number's row opens row 64")
            << true << "I63" << QList<QPoint>{{62, 62}, {64, 0}, {65, 64}};
        QTest::newRow("remove on the serial number's row does nothing") << true << "R63" << QList<QPoint>{};
        QTest::newRow("insert then remove restores all but the last")
            << true << "I5 R5" << QList<QPoint>{{5, 5}, {62, 62}, {64, 64}, {127, 127}, {128, 0}};
    }
    void insertAndRemove()
    {
        QFETCH(bool, serial);
        QFETCH(QString, steps);
        QFETCH(QList<QPoint>, moved);
        const RadioImage source = numberedImage(serial);
        ChannelEntryTable table = ChannelEntryTable::FromImage(source);
        QCOMPARE(table.holdsSerialNumber(), serial);
        QCOMPARE(origins(table, source), identity(serial));
        for (const QString& step : steps.split(' ')) {
            const int row = step.mid(1).toInt();
            const bool done =
                step.startsWith('I') ? table.insert(row, ChannelEntry::Erased()) : table.remove(row);
            QCOMPARE(done, !(serial && step == "R63"));
        }
        const QList<int> after = origins(table, source);
        for (const QPoint& p : moved)
            QCOMPARE(after[p.x() - 1], p.y());
        if (serial)
            QCOMPARE(after[map::kSerialNumberChannel - 1], -1);
        if (moved.isEmpty())
            QCOMPARE(after, identity(serial));
    }

    void movedChannelsKeepEveryBit()
    {
        // A channel added above every other: each channel's hidden bits arrive at its new row, and
        // channel 128's are gone rather than left behind for someone else.
        const RadioImage source = numberedImage(false);
        ChannelEntryTable table = ChannelEntryTable::FromImage(source);
        table.insert(1, ChannelEntry::Erased());
        RadioImage saved = source;
        table.StoreInto(saved);
        BandLimits limits;
        const RadioImage plain = LoadAndSave(source, {}, limits);
        for (int n = 1; n < map::kChannelCount; ++n) {
            const ChannelLocation from = LocateChannel(n);
            const ChannelLocation to = LocateChannel(n + 1);
            for (std::size_t k = 0; k < 16; ++k)
                QCOMPARE(saved.at(to.record + k), plain.at(from.record + k));
            for (std::size_t k = 0; k < 8; ++k)
                QCOMPARE(saved.at(to.name + k), plain.at(from.name + k));
            QCOMPARE(saved.bit(to.scanByte, to.scanMask), plain.bit(from.scanByte, from.scanMask));
        }
        // Row 1 is what a new document saves for an empty channel.
        const ChannelLocation first = LocateChannel(1);
        for (std::size_t k = 0; k < 16; ++k)
            QCOMPARE(saved.at(first.record + k), std::uint8_t(k == rec::kFlagsByte ? 0xFE : 0xFF));
        QVERIFY(saved.bit(first.scanByte, first.scanMask));
    }

    void unmovedTableStoresWhatTheCodecStores()
    {
        const RadioImage source = numberedImage(false);
        RadioImage viaTable = source;
        ChannelEntryTable::FromImage(source).StoreInto(viaTable);
        RadioImage viaCodec = source;
        for (int n = 1; n <= map::kChannelCount; ++n)
            EncodeChannel(DecodeChannel(source, n), n, viaCodec);
        QVERIFY(viaTable == viaCodec);
    }

    void serialRowFollowsItsBytes()
    {
        RadioImage image = numberedImage(false);
        ChannelEntryTable table = ChannelEntryTable::FromImage(image);
        QVERIFY(!table.isFixed(63));
        EncodeSerialNumber("AB12", image);
        table.reloadSerialRow(image);
        QVERIFY(table.isFixed(63));
        QVERIFY(table.texts(63).empty());
        QVERIFY(!table.replace(63, ChannelEntry::Erased()));
        const std::vector<int> rows = table.rowsFrom(62);
        QCOMPARE(rows.at(0), 62);
        QCOMPARE(rows.at(1), 64);
        EncodeSerialNumber("", image);
        table.reloadSerialRow(image);
        QVERIFY(!table.isFixed(63));
        QVERIFY(table.texts(63).empty()); // 16 bytes of 0xFF: an empty channel
    }

    void csvRowForTheSerialNumberIsRefused()
    {
        ChannelEntryTable table = ChannelEntryTable::FromImage(numberedImage(true));
        const ChannelEntryTable before = table;
        CsvImport import =
            ImportChannelCsv("Location,Frequency\r\n63,145.5\r\n64,146.5\r\n", table.allTexts(), {});
        ApplyCsvImport(import, table);
        QCOMPARE(import.rows.size(), std::size_t(2));
        QCOMPARE(import.rows[0].outcome, CsvOutcome::Refused);
        QCOMPARE(import.rows[0].refusal, CsvRefusal::SerialNumberRow);
        QCOMPARE(import.rows[1].outcome, CsvOutcome::Changed);
        QVERIFY(table.entry(63) == before.entry(63));
        QCOMPARE(table.texts(64)[ColRxFrequency], std::string("146.50000"));
        // Row 64 kept its bytes: only its texts changed.
        QVERIFY(table.entry(64).record == before.entry(64).record);
        QCOMPARE(import.channels[62], before.texts(63));
    }
};

QTEST_APPLESS_MAIN(TestChannelEntryTable)
#include "tst_channel_entry_table.moc"
