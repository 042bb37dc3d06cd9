// The four feature dialogs through their widgets: what they show of the image, what typing,
// pasting, dropping and the keys do, and the bytes after OK, Cancel and closing.

#include "CMSFlexGrid.h"
#include "DtmfDlg.h"
#include "FeatureCodecs.h"
#include "FmRadioDlg.h"
#include "SerialNumberDlg.h"
#include "SideKeyDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>

#include <vector>

using Bytes = std::vector<std::uint8_t>;
Q_DECLARE_METATYPE(Bytes)

namespace {

enum class Closing { OkButton, CancelButton, Escape, CloseBox };
enum class Insert { Paste, Drop, InputMethod };

Bytes bytesAt(const orx::RadioImage& image, std::size_t offset, std::size_t length)
{
    const auto span = image.bytes(offset, length);
    return Bytes(span.begin(), span.end());
}

void put(orx::RadioImage& image, std::size_t offset, const Bytes& bytes)
{
    for (std::size_t i = 0; i < bytes.size(); ++i)
        image.set(offset + i, bytes[i]);
}

Bytes padded(const QByteArray& text, std::size_t length, std::uint8_t fill)
{
    Bytes b(text.begin(), text.end());
    b.resize(length, fill);
    return b;
}

orx::RadioImage newDocument()
{
    orx::RadioImage image;
    image.resetToNewDocument();
    return image;
}

bool showActive(QDialog& dlg)
{
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    return QTest::qWaitForWindowActive(&dlg);
}

template <class T> T* child(QWidget& dlg, const char* name)
{
    return dlg.findChild<T*>(QString::fromLatin1(name));
}

void close(QDialog& dlg, Closing how, QWidget* focus)
{
    switch (how) {
    case Closing::OkButton:
        QTest::mouseClick(child<QPushButton>(dlg, "okButton"), Qt::LeftButton);
        break;
    case Closing::CancelButton:
        QTest::mouseClick(child<QPushButton>(dlg, "cancelButton"), Qt::LeftButton);
        break;
    case Closing::Escape:
        QTest::keyClick(focus, Qt::Key_Escape);
        break;
    case Closing::CloseBox:
        dlg.close();
        break;
    }
}

// Text reaching an edit box by another way than typed keys.
void insert(QLineEdit* edit, Insert how, const QString& text)
{
    switch (how) {
    case Insert::Paste:
        QApplication::clipboard()->setText(text);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        break;
    case Insert::Drop: {
        // A drop arrives after the drag has entered and moved over the box.
        QMimeData data;
        data.setText(text);
        const QPoint end(edit->width() - 2, edit->height() / 2);
        QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &enter);
        QDragMoveEvent move(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &move);
        QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(edit, &drop);
        break;
    }
    case Insert::InputMethod: {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QApplication::sendEvent(edit, &commit);
        break;
    }
    }
}

// Posted key-downs run after the key that posted them, and may post more.
void runPostedKeys()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::sendPostedEvents();
}

} // namespace

Q_DECLARE_METATYPE(Closing)
Q_DECLARE_METATYPE(Insert)

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void texts_data();
    void texts();

    void dtmfShowsImage_data();
    void dtmfShowsImage();
    void dtmfTyping_data();
    void dtmfTyping();
    void dtmfSideToneBits_data();
    void dtmfSideToneBits();
    void dtmfClosingWithoutOk_data();
    void dtmfClosingWithoutOk();

    void sideKeysOpenAndOk_data();
    void sideKeysOpenAndOk();
    void sideKeysChoice();
    void sideKeysClosingWithoutOk_data();
    void sideKeysClosingWithoutOk();

    void fmTyped_data();
    void fmTyped();
    void fmStoredAgain_data();
    void fmStoredAgain();
    void fmKeysMoveTheCell_data();
    void fmKeysMoveTheCell();
    void fmEscapeInGridClosesDialog();
    void fmFilterCoversTheGrid();
    void fmMouse_data();
    void fmMouse();
    void fmClickElsewhereCommits_data();
    void fmClickElsewhereCommits();
    void fmClosingCommitsOpenEdit_data();
    void fmClosingCommitsOpenEdit();

    void serialTyping_data();
    void serialTyping();
    void serialOddBytesRoundTrip();
    void serialConfirmation_data();
    void serialConfirmation();
    void serialClosingWithoutOk_data();
    void serialClosingWithoutOk();

    void pastedText_data();
    void pastedText();
};

