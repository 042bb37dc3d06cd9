// The application shell: start-up with and without a file, the caption, menus and toolbar, the
// port menu's check marks and the port kept in Program.ini, the exit confirmation.

#include "Backups.h"
#include "BackupsDlg.h"
#include "CMSFlexGrid.h"
#include "MainFrame.h"
#include "AppContext.h"
#include "ProgramApp.h"
#include "ProgramDoc.h"
#include "ProgramIni.h"
#include "ProgramView.h"
#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QUndoStack>

using namespace testsupport;

namespace {

QByteArray iniWithPort(const QByteArray& port)
{
    return TwoModelIni() + "COM=" + port + "\r\n";
}

QString readIniPort(const ScratchAppDirectory& dir)
{
    return CProgramIni(dir.file(QStringLiteral("Program.ini")))
        .GetString(QStringLiteral("Setup"), QStringLiteral("COM"));
}

QStringList menuTexts(QMenu* menu)
{
    QStringList texts;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator())
            continue;
        QString t = a->text();
        if (!a->shortcut().isEmpty())
            t += QLatin1Char('\t') + a->shortcut().toString();
        texts << t;
    }
    return texts;
}

QMenu* topMenu(CMainFrame* frame, const QString& title)
{
    for (QAction* a : frame->menuBar()->actions()) {
        if (a->text() == title)
            return a->menu();
    }
    return nullptr;
}

} // namespace

class MainFrameTest : public QObject {
    Q_OBJECT
private slots:
    void startsWithNewDocumentAndFixedCaption();
    void lockIndicatorsBlankWhileOff_data();
    void lockIndicatorsBlankWhileOff();
    void menusCarryTheirTextsAndShortcuts();
    void toolbarButtonsInOrder();
    void portCheckMarks_data();
    void portCheckMarks();
    void missingIniIsCreatedAndPortStoredAtExit();
    void commandLineFileIsOpened();
    void commandLineFileThatCannotBeOpenedEndsStartUp();
    void exitAsksFirst_data();
    void exitAsksFirst();
    void dealerModeShowsDealerCommands();
    void printWritesTheChannelTable();
    void importAtCurrentRowIgnoresLocations();
    void openBackupListsTheBackupsFolder();
};

void MainFrameTest::startsWithNewDocumentAndFixedCaption()
{
    ScratchAppDirectory dir(iniWithPort("COM2"));
    CProgramApp app({QStringLiteral("orxprog")}, dir.path());
    QVERIFY(app.InitInstance());
    CMainFrame* frame = app.mainFrame();
    QCOMPARE(frame->windowTitle(), QStringLiteral("ORX 写频软件"));
    QVERIFY(frame->isVisible());
    // A display name set for the application is shown after every caption that does not end with
    // it ("读数据 — ORX 写频软件", "提示 — ORX 写频软件"); unset, it reads as the application name.
    QCOMPARE(QGuiApplication::applicationDisplayName(), QCoreApplication::applicationName());
    QCOMPARE(app.document()->image().at(orx::map::kSquelch), std::uint8_t{0x05});
    QCOMPARE(app.context().PortName(), QStringLiteral("COM2"));

    // Saving does not put the file name into the caption.
    QVERIFY(app.document()->OnSaveDocument(dir.file(QStringLiteral("a.sin"))));
    QCOMPARE(frame->windowTitle(), QStringLiteral("ORX 写频软件"));
    QCOMPARE(frame->findChild<QLabel*>(QStringLiteral("idleText"))->text(), QStringLiteral("准备"));
    for (const char* name : {"capsIndicator", "numIndicator", "scrollIndicator"})
        QVERIFY(frame->findChild<QLabel*>(QString::fromLatin1(name)));
}

void MainFrameTest::lockIndicatorsBlankWhileOff_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("indicator");
    QTest::addColumn<QString>("text");
    QTest::newRow("Caps Lock") << int(Qt::Key_CapsLock) << "capsIndicator" << QStringLiteral("大写");
    QTest::newRow("Num Lock") << int(Qt::Key_NumLock) << "numIndicator" << QStringLiteral("数字");
    QTest::newRow("Scroll Lock") << int(Qt::Key_ScrollLock) << "scrollIndicator" << QStringLiteral("滚动");
}

