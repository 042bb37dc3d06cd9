// The channel CSV of the image library: the RFC 4180 reader, the fields export writes for each kind
// of channel, export and import round trips over random images, hand-written files in the common
// format with their per-row results, and the clipboard rules of the grid.

#include "ChannelClipboard.h"
#include "ChannelCodec.h"
#include "ChannelCsv.h"
#include "ChannelEdit.h"
#include "Csv.h"
#include "DecimalScale.h"
#include "ScreenCopy.h"
#include "ToneChoice.h"
#include "Tones.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QTest>

#include <random>

using namespace orx;

Q_DECLARE_METATYPE(orx::CsvOutcome)
Q_DECLARE_METATYPE(orx::CsvRefusal)
Q_DECLARE_METATYPE(orx::CsvProblem)

namespace {

QString q(const std::string& s)
{
    return QString::fromStdString(s);
}

// The ten cells of a row joined with '|', the way the test tables write them.
QString joined(const ChannelTexts& t)
{
    QStringList cells;
    for (const std::string& c : t.cells)
        cells << q(c);
    return t.empty() && cells.join(QString()).isEmpty() ? QString() : cells.join(QLatin1Char('|'));
}

ChannelTexts row(const std::string& rx, const std::string& tx, const std::string& rxTone = "无",
                 const std::string& txTone = "无")
{
    ChannelTexts t = DefaultChannelTexts(rx);
    t[ColTxFrequency] = tx;
    t[ColRxTone] = rxTone;
    t[ColTxTone] = txTone;
    return t;
}

// Channel 1 exists with values off the defaults; the others are empty.
ChannelTable tableWithChannelOne()
{
    ChannelTable table{};
    ChannelTexts& c = table[0];
    c = DefaultChannelTexts("145.00000");
    c[ColBusyLockout] = "载波";
    c[ColPower] = "低";
    c[ColPttId] = "两者";
    c[ColName] = "OLD";
    return table;
}

std::optional<std::string> gbkToUtf8(std::string_view bytes)
{
    QStringDecoder decoder("GBK");
    const QString text = decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (decoder.hasError())
        return std::nullopt;
    return text.toStdString();
}

// An image whose bytes are random, with channels of standard tones and frequencies on a channel
// raster inside the start-up band, some of them empty; no band id, so the limits stay.
RadioImage randomImage(std::mt19937& rng)
{
    auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    RadioImage image;
    for (auto& b : image.data())
        b = static_cast<std::uint8_t>(pick(256));
    for (std::size_t k = 0; k < 3; ++k)
        image.set(map::kBandId + k, 0xFF);

    const BandLimits limits;
    auto frequency = [&]() {
        const std::uint32_t step = pick(2) ? kStep5kHz : kStep6k25Hz;
        const std::uint32_t first = limits.lower / step;
        const std::uint32_t count = limits.upper / step - first + 1;
        return static_cast<std::int64_t>(first + static_cast<std::uint32_t>(pick(int(count)))) * step;
    };
    auto tone = [&]() -> std::string {
        switch (pick(4)) {
        case 0:
            return "无";
        case 1:
            return BuildToneText(ToneCtcss, CtcssTones[std::size_t(pick(int(CtcssTones.size())))]);
        case 2:
            return BuildToneText(ToneDcsNormal, DcsCodes[std::size_t(pick(int(DcsCodes.size())))]);
        default:
            return BuildToneText(ToneDcsInverted, DcsCodes[std::size_t(pick(int(DcsCodes.size())))]);
        }
    };
    const std::string nameChars = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ- ";
    for (int n = 1; n <= map::kChannelCount; ++n) {
        ChannelTexts t;
        if (pick(5) > 0) {
            const std::int64_t rx = frequency();
            std::int64_t tx = 0;
            switch (pick(5)) {
            case 0:
                tx = rx;
                break;
            case 1: // a repeater offset, either way, when it stays in the band
                tx = rx + (pick(2) ? 60000 : -60000);
                if (tx < limits.lower || tx > limits.upper)
                    tx = rx;
                break;
            case 2:
                tx = 0;
                break;
            default:
                tx = frequency();
                break;
            }
            t = DefaultChannelTexts(FrequencyText(std::uint64_t(rx)));
            t[ColTxFrequency] = tx > 0 ? FrequencyText(std::uint64_t(tx)) : std::string();
            t[ColRxTone] = tone();
            t[ColTxTone] = tone();
            t[ColBusyLockout] =
                pick(4) == 3 ? std::string() : std::string(kBusyLockoutOptions[std::size_t(pick(3))]);
            t[ColPower] = kPowerOptions[std::size_t(pick(2))];
            t[ColBandwidth] = kBandwidthOptions[std::size_t(pick(2))];
            t[ColScanAdd] = kScanAddOptions[std::size_t(pick(2))];
            t[ColPttId] = kPttIdOptions[std::size_t(pick(4))];
            const int length = pick(9);
            for (int k = 0; k < length; ++k)
                t[ColName] += nameChars[std::size_t(pick(int(nameChars.size())))];
        }
        EncodeChannel(t, n, image);
        // A value-3 busy lockout has no text: give the record one now and then.
        if (!t.empty() && t[ColBusyLockout].empty())
            image.setBits(LocateChannel(n).record + rec::kFlagsByte, rec::kBusyLockoutMask,
                          rec::kBusyLockoutMask);
    }
    return image;
}

// One row of an import result, compactly: "line:channel outcome", then the refusal with its value,
// the adjustments and the warnings.
QString describe(const CsvRowResult& r)
{
    static const char* const outcomes[] = {"added", "changed", "unchanged", "refused"};
    static const char* const refusals[] = {"",          "BadLocation", "DuplicateLocation", "BadFrequency",
                                           "BadDuplex", "BadOffset",   "BadToneMode",       "BadCrossMode",
                                           "BadCtcss",  "BadDcs",      "BadPolarity",       "BadMode",
                                           "BadSkip",   "RxOutOfBand", "TxOutOfBand",       "NotStorable"};
    QString d = QString("%1:%2 %3").arg(r.line).arg(r.location).arg(outcomes[int(r.outcome)]);
    if (r.outcome == CsvOutcome::Refused)
        d += QString(" %1 %2").arg(refusals[int(r.refusal)], q(r.value));
    for (const CsvAdjustment& a : r.adjustments)
        d += QString(" %1>%2").arg(q(a.given), q(a.result));
    for (const CsvWarning& w : r.warnings) {
        if (w.kind == CsvWarningKind::UnknownPower)
            d += QString(" power?%1").arg(q(w.value));
        else
            d += QString(" same-name:%1@%2").arg(q(w.value)).arg(w.channel);
    }
    return d;
}
} // namespace

