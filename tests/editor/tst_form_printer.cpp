// The printed form: laid out for an A4 page, in Chinese and in English, every cell of both tables
// is one line (no number or header broken in the middle) and the tables fit across the page.

#include "CMSFlexGrid.h"
#include "ChannelEdit.h"
#include "FormPrinter.h"
#include "MainFrame.h"
#include "ProgramApp.h"
#include "ProgramView.h"
#include "TestSupport.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTest>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

using namespace testsupport;

class TestFormPrinter : public QObject {
    Q_OBJECT
private slots:
    void everyCellIsOneLine_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("orientation");
        QTest::newRow("Chinese, portrait") << QStringLiteral("zh") << int(QPageLayout::Portrait);
        QTest::newRow("English, portrait") << QStringLiteral("en") << int(QPageLayout::Portrait);
        QTest::newRow("English, landscape") << QStringLiteral("en") << int(QPageLayout::Landscape);
    }
    void everyCellIsOneLine()
    {
        QFETCH(QString, language);
        QFETCH(int, orientation);
        ScratchAppDirectory dir(TwoModelIni());
        CProgramApp app({QStringLiteral("orxprog"), QStringLiteral("--lang"), language}, dir.path());
        QVERIFY(app.InitInstance());
        CProgramView* view = app.view();
        // Every channel with the longest texts its columns show.
        orx::ChannelTexts channel = orx::DefaultChannelTexts("145.00000");
        channel[orx::ColTxFrequency] = "145.60000";
        channel[orx::ColRxTone] = "模拟:254.1";
        channel[orx::ColTxTone] = "数字:754I";
        channel[orx::ColName] = "MMMMMMMM";
        for (int row = 1; row <= orx::map::kChannelCount; ++row)
            view->SetRowTexts(row, channel);

        std::vector<QLabel*> labels;
        for (QLabel* label : view->findChildren<QLabel*>())
            if (label->buddy())
                labels.push_back(label);
        QVERIFY(labels.size() > 10);
        QPrinter printer;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.file(QStringLiteral("form.pdf")));
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Orientation(orientation));
        const QSizeF page = CFormPrinter::PageSize(printer);
        const CFormPrinter form(QStringLiteral("radio.sin"), labels, view->grid(), view->channelModel(),
                                view->font());
        const std::unique_ptr<QTextDocument> document = form.Document(page);
        QVERIFY(document->pageCount() > 1);
        QVERIFY2(document->size().width() <= page.width() + 0.5,
                 qPrintable(QStringLiteral("%1 > %2").arg(document->size().width()).arg(page.width())));

        int tables = 0;
        int cells = 0;
        for (QTextFrame* frame : document->rootFrame()->childFrames()) {
            auto* table = qobject_cast<QTextTable*>(frame);
            if (!table)
                continue;
            ++tables;
            for (int r = 0; r < table->rows(); ++r) {
                for (int c = 0; c < table->columns(); ++c) {
                    const QTextTableCell cell = table->cellAt(r, c);
                    const QTextBlock block = cell.firstCursorPosition().block();
                    QVERIFY2(block.layout()->lineCount() == 1,
                             qPrintable(QStringLiteral("row %1 column %2: \"%3\" in %4 lines")
                                            .arg(r)
                                            .arg(c)
                                            .arg(block.text())
                                            .arg(block.layout()->lineCount())));
                    ++cells;
                }
            }
        }
        QCOMPARE(tables, 2);
        QVERIFY(cells > orx::map::kChannelCount * orx::kGridColumnCount);
        // Printing that document writes the file.
        view->PrintTo(&printer);
        QVERIFY(QFileInfo(dir.file(QStringLiteral("form.pdf"))).size() > 1000);
    }

    // The English print preview of the window, fitted to its width; with ORX_SCREENSHOT_DIR set it
    // is saved there as print-preview-en.png.
    void englishPreviewOpens()
    {
        ScratchAppDirectory dir(TwoModelIni());
        CProgramApp app({QStringLiteral("orxprog"), QStringLiteral("--lang"), QStringLiteral("en")},
                        dir.path());
        QVERIFY(app.InitInstance());
        const char* tones[] = {"", "模拟:88.5", "数字:023N", "模拟:254.1"};
        for (int row = 1; row <= 24; ++row) {
            orx::ChannelTexts channel = orx::DefaultChannelTexts(
                QStringLiteral("%1").arg(145.0 + row * 0.0125, 0, 'f', 5).toStdString());
            channel[orx::ColTxFrequency] =
                QStringLiteral("%1").arg(145.6 + row * 0.0125, 0, 'f', 5).toStdString();
            channel[orx::ColRxTone] = tones[row % 4];
            channel[orx::ColTxTone] = tones[(row + 1) % 4];
            channel[orx::ColName] = QStringLiteral("RPT %1").arg(row).toStdString();
            app.view()->SetRowTexts(row, channel);
        }
        QImage shot;
        AnswerNextModal([&](QWidget* w) {
            w->resize(1100, 1000);
            if (auto* preview = w->findChild<QPrintPreviewWidget*>()) {
                preview->fitToWidth();
                preview->updatePreview();
            }
            QCoreApplication::processEvents();
            shot = w->grab().toImage();
            static_cast<QDialog*>(w)->reject();
        });
        app.mainFrame()->actions().printPreview->trigger();
        QVERIFY(!shot.isNull());
        const QByteArray folder = qgetenv("ORX_SCREENSHOT_DIR");
        if (!folder.isEmpty())
            QVERIFY(shot.save(QString::fromLocal8Bit(folder) + QStringLiteral("/print-preview-en.png")));
    }
};

QTEST_MAIN(TestFormPrinter)
#include "tst_form_printer.moc"