void TestDialogs::texts_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("texts"); // group boxes, labels and buttons, in any order
    QTest::newRow("DTMF") << "dtmf"
                          << "DTMF" << QStringList{"编码", "发射侧音", "接收侧音", "PTT ID", "确定", "取消"};
    QTest::newRow("side keys, second group spelt with 鍵")
        << "side"
        << "侧键" << QStringList{"侧键1", "侧鍵2", "短按", "长按", "短按", "长按", "确定", "取消"};
    QTest::newRow("FM presets") << "fm"
                                << "收音机频率" << QStringList{};
    QTest::newRow("serial number") << "serial"
                                   << "电子串号" << QStringList{"电子串号 (PCBA)", "确定", "取消"};
}

void TestDialogs::texts()
{
    QFETCH(QString, which);
    QFETCH(QString, title);
    QFETCH(QStringList, texts);
    orx::RadioImage image = newDocument();
    std::unique_ptr<QDialog> dlg;
    if (which == "dtmf")
        dlg = std::make_unique<CDtmfDlg>(image, nullptr);
    else if (which == "side")
        dlg = std::make_unique<CSideKeyDlg>(image, nullptr);
    else if (which == "fm")
        dlg = std::make_unique<CFmRadioDlg>(image, nullptr);
    else
        dlg = std::make_unique<CSerialNumberDlg>(image, nullptr);
    QCOMPARE(dlg->windowTitle(), title);
    QStringList shown;
    for (auto* g : dlg->findChildren<QGroupBox*>())
        shown << g->title();
    for (auto* l : dlg->findChildren<QLabel*>())
        shown << l->text();
    for (auto* b : dlg->findChildren<QPushButton*>())
        shown << b->text();
    shown.sort();
    texts.sort();
    QCOMPARE(shown, texts);
    if (which == "fm") {
        auto* fm = static_cast<CFmRadioDlg*>(dlg.get());
        QCOMPARE(fm->grid()->TextMatrix(0, 1), QStringLiteral("频率"));
        QCOMPARE(fm->grid()->TextMatrix(32, 0), QStringLiteral("32"));
    }
}

// --- DTMF -----------------------------------------------------------------------------------------

void TestDialogs::dtmfShowsImage_data()
{
    QTest::addColumn<QByteArray>("code");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("txItem");
    QTest::addColumn<int>("rxItem");
    QTest::addColumn<QString>("text");
    QTest::newRow("new document: both on, no code") << QByteArray(8, '\xFF') << 0xFF << 0 << 0 << "";
    QTest::newRow("code up to 0x00") << QByteArray("12#\0\0\0\0\0", 8) << 0x00 << 1 << 1 << "12#";
    QTest::newRow("code up to the first byte outside the set") << QByteArray("1E2") << 0x01 << 0 << 1 << "1";
    QTest::newRow("eight characters") << QByteArray("0123ABCD") << 0x04 << 1 << 0 << "0123ABCD";
}

void TestDialogs::dtmfShowsImage()
{
    QFETCH(QByteArray, code);
    QFETCH(int, flags);
    orx::RadioImage image = newDocument();
    put(image, orx::map::kPttIdCode, padded(code, 8, 0xFF));
    image.set(orx::map::kDtmfFlags, static_cast<std::uint8_t>(flags));
    CDtmfDlg dlg(image, nullptr);
    QTEST(child<QComboBox>(dlg, "txSideToneList")->currentIndex(), "txItem");
    QTEST(child<QComboBox>(dlg, "rxSideToneList")->currentIndex(), "rxItem");
    QTEST(child<QLineEdit>(dlg, "pttIdEdit")->text(), "text");
}

void TestDialogs::dtmfTyping_data()
{
    QTest::addColumn<QString>("keys"); // \b is Backspace
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("nothing typed: eight 0x00") << ""
                                               << "" << QByteArray(8, '\0');
    QTest::newRow("a shows and stores A") << "a"
                                          << "A" << QByteArray("A\0\0\0\0\0\0\0", 8);
    QTest::newRow("E, minus and space do nothing") << "1E- 2"
                                                   << "12" << QByteArray("12\0\0\0\0\0\0", 8);
    QTest::newRow("backspace works") << "12\b#"
                                     << "1#" << QByteArray("1#\0\0\0\0\0\0", 8);
    QTest::newRow("a ninth character cannot be entered") << "123456789"
                                                         << "12345678" << QByteArray("12345678");
}

