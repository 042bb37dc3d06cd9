// The CSV import of the channel controller, without a window: by the file's Location column (a list
// counted from 0 goes one channel further) or from a first channel on in file order, always as one
// step of the history.

#include "ChannelController.h"
#include "MemoryMap.h"
#include "ProgramDoc.h"
#include "TestContext.h"
#include "TestSupport.h"

#include <QTest>
#include <QUndoStack>

#include <array>

Q_DECLARE_METATYPE(orx::CsvNumbering)

class TestControllerImport : public QObject {
    Q_OBJECT
private slots:
    void rowsFindTheirChannels_data()
    {
        QTest::addColumn<QString>("csv");
        QTest::addColumn<int>("firstChannel");
        QTest::addColumn<bool>("serialNumber");
        QTest::addColumn<orx::CsvNumbering>("numbering");
        QTest::addColumn<QStringList>("channels"); // "channel=frequency" of every row imported
        QTest::addColumn<int>("refused");

        const QString zeroBased = "Location,Frequency\r\n0,145.000000\r\n1,145.025000\r\n2,145.050000\r\n";
        const QString anywhere = "Location,Frequency\r\n99,146.000000\r\n5,146.025000\r\n";
        QTest::newRow("by location, from 0") << zeroBased << 0 << false << orx::CsvNumbering::ShiftedFromZero
                                             << QStringList{"1=145.00000", "2=145.02500", "3=145.05000"} << 0;
        QTest::newRow("by location, from 1")
            << "Location,Frequency\r\n1,145.000000\r\n3,145.025000\r\n"
            << 0 << false << orx::CsvNumbering::ByLocation << QStringList{"1=145.00000", "3=145.02500"} << 0;
        QTest::newRow("at row 10") << anywhere << 10 << false << orx::CsvNumbering::FromFirstChannel
                                   << QStringList{"10=146.00000", "11=146.02500"} << 0;
        QTest::newRow("0-based list at row 1")
            << zeroBased << 1 << false << orx::CsvNumbering::FromFirstChannel
            << QStringList{"1=145.00000", "2=145.02500", "3=145.05000"} << 0;
        QTest::newRow("past the serial number")
            << anywhere << 62 << true << orx::CsvNumbering::FromFirstChannel
            << QStringList{"62=146.00000", "64=146.02500"} << 0;
        QTest::newRow("on the serial number's row")
            << anywhere << 63 << true << orx::CsvNumbering::FromFirstChannel
            << QStringList{"64=146.00000", "65=146.02500"} << 0;
        QTest::newRow("past the last channel")
            << anywhere << 128 << false << orx::CsvNumbering::FromFirstChannel << QStringList{"128=146.00000"}
            << 1;
    }
    void rowsFindTheirChannels()
    {
        QFETCH(QString, csv);
        QFETCH(int, firstChannel);
        QFETCH(bool, serialNumber);
        QFETCH(orx::CsvNumbering, numbering);
        QFETCH(QStringList, channels);
        QFETCH(int, refused);

        testsupport::ScratchAppDirectory dir(testsupport::TwoModelIni());
        CProgramDoc doc(TestContext());
        CChannelController commands(doc);
        doc.OnNewDocument();
        if (serialNumber) {
            std::array<std::uint8_t, orx::map::kSerialNumberSize> serial{};
            serial.fill(orx::map::kErased);
            serial[0] = 'A';
            doc.SetSerialNumber(serial);
        }
        const orx::ChannelEntryTable before = doc.channels();
        const int steps = doc.undoStack()->count();

        const QByteArray bytes = csv.toUtf8();
        const orx::CsvImport result =
            commands.ImportCsv(std::string_view(bytes.constData(), bytes.size()), firstChannel);
        QCOMPARE(result.numbering, numbering);
        QCOMPARE(result.count(orx::CsvOutcome::Refused), refused);
        QStringList got;
        for (int row = 1; row <= orx::ChannelEntryTable::kCount; ++row) {
            const std::string& rx = doc.channels().entry(row).texts[orx::ColRxFrequency];
            if (!(doc.channels().entry(row) == before.entry(row)))
                got << QStringLiteral("%1=%2").arg(row).arg(QString::fromStdString(rx));
        }
        QCOMPARE(got, channels);

        // The whole file is one step, and undoing it gives the table as it was.
        QCOMPARE(doc.undoStack()->count(), steps + 1);
        doc.undoStack()->undo();
        QVERIFY(doc.channels() == before);
    }
};

QTEST_MAIN(TestControllerImport)
#include "tst_controller_import.moc"
