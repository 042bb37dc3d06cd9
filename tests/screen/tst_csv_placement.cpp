// Where the rows of a CSV file land: by Location, shifted by one for a list that counts from 0, or
// in file order from a first channel the user chose, past row 63 while it holds the serial number.

#include "ChannelCsv.h"
#include "ChannelEntryTable.h"
#include "FeatureCodecs.h"

#include <QTest>

using namespace orx;

Q_DECLARE_METATYPE(orx::CsvNumbering)

class TestCsvPlacement : public QObject {
    Q_OBJECT

private slots:
    void rowsLandWhereTheyShould_data()
    {
        QTest::addColumn<QByteArray>("rows"); // after the header Location,Frequency
        QTest::addColumn<int>("firstChannel");
        QTest::addColumn<bool>("serialNumber");
        QTest::addColumn<CsvNumbering>("numbering");
        QTest::addColumn<QList<int>>("channels"); // per row; 0 for a refused row
        QTest::newRow("by location") << QByteArray("1,145\n5,146\n") << 0 << false << CsvNumbering::ByLocation
                                     << QList<int>{1, 5};
        QTest::newRow("a list counting from 0")
            << QByteArray("0,145\n1,146\n2,147\n127,148\n128,149\n") << 0 << false
            << CsvNumbering::ShiftedFromZero << QList<int>{1, 2, 3, 128, 0};
        QTest::newRow("from a first channel, locations ignored")
            << QByteArray("9,145\n9,146\n,147\n") << 10 << false << CsvNumbering::FromFirstChannel
            << QList<int>{10, 11, 12};
        QTest::newRow("past row 63 while it holds the serial number")
            << QByteArray("1,145\n2,146\n") << 63 << true << CsvNumbering::FromFirstChannel
            << QList<int>{64, 65};
        QTest::newRow("past the last channel") << QByteArray("1,145\n2,146\n") << 128 << false
                                               << CsvNumbering::FromFirstChannel << QList<int>{128, 0};
    }

    void rowsLandWhereTheyShould()
    {
        QFETCH(QByteArray, rows);
        QFETCH(int, firstChannel);
        QFETCH(bool, serialNumber);
        QFETCH(CsvNumbering, numbering);
        QFETCH(QList<int>, channels);
        RadioImage image;
        image.resetToNewDocument();
        if (serialNumber)
            EncodeSerialNumber("SN-1", image);
        ChannelEntryTable table = ChannelEntryTable::FromImage(image);
        const std::string text = "Location,Frequency\n" + rows.toStdString();
        CsvImport result =
            ImportChannelCsv(text, table.allTexts(), BandLimits{},
                             firstChannel ? PlacementFrom(table, firstChannel) : CsvPlacement{});
        ApplyCsvImport(result, table);
        QCOMPARE(result.problem, CsvProblem::None);
        QCOMPARE(result.numbering, numbering);
        QCOMPARE(result.rows.size(), std::size_t(channels.size()));
        for (int i = 0; i < channels.size(); ++i) {
            const CsvRowResult& row = result.rows[std::size_t(i)];
            if (channels[i] == 0) {
                QCOMPARE(row.outcome, CsvOutcome::Refused);
                QCOMPARE(row.refusal, CsvRefusal::BadLocation);
                continue;
            }
            QCOMPARE(row.location, channels[i]);
            QCOMPARE(row.outcome, CsvOutcome::Added);
            QVERIFY(!table.texts(channels[i]).empty());
        }
        QCOMPARE(table.holdsSerialNumber(), serialNumber);
    }
};

QTEST_GUILESS_MAIN(TestCsvPlacement)
#include "tst_csv_placement.moc"
