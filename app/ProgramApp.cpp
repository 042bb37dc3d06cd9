#include "ProgramApp.h"

#include "AboutDlg.h"
#include "FileNames.h"
#include "DocumentCommands.h"
#include "MainFrame.h"
#include "ProgramDoc.h"
#include "ProgramView.h"
#include "StartupProbe.h"
#include "Texts.h"
#include "Tr.h"
#include "UserSettings.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QSettings>
#include <QStandardPaths>

#include <cstdio>
#include <filesystem>
#include <optional>

namespace {

constexpr const char* kDealerOption = "dealer";

} // namespace

CProgramApp::CProgramApp(QStringList arguments, QString appDirectory, QObject* parent)
    : QObject(parent), m_arguments(std::move(arguments)), m_appDirectory(std::move(appDirectory))
{
}

CProgramApp::~CProgramApp()
{
    // The frame owns the view, which refers to the document: the frame goes first.
    m_frame.reset();
    m_doc.reset();
}

QIcon CProgramApp::AppIcon()
{
    QIcon icon;
    // The sizes a window needs; the large ones (for the desktop) are installed as files and would only
    // slow the start: every PNG given here is decoded at once.
    for (int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/orxprog-%1.png").arg(size), QSize(size, size));
    return icon;
}

QString CProgramApp::UsageText()
{
    return res::Tr(res::kUsage);
}

namespace {

constexpr const char* kLanguageKey = "View/Language";

QString languageCode(CProgramApp::Language language)
{
    return language == CProgramApp::Language::English ? QStringLiteral("en") : QStringLiteral("zh");
}

std::optional<CProgramApp::Language> languageOf(const QString& code)
{
    if (code.compare(QStringLiteral("en"), Qt::CaseInsensitive) == 0)
        return CProgramApp::Language::English;
    if (code.compare(QStringLiteral("zh"), Qt::CaseInsensitive) == 0)
        return CProgramApp::Language::Chinese;
    return std::nullopt;
}

} // namespace

QString CProgramApp::UsageText(const QString& languageCode)
{
    QTranslator english;
    if (languageOf(languageCode) == Language::English && english.load(QStringLiteral(":/i18n/orxprog_en.qm")))
        return english.translate(res::kTrContext, res::kUsage);
    return QString::fromUtf8(res::kUsage);
}

CProgramApp::Language CProgramApp::StoredLanguage()
{
    return languageOf(UserSettings().value(QString::fromLatin1(kLanguageKey)).toString())
        .value_or(Language::Chinese);
}

void CProgramApp::SetLanguage(Language language)
{
    UserSettings().setValue(QString::fromLatin1(kLanguageKey), languageCode(language));
    if (language == m_language)
        return;
    applyLanguage(language);
}

void CProgramApp::applyLanguage(Language language)
{
    m_language = language;
    QCoreApplication::removeTranslator(&m_appTranslator);
    QCoreApplication::removeTranslator(&m_qtTranslator);
    // Chinese is the program's own: no translation of its texts, only Qt's.
    const bool english = language == Language::English;
    if (english && m_appTranslator.load(QStringLiteral(":/i18n/orxprog_en.qm")))
        QCoreApplication::installTranslator(&m_appTranslator);
    const QLocale locale = english ? QLocale(QLocale::English, QLocale::UnitedStates)
                                   : QLocale(QLocale::Chinese, QLocale::China);
    if (m_qtTranslator.load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qtTranslator);
    // Qt posts the change to every window; the open ones show the new language before this returns.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

CProgramView* CProgramApp::view() const
{
    return m_frame ? m_frame->view() : nullptr;
}

bool CProgramApp::InitInstance()
{
    QApplication::setApplicationName(QStringLiteral("orxprog"));
    // The desktop shell finds the icon of the running program through its installed entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("orxprog"));
    // Program.ini lies in this folder; the view reads it already while the first document is made.
    if (m_appDirectory.isEmpty())
        m_appDirectory = QDir(QCoreApplication::applicationDirPath()).absolutePath() + QLatin1Char('/');
    m_context.SetAppDirectory(m_appDirectory);

    QCommandLineParser parser;
    parser.addOption(QCommandLineOption(QString::fromLatin1(kDealerOption)));
    const QCommandLineOption lang(QStringLiteral("lang"), QString(), QStringLiteral("language"));
    parser.addOption(lang);
    parser.addPositionalArgument(QStringLiteral("file"), QString());
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(help);
    parser.parse(m_arguments); // unknown options are ignored rather than refused

    // The program speaks Chinese whatever the system's language, Qt's own dialogs and buttons too,
    // until the user chooses English in the menu or with --lang en. An unknown --lang is ignored.
    applyLanguage(languageOf(parser.value(lang)).value_or(StoredLanguage()));
    // No application display name: the window system would add it after every dialog's caption
    // ("读数据 — ORX 写频软件"), and each caption is the program's own text alone.
    QApplication::setWindowIcon(AppIcon());

    if (parser.isSet(help)) {
        std::fputs(UsageText().toLocal8Bit().constData(), stdout);
        m_exitCode = 0;
        return false;
    }
    m_dealer = parser.isSet(QString::fromLatin1(kDealerOption));
    if (!parser.positionalArguments().isEmpty()) {
        // The name keeps the bytes it was given (FileNames.h); a relative one is made absolute here,
        // on the bytes of the working folder, so that nothing decodes it on the way.
        m_fileToOpen = parser.positionalArguments().constFirst();
        if (QDir::isRelativePath(DisplayFileName(m_fileToOpen))) {
            const std::string cwd = std::filesystem::current_path().string();
            m_fileToOpen =
                FileNameFromBytes(QByteArray::fromStdString(cwd)) + QLatin1Char('/') + m_fileToOpen;
        }
    }

    // The document, the frame and the form view belong together for the whole run.
    m_doc = std::make_unique<CProgramDoc>(m_context);
    m_context.SetPortName(QStringLiteral("COM1"));
    auto* view = new CProgramView(*m_doc);
    m_frame = std::make_unique<CMainFrame>(*this, view);
    view->SetDealerMode(m_dealer);
    m_frame->SetDealerMode(m_dealer);

    if (m_fileToOpen.isEmpty()) {
        m_doc->OnNewDocument();
    } else {
        QString error;
        if (!m_doc->OnOpenDocument(m_fileToOpen, &error)) {
            QMessageBox::critical(nullptr, res::Tr(res::kAppTitle),
                                  error + QStringLiteral("\n") +
                                      res::Tr(res::kStartFileFailed)
                                          .arg(QDir::toNativeSeparators(DisplayFileName(m_fileToOpen))));
            m_exitCode = 1;
            return false;
        }
    }

    m_context.LoadPortName();

    WatchFirstPaint(m_frame.get());
    m_frame->show();
    return true;
}

int CProgramApp::Run()
{
    const int rc = QApplication::exec();
    ExitInstance();
    return rc;
}

void CProgramApp::ExitInstance()
{
    QString unreadable;
    QString storedIn;
    const bool stored = m_context.StorePortName(&unreadable, &storedIn);
    // A Program.ini the program cannot read is left exactly as it is; say where the port went.
    if (unreadable.isEmpty())
        return;
    const QString where = stored ? QStringLiteral("the port is stored in %1").arg(storedIn)
                                 : QStringLiteral("the port is not stored");
    std::fprintf(stderr,
                 "orxprog: %s is not text the program can read (UTF-8 or GBK); it is left unchanged and %s\n",
                 qPrintable(unreadable), qPrintable(where));
}

void CProgramApp::OnFileNew()
{
    doccmd::FileNew(*m_doc, m_frame.get());
}

void CProgramApp::OnFileOpen()
{
    doccmd::FileOpen(*m_doc, m_frame.get());
}

QPrinter* CProgramApp::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return m_printer.get();
}

void CProgramApp::OnFilePrint()
{
    QPrintDialog dialog(printer(), m_frame.get());
    if (dialog.exec() == QDialog::Accepted)
        view()->PrintTo(printer());
}

void CProgramApp::OnFilePrintPreview()
{
    QPrintPreviewDialog preview(printer(), m_frame.get());
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* p) { view()->PrintTo(p); });
    preview.exec();
}

void CProgramApp::OnFilePrintSetup()
{
    QPageSetupDialog dialog(printer(), m_frame.get());
    dialog.exec();
}

void CProgramApp::OnAppAbout()
{
    CAboutDlg about(m_frame.get());
    about.exec();
}
