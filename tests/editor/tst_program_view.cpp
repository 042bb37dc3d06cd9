// The main form as the user sees it: what a new document, an opened file and the model and band
// lists show, what the screen writes back, and the grid's highlight rules.

#include "CMSFlexGrid.h"
#include "ChannelCodec.h"
#include "ChannelDataFile.h"
#include "ProgramDoc.h"
#include "ProgramView.h"
#include "ScreenCopy.h"
#include "TestSupport.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStringDecoder>
#include <QTest>

using namespace testsupport;

namespace {

QComboBox* list(CProgramView* view, const char* name)
{
    return view->findChild<QComboBox*>(QString::fromLatin1(name));
}

// An image with three channels, settings away from the defaults and the 400-470 MHz band id.
orx::RadioImage sampleImage()
{
    orx::RadioImage img;
    img.resetToNewDocument();
    orx::ScreenCopy screen;
    orx::BandLimits limits;
    orx::ImageToScreen(img, {}, limits, screen);
    auto& c1 = screen.channel(1);
    c1[orx::ColRxFrequency] = "145.12500";
    c1[orx::ColTxFrequency] = "145.72500";
    c1[orx::ColRxTone] = "模拟:67.0";
    c1[orx::ColTxTone] = "数字:023N";
    c1[orx::ColBusyLockout] = "载波";
    c1[orx::ColPower] = "高";
    c1[orx::ColBandwidth] = "宽";
    c1[orx::ColScanAdd] = "是";
    c1[orx::ColPttId] = "两者";
    c1[orx::ColName] = "CALL-1";
    auto& c128 = screen.channel(128);
    c128 = c1;
    c128[orx::ColRxFrequency] = "439.98750";
    c128[orx::ColTxFrequency] = "";
    c128[orx::ColName] = "LAST";
    screen.settings[orx::Setting::Squelch] = 3;
    screen.settings[orx::Setting::PriorityChannel] = 20;
    screen.settings.password = "1234";
    orx::ScreenToImage(screen, limits, img);
    img.set(orx::map::kBandId, 0x40);
    img.set(orx::map::kBandId + 1, 0x47);
    img.set(orx::map::kBandId + 2, 0x00);
    return img;
}

QString writeImage(const ScratchAppDirectory& dir, const QString& name, const QByteArray& bytes)
{
    dir.writeFile(name, bytes);
    return dir.file(name);
}

QByteArray bytesOf(const orx::RadioImage& img)
{
    return QByteArray(reinterpret_cast<const char*>(img.data().data()),
                      static_cast<qsizetype>(img.data().size()));
}

} // namespace

class ProgramViewTest : public QObject {
    Q_OBJECT
private slots:
    void newDocumentShowsEmptyChannelsAndDefaults();
    void gridHeadersAndWidths();
    void openedFileShowsChannelsAndBand();
    void saveWritesWhatTheCodecWrites();
    void shortFileLeavesImageAndScreenAlone();
    void modelChoiceLoadsItsBandsAndLimits();
    void bandChoiceSetsLimits();
    void bandListShowsTheBandInForce_data();
    void bandListShowsTheBandInForce();
    void newDocumentKeepsLimitsInForce();
    void gbkModelNamesShow();
    void highlightFollowsClicks_data();
    void highlightFollowsClicks();
    void passwordTakesDigitsOnly();
};

