// Work on many channels at once: offsets through the frequency editor's rule, bulk values that
// pass or fail their column's rule, sorting, moving and packing whole entries around the serial
// number's row, and filling a column.

#include "ChannelBulk.h"
#include "ChannelRows.h"
#include "ChannelEdit.h"
#include "DecimalScale.h"
#include "FeatureCodecs.h"

#include <QTest>

using namespace orx;

Q_DECLARE_METATYPE(std::optional<orx::OffsetChoice>)

namespace {

const BandLimits kVhf{13600000, 17400000};

// Channel with receive frequency mhz and name; its record bytes carry the channel's own mark, so
// that a moved entry can be told by its bytes as well.
ChannelEntry channel(const std::string& mhz, const std::string& name, std::uint8_t mark)
{
    ChannelEntry e = ChannelEntry::Erased();
    e.texts = DefaultChannelTexts(mhz);
    e.texts[ColName] = name;
    e.record[14] = mark;
    e.record[15] = static_cast<std::uint8_t>(~mark);
    return e;
}

ChannelEntry emptyWithLeftovers(std::uint8_t mark)
{
    ChannelEntry e = ChannelEntry::Erased();
    e.record[14] = mark;
    return e;
}

// A table whose row 63 holds a serial number.
ChannelEntryTable tableWithSerial()
{
    RadioImage image;
    image.resetToNewDocument();
    const char serial[] = "SN-4711";
    for (std::size_t k = 0; k < sizeof serial - 1; ++k)
        image.set(map::kSerialNumber + k, static_cast<std::uint8_t>(serial[k]));
    ChannelEntryTable table = ChannelEntryTable::FromImage(image);
    Q_ASSERT(table.isFixed(63));
    return table;
}

std::vector<int> range(int first, int last)
{
    std::vector<int> rows;
    for (int n = first; n <= last; ++n)
        rows.push_back(n);
    return rows;
}

QList<int> marks(const ChannelEntryTable& table, int first, int last)
{
    QList<int> out;
    for (int n = first; n <= last; ++n)
        out << (table.isFixed(n) ? -1 : table.entry(n).record[14]);
    return out;
}

} // namespace