class TestChannelCsv : public QObject {
    Q_OBJECT
private slots:
    void parseCsv_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("records"); // fields joined with '|', "@line:" in front
        QTest::newRow("plain with a final line end")
            << QByteArray("a,b\r\nc,d\r\n") << QStringList{"1:a|b", "2:c|d"};
        QTest::newRow("no final line end, LF") << QByteArray("a,b\nc") << QStringList{"1:a|b", "2:c"};
        QTest::newRow("old Mac line ends") << QByteArray("a\rb\r") << QStringList{"1:a", "2:b"};
        QTest::newRow("quoted comma, quote and line break")
            << QByteArray("\"x,y\",\"say \"\"hi\"\"\",\"two\r\nlines\"\r\nnext\r\n")
            << QStringList{"1:x,y|say \"hi\"|two\r\nlines", "3:next"};
        QTest::newRow("empty fields and a trailing delimiter") << QByteArray(",,\n") << QStringList{"1:||"};
        QTest::newRow("blank line keeps its place")
            << QByteArray("a\n\nb\n") << QStringList{"1:a", "2:", "3:b"};
        QTest::newRow("text after a closing quote stays")
            << QByteArray("\"ab\"cd,e") << QStringList{"1:abcd|e"};
    }
    void parseCsv()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, records);
        const CsvParse parse = ParseCsv(text.toStdString());
        QCOMPARE(parse.unterminatedQuoteLine, 0);
        QStringList got;
        for (const CsvRecord& r : parse.records) {
            QStringList fields;
            for (const std::string& f : r.fields)
                fields << q(f);
            got << QString::number(r.line) + QLatin1Char(':') + fields.join(QLatin1Char('|'));
        }
        QCOMPARE(got, records);
    }

    void unterminatedQuoteRefusesTheText()
    {
        const CsvParse parse = ParseCsv("a,b\n1,\"open\n2,3\n");
        QCOMPARE(parse.unterminatedQuoteLine, 2);
        QVERIFY(parse.records.empty());
    }

    void writtenFieldsReadBack()
    {
        const std::vector<std::string> fields = {"plain", "a,b", "say \"x\"", " edge ", "line\r\nbreak", ""};
        const std::string line = CsvLine(fields);
        QCOMPARE(q(line), QString("plain,\"a,b\",\"say \"\"x\"\"\",\" edge \",\"line\r\nbreak\",\r\n"));
        const CsvParse parse = ParseCsv(line);
        QCOMPARE(parse.records.size(), std::size_t(1));
        QVERIFY(parse.records[0].fields == fields);
    }

    void utf8Check_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("valid");
        QTest::newRow("ASCII") << QByteArray("Location,Name") << true;
        QTest::newRow("Chinese") << QString("名称").toUtf8() << true;
        QTest::newRow("GBK bytes of 名称") << QByteArray("\xC3\xFB\xB3\xC6") << false;
        QTest::newRow("overlong slash") << QByteArray("\xC0\xAF") << false;
        QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << false;
        QTest::newRow("cut short at the end") << QByteArray("ab\xE5\x90") << false;
        QTest::newRow("four bytes, highest plane") << QByteArray("\xF4\x8F\xBF\xBF") << true;
        QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << false;
    }
    void utf8Check()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, valid);
        QCOMPARE(IsValidUtf8(std::string_view(bytes.constData(), std::size_t(bytes.size()))), valid);
    }

    void exportFields_data()
    {
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("tx");
        QTest::addColumn<QString>("rxTone");
        QTest::addColumn<QString>("txTone");
        // Frequency, Duplex, Offset, Tone, rToneFreq, cToneFreq, DtcsCode, DtcsPolarity, RxDtcsCode,
        // CrossMode, TStep
        QTest::addColumn<QString>("fields");
        QTest::newRow("simplex on the 6.25 kHz raster, six decimals")
            << "145.00625"
            << "145.00625"
            << "无"
            << "无"
            << "145.006250||0.000000||88.5|88.5|023|NN|023|Tone->Tone|6.25";
        QTest::newRow("plus 600 kHz with one CTCSS both ways is TSQL")
            << "145.60000"
            << "146.20000"
            << "模拟:100.0"
            << "模拟:100.0"
            << "145.600000|+|0.600000|TSQL|88.5|100.0|023|NN|023|Tone->Tone|5.00";
        QTest::newRow("minus 5 MHz with one DCS both ways is DTCS")
            << "439.00000"
            << "434.00000"
            << "数字:023N"
            << "数字:023N"
            << "439.000000|-|5.000000|DTCS|88.5|88.5|023|NN|023|Tone->Tone|5.00";
        QTest::newRow("one DCS code with two polarities is still DTCS")
            << "145.00000"
            << "145.00000"
            << "数字:023I"
            << "数字:023N"
            << "145.000000||0.000000|DTCS|88.5|88.5|023|NR|023|Tone->Tone|5.00";
        QTest::newRow("transmit CTCSS only is Tone")
            << "145.00000"
            << "145.00000"
            << "无"
            << "模拟:123.0"
            << "145.000000||0.000000|Tone|123.0|88.5|023|NN|023|Tone->Tone|5.00";
        QTest::newRow("10 MHz apart is still an offset")
            << "440.00000"
            << "450.00000"
            << "无"
            << "无"
            << "440.000000|+|10.000000||88.5|88.5|023|NN|023|Tone->Tone|5.00";
        QTest::newRow("farther apart is split")
            << "145.00000"
            << "435.01250"
            << "无"
            << "无"
            << "145.000000|split|435.012500||88.5|88.5|023|NN|023|Tone->Tone|6.25";
        QTest::newRow("no transmit frequency is off")
            << "145.00625"
            << ""
            << "无"
            << "无"
            << "145.006250|off|0.000000||88.5|88.5|023|NN|023|Tone->Tone|6.25";
        QTest::newRow("transmit off the 5 kHz raster makes the step 6.25")
            << "145.00000"
            << "145.00625"
            << "无"
            << "无"
            << "145.000000|+|0.006250||88.5|88.5|023|NN|023|Tone->Tone|6.25";
        QTest::newRow("receive CTCSS only is Cross ->Tone")
            << "145.00000"
            << "145.00000"
            << "模拟:67.0"
            << "无"
            << "145.000000||0.000000|Cross|88.5|67.0|023|NN|023|->Tone|5.00";
        QTest::newRow("two CTCSS tones are Cross Tone->Tone")
            << "145.00000"
            << "145.00000"
            << "模拟:67.0"
            << "模拟:71.9"
            << "145.000000||0.000000|Cross|71.9|67.0|023|NN|023|Tone->Tone|5.00";
        QTest::newRow("transmit DCS only is Cross DTCS->")
            << "145.00000"
            << "145.00000"
            << "无"
            << "数字:754I"
            << "145.000000||0.000000|Cross|88.5|88.5|754|RN|023|DTCS->|5.00";
        QTest::newRow("receive DCS only is Cross ->DTCS")
            << "145.00000"
            << "145.00000"
            << "数字:114N"
            << "无"
            << "145.000000||0.000000|Cross|88.5|88.5|023|NN|114|->DTCS|5.00";
        QTest::newRow("CTCSS out, DCS in")
            << "145.00000"
            << "145.00000"
            << "数字:023I"
            << "模拟:88.5"
            << "145.000000||0.000000|Cross|88.5|88.5|023|NR|023|Tone->DTCS|5.00";
        QTest::newRow("DCS out, CTCSS in")
            << "145.00000"
            << "145.00000"
            << "模拟:67.0"
            << "数字:023N"
            << "145.000000||0.000000|Cross|88.5|67.0|023|NN|023|DTCS->Tone|5.00";
        QTest::newRow("two DCS codes") << "145.00000"
                                       << "145.00000"
                                       << "数字:754I"
                                       << "数字:023N"
                                       << "145.000000||0.000000|Cross|88.5|88.5|023|NR|754|DTCS->DTCS|5.00";
    }
    void exportFields()
    {
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        QFETCH(QString, rxTone);
        QFETCH(QString, txTone);
        QFETCH(QString, fields);
        const auto f = ChannelCsvFields(
            5, row(rx.toStdString(), tx.toStdString(), rxTone.toStdString(), txTone.toStdString()));
        QVERIFY(f.has_value());
        QCOMPARE(f->size(), kCsvColumns.size());
        QStringList got;
        for (std::size_t i = 2; i <= 13; ++i) {
            if (i != 12) // Mode is checked below
                got << q((*f)[i]);
        }
        QCOMPARE(got.join(QLatin1Char('|')), fields);
        QCOMPARE(q((*f)[0]), QString("5"));
    }

    void exportOtherFields()
    {
        ChannelTexts t = row("145.00000", "145.00000");
        t[ColBandwidth] = "窄";
        t[ColPower] = "低";
        t[ColScanAdd] = "否";
        t[ColName] = "AB-1 2";
        auto f = ChannelCsvFields(128, t);
        QVERIFY(f.has_value());
        QCOMPARE(q((*f)[1]), QString("AB-1 2"));
        QCOMPARE(q((*f)[12]) + q((*f)[14]) + q((*f)[15]), QString("NFMSLow"));
        for (std::size_t i = 16; i < f->size(); ++i)
            QVERIFY((*f)[i].empty());
        f = ChannelCsvFields(1, row("145.00000", "145.00000"));
        QCOMPARE(q((*f)[12]) + q((*f)[14]) + q((*f)[15]), QString("FMHigh"));

        // What saving would store: a name the radio cannot hold past the first odd character, and
        // a row without a usable receive frequency is no channel at all.
        t[ColName] = "AB名C";
        QCOMPARE(q((*ChannelCsvFields(1, t))[1]), QString("AB"));
        QVERIFY(!ChannelCsvFields(1, row("abc", "145.00000")).has_value());
        QVERIFY(!ChannelCsvFields(1, ChannelTexts{}).has_value());
    }

    void exportListsChannelsInOrder()
    {
        ChannelTable table{};
        table[127] = row("174.00000", "174.00000");
        table[0] = row("136.00000", "136.00000");
        const std::string csv = ExportChannelCsv(table);
        const CsvParse parse = ParseCsv(csv);
        QCOMPARE(parse.records.size(), std::size_t(3));
        QCOMPARE(
            q(csv.substr(0, csv.find("\r\n"))),
            QString("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
                    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE"));
        QCOMPARE(q(parse.records[1].fields[0]) + q(parse.records[2].fields[0]), QString("1128"));
    }

    void roundTripOverRandomImages()
    {
        std::mt19937 rng(20240607);
        for (int round = 0; round < 40; ++round) {
            const RadioImage image = randomImage(rng);
            BandLimits limits;
            ScreenCopy screen;
            ImageToScreen(image, {}, limits, screen);
            const ChannelTable table = screen.channels.allTexts();
            const int channels = int(
                std::count_if(table.begin(), table.end(), [](const ChannelTexts& t) { return !t.empty(); }));

            const std::string csv = ExportChannelCsv(table);
            CsvImport back = ImportChannelCsv(csv, table, limits);
            QCOMPARE(back.problem, CsvProblem::None);
            QCOMPARE(int(back.rows.size()), channels);
            QCOMPARE(back.count(CsvOutcome::Unchanged), channels);
            QVERIFY(back.channels == table);

            // The saved bytes are those of opening and saving the image.
            ScreenCopy imported = screen;
            ApplyCsvImport(back, imported.channels);
            RadioImage saved = image;
            ScreenToImage(imported, limits, saved);
            BandLimits again;
            QVERIFY(saved == LoadAndSave(image, {}, again));

            // Into an empty table the same channels arrive, with the defaults for what CSV does not carry.
            const CsvImport fresh = ImportChannelCsv(csv, ChannelTable{}, limits);
            QCOMPARE(fresh.count(CsvOutcome::Added), channels);
            for (std::size_t i = 0; i < fresh.channels.size(); ++i) {
                ChannelTexts expected = table[i];
                if (!expected.empty()) {
                    expected[ColBusyLockout] = "关";
                    expected[ColPttId] = "关";
                }
                QCOMPARE(joined(fresh.channels[i]), joined(expected));
            }
        }
    }

    void importFile_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("texts");
        QTest::addColumn<CsvOutcome>("outcome");
        QTest::newRow("quoted header and fields")
            << QByteArray("\"Location\",\"Name\",\"Frequency\"\r\n\"2\",\"RPT, A\",\"145.500000\"\r\n") << 2
            << "145.50000|145.50000|无|无|关|高|宽|是|关|RPT A" << CsvOutcome::Added;
        QTest::newRow("reordered columns, minus offset, narrow")
            << QByteArray("Frequency,Tone,rToneFreq,Location,Duplex,Offset,Mode\n146.520000,Tone,88.5,3,-,0."
                          "600000,NFM\n")
            << 3 << "146.52000|145.92000|无|模拟:88.5|关|高|窄|是|关|" << CsvOutcome::Added;
        QTest::newRow("no Power column keeps what the file does not carry")
            << QByteArray("Location,Frequency,Name\n1,145.125,NEW\n") << 1
            << "145.12500|145.00000|无|无|载波|低|宽|是|两者|NEW" << CsvOutcome::Changed;
        QTest::newRow("power in watts")
            << QByteArray("Location,Frequency,Power\n1,145,5.0W\n") << 1
            << "145.00000|145.00000|无|无|载波|高|宽|是|两者|OLD" << CsvOutcome::Changed;
        QTest::newRow("half a watt is low, nothing changes")
            << QByteArray("Location,Frequency,Power\n1,145,0.5\n") << 1
            << "145.00000|145.00000|无|无|载波|低|宽|是|两者|OLD" << CsvOutcome::Unchanged;
        QTest::newRow("split duplex")
            << QByteArray("Location,Frequency,Duplex,Offset\n4,136.500000,split,170.000000\n") << 4
            << "136.50000|170.00000|无|无|关|高|宽|是|关|" << CsvOutcome::Added;
        QTest::newRow("duplex off removes the transmit frequency")
            << QByteArray("Location,Frequency,Duplex,Offset\n1,145,off,0\n") << 1
            << "145.00000||无|无|载波|低|宽|是|两者|OLD" << CsvOutcome::Changed;
        const QByteArray toneHeader =
            "Location,Frequency,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode\n";
        QTest::newRow("cross Tone->DTCS")
            << toneHeader + "5,145,Cross,88.5,67.0,023,NR,754,Tone->DTCS\n"
            << 5 << "145.00000|145.00000|数字:754I|模拟:88.5|关|高|宽|是|关|" << CsvOutcome::Added;
        QTest::newRow("cross ->Tone")
            << toneHeader + "5,145,Cross,88.5,67.0,023,NN,023,->Tone\n"
            << 5 << "145.00000|145.00000|模拟:67.0|无|关|高|宽|是|关|" << CsvOutcome::Added;
        QTest::newRow("cross DTCS-> in lower case")
            << toneHeader + "5,145,cross,88.5,67.0,023,nr,754,dtcs->\n"
            << 5 << "145.00000|145.00000|无|数字:023N|关|高|宽|是|关|" << CsvOutcome::Added;
        QTest::newRow("cross DTCS->DTCS")
            << toneHeader + "5,145,Cross,88.5,67.0,023,NR,754,DTCS->DTCS\n"
            << 5 << "145.00000|145.00000|数字:754I|数字:023N|关|高|宽|是|关|" << CsvOutcome::Added;
        QTest::newRow("TSQL takes cToneFreq both ways")
            << toneHeader + "5,145,TSQL,88.5,100.0,023,NN,023,\n"
            << 5 << "145.00000|145.00000|模拟:100.0|模拟:100.0|关|高|宽|是|关|" << CsvOutcome::Added;
        QTest::newRow("DTCS takes DtcsCode both ways")
            << toneHeader + "5,145,DTCS,88.5,88.5,023,RN,754,\n"
            << 5 << "145.00000|145.00000|数字:023N|数字:023I|关|高|宽|是|关|" << CsvOutcome::Added;
        QTest::newRow("placeholders in unused fields are not read")
            << toneHeader + "5,145,Tone,123.0,junk,999,XX,,nonsense\n"
            << 5 << "145.00000|145.00000|无|模拟:123.0|关|高|宽|是|关|" << CsvOutcome::Added;
        QTest::newRow("older file: cross without CrossMode is Tone->Tone")
            << QByteArray("Location,Frequency,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity\n6,145,Cross,71."
                          "9,67.0,023,NN\n")
            << 6 << "145.00000|145.00000|模拟:67.0|模拟:71.9|关|高|宽|是|关|" << CsvOutcome::Added;
        QTest::newRow("older file: DCS in from DtcsCode")
            << QByteArray(
                   "Location,Frequency,Tone,DtcsCode,DtcsPolarity,CrossMode\n6,145,Cross,025,NR,->DTCS\n")
            << 6 << "145.00000|145.00000|数字:025I|无|关|高|宽|是|关|" << CsvOutcome::Added;
        QTest::newRow("a frequency off the raster is rounded down")
            << QByteArray("Location,Frequency\n7,145.007\n") << 7
            << "145.00625|145.00625|无|无|关|高|宽|是|关|" << CsvOutcome::Added;
        QTest::newRow("a name is reduced to what the radio holds")
            << QByteArray("Location,Frequency,Name\n8,145,\"a_b.c-long name\"\n") << 8
            << "145.00000|145.00000|无|无|关|高|宽|是|关|ABC-LONG" << CsvOutcome::Added;
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBFLocation,Frequency\n9,150\n") << 9
                                         << "150.00000|150.00000|无|无|关|高|宽|是|关|" << CsvOutcome::Added;
        QTest::newRow("skip S takes the channel out of the scan list")
            << QByteArray("Location,Frequency,Skip\r\n1,145,S\r\n") << 1
            << "145.00000|145.00000|无|无|载波|低|宽|否|两者|OLD" << CsvOutcome::Changed;
        QTest::newRow("unknown columns are ignored")
            << QByteArray("Location,Frequency,Comment,Bank,URCALL\n10,145,\"x, y\",3,CQCQCQ\n") << 10
            << "145.00000|145.00000|无|无|关|高|宽|是|关|" << CsvOutcome::Added;
    }
    void importFile()
    {
        QFETCH(QByteArray, csv);
        QFETCH(int, channel);
        QFETCH(QString, texts);
        QFETCH(CsvOutcome, outcome);
        const ChannelTable before = tableWithChannelOne();
        const CsvImport result = ImportChannelCsv(csv.toStdString(), before, BandLimits{});
        QCOMPARE(result.problem, CsvProblem::None);
        QCOMPARE(result.rows.size(), std::size_t(1));
        QCOMPARE(result.rows[0].outcome, outcome);
        QCOMPARE(result.rows[0].location, channel);
        QCOMPARE(joined(result.channels[std::size_t(channel - 1)]), texts);
        // Nothing else moves.
        for (int n = 1; n <= map::kChannelCount; ++n) {
            if (n != channel)
                QVERIFY(result.channels[std::size_t(n - 1)] == before[std::size_t(n - 1)]);
        }
    }

    void importRefusesRow_data()
    {
        QTest::addColumn<QByteArray>("fields"); // after the header below
        QTest::addColumn<CsvRefusal>("refusal");
        QTest::addColumn<QString>("value");
        QTest::newRow("location negative") << QByteArray("-1,145") << CsvRefusal::BadLocation << "-1";
        QTest::newRow("location 129") << QByteArray("129,145") << CsvRefusal::BadLocation << "129";
        QTest::newRow("location not a number") << QByteArray("x1,145") << CsvRefusal::BadLocation << "x1";
        QTest::newRow("location empty") << QByteArray(",145") << CsvRefusal::BadLocation << "";
        QTest::newRow("frequency not a number")
            << QByteArray("1,145MHz") << CsvRefusal::BadFrequency << "145MHz";
        QTest::newRow("frequency zero") << QByteArray("1,0") << CsvRefusal::BadFrequency << "0";
        QTest::newRow("frequency empty") << QByteArray("1,") << CsvRefusal::BadFrequency << "";
        QTest::newRow("duplex unknown") << QByteArray("1,145,x") << CsvRefusal::BadDuplex << "x";
        QTest::newRow("offset missing") << QByteArray("1,145,+,") << CsvRefusal::BadOffset << "";
        QTest::newRow("offset below zero") << QByteArray("1,145,-,200") << CsvRefusal::BadOffset << "200";
        QTest::newRow("split to nothing") << QByteArray("1,145,split,0") << CsvRefusal::BadOffset << "0";
        QTest::newRow("tone mode unknown")
            << QByteArray("1,145,,,TSQL-R") << CsvRefusal::BadToneMode << "TSQL-R";
        QTest::newRow("CTCSS off the standard list")
            << QByteArray("1,145,,,Tone,66.6") << CsvRefusal::BadCtcss << "66.6";
        QTest::newRow("CTCSS with a unit")
            << QByteArray("1,145,,,Tone,88.5Hz") << CsvRefusal::BadCtcss << "88.5Hz";
        QTest::newRow("TSQL tone missing") << QByteArray("1,145,,,TSQL,88.5") << CsvRefusal::BadCtcss << "";
        QTest::newRow("DCS off the standard list")
            << QByteArray("1,145,,,DTCS,,,024,NN") << CsvRefusal::BadDcs << "024";
        QTest::newRow("DCS receive code off the list")
            << QByteArray("1,145,,,Cross,,,023,NN,999,DTCS->DTCS") << CsvRefusal::BadDcs << "999";
        QTest::newRow("polarity unknown")
            << QByteArray("1,145,,,DTCS,,,023,NX") << CsvRefusal::BadPolarity << "NX";
        QTest::newRow("cross mode unknown") << QByteArray("1,145,,,Cross,88.5,88.5,023,NN,023,Tone->DCS")
                                            << CsvRefusal::BadCrossMode << "Tone->DCS";
        QTest::newRow("cross mode without arrow") << QByteArray("1,145,,,Cross,88.5,88.5,023,NN,023,ToneTone")
                                                  << CsvRefusal::BadCrossMode << "ToneTone";
        QTest::newRow("mode AM") << QByteArray("1,145,,,,,,,,,,AM") << CsvRefusal::BadMode << "AM";
        QTest::newRow("skip unknown") << QByteArray("1,145,,,,,,,,,,,X") << CsvRefusal::BadSkip << "X";
        QTest::newRow("receive frequency above the band")
            << QByteArray("1,439.5") << CsvRefusal::RxOutOfBand << "439.5";
        QTest::newRow("receive frequency below the band")
            << QByteArray("1,135.99999") << CsvRefusal::RxOutOfBand << "135.99999";
        QTest::newRow("a huge receive frequency")
            << QByteArray("1,99999999999999") << CsvRefusal::RxOutOfBand << "99999999999999";
        QTest::newRow("plus offset beyond the band")
            << QByteArray("1,173.5,+,0.6") << CsvRefusal::TxOutOfBand << "174.100000";
        QTest::newRow("split into another band")
            << QByteArray("1,145,split,435.0") << CsvRefusal::TxOutOfBand << "435.000000";
    }
    void importRefusesRow()
    {
        QFETCH(QByteArray, fields);
        QFETCH(CsvRefusal, refusal);
        QFETCH(QString, value);
        const QByteArray csv =
            "Location,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
            "RxDtcsCode,CrossMode,Mode,Skip,Power\r\n" +
            fields + "\r\n";
        const ChannelTable before = tableWithChannelOne();
        const CsvImport result = ImportChannelCsv(csv.toStdString(), before, BandLimits{});
        QCOMPARE(result.rows.size(), std::size_t(1));
        QCOMPARE(result.rows[0].outcome, CsvOutcome::Refused);
        QCOMPARE(result.rows[0].refusal, refusal);
        QCOMPARE(q(result.rows[0].value), value);
        QCOMPARE(result.rows[0].line, 2);
        QVERIFY(result.channels == before);
    }

    void badRowAmongGoodOnes()
    {
        const QByteArray csv = "Location,Name,Frequency,Tone,rToneFreq\r\n"
                               "2,\"TWO\r\nLINES\",145.1,,\r\n"
                               "\r\n"
                               "3,BAD,145.2,Tone,66.6\r\n"
                               "4,FOUR,145.3,Tone,67\r\n"
                               "2,AGAIN,145.4,,\r\n"
                               "1,ONE,146.007,,\r\n";
        const CsvImport result = ImportChannelCsv(csv.toStdString(), tableWithChannelOne(), BandLimits{});
        QCOMPARE(result.rows.size(), std::size_t(5));
        const int lines[] = {2, 5, 6, 7, 8};
        const CsvOutcome outcomes[] = {CsvOutcome::Added, CsvOutcome::Refused, CsvOutcome::Added,
                                       CsvOutcome::Refused, CsvOutcome::Changed};
        for (std::size_t i = 0; i < 5; ++i) {
            QCOMPARE(result.rows[i].line, lines[i]);
            QCOMPARE(result.rows[i].outcome, outcomes[i]);
        }
        QCOMPARE(q(result.channels[1][ColName]), QString("TWOLINES"));
        QVERIFY(result.channels[2].empty());
        QCOMPARE(q(result.channels[3][ColTxTone]), QString("模拟:67.0"));
        QCOMPARE(result.rows[3].refusal, CsvRefusal::DuplicateLocation);
        QCOMPARE(result.rows[3].firstLine, 2);
        QCOMPARE(q(result.channels[1][ColRxFrequency]), QString("145.10000"));

        // Channel 1 changed in its receive frequency and name; the rounding is noted with the file's value.
        const CsvRowResult& one = result.rows[4];
        QVERIFY((one.changed == std::vector<ChannelColumn>{ColRxFrequency, ColName}));
        QCOMPARE(one.adjustments.size(), std::size_t(1));
        QCOMPARE(one.adjustments[0].column, ColRxFrequency);
        QCOMPARE(q(one.adjustments[0].given) + QLatin1Char('>') + q(one.adjustments[0].result),
                 QString("146.007000>146.00625"));
        QCOMPARE(result.count(CsvOutcome::Refused), 2);
        // The report lists the refused rows first, each group in file order.
        QStringList order;
        for (const CsvRowResult* r : result.reportOrder())
            order << QString::number(r->line);
        QCOMPARE(order, QStringList({"5", "7", "2", "6", "8"}));
    }

    void fileProblems_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<CsvProblem>("problem");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("column");
        QTest::newRow("no Location column")
            << QByteArray("Channel,Frequency\n1,145\n") << CsvProblem::MissingColumn << 0 << "Location";
        QTest::newRow("no Frequency column")
            << QByteArray("Location,Name\n1,A\n") << CsvProblem::MissingColumn << 0 << "Frequency";
        QTest::newRow("only blank lines") << QByteArray("\r\n , \r\n") << CsvProblem::NoHeader << 0 << "";
        QTest::newRow("empty file") << QByteArray() << CsvProblem::NoHeader << 0 << "";
        QTest::newRow("a quote that never closes")
            << QByteArray("Location,Frequency,Name\n1,145,ok\n2,146,\"open\n")
            << CsvProblem::UnterminatedQuote << 3 << "";
        QTest::newRow("UTF-16 is no text here")
            << QByteArray("\xFF\xFEL\0o\0", 6) << CsvProblem::NotText << 0 << "";
    }
    void fileProblems()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(CsvProblem, problem);
        QFETCH(int, line);
        QFETCH(QString, column);
        const ChannelTable before = tableWithChannelOne();
        const CsvImport result = ImportChannelCsvFile(
            std::string_view(bytes.constData(), std::size_t(bytes.size())), before, BandLimits{}, gbkToUtf8);
        QCOMPARE(result.problem, problem);
        QCOMPARE(result.problemLine, line);
        QCOMPARE(q(result.missingColumn), column);
        QVERIFY(result.rows.empty());
        QVERIFY(result.channels == before);
    }

    // Channel lists as amateurs publish them, cut down to the rows that matter, imported into an
    // empty radio of a given band, checked row by row; what the report calls added or changed is
    // what the saved image holds.
    void publishedLists_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<int>("lower"); // band edges in MHz
        QTest::addColumn<int>("upper");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<QString>("power"); // the power cells of channels 1.., '|'-joined, where checked

        QTest::newRow("GMRS, MURS and weather list into a VHF radio")
            << QByteArray("Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,Mode,Power\r\n"
                          "1,GMRS 1,462.562500,,0.000000,,88.5,88.5,NFM,High\r\n"
                          "2,GMRS RPT 15,462.550000,+,5.000000,Tone,141.3,88.5,FM,High\r\n"
                          "3,MURS 1,151.820000,,0.000000,,88.5,88.5,NFM,High\r\n"
                          "4,NOAA 1,162.550000,off,0.000000,,88.5,88.5,FM,Low\r\n"
                          "5,CROSS,146.940000,split,446.000000,,88.5,88.5,FM,High\r\n"
                          "6,2M RPT,146.940000,-,0.600000,Tone,100.0,88.5,FM,High\r\n")
            << 136 << 174
            << QStringList{"2:1 refused RxOutOfBand 462.562500",
                           "3:2 refused RxOutOfBand 462.550000",
                           "4:3 added",
                           "5:4 added",
                           "6:5 refused TxOutOfBand 446.000000",
                           "7:6 added"}
            << "||高|低||高";
        QTest::newRow("2 m list into a UHF radio")
            << QByteArray("Location,Name,Frequency,Duplex,Offset\n"
                          "1,GB3WE,145.725000,-,0.600000\n"
                          "2,S20,145.500000,,0\n"
                          "3,GB3XX,433.150000,+,1.600000\n"
                          "4,CROSS,435.000000,split,145.800000\n")
            << 400 << 470
            << QStringList{"2:1 refused RxOutOfBand 145.725000", "3:2 refused RxOutOfBand 145.500000",
                           "4:3 added", "5:4 refused TxOutOfBand 145.800000"}
            << "";
        QTest::newRow("marine list with three power levels and long names")
            << QByteArray("Location,Name,Frequency,Duplex,Offset,Power\n"
                          "1,MARINE VHF 16,156.800000,,0,Mid\n"
                          "2,MARINE VHF 06,156.300000,,0,Med\n"
                          "3,MARINE VHF 09,156.450000,,0,M\n"
                          "4,BRIDGE,156.650000,,0,Lo\n"
                          "5,MARINE 70,156.525000,off,0,1.0W\n"
                          "6,WX 1,162.550000,off,0,Medium\n"
                          "7,WORK,156.250000,,0,L\n")
            << 136 << 174
            << QStringList{"2:1 added MARINE VHF 16>MARINE V power?Mid same-name:MARINE V@2",
                           "3:2 added MARINE VHF 06>MARINE V power?Med same-name:MARINE V@1",
                           "4:3 added MARINE VHF 09>MARINE V power?M same-name:MARINE V@1",
                           "5:4 added",
                           "6:5 added MARINE 70>MARINE 7",
                           "7:6 added power?Medium",
                           "8:7 added"}
            << "高|高|高|低|低|高|低";
        QTest::newRow("PMR446 with watts")
            << QByteArray("Location,Name,Frequency,Power\n"
                          "1,PMR 1,446.006250,0.5W\n"
                          "2,PMR 16,446.193750,0.500\n"
                          "3,PMR HI,446.100000,5W\n")
            << 400 << 470 << QStringList{"2:1 added", "3:2 added", "4:3 added"} << "低|低|高";
        QTest::newRow("UK 2 m simplex off the raster")
            << QByteArray("Location,Frequency,Duplex,Offset\n"
                          "1,145.0031,,\n"
                          "2,145.2125,,\n"
                          "3,145.600000,+,0.6031\n")
            << 136 << 174
            << QStringList{"2:1 added 145.003100>145.00000", "3:2 added", "4:3 added 146.203100>146.20000"}
            << "";
        QTest::newRow("short-wave rows under a band from 0 MHz")
            << QByteArray("Location,Frequency\n"
                          "1,7.100000\n"
                          "2,27.185000\n"
                          "3,0.5\n")
            << 0 << 30
            << QStringList{"2:1 refused NotStorable 7.100000", "3:2 added", "4:3 refused NotStorable 0.5"}
            << "";
    }
    void publishedLists()
    {
        QFETCH(QByteArray, csv);
        QFETCH(int, lower);
        QFETCH(int, upper);
        QFETCH(QStringList, rows);
        QFETCH(QString, power);
        const BandLimits limits{std::uint32_t(lower) * kUnitsPerMHz, std::uint32_t(upper) * kUnitsPerMHz};
        const CsvImport result = ImportChannelCsv(csv.toStdString(), ChannelTable{}, limits);
        QCOMPARE(result.problem, CsvProblem::None);
        QStringList got;
        for (const CsvRowResult& r : result.rows)
            got << describe(r);
        QCOMPARE(got, rows);
        if (!power.isEmpty()) {
            const QStringList cells = power.split('|');
            for (int i = 0; i < cells.size(); ++i)
                QCOMPARE(q(result.channels[std::size_t(i)][ColPower]), cells[i]);
        }

        // Saved and opened again, the image holds exactly the channels the report took.
        RadioImage image;
        image.resetToNewDocument();
        ScreenCopy screen;
        BandLimits shown = limits;
        ImageToScreen(image, {}, shown, screen);
        CsvImport applied = result;
        ApplyCsvImport(applied, screen.channels);
        ScreenToImage(screen, limits, image);
        const ChannelEntryTable reopenedTable = ChannelEntryTable::FromImage(image);
        for (const CsvRowResult& r : result.rows) {
            const ChannelTexts reopened = reopenedTable.texts(r.location);
            if (r.outcome == CsvOutcome::Refused) {
                QVERIFY2(reopened.empty(), qPrintable(describe(r)));
            } else {
                QVERIFY2(!reopened.empty(), qPrintable(describe(r)));
                QCOMPARE(joined(reopened), joined(result.channels[std::size_t(r.location - 1)]));
            }
        }
    }

    void fileLimits_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<CsvProblem>("problem");
        QTest::addColumn<int>("line");
        QTest::newRow("one byte beyond the limit")
            << QByteArray(qsizetype(kCsvFileSizeLimit) + 1, 'A') << CsvProblem::TooLarge << 0;
        QTest::newRow("byte-order mark before GBK text")
            << QByteArray("\xEF\xBB\xBFLocation,Name,Frequency\r\n1,\xD6\xD0\xBC\xCC,145\r\n")
            << CsvProblem::BrokenUtf8 << 2;
    }
    void fileLimits()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(CsvProblem, problem);
        QFETCH(int, line);
        const CsvImport result =
            ImportChannelCsvFile(std::string_view(bytes.constData(), std::size_t(bytes.size())),
                                 ChannelTable{}, BandLimits{}, gbkToUtf8);
        QCOMPARE(result.problem, problem);
        QCOMPARE(result.problemLine, line);
        QVERIFY(result.rows.empty());
    }

    void gbkFileIsRead()
    {
        QStringEncoder toGbk("GBK");
        const QByteArray bytes =
            toGbk.encode(QString("Location,Name,Frequency,Comment\r\n2,中继AB,145.5,中文备注\r\n"));
        QVERIFY(!toGbk.hasError());
        const std::string_view view(bytes.constData(), std::size_t(bytes.size()));
        QCOMPARE(ImportChannelCsvFile(view, ChannelTable{}, BandLimits{}, {}).problem, CsvProblem::NotText);
        const CsvImport result = ImportChannelCsvFile(view, ChannelTable{}, BandLimits{}, gbkToUtf8);
        QCOMPARE(result.problem, CsvProblem::None);
        QCOMPARE(q(result.channels[1][ColName]), QString("AB"));
        QCOMPARE(result.rows[0].adjustments.size(), std::size_t(1));
        QCOMPARE(q(result.rows[0].adjustments[0].given), QString("中继AB"));
    }

    void clipboardText_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("rows"); // cells joined with '|'
        QTest::newRow("rows with a final line end")
            << QByteArray("a\tb\nc\td\n") << QStringList{"a|b", "c|d"};
        QTest::newRow("CRLF from a spreadsheet")
            << QByteArray("a\tb\r\nc\td\r\n") << QStringList{"a|b", "c|d"};
        QTest::newRow("one cell") << QByteArray("145.5") << QStringList{"145.5"};
        QTest::newRow("empty cells kept") << QByteArray("\t\tx\t") << QStringList{"||x|"};
        QTest::newRow("a quoted cell") << QByteArray("\"5\"\"\"\tA") << QStringList{"5\"|A"};
        QTest::newRow("an empty row in the middle") << QByteArray("a\n\nb") << QStringList{"a", "", "b"};
        QTest::newRow("nothing") << QByteArray() << QStringList{};
    }
    void clipboardText()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, rows);
        QStringList got;
        for (const auto& cells : SplitClipboardText(text.toStdString())) {
            QStringList c;
            for (const std::string& s : cells)
                c << q(s);
            got << c.join(QLatin1Char('|'));
        }
        QCOMPARE(got, rows);
    }

    void pasteIntoRow_data()
    {
        QTest::addColumn<bool>("existing"); // the row holds the channel below, else it is empty
        QTest::addColumn<int>("first");
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<QString>("texts");
        const QString channel = "145.00000|150.00000|模拟:67.0|数字:023N|载波|低|窄|否|两者|CALL";
        QTest::newRow("a whole channel onto an empty row") << false << 1 << channel.split('|') << channel;
        QTest::newRow("an empty channel takes no other cell")
            << false << 3 << QStringList{"模拟:67.0", "无"} << "";
        QTest::newRow("a receive frequency gives the defaults")
            << false << 1 << QStringList{"145.5"} << "145.50000|145.50000|无|无|关|高|宽|是|关|";
        QTest::newRow("a frequency outside the band is not pasted, one off the raster is snapped")
            << true << 1 << QStringList{"999", "145.007 MHz"}
            << "145.00000|145.00625|模拟:67.0|数字:023N|载波|低|窄|否|两者|CALL";
        QTest::newRow("an out-of-band receive frequency creates no channel")
            << false << 1 << QStringList{"435", "145"} << "";
        QTest::newRow("a tone off the list stays out")
            << true << 3 << QStringList{"模拟:66.6", "88.5"} << channel;
        QTest::newRow("standard tones go in")
            << true << 3 << QStringList{"模拟:88.5", "数字:754I"}
            << "145.00000|150.00000|模拟:88.5|数字:754I|载波|低|窄|否|两者|CALL";
        QTest::newRow("choices must be options")
            << true << 6 << QStringList{"高", "wide", "是"}
            << "145.00000|150.00000|模拟:67.0|数字:023N|载波|高|窄|是|两者|CALL";
        QTest::newRow("a name as the name editor takes it")
            << true << 10 << QStringList{"abcdefghij"}
            << "145.00000|150.00000|模拟:67.0|数字:023N|载波|低|窄|否|两者|ABCDEFGH";
        QTest::newRow("cells beyond the name are dropped")
            << true << 9 << QStringList{"关", "NEW", "extra"}
            << "145.00000|150.00000|模拟:67.0|数字:023N|载波|低|窄|否|关|NEW";
        QTest::newRow("an empty receive frequency deletes the channel") << true << 1 << QStringList{""} << "";
        QTest::newRow("an empty transmit frequency removes it")
            << true << 2 << QStringList{""} << "145.00000||模拟:67.0|数字:023N|载波|低|窄|否|两者|CALL";
    }
    void pasteIntoRow()
    {
        QFETCH(bool, existing);
        QFETCH(int, first);
        QFETCH(QStringList, cells);
        QFETCH(QString, texts);
        ChannelTexts before;
        if (existing) {
            const QStringList c =
                QString("145.00000|150.00000|模拟:67.0|数字:023N|载波|低|窄|否|两者|CALL").split('|');
            for (int i = 0; i < c.size(); ++i)
                before.cells[std::size_t(i)] = c[i].toStdString();
        }
        std::vector<std::string> pasted;
        for (const QString& c : cells)
            pasted.push_back(c.toStdString());
        QCOMPARE(joined(PasteIntoRow(before, first, pasted, BandLimits{})), texts);
    }

    void clearCells_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<QString>("texts");
        QTest::newRow("receive frequency deletes the channel") << 1 << 3 << "";
        QTest::newRow("transmit and tones") << 2 << 4 << "145.00000||无|无|载波|低|窄|否|两者|CALL";
        QTest::newRow("choice columns keep an option")
            << 5 << 9 << "145.00000|150.00000|模拟:67.0|数字:023N|载波|低|窄|否|两者|CALL";
        QTest::newRow("name") << 10 << 10 << "145.00000|150.00000|模拟:67.0|数字:023N|载波|低|窄|否|两者|";
    }
    void clearCells()
    {
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(QString, texts);
        ChannelTexts before;
        const QStringList c =
            QString("145.00000|150.00000|模拟:67.0|数字:023N|载波|低|窄|否|两者|CALL").split('|');
        for (int i = 0; i < c.size(); ++i)
            before.cells[std::size_t(i)] = c[i].toStdString();
        QCOMPARE(joined(ClearCells(before, first, last)), texts);
    }
};

QTEST_GUILESS_MAIN(TestChannelCsv)
#include "tst_channel_csv.moc"