void TestDialogs::dtmfTyping()
{
    QFETCH(QString, keys);
    QFETCH(QByteArray, stored);
    orx::RadioImage image = newDocument();
    CDtmfDlg dlg(image, nullptr);
    QVERIFY(showActive(dlg));
    auto* edit = child<QLineEdit>(dlg, "pttIdEdit");
    QTest::keyClicks(edit, keys);
    QTEST(edit->text(), "shown");
    close(dlg, Closing::OkButton, edit);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(bytesAt(image, orx::map::kPttIdCode, 8), padded(stored, 8, 0x00));
    QCOMPARE(int(image.at(orx::map::kDtmfFlags)), 0xFF);
}

void TestDialogs::dtmfSideToneBits_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("rxItem");
    QTest::addColumn<int>("txItem");
    QTest::addColumn<int>("after");
    QTest::newRow("receive off, transmit on over 0xFF: 0xFB") << 0xFF << 1 << 0 << 0xFB;
    QTest::newRow("both on over 0x00: 0x05") << 0x00 << 0 << 0 << 0x05;
    QTest::newRow("other bits stay") << 0xA0 << 0 << 1 << 0xA4;
}

void TestDialogs::dtmfSideToneBits()
{
    QFETCH(int, before);
    orx::RadioImage image = newDocument();
    image.set(orx::map::kDtmfFlags, static_cast<std::uint8_t>(before));
    CDtmfDlg dlg(image, nullptr);
    QVERIFY(showActive(dlg));
    QFETCH(int, rxItem);
    QFETCH(int, txItem);
    // The lists move with the keys, as a user would move them.
    for (auto [list, item] : {std::pair{child<QComboBox>(dlg, "rxSideToneList"), rxItem},
                              std::pair{child<QComboBox>(dlg, "txSideToneList"), txItem}}) {
        QTest::keyClick(list, Qt::Key_Home);
        for (int i = 0; i < item; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->currentIndex(), item);
    }
    close(dlg, Closing::OkButton, nullptr);
    QTEST(int(image.at(orx::map::kDtmfFlags)), "after");
}

void TestDialogs::dtmfClosingWithoutOk_data()
{
    QTest::addColumn<Closing>("how");
    QTest::newRow("Cancel") << Closing::CancelButton;
    QTest::newRow("Escape") << Closing::Escape;
    QTest::newRow("close box") << Closing::CloseBox;
}

void TestDialogs::dtmfClosingWithoutOk()
{
    QFETCH(Closing, how);
    orx::RadioImage image = newDocument();
    const orx::RadioImage before = image;
    CDtmfDlg dlg(image, nullptr);
    QVERIFY(showActive(dlg));
    auto* edit = child<QLineEdit>(dlg, "pttIdEdit");
    QTest::keyClicks(edit, "123");
    QTest::keyClick(child<QComboBox>(dlg, "rxSideToneList"), Qt::Key_Down);
    close(dlg, how, edit);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
    QVERIFY(image == before);
}

// --- Side keys ------------------------------------------------------------------------------------

void TestDialogs::sideKeysOpenAndOk_data()
{
    QTest::addColumn<int>("key1");
    QTest::addColumn<int>("key2");
    QTest::addColumn<QList<int>>("items"); // key 1 short, long, key 2 short, long; -1 empty
    QTest::addColumn<int>("key1After");
    QTest::addColumn<int>("key2After");
    QTest::newRow("new document") << 0x14 << 0x58 << QList<int>{1, 2, 3, 4} << 0x14 << 0x58;
    QTest::newRow("erased key shows empty lists, OK turns it off")
        << 0xFF << 0x58 << QList<int>{-1, -1, 3, 4} << 0x00 << 0x58;
    QTest::newRow("functions not offered show empty, OK turns them off")
        << 0x14 << 0x23 << QList<int>{1, 2, -1, -1} << 0x14 << 0x00;
    QTest::newRow("FM radio short, off long") << 0x80 << 0x08 << QList<int>{4, 0, 0, 4} << 0x80 << 0x08;
}

