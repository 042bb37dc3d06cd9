#include "HistoryActions.h"

#include "CellEditors.h"
#include "ChannelEditCommand.h"
#include "CommandAction.h"
#include "ProgramDoc.h"
#include "Texts.h"
#include "Tr.h"

#include <QAction>
#include <QUndoStack>
#include <QWidget>

namespace {

QAction* makeAction(QWidget* owner, const char* objectName, const res::Command& command)
{
    QAction* a = res::MakeAction(owner, objectName, command);
    a->setEnabled(false);
    // The frame puts the same actions into its menu.
    owner->addAction(a);
    return a;
}

} // namespace

CHistoryActions::CHistoryActions(CProgramDoc& document, CCellEditors& editors, QWidget* owner)
    : QObject(owner), m_doc(document), m_editors(editors)
{
    m_undo = makeAction(owner, "actionUndo", res::kUndo);
    m_redo = makeAction(owner, "actionRedo", res::kRedo);
    m_redo->setShortcuts({QKeySequence(QString::fromLatin1(res::kRedo.shortcut)),
                          QKeySequence(QString::fromLatin1(res::kRedoAlternateShortcut))});
    QUndoStack* stack = m_doc.undoStack();
    connect(stack, &QUndoStack::canUndoChanged, m_undo, &QAction::setEnabled);
    connect(stack, &QUndoStack::canRedoChanged, m_redo, &QAction::setEnabled);
    connect(stack, &QUndoStack::undoTextChanged, this, &CHistoryActions::retranslate);
    connect(stack, &QUndoStack::redoTextChanged, this, &CHistoryActions::retranslate);
    m_undo->setEnabled(stack->canUndo());
    m_redo->setEnabled(stack->canRedo());
    retranslate();
    connect(m_undo, &QAction::triggered, this, &CHistoryActions::Undo);
    connect(m_redo, &QAction::triggered, this, &CHistoryActions::Redo);
}

void CHistoryActions::retranslate()
{
    QUndoStack* stack = m_doc.undoStack();
    res::ApplyCommand(m_undo, res::kUndo);
    res::ApplyCommand(m_redo, res::kRedo);
    // The step's name in the language now chosen.
    auto name = [stack](int index) {
        const auto* step = dynamic_cast<const CDocumentStep*>(stack->command(index));
        return step ? step->Name() : stack->text(index);
    };
    if (stack->canUndo())
        m_undo->setText(res::Tr(res::kUndoStep).arg(name(stack->index() - 1)));
    if (stack->canRedo())
        m_redo->setText(res::Tr(res::kRedoStep).arg(name(stack->index())));
}

void CHistoryActions::Undo()
{
    m_editors.CloseAll();
    m_doc.undoStack()->undo();
}

void CHistoryActions::Redo()
{
    m_editors.CloseAll();
    m_doc.undoStack()->redo();
}
