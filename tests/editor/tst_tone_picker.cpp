// The tone picker through its widgets: the mode and cell it opens on, clicks and keys that choose
// or do not, and the round trip from a tone cell of the channel grid.

#include "CMSFlexGrid.h"
#include "ChannelEdit.h"
#include "ProgramView.h"
#include "TestSupport.h"
#include "ToneDlg.h"

#include <QRadioButton>
#include <QTest>

namespace {

void clickToneCell(CToneDlg& dlg, int row, int col, Qt::MouseButton button = Qt::LeftButton)
{
    CMSFlexGrid* grid = dlg.grid();
    const QModelIndex i = grid->model()->index(row, col);
    grid->scrollTo(i);
    QTest::mouseClick(grid->viewport(), button, {}, grid->visualRect(i).center());
}

bool showDialog(CToneDlg& dlg)
{
    dlg.show();
    return QTest::qWaitForWindowExposed(&dlg);
}

} // namespace

class TestTonePicker : public QObject {
    Q_OBJECT
private slots:
    void opensOnTheCellsTone_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("value");
        QTest::newRow("CTCSS 100.0 at row 12, column 0") << "模拟:100.0" << 2 << 12 << 0 << "100.0";
        QTest::newRow("last inverted code in the last cell") << "数字:754I" << 3 << 14 << 6 << "754";
        QTest::newRow("normal code") << "数字:025N" << 1 << 1 << 0 << "025";
        QTest::newRow("an unreadable text shows no list") << "abc" << 0 << -1 << -1 << "";
    }
    void opensOnTheCellsTone()
    {
        QFETCH(QString, text);
        QFETCH(int, mode);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, value);
        CToneDlg dlg(text);
        QVERIFY(showDialog(dlg));
        for (int m = 0; m < 4; ++m)
            QCOMPARE(dlg.modeButton(m)->isChecked(), m == mode);
        QCOMPARE(dlg.modeButton(mode)->property("controlId").toInt(), CToneDlg::IdNone + mode);
        QCOMPARE(dlg.grid()->isVisible(), mode != 0);
        if (mode == 0)
            return;
        QTRY_VERIFY(dlg.grid()->hasFocus());
        QCOMPARE(dlg.grid()->Row(), row);
        QCOMPARE(dlg.grid()->Col(), col);
        QCOMPARE(dlg.grid()->Text(), value);
    }

    void gridLayout()
    {
        CToneDlg dlg(QStringLiteral("数字:023N"));
        CMSFlexGrid* grid = dlg.grid();
        QCOMPARE(grid->Rows(), 15);
        QCOMPARE(grid->Cols(), 7);
        QCOMPARE(grid->ColWidth(6), 900);
        QCOMPARE(grid->palette().color(QPalette::Base), QColor(255, 192, 255));
        QCOMPARE(grid->TextMatrix(14, 6), QString("754"));
        // Switching to CTCSS empties the cells beyond its 50 tones.
        QTest::mouseClick(dlg.modeButton(2), Qt::LeftButton);
        QCOMPARE(dlg.mode(), 2);
        QCOMPARE(grid->TextMatrix(4, 3), QString("254.1"));
        QCOMPARE(grid->TextMatrix(5, 3), QString());
        for (int c = 4; c < 7; ++c)
            QCOMPARE(grid->TextMatrix(0, c), QString());
        QCOMPARE(grid->Row(), 0);
        QCOMPARE(grid->Col(), 0);
    }

    void clickChoosesAListedTone_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("result");
        QTest::newRow("254.1 at row 4, column 3")
            << "模拟:100.0" << 4 << 3 << int(Qt::LeftButton) << "模拟:254.1";
        QTest::newRow("any button chooses") << "数字:023N" << 1 << 0 << int(Qt::RightButton) << "数字:025N";
        QTest::newRow("inverted keeps its polarity")
            << "数字:754I" << 0 << 0 << int(Qt::LeftButton) << "数字:023I";
    }
    void clickChoosesAListedTone()
    {
        QFETCH(QString, text);
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(int, button);
        QFETCH(QString, result);
        CToneDlg dlg(text);
        QVERIFY(showDialog(dlg));
        clickToneCell(dlg, row, col, static_cast<Qt::MouseButton>(button));
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.toneText(), result);
    }

    void emptyCellChoosesNothing()
    {
        CToneDlg dlg(QStringLiteral("模拟:67.0"));
        QVERIFY(showDialog(dlg));
        clickToneCell(dlg, 5, 3);
        QVERIFY(dlg.isVisible());
        QTest::keyClick(dlg.grid(), Qt::Key_Return);
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.toneText(), QString("模拟:67.0"));
        QTest::keyClick(dlg.grid(), Qt::Key_Up);
        QTest::keyClick(dlg.grid(), Qt::Key_Return);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.toneText(), QString("模拟:254.1"));
    }

    void noneReturnsAtOnce_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("from CTCSS") << "模拟:67.0";
        QTest::newRow("from DCS") << "数字:023N";
        QTest::newRow("from no tone") << "无";
    }
    void noneReturnsAtOnce()
    {
        QFETCH(QString, text);
        CToneDlg dlg(text);
        QVERIFY(showDialog(dlg));
        QTest::mouseClick(dlg.modeButton(0), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.toneText(), QString("无"));
    }

    void toneCellsOfTheChannelGrid()
    {
        testsupport::ViewFixture f;
        orx::ChannelTexts t = orx::DefaultChannelTexts("145.00000");
        t[orx::ColRxTone] = "模拟:88.5";
        f.view->SetRowTexts(2, t);
        CMSFlexGrid* grid = f.view->grid();
        auto clickCell = [grid](int col) {
            const QModelIndex i = grid->model()->index(1, col - 1);
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(i).center());
        };

        testsupport::AnswerNextModal([](QWidget* w) {
            auto* dlg = qobject_cast<CToneDlg*>(w);
            QVERIFY(dlg);
            QCOMPARE(dlg->mode(), 2);
            QTest::keyClick(dlg, Qt::Key_Escape);
        });
        clickCell(orx::ColRxTone);
        QCOMPARE(grid->TextMatrix(2, orx::ColRxTone), QString("模拟:88.5"));

        testsupport::AnswerNextModal([](QWidget* w) {
            auto* dlg = qobject_cast<CToneDlg*>(w);
            QVERIFY(dlg);
            QTest::mouseClick(dlg->modeButton(3), Qt::LeftButton);
            clickToneCell(*dlg, 14, 6);
        });
        clickCell(orx::ColTxTone);
        QCOMPARE(grid->TextMatrix(2, orx::ColTxTone), QString("数字:754I"));
    }
};

QTEST_MAIN(TestTonePicker)
#include "tst_tone_picker.moc"