void TestDialogs::sideKeysOpenAndOk()
{
    QFETCH(int, key1);
    QFETCH(int, key2);
    QFETCH(QList<int>, items);
    orx::RadioImage image = newDocument();
    image.set(orx::map::kSideKey1, static_cast<std::uint8_t>(key1));
    image.set(orx::map::kSideKey2, static_cast<std::uint8_t>(key2));
    CSideKeyDlg dlg(image, nullptr);
    for (int i = 0; i < orx::kSideKeyPressCount; ++i) {
        QComboBox* list = dlg.list(static_cast<orx::SideKeyPress>(i));
        QCOMPARE(list->count(), 5);
        QCOMPARE(list->currentIndex(), items[i]);
        if (items[i] < 0)
            QCOMPARE(list->currentText(), QString());
    }
    QVERIFY(showActive(dlg));
    close(dlg, Closing::OkButton, nullptr);
    QTEST(int(image.at(orx::map::kSideKey1)), "key1After");
    QTEST(int(image.at(orx::map::kSideKey2)), "key2After");
}

void TestDialogs::sideKeysChoice()
{
    orx::RadioImage image = newDocument();
    CSideKeyDlg dlg(image, nullptr);
    QVERIFY(showActive(dlg));
    QTest::keyClick(dlg.list(orx::Key2Short), Qt::Key_Down); // 倒频 -> 收音机
    QTest::keyClick(dlg.list(orx::Key2Long), Qt::Key_Home);  // 收音机 -> 关
    QCOMPARE(dlg.list(orx::Key2Short)->currentText(), QStringLiteral("收音机"));
    close(dlg, Closing::OkButton, nullptr);
    QCOMPARE(int(image.at(orx::map::kSideKey2)), 0x80);
    QCOMPARE(int(image.at(orx::map::kSideKey1)), 0x14);
}

void TestDialogs::sideKeysClosingWithoutOk_data()
{
    dtmfClosingWithoutOk_data();
}

void TestDialogs::sideKeysClosingWithoutOk()
{
    QFETCH(Closing, how);
    orx::RadioImage image = newDocument();
    image.set(orx::map::kSideKey1, 0x23);
    CSideKeyDlg dlg(image, nullptr);
    QVERIFY(showActive(dlg));
    QTest::keyClick(dlg.list(orx::Key1Short), Qt::Key_End);
    close(dlg, how, dlg.list(orx::Key1Short));
    QVERIFY(!dlg.isVisible());
    QCOMPARE(int(image.at(orx::map::kSideKey1)), 0x23);
    QCOMPARE(int(image.at(orx::map::kSideKey2)), 0x58);
}

// --- FM presets -----------------------------------------------------------------------------------

void TestDialogs::fmTyped_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("inEdit");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<Bytes>("stored");
    QTest::newRow("50 stores 76.00") << "50"
                                     << "50"
                                     << "76.00" << Bytes{0x00, 0x00, 0x60, 0x07};
    QTest::newRow("a lone decimal point stores 76.00") << "."
                                                       << "."
                                                       << "76.00" << Bytes{0x00, 0x00, 0x60, 0x07};
    QTest::newRow("88.123 shows 88.12") << "88.123"
                                        << "88.123"
                                        << "88.12" << Bytes{0x00, 0x20, 0x81, 0x08};
    QTest::newRow("a seventh character cannot be typed") << "9999999"
                                                         << "999999"
                                                         << "108.00" << Bytes{0x00, 0x00, 0x80, 0x10};
    QTest::newRow("letters and minus cannot be typed") << "8a8-.5x"
                                                       << "88.5"
                                                       << "88.50" << Bytes{0x00, 0x00, 0x85, 0x08};
    QTest::newRow("clearing the box empties the preset") << "\b"
                                                         << ""
                                                         << "" << Bytes{0xFF, 0xFF, 0xFF, 0xFF};
}