void ProgramViewTest::newDocumentShowsEmptyChannelsAndDefaults()
{
    ViewFixture f;
    CMSFlexGrid* grid = f.view->grid();
    QCOMPARE(grid->Rows(), 129);
    QCOMPARE(grid->Cols(), 11);
    for (int r = 1; r <= 128; ++r) {
        QCOMPARE(grid->TextMatrix(r, 0), QString::number(r));
        for (int c = 1; c <= 10; ++c)
            QVERIFY2(grid->TextMatrix(r, c).isEmpty(),
                     qPrintable(QStringLiteral("row %1 col %2").arg(r).arg(c)));
    }
    const struct {
        const char* list;
        const char* text;
    } expected[] = {
        {"displayModeList", "信道模式"},
        {"scanModeList", "时间"},
        {"tailEliminationList", "240度相位偏移"},
        {"manualSettingList", "开"},
        {"beepList", "开"},
        {"batterySaveList", "开"},
        {"squelchList", "5"},
        {"timeLimitList", "关"},
        {"voxLevelList", "关"},
        {"endToneList", "关"},
        {"priorityChannelList", "1"},
        {"modelList", "ORX-V1"},
        {"bandList", "136-174MHz"},
    };
    for (const auto& e : expected)
        QCOMPARE(list(f.view, e.list)->currentText(), QString::fromUtf8(e.text));
    QVERIFY(f.view->findChild<QLineEdit*>(QStringLiteral("passwordEdit"))->text().isEmpty());
    QVERIFY(!f.view->findChild<QPushButton*>(QStringLiteral("factoryButton"))->isVisible());
}

void ProgramViewTest::gridHeadersAndWidths()
{
    ViewFixture f;
    CMSFlexGrid* grid = f.view->grid();
    const QStringList headers = {
        QStringLiteral("CH"),       QStringLiteral("接收频率"), QStringLiteral("发射频率"),
        QStringLiteral("接收亚音"), QStringLiteral("发射亚音"), QStringLiteral("繁忙锁定"),
        QStringLiteral("功率"),     QStringLiteral("带宽"),     QStringLiteral("扫描添加"),
        QStringLiteral("PTT ID"),   QStringLiteral("名称")};
    for (int c = 0; c < headers.size(); ++c)
        QCOMPARE(grid->TextMatrix(0, c), headers[c]);
    // What the user sees of the widths: every header fits its column; the ten data columns fill
    // the grid's width without a horizontal scroll bar; the tone columns are the widest and the
    // channel number the narrowest; the two frequencies, the two tones, the three choice columns
    // of one width and scan add with PTT ID are each as wide as each other.
    auto pixels = [grid](int c) { return grid->ColWidth(c) / grid->TwipsPerPixelX(); };
    const QFontMetrics metrics(grid->horizontalHeader()->font());
    int dataWidth = 0;
    for (int c = 0; c < headers.size(); ++c) {
        QVERIFY2(metrics.horizontalAdvance(headers[c]) < pixels(c), qPrintable(headers[c]));
        if (c > 0)
            dataWidth += pixels(c);
    }
    const int room = grid->viewport()->width();
    QVERIFY2(dataWidth <= room && dataWidth > room * 9 / 10,
             qPrintable(QStringLiteral("%1 of %2").arg(dataWidth).arg(room)));
    QCOMPARE(grid->horizontalScrollBar()->maximum(), 0);
    for (int c = 0; c < headers.size(); ++c) {
        QVERIFY(pixels(0) <= pixels(c));
        QVERIFY(pixels(c) <= pixels(3));
    }
    QVERIFY(pixels(0) < pixels(8));
    QVERIFY(pixels(1) < pixels(3));
    QCOMPARE(pixels(1), pixels(2));
    QCOMPARE(pixels(3), pixels(4));
    QCOMPARE(pixels(5), pixels(6));
    QCOMPARE(pixels(6), pixels(7));
    QCOMPARE(pixels(8), pixels(9));
    QCOMPARE(pixels(10), pixels(1));
}

