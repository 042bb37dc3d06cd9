// The application context: the catalogue is read once and again only when Program.ini changes,
// reading it creates nothing, and one transfer at a time holds the busy mark.

#include "AppContext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <thread>

namespace {

bool writeIni(const QString& path, const QByteArray& text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(text) == text.size();
}

} // namespace

class AppContextTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        // No user's copy or system file of this machine takes part.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_scratch.filePath(QStringLiteral("config"))));
        CProgramIni::SetSystemPath(m_scratch.filePath(QStringLiteral("no-system/Program.ini")));
    }

    void catalogueIsReadAgainOnlyWhenTheFileChanges()
    {
        QTemporaryDir app;
        CAppContext context(app.path());
        const QString ini = app.filePath(QStringLiteral("Program.ini"));
        QVERIFY(writeIni(ini, "[Setup]\nType0=ORX-V1\nField0=136-174MHz\n"));
        QCOMPARE(context.RadioCatalog().models, std::vector<std::string>{"ORX-V1"});
        const orx::RadioCatalog* first = &context.RadioCatalog();
        QCOMPARE(context.RadioCatalog().fields[0], std::string("136-174MHz"));

        // Another model list, of another length, is seen at the next look.
        QVERIFY(writeIni(ini, "[Setup]\nType0=ORX-V1\nType1=ORX-U2\nField1=400-480MHz\n"));
        QCOMPARE(context.RadioCatalog().models, (std::vector<std::string>{"ORX-V1", "ORX-U2"}));
        QCOMPARE(&context.RadioCatalog(), first); // one catalogue, refreshed in place

        // The same length written later still counts: the time of the change does.
        QVERIFY(writeIni(ini, "[Setup]\nType0=ORX-V2\nType1=ORX-U2\nField1=400-480MHz\n"));
        QFile f(ini);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QFileInfo(ini).lastModified().addSecs(5), QFileDevice::FileModificationTime));
        f.close();
        QCOMPARE(context.RadioCatalog().models.front(), std::string("ORX-V2"));

        // A file that goes away leaves no lists.
        QVERIFY(QFile::remove(ini));
        QVERIFY(context.RadioCatalog().models.empty());
    }

    void readingTheCatalogueCreatesNothing()
    {
        QTemporaryDir app;
        CAppContext context(app.path());
        QVERIFY(context.RadioCatalog().models.empty());
        QVERIFY(!QFile::exists(app.filePath(QStringLiteral("Program.ini"))));
        // The port at start-up does: Program.ini is made where writes go.
        context.LoadPortName();
        QVERIFY(QFile::exists(app.filePath(QStringLiteral("Program.ini"))));
        QCOMPARE(context.PortName(), QString());
        context.SetPortName(QStringLiteral("/dev/ttyUSB0"));
        QVERIFY(context.StorePortName());
        CAppContext again(app.path());
        again.LoadPortName();
        QCOMPARE(again.PortName(), QStringLiteral("/dev/ttyUSB0"));
    }

    void anotherFolderIsAnotherCatalogue()
    {
        QTemporaryDir a;
        QTemporaryDir b;
        QVERIFY(writeIni(a.filePath(QStringLiteral("Program.ini")), "[Setup]\nType0=A\n"));
        QVERIFY(writeIni(b.filePath(QStringLiteral("Program.ini")), "[Setup]\nType0=B\n"));
        CAppContext context(a.path());
        QCOMPARE(context.RadioCatalog().models, std::vector<std::string>{"A"});
        context.SetAppDirectory(b.path());
        QCOMPARE(context.AppDirectory(), b.path() + QLatin1Char('/'));
        QCOMPARE(context.RadioCatalog().models, std::vector<std::string>{"B"});
    }

    void oneTransferAtATime()
    {
        CAppContext context;
        QVERIFY(!context.TransferBusy());
        // Two threads racing for the mark: exactly one gets it.
        std::atomic<int> taken{0};
        std::thread t1([&] { taken += context.BeginTransfer() ? 1 : 0; });
        std::thread t2([&] { taken += context.BeginTransfer() ? 1 : 0; });
        t1.join();
        t2.join();
        QCOMPARE(taken.load(), 1);
        QVERIFY(context.TransferBusy());
        QVERIFY(!context.BeginTransfer());
        context.EndTransfer();
        QVERIFY(!context.TransferBusy());
        QVERIFY(context.BeginTransfer());
    }

private:
    QTemporaryDir m_scratch;
};

QTEST_GUILESS_MAIN(AppContextTest)
#include "tst_app_context.moc"