void TestDialogs::fmTyped()
{
    QFETCH(QString, keys);
    orx::RadioImage image = newDocument();
    put(image, orx::map::kFmPresetBase, {0x00, 0x00, 0x75, 0x08}); // 87.50, selected when the box opens
    CFmRadioDlg dlg(image, nullptr);
    QVERIFY(showActive(dlg));
    QTest::keyClick(dlg.grid(), Qt::Key_Return);
    QVERIFY(dlg.edit()->isVisible());
    QCOMPARE(dlg.edit()->text(), QStringLiteral("87.50"));
    QTest::keyClicks(dlg.edit(), keys);
    QTEST(dlg.edit()->text(), "inEdit");
    QTest::keyClick(dlg.edit(), Qt::Key_Return);
    QVERIFY(!dlg.edit()->isVisible());
    QTEST(dlg.grid()->TextMatrix(1, 1), "shown");
    dlg.close();
    QTEST(bytesAt(image, orx::map::kFmPresetBase, 4), "stored");
    // The other 31 presets were empty and are written erased.
    QCOMPARE(bytesAt(image, orx::map::kFmPresetBase + 4, 124), Bytes(124, 0xFF));
}

void TestDialogs::fmStoredAgain_data()
{
    QTest::addColumn<Bytes>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<Bytes>("stored");
    QTest::newRow("top byte 0x00 shows empty and is erased")
        << Bytes{0x00, 0x50, 0x99, 0x00} << "" << Bytes{0xFF, 0xFF, 0xFF, 0xFF};
    QTest::newRow("BCD digits above 9 are stored from the shown text")
        << Bytes{0x00, 0x00, 0xA5, 0x09} << "100.50" << Bytes{0x00, 0x00, 0x05, 0x10};
    QTest::newRow("out of band is kept")
        << Bytes{0x00, 0x00, 0x50, 0x04} << "45.00" << Bytes{0x00, 0x00, 0x50, 0x04};
}

void TestDialogs::fmStoredAgain()
{
    QFETCH(Bytes, bytes);
    orx::RadioImage image = newDocument();
    put(image, orx::map::kFmPresetBase + 4 * 31, bytes); // preset 32
    CFmRadioDlg dlg(image, nullptr);
    QVERIFY(showActive(dlg));
    QTEST(dlg.grid()->TextMatrix(32, 1), "shown");
    dlg.close();
    QTEST(bytesAt(image, orx::map::kFmPresetBase + 4 * 31, 4), "stored");
}

void TestDialogs::fmKeysMoveTheCell_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("keys"); // E Enter, R Right, L Left; digits go into the open box
    QTest::addColumn<int>("rowAfter");
    QTest::newRow("Enter after a value: next row") << 5 << "E90E" << 6;
    QTest::newRow("Enter in an empty box: next row") << 5 << "EE" << 6;
    QTest::newRow("Right wraps to the next row") << 5 << "R" << 6;
    QTest::newRow("Left wraps to the previous row") << 5 << "L" << 4;
    QTest::newRow("Right stays on row 32") << 32 << "R" << 32;
    QTest::newRow("Enter after a value stays on row 32") << 32 << "E90E" << 32;
    QTest::newRow("Left stays on row 1") << 1 << "L" << 1;
}

void TestDialogs::fmKeysMoveTheCell()
{
    QFETCH(int, row);
    QFETCH(QString, keys);
    orx::RadioImage image = newDocument();
    CFmRadioDlg dlg(image, nullptr);
    QVERIFY(showActive(dlg));
    dlg.grid()->SetRow(row);
    for (QChar k : keys) {
        QWidget* target = dlg.edit()->isVisible() ? static_cast<QWidget*>(dlg.edit()) : dlg.grid();
        if (k == 'E')
            QTest::keyClick(target, Qt::Key_Return);
        else if (k == 'R')
            QTest::keyClick(target, Qt::Key_Right);
        else if (k == 'L')
            QTest::keyClick(target, Qt::Key_Left);
        else
            QTest::keyClick(target, k.toLatin1());
        runPostedKeys();
    }
    QTEST(dlg.grid()->Row(), "rowAfter");
    QCOMPARE(dlg.grid()->Col(), 1);
    QVERIFY(!dlg.edit()->isVisible());
}