void MainFrameTest::lockIndicatorsBlankWhileOff()
{
    QFETCH(int, key);
    QFETCH(QString, indicator);
    QFETCH(QString, text);
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        QSKIP("an X server reports the real lock state; the keys below would not turn it over");
    ScratchAppDirectory dir(TwoModelIni());
    CProgramApp app({QStringLiteral("orxprog")}, dir.path());
    QVERIFY(app.InitInstance());
    CMainFrame* frame = app.mainFrame();
    QVERIFY(QTest::qWaitForWindowExposed(frame));
    auto* label = frame->findChild<QLabel*>(indicator);
    QVERIFY(label);
    // Without a keyboard to ask, the lock is followed from the key: each press and release turns it
    // over. Which way it starts depends on the machine, so look at both states.
    auto toggle = [frame, key] {
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(frame->windowHandle(), &release);
    };
    const int paneWidth = label->minimumWidth();
    QStringList seen;
    for (int i = 0; i < 2; ++i) {
        seen << label->text();
        QCOMPARE(label->minimumWidth(), paneWidth);
        toggle();
    }
    seen.sort();
    QCOMPARE(seen, (QStringList{QString(), text}));
}

void MainFrameTest::menusCarryTheirTextsAndShortcuts()
{
    ScratchAppDirectory dir(TwoModelIni());
    CProgramApp app({QStringLiteral("orxprog")}, dir.path());
    QVERIFY(app.InitInstance());
    CMainFrame* frame = app.mainFrame();
    QStringList titles;
    for (QAction* a : frame->menuBar()->actions())
        titles << a->text();
    QCOMPARE(titles, (QStringList{QStringLiteral("文件(&F)"), QStringLiteral("编辑(E)"),
                                  QStringLiteral("编程(&P)"), QStringLiteral("端口设置(&C)"),
                                  QStringLiteral("查看(&V)"), QStringLiteral("帮助(&H)")}));
    QCOMPARE(menuTexts(topMenu(frame, QStringLiteral("文件(&F)"))),
             (QStringList{QStringLiteral("新建(&N)\tCtrl+N"), QStringLiteral("打开(&O)...\tCtrl+O"),
                          QStringLiteral("打开备份(&B)..."), QStringLiteral("保存(&S)\tCtrl+S"),
                          QStringLiteral("另存为(&A)..."), QStringLiteral("导入 CSV(&I)..."),
                          QStringLiteral("导入 CSV 到当前信道(&C)..."), QStringLiteral("导出 CSV(&E)..."),
                          QStringLiteral("打印(&P)...\tCtrl+P"), QStringLiteral("打印预览(&V)"),
                          QStringLiteral("打印设置(&R)..."), QStringLiteral("退出(&X)")}));
    QCOMPARE(menuTexts(topMenu(frame, QStringLiteral("编辑(E)"))),
             (QStringList{QStringLiteral("撤销(&U)\tCtrl+Z"), QStringLiteral("重做(&R)\tCtrl+Y"),
                          QStringLiteral("剪切(&T)\tCtrl+X"), QStringLiteral("复制(&C)\tCtrl+C"),
                          QStringLiteral("粘贴(&P)\tCtrl+V"), QStringLiteral("删除(&D)\tDel"),
                          QStringLiteral("插入空信道(&I)\tIns"), QStringLiteral("删除信道(&L)\tCtrl+Del"),
                          QStringLiteral("批量设置(&B)...\tCtrl+E"), QStringLiteral("排序(&S)"),
                          QStringLiteral("上移(&M)\tCtrl+Up"), QStringLiteral("下移(&N)\tCtrl+Down"),
                          QStringLiteral("整理空信道(&K)"), QStringLiteral("向下填充(&F)\tCtrl+D"),
                          QStringLiteral("DTMF"), QStringLiteral("侧键"), QStringLiteral("功率"),
                          QStringLiteral("收音机")}));
    QCOMPARE(
        menuTexts(topMenu(frame, QStringLiteral("编辑(E)"))->findChild<QMenu*>(QStringLiteral("sortMenu"))),
        (QStringList{QStringLiteral("按接收频率"), QStringLiteral("按名称"), QStringLiteral("按信道号"),
                     QStringLiteral("降序")}));
    QCOMPARE(menuTexts(topMenu(frame, QStringLiteral("编程(&P)"))),
             (QStringList{QStringLiteral("读数据\tCtrl+R"), QStringLiteral("写数据\tCtrl+W")}));
    QCOMPARE(menuTexts(topMenu(frame, QStringLiteral("查看(&V)"))),
             (QStringList{QStringLiteral("工具栏(&T)"), QStringLiteral("状态栏(&S)"),
                          QStringLiteral("语言 / Language")}));
    QCOMPARE(menuTexts(topMenu(frame, QStringLiteral("帮助(&H)"))),
             (QStringList{QStringLiteral("关于 ...")}));
    const QStringList ports = menuTexts(topMenu(frame, QStringLiteral("端口设置(&C)"))).mid(0, 8);
    for (int i = 0; i < 8; ++i)
        QCOMPARE(ports[i], QStringLiteral("串口%1 (COM%1)").arg(i + 1));

    // Prompts and tips.
    QCOMPARE(frame->actions().read->statusTip(), QStringLiteral("读取对讲机频率"));
    QCOMPARE(frame->actions().read->toolTip(), QStringLiteral("读频"));
    QCOMPARE(frame->actions().exit->statusTip(), QStringLiteral("退出应用程序；提示保存文档"));
}

