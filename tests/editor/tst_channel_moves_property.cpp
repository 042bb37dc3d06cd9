// Moving channels through the window, over random images and random sequences of add, delete,
// copy and paste, cut and paste, Delete, CSV import, moving up and down, sorting, packing, offsets,
// filling, undo and redo: the saved file always equals a plain model that moves whole records
// (16 bytes, name, scan bit) the same way, with the serial number's row fixed in place.

#include "CMSFlexGrid.h"
#include "ChannelBulk.h"
#include "ChannelCodec.h"
#include "ChannelDataFile.h"
#include "DecimalScale.h"
#include "FeatureCodecs.h"
#include "ProgramDoc.h"
#include "ChannelCommands.h"
#include "ProgramView.h"
#include "TestSupport.h"

#include <QApplication>
#include <QDialog>
#include <QRandomGenerator>
#include <QTest>
#include <QUndoStack>

using namespace orx;

namespace {

constexpr int kImageCount = 60;
constexpr int kStepsPerImage = 30;
constexpr quint32 kSeed = 0x0C4A77E1;

// One channel's bytes as saving writes them.
struct Record {
    std::array<std::uint8_t, 16> bytes{};
    std::array<std::uint8_t, 8> name{};
    bool scan = true;
    friend bool operator==(const Record&, const Record&) = default;

    bool isChannel() const { return bytes[rec::kFrequencyTop] != 0x00 && bytes[rec::kFrequencyTop] != 0xFF; }

    static Record Read(const RadioImage& image, int n)
    {
        const ChannelLocation at = LocateChannel(n);
        Record r;
        for (std::size_t k = 0; k < 16; ++k)
            r.bytes[k] = image.at(at.record + k);
        for (std::size_t k = 0; k < 8; ++k)
            r.name[k] = image.at(at.name + k);
        r.scan = image.bit(at.scanByte, at.scanMask);
        return r;
    }
    void write(RadioImage& image, int n) const
    {
        const ChannelLocation at = LocateChannel(n);
        for (std::size_t k = 0; k < 16; ++k)
            image.set(at.record + k, bytes[k]);
        for (std::size_t k = 0; k < 8; ++k)
            image.set(at.name + k, name[k]);
        image.setBits(at.scanByte, at.scanMask, scan ? at.scanMask : 0);
    }
    // What a new document's empty channel saves as.
    static Record Erased()
    {
        Record r;
        r.bytes.fill(0xFF);
        r.bytes[rec::kFlagsByte] = 0xFE;
        r.name.fill(0xFF);
        return r;
    }
};

using Records = std::array<Record, map::kChannelCount + 1>; // [1..128]

// The plain model: records at rows, the serial number's row left out of every move.
struct Reference {
    Records rows;
    bool serial = false;
    std::vector<Records> history{};
    std::size_t at = 0;

