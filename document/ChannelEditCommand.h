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

#include <string_view>
#include <vector>

// A step of the history with its name, shown in the language chosen when it is shown: step is a
// source text, arg (when given) a source text put into its %1.
class CDocumentStep : public QUndoCommand {
public:
    explicit CDocumentStep(const char* step, std::string_view arg = {});
    QString Name() const;

private:
    const char* m_step;
    std::string_view m_arg;
};

class CChannelEditCommand : public CDocumentStep {
public:
    struct Row {
        int row;
        orx::ChannelEntry before;
        orx::ChannelEntry after;
    };

    CChannelEditCommand(CProgramDoc& doc, const char* step, std::vector<Row> rows);

    void undo() override;
    void redo() override;

private:
    void apply(bool after);

    CProgramDoc& m_doc;
    std::vector<Row> m_rows;
    bool m_done = false; // the first redo is the edit itself
};

class CDocumentStateCommand : public CDocumentStep {
public:
    // Steps with the same merge id (not -1) that follow each other are one step (typing).
    CDocumentStateCommand(CProgramDoc& doc, const char* step, std::string_view arg, CProgramDoc::State before,
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
