// The settings panel and the model and band lists against the image bytes they come from.

#include "Band.h"
#include "ScreenCopy.h"
#include "SettingsCodec.h"
#include "TestBytes.h"

#include <QTest>

Q_DECLARE_METATYPE(orx::Setting)

using namespace orx;

namespace {

QString choiceText(const SettingsSelection& sel, Setting setting)
{
    const int i = sel[setting];
    return i < 0 ? QString() : q(Choices(setting).at(static_cast<std::size_t>(i)));
}

QStringList qlist(const std::vector<std::string>& v)
{
    QStringList out;
    for (const auto& e : v)
        out << q(e);
    return out;
}

std::vector<std::string> slist(const QStringList& l)
{
    std::vector<std::string> out;
    for (const auto& e : l)
        out.push_back(s(e));
    return out;
}

} // namespace

class TestSettingsBand : public QObject {
    Q_OBJECT

private slots:
    void newDocumentSettings()
    {
        RadioImage image;
        image.resetToNewDocument();
        SettingsSelection sel;
        DecodeSettings(image, sel);
        const std::pair<Setting, QString> expected[] = {
            {Setting::DisplayMode, "信道模式"},
            {Setting::ScanMode, "时间"},
            {Setting::TailElimination, "240度相位偏移"},
            {Setting::ManualSetting, "开"},
            {Setting::Beep, "开"},
            {Setting::BatterySave, "开"},
            {Setting::Squelch, "5"},
            {Setting::TimeLimit, "关"},
            {Setting::VoxLevel, "关"},
            {Setting::EndTone, "关"},
            {Setting::PriorityChannel, "1"},
        };
        for (const auto& [setting, text] : expected)
            QCOMPARE(choiceText(sel, setting), text);
        QCOMPARE(q(sel.password), QString());

        const RadioImage before = image;
        EncodeSettings(sel, image);
        QVERIFY(image == before);
        QCOMPARE(imageBytes(image, 0x810, 6), hex("80 A8 D4 05 00 00"));
    }

    void settingByte_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("byte");
        QTest::addColumn<Setting>("setting");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("written");

