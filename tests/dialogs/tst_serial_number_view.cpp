// The serial number and channel 63 share 16 bytes: the form and the serial-number dialog keep the
// two apart, across a save and a reopen.

#include "CMSFlexGrid.h"
#include "ChannelCodec.h"
#include "ChannelEdit.h"
#include "FeatureCodecs.h"
#include "ProgramDoc.h"
#include "ChannelCommands.h"
#include "ProgramView.h"
#include "TestSupport.h"

#include <QLineEdit>
#include <QUndoStack>
#include <QTest>

using testsupport::AnswerNextModal;
using testsupport::ClickButton;

namespace {

constexpr int kRow = orx::map::kSerialNumberChannel;
const QString kOverwriteQuestion =
    QStringLiteral("信道 63 与电子串号共用存储空间。\n保存电子串号将覆盖信道 63 的数据，是否继续？");

orx::ChannelTexts channelTexts(const char* frequency)
{
    orx::ChannelTexts t;
    t[orx::ColRxFrequency] = frequency;
    t[orx::ColRxTone] = "无";
    t[orx::ColTxTone] = "无";
    t[orx::ColPower] = "高";
    t[orx::ColName] = "CH63";
    return t;
}

QLineEdit* serialEdit(QWidget* dialog)
{
    return dialog->findChild<QLineEdit*>(QStringLiteral("serialNumberEdit"));
}

} // namespace

class TestSerialNumberView : public QObject {
    Q_OBJECT
private slots:
    void serialNumberSurvivesSaveAndReopen();
    void textsInRow63LeaveTheSerialNumber();
    void storingOverChannel63Asks_data();
    void storingOverChannel63Asks();
    void serialRowShowsAndTakesNoChannel();
    void typingIntoTheSerialRowAsksFirst_data();
    void typingIntoTheSerialRowAsksFirst();
    void channelsMoveAroundTheSerialNumber();
};

void TestSerialNumberView::serialNumberSurvivesSaveAndReopen()
{
    testsupport::ViewFixture f;
    const QString path = f.appDir.file("serial.sin");
    // No channel in row 63: the dialog stores without asking.
    AnswerNextModal([](QWidget* dlg) {
        QTest::keyClicks(serialEdit(dlg), "sn2024a");
        QVERIFY(ClickButton(dlg, "确定"));
    });
    f.view->OnSerialNumber();
    QVERIFY(f.view->RowTexts(kRow).empty());
    QVERIFY(f.doc->OnSaveDocument(path));
    QVERIFY(f.doc->OnNewDocument());
    QVERIFY(f.doc->OnOpenDocument(path));
    QVERIFY(f.view->RowTexts(kRow).empty());
    QCOMPARE(orx::DecodeSerialNumber(f.doc->image()), std::string("SN2024A"));
    QString shown;
    AnswerNextModal([&shown](QWidget* dlg) {
        shown = serialEdit(dlg)->text();
        QVERIFY(ClickButton(dlg, "取消"));
    });
    f.view->OnSerialNumber();
    QCOMPARE(shown, QStringLiteral("SN2024A"));
}

void TestSerialNumberView::textsInRow63LeaveTheSerialNumber()
{
    // Row 63 holds no channel while its bytes hold a serial number: texts put into its cells are
    // not stored over the serial number.
    testsupport::ViewFixture f;
    const QString path = f.appDir.file("channel.sin");
    orx::EncodeSerialNumber("AB12", f.doc->image());
    f.view->ImageToView();
    QVERIFY(f.view->RowTexts(kRow).empty());
    f.view->SetRowTexts(kRow, channelTexts("436.12500"));
    QVERIFY(f.doc->OnSaveDocument(path));
    QVERIFY(f.doc->OnOpenDocument(path));
    QCOMPARE(orx::DecodeSerialNumber(f.doc->image()), std::string("AB12"));
    QVERIFY(f.view->RowTexts(kRow).empty());
}

void TestSerialNumberView::storingOverChannel63Asks_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("否 leaves channel 63 and the image as they were") << false;
    QTest::newRow("是 stores the serial number and empties row 63") << true;
}

void TestSerialNumberView::storingOverChannel63Asks()
{
    QFETCH(bool, yes);
    testsupport::ViewFixture f;
    const QString path = f.appDir.file("asked.sin");
    orx::EncodeChannel(channelTexts("145.12500"), kRow, f.doc->image());
    f.view->ImageToView();
    const orx::RadioImage before = f.doc->image();
    const orx::ChannelTexts rowBefore = f.view->RowTexts(kRow);
    QString question;
    AnswerNextModal([&](QWidget* dlg) {
        QTest::keyClicks(serialEdit(dlg), "SN7");
        AnswerNextModal([&](QWidget* box) {
            question = testsupport::MessageBoxText(box);
            QVERIFY(f.doc->image() == before); // asked before anything changes
            QVERIFY(ClickButton(box, yes ? "是" : "否"));
        });
        QVERIFY(ClickButton(dlg, "确定"));
        if (dlg->isVisible()) // after 否 the dialog is still open
            QVERIFY(ClickButton(dlg, "取消"));
    });
    f.view->OnSerialNumber();
    QCOMPARE(question, kOverwriteQuestion);
    if (!yes) {
        QVERIFY(f.doc->image() == before);
        QVERIFY(f.view->RowTexts(kRow) == rowBefore);
        return;
    }
    QVERIFY(f.view->RowTexts(kRow).empty());
    QVERIFY(f.doc->OnSaveDocument(path));
    QVERIFY(f.doc->OnOpenDocument(path));
    QVERIFY(f.view->RowTexts(kRow).empty());
    QCOMPARE(orx::DecodeSerialNumber(f.doc->image()), std::string("SN7"));
}

