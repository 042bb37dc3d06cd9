// Channel data in and out of the main form through the real widgets: the grid's clipboard keys,
// Delete, undo and redo across editors, add, delete and paste (checked against the saved bytes),
// the history that a new document starts afresh, and CSV import with its report and export.

#include "CMSFlexGrid.h"
#include "ChannelCodec.h"
#include "ChannelEdit.h"
#include "CsvReportDlg.h"
#include "ProgramDoc.h"
#include "ProgramView.h"
#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStringEncoder>
#include <QTableWidget>
#include <QTest>
#include <QUndoStack>

using testsupport::AnswerNextModal;
using testsupport::ViewFixture;

namespace {

orx::ChannelTexts texts(const QString& joined)
{
    orx::ChannelTexts t;
    const QStringList cells = joined.split(QLatin1Char('|'));
    for (int i = 0; i < cells.size() && i < orx::kDataColumnCount; ++i)
        t.cells[std::size_t(i)] = cells[i].toStdString();
    return t;
}

QString joined(const orx::ChannelTexts& t)
{
    QStringList cells;
    for (const std::string& c : t.cells)
        cells << QString::fromStdString(c);
    return t == orx::ChannelTexts{} ? QString() : cells.join(QLatin1Char('|'));
}

const QString kChannel = QStringLiteral("145.00000|150.00000|模拟:67.0|数字:023N|载波|低|窄|否|两者|CALL");

} // namespace

class TestChannelExchange : public QObject {
    Q_OBJECT

    std::unique_ptr<ViewFixture> m_f;
    CProgramView* m_view = nullptr;
    CMSFlexGrid* m_grid = nullptr;

    QModelIndex index(int row, int col) const { return m_grid->model()->index(row - 1, col - 1); }
    QString rowText(int row) const { return joined(m_view->RowTexts(row)); }
    QClipboard* clipboard() const { return QGuiApplication::clipboard(); }

    void goTo(int row, int col)
    {
        m_grid->SetRow(row);
        m_grid->SetCol(col);
        m_grid->setFocus();
    }
    void clickCell(int row, int col, Qt::KeyboardModifiers mods = {})
    {
        m_grid->scrollTo(index(row, col));
        QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, mods,
                          m_grid->visualRect(index(row, col)).center());
    }
    void clickRowNumber(int row)
    {
        m_grid->scrollTo(index(row, 1));
        QHeaderView* numbers = m_grid->verticalHeader();
        const int y = numbers->sectionViewportPosition(row - 1) + numbers->sectionSize(row - 1) / 2;
        QTest::mouseClick(numbers->viewport(), Qt::LeftButton, {}, QPoint(numbers->width() / 2, y));
        m_grid->setFocus();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = {}) { QTest::keyClick(m_grid, k, mods); }
    QByteArray saved()
    {
        const QString path = m_f->appDir.file(QStringLiteral("saved.sin"));
        if (!m_f->doc->OnSaveDocument(path))
            return {};
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString writeCsv(const QString& name, const QByteArray& bytes)
    {
        m_f->appDir.writeFile(name, bytes);
        return m_f->appDir.file(name);
    }
    // Imports a file and closes its report; the report's table as "line|channel|outcome|detail" rows.
    QStringList importWithReport(const QString& path, QString* summary = nullptr)
    {
        QStringList rows;
        AnswerNextModal([&rows, summary](QWidget* dialog) {
            auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("csvReportTable"));
            if (summary)
                *summary = dialog->findChild<QLabel*>(QStringLiteral("csvReportSummary"))->text();
            for (int r = 0; table && r < table->rowCount(); ++r) {
                QStringList cells;
                for (int c = 0; c < table->columnCount(); ++c)
                    cells << table->item(r, c)->text();
                rows << cells.join(QLatin1Char('|'));
            }
            testsupport::ClickButton(dialog, QStringLiteral("确定"));
        });
        if (!m_view->ImportCsvFile(path))
            rows << QStringLiteral("import failed");
        return rows;
    }

