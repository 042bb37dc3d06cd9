#pragma once

// What the keys, the wheel and the mouse do on the channel grid: a click opens the cell's editor,
// Enter too, a digit starts a frequency entry, the clipboard keys run the channel commands, the
// arrow keys wrap from row to row, and a notch of the wheel turns a page. A wheel over a settings
// list never changes a setting the user is not looking at.

#include <QObject>

#include <vector>

class CCellEditors;
class CChannelCommands;
class CMSFlexGrid;
class QComboBox;
class QKeyEvent;
class QWheelEvent;

class CGridInput : public QObject {
    Q_OBJECT
public:
    CGridInput(CMSFlexGrid* grid, CCellEditors& editors, CChannelCommands& commands,
               const std::vector<QComboBox*>& settingsLists, QObject* parent);

    // A wheel turned anywhere on the form while the grid has the focus.
    void formWheel(int delta);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool filterGridKey(QKeyEvent* event);
    bool filterClipboardKey(QKeyEvent* event);
    bool filterGridWheel(QWheelEvent* event);
    bool filterListWheel(QComboBox* list, QWheelEvent* event);
    bool pageOnWheel(int delta);
    void onMouseDown(int button, int shift);
    void onSelectionChanged();
    void setHighLightFor(int mouseCol);

    CMSFlexGrid* m_grid;
    CCellEditors& m_editors;
    CChannelCommands& m_commands;
};
