#pragma once

// The Undo and Redo actions of the document's history: enabled while there is a step to take, and
// named after it ("撤销 批量设置"). A value half typed in a cell editor belongs to the state being
// left: it is dropped, not committed.

#include <QObject>

class CCellEditors;
class CProgramDoc;
class QAction;
class QWidget;

class CHistoryActions : public QObject {
    Q_OBJECT
public:
    // The actions belong to owner, so that their shortcuts work wherever the focus is in its window.
    CHistoryActions(CProgramDoc& document, CCellEditors& editors, QWidget* owner);

    QAction* undoAction() const { return m_undo; }
    QAction* redoAction() const { return m_redo; }
    void Undo();
    void Redo();
    // The actions' texts in the language now chosen.
    void retranslate();

private:
    CProgramDoc& m_doc;
    CCellEditors& m_editors;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
};
