// Unsaved edits are never dropped without a question: every kind of edit counts, an open or a save
// leaves nothing to ask about, and New, Open, the factory defaults and a read all ask first.

#include "CMSFlexGrid.h"
#include "ChannelCodec.h"
#include "ChannelEdit.h"
#include "ChannelDataFile.h"
#include "DocumentCommands.h"
#include "FeatureCodecs.h"
#include "MainFrame.h"
#include "ProgramApp.h"
#include "ProgramDoc.h"
#include "ProgramView.h"
#include "TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace testsupport;

namespace {

const QString kQuestion = QStringLiteral("是否保存对当前数据的修改?");

// Runs act; every modal dialog that opens meanwhile is answered with the button named answer (a
// dialog of the program's own is closed). Returns the texts of the message boxes, in order.
QStringList answering(const QString& answer, const std::function<void()>& act)
{
    QStringList asked;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        if (qobject_cast<QMessageBox*>(modal)) {
            asked << MessageBoxText(modal);
            ClickButton(modal, answer);
        } else {
            static_cast<QDialog*>(modal)->reject();
        }
    });
    timer.start();
    act();
    timer.stop();
    return asked;
}

QByteArray imageBytes(const orx::RadioImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.data().data()), qsizetype(image.data().size()));
}

// A file with two channels, so that adding, deleting and pasting all change something.
orx::RadioImage sampleImage()
{
    orx::RadioImage image;
    image.resetToNewDocument();
    orx::EncodeChannel(orx::DefaultChannelTexts("145.00000"), 1, image);
    orx::EncodeChannel(orx::DefaultChannelTexts("146.00000"), 2, image);
    return image;
}

QComboBox* list(CProgramView* view, const char* name)
{
    return view->findChild<QComboBox*>(QString::fromLatin1(name));
}

} // namespace

class TestUnsavedEdits : public QObject {
    Q_OBJECT

    std::unique_ptr<ViewFixture> m_f;
    QString m_path;

    CProgramView* view() const { return m_f->view; }
    CMSFlexGrid* grid() const { return m_f->view->grid(); }

    void edit(const QString& kind)
    {
        CProgramView* v = view();
        if (kind == "typed frequency") {
            grid()->SetRow(5);
            grid()->SetCol(orx::ColRxFrequency);
            grid()->setFocus();
            QTest::keyClicks(grid(), "147");
            QTest::keyClick(v->findChild<QLineEdit*>(QStringLiteral("frequencyEdit")), Qt::Key_Return);
        } else if (kind == "add") {
            grid()->SetRow(1);
            v->findChild<QPushButton*>(QStringLiteral("addButton"))->click();
        } else if (kind == "delete") {
            grid()->SetRow(1);
            v->findChild<QPushButton*>(QStringLiteral("deleteButton"))->click();
        } else if (kind == "paste") {
            QGuiApplication::clipboard()->setText(QStringLiteral("150"));
            grid()->SetRow(10);
            grid()->SetCol(orx::ColRxFrequency);
            grid()->setFocus();
            QTest::keyClick(grid(), Qt::Key_V, Qt::ControlModifier);
        } else if (kind == "Delete key") {
            grid()->SetRow(2);
            grid()->SetCol(orx::ColRxFrequency);
            grid()->setFocus();
            QTest::keyClick(grid(), Qt::Key_Delete);
        } else if (kind == "CSV import") {
            m_f->appDir.writeFile(QStringLiteral("in.csv"), "Location,Frequency\r\n7,147.5\r\n");
            answering(QStringLiteral("确定"),
                      [&] { v->ImportCsvFile(m_f->appDir.file(QStringLiteral("in.csv"))); });
        } else if (kind == "settings list") {
            QComboBox* squelch = list(v, "squelchList");
            squelch->setFocus();
            QTest::keyClick(squelch, Qt::Key_Down);
        } else if (kind == "password") {
            auto* password = v->findChild<QLineEdit*>(QStringLiteral("passwordEdit"));
            password->setFocus();
            QTest::keyClicks(password, "42");
        } else if (kind == "band list") {
            QComboBox* bands = list(v, "bandList");
            bands->setFocus();
            QTest::keyClick(bands, Qt::Key_Down);
        } else if (kind == "DTMF dialog") {
            AnswerNextModal([](QWidget* dialog) {
                auto* code = dialog->findChild<QLineEdit*>(QStringLiteral("pttIdEdit"));
                code->setFocus();
                QTest::keyClicks(code, "123");
                QVERIFY(ClickButton(dialog, QStringLiteral("确定")));
            });
            v->OnDtmf();
        } else if (kind == "serial number") {
            AnswerNextModal([](QWidget* dialog) {
                QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("serialNumberEdit")), "SN1");
                QVERIFY(ClickButton(dialog, QStringLiteral("确定")));
            });
            v->OnSerialNumber();
        } else {
            QFAIL(qPrintable("no such edit: " + kind));
        }
    }

