#include "MainFrame.h"

#include "AppContext.h"
#include "Backups.h"
#include "BackupsDlg.h"
#include "CMSFlexGrid.h"
#include "CommandAction.h"
#include "DocumentCommands.h"
#include "ExitConfirmDlg.h"
#include "LockKeys.h"
#include "PortDiagnosis.h"
#include "ProgramApp.h"
#include "ProgramDoc.h"
#include "ProgramView.h"
#include "Tr.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <algorithm>

CMainFrame::CMainFrame(CProgramApp& app, CProgramView* view) : m_app(app), m_view(view)
{
    setObjectName(QStringLiteral("mainFrame"));
    // The caption never carries the document's name.
    setWindowTitle(res::Tr(res::kAppTitle));
    // The application's icon, set once at start: decoding its images a second time here cost as
    // much again.
    setWindowIcon(QApplication::windowIcon().isNull() ? CProgramApp::AppIcon() : QApplication::windowIcon());
    setCentralWidget(view);
    createActions();
    createMenus();
    createToolBar();
    createStatusBar();
    // The window opens at the size of its form, centred on the screen.
    resize(sizeHint());
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::makeAction(const char* objectName, const res::Command& command, const char* icon)
{
    QAction* a = res::MakeAction(this, objectName, command, icon);
    m_commands.emplace_back(a, &command);
    return a;
}

void CMainFrame::createActions()
{
    CProgramDoc& doc = m_view->document();
    Actions& a = m_actions;
    a.newFile = makeAction("actionNew", res::kNew, "new");
    connect(a.newFile, &QAction::triggered, &m_app, &CProgramApp::OnFileNew);
    a.open = makeAction("actionOpen", res::kOpen, "open");
    connect(a.open, &QAction::triggered, &m_app, &CProgramApp::OnFileOpen);
    // The radio link's automatic backups, listed with their time, kind and band.
    a.openBackup = makeAction("actionOpenBackup", res::kOpenBackup);
    // A backup opened is no file of the user's: Save asks for a name.
    connect(a.openBackup, &QAction::triggered, this, [this, &doc] {
        // The question about unsaved edits comes before the list of backups.
        doccmd::OpenChosen(doc, this, CProgramDoc::Origin::Backup, [this] {
            CBackupsDlg dialog(orx::BackupFolder(), this);
            return dialog.exec() == QDialog::Accepted ? dialog.selectedPath() : QString();
        });
    });
    a.save = makeAction("actionSave", res::kSave, "save");
    connect(a.save, &QAction::triggered, this, [this, &doc] { doccmd::FileSave(doc, this); });
    a.saveAs = makeAction("actionSaveAs", res::kSaveAs);
    connect(a.saveAs, &QAction::triggered, this, [this, &doc] { doccmd::FileSaveAs(doc, this); });
    a.print = makeAction("actionPrint", res::kPrint, "print");
    connect(a.print, &QAction::triggered, &m_app, &CProgramApp::OnFilePrint);
    a.printPreview = makeAction("actionPrintPreview", res::kPrintPreview);
    connect(a.printPreview, &QAction::triggered, &m_app, &CProgramApp::OnFilePrintPreview);
    a.printSetup = makeAction("actionPrintSetup", res::kPrintSetup);
    connect(a.printSetup, &QAction::triggered, &m_app, &CProgramApp::OnFilePrintSetup);
    a.importCsv = makeAction("actionImportCsv", res::kImportCsv);
    connect(a.importCsv, &QAction::triggered, m_view, &CProgramView::OnImportCsv);
    // The same file at the grid's current row: the rows go to it and the channels below in file
    // order, whatever the file's Location column says.
    a.importCsvHere = makeAction("actionImportCsvHere", res::kImportCsvHere);
    connect(a.importCsvHere, &QAction::triggered, this, [this, &doc] {
        m_view->CommitOpenEditor();
        const int row = std::clamp(m_view->grid()->Row(), 1, orx::map::kChannelCount);
        CCsvFileCommands(doc, m_view->commands(), m_view).OnImport(row);
    });
    a.exportCsv = makeAction("actionExportCsv", res::kExportCsv);
    connect(a.exportCsv, &QAction::triggered, m_view, &CProgramView::OnExportCsv);
    a.exit = makeAction("actionExit", res::kExit);
    connect(a.exit, &QAction::triggered, this, &QWidget::close);

    a.dtmf = makeAction("actionDtmf", res::kDtmf);
    connect(a.dtmf, &QAction::triggered, m_view, &CProgramView::OnDtmf);
    a.sideKeys = makeAction("actionSideKeys", res::kSideKeys);
    connect(a.sideKeys, &QAction::triggered, m_view, &CProgramView::OnSideKeys);
    a.power = makeAction("actionPower", res::kPower);
    connect(a.power, &QAction::triggered, m_view, &CProgramView::OnPower);
    a.fmRadio = makeAction("actionFmRadio", res::kFmRadio);
    connect(a.fmRadio, &QAction::triggered, m_view, &CProgramView::OnFmRadio);
    a.serialNumber = makeAction("actionSerialNumber", res::kSerialNumber);
    connect(a.serialNumber, &QAction::triggered, m_view, &CProgramView::OnSerialNumber);

    a.read = makeAction("actionRead", res::kRead, "read");
    connect(a.read, &QAction::triggered, m_view, &CProgramView::OnRead);
    a.write = makeAction("actionWrite", res::kWrite, "write");
    connect(a.write, &QAction::triggered, m_view, &CProgramView::OnWrite);

    for (int i = 0; i < 8; ++i) {
        const QString name = QString::fromLatin1(res::kPortNames[i]);
        QAction* port = makeAction(qPrintable(QStringLiteral("actionPort") + name), res::kPorts[i]);
        port->setCheckable(true);
        connect(port, &QAction::triggered, this,
                [this, name] { m_view->document().context().SetPortName(name); });
        m_portActions << port;
    }

    a.toolbar = makeAction("actionToolbar", res::kToolbar);
    a.toolbar->setCheckable(true);
    a.toolbar->setChecked(true);
    a.statusBar = makeAction("actionStatusBar", res::kStatusBar);
    a.statusBar->setCheckable(true);
    a.statusBar->setChecked(true);
    connect(a.toolbar, &QAction::toggled, this, [this](bool on) { m_toolBar->setVisible(on); });
    connect(a.statusBar, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });

    // Each language's name in its own words: whoever cannot read the one shown finds the other.
    auto* languages = new QActionGroup(this);
    a.chinese = new QAction(QString::fromUtf8(res::kLanguageChinese), languages);
    a.chinese->setObjectName(QStringLiteral("actionChinese"));
    a.english = new QAction(QString::fromUtf8(res::kLanguageEnglish), languages);
    a.english->setObjectName(QStringLiteral("actionEnglish"));
    for (QAction* language : {a.chinese, a.english})
        language->setCheckable(true);
    connect(a.chinese, &QAction::triggered, this,
            [this] { m_app.SetLanguage(CProgramApp::Language::Chinese); });
    connect(a.english, &QAction::triggered, this,
            [this] { m_app.SetLanguage(CProgramApp::Language::English); });

    a.about = makeAction("actionAbout", res::kAbout, "about");
    connect(a.about, &QAction::triggered, &m_app, &CProgramApp::OnAppAbout);
}

