#pragma once

// One change of the channel table as the undo history keeps it: the texts of every row the change
// touched, before and after. Undo and redo put those texts back into the grid.

#include "GridTexts.h"

#include <QUndoCommand>

#include <vector>

class CProgramView;

class CChannelEditCommand : public QUndoCommand {
public:
    struct Row {
        int row;
        orx::ChannelTexts before;
        orx::ChannelTexts after;
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
