// The editing session through the real window: a read is the radio's data and never saved over
// the file that was open, and closing the window with unsaved edits asks whether to save them.

#include "ChannelDataFile.h"
#include "ChannelCodec.h"
#include "ChannelEdit.h"
#include "DocumentCommands.h"
#include "LinkTestSupport.h"
#include "MainFrame.h"
#include "ProgramApp.h"
#include "ProgramDoc.h"
#include "ProgramView.h"
#include "RadioSim.h"
#include "TestSupport.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace testsupport;

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray imageBytes(const orx::RadioImage& image)
{
    return QByteArray(reinterpret_cast<const char*>(image.data().data()), orx::map::kImageSize);
}

} // namespace

class TestEditingSession : public QObject {
    Q_OBJECT
private slots:
    void readThenSaveLeavesTheOpenFileAlone()
    {
        ScratchAppDirectory dir(TwoModelIni());
        CProgramApp app({QStringLiteral("orxprog")}, dir.path());
        QVERIFY(app.InitInstance());
        orx::RadioImage file;
        file.resetToNewDocument();
        dir.writeFile(QStringLiteral("x.sin"), imageBytes(file));
        const QString path = dir.file(QStringLiteral("x.sin"));
        QVERIFY(app.document()->OnOpenDocument(path));
        const QByteArray before = fileBytes(path);

        linktest::SimulatedRadio radio;
        QVERIFY(radio.ok());
        orx::RadioImage memory;
        memory.data() = orx::sim::RadioSim::DefaultMemory();
        orx::EncodeChannel(orx::DefaultChannelTexts("146.52000"), 1, memory);
        radio->setMemory(memory.data());
        app.document()->context().SetPortName(radio.device());
        linktest::WhenModal("CTransferDlg", [](QWidget* dlg) {
            QTest::mouseClick(dlg->findChild<QPushButton*>(QStringLiteral("startButton")), Qt::LeftButton);
        });
        app.mainFrame()->actions().read->trigger();
        QCOMPARE(app.view()->RowTexts(1)[orx::ColRxFrequency], std::string("146.52000"));

        // Ctrl+S asks for a name, suggesting the date and band of the read in the folder last used.
        auto* label = app.mainFrame()->findChild<QLabel*>(QStringLiteral("documentStatus"));
        QVERIFY2(label->text().startsWith(QStringLiteral("对讲机数据（读于 ")), qPrintable(label->text()));
        QString suggested;
        AnswerNextModal([&](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            if (dialog && !dialog->selectedFiles().isEmpty())
                suggested = dialog->selectedFiles().constFirst();
            static_cast<QDialog*>(w)->reject();
        });
        app.mainFrame()->actions().save->trigger();
        QVERIFY2(suggested.endsWith(QStringLiteral("_136-174MHz.sin")), qPrintable(suggested));
        QCOMPARE(QFileInfo(suggested).absolutePath(), QFileInfo(path).absolutePath());
        QCOMPARE(fileBytes(path), before);

        // The name the user gives is where the radio's data go; the file opened before stays.
        const QString target = dir.file(QStringLiteral("radio.sin"));
        AnswerNextModal([&](QWidget* w) {
            w->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(target);
            QMetaObject::invokeMethod(w, "accept");
        });
        app.mainFrame()->actions().save->trigger();
        QCOMPARE(fileBytes(path), before);
        QCOMPARE(fileBytes(target), imageBytes(app.document()->ScreenImage()));
        QCOMPARE(label->text(), QStringLiteral("radio.sin"));
    }