class TestChannelBulk : public QObject {
    Q_OBJECT
private slots:
    void offsetText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<std::optional<OffsetChoice>>("expected");
        using C = std::optional<OffsetChoice>;
        QTest::newRow("+0.6") << "+0.6" << C(OffsetChoice{Duplex::Plus, 60000});
        QTest::newRow("-5") << "-5" << C(OffsetChoice{Duplex::Minus, 500000});
        QTest::newRow("-7.6 (UHF in some countries)") << "-7.6" << C(OffsetChoice{Duplex::Minus, 760000});
        QTest::newRow("0 is simplex") << "0" << C(OffsetChoice{Duplex::Simplex, 0});
        QTest::newRow("0.000 is simplex") << "0.000" << C(OffsetChoice{Duplex::Simplex, 0});
        QTest::newRow("+0 has no direction") << "+0" << C();
        QTest::newRow("no sign") << "0.6" << C();
        QTest::newRow("unit") << "-0.6MHz" << C();
        QTest::newRow("two signs") << "+-1" << C();
        QTest::newRow("beyond any band") << "+100.00001" << C();
        QTest::newRow("largest") << "-100" << C(OffsetChoice{Duplex::Minus, 10000000});
        QTest::newRow("empty") << "" << C();
        QTest::newRow("comma") << "+0,6" << C();
    }
    void offsetText()
    {
        QFETCH(QString, text);
        QFETCH(std::optional<OffsetChoice>, expected);
        QCOMPARE(ParseOffsetText(text.toStdString()), expected);
    }

    void offsetRow_data()
    {
        QTest::addColumn<QString>("rx");
        QTest::addColumn<int>("duplex");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("tx");
        QTest::addColumn<int>("leftAlone"); // the reason, -1 when the offset was applied
        const int applied = -1;
        const int above = int(LeftAloneReason::AboveBand);
        const int below = int(LeftAloneReason::BelowBand);
        QTest::newRow("145.000 -0.6") << "145.00000" << int(Duplex::Minus) << 60000 << "144.40000" << applied;
        QTest::newRow("145.000 +0.6") << "145.00000" << int(Duplex::Plus) << 60000 << "145.60000" << applied;
        QTest::newRow("173.400 +0.6 lands on the upper edge")
            << "173.40000" << int(Duplex::Plus) << 60000 << "174.00000" << applied;
        QTest::newRow("173.900 +5 would leave the band: left as it was")
            << "173.90000" << int(Duplex::Plus) << 500000 << "150.00000" << above;
        QTest::newRow("136.200 -0.6 would leave the band")
            << "136.20000" << int(Duplex::Minus) << 60000 << "150.00000" << below;
        QTest::newRow("offset beyond the receive frequency")
            << "136.00000" << int(Duplex::Minus) << 10000000 << "150.00000" << below;
        QTest::newRow("off-raster result rounds down as typed")
            << "145.00625" << int(Duplex::Plus) << 1 << "145.00625" << applied;
        QTest::newRow("simplex copies the receive text")
            << "150.01250" << int(Duplex::Simplex) << 0 << "150.01250" << applied;
        QTest::newRow("split takes the value itself")
            << "145.00000" << int(Duplex::Split) << 14800000 << "148.00000" << applied;
        QTest::newRow("split above the band")
            << "145.00000" << int(Duplex::Split) << 44000000 << "150.00000" << above;
        QTest::newRow("split below the band")
            << "145.00000" << int(Duplex::Split) << 13599999 << "150.00000" << below;
    }
    void offsetRow()
    {
        QFETCH(QString, rx);
        QFETCH(int, duplex);
        QFETCH(int, value);
        QFETCH(QString, tx);
        QFETCH(int, leftAlone);
        ChannelTexts row = DefaultChannelTexts(rx.toStdString());
        row[ColTxFrequency] = "150.00000";
        const OffsetChoice choice{static_cast<Duplex>(duplex), static_cast<std::uint32_t>(value)};
        std::optional<LeftAloneReason> reason;
        const ChannelTexts after = ApplyOffset(row, choice, kVhf, &reason);
        QCOMPARE(QString::fromStdString(after[ColTxFrequency]), tx);
        QCOMPARE(after[ColRxFrequency], row[ColRxFrequency]);
        QCOMPARE(reason ? int(*reason) : -1, leftAlone);
        // An empty channel stays empty whatever the choice.
        QVERIFY(ApplyOffset(ChannelTexts{}, OffsetChoice{static_cast<Duplex>(duplex), 60000}, kVhf).empty());

        // The same through a bulk change of three channels: each one left alone is listed and kept
        // whole (its power too), the others are changed.
        ChannelEntryTable table;
        table.texts(1) = DefaultChannelTexts("145.00000");
        table.texts(2) = row;
        table.texts(3) = DefaultChannelTexts("173.90000");
        std::vector<LeftAlone> expected;
        for (int n = 1; n <= 3; ++n) {
            if (ApplyOffset(table.texts(n), choice, kVhf, &reason); reason)
                expected.push_back({n, *reason});
        }
        BulkChange change;
        change.offset = choice;
        change.power = "低";
        std::vector<LeftAlone> left;
        ApplyBulkChange(table, range(1, 3), change, kVhf, &left);
        QCOMPARE(left, expected);
        QCOMPARE(std::count(left.begin(), left.end(), LeftAlone{2, LeftAloneReason(leftAlone)}),
                 long(leftAlone >= 0));
        for (int n = 1; n <= 3; ++n) {
            const bool kept =
                std::any_of(left.begin(), left.end(), [n](const LeftAlone& l) { return l.channel == n; });
            QCOMPARE(table.texts(n)[ColPower], std::string(kept ? "高" : "低"));
        }
    }

    void computedFrequencyUnder10MHz()
    {
        // A damaged file's band may start below 10 MHz: such a frequency would be dropped on saving.
        const BandLimits low{100000, 17400000};
        QCOMPARE(ComputedFrequencyProblem(500000, low), std::optional(LeftAloneReason::NotStorable));
        QCOMPARE(ComputedFrequencyProblem(1000000, low), std::nullopt);
        QCOMPARE(ComputedFrequencyProblem(-60000, kVhf), std::optional(LeftAloneReason::BelowBand));
    }

    void bulkValues_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected"); // empty: refused
        QTest::newRow("power low") << int(ColPower) << "低"
                                   << "低";
        QTest::newRow("power medium refused") << int(ColPower) << "中"
                                              << "";
        QTest::newRow("bandwidth narrow") << int(ColBandwidth) << "窄"
                                          << "窄";
        QTest::newRow("busy carrier") << int(ColBusyLockout) << "载波"
                                      << "载波";
        QTest::newRow("ptt both") << int(ColPttId) << "两者"
                                  << "两者";
        QTest::newRow("scan no") << int(ColScanAdd) << "否"
                                 << "否";
        QTest::newRow("scan prefix refused") << int(ColScanAdd) << "是的"
                                             << "";
        QTest::newRow("standard CTCSS") << int(ColRxTone) << "模拟:88.5"
                                        << "模拟:88.5";
        QTest::newRow("non-standard CTCSS refused") << int(ColRxTone) << "模拟:88.6"
                                                    << "";
        QTest::newRow("DCS inverted") << int(ColTxTone) << "数字:754I"
                                      << "数字:754I";
        QTest::newRow("no tone") << int(ColTxTone) << "无"
                                 << "无";
        QTest::newRow("a choice is no tone") << int(ColTxTone) << "关"
                                             << "";
        QTest::newRow("name is no bulk column") << int(ColName) << "ABC"
                                                << "";
    }
    void bulkValues()
    {
        QFETCH(int, column);
        QFETCH(QString, value);
        QFETCH(QString, expected);
        const auto text = BulkCellText(static_cast<ChannelColumn>(column), value.toStdString());
        QCOMPARE(text.has_value(), !expected.isEmpty());
        if (text)
            QCOMPARE(QString::fromStdString(*text), expected);
    }

    void namePrefix()
    {
        QCOMPARE(BulkNamePrefix("rpt"), std::optional<std::string>("RPT"));
        QCOMPARE(BulkNamePrefix("R-1 "), std::optional<std::string>("R-1 "));
        QCOMPARE(BulkNamePrefix("R_1"), std::nullopt);
        QCOMPARE(BulkNamePrefix("中继"), std::nullopt);
        QCOMPARE(BulkNamePrefix("ABCDEFGHI"), std::nullopt);
        QCOMPARE(PrefixedName("RPT", 7), std::string("RPT7"));
        QCOMPARE(PrefixedName("REPEATER", 128), std::string("REPEA128"));
        QCOMPARE(PrefixedName("", 12), std::string("12"));
    }

    void bulkLeavesEmptyChannelsAndSerialRow()
    {
        ChannelEntryTable table = tableWithSerial();
        table.replace(60, channel("145.00000", "A", 60));
        table.replace(61, emptyWithLeftovers(61));
        table.replace(62, channel("173.80000", "B", 62));
        table.replace(64, channel("136.20000", "C", 64));
        const ChannelEntryTable before = table;
        BulkChange change;
        change.power = "低";
        change.offset = OffsetChoice{Duplex::Plus, 60000};
        change.namePrefix = "R";
        change.rxTone = "数字:023N";
        std::vector<LeftAlone> left;
        QCOMPARE(ApplyBulkChange(table, range(59, 65), change, kVhf, &left), 2);
        QCOMPARE(left, (std::vector<LeftAlone>{{62, LeftAloneReason::AboveBand}}));
        QCOMPARE(table.entry(61), before.entry(61));
        QCOMPARE(table.entry(63), before.entry(63));
        QCOMPARE(table.entry(59), before.entry(59));
        QCOMPARE(table.texts(60)[ColTxFrequency], std::string("145.60000"));
        QCOMPARE(table.entry(62), before.entry(62)); // 174.4 MHz would leave the band
        QCOMPARE(table.texts(64)[ColName], std::string("R64"));
        QCOMPARE(table.texts(64)[ColRxTone], std::string("数字:023N"));
        QCOMPARE(table.texts(60)[ColPower], std::string("低"));
        // The channels keep their bytes: only texts change.
        QCOMPARE(table.entry(64).record, before.entry(64).record);
        // A value the column does not take changes nothing.
        ChannelEntryTable again = before;
        BulkChange bad;
        bad.power = "中";
        QCOMPARE(ApplyBulkChange(again, range(1, 128), bad, kVhf), 0);
        QCOMPARE(again, before);
    }

    void sortKeepsEntriesWhole_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QList<int>>("order"); // marks of rows 60..67, -1 for the serial row
        // Rows 60..67: 60 146 MHz "B", 61 empty, 62 145 "D", 63 serial, 64 145 "A", 65 144 unnamed,
        // 66 empty, 67 147 "C".
        QTest::newRow("frequency, stable, empties last")
            << int(SortKey::Frequency) << false << QList<int>{65, 62, 64, -1, 60, 67, 61, 66};
        QTest::newRow("frequency descending, empties still last")
            << int(SortKey::Frequency) << true << QList<int>{67, 60, 62, -1, 64, 65, 61, 66};
        QTest::newRow("name, unnamed after named")
            << int(SortKey::Name) << false << QList<int>{64, 60, 67, -1, 62, 65, 61, 66};
        QTest::newRow("name descending, unnamed still after")
            << int(SortKey::Name) << true << QList<int>{62, 67, 60, -1, 64, 65, 61, 66};
        QTest::newRow("number packs the empties")
            << int(SortKey::Number) << false << QList<int>{60, 62, 64, -1, 65, 67, 61, 66};
        QTest::newRow("number descending reverses")
            << int(SortKey::Number) << true << QList<int>{67, 65, 64, -1, 62, 60, 61, 66};
    }
    void sortKeepsEntriesWhole()
    {
        QFETCH(int, key);
        QFETCH(bool, descending);
        QFETCH(QList<int>, order);
        ChannelEntryTable table = tableWithSerial();
        table.replace(60, channel("146.00000", "B", 60));
        table.replace(61, emptyWithLeftovers(61));
        table.replace(62, channel("145.00000", "D", 62));
        table.replace(64, channel("145.00000", "A", 64));
        table.replace(65, channel("144.00000", "", 65));
        table.replace(66, emptyWithLeftovers(66));
        table.replace(67, channel("147.00000", "C", 67));
        const ChannelEntryTable before = table;
        SortChannels(table, range(60, 67), static_cast<SortKey>(key), descending);
        QCOMPARE(marks(table, 60, 67), order);
        QCOMPARE(table.entry(63), before.entry(63));
        QCOMPARE(table.entry(59), before.entry(59));
        QCOMPARE(table.entry(68), before.entry(68));
        // Each entry arrives whole.
        for (int n = 60; n <= 67; ++n) {
            if (n == 63)
                continue;
            const int from = table.entry(n).record[14];
            QCOMPARE(table.entry(n), before.entry(from));
        }
    }

    void move_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<int>("delta"); // 0: MoveChannelsTo target
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("newFirst"); // 0: nothing moves
        QTest::addColumn<int>("newLast");
        QTest::addColumn<QList<int>>("order"); // marks of rows 60..66
        QTest::newRow("up one") << 61 << 62 << -1 << 0 << 60 << 61 << QList<int>{61, 62, 60, -1, 64, 65, 66};
        QTest::newRow("down past the serial row")
            << 61 << 62 << +1 << 0 << 62 << 64 << QList<int>{60, 64, 61, -1, 62, 65, 66};
        QTest::newRow("up past the serial row")
            << 64 << 65 << -1 << 0 << 62 << 64 << QList<int>{60, 61, 64, -1, 65, 62, 66};
        QTest::newRow("block over the serial row down")
            << 62 << 64 << +1 << 0 << 64 << 65 << QList<int>{60, 61, 65, -1, 62, 64, 66};
        QTest::newRow("drop below: last lands on target")
            << 60 << 61 << 0 << 65 << 64 << 65 << QList<int>{62, 64, 65, -1, 60, 61, 66};
        QTest::newRow("drop above: first lands on target")
            << 65 << 66 << 0 << 61 << 61 << 62 << QList<int>{60, 65, 66, -1, 61, 62, 64};
        QTest::newRow("drop on itself")
            << 60 << 62 << 0 << 61 << 0 << 0 << QList<int>{60, 61, 62, -1, 64, 65, 66};
        QTest::newRow("the serial row alone")
            << 63 << 63 << +1 << 0 << 0 << 0 << QList<int>{60, 61, 62, -1, 64, 65, 66};
    }
    void move()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(int, delta);
        QFETCH(int, target);
        QFETCH(int, newFirst);
        QFETCH(int, newLast);
        QFETCH(QList<int>, order);
        ChannelEntryTable table = tableWithSerial();
        for (int n = 1; n <= 128; ++n)
            table.replace(n, n % 3 ? channel("145.00000", "X", static_cast<std::uint8_t>(n))
                                   : emptyWithLeftovers(static_cast<std::uint8_t>(n)));
        const ChannelEntryTable before = table;
        const auto span =
            delta ? MoveChannels(table, first, last, delta) : MoveChannelsTo(table, first, last, target);
        QCOMPARE(span.has_value(), newFirst != 0);
        if (span)
            QCOMPARE(*span, (RowSpan{newFirst, newLast}));
        else
            QCOMPARE(table, before);
        QCOMPARE(marks(table, 60, 66), order);
    }

    void moveStopsAtTheEdges()
    {
        ChannelEntryTable table;
        table.replace(1, channel("145.00000", "A", 1));
        table.replace(128, channel("146.00000", "B", 128));
        const ChannelEntryTable before = table;
        QVERIFY(!MoveChannels(table, 1, 3, -1));
        QVERIFY(!MoveChannels(table, 120, 128, +1));
        QCOMPARE(table, before);
        QCOMPARE(MoveChannels(table, 127, 128, -1), (RowSpan{126, 127}));
        QCOMPARE(table.entry(127), before.entry(128));
    }

    // Separate runs of rows, each moved one row as a list editor moves them.
    void moveRuns_data()
    {
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<int>("delta");
        QTest::addColumn<QList<int>>("placed"); // empty: nothing moves
        QTest::addColumn<QList<int>>("order");  // marks of rows 1..8, or of 60..67 when rows pass 60
        QTest::newRow("two runs up") << QList<int>{3, 4, 7} << -1 << QList<int>{2, 3, 6}
                                     << QList<int>{1, 3, 4, 2, 5, 7, 6, 8};
        QTest::newRow("two runs down")
            << QList<int>{2, 5, 6} << +1 << QList<int>{3, 6, 7} << QList<int>{1, 3, 2, 4, 7, 5, 6, 8};
        QTest::newRow("run at the top stays, the other moves")
            << QList<int>{1, 2, 5} << -1 << QList<int>{1, 2, 4} << QList<int>{1, 2, 3, 5, 4, 6, 7, 8};
        QTest::newRow("stacked against the top: nothing moves")
            << QList<int>{1, 2, 3} << -1 << QList<int>{} << QList<int>{1, 2, 3, 4, 5, 6, 7, 8};
        QTest::newRow("runs either side of the serial row down")
            << QList<int>{61, 62, 64, 65} << +1 << QList<int>{62, 64, 65, 66}
            << QList<int>{60, 66, 61, -1, 62, 64, 65, 67};
        QTest::newRow("the serial row in a run stays put")
            << QList<int>{62, 63, 64} << -1 << QList<int>{61, 62}
            << QList<int>{60, 62, 64, -1, 61, 65, 66, 67};
        QTest::newRow("at the last row")
            << QList<int>{60, 128} << +1 << QList<int>{61, 128} << QList<int>{61, 60, 62, -1, 64, 65, 66, 67};
    }
    void moveRuns()
    {
        QFETCH(QList<int>, rows);
        QFETCH(int, delta);
        QFETCH(QList<int>, placed);
        QFETCH(QList<int>, order);
        ChannelEntryTable table = tableWithSerial();
        for (int n = 1; n <= 128; ++n)
            table.replace(n, n % 3 ? channel("145.00000", "X", static_cast<std::uint8_t>(n))
                                   : emptyWithLeftovers(static_cast<std::uint8_t>(n)));
        const ChannelEntryTable before = table;
        const auto result = MoveChannelRows(table, std::vector<int>(rows.begin(), rows.end()), delta);
        QCOMPARE(result.has_value(), !placed.isEmpty());
        if (result)
            QCOMPARE(QList<int>(result->begin(), result->end()), placed);
        else
            QCOMPARE(table, before);
        const int first = rows.back() >= 60 ? 60 : 1;
        QCOMPARE(marks(table, first, first + 7), order);
        QCOMPARE(table.entry(128).record[14], rows.contains(128) ? 128 : before.entry(128).record[14]);
    }

    void runsOfRows()
    {
        QCOMPARE(RowRuns({9, 3, 4, 4, 0, 129, 10, 6}), (std::vector<RowSpan>{{3, 4}, {6, 6}, {9, 10}}));
        QCOMPARE(RunRows({{3, 4}, {9, 9}}), (std::vector<int>{3, 4, 9}));
        QCOMPARE(RunHolding({{3, 4}, {9, 10}}, 10), std::optional<RowSpan>(RowSpan{9, 10}));
        QVERIFY(!RunHolding({{3, 4}, {9, 10}}, 5));
    }

    void fill_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("top");
        QTest::addColumn<QStringList>("after"); // the column's cells of rows 2..4 (row 3 starts empty)
        QTest::newRow("power") << int(ColPower) << "低" << QStringList{"低", "", "低"};
        QTest::newRow("name") << int(ColName) << "RPT" << QStringList{"RPT", "", "RPT"};
        QTest::newRow("receive frequency creates the empty channel")
            << int(ColRxFrequency) << "145.50000" << QStringList{"145.50000", "145.50000", "145.50000"};
        QTest::newRow("empty receive frequency deletes nothing")
            << int(ColRxFrequency) << "" << QStringList{"146.00000", "", "147.00000"};
        QTest::newRow("empty transmit frequency removes it, keeps the channel")
            << int(ColTxFrequency) << "" << QStringList{"", "", ""};
        QTest::newRow("empty top channel: no empty tone written")
            << int(ColTxTone) << "EMPTY" << QStringList{"无", "", "无"};
        QTest::newRow("empty top channel: no empty name either")
            << int(ColName) << "EMPTY" << QStringList{"", "", "KEEP"};
        QTest::newRow("receive frequency above today's band fills nothing")
            << int(ColRxFrequency) << "440.00000" << QStringList{"146.00000", "", "147.00000"};
    }
    void fill()
    {
        QFETCH(int, column);
        QFETCH(QString, top);
        QFETCH(QStringList, after);
        const auto col = static_cast<ChannelColumn>(column);
        ChannelEntryTable table;
        table.texts(1) = DefaultChannelTexts("145.00000");
        table.texts(1)[col] = top.toStdString();
        if ((col == ColRxFrequency && top.isEmpty()) || top == "EMPTY")
            table.texts(1) = {};
        table.texts(2) = DefaultChannelTexts("146.00000");
        table.texts(4) = DefaultChannelTexts("147.00000");
        table.texts(4)[ColName] = "KEEP";
        std::vector<LeftAlone> left;
        FillColumn(table, range(1, 4), col, kVhf, &left);
        if (top == "440.00000")
            QCOMPARE(left, (std::vector<LeftAlone>{{2, LeftAloneReason::AboveBand},
                                                   {3, LeftAloneReason::AboveBand},
                                                   {4, LeftAloneReason::AboveBand}}));
        else
            QVERIFY(left.empty());
        for (int n = 2; n <= 4; ++n)
            QCOMPARE(QString::fromStdString(table.texts(n)[col]), after[n - 2]);
        QVERIFY(!table.texts(2).empty());
    }

    void channelList_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("expected"); // empty: refused
        QTest::newRow("range") << "1-4" << QList<int>{1, 2, 3, 4};
        QTest::newRow("list") << "5,2,5,3-4" << QList<int>{5, 2, 3, 4};
        QTest::newRow("last") << "128" << QList<int>{128};
        QTest::newRow("zero") << "0-3" << QList<int>{};
        QTest::newRow("beyond") << "120-129" << QList<int>{};
        QTest::newRow("backwards") << "5-1" << QList<int>{};
        QTest::newRow("trailing comma") << "1," << QList<int>{};
        QTest::newRow("spaces") << "1 - 3" << QList<int>{};
        QTest::newRow("sign") << "+3" << QList<int>{};
    }
    void channelList()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, expected);
        const auto list = ParseChannelList(text.toStdString());
        QCOMPARE(list.has_value(), !expected.isEmpty());
        if (list)
            QCOMPARE(QList<int>(list->begin(), list->end()), expected);
    }
};

QTEST_APPLESS_MAIN(TestChannelBulk)
#include "tst_channel_bulk.moc"
