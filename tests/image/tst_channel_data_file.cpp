// New documents and the .sin file: what a new document holds, what saving it writes byte by byte,
// and which files open.

#include "TestFiles.h"
#include "ChannelCodec.h"
#include "ChannelDataFile.h"
#include "ScreenCopy.h"
#include "TestBytes.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <QTest>

using namespace orx;

Q_DECLARE_METATYPE(orx::LoadResult)

namespace {

// The bytes a new document stores over the erased image.
const std::pair<std::size_t, std::uint8_t> kNewDocumentValues[] = {
    {0xFD2, 0x00}, {0xFD3, 0x00}, {0x80A, 0xEE}, {0x80B, 0x38}, {0x810, 0x80}, {0x811, 0xA8}, {0x812, 0xD4},
    {0x813, 0x05}, {0x814, 0x00}, {0x815, 0x00}, {0x816, 0x03}, {0x817, 0x04}, {0x818, 0x00}, {0x819, 0x00},
    {0x81A, 0x01}, {0x81D, 0x14}, {0x81E, 0x58}, {0x839, 0x01}, {0x83A, 0x14},
};

RadioImage randomImage(quint32 seed)
{
    QRandomGenerator rng(seed);
    RadioImage image;
    for (auto& b : image.data())
        b = static_cast<std::uint8_t>(rng.bounded(256));
    return image;
}

} // namespace

class TestChannelDataFile : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void newDocument()
    {
        RadioImage image;
        image.resetToNewDocument();
        RadioImage expected;
        for (const auto& [offset, value] : kNewDocumentValues)
            expected.set(offset, value);
        QCOMPARE(testfiles::ImageBytes(image).toHex(), testfiles::ImageBytes(expected).toHex());
    }

    void newDocumentSavedAtOnce()
    {
        RadioImage image;
        image.resetToNewDocument();
        BandLimits limits; // no band chosen since program start
        const RadioImage saved = LoadAndSave(image, RadioCatalog{}, limits);
        const QString path = m_dir.filePath("new.sin");
        QVERIFY(SaveChannelData(path.toStdString(), saved));

        RadioImage expected;
        for (const auto& [offset, value] : kNewDocumentValues)
            expected.set(offset, value);
        for (int n = 1; n <= map::kChannelCount; ++n)
            expected.set(LocateChannel(n).record + 13, 0xFE); // the reserved bit is written 0
        putBytes(expected, map::kBandId, hex("13 17 64"));
        const QByteArray file = testfiles::FileBytes(path);
        QCOMPARE(file.size(), qsizetype(map::kImageSize));
        const QByteArray want = testfiles::ImageBytes(expected);
        for (qsizetype i = 0; i < file.size(); ++i) {
            if (file[i] != want[i])
                QFAIL(qPrintable(QString("byte 0x%1 is %2, expected %3")
                                     .arg(i, 3, 16, QChar('0'))
                                     .arg(quint8(file[i]), 2, 16, QChar('0'))
                                     .arg(quint8(want[i]), 2, 16, QChar('0'))));
        }
    }

    void load_data()
    {
        QTest::addColumn<int>("size"); // -1: no file, -2: a folder
        QTest::addColumn<LoadResult>("result");
        QTest::newRow("4095 bytes refused") << 4095 << LoadResult::TooShort;
        QTest::newRow("empty file refused") << 0 << LoadResult::TooShort;
        QTest::newRow("4096 bytes") << 4096 << LoadResult::Ok;
        QTest::newRow("4097 bytes: the first 4096 taken") << 4097 << LoadResult::Ok;
        QTest::newRow("missing file") << -1 << LoadResult::CannotOpen;
        QTest::newRow("a folder") << -2 << LoadResult::NotAFile;
        QTest::newRow("a FIFO nobody writes: refused, not waited for") << -3 << LoadResult::NotAFile;
    }

    void load()
    {
        QFETCH(int, size);
        QFETCH(LoadResult, result);
        const QString path = m_dir.filePath(QString("load%1.sin").arg(QTest::currentDataTag()));
        const QByteArray content = testfiles::ImageBytes(randomImage(7)) + QByteArray("\x42");
        if (size >= 0)
            QVERIFY(testfiles::WriteFile(path, content.left(size)));
        else if (size == -2)
            QVERIFY(QDir(m_dir.path()).mkpath(path));
        else if (size == -3)
            QVERIFY(::mkfifo(QFile::encodeName(path).constData(), 0600) == 0);

        const RadioImage before = randomImage(11);
        RadioImage image = before;
        QCOMPARE(LoadChannelData(path.toStdString(), image), result);
        if (result == LoadResult::Ok)
            QCOMPARE(testfiles::ImageBytes(image).toHex(), content.left(4096).toHex());
        else
            QVERIFY(image == before); // a refused file leaves the image untouched
    }

    void longFileSavesAs4096()
    {
        const QString path = m_dir.filePath("long.sin");
        QVERIFY(testfiles::WriteFile(path, testfiles::ImageBytes(randomImage(3)) + QByteArray(10, '\x55')));
        RadioImage image;
        QCOMPARE(LoadChannelData(path.toStdString(), image), LoadResult::Ok);
        QVERIFY(SaveChannelData(path.toStdString(), image));
        QCOMPARE(testfiles::FileBytes(path), testfiles::ImageBytes(randomImage(3)));
        QVERIFY(QDir(m_dir.path()).entryList({"*.saving-*"}, QDir::Files | QDir::Hidden).isEmpty());
    }

    void saveThenLoadGivesTheSameBytes()
    {
        for (quint32 seed = 1; seed <= 20; ++seed) {
            const RadioImage image = randomImage(seed);
            const QString path = m_dir.filePath("round.sin");
            QVERIFY(SaveChannelData(path.toStdString(), image));
            RadioImage loaded;
            QCOMPARE(LoadChannelData(path.toStdString(), loaded), LoadResult::Ok);
            QVERIFY(loaded == image);
        }
    }

    void saveIntoMissingFolderFails()
    {
        const QString path = m_dir.filePath("no/such/folder/x.sin");
        std::string error;
        QVERIFY(!SaveChannelData(path.toStdString(), RadioImage{}, &error));
        QVERIFY(!error.empty());
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_GUILESS_MAIN(TestChannelDataFile)
#include "tst_channel_data_file.moc"
