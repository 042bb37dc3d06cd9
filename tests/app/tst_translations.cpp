// The English translation: every source text has one that keeps its placeholders, the English
// window and every dialog show no Chinese, the language changes at run time and back, is
// remembered, and --lang chooses it for one run; a choice made in English stores the Chinese text.

#include "AboutDlg.h"
#include "ChannelEdit.h"
#include "ChannelTableModel.h"
#include "BackupsDlg.h"
#include "CMSFlexGrid.h"
#include "BulkEditDlg.h"
#include "CsvReportDlg.h"
#include "DtmfDlg.h"
#include "ExitConfirmDlg.h"
#include "FeatureCodecs.h"
#include "FmRadioDlg.h"
#include "GridTexts.h"
#include "MainFrame.h"
#include "PowerTuneDlg.h"
#include "ProgramApp.h"
#include "ProgramDoc.h"
#include "ProgramView.h"
#include "SerialNumberDlg.h"
#include "SettingsCodec.h"
#include "SideKeyDlg.h"
#include "TestSupport.h"
#include "ToneDlg.h"
#include "TransferDlg.h"
#include "LeftAloneText.h"
#include "Tr.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>

using namespace testsupport;

namespace {

// Chinese characters and the full-width punctuation that goes with them.
bool hasChinese(const QString& text)
{
    static const QRegularExpression cjk(
        QStringLiteral("[\\x{3000}-\\x{303F}\\x{3400}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return text.contains(cjk);
}

// The texts that read the same in both languages: the language submenu names itself in both.
bool shownInBothLanguages(const QString& text)
{
    return text == QString::fromUtf8(res::kLanguageMenu) || text == QString::fromUtf8(res::kLanguageChinese);
}

void collectAction(const QAction* a, const QString& where, QStringList& found);

void collectMenu(const QMenu* menu, const QString& where, QStringList& found)
{
    for (const QAction* a : menu->actions())
        collectAction(a, where + QLatin1Char('/') + menu->title(), found);
}

void note(const QString& text, const QString& where, QStringList& found)
{
    if (hasChinese(text) && !shownInBothLanguages(text))
        found << where + QStringLiteral(": ") + text;
}

void collectAction(const QAction* a, const QString& where, QStringList& found)
{
    note(a->text(), where, found);
    note(a->toolTip(), where + QStringLiteral(" tooltip"), found);
    note(a->statusTip(), where + QStringLiteral(" status tip"), found);
    if (a->menu())
        collectMenu(a->menu(), where, found);
}

// Every text a window shows or offers: captions, labels, buttons, group titles, list entries,
// edits, headers and cells of item views, tooltips and status tips, and its actions and menus.
QStringList chineseTexts(QWidget* window)
{
    QStringList found;
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* w : widgets) {
        const QString where = w->metaObject()->className() + QLatin1Char(' ') + w->objectName();
        note(w->windowTitle(), where + QStringLiteral(" title"), found);
        note(w->toolTip(), where + QStringLiteral(" tooltip"), found);
        note(w->statusTip(), where + QStringLiteral(" status tip"), found);
        if (auto* label = qobject_cast<QLabel*>(w))
            note(label->text(), where, found);
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            note(button->text(), where, found);
        if (auto* group = qobject_cast<QGroupBox*>(w))
            note(group->title(), where, found);
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            note(edit->text() + edit->placeholderText(), where, found);
        if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                note(combo->itemText(i), where, found);
        }
        if (auto* view = qobject_cast<QAbstractItemView*>(w); view && view->model()) {
            const QAbstractItemModel* model = view->model();
            for (int c = 0; c < model->columnCount(); ++c)
                note(model->headerData(c, Qt::Horizontal).toString(), where + QStringLiteral(" header"),
                     found);
            for (int r = 0; r < model->rowCount(); ++r) {
                note(model->headerData(r, Qt::Vertical).toString(), where + QStringLiteral(" header"), found);
                for (int c = 0; c < model->columnCount(); ++c) {
                    const QModelIndex i = model->index(r, c);
                    note(i.data(Qt::DisplayRole).toString(), where + QStringLiteral(" cell"), found);
                    note(i.data(Qt::ToolTipRole).toString(), where + QStringLiteral(" cell tooltip"), found);
                }
            }
        }
        if (auto* bar = qobject_cast<QMenuBar*>(w)) {
            for (const QAction* a : bar->actions())
                collectAction(a, QStringLiteral("menu"), found);
        }
        for (const QAction* a : w->actions())
            collectAction(a, where + QStringLiteral(" action"), found);
    }
    return found;
}

// The string literals of a source file that hold Chinese, adjacent literals joined.
QStringList chineseLiterals(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString source = QString::fromUtf8(file.readAll());
    source.remove(QRegularExpression(QStringLiteral("//[^\\n]*")));
    static const QRegularExpression run(QStringLiteral(R"re("(?:[^"\\]|\\.)*"(?:\s*"(?:[^"\\]|\\.)*")*)re"));
    static const QRegularExpression piece(QStringLiteral(R"re("((?:[^"\\]|\\.)*)")re"));
    QStringList texts;
    for (auto m = run.globalMatch(source); m.hasNext();) {
        QString text;
        for (auto p = piece.globalMatch(m.next().captured(0)); p.hasNext();)
            text += p.next().captured(1);
        text.replace(QStringLiteral("\\n"), QStringLiteral("\n"))
            .replace(QStringLiteral("\\\""), QStringLiteral("\""));
        if (hasChinese(text) && !texts.contains(text))
            texts << text;
    }
    return texts;
}

QString qs(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The placeholders %1 to %9 a text uses, each once.
QList<int> placeholders(const QString& text)
{
    QList<int> used;
    static const QRegularExpression marker(QStringLiteral("%([1-9])"));
    for (auto m = marker.globalMatch(text); m.hasNext();) {
        const int n = m.next().captured(1).toInt();
        if (!used.contains(n))
            used << n;
    }
    std::sort(used.begin(), used.end());
    return used;
}

QString storedLanguage()
{
    return QSettings(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
                         QStringLiteral("/orxprog.conf"),
                     QSettings::IniFormat)
        .value(QStringLiteral("View/Language"))
        .toString();
}

} // namespace

class TranslationsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void everyTextHasItsEnglish();
    void englishWindowAndDialogsShowNoChinese();
    void dialogTitlesFitInEnglish();
    void switchingAtRunTimeAndBack();
    void languageIsRememberedAndLangChoosesForOneRun_data();
    void languageIsRememberedAndLangChoosesForOneRun();
    void choiceMadeInEnglishStoresTheChineseText();
    void usageBeforeStartFollowsLang_data();
    void usageBeforeStartFollowsLang();

private:
    QTemporaryDir m_config;
};

void TranslationsTest::init()
{
    // A fresh user: no language remembered yet.
    QVERIFY(m_config.isValid());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_config.path()));
    QFile::remove(m_config.path() + QStringLiteral("/tst_translations/orxprog.conf"));
    QFile::remove(m_config.path() + QStringLiteral("/orxprog/orxprog.conf"));
}

void TranslationsTest::everyTextHasItsEnglish()
{
    QTranslator english;
    QVERIFY(english.load(QStringLiteral(":/i18n/orxprog_en.qm")));
    // The program's own texts, and the grid texts and settings lists of the image library.
    QStringList sources = chineseLiterals(QStringLiteral(ORX_SOURCE_DIR "/res/Texts.h"));
    QVERIFY(sources.size() > 200);
    for (std::string_view t : orx::kChannelHeaders)
        sources << qs(t);
    for (int c = orx::kFirstDataColumn; c <= orx::kLastDataColumn; ++c) {
        for (std::string_view t : orx::ChoiceOptions(static_cast<orx::ChannelColumn>(c)))
            sources << qs(t);
    }
    for (int s = 0; s < orx::kSettingCount; ++s) {
        sources << qs(orx::Info(static_cast<orx::Setting>(s)).label);
        for (const std::string& t : orx::Choices(static_cast<orx::Setting>(s)))
            sources << QString::fromStdString(t);
    }
    for (std::string_view t : orx::kSideKeyChoices)
        sources << qs(t);
    sources << qs(orx::text::kNoTone);

    QStringList problems;
    for (const QString& source : std::as_const(sources)) {
        if (!hasChinese(source) || shownInBothLanguages(source))
            continue;
        const QString shown = english.translate(res::kTrContext, source.toUtf8().constData());
        if (shown.isEmpty())
            problems << QStringLiteral("no English: ") + source;
        else if (hasChinese(shown))
            problems << QStringLiteral("Chinese left: ") + shown;
        else if (placeholders(shown) != placeholders(source))
            problems << QStringLiteral("placeholders differ: ") + source + QStringLiteral(" -> ") + shown;
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));

    // Texts with %n take the English plural of their number.
    QCoreApplication::installTranslator(&english);
    QCOMPARE(res::Tr(res::kCsvReportCaptionRefused, 1), QStringLiteral("Import CSV: 1 row refused"));
    QCOMPARE(res::Tr(res::kCsvReportCaptionRefused, 2), QStringLiteral("Import CSV: 2 rows refused"));
    QCOMPARE(res::LeftAloneMessage({{5, orx::LeftAloneReason::AboveBand},
                                    {9, orx::LeftAloneReason::AboveBand},
                                    {12, orx::LeftAloneReason::BelowBand}},
                                   orx::BandLimits{13600000, 17400000}),
             QStringLiteral("3 channels were left as they were:\n"
                            "2 channels would go above the band 136-174 MHz: 5, 9\n"
                            "1 channel would go below the band 136-174 MHz: 12"));
    QCoreApplication::removeTranslator(&english);
}

void TranslationsTest::englishWindowAndDialogsShowNoChinese()
{
    ScratchAppDirectory dir(TwoModelIni());
    CProgramApp app({QStringLiteral("orxprog"), QStringLiteral("--dealer"), QStringLiteral("--lang"),
                     QStringLiteral("en")},
                    dir.path());
    QVERIFY(app.InitInstance());
    CMainFrame* frame = app.mainFrame();
    QCOMPARE(frame->windowTitle(), QStringLiteral("ORX Programming Software"));
    // A channel with a tone and every choice column filled shows its words in English.
    orx::ChannelTexts channel;
    channel[orx::ColRxFrequency] = "145.00000";
    channel[orx::ColTxFrequency] = "145.60000";
    channel[orx::ColRxTone] = "模拟:67.0";
    channel[orx::ColTxTone] = "数字:023I";
    channel[orx::ColBusyLockout] = "载波";
    channel[orx::ColPower] = "低";
    channel[orx::ColBandwidth] = "窄";
    channel[orx::ColScanAdd] = "是";
    channel[orx::ColPttId] = "发射后";
    app.view()->SetRowTexts(1, channel);
    QStringList found = chineseTexts(frame);
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    const QModelIndex tone = app.view()->channelModel()->index(0, orx::ColRxTone - 1);
    QCOMPARE(tone.data(Qt::DisplayRole).toString(), QStringLiteral("67.0 Hz"));
    QCOMPARE(tone.data(Qt::EditRole).toString(), QStringLiteral("模拟:67.0"));

    orx::RadioImage& image = app.document()->image();
    orx::CsvImport import;
    import.rows.push_back({});
    std::vector<std::unique_ptr<QWidget>> dialogs;
    dialogs.push_back(std::make_unique<CAboutDlg>(frame));
    dialogs.push_back(std::make_unique<CExitConfirmDlg>(frame));
    dialogs.push_back(std::make_unique<CDtmfDlg>(image, frame));
    dialogs.push_back(std::make_unique<CSideKeyDlg>(image, frame));
    dialogs.push_back(std::make_unique<CFmRadioDlg>(image, frame));
    dialogs.push_back(std::make_unique<CSerialNumberDlg>(image, frame));
    dialogs.push_back(std::make_unique<CToneDlg>(QStringLiteral("数字:023N"), frame));
    dialogs.push_back(std::make_unique<CTransferDlg>(image, app.context(), frame));
    dialogs.push_back(std::make_unique<CPowerTuneDlg>(app.context().PortName(), frame));
    dialogs.push_back(std::make_unique<CCsvReportDlg>(import, QStringLiteral("channels.csv"), frame));
    dialogs.push_back(std::make_unique<CBulkEditDlg>(8, 600000, frame));
    // The grid's context menu on the transmit column, with its offset submenu.
    dialogs.emplace_back(app.view()->CreateGridMenu(orx::ColTxFrequency, frame));
    for (const auto& dialog : dialogs) {
        found = chineseTexts(dialog.get());
        QVERIFY2(found.isEmpty(), qPrintable(dialog->metaObject()->className() + QStringLiteral(":\n") +
                                             found.join(QLatin1Char('\n'))));
    }
}

void TranslationsTest::dialogTitlesFitInEnglish()
{
    ScratchAppDirectory dir(TwoModelIni());
    CProgramApp app({QStringLiteral("orxprog"), QStringLiteral("--dealer"), QStringLiteral("--lang"),
                     QStringLiteral("en")},
                    dir.path());
    QVERIFY(app.InitInstance());
    CMainFrame* frame = app.mainFrame();
    orx::RadioImage& image = app.document()->image();
    std::vector<std::unique_ptr<QDialog>> dialogs;
    dialogs.push_back(std::make_unique<CDtmfDlg>(image, frame));
    dialogs.push_back(std::make_unique<CSideKeyDlg>(image, frame));
    dialogs.push_back(std::make_unique<CFmRadioDlg>(image, frame));
    dialogs.push_back(std::make_unique<CSerialNumberDlg>(image, frame));
    for (bool read : {true, false}) {
        auto transfer = std::make_unique<CTransferDlg>(image, app.context(), frame);
        transfer->SetReadMode(read);
        transfer->SetTitle(res::Tr(read ? res::kRead.text : res::kWrite.text));
        dialogs.push_back(std::move(transfer));
    }
    dialogs.push_back(std::make_unique<CPowerTuneDlg>(app.context().PortName(), frame));
    dialogs.push_back(std::make_unique<CBackupsDlg>(dir.path(), frame));
    // A title bar keeps room for the window's icon and its three buttons beside the caption, whose
    // font is usually a bold one of the application font's size.
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    constexpr int kTitleBarRoom = 140;
    for (const auto& dialog : dialogs) {
        dialog->show();
        const int needed = metrics.horizontalAdvance(dialog->windowTitle()) + kTitleBarRoom;
        QVERIFY2(dialog->width() >= needed,
                 qPrintable(QStringLiteral("%1 \"%2\": %3 px wide, the title needs %4")
                                .arg(dialog->metaObject()->className(), dialog->windowTitle())
                                .arg(dialog->width())
                                .arg(needed)));
        dialog->hide();
    }
}

void TranslationsTest::switchingAtRunTimeAndBack()
{
    ScratchAppDirectory dir(TwoModelIni());
    CProgramApp app({QStringLiteral("orxprog")}, dir.path());
    QVERIFY(app.InitInstance());
    CMainFrame* frame = app.mainFrame();
    QCOMPARE(app.language(), CProgramApp::Language::Chinese);
    QCOMPARE(frame->windowTitle(), QStringLiteral("ORX 写频软件"));
    QVERIFY(!chineseTexts(frame).isEmpty());
    auto* squelch = frame->findChild<QComboBox*>(QStringLiteral("squelchList"));
    auto* beep = frame->findChild<QComboBox*>(QStringLiteral("beepList"));
    beep->setCurrentIndex(1);
    const orx::ScreenCopy before = app.view()->ReadScreen();

    // Through the menu, as the user does it.
    QMenu* language = frame->languageMenu();
    QCOMPARE(language->title(), QString::fromUtf8(res::kLanguageMenu));
    QVERIFY(frame->actions().chinese->isChecked());
    frame->actions().english->trigger();
    QCOMPARE(app.language(), CProgramApp::Language::English);
    QCOMPARE(storedLanguage(), QStringLiteral("en"));
    QStringList found = chineseTexts(frame);
    QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    QCOMPARE(beep->currentText(), QStringLiteral("Off"));
    QCOMPARE(squelch->count(), 10);
    // Only what is shown changed.
    QVERIFY(app.view()->ReadScreen() == before);
    QCOMPARE(app.view()->grid()->TextMatrix(0, orx::ColPower), QStringLiteral("Power"));
    QVERIFY(frame->actions().english->isChecked());
    QVERIFY(!frame->actions().chinese->isChecked());

    frame->actions().chinese->trigger();
    QCOMPARE(storedLanguage(), QStringLiteral("zh"));
    QCOMPARE(frame->windowTitle(), QStringLiteral("ORX 写频软件"));
    QCOMPARE(frame->actions().read->text(), QStringLiteral("读数据"));
    QCOMPARE(beep->currentText(), QStringLiteral("关"));
    QCOMPARE(app.view()->grid()->TextMatrix(0, orx::ColPower), QStringLiteral("功率"));
    QVERIFY(frame->actions().chinese->isChecked());
    QVERIFY(app.view()->ReadScreen() == before);
}

void TranslationsTest::languageIsRememberedAndLangChoosesForOneRun_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("title");

    const QString chinese = QStringLiteral("ORX 写频软件");
    const QString english = QStringLiteral("ORX Programming Software");
    QTest::newRow("first start") << QString() << QStringList() << chinese;
    QTest::newRow("English remembered") << QStringLiteral("en") << QStringList() << english;
    QTest::newRow("Chinese remembered") << QStringLiteral("zh") << QStringList() << chinese;
    QTest::newRow("--lang en") << QStringLiteral("zh")
                               << QStringList{QStringLiteral("--lang"), QStringLiteral("en")} << english;
    QTest::newRow("--lang=zh") << QStringLiteral("en") << QStringList{QStringLiteral("--lang=zh")} << chinese;
    QTest::newRow("unknown --lang") << QStringLiteral("en") << QStringList{QStringLiteral("--lang=fr")}
                                    << english;
    QTest::newRow("unreadable setting") << QStringLiteral("klingon") << QStringList() << chinese;
}

void TranslationsTest::languageIsRememberedAndLangChoosesForOneRun()
{
    QFETCH(QString, stored);
    QFETCH(QStringList, options);
    QFETCH(QString, title);
    {
        QSettings settings(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) +
                               QStringLiteral("/orxprog.conf"),
                           QSettings::IniFormat);
        if (!stored.isEmpty())
            settings.setValue(QStringLiteral("View/Language"), stored);
    }
    ScratchAppDirectory dir(TwoModelIni());
    CProgramApp app(QStringList{QStringLiteral("orxprog")} + options, dir.path());
    QVERIFY(app.InitInstance());
    QCOMPARE(app.mainFrame()->windowTitle(), title);
    QCOMPARE(app.mainFrame()->actions().english->isChecked(),
             title.startsWith(QStringLiteral("ORX Programming")));
    // A choice on the command line is for this run: the remembered one stays.
    QCOMPARE(storedLanguage(), stored);
}

