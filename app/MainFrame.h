#pragma once

// The main window: the menus, accelerators, toolbar and status bar around the form. The caption is
// always "ORX 写频软件"; the status bar names the file and marks unsaved edits; closing asks for
// confirmation first.

#include "Texts.h"

#include <QMainWindow>

#include <memory>
#include <utility>
#include <vector>

class CProgramApp;
class CProgramView;
class LockKeys;
class QAction;
class QLabel;
class QMenu;
class QToolBar;

class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    CMainFrame(CProgramApp& app, CProgramView* view);
    ~CMainFrame() override;

    // The frame's commands, kept from their making on.
    struct Actions {
        QAction* newFile = nullptr;
        QAction* open = nullptr;
        QAction* openBackup = nullptr;
        QAction* save = nullptr;
        QAction* saveAs = nullptr;
        QAction* importCsv = nullptr;
        QAction* importCsvHere = nullptr; // at the grid's current row, in file order
        QAction* exportCsv = nullptr;
        QAction* print = nullptr;
        QAction* printPreview = nullptr;
        QAction* printSetup = nullptr;
        QAction* exit = nullptr;
        QAction* dtmf = nullptr;
        QAction* sideKeys = nullptr;
        QAction* power = nullptr;
        QAction* fmRadio = nullptr;
        QAction* serialNumber = nullptr;
        QAction* read = nullptr;
        QAction* write = nullptr;
        QAction* toolbar = nullptr;
        QAction* statusBar = nullptr;
        QAction* chinese = nullptr;
        QAction* english = nullptr;
        QAction* about = nullptr;
    };

    CProgramView* view() const { return m_view; }
    const Actions& actions() const { return m_actions; }
    // The item of COM1 to COM8 (index 0 to 7).
    QAction* portAction(int index) const { return m_portActions.value(index); }
    QMenu* languageMenu() const { return m_languageMenu; }

    // Shows the serial-number command under "编辑(E)" (dealers only).
    void SetDealerMode(bool on);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void createActions();
    void createMenus();
    void createToolBar();
    void createStatusBar();
    void updatePortMenu();
    void updateIndicators();
    // The file's name, and the mark of unsaved edits.
    void updateDocumentStatus();
    QAction* makeAction(const char* objectName, const res::Command& command, const char* icon = nullptr);
    // Every text of the frame in the language now chosen.
    void retranslate();
    // The language submenu checks the language in force.
    void updateLanguageChecks();

    CProgramApp& m_app;
    CProgramView* m_view;
    bool m_centred = false;
    Actions m_actions;
    // Each command action with the command it shows, for a change of language.
    std::vector<std::pair<QAction*, const res::Command*>> m_commands;
    // Each top-level menu with its title.
    std::vector<std::pair<QMenu*, const char*>> m_menus;
    QMenu* m_editMenu = nullptr;
    QMenu* m_portMenu = nullptr;
    QMenu* m_languageMenu = nullptr;
    QLabel* m_idleLabel = nullptr;
    QList<QAction*> m_portActions;   // the eight COM items
    QList<QAction*> m_deviceActions; // devices found when the menu opens
    QAction* m_deviceSeparator = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_documentLabel = nullptr;
    QLabel* m_capsLabel = nullptr;
    QLabel* m_numLabel = nullptr;
    QLabel* m_scrollLabel = nullptr;
    LockKeys* m_lockKeys = nullptr;
};
