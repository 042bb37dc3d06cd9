// Many channels at once through the real widgets: the bulk dialog on a block with empty channels
// and the serial number's row, transmit offsets from the transmit cell's context menu, moving by
// keys and by dragging row numbers, Ctrl+D, and the very bytes orxtool writes for the same change.

#include "BulkEditDlg.h"
#include "CMSFlexGrid.h"
#include "ChannelCodec.h"
#include "ChannelDataFile.h"
#include "ChannelEdit.h"
#include "DecimalScale.h"
#include "DocumentCommands.h"
#include "FeatureCodecs.h"
#include "LeftAloneText.h"
#include "ProgramDoc.h"
#include "ChannelCommands.h"
#include "ProgramView.h"
#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <QUndoStack>

#include <numeric>

using namespace orx;
using testsupport::ViewFixture;

namespace {

ChannelTexts channelAt(const std::string& mhz, const std::string& name)
{
    ChannelTexts t = DefaultChannelTexts(mhz);
    t[ColName] = name;
    return t;
}

// An image with channels 1..40 on their own frequencies and names, hidden bits set in each record,
// an empty channel now and then, the serial number in row 63 and the band 136-174 MHz.
RadioImage testImage()
{
    RadioImage image;
    image.resetToNewDocument();
    for (int n = 1; n <= 70; ++n) {
        if (n % 7 == 3 || n == 63)
            continue;
        // Frequencies out of order, so that sorting has work to do.
        const std::uint32_t f = 13600000 + static_cast<std::uint32_t>((n * 37) % 60) * 62500;
        ChannelTexts t = channelAt(FormatScaled(f, 5, 5), "CH" + std::to_string((n * 11) % 50));
        EncodeChannel(t, n, image);
        image.set(LocateChannel(n).record + 14, static_cast<std::uint8_t>(n));
        image.set(LocateChannel(n).record + 12, static_cast<std::uint8_t>(0xA0 | (n % 4)));
    }
    const char serial[] = "SN-4711";
    for (std::size_t k = 0; k < sizeof serial - 1; ++k)
        image.set(map::kSerialNumber + k, static_cast<std::uint8_t>(serial[k]));
    image.set(map::kBandId, 0x13);
    image.set(map::kBandId + 1, 0x17);
    image.set(map::kBandId + 2, 0x64);
    return image;
}

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The first offsets where two files differ, for a readable failure.
QString differences(const QByteArray& a, const QByteArray& b)
{
    QStringList out;
    for (qsizetype i = 0; i < std::max(a.size(), b.size()) && out.size() < 6; ++i) {
        const auto at = [i](const QByteArray& x) { return i < x.size() ? quint8(x[i]) : 0x100; };
        if (at(a) != at(b))
            out << QStringLiteral("0x%1: %2/%3")
                       .arg(i, 3, 16, QChar('0'))
                       .arg(at(a), 2, 16, QChar('0'))
                       .arg(at(b), 2, 16, QChar('0'));
    }
    return out.join(QStringLiteral(", "));
}

} // namespace

class TestBulkEdit : public QObject {
    Q_OBJECT

    std::unique_ptr<ViewFixture> m_f;
    CProgramView* m_view = nullptr;
    CMSFlexGrid* m_grid = nullptr;

