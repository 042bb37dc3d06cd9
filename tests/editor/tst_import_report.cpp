// What the user is told about channels that did not arrive as the source gave them: the import
// report with its refused rows first and counted in the caption, its warnings, and the note a paste
// leaves when a frequency cell lies outside the band.

#include "CMSFlexGrid.h"
#include "ChannelCsv.h"
#include "ChannelEdit.h"
#include "CsvReportDlg.h"
#include "ProgramView.h"
#include "TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMessageBox>
#include <QTableWidget>
#include <QTest>

using testsupport::ViewFixture;

namespace {

QString joined(const orx::ChannelTexts& t)
{
    QStringList cells;
    for (const std::string& c : t.cells)
        cells << QString::fromStdString(c);
    return t == orx::ChannelTexts{} ? QString() : cells.join(QLatin1Char('|'));
}

QStringList tableRows(const CCsvReportDlg& dialog)
{
    const auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("csvReportTable"));
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c)
            cells << table->item(r, c)->text();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

} // namespace

class TestImportReport : public QObject {
    Q_OBJECT
private slots:
    void refusedRowsComeFirstAndAreCounted_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("firstChannel");
        QTest::addColumn<QString>("numbering"); // the summary's first line when not by Location
        QTest::newRow("a dual-band list into a VHF radio")
            << QByteArray("Location,Name,Frequency,Duplex,Offset,Power\n"
                          "1,MARINE VHF 16,156.800000,,0,Mid\n"
                          "2,UHF,446.000000,,0,High\n"
                          "3,MARINE VHF 17,156.850000,,0,Low\n"
                          "4,XBAND,145.000000,split,435.000000,High\n")
            << "导入 CSV：拒绝 2 行"
            << QStringList{"3|2|拒绝|接收频率 446.000000 不在频段 136-174 MHz 内",
                           "5|4|拒绝|发射频率 435.000000 不在频段 136-174 MHz 内",
                           "2|1|新建|名称“MARINE VHF 16”改为“MARINE V”；功率“Mid”无法判断高低，按“高”导入；"
                           "名称截短为“MARINE V”，与信道 3 同名",
                           "4|3|新建|名称“MARINE VHF 17”改为“MARINE V”；名称截短为“MARINE V”，与信道 1 同名"}
            << 0 << QString();
        QTest::newRow("nothing refused")
            << QByteArray("Location,Frequency\n1,145.007\n") << "导入 CSV"
            << QStringList{"2|1|新建|接收频率 145.007000 不在 5 / 6.25 kHz 步进上，"
                           "改为 145.00625"}
            << 0 << QString();
        QTest::newRow("DTCS without a code")
            << QByteArray("Location,Frequency,Tone,DtcsCode\n1,145.000000,DTCS,\n") << "导入 CSV：拒绝 1 行"
            << QStringList{"2|1|拒绝|DTCS 亚音没有给出数字亚音码（DtcsCode 为空）"} << 0 << QString();
        QTest::newRow("a list counted from 0")
            << QByteArray("Location,Frequency\n0,145.000000\n1,145.025000\n") << "导入 CSV"
            << QStringList{"2|1|新建|", "3|2|新建|"} << 0
            << "文件的 Location 从 0 开始编号：每一行都导入到下一个信道。";
        QTest::newRow("from channel 10")
            << QByteArray("Location,Frequency\n1,145.000000\n") << "导入 CSV" << QStringList{"2|10|新建|"}
            << 10 << "没有按文件的 Location 导入：各行依次导入信道 10 及其后的信道。";
    }
    void refusedRowsComeFirstAndAreCounted()
    {
        QFETCH(QByteArray, csv);
        QFETCH(QString, caption);
        QFETCH(QStringList, rows);
        QFETCH(int, firstChannel);
        QFETCH(QString, numbering);
        orx::CsvPlacement placement;
        placement.firstChannel = firstChannel;
        const orx::CsvImport result =
            orx::ImportChannelCsv(csv.toStdString(), orx::ChannelTable{}, orx::BandLimits{}, placement);
        CCsvReportDlg dialog(result, QStringLiteral("list.csv"));
        QCOMPARE(dialog.windowTitle(), caption);
        QCOMPARE(tableRows(dialog), rows);
        const QStringList summary =
            dialog.findChild<QLabel*>(QStringLiteral("csvReportSummary"))->text().split(QLatin1Char('\n'));
        QCOMPARE(summary.size() > 1 ? summary.constFirst() : QString(), numbering);
    }

    void pasteLeavesAnOutOfBandCellAndSaysWhy()
    {
        ViewFixture f;
        CProgramView* view = f.view;
        view->EditRow(2, orx::DefaultChannelTexts("145.00000"));
        QGuiApplication::clipboard()->setText(QStringLiteral("446.0\t146.5\n147.0\t435.0\n"));
        view->grid()->SetRow(1);
        view->grid()->SetCol(1);
        view->grid()->setFocus();
        QTest::keyClick(view->grid(), Qt::Key_V, Qt::ControlModifier);

        // Channel 1 stays empty, channel 2 takes its receive frequency and keeps its transmit one.
        QCOMPARE(joined(view->RowTexts(1)), QString());
        QCOMPARE(joined(view->RowTexts(2)), QStringLiteral("147.00000|145.00000|无|无|关|高|宽|是|关|"));
        auto* box = view->findChild<QMessageBox*>(QStringLiteral("pasteReport"));
        QVERIFY(box);
        QVERIFY(box->isVisible());
        QCOMPARE(box->text(), QStringLiteral("以下频率没有原样粘贴：\n"
                                             "信道 1 接收频率 446.0 不在频段 136-174 MHz 内，未粘贴\n"
                                             "信道 2 发射频率 435.0 不在频段 136-174 MHz 内，未粘贴"));
        box->accept();

        // A paste that lands as given says nothing.
        QGuiApplication::clipboard()->setText(QStringLiteral("150"));
        view->grid()->SetRow(5);
        QTest::keyClick(view->grid(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(joined(view->RowTexts(5)), QStringLiteral("150.00000|150.00000|无|无|关|高|宽|是|关|"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!view->findChild<QMessageBox*>(QStringLiteral("pasteReport")));
    }
};

QTEST_MAIN(TestImportReport)
#include "tst_import_report.moc"