void MainFrameTest::toolbarButtonsInOrder()
{
    ScratchAppDirectory dir(TwoModelIni());
    CProgramApp app({QStringLiteral("orxprog")}, dir.path());
    QVERIFY(app.InitInstance());
    auto* bar = app.mainFrame()->findChild<QToolBar*>(QStringLiteral("toolBar"));
    QStringList names;
    for (QAction* a : bar->actions())
        names << (a->isSeparator() ? QStringLiteral("|") : a->objectName());
    QCOMPARE(
        names,
        (QStringList{QStringLiteral("actionNew"), QStringLiteral("actionOpen"), QStringLiteral("actionSave"),
                     QStringLiteral("|"), QStringLiteral("actionRead"), QStringLiteral("actionWrite"),
                     QStringLiteral("|"), QStringLiteral("actionPrint"), QStringLiteral("actionAbout")}));
    QCOMPARE(bar->iconSize(), QSize(18, 18));
    for (QAction* a : bar->actions())
        QVERIFY(a->isSeparator() || !a->icon().isNull());
}

void MainFrameTest::portCheckMarks_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("checked"); // index of the COM item, -1 for none
    QTest::newRow("COM3 checks port 3 alone") << QByteArray("COM3") << 2;
    QTest::newRow("COM8 checks port 8") << QByteArray("COM8") << 7;
    QTest::newRow("lower-case com3 checks nothing") << QByteArray("com3") << -1;
    QTest::newRow("COM9 checks nothing") << QByteArray("COM9") << -1;
    QTest::newRow("no key checks nothing") << QByteArray() << -1;
}

void MainFrameTest::portCheckMarks()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, checked);
    ScratchAppDirectory dir(stored.isEmpty() ? TwoModelIni() : iniWithPort(stored));
    CProgramApp app({QStringLiteral("orxprog")}, dir.path());
    QVERIFY(app.InitInstance());
    // The name is kept as stored, whatever its case.
    QCOMPARE(app.context().PortName(), QString::fromLatin1(stored));
    QMenu* ports = app.mainFrame()->findChild<QMenu*>(QStringLiteral("portMenu"));
    emit ports->aboutToShow();
    for (int i = 0; i < 8; ++i) {
        QAction* a = app.mainFrame()->portAction(i);
        QCOMPARE(a->isChecked(), i == checked);
    }
    // Choosing a port moves the mark.
    app.mainFrame()->portAction(4)->trigger();
    QCOMPARE(app.context().PortName(), QStringLiteral("COM5"));
    emit ports->aboutToShow();
    QVERIFY(app.mainFrame()->portAction(4)->isChecked());
    QVERIFY(!app.mainFrame()->portAction(2)->isChecked());
}