    QPoint rowNumberPos(int row)
    {
        m_grid->scrollTo(m_grid->model()->index(row - 1, 0));
        QHeaderView* h = m_grid->verticalHeader();
        return {h->width() / 2, h->sectionViewportPosition(row - 1) + h->sectionSize(row - 1) / 2};
    }
    void clickRowNumber(int row, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::mouseClick(m_grid->verticalHeader()->viewport(), Qt::LeftButton, mods, rowNumberPos(row));
    }
    void selectRowsByNumbers(int top, int bottom)
    {
        clickRowNumber(top);
        clickRowNumber(bottom, Qt::ShiftModifier);
        m_grid->setFocus();
    }
    // Ctrl held from the press on row from to the release on row to, as a Ctrl+drag on the numbers.
    void ctrlDragRowNumbers(int from, int to)
    {
        QWidget* numbers = m_grid->verticalHeader()->viewport();
        rowNumberPos(to); // both rows in sight before either position is taken
        const QPoint start = rowNumberPos(from);
        const QPoint end = rowNumberPos(to);
        QTest::mousePress(numbers, Qt::LeftButton, Qt::ControlModifier, start);
        QMouseEvent move(QEvent::MouseMove, QPointF(end), numbers->mapToGlobal(QPointF(end)), Qt::NoButton,
                         Qt::LeftButton, Qt::ControlModifier);
        QApplication::sendEvent(numbers, &move);
        QTest::mouseRelease(numbers, Qt::LeftButton, Qt::ControlModifier, end);
    }
    // Rows 4-6 and 9-10, selected as a user does: a click, Shift+click, then a Ctrl+drag.
    void selectTwoRuns(int top, int bottom, int top2, int bottom2)
    {
        clickRowNumber(top);
        clickRowNumber(bottom, Qt::ShiftModifier);
        ctrlDragRowNumbers(top2, bottom2);
        m_grid->setFocus();
    }
    QList<int> selectedRowNumbers() const
    {
        QList<int> rows;
        for (const QModelIndex& i : m_grid->selectionModel()->selectedRows())
            rows << i.row() + 1;
        std::sort(rows.begin(), rows.end());
        return rows;
    }
    QPoint cellPos(int row, int col)
    {
        m_grid->scrollTo(m_grid->model()->index(row - 1, col - 1));
        return m_grid->visualRect(m_grid->model()->index(row - 1, col - 1)).center();
    }
    // A right click on a cell, as the window system delivers it: the press, then the menu request.
    QMenu* rightClickCell(int row, int col)
    {
        const QPoint pos = cellPos(row, col);
        QWidget* viewport = m_grid->viewport();
        QTest::mousePress(viewport, Qt::RightButton, Qt::NoModifier, pos);
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, viewport->mapToGlobal(pos));
        QApplication::sendEvent(viewport, &event);
        QTest::mouseRelease(viewport, Qt::RightButton, Qt::NoModifier, pos);
        for (QMenu* menu : m_view->findChildren<QMenu*>(QStringLiteral("gridMenu"))) {
            if (menu->isVisible())
                return menu;
        }
        return nullptr;
    }
    static QAction* actionNamed(QMenu* menu, const QString& text)
    {
        for (QAction* a : menu->actions()) {
            if (a->text() == text)
                return a;
        }
        return nullptr;
    }
    void loadTestImage()
    {
        m_f->doc->ReplaceImage(testImage());
        QVERIFY(m_f->doc->channels().isFixed(63));
        QCOMPARE(m_view->bandLimits().upper, 17400000u);
    }
    // Fills the bulk dialog: power low and transmit = receive - 0.6 MHz, through its widgets.
    static void answerPowerLowMinus06(QWidget* modal)
    {
        auto* dialog = qobject_cast<CBulkEditDlg*>(modal);
        QVERIFY(dialog);
        QTest::mouseClick(dialog->checkBox(CBulkEditDlg::LinePower), Qt::LeftButton, {},
                          QPoint(5, dialog->checkBox(CBulkEditDlg::LinePower)->height() / 2));
        QComboBox* power = dialog->choiceList(CBulkEditDlg::LinePower);
        QTest::keyClick(power, Qt::Key_Down);
        QCOMPARE(power->currentText(), QStringLiteral("低"));
        QTest::mouseClick(dialog->checkBox(CBulkEditDlg::LineOffset), Qt::LeftButton, {},
                          QPoint(5, dialog->checkBox(CBulkEditDlg::LineOffset)->height() / 2));
        QComboBox* duplex = dialog->duplexList();
        QTest::keyClick(duplex, Qt::Key_Down);
        QTest::keyClick(duplex, Qt::Key_Down);
        QCOMPARE(duplex->currentText(), QStringLiteral("-"));
        QLineEdit* offset = dialog->offsetField()->lineEdit();
        offset->selectAll();
        QTest::keyClicks(offset, QStringLiteral("0.6"));
        QVERIFY(dialog->okButton()->isEnabled());
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
    }