    bool fixed(int n) const { return serial && n == map::kSerialNumberChannel; }
    std::vector<int> rowsFrom(int n) const
    {
        std::vector<int> out;
        for (int r = n; r <= map::kChannelCount; ++r) {
            if (!fixed(r))
                out.push_back(r);
        }
        return out;
    }
    void add(int n)
    {
        const std::vector<int> r = rowsFrom(n);
        for (std::size_t i = r.size() - 1; i > 0; --i)
            rows[std::size_t(r[i])] = rows[std::size_t(r[i - 1])];
        rows[std::size_t(r.front())] = Record::Erased();
    }
    void remove(int n)
    {
        if (fixed(n))
            return;
        const std::vector<int> r = rowsFrom(n);
        for (std::size_t i = 0; i + 1 < r.size(); ++i)
            rows[std::size_t(r[i])] = rows[std::size_t(r[i + 1])];
        rows[std::size_t(r.back())] = Record::Erased();
    }
    std::vector<Record> copy(int top, int bottom) const
    {
        std::vector<Record> out;
        for (int n = top; n <= bottom; ++n) {
            if (!fixed(n))
                out.push_back(rows[std::size_t(n)]);
        }
        return out;
    }
    void clear(int top, int bottom)
    {
        for (int n = top; n <= bottom; ++n) {
            if (!fixed(n) && rows[std::size_t(n)].isChannel())
                rows[std::size_t(n)] = Record::Erased();
        }
    }
    void paste(int top, const std::vector<Record>& records)
    {
        const std::vector<int> r = rowsFrom(top);
        for (std::size_t i = 0; i < records.size() && i < r.size(); ++i)
            rows[std::size_t(r[i])] = records[i];
    }
    // The channels of top..bottom one channel up (-1) or down (+1), past the fixed row; the channel
    // passed goes to the other side of the block.
    void move(int top, int bottom, int delta)
    {
        const std::vector<int> m = rowsFrom(1);
        std::size_t a = 0;
        while (a < m.size() && m[a] < top)
            ++a;
        std::size_t e = a;
        while (e < m.size() && m[e] <= bottom)
            ++e;
        if (a >= e)
            return;
        if (delta < 0) {
            if (a == 0)
                return;
            const Record passed = rows[std::size_t(m[a - 1])];
            for (std::size_t i = a; i < e; ++i)
                rows[std::size_t(m[i - 1])] = rows[std::size_t(m[i])];
            rows[std::size_t(m[e - 1])] = passed;
        } else {
            if (e == m.size())
                return;
            const Record passed = rows[std::size_t(m[e])];
            for (std::size_t i = e; i > a; --i)
                rows[std::size_t(m[i])] = rows[std::size_t(m[i - 1])];
            rows[std::size_t(m[a])] = passed;
        }
    }
    // The rows a sort works on: the selected ones, or all when one row is selected.
    std::vector<int> sortRows(int top, int bottom) const
    {
        std::vector<int> out;
        for (int n = bottom > top ? top : 1; n <= (bottom > top ? bottom : map::kChannelCount); ++n) {
            if (!fixed(n))
                out.push_back(n);
        }
        return out;
    }
    // Channels by receive frequency (or in their order), stable, empty channels last. The key is
    // the frequency the grid shows (shown[n]): a record beyond the eight digits saves as 999.99999
    // but shows and sorts as what its bytes say.
    void sort(int top, int bottom, bool byFrequency, const std::array<std::int64_t, 129>& shown)
    {
        const std::vector<int> at = sortRows(top, bottom);
        std::vector<std::pair<Record, std::int64_t>> records;
        for (int n : at)
            records.push_back({rows[std::size_t(n)], shown[std::size_t(n)]});
        std::stable_sort(records.begin(), records.end(), [&](const auto& x, const auto& y) {
            if (x.first.isChannel() != y.first.isChannel())
                return x.first.isChannel();
            return byFrequency && x.first.isChannel() && x.second < y.second;
        });
        for (std::size_t i = 0; i < at.size(); ++i)
            rows[std::size_t(at[i])] = records[i].first;
    }
    // The texts the window now shows in row n, stored over the record the row had.
    void retext(int n, const ChannelTexts& texts)
    {
        if (fixed(n))
            return;
        RadioImage scratch;
        rows[std::size_t(n)].write(scratch, n);
        EncodeChannel(texts, n, scratch);
        rows[std::size_t(n)] = Record::Read(scratch, n);
    }
    void stepDone()
    {
        history.resize(at + 1);
        history.push_back(rows);
        ++at;
    }
    RadioImage expected(const RadioImage& start) const
    {
        RadioImage image = start;
        for (int n = 1; n <= map::kChannelCount; ++n) {
            if (!fixed(n))
                rows[std::size_t(n)].write(image, n);
        }
        return image;
    }
};

// Random images whose records are often channels, with hidden bits set, and now and then a serial
// number in one of the forms other tools write.
RadioImage randomImage(QRandomGenerator& rng)
{
    RadioImage image;
    image.resetToNewDocument();
    for (int n = 1; n <= map::kChannelCount; ++n) {
        const ChannelLocation at = LocateChannel(n);
        for (std::size_t k = 0; k < 16; ++k)
            image.set(at.record + k, std::uint8_t(rng.bounded(256)));
        for (std::size_t k = 0; k < 8; ++k)
            image.set(at.name + k, std::uint8_t(rng.bounded(3) == 0 ? 0xFF : rng.bounded(40)));
        image.setBits(at.scanByte, at.scanMask, rng.bounded(2) ? at.scanMask : 0);
        switch (rng.bounded(4)) {
        case 0: // empty, with leftovers
            image.set(at.record + rec::kFrequencyTop, rng.bounded(2) ? 0xFF : 0x00);
            break;
        case 1: // a VHF channel in proper BCD
            image.set(at.record + rec::kFrequencyTop, 0x14);
            image.set(at.record + 2, std::uint8_t(rng.bounded(10) * 16 + rng.bounded(10)));
            break;
        default:
            break;
        }
    }
    static constexpr const char* kSerials[] = {"SN-001", "ab12", "AB12", "0123456789ABCDEF", "x"};
    if (rng.bounded(3) == 0) {
        const std::string_view text = kSerials[rng.bounded(5)];
        const std::uint8_t pad = rng.bounded(2) ? 0xFF : 0x00;
        for (std::size_t k = 0; k < map::kSerialNumberSize; ++k)
            image.set(map::kSerialNumber + k, k < text.size() ? std::uint8_t(text[k]) : pad);
    }
    if (rng.bounded(2)) {
        image.set(map::kBandId, 0x13);
        image.set(map::kBandId + 1, 0x17);
        image.set(map::kBandId + 2, 0x64);
    }
    return image;
}

QString differences(const RadioImage& a, const RadioImage& b)
{
    QStringList out;
    for (std::size_t i = 0; i < map::kImageSize && out.size() < 4; ++i) {
        if (a.at(i) != b.at(i))
            out << QStringLiteral("0x%1: %2 -> %3")
                       .arg(i, 3, 16, QChar('0'))
                       .arg(a.at(i), 2, 16, QChar('0'))
                       .arg(b.at(i), 2, 16, QChar('0'));
    }
    return out.join(QStringLiteral(", "));
}

} // namespace