        QTest::newRow("time limit 0x0B (330) shows off, written 0")
            << 0x814 << 0x0B << Setting::TimeLimit << "关" << 0x00;
        QTest::newRow("time limit 0x0A shows 300") << 0x814 << 0x0A << Setting::TimeLimit << "300" << 0x0A;
        QTest::newRow("priority 0x14 shows 20") << 0x81A << 0x14 << Setting::PriorityChannel << "20" << 0x14;
        QTest::newRow("priority 128 is the last entry")
            << 0x81A << 0x80 << Setting::PriorityChannel << "128" << 0x80;
        QTest::newRow("priority above 128: no selection, written 0xFF")
            << 0x81A << 0x81 << Setting::PriorityChannel << "" << 0xFF;
        QTest::newRow("squelch 10 has no entry: 0") << 0x813 << 0x0A << Setting::Squelch << "0" << 0x00;
        QTest::newRow("VOX 9") << 0x815 << 0x09 << Setting::VoxLevel << "9" << 0x09;
        QTest::newRow("VOX 10 has no entry: off") << 0x815 << 0x0A << Setting::VoxLevel << "关" << 0x00;
        QTest::newRow("end tone 10") << 0x819 << 0x0A << Setting::EndTone << "10" << 0x0A;
        QTest::newRow("end tone above 10: off") << 0x819 << 0x0B << Setting::EndTone << "关" << 0x00;
        QTest::newRow("display mode 3 is channel mode, bit 7 kept")
            << 0x810 << 0xFF << Setting::DisplayMode << "信道模式" << 0xFC;
        QTest::newRow("display mode 2") << 0x810 << 0x02 << Setting::DisplayMode << "频/信模式" << 0x02;
        QTest::newRow("0x811 = 0x2B: scan mode 3 is time")
            << 0x811 << 0x2B << Setting::ScanMode << "时间" << 0x28;
        QTest::newRow("0x811 = 0x2B: tail bits 0 are 120 degrees")
            << 0x811 << 0x2B << Setting::TailElimination << "120度相位偏移" << 0x28;
        QTest::newRow("tail bits 0xC0 are off") << 0x811 << 0xC1 << Setting::TailElimination << "关" << 0xC1;
        QTest::newRow("manual setting clear, other bits kept")
            << 0x812 << 0x3B << Setting::ManualSetting << "关" << 0x3B;
        QTest::newRow("beep set") << 0x812 << 0x40 << Setting::Beep << "开" << 0x40;
        QTest::newRow("battery save set") << 0x812 << 0x04 << Setting::BatterySave << "开" << 0x04;
    }

    // Showing the byte and saving it at once.
    void settingByte()
    {
        QFETCH(int, offset);
        QFETCH(int, byte);
        QFETCH(Setting, setting);
        QFETCH(QString, shown);
        QFETCH(int, written);
        RadioImage image;
        image.fill(0x810, 0x40, 0x00);
        image.set(static_cast<std::size_t>(offset), static_cast<std::uint8_t>(byte));
        SettingsSelection sel;
        DecodeSettings(image, sel);
        QCOMPARE(choiceText(sel, setting), shown);
        EncodeSettings(sel, image);
        QCOMPARE(int(image.at(static_cast<std::size_t>(offset))), written);
    }

    void password_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("123") << "123" << hex("31 32 33 FF FF FF") << "123";
        QTest::newRow("a letter leaves its place 0xFF") << "12a4" << hex("31 32 FF 34 FF FF") << "124";
        QTest::newRow("more than six digits cut") << "1234567" << hex("31 32 33 34 35 36") << "123456";
        QTest::newRow("empty") << "" << hex("FF FF FF FF FF FF") << "";
    }

    void password()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, decoded);
        RadioImage image;
        SettingsSelection sel;
        sel.password = s(text);
        EncodeSettings(sel, image);
        QCOMPARE(imageBytes(image, map::kPassword, 6).toHex(' '), bytes.toHex(' '));
        QCOMPARE(q(DecodePassword(image)), decoded);
    }

    void passwordSkipsNonDigitBytes()
    {
        RadioImage image;
        putBytes(image, map::kPassword, hex("31 FF 32 FF FF FF"));
        QCOMPARE(q(DecodePassword(image)), QString("12"));
    }

    void bandId_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::newRow("136-174") << hex("13 17 64") << true << 136 << 174;
        QTest::newRow("400-470") << hex("40 47 00") << true << 400 << 470;
        QTest::newRow("999-999") << hex("99 99 99") << true << 999 << 999;
        QTest::newRow("first byte erased") << hex("FF 47 00") << false << 0 << 0;
        QTest::newRow("last byte erased") << hex("40 47 FF") << false << 0 << 0;
    }

    void bandId()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, valid);
        QFETCH(int, low);
        QFETCH(int, high);
        RadioImage image;
        putBytes(image, map::kBandId, bytes);
        const auto edges = DecodeBandId(image);
        QCOMPARE(edges.has_value(), valid);
        if (!valid)
            return;
        QCOMPARE(edges->low, low);
        QCOMPARE(edges->high, high);
        RadioImage encoded;
        EncodeBandId(
            BandLimits{std::uint32_t(low) * kUnitsPerMHz + 99999, std::uint32_t(high) * kUnitsPerMHz},
            encoded);
        QCOMPARE(imageBytes(encoded, map::kBandId, 3).toHex(' '), bytes.toHex(' '));
    }

    void applyBandText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("applied");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::newRow("136-174MHz") << "136-174MHz" << true << 136 << 174;
        QTest::newRow("without MHz") << "400-470" << true << 400 << 470;
        QTest::newRow("blank after the hyphen") << " 400- 470 UHF" << true << 400 << 470;
        QTest::newRow("0-999") << "0-999MHz" << true << 0 << 999;
        QTest::newRow("empty") << "" << false << 0 << 0;
        QTest::newRow("not a number") << "UHF" << false << 0 << 0;
        QTest::newRow("one number") << "136MHz" << false << 0 << 0;
        QTest::newRow("no second number") << "136-MHz" << false << 0 << 0;
        QTest::newRow("blank before the hyphen") << "400 -470" << false << 0 << 0;
        QTest::newRow("negative edge") << "-5-10" << false << 0 << 0;
        QTest::newRow("1000 MHz does not fit the band bytes") << "999-1000MHz" << false << 0 << 0;
        QTest::newRow("low edge above the high one") << "470-400MHz" << false << 0 << 0;
        QTest::newRow("both edges the same") << "400-400MHz" << false << 0 << 0;
    }

    void applyBandText()
    {
        QFETCH(QString, text);
        QFETCH(bool, applied);
        QFETCH(int, low);
        QFETCH(int, high);
        BandLimits limits{1, 2};
        QCOMPARE(ApplyBandText(s(text), limits), applied);
        const BandLimits expected =
            applied ? BandLimits{std::uint32_t(low) * kUnitsPerMHz, std::uint32_t(high) * kUnitsPerMHz}
                    : BandLimits{1, 2};
        QCOMPARE(limits.lower, expected.lower);
        QCOMPARE(limits.upper, expected.upper);
    }

    void fillLists_data()
    {
        QTest::addColumn<QStringList>("types");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<int>("modelByte");
        QTest::addColumn<int>("bandByte");
        QTest::addColumn<QStringList>("models");
        QTest::addColumn<int>("model");
        QTest::addColumn<QStringList>("bands");
        QTest::addColumn<int>("band");

        const QStringList fields{"136-174MHz;400-470MHz", "350-390MHz"};
        QTest::newRow("new document: model 0, band 0")
            << QStringList{"A", "B"} << fields << 0 << 0 << QStringList{"A", "B"} << 0
            << QStringList{"136-174MHz", "400-470MHz"} << 0;
        QTest::newRow("indexes from the image")
            << QStringList{"A", "B"} << fields << 1 << 0 << QStringList{"A", "B"} << 1
            << QStringList{"350-390MHz"} << 0;
        QTest::newRow("empty Type1 ends the model list")
            << QStringList{"A", "", "C"} << fields << 2 << 1 << QStringList{"A"} << 0
            << QStringList{"136-174MHz", "400-470MHz"} << 1;
        QTest::newRow("model index beyond the list shows model 0")
            << QStringList{"A", "B"} << fields << 7 << 1 << QStringList{"A", "B"} << 0
            << QStringList{"136-174MHz", "400-470MHz"} << 1;
        QTest::newRow("band index beyond the list selects nothing")
            << QStringList{"A"} << fields << 0 << 2 << QStringList{"A"} << 0
            << QStringList{"136-174MHz", "400-470MHz"} << -1;
        QTest::newRow("empty pieces skipped")
            << QStringList{"A"} << QStringList{";136-174MHz;;400-470MHz;"} << 0 << 1 << QStringList{"A"} << 0
            << QStringList{"136-174MHz", "400-470MHz"} << 1;
        QTest::newRow("no Program.ini")
            << QStringList{} << QStringList{} << 0 << 0 << QStringList{} << -1 << QStringList{} << -1;
    }

    void fillLists()
    {
        QFETCH(QStringList, types);
        QFETCH(QStringList, fields);
        QFETCH(int, modelByte);
        QFETCH(int, bandByte);
        QFETCH(QStringList, models);
        QFETCH(int, model);
        QFETCH(QStringList, bands);
        QFETCH(int, band);
        RadioCatalog catalog;
        catalog.models = slist(types);
        for (qsizetype i = 0; i < fields.size(); ++i)
            catalog.fields.at(static_cast<std::size_t>(i)) = s(fields[i]);
        RadioImage image;
        image.set(map::kModelIndex, static_cast<std::uint8_t>(modelByte));
        image.set(map::kBandIndex, static_cast<std::uint8_t>(bandByte));

        BandLimits limits;
        const BandSelection lists = FillModelAndBandLists(image, catalog);
        QCOMPARE(qlist(lists.models), models);
        QCOMPARE(lists.model, model);
        QCOMPARE(qlist(lists.bands), bands);
        QCOMPARE(lists.band, band);
        QVERIFY(limits == BandLimits{});
    }

    void bandIdSelectsEntry_data()
    {
        QTest::addColumn<QStringList>("bands");
        QTest::addColumn<QByteArray>("bandId");
        QTest::addColumn<int>("band");
        QTest::addColumn<int>("lower");
        QTest::addColumn<int>("upper");

        const QStringList bands{"136-174MHz", "400-470MHz UHF"};
        QTest::newRow("400-470 found even when 0xFD2 names another")
            << bands << hex("40 47 00") << 1 << 40000000 << 47000000;
        QTest::newRow("prefix search ignores case")
            << QStringList{"136-174mhz"} << hex("13 17 64") << 0 << 13600000 << 17400000;
        QTest::newRow("entry without MHz is not found: entry 0, limits still set")
            << QStringList{"400-470MHz", "136-174"} << hex("13 17 64") << 0 << 13600000 << 17400000;
        QTest::newRow("no entries: limits still set")
            << QStringList{} << hex("40 47 00") << -1 << 40000000 << 47000000;
        QTest::newRow("erased band id keeps selection and limits") << bands << hex("40 FF 00") << 5 << 1 << 2;
        QTest::newRow("edges above 999 MHz read like an erased band id")
            << bands << hex("FA 17 64") << 5 << 1 << 2;
    }

    void bandIdSelectsEntry()
    {
        QFETCH(QStringList, bands);
        QFETCH(QByteArray, bandId);
        QFETCH(int, band);
        QFETCH(int, lower);
        QFETCH(int, upper);
        RadioImage image;
        putBytes(image, map::kBandId, bandId);
        BandSelection lists;
        lists.bands = slist(bands);
        lists.band = 5;
        BandLimits limits{1, 2};
        ApplyBandIdToLists(image, lists, limits);
        QCOMPARE(lists.band, band);
        QCOMPARE(int(limits.lower), lower);
        QCOMPARE(int(limits.upper), upper);
    }

    void bandShownIsTheBandInForce_data()
    {
        QTest::addColumn<QString>("field");      // the model's band entries
        QTest::addColumn<QByteArray>("bandId");  // of the opened image; FF FF FF for none
        QTest::addColumn<int>("bandIndex");      // 0xFD2 of the image
        QTest::addColumn<QStringList>("limits"); // in force before the open, "low-high"
        QTest::addColumn<QStringList>("bands");  // the list shown afterwards
        QTest::addColumn<int>("band");
        QTest::newRow("a new document shows the entry of the limits kept")
            << "136-174MHz;400-470MHz" << hex("FF FF FF") << 0 << QStringList{"400-470"}
            << QStringList{"136-174MHz", "400-470MHz"} << 1;
        QTest::newRow("limits kept that no entry has are shown as an extra entry")
            << "136-174MHz;400-470MHz" << hex("FF FF FF") << 0 << QStringList{"350-390"}
            << QStringList{"136-174MHz", "400-470MHz", "350-390MHz"} << 2;
        QTest::newRow("the band id of the file, named by no entry")
            << "136-174MHz;400-470MHz" << hex("35 39 00") << 0 << QStringList{"136-174"}
            << QStringList{"136-174MHz", "400-470MHz", "350-390MHz"} << 2;
        QTest::newRow("an entry without MHz applies the same band")
            << "400-470MHz;136-174" << hex("13 17 64") << 0 << QStringList{"400-470"}
            << QStringList{"400-470MHz", "136-174"} << 1;
        QTest::newRow("0xFD2 naming the band in force keeps it")
            << "136-174MHz;136-174MHz VHF" << hex("FF FF FF") << 1 << QStringList{"136-174"}
            << QStringList{"136-174MHz", "136-174MHz VHF"} << 1;
        QTest::newRow("no Program.ini: the band in force alone")
            << "" << hex("40 47 00") << 0 << QStringList{"136-174"} << QStringList{"400-470MHz"} << 0;
    }
    void bandShownIsTheBandInForce()
    {
        QFETCH(QString, field);
        QFETCH(QByteArray, bandId);
        QFETCH(int, bandIndex);
        QFETCH(QStringList, limits);
        QFETCH(QStringList, bands);
        QFETCH(int, band);
        RadioCatalog catalog;
        if (!field.isEmpty()) {
            catalog.models = {"A"};
            catalog.fields[0] = s(field);
        }
        RadioImage image;
        image.resetToNewDocument();
        putBytes(image, map::kBandId, bandId);
        image.set(map::kBandIndex, std::uint8_t(bandIndex));
        BandLimits inForce;
        QVERIFY(ApplyBandText(s(limits.front()), inForce));
        ScreenCopy screen;
        ImageToScreen(image, catalog, inForce, screen);
        QCOMPARE(qlist(screen.lists.bands), bands);
        QCOMPARE(screen.lists.band, band);
        // What the list shows is what the limits are.
        BandLimits shown{0, 0};
        QVERIFY(ApplyBandText(screen.lists.bandText(), shown));
        QVERIFY(shown == inForce);

        // Saved and opened again, the same list comes back, showing the same band.
        RadioImage saved = image;
        ScreenToImage(screen, inForce, saved);
        ScreenCopy again;
        BandLimits limits2;
        ImageToScreen(saved, catalog, limits2, again);
        QCOMPARE(qlist(again.lists.bands), bands);
        QVERIFY(limits2 == inForce);
        BandLimits shownAgain{0, 0};
        QVERIFY(ApplyBandText(again.lists.bandText(), shownAgain));
        QVERIFY(shownAgain == inForce);
    }

    void bandThatCannotApplyIsNotShown_data()
    {
        QTest::addColumn<int>("pick");
        QTest::addColumn<QString>("shown");
        QTest::newRow("no edges") << 1 << "400-470MHz";
        QTest::newRow("low edge not below the high one") << 2 << "400-470MHz";
        QTest::newRow("a band that applies") << 0 << "136-174MHz";
        QTest::newRow("the extra entry picked again") << 3 << "350-390MHz";
    }
    void bandThatCannotApplyIsNotShown()
    {
        QFETCH(int, pick);
        QFETCH(QString, shown);
        BandSelection lists;
        lists.bands = {"136-174MHz", "UHF", "470-400MHz", "400-470MHz"};
        lists.band = 3;
        BandLimits limits{40000000, 47000000};
        if (pick == 3) {
            limits = {35000000, 39000000};
            ShowBandInForce(lists, limits);
            QCOMPARE(lists.band, 4);
            pick = 4;
        }
        const BandLimits before = limits;
        SelectBand(lists, pick, limits);
        QCOMPARE(q(lists.bandText()), shown);
        BandLimits fromList{0, 0};
        QVERIFY(ApplyBandText(lists.bandText(), fromList));
        QVERIFY(fromList == limits);
        if (pick != 0)
            QVERIFY(limits == before);
    }

    void choosingAModelAppliesItsFirstBand()
    {
        RadioCatalog catalog;
        catalog.models = {"A", "B", "C"};
        catalog.fields[1] = "400-470MHz;430-440MHz";
        catalog.fields[2] = "UHF;136-174MHz";
        RadioImage image;
        image.resetToNewDocument();
        BandSelection lists = FillModelAndBandLists(image, catalog);
        BandLimits limits;

        SelectModel(lists, 1, catalog, limits);
        QCOMPARE(lists.band, 0);
        QVERIFY(limits == (BandLimits{40000000, 47000000}));
        SelectBand(lists, 1, limits);
        QVERIFY(limits == (BandLimits{43000000, 44000000}));
        // A first entry that names no edges leaves the limits in force, and the list shows them.
        SelectModel(lists, 2, catalog, limits);
        QVERIFY(limits == (BandLimits{43000000, 44000000}));
        QCOMPARE(q(lists.bandText()), QString("430-440MHz"));
        QVERIFY(lists.extraBand);
    }
};

QTEST_GUILESS_MAIN(TestSettingsBand)
#include "tst_settings_band.moc"