void TranslationsTest::choiceMadeInEnglishStoresTheChineseText()
{
    ScratchAppDirectory dir(TwoModelIni());
    CProgramApp app({QStringLiteral("orxprog"), QStringLiteral("--lang"), QStringLiteral("en")}, dir.path());
    QVERIFY(app.InitInstance());
    CProgramView* view = app.view();
    CMSFlexGrid* grid = view->grid();
    orx::ChannelTexts channel;
    channel[orx::ColRxFrequency] = "145.00000";
    channel[orx::ColPower] = "高";
    view->SetRowTexts(3, channel);
    QVERIFY(QTest::qWaitForWindowExposed(app.mainFrame()));

    const QPoint p(grid->columnViewportPosition(orx::ColPower - 1) + 5, grid->rowViewportPosition(2) + 5);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, p);
    auto* list = view->findChild<QComboBox*>(QStringLiteral("choiceList"));
    QVERIFY(list->isVisible());
    QCOMPARE(list->currentText(), QStringLiteral("High"));
    QCOMPARE(list->itemText(1), QStringLiteral("Low"));
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(!list->isVisible());
    QCOMPARE(grid->TextMatrix(3, orx::ColPower), QStringLiteral("低"));
    QCOMPARE(view->channelModel()->index(2, orx::ColPower - 1).data().toString(), QStringLiteral("Low"));
}

void TranslationsTest::usageBeforeStartFollowsLang_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("firstWord");
    QTest::newRow("en") << QStringLiteral("en") << QStringLiteral("Usage:");
    QTest::newRow("EN") << QStringLiteral("EN") << QStringLiteral("Usage:");
    QTest::newRow("zh") << QStringLiteral("zh") << QStringLiteral("用法:");
    QTest::newRow("none") << QString() << QStringLiteral("用法:");
    QTest::newRow("unknown") << QStringLiteral("fr") << QStringLiteral("用法:");
}

void TranslationsTest::usageBeforeStartFollowsLang()
{
    QFETCH(QString, code);
    QFETCH(QString, firstWord);
    const QString usage = CProgramApp::UsageText(code);
    QCOMPARE(usage.section(QLatin1Char(' '), 0, 0), firstWord);
    QVERIFY(usage.contains(QStringLiteral("--lang")));
}

QTEST_MAIN(TranslationsTest)
#include "tst_translations.moc"
