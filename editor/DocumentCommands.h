#pragma once

// The File menu's commands on the document, with their file dialogs and messages: the window's side
// of the document, which itself knows no widgets. Each dialog and message is owned by parent.

class CProgramDoc;
class QString;
class QWidget;

namespace doccmd {

// Unsaved edits are never dropped without a question: "是" saves them first, "否" goes on without
// them, "取消" (and a save that fails or is cancelled) stops the command. True to go on.
bool SaveModified(CProgramDoc& doc, QWidget* parent);

bool FileNew(CProgramDoc& doc, QWidget* parent);
bool OpenDocumentFile(CProgramDoc& doc, const QString& path, QWidget* parent);
bool FileOpen(CProgramDoc& doc, QWidget* parent);
bool FileSave(CProgramDoc& doc, QWidget* parent);
bool FileSaveAs(CProgramDoc& doc, QWidget* parent);

} // namespace doccmd
