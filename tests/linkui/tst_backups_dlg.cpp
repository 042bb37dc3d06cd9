// The backups dialog: the backups of the folder in a table, newest first, with their kind, band and
// serial number; files not named like a backup stay out; Open ends it with the chosen file.

#include "BackupsDlg.h"
#include "ChannelDataFile.h"
#include "FeatureCodecs.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace orx;

class TestBackupsDlg : public QObject {
    Q_OBJECT
private slots:
    void listsBackupsNewestFirst()
    {
        QTemporaryDir dir;
        RadioImage image;
        image.resetToNewDocument();
        RadioImage withSerial = image;
        EncodeSerialNumber("SN-4711", withSerial);
        auto save = [&dir](const QString& name, const RadioImage& content) {
            QVERIFY(SaveChannelData(QFile::encodeName(dir.filePath(name)).toStdString(), content));
        };
        save("2024-05-01_14-03-22_read_136-174MHz.sin", image);
        save("2024-05-02_09-00-00_before-write_136-174MHz.sin", image);
        save("2024-05-02_09-00-01_write_136-174MHz.sin", withSerial);
        save("notes.sin", image);

        CBackupsDlg dialog(dir.path());
        QTableWidget* table = dialog.table();
        QCOMPARE(table->rowCount(), 3);
        const QStringList expected[] = {
            {"2024-05-02 09:00:01", "写入", "136-174MHz", "SN-4711", "4096 字节"},
            {"2024-05-02 09:00:00", "写入前", "136-174MHz", "", "4096 字节"},
            {"2024-05-01 14:03:22", "读出", "136-174MHz", "", "4096 字节"},
        };
        for (int row = 0; row < 3; ++row) {
            QStringList cells;
            for (int col = 0; col < table->columnCount(); ++col)
                cells << table->item(row, col)->text();
            QCOMPARE(cells, expected[row]);
        }

        table->selectRow(1);
        const auto buttons = dialog.findChildren<QPushButton*>();
        const auto open = std::find_if(buttons.begin(), buttons.end(),
                                       [](QPushButton* b) { return b->text() == QStringLiteral("打开"); });
        QVERIFY(open != buttons.end());
        (*open)->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.selectedPath(),
                 QDir(dir.path()).absoluteFilePath("2024-05-02_09-00-00_before-write_136-174MHz.sin"));

        // Escape closes it with nothing chosen.
        CBackupsDlg again(dir.path());
        again.show();
        QTest::keyClick(again.table(), Qt::Key_Escape);
        QVERIFY(!again.isVisible());
        QVERIFY(again.selectedPath().isEmpty());
    }
};

QTEST_MAIN(TestBackupsDlg)
#include "tst_backups_dlg.moc"
