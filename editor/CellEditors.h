#pragma once

// The floating cell editors of the channel grid: a frequency edit, the list of a choice column, the
// name edit (and a list that is made and never shown), each laid exactly over the cell it edits,
// and the tone picker. An editor writes its value back through the channel controller when it loses
// the focus or Enter is pressed; everything it writes is a text the channel codec reads. Row 63
// holding the serial number asks before a channel takes its place.

#include <QObject>
#include <QRect>

class CChannelController;
class CMSFlexGrid;
class CProgramDoc;
class DialogUnits;
class QComboBox;
class QKeyEvent;
class QLineEdit;
class QWidget;

class CCellEditors : public QObject {
    Q_OBJECT
public:
    static constexpr int kNameMaxLength = 8;

    // The editors are children of form, laid over grid.
    CCellEditors(QWidget* form, CMSFlexGrid* grid, CChannelController& commands);

    // Their places on the form's template, where they wait hidden.
    void placeOnTemplate(const DialogUnits& du, int rowHeight);
    // The editor of the current cell, or the tone picker.
    void Open();
    // A digit typed on a frequency cell starts its entry.
    void StartFrequencyEntry(int key);
    // An editor writes its text into the cell it was opened on and hides itself.
    void CommitFrequencyEdit();
    void CommitChoiceList();
    void CommitNameEdit();
    // Whatever editor is open commits (before anything reads the table).
    void CommitOpen();
    // The editors of a document that is being replaced are closed without writing anything.
    void CloseAll();
    bool AnyOpen() const;
    // Where a cell of the grid lies on the form, in pixels: the rectangle an editor is laid on.
    QRect CellRect(int row, int col) const;
    // Keys posted to the grid move it after the key being handled.
    void postKey(int key);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showEditor(QWidget* editor, int row, int col);
    void finishEditor(QWidget* editor);
    void moveFocusToGrid();
    bool filterFrequencyKey(QKeyEvent* event);
    // Row 63 holds the serial number: asks whether a channel may take its place, and clears the
    // serial number when the user says yes. True when the row now takes a channel.
    bool freeSerialRow(int row);

    QWidget* m_form;
    CMSFlexGrid* m_grid;
    CChannelController& m_commands;
    CProgramDoc& m_doc;
    QLineEdit* m_frequencyEdit = nullptr;
    QComboBox* m_hiddenList = nullptr; // created and never shown
    QComboBox* m_choiceList = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    // The cell the open editor was laid over.
    int m_editRow = 0;
    int m_editCol = 0;
};
