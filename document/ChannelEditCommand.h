#pragma once

// The steps of the document's history.
//
// CChannelEditCommand: one change of the channel table, kept as the whole entry of every row the
// change touched (texts and the bytes they came from), before and after. Undo and redo put those
// entries back, so a channel moved by add, delete, paste or import moves back with every bit.
//
// CDocumentStateCommand: any other change (the settings panel, the model and band, the password,
// the feature dialogs' blocks, the serial number), kept as the document's state before and after.

#include "ProgramDoc.h"

#include <QUndoCommand>

#include <vector>

class CChannelEditCommand : public QUndoCommand {
public:
    struct Row {
        int row;
        orx::ChannelEntry before;
        orx::ChannelEntry after;
    };

    CChannelEditCommand(CProgramDoc& doc, const QString& name, std::vector<Row> rows);

    void undo() override;
    void redo() override;

private:
    void apply(bool after);

    CProgramDoc& m_doc;
    std::vector<Row> m_rows;
    bool m_done = false; // the first redo is the edit itself
};

class CDocumentStateCommand : public QUndoCommand {
public:
    // Steps with the same merge id (not -1) that follow each other are one step (typing).
    CDocumentStateCommand(CProgramDoc& doc, const QString& name, CProgramDoc::State before,
                          CProgramDoc::State after, int mergeId = -1);

    void undo() override;
    void redo() override;
    int id() const override { return m_mergeId; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    CProgramDoc& m_doc;
    CProgramDoc::State m_before;
    CProgramDoc::State m_after;
    int m_mergeId;
};