void TestDialogs::fmEscapeInGridClosesDialog()
{
    // Escape closes it as it closes every dialog, keeping what was typed; the English caption fits.
    QTranslator english;
    QVERIFY(english.load(QStringLiteral(":/i18n/orxprog_en.qm")));
    QCoreApplication::installTranslator(&english);
    orx::RadioImage image = newDocument();
    CFmRadioDlg dlg(image, nullptr);
    QCoreApplication::removeTranslator(&english);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("FM Radio Presets"));
    QVERIFY(showActive(dlg));
    QFont bold = dlg.font();
    bold.setBold(true);
    QVERIFY(dlg.width() > QFontMetrics(bold).horizontalAdvance(dlg.windowTitle()));
    QTest::keyClick(dlg.grid(), Qt::Key_Escape);
    QVERIFY(!dlg.isVisible());
}

void TestDialogs::fmFilterCoversTheGrid()
{
    orx::RadioImage image = newDocument();
    CFmRadioDlg dlg(image, nullptr);
    QVERIFY(showActive(dlg));
    QSignalSpy typed(dlg.grid(), &CMSFlexGrid::KeyPress);
    QTest::keyClicks(dlg.grid(), "a-x ");
    QCOMPARE(typed.count(), 0);
    QTest::keyClicks(dlg.grid(), "5.");
    QCOMPARE(typed.count(), 2);
}

void TestDialogs::fmMouse_data()
{
    QTest::addColumn<bool>("onNumber");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("highLight");
    QTest::addColumn<bool>("editing");
    QTest::newRow("left click on a row number: highlight with focus, no edit")
        << true << Qt::LeftButton << int(CMSFlexGrid::HighLightWithFocus) << false;
    QTest::newRow("left click on a frequency: no highlight, edit over the cell")
        << false << Qt::LeftButton << int(CMSFlexGrid::HighLightNever) << true;
    // The grid moves its current cell for any button; only the left one opens the box.
    QTest::newRow("right click opens no edit")
        << false << Qt::RightButton << int(CMSFlexGrid::HighLightNever) << false;
}

void TestDialogs::fmMouse()
{
    QFETCH(bool, onNumber);
    QFETCH(Qt::MouseButton, button);
    orx::RadioImage image = newDocument();
    CFmRadioDlg dlg(image, nullptr);
    QVERIFY(showActive(dlg));
    CMSFlexGrid* grid = dlg.grid();
    constexpr int row = 3;
    const int y = grid->rowViewportPosition(row - 1) + grid->rowHeight(row - 1) / 2;
    if (onNumber)
        QTest::mouseClick(grid->verticalHeader()->viewport(), button, {}, QPoint(5, y));
    else
        QTest::mouseClick(grid->viewport(), button, {}, QPoint(grid->columnWidth(0) / 2, y));
    QTEST(grid->HighLight(), "highLight");
    QTEST(dlg.edit()->isVisible(), "editing");
    if (dlg.edit()->isVisible()) {
        // The box covers the cell as the grid draws it, inside the border and the header.
        const QPoint cellTopLeft = grid->viewport()->mapTo(
            &dlg, QPoint(grid->columnViewportPosition(0), grid->rowViewportPosition(row - 1)));
        QCOMPARE(dlg.edit()->geometry(),
                 QRect(cellTopLeft, QSize(grid->columnWidth(0), grid->rowHeight(row - 1))));
        QCOMPARE(dlg.edit()->geometry(), dlg.CellRect(row, 1));
    }
}

void TestDialogs::fmClickElsewhereCommits_data()
{
    QTest::addColumn<bool>("onNumber");
    QTest::newRow("a click on another frequency cell") << false;
    QTest::newRow("a click on a row number") << true;
}

void TestDialogs::fmClickElsewhereCommits()
{
    QFETCH(bool, onNumber);
    orx::RadioImage image = newDocument();
    CFmRadioDlg dlg(image, nullptr);
    QVERIFY(showActive(dlg));
    CMSFlexGrid* grid = dlg.grid();
    grid->SetRow(2);
    QTest::keyClick(grid, Qt::Key_Return);
    QTest::keyClicks(dlg.edit(), "90");
    const int y = grid->rowViewportPosition(4) + grid->rowHeight(4) / 2;
    if (onNumber) {
        QTest::mouseClick(grid->verticalHeader()->viewport(), Qt::LeftButton, {}, QPoint(5, y));
        QCOMPARE(grid->Row(), 5);
        QVERIFY(!dlg.edit()->isVisible());
    } else {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(grid->columnWidth(0) / 2, y));
        QVERIFY(dlg.edit()->isVisible());
        QCOMPARE(dlg.edit()->geometry(), dlg.CellRect(5, 1));
    }
    // The text goes into the cell it was typed over.
    QCOMPARE(grid->TextMatrix(2, 1), QStringLiteral("90.00"));
    QCOMPARE(grid->TextMatrix(5, 1), QString());
}

