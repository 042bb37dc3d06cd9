#pragma once

// The application: the start-up order, the commands the application itself answers (new, open,
// print set-up, about), and the exit work that stores the chosen port.
//
// Start-up: the document, frame and view are made; the command line gives a new document or a file
// to open (a file that cannot be opened ends start-up); AppDirectory is set; Program.ini is made if
// missing and the port is read from it; the main window is shown.

#include "AppContext.h"

#include <QIcon>
#include <QObject>
#include <QStringList>
#include <QTranslator>

#include <memory>

class CMainFrame;
class CProgramDoc;
class CProgramView;
class QPrinter;

class CProgramApp : public QObject {
    Q_OBJECT
public:
    // Takes the program's arguments (QCoreApplication::arguments(): the program name first).
    // appDirectory replaces the executable's folder as AppDirectory (tests run on a scratch folder).
    explicit CProgramApp(QStringList arguments, QString appDirectory = QString(), QObject* parent = nullptr);
    ~CProgramApp() override;

    // Runs the start-up order; false when start-up has to end (the message was shown, or the usage
    // was printed), with exitCode() the status the process ends with.
    bool InitInstance();
    int exitCode() const { return m_exitCode; }
    // Runs the event loop until the main window closes; then ExitInstance.
    int Run();
    // Stores PortName in Program.ini.
    void ExitInstance();

    // The one application context of the run: PortName, AppDirectory, the catalogue, TransferBusy.
    CAppContext& context() { return m_context; }

    CProgramDoc* document() const { return m_doc.get(); }
    CMainFrame* mainFrame() const { return m_frame.get(); }
    CProgramView* view() const;
    bool dealerMode() const { return m_dealer; }

    static QIcon AppIcon();
    static QString UsageText();
    // The usage before the application exists, in the language of a --lang value ("en", "zh").
    static QString UsageText(const QString& languageCode);

    // The language of the program's texts and of Qt's own dialogs. The program starts in Chinese;
    // the user's choice in the menu is remembered (orxprog.conf), and --lang zh|en chooses for one
    // run. Changing it retranslates every open window.
    enum class Language { Chinese, English };
    Language language() const { return m_language; }
    void SetLanguage(Language language);
    // The language remembered from the menu, Chinese when none is.
    static Language StoredLanguage();

public slots:
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    void OnAppAbout();

private:
    QPrinter* printer();
    // Loads and installs the translators of a language (no settings written).
    void applyLanguage(Language language);

    QStringList m_arguments;
    QString m_appDirectory;
    CAppContext m_context;
    bool m_dealer = false;
    int m_exitCode = 0;
    QString m_fileToOpen;
    std::unique_ptr<CProgramDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    std::unique_ptr<QPrinter> m_printer;
    Language m_language = Language::Chinese;
    QTranslator m_qtTranslator;
    QTranslator m_appTranslator;
};