void ProgramViewTest::openedFileShowsChannelsAndBand()
{
    ViewFixture f;
    const QString path = writeImage(f.appDir, QStringLiteral("sample.sin"), bytesOf(sampleImage()));
    QVERIFY(f.doc->OnOpenDocument(path));
    CMSFlexGrid* grid = f.view->grid();
    const QStringList row1 = {QStringLiteral("145.12500"), QStringLiteral("145.72500"),
                              QStringLiteral("模拟:67.0"), QStringLiteral("数字:023N"),
                              QStringLiteral("载波"),      QStringLiteral("高"),
                              QStringLiteral("宽"),        QStringLiteral("是"),
                              QStringLiteral("两者"),      QStringLiteral("CALL-1")};
    for (int c = 1; c <= 10; ++c)
        QCOMPARE(grid->TextMatrix(1, c), row1[c - 1]);
    QCOMPARE(grid->TextMatrix(128, 1), QStringLiteral("439.98750"));
    QVERIFY(grid->TextMatrix(128, 2).isEmpty());
    QCOMPARE(grid->TextMatrix(128, 10), QStringLiteral("LAST"));
    QVERIFY(grid->TextMatrix(2, 1).isEmpty());
    // The band id 400-470 selects its entry even though 0xFD2 names entry 0, and sets the limits.
    QCOMPARE(list(f.view, "bandList")->currentText(), QStringLiteral("400-470MHz"));
    QCOMPARE(f.view->bandLimits(), (orx::BandLimits{40000000, 47000000}));
    QCOMPARE(list(f.view, "squelchList")->currentText(), QStringLiteral("3"));
    QCOMPARE(list(f.view, "priorityChannelList")->currentText(), QStringLiteral("20"));
    QCOMPARE(f.view->findChild<QLineEdit*>(QStringLiteral("passwordEdit"))->text(), QStringLiteral("1234"));
}

void ProgramViewTest::saveWritesWhatTheCodecWrites()
{
    ViewFixture f;
    const orx::RadioImage original = sampleImage();
    const QString in = writeImage(f.appDir, QStringLiteral("in.sin"), bytesOf(original));
    QVERIFY(f.doc->OnOpenDocument(in));
    const QString out = f.appDir.file(QStringLiteral("out.sin"));
    QVERIFY(f.doc->OnSaveDocument(out));

    orx::RadioImage saved;
    QCOMPARE(orx::LoadChannelData(out.toStdString(), saved), orx::LoadResult::Ok);
    orx::BandLimits limits;
    orx::RadioCatalog catalog;
    catalog.models = {"ORX-V1", "ORX-U2"};
    catalog.fields[0] = "136-174MHz;400-470MHz";
    catalog.fields[1] = "400-480MHz";
    const orx::RadioImage expected = orx::LoadAndSave(original, catalog, limits);
    QCOMPARE(bytesOf(saved), bytesOf(expected));
    // The band list selection found from the band id goes to 0xFD2.
    QCOMPARE(saved.at(orx::map::kBandIndex), std::uint8_t{1});
    QCOMPARE(f.doc->pathName(), QFileInfo(out).absoluteFilePath());
}

void ProgramViewTest::shortFileLeavesImageAndScreenAlone()
{
    ViewFixture f;
    const QString good = writeImage(f.appDir, QStringLiteral("good.sin"), bytesOf(sampleImage()));
    QVERIFY(f.doc->OnOpenDocument(good));
    const orx::RadioImage before = f.doc->image();
    const orx::ScreenCopy screenBefore = f.view->ReadScreen();

    QByteArray shortFile = bytesOf(orx::RadioImage());
    shortFile.chop(1);
    const QString bad = writeImage(f.appDir, QStringLiteral("short.sin"), shortFile);
    QString error;
    QVERIFY(!f.doc->OnOpenDocument(bad, &error));
    QVERIFY(error.contains(QStringLiteral("4096")));
    QVERIFY(f.doc->image() == before);
    QVERIFY(f.view->ReadScreen() == screenBefore);
    QCOMPARE(f.doc->pathName(), QFileInfo(good).absoluteFilePath());
}