void MainFrameTest::missingIniIsCreatedAndPortStoredAtExit()
{
    ScratchAppDirectory dir; // no Program.ini
    {
        CProgramApp app({QStringLiteral("orxprog")}, dir.path());
        QVERIFY(app.InitInstance());
        QVERIFY(QFile::exists(dir.file(QStringLiteral("Program.ini"))));
        QCOMPARE(app.context().PortName(), QString());
        app.ExitInstance();
    }
    QVERIFY(QFile::exists(dir.file(QStringLiteral("Program.ini"))));
    QCOMPARE(readIniPort(dir), QString());
    {
        CProgramApp app({QStringLiteral("orxprog")}, dir.path());
        QVERIFY(app.InitInstance());
        app.mainFrame()->portAction(3)->trigger();
        app.ExitInstance();
    }
    QCOMPARE(readIniPort(dir), QStringLiteral("COM4"));
}

void MainFrameTest::commandLineFileIsOpened()
{
    ScratchAppDirectory dir(TwoModelIni());
    orx::RadioImage img;
    img.resetToNewDocument();
    img.set(orx::map::kSquelch, 7);
    dir.writeFile(QStringLiteral("x.sin"), QByteArray(reinterpret_cast<const char*>(img.data().data()),
                                                      static_cast<qsizetype>(img.data().size())));
    CProgramApp app({QStringLiteral("orxprog"), dir.file(QStringLiteral("x.sin"))}, dir.path());
    QVERIFY(app.InitInstance());
    QCOMPARE(app.document()->image().at(orx::map::kSquelch), std::uint8_t{7});
    QCOMPARE(app.document()->pathName(), dir.file(QStringLiteral("x.sin")));
}

void MainFrameTest::commandLineFileThatCannotBeOpenedEndsStartUp()
{
    ScratchAppDirectory dir(TwoModelIni());
    dir.writeFile(QStringLiteral("short.sin"), QByteArray(100, '\xff'));
    CProgramApp app({QStringLiteral("orxprog"), dir.file(QStringLiteral("short.sin"))}, dir.path());
    QString shown;
    AnswerNextModal([&shown](QWidget* box) {
        shown = MessageBoxText(box);
        static_cast<QDialog*>(box)->accept();
    });
    QVERIFY(!app.InitInstance());
    QCOMPARE(app.exitCode(), 1);
    QVERIFY(shown.contains(QStringLiteral("short.sin")));
}

void MainFrameTest::exitAsksFirst_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("closes");
    QTest::newRow("是 closes the window") << QStringLiteral("是") << true;
    QTest::newRow("否 keeps it open") << QStringLiteral("否") << false;
}

void MainFrameTest::exitAsksFirst()
{
    QFETCH(QString, answer);
    QFETCH(bool, closes);
    ScratchAppDirectory dir(TwoModelIni());
    CProgramApp app({QStringLiteral("orxprog")}, dir.path());
    QVERIFY(app.InitInstance());
    const orx::RadioImage before = app.document()->image();
    QString text;
    AnswerNextModal([&](QWidget* dialog) {
        text = dialog->findChild<QLabel*>(QStringLiteral("exitText"))->text();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("提示"));
        QVERIFY(ClickButton(dialog, answer));
    });
    app.mainFrame()->actions().exit->trigger();
    QCOMPARE(text, QStringLiteral("退出应用程序,  所有未保存数据将会丢失,\n确认要退出."));
    QCOMPARE(app.mainFrame()->isVisible(), !closes);
    QVERIFY(app.document()->image() == before);
}

void MainFrameTest::dealerModeShowsDealerCommands()
{
    ScratchAppDirectory dir(TwoModelIni());
    CProgramApp normal({QStringLiteral("orxprog")}, dir.path());
    QVERIFY(normal.InitInstance());
    QMenu* edit = normal.mainFrame()->findChild<QMenu*>(QStringLiteral("editMenu"));
    QVERIFY(!edit->actions().contains(normal.mainFrame()->actions().serialNumber));

    CProgramApp dealer({QStringLiteral("orxprog"), QStringLiteral("--dealer")}, dir.path());
    QVERIFY(dealer.InitInstance());
    QVERIFY(dealer.dealerMode());
    edit = dealer.mainFrame()->findChild<QMenu*>(QStringLiteral("editMenu"));
    QVERIFY(edit->actions().contains(dealer.mainFrame()->actions().serialNumber));
    QVERIFY(dealer.view()->findChild<QWidget*>(QStringLiteral("factoryButton"))->isVisible());
}

