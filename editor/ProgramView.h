#pragma once

// The main form: the "设置" panel with the radio-wide settings, the channel line with its buttons,
// the floating cell editors and the 128-channel grid. The document holds the screen (lists,
// settings and the channel table); the form lays its parts out and shows the document, and each
// part turns the user's actions into calls of the document or its channel controller:
// CSettingsPanel the panel, CChannelTableModel and CCellEditors the grid's cells, CGridInput the
// grid's keys, wheel and mouse, CChannelCommands the channel commands (offered by
// CChannelCommandMenus), CHistoryActions undo and redo, CCsvFileCommands the CSV files, and the
// free functions of FormCommands the feature dialogs and the radio.

#include "ChannelController.h"
#include "ChannelRows.h"
#include "ChannelTableModel.h"
#include "CsvFileCommands.h"
#include "GridTexts.h"
#include "ProgramDoc.h"
#include "ScreenCopy.h"

#include <QWidget>

class CCellEditors;
class CChannelCommandMenus;
class CChannelCommands;
class CGridInput;
class CHistoryActions;
class CMSFlexGrid;
class CSettingsPanel;
class QAction;
class QLabel;
class QMenu;
class QPrinter;
class QPushButton;
class QUndoStack;

class CProgramView : public QWidget {
    Q_OBJECT
public:
    // Control ids of form 101 outside the settings panel (CSettingsPanel holds the panel's).
    enum ControlId {
        IdGrid = 1007,
        IdDeleteButton = 1068,
        IdFrequencyEdit = 1082,
        IdHiddenList = 1083,
        IdChoiceList = 1084,
        IdAddButton = 1089,
        IdFactoryButton = 1090,
        IdNameEdit = 1098,
    };
    static constexpr int kGridRows = orx::map::kChannelCount + 1; // header row + 128 channels
    static constexpr int kGridCols = orx::kGridColumnCount;

    explicit CProgramView(CProgramDoc& document, QWidget* parent = nullptr);
    ~CProgramView() override;

    CProgramDoc& document() { return m_doc; }
    CMSFlexGrid* grid() const { return m_grid; }
    CChannelTableModel* channelModel() const { return m_channelModel; }
    orx::BandLimits& bandLimits() { return m_doc.bandLimits(); }
    const orx::BandLimits& bandLimits() const { return m_doc.bandLimits(); }
    // The size of the form as laid out from its template.
    QSize formSize() const { return m_formSize; }
    QSize sizeHint() const override { return m_formSize; }

    // Run when the document's image was replaced: the first time it also sets the form up.
    void OnInitialUpdate();
    // The document's image shown anew (as after a read), and the screen into the image (as before
    // a write); both through the document.
    void ImageToView();
    void ViewToImage();

    // The screen the form shows (the document's), and one channel row's texts.
    orx::ScreenCopy ReadScreen() const { return m_doc.screen(); }
    orx::ChannelTexts RowTexts(int row) const { return m_doc.channels().texts(row); }
    // Texts put straight into a row (no step of the history); the row keeps its bytes.
    void SetRowTexts(int row, const orx::ChannelTexts& texts);
    // One row's texts as one step of the history; the row keeps its bytes.
    void EditRow(int row, const orx::ChannelTexts& texts) { m_controller.EditRow(row, texts); }

    // The document's history and its two actions, whose texts name the step they take.
    QUndoStack* undoStack() const { return m_doc.undoStack(); }
    QAction* undoAction() const;
    QAction* redoAction() const;

    // The channel table as a CSV file, and back into the grid; failures are shown to the user.
    bool ExportCsvFile(const QString& path);
    bool ImportCsvFile(const QString& path);

    // Where a cell of the grid lies in the view, in pixels: the rectangle an editor is laid on.
    QRect CellEditorRect(int row, int col) const;

    // Dealers see the factory-default button (and the serial-number command in the frame).
    void SetDealerMode(bool on);
    bool DealerMode() const { return m_dealerMode; }

    // The settings and the channel table as the form shows them, on a printer or a preview.
    void PrintTo(QPrinter* printer);

    // The channel commands as the menus and the channel line run them, and the controller below.
    CChannelCommands& channelCommands() const { return *m_commands; }
    CChannelController& commands() { return m_controller; }
    // The channel commands of the Edit menu and the grid's context menu, in menu order.
    void AddChannelCommands(QMenu* menu);
    QMenu* CreateGridMenu(int col, QWidget* parent);

    // An open cell editor writes its text into the grid and hides itself.
    void CommitOpenEditor();
    // The form's texts in the language now chosen; the values shown stay as they are.
    void retranslate();

public slots:
    // The radio link and the feature dialogs (FormCommands).
    void OnRead();
    void OnWrite();
    void OnPower();
    void OnDtmf();
    void OnSideKeys();
    void OnFmRadio();
    void OnSerialNumber();
    // CSV commands of the File menu: they ask for the file.
    void OnExportCsv();
    void OnImportCsv();
    // History, undoing and redoing whole edits; an open editor is closed without writing first.
    void Undo();
    void Redo();

protected:
    void changeEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void layoutForm();
    void setUpGrid();
    void onImageReplaced();
    void onStepRevisited(int first);

    CProgramDoc& m_doc;
    CChannelController m_controller;
    CCsvFileCommands m_csv;
    bool m_setUp = false;
    bool m_dealerMode = false;
    QSize m_formSize;

    CSettingsPanel* m_panel = nullptr;
    QLabel* m_channelLabel = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_factoryButton = nullptr;
    CMSFlexGrid* m_grid = nullptr;
    CChannelTableModel* m_channelModel = nullptr;
    // The floating cell editors: shown only while a cell is edited, laid over that cell.
    CCellEditors* m_editors = nullptr;
    CChannelCommands* m_commands = nullptr;
    CChannelCommandMenus* m_menus = nullptr;
    CGridInput* m_input = nullptr;
    CHistoryActions* m_history = nullptr;
};
