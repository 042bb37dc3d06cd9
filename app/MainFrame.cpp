#include "MainFrame.h"

#include "Backups.h"
#include "ExitConfirmDlg.h"
#include "LockKeys.h"
#include "PortDiagnosis.h"
#include "PortName.h"
#include "ProgramApp.h"
#include "ProgramDoc.h"
#include "ProgramView.h"

#include <QAction>
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

namespace {

QString tr8(const char* s)
{
    return s ? QString::fromUtf8(s) : QString();
}

constexpr const char* kOtherPortItem = "其他串口(&O)...";
constexpr const char* kOtherPortPrompt = "串口设备 (例如 /dev/ttyUSB0):";

} // namespace

CMainFrame::CMainFrame(CProgramApp& app, CProgramView* view)
    : m_app(app)
    , m_view(view)
{
    setObjectName(QStringLiteral("mainFrame"));
    // The caption never carries the document's name.
    setWindowTitle(tr8(res::kAppTitle));
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
    auto* a = new QAction(tr8(command.text), this);
    a->setObjectName(QString::fromLatin1(objectName));
    if (command.shortcut)
        a->setShortcut(QKeySequence(QString::fromLatin1(command.shortcut)));
    if (command.prompt)
        a->setStatusTip(tr8(command.prompt));
    if (command.tip)
        a->setToolTip(tr8(command.tip));
    if (icon)
        a->setIcon(QIcon(QStringLiteral(":/icons/%1.png").arg(QString::fromLatin1(icon))));
    return a;
}

QAction* CMainFrame::action(const QString& objectName) const
{
    return findChild<QAction*>(objectName);
}

void CMainFrame::createActions()
{
    CProgramDoc& doc = m_view->document();
    connect(makeAction("actionNew", res::kNew, "new"), &QAction::triggered, &m_app, &CProgramApp::OnFileNew);
    connect(makeAction("actionOpen", res::kOpen, "open"), &QAction::triggered, &m_app, &CProgramApp::OnFileOpen);
    // The radio link's automatic backups: the file dialog opens in their folder.
    connect(makeAction("actionOpenBackup", res::kOpenBackup), &QAction::triggered, this, [this, &doc] {
        const QString folder = orx::BackupFolder();
        QDir().mkpath(folder);
        const QString path = QFileDialog::getOpenFileName(this, QString(), folder, tr8(res::kFileFilter));
        if (!path.isEmpty())
            doc.OpenDocumentFile(path, this);
    });
    connect(makeAction("actionSave", res::kSave, "save"), &QAction::triggered, this, [this, &doc] { doc.FileSave(this); });
    connect(makeAction("actionSaveAs", res::kSaveAs), &QAction::triggered, this, [this, &doc] { doc.FileSaveAs(this); });
    connect(makeAction("actionPrint", res::kPrint, "print"), &QAction::triggered, &m_app, &CProgramApp::OnFilePrint);
    connect(makeAction("actionPrintPreview", res::kPrintPreview), &QAction::triggered, &m_app,
            &CProgramApp::OnFilePrintPreview);
    connect(makeAction("actionPrintSetup", res::kPrintSetup), &QAction::triggered, &m_app,
            &CProgramApp::OnFilePrintSetup);
    connect(makeAction("actionImportCsv", res::kImportCsv), &QAction::triggered, m_view, &CProgramView::OnImportCsv);
    connect(makeAction("actionExportCsv", res::kExportCsv), &QAction::triggered, m_view, &CProgramView::OnExportCsv);
    connect(makeAction("actionExit", res::kExit), &QAction::triggered, this, &QWidget::close);

    connect(makeAction("actionDtmf", res::kDtmf), &QAction::triggered, m_view, &CProgramView::OnDtmf);
    connect(makeAction("actionSideKeys", res::kSideKeys), &QAction::triggered, m_view, &CProgramView::OnSideKeys);
    connect(makeAction("actionPower", res::kPower), &QAction::triggered, m_view, &CProgramView::OnPower);
    connect(makeAction("actionFmRadio", res::kFmRadio), &QAction::triggered, m_view, &CProgramView::OnFmRadio);
    m_serialNumberAction = makeAction("actionSerialNumber", res::kSerialNumber);
    connect(m_serialNumberAction, &QAction::triggered, m_view, &CProgramView::OnSerialNumber);

    connect(makeAction("actionRead", res::kRead, "read"), &QAction::triggered, m_view, &CProgramView::OnRead);
    connect(makeAction("actionWrite", res::kWrite, "write"), &QAction::triggered, m_view, &CProgramView::OnWrite);

    for (int i = 0; i < 8; ++i) {
        const QString name = QString::fromLatin1(res::kPortNames[i]);
        QAction* a = makeAction(qPrintable(QStringLiteral("actionPort") + name), res::kPorts[i]);
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [name] { SetPortName(name); });
        m_portActions << a;
    }

    QAction* about = makeAction("actionAbout", res::kAbout, "about");
    connect(about, &QAction::triggered, &m_app, &CProgramApp::OnAppAbout);
}

