#pragma once

// The channel commands as the form offers them: each turns the grid's selection into a call of the
// channel controller, keeps what the command moved selected, and tells the user about channels a
// command left as they were (an offset, a bulk value or a fill that would have left the band). The
// clipboard is the system's, in the tab-separated form spreadsheets use. An open cell editor
// commits before a command reads the table.

#include "ChannelBulk.h"
#include "ChannelController.h"
#include "ChannelRows.h"
#include "GridSelection.h"

#include <QObject>
#include <QPointer>

#include <cstdint>

class CCellEditors;
class CMSFlexGrid;
class QMessageBox;
class QWidget;

class CChannelCommands : public QObject {
    Q_OBJECT
public:
    // The dialogs and messages open over form.
    CChannelCommands(QWidget* form, CMSFlexGrid* grid, CChannelController& controller, CCellEditors& editors);

    CChannelController& controller() { return m_controller; }
    // The offset offered first, the one last chosen (10 Hz units).
    std::uint32_t lastOffset() const { return m_controller.lastOffset(); }

public slots:
    // The channel line: the current row.
    void AddChannel();
    void DeleteChannel();
    // The selected cells or whole rows as tab-separated grid texts, and back.
    void CopyCells();
    void CutCells();
    void PasteCells();
    void DeleteCells();
    // Many channels at once: the selected channels, or all of them when no more than one row is
    // selected. Each is one step of the history; the serial number's row never moves.
    void BulkSet();
    void SortChannels(orx::SortKey key, bool descending);
    void PackEmptyChannels();
    void MoveUp();
    void MoveDown();
    void FillDown();
    void DeleteSelectedChannels();
    // The transmit frequency of the selected channels from their receive frequency.
    void SetTransmitOffset(const orx::OffsetChoice& choice);
    // The grid's dragged block dropped on row target.
    void DropRows(int target);
    // The editor of the current cell (the "单独设置" offset).
    void OpenCellEditor();
    void CommitOpenEditor();

private:
    using CellRange = CGridSelection::CellRange;
    void clearSelection(const char* step);
    void moveSelection(int delta);
    // The one message about the channels a command left alone, when there are any.
    void reportLeftAlone(const CChannelController::BulkOutcome& outcome);

    QWidget* m_form;
    CMSFlexGrid* m_grid;
    CChannelController& m_controller;
    CCellEditors& m_editors;
    CGridSelection m_selection;
    // The message of the last command; a new one replaces its text.
    QPointer<QMessageBox> m_leftAloneBox;
};