void TestSerialNumberView::serialRowShowsAndTakesNoChannel()
{
    testsupport::ViewFixture f;
    orx::EncodeSerialNumber("SN-001", f.doc->image());
    f.view->ImageToView();
    CMSFlexGrid* grid = f.view->grid();
    const QModelIndex label = grid->model()->index(kRow - 1, orx::ColRxFrequency - 1);
    QCOMPARE(label.data().toString(), QStringLiteral("电子串号"));
    QCOMPARE(grid->model()->index(kRow - 1, orx::ColTxFrequency - 1).data().toString(),
             QStringLiteral("SN-001"));
    QVERIFY(label.data(Qt::BackgroundRole).isValid());
    // The grid's texts of the row are those of an empty channel.
    QVERIFY(grid->TextMatrix(kRow, orx::ColRxFrequency).isEmpty());
    grid->SetTextMatrix(kRow, orx::ColName, "X");
    QVERIFY(grid->TextMatrix(kRow, orx::ColName).isEmpty());
}

void TestSerialNumberView::typingIntoTheSerialRowAsksFirst_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("click"); // a click on a cell, else a digit typed on the grid
    QTest::newRow("否 to a typed digit keeps the serial number") << false << false;
    QTest::newRow("否 to a click keeps the serial number") << false << true;
    QTest::newRow("是 to a typed digit makes row 63 a channel") << true << false;
    QTest::newRow("是 to a click makes row 63 a channel") << true << true;
}

void TestSerialNumberView::typingIntoTheSerialRowAsksFirst()
{
    QFETCH(bool, yes);
    QFETCH(bool, click);
    testsupport::ViewFixture f;
    const QString path = f.appDir.file("typed.sin");
    orx::EncodeSerialNumber("OLD1", f.doc->image());
    f.view->ImageToView();
    CMSFlexGrid* grid = f.view->grid();
    auto* freq = f.view->findChild<QLineEdit*>(QStringLiteral("frequencyEdit"));
    QString question;
    AnswerNextModal([&](QWidget* box) {
        question = testsupport::MessageBoxText(box);
        QVERIFY(ClickButton(box, yes ? "是" : "否"));
    });
    grid->setFocus();
    if (click) {
        const QModelIndex cell = grid->model()->index(kRow - 1, orx::ColPower - 1);
        grid->scrollTo(cell);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
    } else {
        grid->SetRow(kRow);
        grid->SetCol(orx::ColRxFrequency);
        QTest::keyClicks(grid, "1");
    }
    QCOMPARE(question,
             QStringLiteral("信道 63 与电子串号共用存储空间。\n在此输入信道将清除电子串号，是否继续？"));
    QCOMPARE(freq->isVisible(), yes);
    QCOMPARE(f.doc->channels().isFixed(kRow), !yes);
    if (!yes) {
        QCOMPARE(orx::DecodeSerialNumber(f.doc->image()), std::string("OLD1"));
        return;
    }
    QTest::keyClicks(freq, click ? "145.125" : "45.125");
    QTest::keyClick(freq, Qt::Key_Return);
    QCOMPARE(f.view->RowTexts(kRow)[orx::ColRxFrequency], std::string("145.12500"));
    QVERIFY(f.doc->OnSaveDocument(path));
    QVERIFY(f.doc->OnOpenDocument(path));
    QVERIFY(!orx::HoldsSerialNumber(f.doc->image()));
    QCOMPARE(f.view->RowTexts(kRow)[orx::ColRxFrequency], std::string("145.12500"));
}

void TestSerialNumberView::channelsMoveAroundTheSerialNumber()
{
    // 添加 on row 1 would push channel 62 onto row 63: it goes to row 64, and the serial number
    // stays where it is, byte for byte.
    testsupport::ViewFixture f;
    orx::RadioImage image = f.doc->image();
    for (int n = 60; n <= 64; ++n)
        orx::EncodeChannel(orx::DefaultChannelTexts(std::to_string(140 + n) + ".00000"), n, image);
    const std::vector<std::uint8_t> serial{'a', 'b', '1', '2', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    std::copy(serial.begin(), serial.end(), image.bytes(orx::map::kSerialNumber, 16).begin());
    f.doc->ReplaceImage(image);
    f.view->grid()->SetRow(1);
    f.view->channelCommands().AddChannel();
    QCOMPARE(f.view->RowTexts(62)[orx::ColRxFrequency], std::string("201.00000"));
    QCOMPARE(f.view->RowTexts(64)[orx::ColRxFrequency], std::string("202.00000"));
    QCOMPARE(f.view->RowTexts(65)[orx::ColRxFrequency], std::string("204.00000"));
    f.view->grid()->SetRow(kRow);
    f.view->channelCommands().DeleteChannel(); // on the serial number: nothing to take out
    QCOMPARE(f.view->undoStack()->count(), 1);
    const QString path = f.appDir.file("around.sin");
    QVERIFY(f.doc->OnSaveDocument(path));
    const auto saved = f.doc->image().bytes(orx::map::kSerialNumber, 16);
    QCOMPARE(std::vector<std::uint8_t>(saved.begin(), saved.end()), serial);
}

QTEST_MAIN(TestSerialNumberView)
#include "tst_serial_number_view.moc"