void CMainFrame::createMenus()
{
    QMenu* file = menuBar()->addMenu(tr8(res::kMenuFile));
    for (const char* name : {"actionNew", "actionOpen", "actionOpenBackup", "actionSave", "actionSaveAs"})
        file->addAction(action(QString::fromLatin1(name)));
    file->addSeparator();
    // Channel lists to and from spreadsheets and other radio tools.
    file->addAction(action(QStringLiteral("actionImportCsv")));
    file->addAction(action(QStringLiteral("actionExportCsv")));
    file->addSeparator();
    for (const char* name : {"actionPrint", "actionPrintPreview", "actionPrintSetup"})
        file->addAction(action(QString::fromLatin1(name)));
    file->addSeparator();
    file->addAction(action(QStringLiteral("actionExit")));

    m_editMenu = menuBar()->addMenu(tr8(res::kMenuEdit));
    m_editMenu->setObjectName(QStringLiteral("editMenu"));
    // The view owns the history and its two actions (their shortcuts work in the whole window).
    m_editMenu->addAction(m_view->undoAction());
    m_editMenu->addAction(m_view->redoAction());
    m_editMenu->addSeparator();
    // The channel commands, as in the grid's context menu.
    m_view->AddChannelCommands(m_editMenu);
    m_editMenu->addSeparator();
    for (const char* name : {"actionDtmf", "actionSideKeys", "actionPower", "actionFmRadio"})
        m_editMenu->addAction(action(QString::fromLatin1(name)));

    QMenu* program = menuBar()->addMenu(tr8(res::kMenuProgram));
    program->addAction(action(QStringLiteral("actionRead")));
    program->addAction(action(QStringLiteral("actionWrite")));

    m_portMenu = menuBar()->addMenu(tr8(res::kMenuPort));
    m_portMenu->setObjectName(QStringLiteral("portMenu"));
    m_portMenu->addActions(m_portActions);
    m_deviceSeparator = m_portMenu->addSeparator();
    connect(m_portMenu, &QMenu::aboutToShow, this, &CMainFrame::updatePortMenu);

    QMenu* viewMenu = menuBar()->addMenu(tr8(res::kMenuView));
    QAction* toolbar = makeAction("actionToolbar", res::kToolbar);
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    QAction* status = makeAction("actionStatusBar", res::kStatusBar);
    status->setCheckable(true);
    status->setChecked(true);
    viewMenu->addAction(toolbar);
    viewMenu->addAction(status);
    connect(toolbar, &QAction::toggled, this, [this](bool on) { m_toolBar->setVisible(on); });
    connect(status, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });

    QMenu* help = menuBar()->addMenu(tr8(res::kMenuHelp));
    help->addAction(action(QStringLiteral("actionAbout")));
}

