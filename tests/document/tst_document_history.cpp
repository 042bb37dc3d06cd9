// The document's one history, without a window: random sequences of every kind of change (the
// channel controller's commands, cell edits, the settings panel, model and band, the password, the
// feature dialogs' results, the serial number), with saves, undos and redos in between. After each
// step: undoing everything gives the bytes opened, redoing everything gives the bytes edited, and
// the modified mark shows exactly when a save would write other bytes than those last saved.

#include "ChannelController.h"
#include "ChannelCodec.h"
#include "ChannelEdit.h"
#include "ChannelDataFile.h"
#include "ProgramDoc.h"
#include "TestContext.h"
#include "TestSupport.h"
#include "Texts.h"

#include <QRandomGenerator>
#include <QTest>
#include <QUndoStack>

using testsupport::ScratchAppDirectory;

namespace {

orx::ChannelTexts channelAt(QRandomGenerator& rng)
{
    const int khz = 136000 + rng.bounded(38000);
    return orx::DefaultChannelTexts(std::to_string(khz / 1000) + "." +
                                    std::to_string(100 + khz % 1000).substr(1) + "00");
}

std::vector<int> someRows(QRandomGenerator& rng)
{
    const int first = 1 + rng.bounded(orx::ChannelEntryTable::kCount);
    const int last = std::min(orx::ChannelEntryTable::kCount, first + rng.bounded(6));
    std::vector<int> rows;
    for (int r = first; r <= last; ++r)
        rows.push_back(r);
    return rows;
}

} // namespace

class TestDocumentHistory : public QObject {
    Q_OBJECT
private:
    // One random change of the kind given; returns its name for a failure message.
    QString change(int kind, QRandomGenerator& rng, CProgramDoc& doc, CChannelController& commands)
    {
        const int row = 1 + rng.bounded(orx::ChannelEntryTable::kCount);
        const std::vector<int> rows = someRows(rng);
        const int left = orx::kFirstDataColumn + rng.bounded(orx::kDataColumnCount);
        const CChannelController::CellRange block{rows.front(), left, rows.back(),
                                                  std::min(orx::kLastDataColumn, left + rng.bounded(3))};
        switch (kind) {
        case 0:
            commands.EditRow(row, channelAt(rng));
            return "cell edit";
        case 1:
            commands.InsertChannel(row);
            return "insert";
        case 2:
            commands.DeleteChannel(row);
            return "delete";
        case 3:
            commands.RemoveChannels(rows);
            return "remove rows";
        case 4:
            commands.ClearCells(block, res::kStepClear);
            return "clear cells";
        case 5: {
            // Whole channels (with every byte) or a block of cells, pasted elsewhere.
            const bool whole = rng.bounded(2) == 0;
            const QString text = whole ? commands.Copy(rows, orx::kFirstDataColumn, orx::kLastDataColumn)
                                       : commands.Copy(rows, block.left, block.right);
            commands.Paste(text, {row, whole ? orx::kFirstDataColumn : block.left, row,
                                  whole ? orx::kLastDataColumn : block.left});
            return "copy and paste";
        }
        case 6:
            commands.FillDown(block);
            return "fill down";
        case 7:
            commands.Sort(rows, static_cast<orx::SortKey>(rng.bounded(3)), rng.bounded(2) == 0);
            return "sort";
        case 8:
            commands.MoveBlock(rows.front(), rows.back(), rng.bounded(2) ? 1 : -1);
            return "move";
        case 9:
            commands.PackEmpty(rows);
            return "pack";
        case 10: {
            orx::BulkChange bulk;
            bulk.namePrefix = "CH";
            bulk.power = rng.bounded(2) ? "高" : "低";
            commands.BulkSet(rows, bulk);
            return "bulk set";
        }
        case 11:
            commands.SetTransmitOffset(rows, {rng.bounded(2) ? orx::Duplex::Plus : orx::Duplex::Minus,
                                              static_cast<std::uint32_t>(10000 * (1 + rng.bounded(60)))});
            return "offset";
        case 12: {
            orx::ChannelTable texts = doc.channels().allTexts();
            texts[static_cast<std::size_t>(row - 1)] = channelAt(rng);
            commands.ImportCsv(orx::ExportChannelCsv(texts));
            return "CSV import";
        }
        case 13: {
            const auto setting = static_cast<orx::Setting>(rng.bounded(orx::kSettingCount));
            doc.SetSetting(setting, rng.bounded(static_cast<int>(orx::Choices(setting).size())));
            return "settings panel";
        }
        case 14:
            doc.SetPassword(std::to_string(rng.bounded(1000000)));
            return "password";
        case 15:
            if (rng.bounded(2))
                doc.SelectModel(rng.bounded(2));
            else
                doc.SelectBand(rng.bounded(static_cast<int>(doc.screen().lists.bands.size())));
            return "model or band";
        case 16: {
            // What the DTMF, side-key and FM dialogs store: bytes of their own blocks.
            orx::RadioImage edited = doc.image();
            const std::size_t at = std::array<std::size_t, 3>{orx::map::kPttIdCode, orx::map::kSideKey1,
                                                              orx::map::kFmPresetBase}[rng.bounded(3)];
            edited.bytes(at, 1)[0] = static_cast<std::uint8_t>(rng.bounded(10));
            doc.SetImageBlocks(res::kStepDtmf, edited);
            return "feature dialog";
        }
        case 17: {
            std::array<std::uint8_t, orx::map::kSerialNumberSize> serial{};
            serial.fill(orx::map::kErased);
            if (rng.bounded(3))
                serial[0] = static_cast<std::uint8_t>('A' + rng.bounded(26));
            doc.SetSerialNumber(serial);
            return "serial number";
        }
        }
        return {};
    }

private slots:
    void everyChangeUndoesToTheOpenedBytes_data()
    {
        QTest::addColumn<quint32>("seed");
        for (quint32 seed : {1u, 7u, 42u, 2026u})
            QTest::newRow(qPrintable(QString::number(seed))) << seed;
    }
    void everyChangeUndoesToTheOpenedBytes()
    {
        QFETCH(quint32, seed);
        ScratchAppDirectory dir(testsupport::TwoModelIni());
        CProgramDoc doc(TestContext());
        CChannelController commands(doc);
        QRandomGenerator rng(seed);
        // A file with some channels is what the session starts from.
        orx::RadioImage start;
        start.resetToNewDocument();
        for (int n = 1; n <= 20; ++n)
            orx::EncodeChannel(channelAt(rng), n, start);
        const QString path = dir.file(QStringLiteral("start.sin"));
        dir.writeFile(QStringLiteral("start.sin"),
                      QByteArray(reinterpret_cast<const char*>(start.data().data()), orx::map::kImageSize));
        QVERIFY(doc.OnOpenDocument(path));
        const orx::RadioImage opened = doc.ScreenImage();
        orx::RadioImage saved = opened;
        QUndoStack* history = doc.undoStack();
        QCOMPARE(history->count(), 0);

        for (int step = 0; step < 60; ++step) {
            QString what;
            const int kind = rng.bounded(21);
            if (kind == 18) {
                history->undo();
                what = "undo";
            } else if (kind == 19) {
                history->redo();
                what = "redo";
            } else if (kind == 20) {
                QVERIFY(doc.OnSaveDocument(path));
                saved = doc.ScreenImage();
                what = "save";
            } else {
                what = change(kind, rng, doc, commands);
            }
            const QByteArray context = QStringLiteral("step %1: %2").arg(step).arg(what).toUtf8();
            const orx::RadioImage edited = doc.ScreenImage();
            QVERIFY2(doc.IsModified() == !(edited == saved), context.constData());

            const int index = history->index();
            history->setIndex(0);
            QVERIFY2(doc.ScreenImage() == opened, context.constData());
            QVERIFY2(doc.IsModified() == !(opened == saved), context.constData());
            history->setIndex(history->count());
            history->setIndex(index);
            QVERIFY2(doc.ScreenImage() == edited, context.constData());
            QVERIFY2(doc.IsModified() == !(edited == saved), context.constData());
        }
    }