    void closingWithEditsAsksWhetherToSave_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saved");
        QTest::newRow("是 saves and closes") << QStringLiteral("是") << true << true;
        QTest::newRow("否 closes without saving") << QStringLiteral("否") << true << false;
        QTest::newRow("取消 stays") << QStringLiteral("取消") << false << false;
        QTest::newRow("no edits: the fixed question") << QString() << true << false;
    }
    void closingWithEditsAsksWhetherToSave()
    {
        QFETCH(QString, answer);
        QFETCH(bool, closes);
        QFETCH(bool, saved);
        ScratchAppDirectory dir(TwoModelIni());
        CProgramApp app({QStringLiteral("orxprog")}, dir.path());
        QVERIFY(app.InitInstance());
        const QString path = dir.file(QStringLiteral("edits.sin"));
        QVERIFY(app.document()->OnSaveDocument(path));
        const QByteArray before = fileBytes(path);
        if (!answer.isEmpty())
            app.view()->EditRow(5, orx::DefaultChannelTexts("145.50000"));
        const orx::RadioImage screen = app.document()->ScreenImage();
        app.mainFrame()->show();

        QString asked;
        QString kind;
        AnswerNextModal([&](QWidget* w) {
            kind = QString::fromLatin1(w->metaObject()->className());
            asked = MessageBoxText(w);
            if (qobject_cast<QMessageBox*>(w))
                ClickButton(w, answer);
            else
                ClickButton(w, QStringLiteral("是"));
        });
        QCOMPARE(app.mainFrame()->close(), closes);
        if (answer.isEmpty()) {
            QCOMPARE(kind, QStringLiteral("CExitConfirmDlg"));
        } else {
            QCOMPARE(kind, QStringLiteral("QMessageBox"));
            QCOMPARE(asked, QStringLiteral("是否保存对当前数据的修改?"));
        }
        QCOMPARE(fileBytes(path), saved ? imageBytes(screen) : before);
        QCOMPARE(app.document()->IsModified(), !answer.isEmpty() && !saved);
    }

    void editMenuNamesTheStepItTakes()
    {
        ScratchAppDirectory dir(TwoModelIni());
        CProgramApp app({QStringLiteral("orxprog")}, dir.path());
        QVERIFY(app.InitInstance());
        QAction* undo = app.view()->undoAction();
        QAction* redo = app.view()->redoAction();
        app.view()->EditRow(5, orx::DefaultChannelTexts("145.50000"));
        QCOMPARE(undo->text(), QStringLiteral("撤销 修改信道(&U)"));
        undo->trigger();
        QCOMPARE(redo->text(), QStringLiteral("重做 修改信道(&R)"));
        QCOMPARE(undo->text(), QStringLiteral("撤销(&U)"));
        QVERIFY(!app.document()->IsModified());
    }

    void openAsksAboutEditsBeforeItsFileDialog()
    {
        ScratchAppDirectory dir(TwoModelIni());
        CProgramApp app({QStringLiteral("orxprog")}, dir.path());
        QVERIFY(app.InitInstance());
        app.view()->EditRow(5, orx::DefaultChannelTexts("145.50000"));
        QString first;
        AnswerNextModal([&](QWidget* w) {
            first = QString::fromLatin1(w->metaObject()->className());
            if (!ClickButton(w, QStringLiteral("取消")))
                static_cast<QDialog*>(w)->reject();
        });
        app.mainFrame()->actions().open->trigger();
        QCOMPARE(first, QStringLiteral("QMessageBox"));
        QVERIFY(app.document()->IsModified());
    }

    void yesWithoutAFileAsksForANameAndStaysWhenCancelled()
    {
        ScratchAppDirectory dir(TwoModelIni());
        CProgramApp app({QStringLiteral("orxprog")}, dir.path());
        QVERIFY(app.InitInstance());
        app.view()->EditRow(5, orx::DefaultChannelTexts("145.50000"));
        app.mainFrame()->show();
        bool fileDialog = false;
        AnswerNextModal([&](QWidget* w) {
            ClickButton(w, QStringLiteral("是"));
            AnswerNextModal([&](QWidget* d) {
                fileDialog = qobject_cast<QFileDialog*>(d) != nullptr;
                static_cast<QDialog*>(d)->reject();
            });
        });
        QVERIFY(!app.mainFrame()->close());
        QVERIFY(fileDialog);
        QVERIFY(app.document()->IsModified());
    }
    void writeProtectedFileIsNeverReplacedAndOffersSaveAs()
    {
        ScratchAppDirectory dir(TwoModelIni());
        CProgramApp app({QStringLiteral("orxprog")}, dir.path());
        QVERIFY(app.InitInstance());
        const QString path = dir.file(QStringLiteral("kept.sin"));
        QVERIFY(app.document()->OnSaveDocument(path));
        QVERIFY(app.document()->OnOpenDocument(path));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        const QByteArray before = fileBytes(path);
        app.view()->EditRow(5, orx::DefaultChannelTexts("145.50000"));

        QString asked;
        bool fileDialog = false;
        AnswerNextModal([&](QWidget* w) {
            asked = w->objectName();
            ClickButton(w, QStringLiteral("另存为..."));
            AnswerNextModal([&](QWidget* d) {
                fileDialog = qobject_cast<QFileDialog*>(d) != nullptr;
                static_cast<QDialog*>(d)->reject();
            });
        });
        app.mainFrame()->actions().save->trigger();
        QCOMPARE(asked, QStringLiteral("writeProtectedQuestion"));
        QVERIFY(fileDialog);
        QCOMPARE(fileBytes(path), before);
        QVERIFY(app.document()->IsModified());
    }
};

QTEST_MAIN(TestEditingSession)
#include "tst_editing_session.moc"