void CMainFrame::createMenus()
{
    const Actions& a = m_actions;
    auto addMenu = [this](const char* title) {
        QMenu* menu = menuBar()->addMenu(res::Tr(title));
        m_menus.emplace_back(menu, title);
        return menu;
    };
    QMenu* file = addMenu(res::kMenuFile);
    file->addActions({a.newFile, a.open, a.openBackup, a.save, a.saveAs});
    file->addSeparator();
    // Channel lists to and from spreadsheets and other radio tools.
    file->addActions({a.importCsv, a.importCsvHere, a.exportCsv});
    file->addSeparator();
    file->addActions({a.print, a.printPreview, a.printSetup});
    file->addSeparator();
    file->addAction(a.exit);

    m_editMenu = addMenu(res::kMenuEdit);
    m_editMenu->setObjectName(QStringLiteral("editMenu"));
    // The view owns the history and its two actions (their shortcuts work in the whole window).
    m_editMenu->addAction(m_view->undoAction());
    m_editMenu->addAction(m_view->redoAction());
    m_editMenu->addSeparator();
    // The channel commands, as in the grid's context menu.
    m_view->AddChannelCommands(m_editMenu);
    m_editMenu->addSeparator();
    m_editMenu->addActions({a.dtmf, a.sideKeys, a.power, a.fmRadio});

    QMenu* program = addMenu(res::kMenuProgram);
    program->addActions({a.read, a.write});

    m_portMenu = addMenu(res::kMenuPort);
    m_portMenu->setObjectName(QStringLiteral("portMenu"));
    m_portMenu->addActions(m_portActions);
    m_deviceSeparator = m_portMenu->addSeparator();
    connect(m_portMenu, &QMenu::aboutToShow, this, &CMainFrame::updatePortMenu);

    QMenu* viewMenu = addMenu(res::kMenuView);
    viewMenu->addActions({a.toolbar, a.statusBar});
    viewMenu->addSeparator();
    // The submenu's title names itself in both languages, in either.
    m_languageMenu = viewMenu->addMenu(QString::fromUtf8(res::kLanguageMenu));
    m_languageMenu->setObjectName(QStringLiteral("languageMenu"));
    m_languageMenu->addActions({a.chinese, a.english});
    updateLanguageChecks();

    QMenu* help = addMenu(res::kMenuHelp);
    help->addAction(a.about);
}

