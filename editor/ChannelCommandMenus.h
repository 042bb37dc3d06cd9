#pragma once

// The channel commands as actions, in the Edit menu and the grid's context menu (with the sort
// submenu, and the transmit offsets on a transmit-frequency cell). Each action calls the form's
// channel commands, which pass the grid's selection to the channel controller.

#include <QObject>
#include <QPointer>

#include <utility>
#include <vector>

class CMSFlexGrid;
class CChannelCommands;
class QAction;
class QMenu;
class QPoint;
class QWidget;
namespace res {
struct Command;
}

class CChannelCommandMenus : public QObject {
    Q_OBJECT
public:
    // The actions belong to form, where their shortcuts work.
    CChannelCommandMenus(CChannelCommands& commands, CMSFlexGrid* grid, QWidget* form);

    // The commands in menu order, with the sort submenu.
    void AddTo(QMenu* menu);
    // The grid's context menu for a cell of column col (0 for the row numbers).
    QMenu* CreateGridMenu(int col, QWidget* parent);
    // The sort submenu's "descending" is checked.
    bool sortDescending() const;
    // The texts in the language now chosen.
    void retranslate();

private:
    void showGridMenu(const QPoint& globalPos, int col);

    CChannelCommands& m_commands;
    QWidget* m_form;
    CMSFlexGrid* m_grid;
    QAction* m_sortDescending = nullptr;
    std::vector<QAction*> m_channelCommands; // in menu order; nullptr stands for a separator
    std::vector<std::pair<QAction*, const res::Command*>> m_channelCommandTexts;
    std::vector<QPointer<QMenu>> m_sortMenus; // the Edit menu's and the open context menu's
};