void ProgramViewTest::modelChoiceLoadsItsBandsAndLimits()
{
    ViewFixture f;
    QComboBox* models = list(f.view, "modelList");
    QComboBox* bands = list(f.view, "bandList");
    models->setFocus();
    QTest::keyClick(models, Qt::Key_Down); // the user steps to the second model
    QCOMPARE(models->currentText(), QStringLiteral("ORX-U2"));
    QCOMPARE(bands->count(), 1);
    QCOMPARE(bands->currentText(), QStringLiteral("400-480MHz"));
    QCOMPARE(f.view->bandLimits(), (orx::BandLimits{40000000, 48000000}));

    // The model and band indexes go into the image with the next save.
    QVERIFY(f.doc->OnSaveDocument(f.appDir.file(QStringLiteral("m.sin"))));
    QCOMPARE(f.doc->image().at(orx::map::kModelIndex), std::uint8_t{1});
    QCOMPARE(f.doc->image().at(orx::map::kBandId), std::uint8_t{0x40});
    QCOMPARE(f.doc->image().at(orx::map::kBandId + 1), std::uint8_t{0x48});
    QCOMPARE(f.doc->image().at(orx::map::kBandId + 2), std::uint8_t{0x00});
}

void ProgramViewTest::bandChoiceSetsLimits()
{
    ViewFixture f;
    QComboBox* bands = list(f.view, "bandList");
    bands->setFocus();
    QTest::keyClick(bands, Qt::Key_Down);
    QCOMPARE(bands->currentText(), QStringLiteral("400-470MHz"));
    QCOMPARE(f.view->bandLimits(), (orx::BandLimits{40000000, 47000000}));
}

void ProgramViewTest::bandListShowsTheBandInForce_data()
{
    QTest::addColumn<QString>("listName");
    QTest::newRow("the model shown picked again") << "modelList";
    QTest::newRow("the band shown picked again") << "bandList";
}

void ProgramViewTest::bandListShowsTheBandInForce()
{
    // The image's band id names no entry of the list: the list shows the image's band, which is the
    // band the editors clamp to and the next write sends.
    QFETCH(QString, listName);
    ViewFixture f;
    orx::RadioImage img;
    img.resetToNewDocument();
    img.set(orx::map::kBandId, 0x35);
    img.set(orx::map::kBandId + 1, 0x39);
    img.set(orx::map::kBandId + 2, 0x00);
    QVERIFY(f.doc->OnOpenDocument(writeImage(f.appDir, QStringLiteral("350.sin"), bytesOf(img))));
    QComboBox* models = list(f.view, "modelList");
    QComboBox* bands = list(f.view, "bandList");
    QCOMPARE(bands->currentText(), QStringLiteral("350-390MHz"));
    QCOMPARE(bands->count(), 3);
    QCOMPARE(f.view->bandLimits(), (orx::BandLimits{35000000, 39000000}));

    // Picking the entry a list shows: the model stays with its bands, the band shown is applied,
    // which changes nothing because it is the band in force.
    QComboBox* chosen = list(f.view, listName.toLatin1().constData());
    const int shown = chosen->currentIndex();
    chosen->showPopup();
    QAbstractItemView* popup = chosen->view();
    QVERIFY(QTest::qWaitForWindowExposed(popup->window()));
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {},
                      popup->visualRect(popup->model()->index(shown, 0)).center());
    QTRY_VERIFY(!popup->window()->isVisible());
    QCOMPARE(models->currentText(), QStringLiteral("ORX-V1"));
    QCOMPARE(bands->currentText(), QStringLiteral("350-390MHz"));
    QCOMPARE(f.view->bandLimits(), (orx::BandLimits{35000000, 39000000}));

    // A band of the list applies at once, and the list no longer needs the extra entry.
    bands->setFocus();
    QTest::keyClick(bands, Qt::Key_Up);
    QCOMPARE(f.view->bandLimits(), (orx::BandLimits{40000000, 47000000}));
    QCOMPARE(bands->currentText(), QStringLiteral("400-470MHz"));
    QCOMPARE(bands->count(), 2);
    QTest::keyClick(bands, Qt::Key_Up);
    QCOMPARE(f.view->bandLimits(), (orx::BandLimits{13600000, 17400000}));
}

