// The channel line's buttons through the real widgets: "删除" and "添加" moving whole channels, and
// "出厂化默认" with and without the factory file beside the program.

#include "CMSFlexGrid.h"
#include "ChannelCodec.h"
#include "ChannelEdit.h"
#include "DecimalScale.h"
#include "ProgramDoc.h"
#include "ProgramIni.h"
#include "ProgramView.h"
#include "AppContext.h"
#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using testsupport::ViewFixture;

namespace {

// Channel n of the test table: its own frequency and name.
orx::ChannelTexts channelNumber(int n)
{
    orx::ChannelTexts t = orx::DefaultChannelTexts(orx::FormatScaled(13600000 + n * 2500, 5, 5));
    t[orx::ColName] = "N" + std::to_string(n);
    return t;
}

} // namespace

class TestChannelLine : public QObject {
    Q_OBJECT
private slots:
    void addAndDelete_data()
    {
        // Steps: 'A' or 'D' and a row. Probes: x = row, y = the channel it holds afterwards (0 = empty).
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QList<QPoint>>("probes");
        QTest::newRow("delete on 128 empties 128 only")
            << "D128" << QList<QPoint>{{1, 1}, {127, 127}, {128, 0}};
        QTest::newRow("delete on 1 moves everything up")
            << "D1" << QList<QPoint>{{1, 2}, {64, 65}, {127, 128}, {128, 0}};
        QTest::newRow("add on 128 loses its channel")
            << "A128" << QList<QPoint>{{1, 1}, {127, 127}, {128, 0}};
        QTest::newRow("add on 1 moves everything down") << "A1" << QList<QPoint>{{1, 0}, {2, 1}, {128, 127}};
        QTest::newRow("add then delete restores 1 to 127")
            << "A5 D5" << QList<QPoint>{{4, 4}, {5, 5}, {6, 6}, {127, 127}, {128, 0}};
    }
    void addAndDelete()
    {
        QFETCH(QString, steps);
        QFETCH(QList<QPoint>, probes);
        ViewFixture f;
        CMSFlexGrid* grid = f.view->grid();
        for (int n = 1; n <= 128; ++n)
            f.view->SetRowTexts(n, channelNumber(n));
        auto* del = f.view->findChild<QPushButton*>(QStringLiteral("deleteButton"));
        auto* add = f.view->findChild<QPushButton*>(QStringLiteral("addButton"));
        for (const QString& step : steps.split(QLatin1Char(' '))) {
            const int row = step.mid(1).toInt();
            grid->SetRow(row);
            grid->SetCol(orx::ColName);
            QTest::mouseClick(step.startsWith(QLatin1Char('A')) ? add : del, Qt::LeftButton);
            QCOMPARE(grid->Row(), row);
            QVERIFY(grid->hasFocus());
        }
        for (const QPoint& p : probes)
            QCOMPARE(f.view->RowTexts(p.x()), p.y() ? channelNumber(p.y()) : orx::ChannelTexts{});
        for (int n = 1; n <= 128; ++n)
            QCOMPARE(grid->TextMatrix(n, 0), QString::number(n));
    }

    void factoryFileMissing()
    {
        ViewFixture f;
        auto* button = f.view->findChild<QPushButton*>(QStringLiteral("factoryButton"));
        QVERIFY(button->isHidden());
        f.view->SetDealerMode(true);
        QVERIFY(button->isVisible());
        bool answered = false;
        testsupport::AnswerNextModal([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            QVERIFY(box);
            QCOMPARE(box->windowTitle(), QString("Prompt"));
            QCOMPARE(box->text(), QString("Can not find \"Factory default.sin\", in the\n\"%1\"")
                                      .arg(QDir::toNativeSeparators(f.appDir.path())));
            QVERIFY(box->text().endsWith(QDir::separator() + QString("\"")));
            QCOMPARE(box->icon(), QMessageBox::NoIcon);
            QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
            QCOMPARE(box->parentWidget(), f.view);
            answered = true;
            box->button(QMessageBox::Ok)->click();
        });
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(answered);
        QVERIFY(f.doc->pathName().isEmpty());
    }

    void factoryFileOpensAsTheDocument()
    {
        ViewFixture f;
        orx::RadioImage image;
        image.resetToNewDocument();
        orx::EncodeChannel(orx::DefaultChannelTexts("150.00000"), 1, image);
        f.appDir.writeFile(QStringLiteral("Factory default.sin"),
                           QByteArray(reinterpret_cast<const char*>(image.data().data()), 4096));
        f.view->SetDealerMode(true);
        QTest::mouseClick(f.view->findChild<QPushButton*>(QStringLiteral("factoryButton")), Qt::LeftButton);
        QCOMPARE(f.view->grid()->TextMatrix(1, orx::ColRxFrequency), QString("150.00000"));
        // The factory file is no file of the user's: Save asks for a name instead of writing it.
        QVERIFY(f.doc->pathName().isEmpty());
        QCOMPARE(f.doc->origin().kind, CProgramDoc::Origin::Factory);
        QCOMPARE(f.doc->origin().path,
                 QFileInfo(TestContext().AppDirectory() + "Factory default.sin").absoluteFilePath());
    }
};

QTEST_MAIN(TestChannelLine)
#include "tst_channel_line.moc"