void TestDialogs::fmClosingCommitsOpenEdit_data()
{
    QTest::addColumn<Closing>("how");
    QTest::newRow("Escape in the box") << Closing::Escape;
    QTest::newRow("close box") << Closing::CloseBox;
}

void TestDialogs::fmClosingCommitsOpenEdit()
{
    QFETCH(Closing, how);
    orx::RadioImage image = newDocument();
    CFmRadioDlg dlg(image, nullptr);
    QVERIFY(showActive(dlg));
    QTest::keyClick(dlg.grid(), Qt::Key_Return);
    QTest::keyClicks(dlg.edit(), "95");
    close(dlg, how, dlg.edit());
    QVERIFY(!dlg.isVisible());
    QCOMPARE(bytesAt(image, orx::map::kFmPresetBase, 4), (Bytes{0x00, 0x00, 0x50, 0x09}));
}

// --- Serial number --------------------------------------------------------------------------------

void TestDialogs::serialTyping_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("shown");
    QTest::newRow("nothing typed keeps 0xFF") << ""
                                              << "";
    QTest::newRow("a b 1 2 shows AB12") << "ab12"
                                        << "AB12";
    QTest::newRow("space, hyphen and punctuation cannot be typed") << "A B-C.D!"
                                                                   << "ABCD";
    QTest::newRow("a seventeenth character cannot be typed") << "0123456789abcdefg"
                                                             << "0123456789ABCDEF";
}

void TestDialogs::serialTyping()
{
    QFETCH(QString, keys);
    QFETCH(QString, shown);
    orx::RadioImage image = newDocument();
    {
        CSerialNumberDlg dlg(image, nullptr);
        QVERIFY(showActive(dlg));
        auto* edit = child<QLineEdit>(dlg, "serialNumberEdit");
        QCOMPARE(edit->text(), QString());
        QTest::keyClicks(edit, keys);
        QCOMPARE(edit->text(), shown);
        close(dlg, Closing::OkButton, edit);
    }
    QCOMPARE(bytesAt(image, orx::map::kSerialNumber, 16), padded(shown.toLatin1(), 16, 0xFF));
    CSerialNumberDlg reopened(image, nullptr);
    QCOMPARE(child<QLineEdit>(reopened, "serialNumberEdit")->text(), shown);
}

void TestDialogs::serialOddBytesRoundTrip()
{
    // Bytes this dialog cannot type (a factory's, or channel 63's) show one character each, come
    // back unchanged on OK, and do not open the door to other such characters.
    orx::RadioImage image = newDocument();
    put(image, orx::map::kSerialNumber, {0x41, 0xB0, 0x25, 0x7E, 0x14});
    CSerialNumberDlg dlg(image, nullptr);
    QVERIFY(showActive(dlg));
    auto* edit = child<QLineEdit>(dlg, "serialNumberEdit");
    QCOMPARE(edit->text().size(), 5);
    QTest::keyClick(edit, Qt::Key_End); // the box opened with its text selected
    QTest::keyClicks(edit, "%z");
    insert(edit, Insert::Paste, QStringLiteral("~\u00B0"));
    close(dlg, Closing::OkButton, edit);
    QCOMPARE(bytesAt(image, orx::map::kSerialNumber, 16), padded("A\xB0%~\x14Z", 16, 0xFF));
}

void TestDialogs::serialConfirmation_data()
{
    QTest::addColumn<bool>("answer");
    QTest::newRow("no: nothing stored, the dialog stays") << false;
    QTest::newRow("yes: stored and closed") << true;
}

void TestDialogs::serialConfirmation()
{
    QFETCH(bool, answer);
    orx::RadioImage image = newDocument();
    const orx::RadioImage before = image;
    CSerialNumberDlg dlg(image, nullptr);
    int asked = 0;
    dlg.SetStoreConfirmation([&](QWidget* parent) {
        ++asked;
        // Asked before anything is stored.
        return parent == &dlg && image == before && answer;
    });
    QVERIFY(showActive(dlg));
    auto* edit = child<QLineEdit>(dlg, "serialNumberEdit");
    QTest::keyClicks(edit, "SN1");
    close(dlg, Closing::OkButton, edit);
    QCOMPARE(asked, 1);
    QCOMPARE(dlg.isVisible(), !answer);
    QCOMPARE(image == before, !answer);
}