void ProgramViewTest::newDocumentKeepsLimitsInForce()
{
    ViewFixture f;
    QComboBox* bands = list(f.view, "bandList");
    bands->setFocus();
    QTest::keyClick(bands, Qt::Key_Down);
    QVERIFY(f.doc->OnNewDocument());
    // New keeps the limits chosen before, and the band list shows them rather than entry 0.
    QCOMPARE(f.view->bandLimits(), (orx::BandLimits{40000000, 47000000}));
    QCOMPARE(bands->currentText(), QStringLiteral("400-470MHz"));
}

void ProgramViewTest::gbkModelNamesShow()
{
    QByteArray ini =
        QStringEncoder("GBK")(QStringLiteral("[Setup]\r\nType0=对讲机甲\r\nField0=136-174MHz\r\n"));
    ViewFixture f(ini);
    QCOMPARE(list(f.view, "modelList")->currentText(), QStringLiteral("对讲机甲"));
}

void ProgramViewTest::highlightFollowsClicks_data()
{
    QTest::addColumn<bool>("onNumber");
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("editorOpens");
    QTest::newRow("left on a row number shows the row") << true << int(Qt::LeftButton) << 2 << false;
    QTest::newRow("left on a data cell hides the selection") << false << int(Qt::LeftButton) << 0 << true;
    QTest::newRow("right on a row number changes nothing") << true << int(Qt::RightButton) << 1 << false;
    // A right press moves the current cell (the grid's own rule) but opens nothing.
    QTest::newRow("right on a data cell opens nothing") << false << int(Qt::RightButton) << 0 << false;
}

void ProgramViewTest::highlightFollowsClicks()
{
    QFETCH(bool, onNumber);
    QFETCH(int, button);
    QFETCH(int, expected);
    QFETCH(bool, editorOpens);
    ViewFixture f;
    CMSFlexGrid* grid = f.view->grid();
    // Row 3 holds a channel, so a press on its power cell edits that cell.
    orx::ChannelTexts channel;
    channel[orx::ColRxFrequency] = "145.00000";
    channel[orx::ColPower] = "高";
    f.view->SetRowTexts(3, channel);
    grid->SetHighLight(CMSFlexGrid::HighLightAlways);
    if (onNumber) {
        QHeaderView* numbers = grid->verticalHeader();
        const QPoint p(numbers->width() / 2,
                       numbers->sectionViewportPosition(4) + numbers->sectionSize(4) / 2);
        QTest::mouseClick(numbers->viewport(), Qt::MouseButton(button), {}, p);
        if (button == Qt::LeftButton)
            QCOMPARE(grid->Row(), 5);
    } else {
        const QPoint p(grid->columnViewportPosition(orx::ColPower - 1) + 5, grid->rowViewportPosition(2) + 5);
        QTest::mouseClick(grid->viewport(), Qt::MouseButton(button), {}, p);
        QCOMPARE(grid->Row(), 3);
        QCOMPARE(grid->Col(), int(orx::ColPower));
    }
    QCOMPARE(grid->HighLight(), expected);
    QCOMPARE(f.view->findChild<QWidget*>(QStringLiteral("choiceList"))->isVisible(), editorOpens);
}

void ProgramViewTest::passwordTakesDigitsOnly()
{
    ViewFixture f;
    auto* edit = f.view->findChild<QLineEdit*>(QStringLiteral("passwordEdit"));
    edit->setFocus();
    QTest::keyClicks(edit, QStringLiteral("12a3-45678"));
    QCOMPARE(edit->text(), QStringLiteral("123456"));
    QVERIFY(f.doc->OnSaveDocument(f.appDir.file(QStringLiteral("p.sin"))));
    const auto pw = f.doc->image().bytes(orx::map::kPassword, orx::map::kPasswordSize);
    QCOMPARE(QByteArray(reinterpret_cast<const char*>(pw.data()), 6), QByteArray("123456"));
}

QTEST_MAIN(ProgramViewTest)
#include "tst_program_view.moc"
