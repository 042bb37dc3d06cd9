// Editing channels in the main form through the real widgets: the floating editors over the grid,
// their keys and commits, the walks through the table, the wheel, and the way from keystrokes to the
// bytes of a saved file.

#include "CMSFlexGrid.h"
#include "ChannelCodec.h"
#include "ChannelDataFile.h"
#include "ChannelEdit.h"
#include "ProgramDoc.h"
#include "ProgramView.h"
#include "TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>

using testsupport::ViewFixture;

class TestCellEditors : public QObject {
    Q_OBJECT

    std::unique_ptr<ViewFixture> m_f;
    CProgramView* m_view = nullptr;
    CMSFlexGrid* m_grid = nullptr;
    QLineEdit* m_freq = nullptr;
    QComboBox* m_choice = nullptr;
    QLineEdit* m_name = nullptr;

    QModelIndex index(int row, int col) const { return m_grid->model()->index(row - 1, col - 1); }
    QString cell(int row, int col) const { return m_grid->TextMatrix(row, col); }

    // A full channel with transmit 150 MHz and a name.
    void fillChannel(int row, const std::string& rx = "145.00000")
    {
        orx::ChannelTexts t = orx::DefaultChannelTexts(rx);
        t[orx::ColTxFrequency] = "150.00000";
        t[orx::ColName] = "CALL";
        m_view->SetRowTexts(row, t);
    }
    void clickCell(int row, int col)
    {
        m_grid->scrollTo(index(row, col));
        QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {},
                          m_grid->visualRect(index(row, col)).center());
    }
    void goTo(int row, int col)
    {
        m_grid->SetRow(row);
        m_grid->SetCol(col);
        m_grid->setFocus();
    }
    // The cell as drawn, with the grid line at its right and bottom edge that an editor's frame covers.
    QRect visualRectInView(int row, int col) const
    {
        const int line = m_grid->showGrid() ? 1 : 0;
        const QRect r = m_grid->visualRect(index(row, col)).adjusted(0, 0, line, line);
        return QRect(m_grid->viewport()->mapTo(m_view, r.topLeft()), r.size());
    }
    QByteArray saved()
    {
        const QString path = m_f->appDir.file(QStringLiteral("saved.sin"));
        if (!m_f->doc->OnSaveDocument(path))
            return {};
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void init()
    {
        m_f = std::make_unique<ViewFixture>();
        m_view = m_f->view;
        m_grid = m_view->grid();
        m_freq = m_view->findChild<QLineEdit*>(QStringLiteral("frequencyEdit"));
        m_choice = m_view->findChild<QComboBox*>(QStringLiteral("choiceList"));
        m_name = m_view->findChild<QLineEdit*>(QStringLiteral("nameEdit"));
        QVERIFY(m_freq && m_choice && m_name);
    }
    void cleanup() { m_f.reset(); }

    void editorLiesOnItsCell_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("editor");
        QTest::newRow("receive frequency of channel 1") << 1 << 1 << "frequencyEdit";
        QTest::newRow("power of channel 5") << 5 << 6 << "choiceList";
        QTest::newRow("name of channel 5") << 5 << 10 << "nameEdit";
        QTest::newRow("transmit frequency, grid scrolled") << 90 << 2 << "frequencyEdit";
    }
    void editorLiesOnItsCell()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(QString, editor);
        fillChannel(row);
        clickCell(row, col);
        QWidget* w = m_view->findChild<QWidget*>(editor);
        QVERIFY(w->isVisible() && w->hasFocus());
        QCOMPARE(m_view->CellEditorRect(row, col), visualRectInView(row, col));
        QCOMPARE(w->geometry(), visualRectInView(row, col));
    }

    void typedReceiveFrequency_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("rx");
        QTest::newRow("whole MHz") << "145"
                                   << "145.00000";
        QTest::newRow("on the 6.25 kHz raster") << "145.0125"
                                                << "145.01250";
        QTest::newRow("off-raster rounds down to 6.25 kHz") << "145.007"
                                                            << "145.00625";
        QTest::newRow("equal remainders go to 5 kHz") << "145.0031"
                                                      << "145.00000";
        QTest::newRow("below the band") << "1"
                                        << "136.00000";
        QTest::newRow("above the band") << "999"
                                        << "174.00000";
        QTest::newRow("too large for 32 bits") << "4294967296"
                                               << "174.00000";
        QTest::newRow("zero deletes the channel") << "0"
                                                  << "";
        QTest::newRow("a lone full stop deletes the channel") << "."
                                                              << "";
        QTest::newRow("nothing deletes the channel") << ""
                                                     << "";
    }
    void typedReceiveFrequency()
    {
        QFETCH(QString, typed);
        QFETCH(QString, rx);
        fillChannel(7);
        clickCell(7, 1);
        QCOMPARE(m_freq->selectedText(), QString("145.00000"));
        QTest::keyClick(m_freq, Qt::Key_Delete);
        QTest::keyClicks(m_freq, typed);
        QTest::keyClick(m_freq, Qt::Key_Return);
        QVERIFY(!m_freq->isVisible());
        QCOMPARE(cell(7, 1), rx);
        if (rx.isEmpty()) {
            QCOMPARE(m_view->RowTexts(7), orx::ChannelTexts{});
        } else {
            // The channel keeps its transmit frequency and everything else.
            QCOMPARE(cell(7, 2), QString("150.00000"));
            QCOMPARE(cell(7, 10), QString("CALL"));
        }
    }

    void firstDigitOnEmptyChannelWritesDefaults()
    {
        goTo(9, 5);
        QTest::keyClick(m_grid, Qt::Key_1);
        QVERIFY(m_freq->isVisible());
        QCOMPARE(m_grid->Col(), 1);
        QCOMPARE(m_freq->text(), QString("1"));
        QCOMPARE(m_freq->cursorPosition(), 1);
        QTest::keyClick(m_freq, Qt::Key_Return);
        QCOMPARE(m_view->RowTexts(9), orx::DefaultChannelTexts("136.00000"));
    }

    void clickOnEmptyChannelEditsReceive_data()
    {
        QTest::addColumn<int>("col");
        for (int c = 2; c <= 10; ++c)
            QTest::addRow("column %d", c) << c;
    }
    void clickOnEmptyChannelEditsReceive()
    {
        QFETCH(int, col);
        clickCell(12, col);
        QVERIFY(m_freq->isVisible());
        QCOMPARE(m_grid->Col(), 1);
        QCOMPARE(m_freq->geometry(), visualRectInView(12, 1));
    }

    void enterInFrequencyEdit_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::newRow("empty entry moves down") << "" << 21 << 1;
        QTest::newRow("an entry moves right") << "145" << 20 << 2;
    }
    void enterInFrequencyEdit()
    {
        QFETCH(QString, typed);
        QFETCH(int, row);
        QFETCH(int, col);
        clickCell(20, 1);
        QTest::keyClicks(m_freq, typed);
        QTest::keyClick(m_freq, Qt::Key_Enter, Qt::KeypadModifier);
        QTRY_COMPARE(m_grid->Row(), row);
        QTRY_COMPARE(m_grid->Col(), col);
        QVERIFY(m_grid->hasFocus());
    }

    void arrowsWrapAtRowEnds_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("toRow");
        QTest::addColumn<int>("toCol");
        QTest::newRow("right from the name goes to the next channel")
            << 5 << 10 << int(Qt::Key_Right) << 6 << 1;
        QTest::newRow("right from the name of channel 128 stays")
            << 128 << 10 << int(Qt::Key_Right) << 128 << 10;
        QTest::newRow("left from column 1 goes to the previous name")
            << 5 << 1 << int(Qt::Key_Left) << 4 << 10;
        QTest::newRow("left from column 1 of channel 1 stays") << 1 << 1 << int(Qt::Key_Left) << 1 << 1;
        QTest::newRow("right inside a row") << 5 << 4 << int(Qt::Key_Right) << 5 << 5;
    }
    void arrowsWrapAtRowEnds()
    {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(int, key);
        QFETCH(int, toRow);
        QFETCH(int, toCol);
        goTo(row, col);
        QTest::keyClick(m_grid, static_cast<Qt::Key>(key));
        QCoreApplication::processEvents(); // the posted moves
        QCOMPARE(m_grid->Row(), toRow);
        QCOMPARE(m_grid->Col(), toCol);
    }

    void frequencyEditKeys()
    {
        goTo(3, 1);
        QTest::keyClick(m_grid, Qt::Key_1);
        QApplication::clipboard()->setText(QStringLiteral("5"));
        const QList<QPair<int, Qt::KeyboardModifiers>> discarded = {{Qt::Key_Escape, {}},
                                                                    {Qt::Key_2, Qt::ShiftModifier},
                                                                    {Qt::Key_Period, Qt::ShiftModifier},
                                                                    {Qt::Key_A, {}},
                                                                    {Qt::Key_Minus, {}},
                                                                    {Qt::Key_Tab, {}},
                                                                    {Qt::Key_Up, {}},
                                                                    {Qt::Key_Home, {}},
                                                                    {Qt::Key_V, Qt::ControlModifier},
                                                                    {Qt::Key_Insert, Qt::ShiftModifier}};
        for (const auto& [key, mods] : discarded) {
            QTest::keyClick(m_freq, static_cast<Qt::Key>(key), mods);
            QCOMPARE(m_freq->text(), QString("1"));
            QVERIFY(m_freq->isVisible() && m_freq->hasFocus());
        }
        QCOMPARE(cell(3, 1), QString()); // nothing committed yet
        QTest::keyClick(m_freq, Qt::Key_4, Qt::KeypadModifier);
        QTest::keyClick(m_freq, Qt::Key_5, Qt::KeypadModifier);
        QTest::keyClick(m_freq, Qt::Key_Comma, Qt::KeypadModifier); // a layout's keypad decimal key
        QTest::keyClick(m_freq, Qt::Key_Left);
        QTest::keyClick(m_freq, Qt::Key_Backspace);
        QTest::keyClick(m_freq, Qt::Key_End);
        QTest::keyClicks(m_freq, "0.5");
        QCOMPARE(m_freq->text(), QString("140.5."));
        QTest::keyClick(m_freq, Qt::Key_Return);
        QCOMPARE(cell(3, 1), QString("140.50000"));
    }

    void pastedAndDroppedTextIsFiltered()
    {
        clickCell(3, 1);
        QApplication::clipboard()->setText(QStringLiteral("14a5.0\t125 MHz"));
        m_freq->paste();
        QCOMPARE(m_freq->text(), QString("145.0125"));
        m_freq->clear();
        QMimeData mime;
        mime.setText(QStringLiteral("x1-4"));
        QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_freq, &enter);
        QApplication::sendEvent(m_freq, &drop);
        QInputMethodEvent input;
        input.setCommitString(QStringLiteral("6,五"));
        QApplication::sendEvent(m_freq, &input);
        QCOMPARE(m_freq->text(), QString("146"));
        QTest::keyClick(m_freq, Qt::Key_Return);

        clickCell(3, 10);
        QApplication::clipboard()->setText(QStringLiteral("ab\tc"));
        QTest::keyClick(m_name, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(m_name->text(), QString("ABC"));
    }

    void nameEditHoldsEightCapitals()
    {
        fillChannel(30);
        clickCell(30, 10);
        QTest::keyClick(m_name, Qt::Key_Delete);
        QTest::keyClicks(m_name, "abcdefghij");
        QCOMPARE(m_name->text(), QString("ABCDEFGH"));
        QTest::keyClick(m_name, Qt::Key_Return);
        QCOMPARE(cell(30, 10), QString("ABCDEFGH"));
        QTRY_COMPARE(m_grid->Row(), 31);
        QTRY_COMPARE(m_grid->Col(), 1);
    }

    void choiceListCommitsOnEnter()
    {
        fillChannel(30);
        clickCell(30, 6);
        QVERIFY(m_choice->isVisible());
        QCOMPARE(m_choice->count(), 2);
        QCOMPARE(m_choice->currentText(), QString("高"));
        QTest::keyClick(m_choice, Qt::Key_Down);
        QTest::keyClick(m_choice, Qt::Key_Return);
        QCOMPARE(cell(30, 6), QString("低"));
        QTRY_COMPARE(m_grid->Col(), 7);

        // With its list dropped, Enter takes the highlighted option and commits at once.
        clickCell(30, 9);
        m_choice->showPopup();
        QTRY_VERIFY(m_choice->view()->isVisible());
        m_choice->view()->setCurrentIndex(m_choice->model()->index(3, 0));
        QTest::keyClick(m_choice->view(), Qt::Key_Return);
        QCOMPARE(cell(30, 9), QString("两者"));
        QVERIFY(!m_choice->isVisible());
    }

    void focusLossCommitsIntoTheEditedCell()
    {
        fillChannel(30);
        clickCell(30, 10);
        QTest::keyClicks(m_name, "abc");
        clickCell(31, 5); // an empty channel: its receive frequency opens
        QCOMPARE(cell(30, 10), QString("ABC"));
        QVERIFY(m_freq->isVisible() && !m_name->isVisible());

        // A press on a channel number moves the current row; the edit goes where it was typed.
        QTest::keyClick(m_freq, Qt::Key_Return);
        clickCell(30, 10);
        QTest::keyClicks(m_name, "x");
        QHeaderView* numbers = m_grid->verticalHeader();
        const int y = numbers->sectionViewportPosition(31) + numbers->sectionSize(31) / 2;
        QTest::mouseClick(numbers->viewport(), Qt::LeftButton, {}, QPoint(numbers->width() / 2, y));
        QCOMPARE(cell(30, 10), QString("X"));
        QCOMPARE(cell(32, 10), QString());
        QVERIFY(!m_name->isVisible());
    }

    void wheelNotchTurnsOnePage()
    {
        goTo(1, 1);
        QScrollBar* bar = m_grid->verticalScrollBar();
        auto wheel = [this](int delta) {
            const QPointF pos(20, 20);
            QWheelEvent e(pos, m_grid->viewport()->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(m_grid->viewport(), &e);
        };
        wheel(-120);
        QCOMPARE(bar->value(), bar->pageStep());
        wheel(120);
        QCOMPARE(bar->value(), 0);
        // An open editor keeps the grid still, so that the editor stays on its cell.
        clickCell(1, 1);
        wheel(-120);
        QCOMPARE(bar->value(), 0);
        // The scroll bar is part of the grid: a press on it commits the editor before the grid moves.
        QTest::keyClicks(m_freq, "145");
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          QPoint(bar->width() / 2, bar->height() - bar->width() - 4));
        QVERIFY(!m_freq->isVisible());
        QCOMPARE(cell(1, 1), QString("145.00000"));
        QVERIFY(bar->value() > 0);
    }

    void wheelOverASettingsListTurnsTheGrid()
    {
        // The wheel belongs to the window with the focus: with the grid focused, a notch over a
        // settings list pages the grid and leaves the radio's setting alone.
        auto* squelch = m_view->findChild<QComboBox*>(QStringLiteral("squelchList"));
        QVERIFY(squelch);
        const int before = squelch->currentIndex();
        goTo(1, 1);
        QScrollBar* bar = m_grid->verticalScrollBar();
        auto wheel = [](QWidget* target, int delta) {
            const QPointF pos(5, 5);
            QWheelEvent e(pos, target->mapToGlobal(pos), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(target, &e);
        };
        wheel(squelch, -120);
        QCOMPARE(squelch->currentIndex(), before);
        QCOMPARE(bar->value(), bar->pageStep());
        // A list that has the focus itself still turns with the wheel.
        squelch->setFocus();
        wheel(squelch, -120);
        QCOMPARE(squelch->currentIndex(), before + 1);
        QCOMPARE(bar->value(), bar->pageStep());
    }

    void saveCommitsAnOpenEditor()
    {
        clickCell(1, 1);
        QTest::keyClicks(m_freq, "145.5");
        const QByteArray bytes = saved();
        QCOMPARE(bytes.size(), 4096);
        QCOMPARE(bytes.left(8), QByteArray::fromHex("0000551400005514"));
        QVERIFY(!m_freq->isVisible());
    }

    void newDocumentDropsAnOpenEditor()
    {
        clickCell(1, 1);
        QTest::keyClicks(m_freq, "150");
        m_f->doc->OnNewDocument();
        QVERIFY(!m_freq->isVisible());
        QCOMPARE(m_view->RowTexts(1), orx::ChannelTexts{});
    }

    void keystrokesReachTheSavedFile()
    {
        goTo(3, 1);
        QTest::keyClicks(m_grid, "1");
        QTest::keyClicks(m_freq, "46.025");
        QTest::keyClick(m_freq, Qt::Key_Return);
        QTRY_COMPARE(m_grid->Col(), 2);
        QTest::keyClicks(m_grid, "1");
        QTest::keyClicks(m_freq, "46.5");
        QTest::keyClick(m_freq, Qt::Key_Return);
        QTRY_COMPARE(m_grid->Col(), 3);
        for (int i = 0; i < 7; ++i)
            QTest::keyClick(m_grid, Qt::Key_Right);
        QCOMPARE(m_grid->Col(), 10);
        QTest::keyClick(m_grid, Qt::Key_Return);
        QTest::keyClicks(m_name, "ab-1");
        QTest::keyClick(m_name, Qt::Key_Return);

        const QByteArray bytes = saved();
        QCOMPARE(bytes.mid(0x20, 8), QByteArray::fromHex("0025601400006514"));
        QCOMPARE(bytes.mid(0x850 + 2 * 8, 8), QByteArray::fromHex("0a0b2401ffffffff"));
        orx::RadioImage image;
        std::copy(bytes.begin(), bytes.end(), image.data().begin());
        QCOMPARE(orx::DecodeChannel(image, 3), m_view->RowTexts(3));
    }
};

QTEST_MAIN(TestCellEditors)
#include "tst_cell_editors.moc"