void CMainFrame::createToolBar()
{
    const Actions& a = m_actions;
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setIconSize(QSize(18, 18));
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolBar->addActions({a.newFile, a.open, a.save});
    m_toolBar->addSeparator();
    m_toolBar->addActions({a.read, a.write});
    m_toolBar->addSeparator();
    m_toolBar->addActions({a.print, a.about});
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    connect(m_toolBar, &QToolBar::visibilityChanged, this, [this](bool visible) {
        if (!isHidden())
            m_actions.toolbar->setChecked(visible);
    });
}

void CMainFrame::updateLanguageChecks()
{
    const bool english = m_app.language() == CProgramApp::Language::English;
    m_actions.english->setChecked(english);
    m_actions.chinese->setChecked(!english);
}

void CMainFrame::retranslate()
{
    setWindowTitle(res::Tr(res::kAppTitle));
    updateLanguageChecks();
    for (const auto& [menu, title] : m_menus)
        menu->setTitle(res::Tr(title));
    for (const auto& [action, command] : m_commands)
        res::ApplyCommand(action, *command);
    if (m_idleLabel)
        m_idleLabel->setText(res::Tr(res::kIdleStatus));
    // The indicator panes keep room for their text in the new language.
    for (auto [label, text] :
         {std::pair{m_capsLabel, res::kCapsIndicator}, std::pair{m_numLabel, res::kNumIndicator},
          std::pair{m_scrollLabel, res::kScrollIndicator}}) {
        if (label)
            label->setMinimumWidth(label->fontMetrics().horizontalAdvance(res::Tr(text)) + 12);
    }
    if (m_lockKeys) {
        updateIndicators();
        updateDocumentStatus();
    }
}

void CMainFrame::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslate();
}

void CMainFrame::createStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    // The idle text stands behind any prompt: the bar hides it while a prompt is shown.
    m_idleLabel = new QLabel(res::Tr(res::kIdleStatus), bar);
    m_idleLabel->setObjectName(QStringLiteral("idleText"));
    bar->addWidget(m_idleLabel, 1);
    auto indicator = [bar](const char* text, const char* name) {
        auto* label = new QLabel(res::Tr(text), bar);
        label->setObjectName(QString::fromLatin1(name));
        label->setAlignment(Qt::AlignCenter);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(label->text()) + 12);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        bar->addPermanentWidget(label);
        return label;
    };
    m_documentLabel = new QLabel(bar);
    m_documentLabel->setObjectName(QStringLiteral("documentStatus"));
    bar->addPermanentWidget(m_documentLabel);
    CProgramDoc& doc = m_view->document();
    connect(&doc, &CProgramDoc::contentsChanged, this, &CMainFrame::updateDocumentStatus);
    updateDocumentStatus();
    m_capsLabel = indicator(res::kCapsIndicator, "capsIndicator");
    m_numLabel = indicator(res::kNumIndicator, "numIndicator");
    m_scrollLabel = indicator(res::kScrollIndicator, "scrollIndicator");
    m_lockKeys = new LockKeys(this);
    connect(m_lockKeys, &LockKeys::changed, this, &CMainFrame::updateIndicators);
    updateIndicators();
}

