// The cell-edit rules on their own: frequency entries, the rows they leave, tone texts and the
// text filters of the editors. The typed-frequency cases a user meets are run through the real
// editor in tst_cell_editors; these rows cover what is awkward to reach by keys.

#include "ChannelEdit.h"
#include "ToneChoice.h"

#include <QTest>

using namespace orx;

namespace {

ChannelTexts channel(const std::string& rx, const std::string& tx)
{
    ChannelTexts t = DefaultChannelTexts(rx);
    t[ColTxFrequency] = tx;
    t[ColName] = "CALL";
    return t;
}

} // namespace

class TestChannelEdit : public QObject {
    Q_OBJECT
private slots:
    void frequencyEntry_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<uint>("lower");
        QTest::addColumn<uint>("upper");
        QTest::addColumn<QString>("expected");
        const uint lo = BandLimits::kStartLower, hi = BandLimits::kStartUpper;
        QTest::newRow("just below the top rounds down to 5 kHz") << "173.99999" << lo << hi << "173.99500";
        QTest::newRow("2^32 in 10 Hz units clamps to the upper limit")
            << "42949.67296" << lo << hi << "174.00000";
        QTest::newRow("2^32 + 1 does not wrap to the lower limit")
            << "42949.67297" << lo << hi << "174.00000";
        QTest::newRow("beyond 64 bits clamps to the upper limit") << "1e30" << lo << hi << "174.00000";
        QTest::newRow("another band clamps to its own lower edge")
            << "145" << 40000000u << 47000000u << "400.00000";
        QTest::newRow("trailing text after the number is ignored")
            << "145.0125 MHz" << lo << hi << "145.01250";
        QTest::newRow("a second decimal point ends the number") << "145.01.25" << lo << hi << "145.01000";
    }
    void frequencyEntry()
    {
        QFETCH(QString, entry);
        QFETCH(uint, lower);
        QFETCH(uint, upper);
        QFETCH(QString, expected);
        const BandLimits limits{lower, upper};
        QCOMPARE(QString::fromStdString(FrequencyEntryText(entry.toStdString(), limits)), expected);
    }

    void commitFrequency_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("channelExists");
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("tx");
        QTest::addColumn<bool>("keepsOtherCells");
        QTest::newRow("receive on a channel keeps its transmit") << 1 << "146" << true << "146.00000"
                                                                 << "150.00000" << true;
        QTest::newRow("empty receive deletes the channel") << 1 << "" << true << ""
                                                           << "" << false;
        QTest::newRow("empty transmit keeps the channel") << 2 << "" << true << "145.00000"
                                                          << "" << true;
        QTest::newRow("transmit on an empty channel stays empty") << 2 << "146" << false << ""
                                                                  << "" << true;
    }
    void commitFrequency()
    {
        QFETCH(int, col);
        QFETCH(QString, entry);
        QFETCH(bool, channelExists);
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        QFETCH(bool, keepsOtherCells);
        const ChannelTexts before = channelExists ? channel("145.00000", "150.00000") : ChannelTexts{};
        const ChannelTexts after =
            CommitFrequency(before, static_cast<ChannelColumn>(col), entry.toStdString(), BandLimits{});
        QCOMPARE(QString::fromStdString(after[ColRxFrequency]), rx);
        QCOMPARE(QString::fromStdString(after[ColTxFrequency]), tx);
        QCOMPARE(after[ColName] == before[ColName] && after[ColPower] == before[ColPower], keepsOtherCells);
    }

    void cellOfEmptyChannelStaysEmpty()
    {
        QCOMPARE(CommitCell(ChannelTexts{}, ColName, "CALL"), ChannelTexts{});
        QCOMPARE(CommitCell(channel("145.00000", ""), ColName, "NEW")[ColName], "NEW");
    }

    void choiceSearch_data()
    {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("index");
        QTest::newRow("busy lockout by tone") << int(ColBusyLockout) << "亚音" << 2;
        QTest::newRow("PTT ID after transmit") << int(ColPttId) << "发射后" << 2;
        QTest::newRow("a prefix finds its option") << int(ColPttId) << "发射" << 1;
        QTest::newRow("a word of another column") << int(ColPower) << "宽" << -1;
    }
    void choiceSearch()
    {
        QFETCH(int, col);
        QFETCH(QString, text);
        QFETCH(int, index);
        QCOMPARE(FindChoice(ChoiceOptions(static_cast<ChannelColumn>(col)), text.toStdString()), index);
    }

    void entryFilters_data()
    {
        QTest::addColumn<bool>("name");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("kept");
        QTest::newRow("frequency keeps digits and point") << false << "14a5.0\t125 MHz"
                                                          << "145.0125";
        QTest::newRow("frequency drops signs and exponents") << false << "-1e5"
                                                             << "15";
        QTest::newRow("frequency drops full-width digits") << false << "１４５"
                                                           << "";
        QTest::newRow("name in capitals without controls") << true << "ab\tc\nd\x7f"
                                                           << "ABCD";
        QTest::newRow("name keeps only what the radio stores") << true << "中-a b_c.d!é"
                                                               << "-A BCD";
        QTest::newRow("name drops the second control set") << true << "a\u0085b"
                                                           << "AB";
    }
    void entryFilters()
    {
        QFETCH(bool, name);
        QFETCH(QString, input);
        QFETCH(QString, kept);
        const std::string in = input.toStdString();
        QCOMPARE(QString::fromStdString(name ? FilterNameEntry(in) : FilterFrequencyEntry(in)), kept);
    }

    void parseToneText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("index");
        QTest::newRow("no tone") << "无" << 0 << "" << -1;
        QTest::newRow("CTCSS") << "模拟:100.0" << 2 << "100.0" << 12;
        QTest::newRow("CTCSS stops at white space") << "模拟: 67.0 Hz" << 2 << "67.0" << 0;
        QTest::newRow("DCS normal") << "数字:023N" << 1 << "023" << 0;
        QTest::newRow("DCS inverted, last code") << "数字:754I" << 3 << "754" << 104;
        QTest::newRow("DCS without leading zero is not listed") << "数字:23N" << 1 << "23" << -1;
        QTest::newRow("nothing before the colon") << ":023N" << 1 << "" << -1;
        QTest::newRow("no colon") << "数字023I" << 3 << "" << -1;
        QTest::newRow("lower-case polarity is no tone") << "数字:023n" << 0 << "" << -1;
        QTest::newRow("empty cell") << "" << 0 << "" << -1;
    }
    void parseToneText()
    {
        QFETCH(QString, text);
        QFETCH(int, mode);
        QFETCH(QString, value);
        QFETCH(int, index);
        const ToneChoice choice = ParseToneText(text.toStdString());
        QCOMPARE(choice.mode, mode);
        QCOMPARE(QString::fromStdString(choice.value), value);
        QCOMPARE(FindTone(choice.mode, choice.value), index);
    }

    void buildToneText()
    {
        QCOMPARE(QString::fromStdString(BuildToneText(ToneDcsNormal, "023")), QString("数字:023N"));
        QCOMPARE(QString::fromStdString(BuildToneText(ToneCtcss, "254.1")), QString("模拟:254.1"));
        QCOMPARE(QString::fromStdString(BuildToneText(ToneDcsInverted, "754")), QString("数字:754I"));
        QCOMPARE(QString::fromStdString(BuildToneText(7, "023")), QString("无"));
    }
};

QTEST_APPLESS_MAIN(TestChannelEdit)
#include "tst_channel_edit.moc"