    void stepsAreNamedAndFreshDataStartAfresh()
    {
        ScratchAppDirectory dir(testsupport::TwoModelIni());
        CProgramDoc doc(TestContext());
        CChannelController commands(doc);
        doc.OnNewDocument();
        orx::BulkChange bulk;
        bulk.power = "低";
        commands.EditRow(1, orx::DefaultChannelTexts("145.00000"));
        commands.BulkSet({1}, bulk);
        QCOMPARE(doc.undoStack()->undoText(), QStringLiteral("批量设置"));
        doc.SetPassword("1");
        doc.SetPassword("12"); // typing is one step
        QCOMPARE(doc.undoStack()->count(), 3);
        doc.undoStack()->undo();
        QCOMPARE(doc.screen().settings.password, std::string());
        // A read is the radio's data: no file to save to, a history of its own.
        const QDateTime when(QDate(2026, 12, 8), QTime(14, 3));
        doc.OnReadFromRadio(doc.ScreenImage(), QStringLiteral("/dev/ttyUSB0"), when);
        QCOMPARE(doc.undoStack()->count(), 0);
        QVERIFY(!doc.SavesInPlace());
        QVERIFY(doc.pathName().isEmpty());
        QCOMPARE(doc.DisplayName(), QStringLiteral("对讲机数据（读于 14:03）"));
        QCOMPARE(doc.SuggestedFileName(), QStringLiteral("2026-12-08_14-03_136-174MHz.sin"));
        QVERIFY(doc.OnSaveDocument(dir.file(QStringLiteral("read.sin"))));
        QVERIFY(doc.SavesInPlace());
    }
};

QTEST_MAIN(TestDocumentHistory)
#include "tst_document_history.moc"
