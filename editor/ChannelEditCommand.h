#pragma once

// One change of the channel table as the undo history keeps it: the whole entry of every row the
// change touched (texts and the bytes they came from), before and after. Undo and redo put those
// entries back, so a channel moved by add, delete, paste or import moves back with every bit.

#include "ChannelEntryTable.h"

#include <QUndoCommand>

#include <vector>

class CProgramView;

class CChannelEditCommand : public QUndoCommand {
public:
    struct Row {
        int row;
        orx::ChannelEntry before;
        orx::ChannelEntry after;
    };

    CChannelEditCommand(CProgramView& view, std::vector<Row> rows);

    void undo() override;
    void redo() override;

private:
    void show(bool after);

    CProgramView& m_view;
    std::vector<Row> m_rows;
    bool m_done = false; // the first redo is the edit itself
};