void CMainFrame::createToolBar()
{
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("toolBar"));
    m_toolBar->setIconSize(QSize(18, 18));
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (const char* name : std::initializer_list<const char*>{"actionNew", "actionOpen", "actionSave", nullptr,
                                                               "actionRead", "actionWrite", nullptr,
                             "actionPrint", "actionAbout"}) {
        if (name)
            m_toolBar->addAction(action(QString::fromLatin1(name)));
        else
            m_toolBar->addSeparator();
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    connect(m_toolBar, &QToolBar::visibilityChanged, this, [this](bool visible) {
        if (!isHidden())
            action(QStringLiteral("actionToolbar"))->setChecked(visible);
    });
}

void CMainFrame::createStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    // The idle text stands behind any prompt: the bar hides it while a prompt is shown.
    auto* idle = new QLabel(tr8(res::kIdleStatus), bar);
    idle->setObjectName(QStringLiteral("idleText"));
    bar->addWidget(idle, 1);
    auto indicator = [bar](const char* text, const char* name) {
        auto* label = new QLabel(tr8(text), bar);
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
    m_capsLabel->setText(m_lockKeys->caps() ? tr8(res::kCapsIndicator) : QString());
    m_numLabel->setText(m_lockKeys->num() ? tr8(res::kNumIndicator) : QString());
    m_scrollLabel->setText(m_lockKeys->scroll() ? tr8(res::kScrollIndicator) : QString());
}

void CMainFrame::updateDocumentStatus()
{
    const CProgramDoc& doc = m_view->document();
    const QString name = doc.pathName().isEmpty() ? tr8(res::kUntitled) : QFileInfo(doc.pathName()).fileName();
    m_documentLabel->setText(doc.IsModified() ? tr8(res::kDocumentModified).arg(name) : name);
    m_documentLabel->setToolTip(QDir::toNativeSeparators(doc.pathName()));
}

void CMainFrame::updatePortMenu()
{
    const QString current = PortName();
    bool known = false;
    for (int i = 0; i < m_portActions.size(); ++i) {
        const bool on = current == QString::fromLatin1(res::kPortNames[i]);
        m_portActions[i]->setChecked(on);
        known = known || on;
    }
    qDeleteAll(m_deviceActions);
    m_deviceActions.clear();

    auto addDevice = [this, &current, &known](const QString& location, const QString& text) {
        auto* a = new QAction(text, m_portMenu);
        a->setCheckable(true);
        a->setData(location);
        a->setStatusTip(tr8(res::kOtherPortPrompt).arg(location));
        const bool on = current == location;
        a->setChecked(on);
        known = known || on;
        connect(a, &QAction::triggered, this, [location] { SetPortName(location); });
        m_portMenu->addAction(a);
        m_deviceActions << a;
    };
    for (const orx::PortEntry& port : orx::AvailablePorts())
        addDevice(port.location, port.label);
    // A port chosen by hand or in Program.ini that is not among the devices found stays visible.
    if (!known && !current.isEmpty())
        addDevice(current, current);

    auto* other = new QAction(tr8(kOtherPortItem), m_portMenu);
    other->setObjectName(QStringLiteral("actionOtherPort"));
    connect(other, &QAction::triggered, this, [this] {
        bool ok = false;
        const QString name = QInputDialog::getText(this, tr8(res::kMenuPort).remove(QStringLiteral("(&C)")),
                                                   tr8(kOtherPortPrompt), QLineEdit::Normal, PortName(), &ok);
        if (ok && !name.trimmed().isEmpty())
            SetPortName(name.trimmed());
    });
    m_portMenu->addAction(other);
    m_deviceActions << other;
}

void CMainFrame::SetDealerMode(bool on)
{
    if (on)
        m_editMenu->addAction(m_serialNumberAction);
    else
        m_editMenu->removeAction(m_serialNumberAction);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    CExitConfirmDlg confirm(this);
    if (confirm.exec() == QDialog::Accepted)
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