void MainFrameTest::printWritesTheChannelTable()
{
    ScratchAppDirectory dir(TwoModelIni());
    CProgramApp app({QStringLiteral("orxprog")}, dir.path());
    QVERIFY(app.InitInstance());
    app.view()->grid()->SetTextMatrix(1, 1, QStringLiteral("145.12500"));
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.file(QStringLiteral("print.pdf")));
    app.view()->PrintTo(&printer);
    QFile pdf(dir.file(QStringLiteral("print.pdf")));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.size() > 1000);
    QVERIFY(pdf.read(5) == "%PDF-");
}

void MainFrameTest::importAtCurrentRowIgnoresLocations()
{
    ScratchAppDirectory dir(TwoModelIni());
    CProgramApp app({QStringLiteral("orxprog")}, dir.path());
    QVERIFY(app.InitInstance());
    dir.writeFile(QStringLiteral("list.csv"), "Location,Frequency\r\n0,145.000000\r\n1,145.025000\r\n");
    app.view()->grid()->SetRow(10);
    const int steps = app.document()->undoStack()->count();

    QString summary;
    AnswerNextModal([&](QWidget* w) {
        // The report follows the file dialog.
        AnswerNextModal([&](QWidget* report) {
            if (auto* label = report->findChild<QLabel*>(QStringLiteral("csvReportSummary")))
                summary = label->text();
            static_cast<QDialog*>(report)->accept();
        });
        w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(dir.file(QStringLiteral("list.csv")));
        QMetaObject::invokeMethod(w, "accept");
    });
    app.mainFrame()->actions().importCsvHere->trigger();
    QTRY_VERIFY(!summary.isEmpty());
    QCOMPARE(app.view()->RowTexts(10)[orx::ColRxFrequency], std::string("145.00000"));
    QCOMPARE(app.view()->RowTexts(11)[orx::ColRxFrequency], std::string("145.02500"));
    QCOMPARE(app.view()->RowTexts(1)[orx::ColRxFrequency], std::string());
    QVERIFY2(
        summary.startsWith(QStringLiteral("没有按文件的 Location 导入：各行依次导入信道 10 及其后的信道。")),
        qPrintable(summary));
    QCOMPARE(app.document()->undoStack()->count(), steps + 1);
}

void MainFrameTest::openBackupListsTheBackupsFolder()
{
    ScratchAppDirectory dir(TwoModelIni());
    CProgramApp app({QStringLiteral("orxprog")}, dir.path());
    QVERIFY(app.InitInstance());
    // A backup a read left, in a data folder of the test's own.
    QTemporaryDir data;
    const QByteArray previous = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(data.path()));
    const QString backups = orx::BackupFolder();
    orx::RadioImage radio;
    radio.resetToNewDocument();
    radio.set(0x813, 7);
    const QString backup = orx::SaveBackup(backups, orx::BackupKind::Read, radio);

    QString listed;
    AnswerNextModal([&](QWidget* w) {
        auto* dialog = qobject_cast<CBackupsDlg*>(w);
        if (!dialog || dialog->table()->rowCount() != 1) {
            static_cast<QDialog*>(w)->reject();
            return;
        }
        // The backups dialog lists the folder's backup; the user opens it.
        listed = dialog->table()->item(0, 0)->data(Qt::UserRole).toString();
        dialog->table()->selectRow(0);
        emit dialog->table()->cellDoubleClicked(0, 0);
    });
    app.mainFrame()->actions().openBackup->trigger();
    qputenv("XDG_DATA_HOME", previous);

    QVERIFY(backups.startsWith(data.path()));
    QCOMPARE(listed, QFileInfo(backup).absoluteFilePath());
    QCOMPARE(app.document()->image().at(0x813), std::uint8_t(7));
}

QTEST_MAIN(MainFrameTest)
#include "tst_main_frame.moc"