class TestChannelMovesProperty : public QObject {
    Q_OBJECT

    std::unique_ptr<testsupport::ViewFixture> m_f;
    CProgramView* m_view = nullptr;
    CMSFlexGrid* m_grid = nullptr;

    void selectRows(int top, int bottom)
    {
        const QAbstractItemModel* model = m_grid->model();
        m_grid->selectionModel()->setCurrentIndex(model->index(top - 1, 0), QItemSelectionModel::NoUpdate);
        m_grid->selectionModel()->select(
            QItemSelection(model->index(top - 1, 0), model->index(bottom - 1, kDataColumnCount - 1)),
            QItemSelectionModel::ClearAndSelect);
    }

    void importRows(QRandomGenerator& rng, Reference& ref, QString& step)
    {
        const BandLimits limits = m_view->bandLimits();
        const std::uint32_t span = limits.upper > limits.lower ? (limits.upper - limits.lower) / 500 : 0;
        QByteArray csv = "Location,Name,Frequency,Power\r\n";
        std::vector<int> named;
        for (quint32 i = 0, count = 1 + rng.bounded(3); i < count; ++i) {
            const int n = rng.bounded(5) == 0 ? map::kSerialNumberChannel : 1 + int(rng.bounded(128));
            const std::uint32_t f = limits.lower + 500 * (span ? rng.bounded(span) : 0);
            csv += QByteArray::number(n) + ",IMP" + QByteArray::number(i) + "," +
                   QByteArray::number(f / 100000) + "." +
                   QByteArray::number(f % 100000).rightJustified(5, '0') +
                   (rng.bounded(2) ? ",High\r\n" : ",Low\r\n");
            named.push_back(n);
            step += QStringLiteral(" %1").arg(n);
        }
        m_f->appDir.writeFile(QStringLiteral("rows.csv"), csv);
        testsupport::AnswerNextModal([](QWidget* report) { static_cast<QDialog*>(report)->accept(); });
        QVERIFY(m_view->ImportCsvFile(m_f->appDir.file(QStringLiteral("rows.csv"))));
        for (int n : named)
            ref.retext(n, m_view->RowTexts(n));
    }

private slots:
    void init()
    {
        m_f = std::make_unique<testsupport::ViewFixture>();
        m_view = m_f->view;
        m_grid = m_view->grid();
    }
    void cleanup() { m_f.reset(); }