private slots:
    void init()
    {
        m_f = std::make_unique<ViewFixture>();
        m_view = m_f->view;
        m_grid = m_view->grid();
    }
    void cleanup() { m_f.reset(); }

    void bulkOnBlockWithEmptyChannelsAndSerialNumber()
    {
        loadTestImage();
        const QString beforePath = m_f->appDir.file(QStringLiteral("before.sin"));
        QVERIFY(m_f->doc->OnSaveDocument(beforePath));
        const RadioImage before = m_f->doc->ScreenImage();
        const ChannelEntryTable table = m_f->doc->channels();
        selectRowsByNumbers(58, 68);
        const int steps = m_view->undoStack()->index();

        testsupport::AnswerNextModal(answerPowerLowMinus06);
        QTest::keyClick(m_grid, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(m_view->undoStack()->index(), steps + 1);

        const RadioImage after = m_f->doc->ScreenImage();
        for (int n = 1; n <= 128; ++n) {
            const ChannelLocation at = LocateChannel(n);
            const bool inBlock = n >= 58 && n <= 68;
            const bool channel = !table.isFixed(n) && !table.texts(n).empty();
            if (!inBlock || !channel) {
                // Outside the block, the empty channels and the serial number: every byte as it was.
                for (std::size_t k = 0; k < 16; ++k)
                    QCOMPARE(after.at(at.record + k), before.at(at.record + k));
                continue;
            }
            const ChannelTexts& t = m_view->RowTexts(n);
            const std::uint32_t rx = FrequencyFromEntry(t[ColRxFrequency], m_view->bandLimits());
            if (ComputedFrequencyProblem(std::int64_t(rx) - 60000, m_view->bandLimits())) {
                // Below the band: the channel is left as it was, power too.
                QCOMPARE(t, table.texts(n));
                continue;
            }
            QCOMPARE(t[ColPower], std::string("低"));
            const std::uint32_t expected = FrequencyFromUnits(std::int64_t(rx) - 60000, m_view->bandLimits());
            QCOMPARE(t[ColTxFrequency], FormatScaled(expected, 5, 5));
            // The bits no column shows stay with the channel.
            QCOMPARE(after.at(at.record + 14), before.at(at.record + 14));
            QCOMPARE(after.at(at.record + 12) & 0xFC, before.at(at.record + 12) & 0xFC);
        }
        QVERIFY(m_f->doc->channels().isFixed(63));
        // The channels left below the band are named in a message, which the user closes first.
        auto* leftAlone = m_view->findChild<QMessageBox*>(QStringLiteral("leftAloneMessage"));
        QVERIFY(leftAlone && leftAlone->isVisible());
        leftAlone->accept();

        // One undo gives back the saved bytes exactly. (The offscreen platform gives the window no
        // activation back when the dialog closes, as a desktop does.)
        QApplication::setActiveWindow(m_f->window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_f->window.get()));
        QTest::keyClick(m_grid, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_view->undoStack()->index(), steps);
        const QString undonePath = m_f->appDir.file(QStringLiteral("undone.sin"));
        QVERIFY(m_f->doc->OnSaveDocument(undonePath));
        QCOMPARE(differences(fileBytes(undonePath), fileBytes(beforePath)), QString());
    }

    void bulkDialogRefusesBadEntries()
    {
        CBulkEditDlg dialog(5, 60000, m_view);
        dialog.show();
        // Nothing checked: nothing to do, and the lines are locked.
        QVERIFY(!dialog.okButton()->isEnabled());
        QVERIFY(!dialog.choiceList(CBulkEditDlg::LinePower)->isEnabled());
        dialog.checkBox(CBulkEditDlg::LineOffset)->click();
        QVERIFY(dialog.okButton()->isEnabled()); // "同频" needs no offset
        dialog.duplexList()->setCurrentIndex(CBulkEditDlg::ChoicePlus);
        QLineEdit* offset = dialog.offsetField()->lineEdit();
        offset->clear();
        QTest::keyClicks(offset, QStringLiteral("."));
        QVERIFY(!dialog.okButton()->isEnabled());
        offset->clear();
        QTest::keyClicks(offset, QStringLiteral("5"));
        QVERIFY(dialog.okButton()->isEnabled());
        QCOMPARE(dialog.change().offset, (OffsetChoice{Duplex::Plus, 500000}));
        dialog.checkBox(CBulkEditDlg::LineNamePrefix)->click();
        // The name editor's rule: capitals, and nothing a name cannot store.
        QTest::keyClicks(dialog.namePrefixEdit(), QStringLiteral("r_"));
        QCOMPARE(dialog.namePrefixEdit()->text(), QStringLiteral("R"));
        QVERIFY(dialog.okButton()->isEnabled());
        QCOMPARE(dialog.change().namePrefix, std::optional<std::string>("R"));
    }

    void cancelledBulkLeavesNoStep()
    {
        loadTestImage();
        selectRowsByNumbers(1, 5);
        testsupport::AnswerNextModal([](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
        const int steps = m_view->undoStack()->index();
        const ChannelEntryTable before = m_f->doc->channels();
        QTest::keyClick(m_grid, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(m_view->undoStack()->index(), steps);
        QCOMPARE(m_f->doc->channels(), before);
    }

    void offsetsFromTransmitCell_data()
    {
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("tx");
        QTest::newRow("-0.6") << "145.00000"
                              << "-0.6 MHz"
                              << "144.40000";
        QTest::newRow("+5") << "145.00000"
                            << "+5 MHz"
                            << "150.00000";
        QTest::newRow("+0.6 past the upper edge leaves it") << "173.80000"
                                                            << "+0.6 MHz"
                                                            << "160.00000";
        QTest::newRow("-5 past the lower edge leaves it") << "138.00000"
                                                          << "-5 MHz"
                                                          << "160.00000";
        QTest::newRow("simplex") << "150.01250"
                                 << "同频"
                                 << "150.01250";
    }
    void offsetsFromTransmitCell()
    {
        QFETCH(QString, rx);
        QFETCH(QString, item);
        QFETCH(QString, tx);
        ChannelTexts t = channelAt(rx.toStdString(), "R");
        t[ColTxFrequency] = "160.00000";
        m_view->SetRowTexts(3, t);
        m_view->SetRowTexts(4, t);
        // Two rows selected in the transmit column: both follow.
        m_grid->SetRow(3);
        m_grid->SetCol(ColTxFrequency);
        m_grid->setFocus();
        QTest::keyClick(m_grid, Qt::Key_Down, Qt::ShiftModifier);
        QMenu* menu = rightClickCell(4, ColTxFrequency);
        QVERIFY(menu);
        auto* offsets = menu->findChild<QMenu*>(QStringLiteral("offsetMenu"));
        QVERIFY(offsets);
        QAction* choice = actionNamed(offsets, item);
        QVERIFY2(choice, qPrintable(item));
        choice->trigger();
        menu->close();
        for (int row : {3, 4})
            QCOMPARE(QString::fromStdString(m_view->RowTexts(row)[ColTxFrequency]), tx);
        QCOMPARE(m_view->RowTexts(5), ChannelTexts{});
    }

    // An offset past the band's upper edge leaves that channel as it was, never clamped, and says
    // so in one message naming it; the other channel changes, as one step of the history.
    void offsetPastTheBandIsReported()
    {
        m_view->SetRowTexts(5, channelAt("150.00000", "A"));
        m_view->SetRowTexts(6, channelAt("172.00000", "B"));
        const ChannelTexts before6 = m_view->RowTexts(6);
        const int steps = m_view->undoStack()->index();
        m_grid->SetRow(5);
        m_grid->SetCol(ColTxFrequency);
        m_grid->setFocus();
        QTest::keyClick(m_grid, Qt::Key_Down, Qt::ShiftModifier);
        QMenu* menu = rightClickCell(6, ColTxFrequency);
        QVERIFY(menu);
        QAction* plus5 = actionNamed(menu->findChild<QMenu*>(QStringLiteral("offsetMenu")), "+5 MHz");
        QVERIFY(plus5);
        plus5->trigger();
        menu->close();

        QCOMPARE(m_view->RowTexts(5)[ColTxFrequency], std::string("155.00000"));
        QCOMPARE(m_view->RowTexts(6), before6);
        QCOMPARE(m_view->undoStack()->index(), steps + 1);
        auto* box = m_view->findChild<QMessageBox*>(QStringLiteral("leftAloneMessage"));
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->text(), res::LeftAloneMessage({{6, LeftAloneReason::AboveBand}}, m_view->bandLimits()));
        box->accept();
        m_view->Undo();
        QCOMPARE(m_view->RowTexts(5)[ColTxFrequency], std::string("150.00000"));
    }

    void offsetIsRemembered()
    {
        m_view->SetRowTexts(1, channelAt("145.00000", "A"));
        m_grid->SetRow(1);
        m_view->channelCommands().SetTransmitOffset({Duplex::Minus, 760000});
        QCOMPARE(m_view->RowTexts(1)[ColTxFrequency], std::string("137.40000"));
        QMenu* menu = m_view->CreateGridMenu(ColTxFrequency, m_view);
        auto* offsets = menu->findChild<QMenu*>(QStringLiteral("offsetMenu"));
        // The offset last used comes first after "同频", then 0.6 and 5.
        QCOMPARE(offsets->actions().at(1)->text(), QStringLiteral("+7.6 MHz"));
        QVERIFY(actionNamed(offsets, QStringLiteral("-0.6 MHz")));
        QVERIFY(actionNamed(offsets, QStringLiteral("+5 MHz")));
        QVERIFY(actionNamed(offsets, QStringLiteral("单独设置")));
        delete menu;
    }

    void contextMenuItems()
    {
        QMenu* menu = rightClickCell(2, ColName);
        QVERIFY(menu);
        QStringList texts;
        for (QAction* a : menu->actions()) {
            if (a->isSeparator())
                continue;
            QString text = a->text();
            text.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
            texts << text;
            if (!a->menu() && text != QStringLiteral("整理空信道"))
                QVERIFY2(!a->shortcut().isEmpty(), qPrintable(text));
        }
        for (const char* wanted : {"剪切", "复制", "粘贴", "删除", "插入空信道", "删除信道", "批量设置...",
                                   "排序", "上移", "下移"})
            QVERIFY2(texts.contains(QString::fromUtf8(wanted)), wanted);
        QVERIFY(!menu->findChild<QMenu*>(QStringLiteral("offsetMenu")));
        menu->close();
        // A right click opens no editor and leaves the highlight alone.
        QVERIFY(!m_view->findChild<QLineEdit*>(QStringLiteral("nameEdit"))->isVisible());
    }

    void moveWithKeys_data()
    {
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("bottom");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("times");
        QTest::addColumn<int>("newTop");
        QTest::addColumn<int>("newBottom");
        QTest::newRow("down twice") << 10 << 11 << int(Qt::Key_Down) << 2 << 12 << 13;
        QTest::newRow("up at the top stops") << 1 << 2 << int(Qt::Key_Up) << 1 << 1 << 2;
        QTest::newRow("down past the serial number") << 61 << 62 << int(Qt::Key_Down) << 1 << 62 << 64;
        QTest::newRow("up past the serial number") << 64 << 64 << int(Qt::Key_Up) << 1 << 62 << 62;
    }
    void moveWithKeys()
    {
        QFETCH(int, top);
        QFETCH(int, bottom);
        QFETCH(int, key);
        QFETCH(int, times);
        QFETCH(int, newTop);
        QFETCH(int, newBottom);
        loadTestImage();
        const ChannelEntryTable before = m_f->doc->channels();
        selectRowsByNumbers(top, bottom);
        for (int i = 0; i < times; ++i)
            QTest::keyClick(m_grid, Qt::Key(key), Qt::ControlModifier);
        // The moved channels are selected where they went, whole and with their bytes.
        const QModelIndexList rows = m_grid->selectionModel()->selectedRows();
        QCOMPARE(rows.size(), newBottom - newTop + 1);
        QCOMPARE(rows.front().row() + 1, newTop);
        const std::vector<int> from = before.rowsFrom(top);
        const std::vector<int> to = before.rowsFrom(newTop);
        for (std::size_t i = 0; i < from.size() && from[i] <= bottom; ++i)
            QCOMPARE(m_f->doc->channels().entry(to[i]), before.entry(from[i]));
        QVERIFY(m_f->doc->channels().isFixed(63));
        // However many steps it took, undoing them gives back the table.
        while (m_view->undoStack()->canUndo())
            m_view->Undo();
        QCOMPARE(m_f->doc->channels(), before);
    }

    void dragRowNumbers()
    {
        loadTestImage();
        const ChannelEntryTable before = m_f->doc->channels();
        selectRowsByNumbers(4, 5);
        QWidget* numbers = m_grid->verticalHeader()->viewport();
        const QPoint from = rowNumberPos(4);
        const QPoint to = rowNumberPos(9);
        QTest::mousePress(numbers, Qt::LeftButton, Qt::NoModifier, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), numbers->mapToGlobal(QPointF(to)), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(numbers, &move);
        QCOMPARE(m_grid->DropRow(), 9);
        QTest::mouseRelease(numbers, Qt::LeftButton, Qt::NoModifier, to);
        // The block's last channel lands on row 9; rows 6..9 close up above it.
        QCOMPARE(m_f->doc->channels().entry(8), before.entry(4));
        QCOMPARE(m_f->doc->channels().entry(9), before.entry(5));
        QCOMPARE(m_f->doc->channels().entry(4), before.entry(6));
        QCOMPARE(m_f->doc->channels().entry(7), before.entry(9));
        QCOMPARE(m_grid->selectionModel()->selectedRows().size(), 2);
        m_view->Undo();
        QCOMPARE(m_f->doc->channels(), before);

        // A click on a selected number without a drag selects that row alone, as before.
        selectRowsByNumbers(4, 6);
        clickRowNumber(5);
        QCOMPARE(m_grid->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(m_grid->Row(), 5);
        QCOMPARE(m_grid->HighLight(), int(CMSFlexGrid::HighLightWithFocus));
        QCOMPARE(m_f->doc->channels(), before);
    }

    void ctrlSelectsSeparateRuns()
    {
        loadTestImage();
        clickRowNumber(3);
        clickRowNumber(5, Qt::ShiftModifier);
        clickRowNumber(10, Qt::ControlModifier);
        QCOMPARE(selectedRowNumbers(), (QList<int>{3, 4, 5, 10}));
        QCOMPARE(m_grid->Row(), 10);
        // Shift extends the run begun by the last Ctrl+click; the first run stays.
        clickRowNumber(12, Qt::ShiftModifier);
        QCOMPARE(selectedRowNumbers(), (QList<int>{3, 4, 5, 10, 11, 12}));
        ctrlDragRowNumbers(20, 22);
        QCOMPARE(selectedRowNumbers(), (QList<int>{3, 4, 5, 10, 11, 12, 20, 21, 22}));
        // Ctrl+click on a selected number takes that row out; a Ctrl+drag from there takes out more.
        clickRowNumber(4, Qt::ControlModifier);
        ctrlDragRowNumbers(21, 22);
        QCOMPARE(selectedRowNumbers(), (QList<int>{3, 5, 10, 11, 12, 20}));
        QVERIFY(m_grid->RowSelectionSplit());
        QVERIFY(m_grid->SelectionShown());
        QCOMPARE(m_f->doc->channels(), ChannelEntryTable::FromImage(testImage()));

        // A plain press on a selected number selects that row alone and drags nothing.
        clickRowNumber(11);
        QCOMPARE(selectedRowNumbers(), (QList<int>{11}));
        // A block of cells gives way to the row Ctrl+clicked; a click on a cell starts a new block.
        m_grid->SetRow(30);
        m_grid->SetCol(ColName);
        m_grid->setFocus();
        QTest::keyClick(m_grid, Qt::Key_Down, Qt::ShiftModifier);
        clickRowNumber(40, Qt::ControlModifier);
        QCOMPARE(selectedRowNumbers(), (QList<int>{40}));
        QCOMPARE(m_grid->selectionModel()->selectedIndexes().size(), orx::kDataColumnCount);
        clickRowNumber(42, Qt::ControlModifier);
        QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, Qt::NoModifier, cellPos(44, ColPower));
        QCOMPARE(m_grid->selectionModel()->selectedIndexes().size(), 1);
        QVERIFY(!m_grid->RowSelectionSplit());
    }

    void bulkOnTwoRuns()
    {
        loadTestImage();
        const QString beforePath = m_f->appDir.file(QStringLiteral("before.sin"));
        QVERIFY(m_f->doc->OnSaveDocument(beforePath));
        const RadioImage before = m_f->doc->ScreenImage();
        const ChannelEntryTable table = m_f->doc->channels();
        // 58-59 and 62-66: empty channels (59, 66) and the serial number (63) among them, 60-61
        // between the runs.
        selectTwoRuns(58, 59, 62, 66);
        const int steps = m_view->undoStack()->index();
        testsupport::AnswerNextModal(answerPowerLowMinus06);
        QTest::keyClick(m_grid, Qt::Key_E, Qt::ControlModifier);
        QCOMPARE(m_view->undoStack()->index(), steps + 1);

        const RadioImage after = m_f->doc->ScreenImage();
        for (int n = 1; n <= 128; ++n) {
            const ChannelLocation at = LocateChannel(n);
            const bool selected = (n >= 58 && n <= 59) || (n >= 62 && n <= 66);
            if (!selected || table.isFixed(n) || table.texts(n).empty()) {
                for (std::size_t k = 0; k < 16; ++k)
                    QCOMPARE(after.at(at.record + k), before.at(at.record + k));
                continue;
            }
            QCOMPARE(m_view->RowTexts(n)[ColPower], std::string("低"));
            QCOMPARE(after.at(at.record + 14), before.at(at.record + 14));
        }
        for (std::size_t k = 0; k < 16; ++k)
            QCOMPARE(after.at(map::kSerialNumber + k), before.at(map::kSerialNumber + k));

        QApplication::setActiveWindow(m_f->window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_f->window.get()));
        QTest::keyClick(m_grid, Qt::Key_Z, Qt::ControlModifier);
        const QString undonePath = m_f->appDir.file(QStringLiteral("undone.sin"));
        QVERIFY(m_f->doc->OnSaveDocument(undonePath));
        QCOMPARE(differences(fileBytes(undonePath), fileBytes(beforePath)), QString());
    }

    // Row commands on rows 4-6 and 9-10 (channel 10 is empty), each one step that one undo takes
    // back to the saved bytes.
    void rowCommandsOnRuns_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QList<int>>("selectedAfter");
        QTest::newRow("删除") << "clear" << int(Qt::Key_Delete) << int(Qt::NoModifier)
                              << QList<int>{4, 5, 6, 9, 10};
        QTest::newRow("剪切") << "clear" << int(Qt::Key_X) << int(Qt::ControlModifier)
                              << QList<int>{4, 5, 6, 9, 10};
        QTest::newRow("删除信道") << "remove" << int(Qt::Key_Delete) << int(Qt::ControlModifier)
                                  << QList<int>{4, 5, 6, 9, 10};
        QTest::newRow("上移") << "up" << int(Qt::Key_Up) << int(Qt::ControlModifier)
                              << QList<int>{3, 4, 5, 8, 9};
        QTest::newRow("下移") << "down" << int(Qt::Key_Down) << int(Qt::ControlModifier)
                              << QList<int>{5, 6, 7, 10, 11};
        QTest::newRow("排序") << "sort" << 0 << 0 << QList<int>{4, 5, 6, 9, 10};
    }
    void rowCommandsOnRuns()
    {
        QFETCH(QString, command);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(QList<int>, selectedAfter);
        loadTestImage();
        const QString beforePath = m_f->appDir.file(QStringLiteral("before.sin"));
        QVERIFY(m_f->doc->OnSaveDocument(beforePath));
        const ChannelEntryTable before = m_f->doc->channels();
        const QList<int> selected{4, 5, 6, 9, 10};
        selectTwoRuns(4, 6, 9, 10);
        const int steps = m_view->undoStack()->index();
        if (key)
            QTest::keyClick(m_grid, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        else
            m_view->findChild<QAction*>(QStringLiteral("actionSortByFrequency"))->trigger();
        QCOMPARE(m_view->undoStack()->index(), steps + 1);
        QCOMPARE(selectedRowNumbers(), selectedAfter);

        const ChannelEntryTable& now = m_f->doc->channels();
        // What each row should hold afterwards, by the row it came from.
        std::vector<int> from(129);
        std::iota(from.begin(), from.end(), 0);
        if (command == QLatin1String("up"))
            from = {0, 1, 2, 4, 5, 6, 3, 7, 9, 10, 8};
        else if (command == QLatin1String("down"))
            from = {0, 1, 2, 3, 7, 4, 5, 6, 8, 11, 9, 10};
        for (int n = 1; n <= 128; ++n) {
            if (command == QLatin1String("clear") && selected.contains(n)) {
                QCOMPARE(now.texts(n), ChannelTexts{});
                if (!before.texts(n).empty())
                    QCOMPARE(now.entry(n), ChannelEntry::Erased());
            } else if (command == QLatin1String("remove")) {
                // The other channels close up: row n holds the n-th channel not taken out, around
                // the serial number's row; the rows freed at the end are erased.
                if (before.isFixed(n))
                    continue;
                std::vector<int> kept;
                for (int m = 1; m <= 128; ++m) {
                    if (!before.isFixed(m) && !selected.contains(m))
                        kept.push_back(m);
                }
                const std::size_t place = static_cast<std::size_t>(n - (n > 63 ? 2 : 1));
                QCOMPARE(now.entry(n),
                         place < kept.size() ? before.entry(kept[place]) : ChannelEntry::Erased());
            } else if (command == QLatin1String("sort") && selected.contains(n)) {
                // Sorted among their own rows: 4-6 and 9-10 hold the same channels, by frequency.
                const auto it = std::find_if(selected.begin(), selected.end(),
                                             [&](int m) { return before.entry(m) == now.entry(n); });
                QVERIFY(it != selected.end());
                const qsizetype i = selected.indexOf(n);
                if (i > 0 && !now.texts(n).empty())
                    QVERIFY(now.texts(selected[i - 1])[ColRxFrequency] <= now.texts(n)[ColRxFrequency]);
            } else {
                QCOMPARE(now.entry(n), before.entry(n < int(from.size()) ? from[std::size_t(n)] : n));
            }
        }
        QVERIFY(now.isFixed(63));

        QTest::keyClick(m_grid, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_view->undoStack()->index(), steps);
        const QString undonePath = m_f->appDir.file(QStringLiteral("undone.sin"));
        QVERIFY(m_f->doc->OnSaveDocument(undonePath));
        QCOMPARE(differences(fileBytes(undonePath), fileBytes(beforePath)), QString());
    }

    void moveRunsAroundTheSerialNumber()
    {
        loadTestImage();
        const ChannelEntryTable before = m_f->doc->channels();
        selectTwoRuns(1, 2, 61, 62);
        // Up: the run at row 1 stays, the other moves; down twice: the second run passes the
        // serial number's row.
        QTest::keyClick(m_grid, Qt::Key_Up, Qt::ControlModifier);
        QCOMPARE(selectedRowNumbers(), (QList<int>{1, 2, 60, 61}));
        QTest::keyClick(m_grid, Qt::Key_Down, Qt::ControlModifier);
        QTest::keyClick(m_grid, Qt::Key_Down, Qt::ControlModifier);
        const ChannelEntryTable& now = m_f->doc->channels();
        QCOMPARE(selectedRowNumbers(), (QList<int>{3, 4, 62, 64}));
        const std::pair<int, int> cameFrom[] = {{1, 3},   {2, 4},   {3, 1},   {4, 2},
                                                {60, 60}, {61, 64}, {62, 61}, {64, 62}};
        for (const auto& [row, origin] : cameFrom)
            QCOMPARE(now.entry(row), before.entry(origin));
        QVERIFY(now.isFixed(63));
    }

    // Copied runs are the channels one after the other; pasted, they arrive with every byte. With
    // several runs selected, the paste goes to the current row's run.
    void copyRunsAndPaste()
    {
        loadTestImage();
        const ChannelEntryTable before = m_f->doc->channels();
        selectTwoRuns(1, 2, 7, 7);
        QTest::keyClick(m_grid, Qt::Key_C, Qt::ControlModifier);
        const QStringList lines =
            QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QVERIFY(lines.at(2).contains(QString::fromStdString(before.texts(7)[ColName])));
        selectTwoRuns(90, 90, 100, 101);
        QCOMPARE(m_grid->Row(), 101);
        QTest::keyClick(m_grid, Qt::Key_V, Qt::ControlModifier);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(m_f->doc->channels().entry(100 + i), before.entry(i < 2 ? 1 + i : 7));
        QCOMPARE(m_f->doc->channels().entry(90), before.entry(90));
    }

    void fillDown()
    {
        m_view->SetRowTexts(1, channelAt("145.00000", "TOP"));
        m_view->SetRowTexts(2, channelAt("146.00000", "B"));
        m_view->SetRowTexts(4, channelAt("147.00000", "D"));
        ChannelTexts top = m_view->RowTexts(1);
        top[ColPower] = "低";
        m_view->SetRowTexts(1, top);
        m_grid->SetRow(1);
        m_grid->SetCol(ColPower);
        m_grid->setFocus();
        QTest::keyClick(m_grid, Qt::Key_Right, Qt::ShiftModifier);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(m_grid, Qt::Key_Down, Qt::ShiftModifier);
        const int steps = m_view->undoStack()->index();
        QTest::keyClick(m_grid, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(m_view->undoStack()->index(), steps + 1);
        for (int row : {2, 4}) {
            QCOMPARE(m_view->RowTexts(row)[ColPower], std::string("低"));
            QCOMPARE(m_view->RowTexts(row)[ColBandwidth], std::string("宽"));
        }
        QCOMPARE(m_view->RowTexts(3), ChannelTexts{});
        QCOMPARE(m_view->RowTexts(5), ChannelTexts{});
    }

    void selectionShowsWithoutFocus()
    {
        selectRowsByNumbers(2, 4);
        QVERIFY(m_grid->SelectionShown());
        m_view->findChild<QLineEdit*>(QStringLiteral("passwordEdit"))->setFocus();
        QVERIFY(!m_grid->hasFocus());
        // The grid draws its own fill, whatever the style does without the focus.
        const QImage shot = m_grid->viewport()->grab().toImage();
        const QPoint inside = cellPos(3, ColName);
        const QPoint outside = cellPos(8, ColName);
        QVERIFY(shot.pixelColor(inside) != shot.pixelColor(outside));
        m_grid->SetRow(8);
        QVERIFY(!m_grid->SelectionShown());
    }

    void orxtoolWritesTheWindowsBytes_data()
    {
        QTest::addColumn<QStringList>("tool");
        QTest::addColumn<int>("top"); // rows selected in the window (0: one cell only)
        QTest::addColumn<int>("bottom");
        QTest::addColumn<QString>("command");
        QTest::newRow("set power and offset on 1-16")
            << QStringList{"set", "--channels", "1-16", "--power", "低", "--offset", "-0.6"} << 1 << 16
            << "bulk";
        QTest::newRow("sort all by frequency") << QStringList{"sort", "--by", "freq"} << 0 << 0 << "freq";
        QTest::newRow("sort 50-70 by name")
            << QStringList{"sort", "--by", "name", "--channels", "50-70"} << 50 << 70 << "name";
        QTest::newRow("pack") << QStringList{"sort", "--by", "number"} << 0 << 0 << "pack";
    }
    void orxtoolWritesTheWindowsBytes()
    {
        QFETCH(QStringList, tool);
        QFETCH(int, top);
        QFETCH(int, bottom);
        QFETCH(QString, command);
        const QString in = m_f->appDir.file(QStringLiteral("in.sin"));
        RadioImage image = testImage();
        QVERIFY(SaveChannelData(QFile::encodeName(in).toStdString(), image));
        QVERIFY(doccmd::OpenDocumentFile(*m_f->doc, in, m_view));

        if (top > 0) {
            selectRowsByNumbers(top, bottom);
        } else {
            m_grid->SetRow(1);
            m_grid->setFocus();
        }
        if (command == QLatin1String("bulk")) {
            testsupport::AnswerNextModal(answerPowerLowMinus06);
            QTest::keyClick(m_grid, Qt::Key_E, Qt::ControlModifier);
        } else {
            // The command as the context menu offers it.
            QMenu* menu = m_view->CreateGridMenu(ColName, m_view);
            QMenu* sort = menu->findChild<QMenu*>(QStringLiteral("sortMenu"));
            QVERIFY(sort);
            const QString text = command == QLatin1String("freq")   ? QStringLiteral("按接收频率")
                                 : command == QLatin1String("name") ? QStringLiteral("按名称")
                                                                    : QStringLiteral("整理空信道(&K)");
            QAction* action = actionNamed(command == QLatin1String("pack") ? menu : sort, text);
            QVERIFY2(action, qPrintable(text));
            action->trigger();
            delete menu;
        }
        const QString window = m_f->appDir.file(QStringLiteral("window.sin"));
        QVERIFY(m_f->doc->OnSaveDocument(window));

        const QString out = m_f->appDir.file(QStringLiteral("tool.sin"));
        QProcess process;
        QStringList args{tool.front(), in, out};
        args << tool.mid(1) << QStringLiteral("--ini") << m_f->appDir.file(QStringLiteral("Program.ini"));
        process.start(QStringLiteral(ORXTOOL_PATH), args);
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(fileBytes(window) != fileBytes(in));
        QCOMPARE(differences(fileBytes(out), fileBytes(window)), QString());
    }
};

QTEST_MAIN(TestBulkEdit)
#include "tst_bulk_edit.moc"
