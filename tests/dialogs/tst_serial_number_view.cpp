// The serial number and channel 63 share 16 bytes: the form and the serial-number dialog keep the
// two apart, across a save and a reopen.

#include "ChannelCodec.h"
#include "FeatureCodecs.h"
#include "ProgramDoc.h"
#include "ProgramView.h"
#include "TestSupport.h"

#include <QLineEdit>
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
    void unsavedRow63EditIsAskedAbout();
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

void TestSerialNumberView::unsavedRow63EditIsAskedAbout()
{
    // The image holds a serial number, the grid a channel not yet saved: without the question and
    // the refreshed row, the next save would write that channel over the new serial number.
    testsupport::ViewFixture f;
    const QString path = f.appDir.file("unsaved.sin");
    orx::EncodeSerialNumber("OLD1", f.doc->image());
    f.view->ImageToView();
    f.view->SetRowTexts(kRow, channelTexts("440.00000"));
    bool asked = false;
    AnswerNextModal([&](QWidget* dlg) {
        QTest::keyClicks(serialEdit(dlg), "new2"); // replaces the text, which opens selected
        AnswerNextModal([&](QWidget* box) {
            asked = true;
            QVERIFY(ClickButton(box, "是"));
        });
        QVERIFY(ClickButton(dlg, "确定"));
    });
    f.view->OnSerialNumber();
    QVERIFY(asked);
    QVERIFY(f.view->RowTexts(kRow).empty());
    QVERIFY(f.doc->OnSaveDocument(path));
    QVERIFY(f.doc->OnOpenDocument(path));
    QCOMPARE(orx::DecodeSerialNumber(f.doc->image()), std::string("NEW2"));
    QVERIFY(f.view->RowTexts(kRow).empty());
}

QTEST_MAIN(TestSerialNumberView)
#include "tst_serial_number_view.moc"