    void savedFileMovesWholeRecords()
    {
        QRandomGenerator rng(kSeed);
        int moves = 0;
        for (int image = 0; image < kImageCount; ++image) {
            m_f->doc->ReplaceImage(randomImage(rng));
            const RadioImage start = m_f->doc->ScreenImage();
            Reference ref;
            ref.serial = HoldsSerialNumber(start);
            QCOMPARE(m_f->doc->channels().isFixed(map::kSerialNumberChannel), ref.serial);
            for (int n = 1; n <= map::kChannelCount; ++n)
                ref.rows[std::size_t(n)] = Record::Read(start, n);
            ref.history = {ref.rows};
            QUndoStack* history = m_view->undoStack();
            QStringList steps;

            // After each action of the window: a step it took into its history is one of the
            // model's too, one it left out must have changed nothing, and the bytes agree.
            int index = history->index();
            auto settle = [&](const QString& step) {
                steps << step;
                if (history->index() > index) {
                    ref.stepDone();
                    ++moves;
                }
                index = history->index();
                const RadioImage shown = m_f->doc->ScreenImage();
                const RadioImage expected = ref.expected(start);
                if (!(shown == expected))
                    QFAIL(qPrintable(QStringLiteral("image %1 after %2: %3")
                                         .arg(image)
                                         .arg(steps.join(QStringLiteral(", ")))
                                         .arg(differences(expected, shown))));
            };
            for (int s = 0; s < kStepsPerImage; ++s) {
                const int row = 1 + int(rng.bounded(128));
                const int bottom = std::min(128, row + int(rng.bounded(4)));
                const int target = 1 + int(rng.bounded(128));
                switch (rng.bounded(13)) {
                case 8:
                case 9: {
                    const int delta = rng.bounded(2) ? 1 : -1;
                    selectRows(row, bottom);
                    delta < 0 ? m_view->channelCommands().MoveUp() : m_view->channelCommands().MoveDown();
                    ref.move(row, bottom, delta);
                    settle(QStringLiteral("move %1-%2 by %3").arg(row).arg(bottom).arg(delta));
                    break;
                }
                case 10: {
                    const bool byFrequency = rng.bounded(2);
                    std::array<std::int64_t, 129> shown{};
                    for (int n = 1; n <= map::kChannelCount; ++n)
                        shown[std::size_t(n)] =
                            DecimalScale(LeadingNumber(m_view->RowTexts(n)[ColRxFrequency]), kFrequencyShift);
                    selectRows(row, bottom);
                    if (byFrequency)
                        m_view->channelCommands().SortChannels(SortKey::Frequency, false);
                    else
                        m_view->channelCommands().PackEmptyChannels();
                    ref.sort(row, bottom, byFrequency, shown);
                    settle(
                        QStringLiteral("%1 %2-%3").arg(byFrequency ? "sort" : "pack").arg(row).arg(bottom));
                    break;
                }
                case 11: {
                    // Texts of many rows at once: the transmit offset, then Ctrl+D down a column.
                    selectRows(row, bottom);
                    m_view->channelCommands().SetTransmitOffset(
                        {rng.bounded(2) ? Duplex::Plus : Duplex::Minus, 60000});
                    for (int n = row; n <= bottom; ++n)
                        ref.retext(n, m_view->RowTexts(n));
                    settle(QStringLiteral("offset %1-%2").arg(row).arg(bottom));
                    const int col = kFirstDataColumn + int(rng.bounded(kDataColumnCount));
                    const QAbstractItemModel* model = m_grid->model();
                    m_grid->selectionModel()->setCurrentIndex(model->index(row - 1, col - 1),
                                                              QItemSelectionModel::NoUpdate);
                    m_grid->selectionModel()->select(
                        QItemSelection(model->index(row - 1, col - 1), model->index(bottom - 1, col - 1)),
                        QItemSelectionModel::ClearAndSelect);
                    m_view->channelCommands().FillDown();
                    for (int n = row; n <= bottom; ++n)
                        ref.retext(n, m_view->RowTexts(n));
                    settle(QStringLiteral("fill %1-%2 column %3").arg(row).arg(bottom).arg(col));
                    break;
                }
                case 0:
                    m_grid->SetRow(row);
                    m_view->channelCommands().AddChannel();
                    ref.add(row);
                    settle(QStringLiteral("add %1").arg(row));
                    break;
                case 1:
                    m_grid->SetRow(row);
                    m_view->channelCommands().DeleteChannel();
                    ref.remove(row);
                    settle(QStringLiteral("delete %1").arg(row));
                    break;
                case 2: {
                    selectRows(row, bottom);
                    m_view->channelCommands().CopyCells();
                    const std::vector<Record> copied = ref.copy(row, bottom);
                    selectRows(target, target);
                    m_view->channelCommands().PasteCells();
                    ref.paste(target, copied);
                    settle(QStringLiteral("copy %1-%2 to %3").arg(row).arg(bottom).arg(target));
                    break;
                }
                case 3: {
                    selectRows(row, bottom);
                    m_view->channelCommands().CutCells();
                    const std::vector<Record> cut = ref.copy(row, bottom);
                    ref.clear(row, bottom);
                    settle(QStringLiteral("cut %1-%2").arg(row).arg(bottom));
                    selectRows(target, target);
                    m_view->channelCommands().PasteCells();
                    ref.paste(target, cut);
                    settle(QStringLiteral("paste to %1").arg(target));
                    break;
                }
                case 4:
                    selectRows(row, bottom);
                    m_view->channelCommands().DeleteCells();
                    ref.clear(row, bottom);
                    settle(QStringLiteral("Delete %1-%2").arg(row).arg(bottom));
                    break;
                case 5: {
                    QString step = QStringLiteral("import");
                    importRows(rng, ref, step);
                    settle(step);
                    break;
                }
                case 6:
                    if (history->canUndo()) {
                        m_view->Undo();
                        ref.rows = ref.history[--ref.at];
                    }
                    index = history->index();
                    settle(QStringLiteral("undo"));
                    break;
                default:
                    if (history->canRedo()) {
                        m_view->Redo();
                        ref.rows = ref.history[++ref.at];
                    }
                    index = history->index();
                    settle(QStringLiteral("redo"));
                    break;
                }
                if (QTest::currentTestFailed())
                    return;
            }
            // And the file written is exactly that.
            const QString path = m_f->appDir.file(QStringLiteral("moved.sin"));
            QVERIFY(m_f->doc->OnSaveDocument(path));
            RadioImage saved;
            QCOMPARE(LoadChannelData(QFile::encodeName(path).toStdString(), saved), LoadResult::Ok);
            const RadioImage expected = ref.expected(start);
            if (!(saved == expected))
                QFAIL(qPrintable(
                    QStringLiteral("image %1, saved file: %2").arg(image).arg(differences(expected, saved))));
        }
        QVERIFY(moves > kImageCount * kStepsPerImage / 3);
    }
};

QTEST_MAIN(TestChannelMovesProperty)
#include "tst_channel_moves_property.moc"
