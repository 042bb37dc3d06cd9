#pragma once

// The File menu's commands on the document, with their file dialogs and messages: the window's side
// of the document, which itself knows no widgets. Each dialog and message is owned by parent.

#include "ProgramDoc.h"

#include <functional>

class QString;
class QWidget;

namespace doccmd {

// Unsaved edits are never dropped without a question: "是" saves them first, "否" goes on without
// them, "取消" (and a save that fails or is cancelled) stops the command. True to go on.
bool SaveModified(CProgramDoc& doc, QWidget* parent);

bool FileNew(CProgramDoc& doc, QWidget* parent);
// Asks about unsaved edits, then opens path as a file of the user's, the factory defaults or a
// backup (the last two save under a new name).
bool OpenDocumentFile(CProgramDoc& doc, const QString& path, QWidget* parent,
                      CProgramDoc::Origin::Kind as = CProgramDoc::Origin::File);
// Asks about unsaved edits, then lets choose() name the file (an empty name stops), then opens it.
bool OpenChosen(CProgramDoc& doc, QWidget* parent, CProgramDoc::Origin::Kind as,
                const std::function<QString()>& choose);
// Asks about unsaved edits before the file dialog, which opens in folder (the last folder used
// when empty).
bool FileOpen(CProgramDoc& doc, QWidget* parent, CProgramDoc::Origin::Kind as = CProgramDoc::Origin::File,
              const QString& folder = QString());
// Only a document that came from a file of the user's saves without asking; anything else (new,
// a read, the factory defaults, a backup) is saved through Save As.
bool FileSave(CProgramDoc& doc, QWidget* parent);
bool FileSaveAs(CProgramDoc& doc, QWidget* parent);

} // namespace doccmd