void TestDialogs::serialClosingWithoutOk_data()
{
    dtmfClosingWithoutOk_data();
}

void TestDialogs::serialClosingWithoutOk()
{
    QFETCH(Closing, how);
    orx::RadioImage image = newDocument();
    orx::EncodeSerialNumber("AB12", image);
    const orx::RadioImage before = image;
    CSerialNumberDlg dlg(image, nullptr);
    QVERIFY(showActive(dlg));
    auto* edit = child<QLineEdit>(dlg, "serialNumberEdit");
    QTest::keyClicks(edit, "XY");
    close(dlg, how, edit);
    QVERIFY(!dlg.isVisible());
    QVERIFY(image == before);
}

// --- Text that is not typed -----------------------------------------------------------------------

void TestDialogs::pastedText_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<Insert>("how");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("DTMF paste keeps DTMF characters, upper case") << "dtmf"
                                                                  << "" << Insert::Paste << "1a-b 日#*"
                                                                  << "1AB#*";
    QTest::newRow("DTMF paste stops where the field is full") << "dtmf"
                                                              << "123456" << Insert::Paste << "abcd"
                                                              << "123456AB";
    QTest::newRow("DTMF drop filters the same way") << "dtmf"
                                                    << "" << Insert::Drop << "c-d9x"
                                                    << "CD9";
    QTest::newRow("DTMF input method brings no Chinese") << "dtmf"
                                                         << "12" << Insert::InputMethod << "日本"
                                                         << "12";
    QTest::newRow("serial paste keeps letters and digits") << "serial"
                                                           << "" << Insert::Paste << "ab-12 日本"
                                                           << "AB12";
    QTest::newRow("serial drop stops at sixteen")
        << "serial"
        << "" << Insert::Drop << QString(20, 'x') << QString(16, 'X');
    QTest::newRow("FM paste keeps digits and the point") << "fm"
                                                         << "" << Insert::Paste << "88.5MHz"
                                                         << "88.5";
    QTest::newRow("FM full-width digits are not digits") << "fm"
                                                         << "9" << Insert::InputMethod << "１２"
                                                         << "9";
    QTest::newRow("FM paste stops at six characters") << "fm"
                                                      << "" << Insert::Paste << "101.7000"
                                                      << "101.70";
}

void TestDialogs::pastedText()
{
    QFETCH(QString, which);
    QFETCH(QString, typed);
    QFETCH(Insert, how);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    orx::RadioImage image = newDocument();
    std::unique_ptr<QDialog> dlg;
    QLineEdit* edit = nullptr;
    std::size_t offset = 0;
    std::size_t size = 0;
    if (which == "dtmf") {
        dlg = std::make_unique<CDtmfDlg>(image, nullptr);
        edit = child<QLineEdit>(*dlg, "pttIdEdit");
        offset = orx::map::kPttIdCode;
        size = orx::map::kPttIdCodeSize;
    } else if (which == "serial") {
        dlg = std::make_unique<CSerialNumberDlg>(image, nullptr);
        edit = child<QLineEdit>(*dlg, "serialNumberEdit");
        offset = orx::map::kSerialNumber;
        size = orx::map::kSerialNumberSize;
    } else {
        auto fm = std::make_unique<CFmRadioDlg>(image, nullptr);
        edit = fm->edit();
        dlg = std::move(fm);
    }
    QVERIFY(showActive(*dlg));
    if (auto* fm = qobject_cast<CFmRadioDlg*>(dlg.get()))
        QTest::keyClick(fm->grid(), Qt::Key_Return);
    QTest::keyClicks(edit, typed);
    insert(edit, how, text);
    QCOMPARE(edit->text(), shown);
    if (size == 0)
        return;
    // What reaches the image is the shown text, one byte per character, never more than the field.
    close(*dlg, Closing::OkButton, edit);
    const std::uint8_t fill = which == "dtmf" ? 0x00 : 0xFF;
    QCOMPARE(bytesAt(image, offset, size), padded(shown.toLatin1(), size, fill));
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