void CMainFrame::updateIndicators()
{
    // An indicator shows its text while its lock is on, and stays blank otherwise; its pane keeps
    // the width of the text.
    m_capsLabel->setText(m_lockKeys->caps() ? res::Tr(res::kCapsIndicator) : QString());
    m_numLabel->setText(m_lockKeys->num() ? res::Tr(res::kNumIndicator) : QString());
    m_scrollLabel->setText(m_lockKeys->scroll() ? res::Tr(res::kScrollIndicator) : QString());
}

void CMainFrame::updateDocumentStatus()
{
    const CProgramDoc& doc = m_view->document();
    // The file's name, or what the data are: the radio's (with the time of the read), the factory
    // defaults, a backup.
    const QString name = doc.DisplayName();
    m_documentLabel->setText(doc.IsModified() ? res::Tr(res::kDocumentModified).arg(name) : name);
    const CProgramDoc::Origin& origin = doc.origin();
    m_documentLabel->setToolTip(
        origin.kind == CProgramDoc::Origin::Radio ? origin.port : QDir::toNativeSeparators(origin.path));
}

void CMainFrame::updatePortMenu()
{
    CAppContext& context = m_view->document().context();
    const QString current = context.PortName();
    bool known = false;
    for (int i = 0; i < m_portActions.size(); ++i) {
        const bool on = current == QString::fromLatin1(res::kPortNames[i]);
        m_portActions[i]->setChecked(on);
        known = known || on;
    }
    qDeleteAll(m_deviceActions);
    m_deviceActions.clear();

    auto addDevice = [this, &context, &current, &known](const QString& location, const QString& text) {
        auto* a = new QAction(text, m_portMenu);
        a->setCheckable(true);
        a->setData(location);
        a->setStatusTip(res::Tr(res::kOtherPortPrompt).arg(location));
        const bool on = current == location;
        a->setChecked(on);
        known = known || on;
        connect(a, &QAction::triggered, this, [&context, location] { context.SetPortName(location); });
        m_portMenu->addAction(a);
        m_deviceActions << a;
    };
    for (const orx::PortEntry& port : orx::AvailablePorts())
        addDevice(port.location, port.label);
    // A port chosen by hand or in Program.ini that is not among the devices found stays visible.
    if (!known && !current.isEmpty())
        addDevice(current, current);

    auto* other = new QAction(res::Tr(res::kOtherPortItem), m_portMenu);
    other->setObjectName(QStringLiteral("actionOtherPort"));
    connect(other, &QAction::triggered, this, [this, &context] {
        bool ok = false;
        const QString name =
            QInputDialog::getText(this, res::Tr(res::kPortDialogCaption), res::Tr(res::kOtherPortQuestion),
                                  QLineEdit::Normal, context.PortName(), &ok);
        if (ok && !name.trimmed().isEmpty())
            context.SetPortName(name.trimmed());
    });
    m_portMenu->addAction(other);
    m_deviceActions << other;
}

void CMainFrame::SetDealerMode(bool on)
{
    if (on)
        m_editMenu->addAction(m_actions.serialNumber);
    else
        m_editMenu->removeAction(m_actions.serialNumber);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    // Unsaved edits are asked about (是 saves first, through Save As where the data came from no
    // file of the user's, and the window stays when that save fails or is cancelled); without
    // them the fixed question stands.
    CProgramDoc& doc = m_view->document();
    emit doc.commitRequested();
    bool close = false;
    if (doc.IsModified()) {
        close = doccmd::SaveModified(doc, this);
    } else {
        CExitConfirmDlg confirm(this);
        close = confirm.exec() == QDialog::Accepted;
    }
    if (close)
        event->accept();
    else
        event->ignore();
}

void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_centred)
        return;
    m_centred = true;
    if (QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        QRect frame = frameGeometry();
        frame.moveCenter(available.center());
        move(frame.topLeft());
    }
}