private slots:
    void init()
    {
        m_f = std::make_unique<ViewFixture>();
        m_path = m_f->appDir.file(QStringLiteral("sample.sin"));
        m_f->appDir.writeFile(QStringLiteral("sample.sin"), imageBytes(sampleImage()));
        QVERIFY(m_f->doc->OnOpenDocument(m_path));
    }
    void cleanup() { m_f.reset(); }

    void everyEditIsAskedAbout_data()
    {
        QTest::addColumn<QString>("kind");
        for (const char* kind : {"typed frequency", "add", "delete", "paste", "Delete key", "CSV import",
                                 "settings list", "password", "band list", "DTMF dialog", "serial number"})
            QTest::newRow(kind) << QString::fromLatin1(kind);
    }
    void everyEditIsAskedAbout()
    {
        QFETCH(QString, kind);
        // Nothing to ask about right after an open.
        QVERIFY(!m_f->doc->IsModified());
        edit(kind);
        QVERIFY(m_f->doc->IsModified());

        // 取消 keeps everything as it is.
        const orx::RadioImage screen = m_f->doc->ScreenImage();
        QCOMPARE(answering(QStringLiteral("取消"), [&] { QVERIFY(!doccmd::FileNew(*m_f->doc, view())); }),
                 QStringList{kQuestion});
        QVERIFY(m_f->doc->ScreenImage() == screen);
        QCOMPARE(m_f->doc->pathName(), m_path);

        // 是 saves first, and then nothing is left to ask about.
        QCOMPARE(answering(QStringLiteral("是"), [&] { QVERIFY(doccmd::FileNew(*m_f->doc, view())); }),
                 QStringList{kQuestion});
        orx::RadioImage saved;
        QCOMPARE(orx::LoadChannelData(m_path.toStdString(), saved), orx::LoadResult::Ok);
        QVERIFY(saved == screen);
        QVERIFY(m_f->doc->pathName().isEmpty());
        QCOMPARE(answering(QStringLiteral("取消"), [&] { QVERIFY(doccmd::FileNew(*m_f->doc, view())); }),
                 QStringList{});
    }

    void saveLeavesNothingToAsk()
    {
        edit(QStringLiteral("typed frequency"));
        QVERIFY(m_f->doc->OnSaveDocument(m_path));
        QCOMPARE(answering(QStringLiteral("取消"),
                           [&] { QVERIFY(doccmd::OpenDocumentFile(*m_f->doc, m_path, view())); }),
                 QStringList{});
    }

    void undoneEditLeavesNothingToAsk()
    {
        edit(QStringLiteral("add"));
        view()->Undo();
        QVERIFY(!m_f->doc->IsModified());
    }

    void everyReplacingCommandAsks_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("New") << "new";
        QTest::newRow("Open") << "open";
        QTest::newRow("factory defaults") << "factory";
        QTest::newRow("read from the radio") << "read";
    }
    void everyReplacingCommandAsks()
    {
        QFETCH(QString, command);
        m_f->appDir.writeFile(QStringLiteral("Factory default.sin"), imageBytes(orx::RadioImage()));
        view()->SetDealerMode(true);
        edit(QStringLiteral("typed frequency"));
        const orx::RadioImage screen = m_f->doc->ScreenImage();
        // 否 goes on without the edits, 取消 stops the command: a read never starts.
        const QString answer = command == "read" ? QStringLiteral("取消") : QStringLiteral("否");
        const QStringList asked = answering(answer, [&] {
            if (command == "new")
                doccmd::FileNew(*m_f->doc, view());
            else if (command == "open")
                doccmd::OpenDocumentFile(*m_f->doc, m_path, view());
            else if (command == "factory")
                view()->findChild<QPushButton*>(QStringLiteral("factoryButton"))->click();
            else
                view()->OnRead();
        });
        QCOMPARE(asked, QStringList{kQuestion});
        QCOMPARE(m_f->doc->ScreenImage() == screen, command == "read");
        QCOMPARE(m_f->doc->IsModified(), command == "read");
    }

    void statusBarNamesTheFileAndMarksEdits()
    {
        ScratchAppDirectory dir(TwoModelIni());
        CProgramApp app({QStringLiteral("orxprog")}, dir.path());
        QVERIFY(app.InitInstance());
        auto* label = app.mainFrame()->findChild<QLabel*>(QStringLiteral("documentStatus"));
        QVERIFY(label);
        QCOMPARE(label->text(), QStringLiteral("无标题"));
        app.view()->EditRow(3, orx::DefaultChannelTexts("145.00000"));
        QCOMPARE(label->text(), QStringLiteral("无标题 (已修改)"));
        QVERIFY(app.document()->OnSaveDocument(dir.file(QStringLiteral("named.sin"))));
        QCOMPARE(label->text(), QStringLiteral("named.sin"));
        QCOMPARE(app.mainFrame()->windowTitle(), QStringLiteral("ORX 写频软件"));
    }
};

QTEST_MAIN(TestUnsavedEdits)
#include "tst_unsaved_edits.moc"