private slots:
    void init()
    {
        m_f = std::make_unique<ViewFixture>();
        m_view = m_f->view;
        m_grid = m_view->grid();
    }
    void cleanup() { m_f.reset(); }

    void clipboardWorksInProcess()
    {
        clipboard()->setText(QStringLiteral("145.5\t低"));
        QCOMPARE(clipboard()->text(), QStringLiteral("145.5\t低"));
    }

    void wholeRowsCopyAndPasteAsTheSameChannel()
    {
        m_view->SetRowTexts(3, texts(kChannel));
        clickRowNumber(3);
        QCOMPARE(m_grid->HighLight(), int(CMSFlexGrid::HighLightWithFocus));
        key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard()->text(), QString(kChannel).replace(QLatin1Char('|'), QLatin1Char('\t')));

        clickRowNumber(7);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(rowText(7), kChannel);
        // Whole channels land from column 1 wherever the current cell is.
        goTo(9, 5);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(rowText(9), kChannel);

        const QByteArray bytes = saved();
        for (int n : {7, 9}) {
            const orx::ChannelLocation to = orx::LocateChannel(n);
            const orx::ChannelLocation from = orx::LocateChannel(3);
            QCOMPARE(bytes.mid(int(to.record), 16), bytes.mid(int(from.record), 16));
            QCOMPARE(bytes.mid(int(to.name), 8), bytes.mid(int(from.name), 8));
        }
    }

    void blockOfCellsIsCopiedAndShown()
    {
        m_view->SetRowTexts(3, texts(kChannel));
        m_view->SetRowTexts(4, orx::DefaultChannelTexts("146.00000"));
        goTo(3, 5);
        key(Qt::Key_Right, Qt::ShiftModifier);
        key(Qt::Key_Right, Qt::ShiftModifier);
        key(Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(m_grid->HighLight(), int(CMSFlexGrid::HighLightWithFocus));
        key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard()->text(), QStringLiteral("载波\t低\t窄\n关\t高\t宽"));

        // Shift+click extends the block without opening an editor.
        clickCell(3, 2);
        QVERIFY(m_view->findChild<QLineEdit*>(QStringLiteral("frequencyEdit"))->isVisible());
        clickCell(4, 4, Qt::ShiftModifier);
        QVERIFY(!m_view->findChild<QLineEdit*>(QStringLiteral("frequencyEdit"))->isVisible());
        key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(clipboard()->text(), QStringLiteral("150.00000\t模拟:67.0\t数字:023N\n146.00000\t无\t无"));
    }

    void spreadsheetTextIsPastedThroughTheEditorsRules_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QStringList>("rows"); // the rows from `row` on, afterwards
        QTest::addColumn<int>("steps");        // in the history
        QTest::newRow("two channels from a spreadsheet")
            << "145.5\t146.1\t模拟:88.5\t无\t关\t低\t窄\t否\t关\trep1\r\n"
               "999\t\t模拟:66.6\t数字:023N\tx\t高\twide\t是\t发射前\tlong name here\r\n"
            << 10 << 1 << QStringList{"145.50000|146.10000|模拟:88.5|无|关|低|窄|否|关|REP1", ""} << 1;
        QTest::newRow("tones onto an empty channel stay out")
            << "模拟:88.5\t数字:023N" << 10 << 3 << QStringList{""} << 0;
        QTest::newRow("one cell fills a selected block")
            << "低" << 20 << 6
            << QStringList{"145.00000|150.00000|模拟:67.0|数字:023N|载波|低|窄|否|两者|CALL",
                           "146.00000|146.00000|无|无|关|低|宽|是|关|"}
            << 1;
        QTest::newRow("the last channel ends the paste")
            << "150\n151\n152" << 127 << 1
            << QStringList{"150.00000|150.00000|无|无|关|高|宽|是|关|",
                           "151.00000|151.00000|无|无|关|高|宽|是|关|"}
            << 1;
    }
    void spreadsheetTextIsPastedThroughTheEditorsRules()
    {
        QFETCH(QString, text);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QStringList, rows);
        QFETCH(int, steps);
        m_view->SetRowTexts(20, texts(kChannel));
        m_view->SetRowTexts(21, orx::DefaultChannelTexts("146.00000"));
        clipboard()->setText(text);
        goTo(row, col);
        if (QTest::currentDataTag() == QByteArray("one cell fills a selected block"))
            key(Qt::Key_Down, Qt::ShiftModifier);
        key(Qt::Key_V, Qt::ControlModifier);
        for (int i = 0; i < rows.size(); ++i)
            QCOMPARE(rowText(row + i), rows[i]);
        // One paste is one step back.
        QCOMPARE(m_view->undoStack()->count(), steps);
    }

    void pastedBlockStaysSelected()
    {
        clipboard()->setText(QStringLiteral("145\t145\n146\t146"));
        goTo(5, 1);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(m_grid->selectionModel()->selectedIndexes().size(), 4);
        QCOMPARE(m_grid->Row(), 5);
        QCOMPARE(m_grid->Col(), 1);
        QCOMPARE(m_grid->HighLight(), int(CMSFlexGrid::HighLightWithFocus));
    }

    void deleteAndCutClearCellsAsTheEditorsWould()
    {
        m_view->SetRowTexts(3, texts(kChannel));
        m_view->SetRowTexts(4, texts(kChannel));
        goTo(3, 2);
        key(Qt::Key_Right, Qt::ShiftModifier);
        key(Qt::Key_Right, Qt::ShiftModifier);
        key(Qt::Key_Down, Qt::ShiftModifier);
        key(Qt::Key_Delete);
        const QString cleared = QStringLiteral("145.00000||无|无|载波|低|窄|否|两者|CALL");
        QCOMPARE(rowText(3), cleared);
        QCOMPARE(rowText(4), cleared);

        // Cutting the receive frequency takes the channel out and puts its text on the clipboard.
        goTo(4, 1);
        key(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(clipboard()->text(), QStringLiteral("145.00000"));
        QCOMPARE(rowText(4), QString());
        QCOMPARE(rowText(3), cleared);
        QCOMPARE(m_view->undoStack()->count(), 2);
    }

    void undoAndRedoAcrossEditorsAddDeleteAndPaste()
    {
        auto* freq = m_view->findChild<QLineEdit*>(QStringLiteral("frequencyEdit"));
        auto* choice = m_view->findChild<QComboBox*>(QStringLiteral("choiceList"));
        auto* name = m_view->findChild<QLineEdit*>(QStringLiteral("nameEdit"));
        auto* add = m_view->findChild<QPushButton*>(QStringLiteral("addButton"));
        auto* del = m_view->findChild<QPushButton*>(QStringLiteral("deleteButton"));
        QVERIFY(!m_view->undoAction()->isEnabled() && !m_view->redoAction()->isEnabled());

        QList<QByteArray> states{saved()};
        // A receive frequency typed into channel 1.
        goTo(1, 1);
        QTest::keyClicks(m_grid, "1");
        QTest::keyClicks(freq, "45.5");
        QTest::keyClick(freq, Qt::Key_Return);
        states << saved();
        // Power low from the choice list.
        clickCell(1, 6);
        QTest::keyClick(choice, Qt::Key_Down);
        QTest::keyClick(choice, Qt::Key_Return);
        states << saved();
        // A name.
        clickCell(1, 10);
        QTest::keyClicks(name, "rpt");
        QTest::keyClick(name, Qt::Key_Return);
        states << saved();
        // A channel added above it, so that it moves to channel 2.
        goTo(1, 1);
        add->click();
        states << saved();
        // Channel 2 copied onto channel 5.
        clickRowNumber(2);
        key(Qt::Key_C, Qt::ControlModifier);
        clickRowNumber(5);
        key(Qt::Key_V, Qt::ControlModifier);
        states << saved();
        // Channel 1 (empty) deleted: everything moves up.
        goTo(1, 1);
        del->click();
        states << saved();
        QCOMPARE(rowText(1), QStringLiteral("145.50000|145.50000|无|无|关|低|宽|是|关|RPT"));
        QCOMPARE(rowText(4), rowText(1));
        QCOMPARE(m_view->undoStack()->count(), states.size() - 1);

        // Back step by step with Ctrl+Z, the bytes of each earlier state come back.
        for (int i = int(states.size()) - 2; i >= 0; --i) {
            key(Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(saved(), states[i]);
        }
        QVERIFY(!m_view->undoAction()->isEnabled());
        QVERIFY(m_view->redoAction()->isEnabled());
        // And forward again, with both redo keys.
        for (int i = 1; i < int(states.size()); ++i) {
            key(i % 2 ? Qt::Key_Y : Qt::Key_Z,
                i % 2 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(saved(), states[i]);
        }
        QVERIFY(!m_view->redoAction()->isEnabled());

        // A new edit after an undo drops the steps that were undone.
        m_view->undoAction()->trigger();
        QCOMPARE(saved(), states[states.size() - 2]);
        goTo(60, 10);
        QTest::keyClicks(m_grid, "1");
        QTest::keyClick(m_view->findChild<QLineEdit*>(QStringLiteral("frequencyEdit")), Qt::Key_Return);
        QVERIFY(!m_view->redoAction()->isEnabled());
    }

    void undoTakesTheUserToTheChange()
    {
        m_view->EditRow(100, orx::DefaultChannelTexts("150.00000"));
        goTo(1, 4);
        m_view->Undo();
        QCOMPARE(rowText(100), QString());
        QCOMPARE(m_grid->Row(), 100);
        QCOMPARE(m_grid->Col(), 4);
    }

    void undoDropsTheValueOfAnOpenEditor()
    {
        m_view->EditRow(1, texts(kChannel));
        clickCell(1, 10);
        auto* name = m_view->findChild<QLineEdit*>(QStringLiteral("nameEdit"));
        QTest::keyClicks(name, "xyz");
        m_view->undoAction()->trigger();
        QVERIFY(!name->isVisible());
        QCOMPARE(rowText(1), QString());
        m_view->redoAction()->trigger();
        QCOMPARE(rowText(1), kChannel);
        QCOMPARE(m_view->undoStack()->count(), 1);
    }

    void editsThatChangeNothingLeaveNoStep()
    {
        m_view->EditRow(1, texts(kChannel));
        clickCell(1, 10);
        QTest::keyClick(m_view->findChild<QLineEdit*>(QStringLiteral("nameEdit")), Qt::Key_Return);
        goTo(50, 1);
        key(Qt::Key_Delete); // an empty channel
        QCOMPARE(m_view->undoStack()->count(), 1);
    }

    void anotherDocumentStartsTheHistoryAfresh_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("new") << "new";
        QTest::newRow("open") << "open";
        QTest::newRow("read from the radio") << "read";
    }
    void anotherDocumentStartsTheHistoryAfresh()
    {
        QFETCH(QString, how);
        m_view->EditRow(1, texts(kChannel));
        const QString path = m_f->appDir.file(QStringLiteral("one.sin"));
        QVERIFY(m_f->doc->OnSaveDocument(path));
        m_view->EditRow(2, texts(kChannel));
        QVERIFY(m_view->undoAction()->isEnabled());
        if (how == "new")
            QVERIFY(m_f->doc->OnNewDocument());
        else if (how == "open")
            QVERIFY(m_f->doc->OnOpenDocument(path));
        else
            m_view->ImageToView(); // what the read command does after a good read
        QCOMPARE(m_view->undoStack()->count(), 0);
        QVERIFY(!m_view->undoAction()->isEnabled());
        QVERIFY(!m_view->redoAction()->isEnabled());
    }

    void csvImportIsOneStepWithAReport()
    {
        m_view->EditRow(1, texts(kChannel));
        const QByteArray before = saved();
        const QString path = writeCsv(QStringLiteral("in.csv"),
                                      "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,Power\r\n"
                                      "1,call,145.000000,+,5.000000,,,\r\n"
                                      "2,TWO,146.520000,,,Tone,88.5,Low\r\n"
                                      "3,BAD,146.540000,,,Tone,66.6,\r\n"
                                      "200,FAR,146.560000,,,,,\r\n"
                                      "4,FAR OUT,439.000000,off,,,,\r\n");
        QString summary;
        const QStringList report = importWithReport(path, &summary);
        QCOMPARE(report, (QStringList{"4|3|拒绝|模拟亚音“66.6”不在标准亚音表中",
                                      "5||拒绝|Location“200”不是 1 到 128 的信道号",
                                      "6|4|拒绝|接收频率 439.000000 不在频段 136-174 MHz 内",
                                      "2|1|修改|接收亚音、发射亚音", "3|2|新建|"}));
        QCOMPARE(summary, QStringLiteral("“in.csv”：新建 1 个信道，修改 1 个，未变 0 个，拒绝 3 行。"));
        QCOMPARE(rowText(1), QStringLiteral("145.00000|150.00000|无|无|载波|低|窄|否|两者|CALL"));
        QCOMPARE(rowText(2), QStringLiteral("146.52000|146.52000|无|模拟:88.5|关|低|宽|是|关|TWO"));
        QCOMPARE(rowText(3), QString());
        QCOMPARE(rowText(4), QString());
        QCOMPARE(m_view->undoStack()->count(), 2);
        m_view->Undo();
        QCOMPARE(saved(), before);
    }

    void exportedFileImportsUnchanged()
    {
        m_view->EditRow(1, texts(kChannel));
        m_view->EditRow(64, texts(QStringLiteral("173.99375||数字:754I|模拟:254.1||高|宽|是|关|LAST 1")));
        m_view->EditRow(128, orx::DefaultChannelTexts("136.00625"));
        const QByteArray before = saved();
        const QString path = m_f->appDir.file(QStringLiteral("out.csv"));
        QVERIFY(m_view->ExportCsvFile(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray csv = file.readAll();
        QVERIFY(csv.startsWith("Location,Name,Frequency,"));
        QVERIFY(csv.contains(
            "\r\n64,LAST 1,173.993750,off,0.000000,Cross,254.1,88.5,023,NR,754,Tone->DTCS,FM,6.25,,"
            "High,,,,,\r\n"));
        QCOMPARE(csv.count("\r\n"), 4);

        QString summary;
        const QStringList report = importWithReport(path, &summary);
        QCOMPARE(report, (QStringList{"2|1|未变|", "3|64|未变|", "4|128|未变|"}));
        QCOMPARE(m_view->undoStack()->count(), 3);
        QCOMPARE(saved(), before);
    }

    void exportCommitsAnOpenEditor()
    {
        clickCell(1, 1);
        QTest::keyClicks(m_view->findChild<QLineEdit*>(QStringLiteral("frequencyEdit")), "145.5");
        const QString path = m_f->appDir.file(QStringLiteral("open.csv"));
        QVERIFY(m_view->ExportCsvFile(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("\r\n1,,145.500000,,"));
    }

    void gbkFileImports()
    {
        QStringEncoder gbk("GBK");
        const QString path = writeCsv(QStringLiteral("gbk.csv"),
                                      gbk.encode(QStringLiteral("Location,Name,Frequency,Comment\r\n"
                                                                "9,中继AB,145.5,中文\r\n")));
        const QStringList report = importWithReport(path);
        QCOMPARE(report, (QStringList{"2|9|新建|名称“中继AB”改为“AB”"}));
        QCOMPARE(rowText(9), QStringLiteral("145.50000|145.50000|无|无|关|高|宽|是|关|AB"));
    }

    void refusedFileShowsWhyAndChangesNothing_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("no Location column") << QByteArray("Channel,Frequency\r\n1,145\r\n")
                                            << "文件“%1”没有 Location 列，不是信道 CSV 文件，未导入。";
        QTest::newRow("open quote") << QByteArray("Location,Frequency\r\n1,\"145\r\n")
                                    << "文件“%1”第 2 行的引号没有结束，未导入。";
        QTest::newRow("empty") << QByteArray("\r\n") << "文件“%1”是空的，未导入。";
        QTest::newRow("not text") << QByteArray("\xFF\xFE"
                                                "L\0",
                                                4)
                                  << "文件“%1”不是 UTF-8 或 GBK 编码的文本，未导入。";
    }
    void refusedFileShowsWhyAndChangesNothing()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        m_view->EditRow(1, texts(kChannel));
        const QString path = writeCsv(QStringLiteral("bad.csv"), bytes);
        QString shown;
        AnswerNextModal([&shown](QWidget* box) {
            shown = testsupport::MessageBoxText(box);
            static_cast<QDialog*>(box)->accept();
        });
        QVERIFY(!m_view->ImportCsvFile(path));
        QCOMPARE(shown, message.arg(QDir::toNativeSeparators(path)));
        QCOMPARE(rowText(1), kChannel);
        QCOMPARE(m_view->undoStack()->count(), 1);
    }

    void reportTextsOfEveryRefusal()
    {
        // Every reason has its own sentence naming the field.
        for (int r = int(orx::CsvRefusal::BadLocation); r <= int(orx::CsvRefusal::NotStorable); ++r) {
            orx::CsvRowResult row;
            row.refusal = orx::CsvRefusal(r);
            row.value = "VAL";
            row.location = 7;
            row.firstLine = 3;
            const QString text = CCsvReportDlg::DetailText(row, orx::BandLimits{});
            if (row.refusal == orx::CsvRefusal::DuplicateLocation)
                QCOMPARE(text, QStringLiteral("信道 7 已由第 3 行导入"));
            else
                QVERIFY2(text.contains(QStringLiteral("VAL")), qPrintable(text));
        }
    }
};

QTEST_MAIN(TestChannelExchange)
#include "tst_channel_exchange.moc"
