#pragma once

// The main window: the menus, accelerators, toolbar and status bar around the form. The caption is
// always "ORX 写频软件"; the status bar names the file and marks unsaved edits; closing asks for
// confirmation first.

#include "Texts.h"

#include <QMainWindow>

#include <memory>

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

    CProgramView* view() const { return m_view; }
    QAction* action(const QString& objectName) const;

    // Shows the serial-number command under "编辑(E)" (dealers only).
    void SetDealerMode(bool on);

protected:
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

    CProgramApp& m_app;
    CProgramView* m_view;
    bool m_centred = false;
    QMenu* m_editMenu = nullptr;
    QMenu* m_portMenu = nullptr;
    QList<QAction*> m_portActions;   // the eight COM items
    QList<QAction*> m_deviceActions; // devices found when the menu opens
    QAction* m_deviceSeparator = nullptr;
    QAction* m_serialNumberAction = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_documentLabel = nullptr;
    QLabel* m_capsLabel = nullptr;
    QLabel* m_numLabel = nullptr;
    QLabel* m_scrollLabel = nullptr;
    LockKeys* m_lockKeys = nullptr;
};
