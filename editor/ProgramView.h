#pragma once

// The main form: the "设置" panel with the radio-wide settings, the channel line with its buttons,
// the floating cell editors and the 128-channel grid. The document holds the screen (lists,
// settings and the channel table); the form shows it and hands every edit to it at once: the panel
// through the document's calls, the grid through the channel table's model, one undoable step per
// edit. The conversions themselves are in the image library; this class only moves texts and
// selections between the document and the widgets.
//
// The class is implemented in several files by concern: ProgramView.cpp (form, conversions, grid
// events), ProgramViewEditors.cpp (cell editors, keys, add/delete, factory defaults),
// ProgramViewRadio.cpp (read, write, power tuning), ProgramViewDialogs.cpp (feature dialogs),
// ProgramViewPrint.cpp (printing), ProgramViewExchange.cpp (CSV files, clipboard, undo and redo).

#include "Band.h"
#include "ChannelBulk.h"
#include "ChannelController.h"
#include "ChannelRows.h"
#include "ChannelTableModel.h"
#include "CsvFileCommands.h"
#include "GridSelection.h"
#include "ProgramDoc.h"
#include "GridTexts.h"
#include "ScreenCopy.h"
#include "Texts.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <vector>

class CCellEditors;
class CChannelCommandMenus;
class CMSFlexGrid;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPrinter;
class QPushButton;
class QKeyEvent;
class QWheelEvent;
class QAction;
class QMenu;
class QUndoStack;
namespace res {
struct Command;
}

class CProgramView : public QWidget {
    Q_OBJECT
public:
    // Control ids of form 101, kept where code and tests name the controls.
    enum ControlId {
        IdGrid = 1007,
        IdBandList = 1011,
        IdDisplayModeList = 1012,
        IdTimeLimitList = 1013,
        IdBeepList = 1014,
        IdSquelchList = 1016,
        IdModelList = 1017,
        IdScanModeList = 1018,
        IdDeleteButton = 1068,
        IdPasswordEdit = 1074,
        IdManualSettingList = 1076,
        IdBatterySaveList = 1078,
        IdFrequencyEdit = 1082,
        IdHiddenList = 1083,
        IdChoiceList = 1084,
        IdTailEliminationList = 1085,
        IdPriorityChannelList = 1087,
        IdEndToneList = 1088,
        IdAddButton = 1089,
        IdFactoryButton = 1090,
        IdNameEdit = 1098,
        IdVoxLevelList = 1110,
    };
    static constexpr int kGridRows = orx::map::kChannelCount + 1; // header row + 128 channels
    static constexpr int kGridCols = orx::kGridColumnCount;

    explicit CProgramView(CProgramDoc& document, QWidget* parent = nullptr);
    ~CProgramView() override;

    CProgramDoc& document() { return m_doc; }
    CMSFlexGrid* grid() const { return m_grid; }
    CChannelTableModel* channelModel() const { return m_channelModel; }
    orx::BandLimits& bandLimits();
    const orx::BandLimits& bandLimits() const;
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
    orx::ScreenCopy ReadScreen() const;
    orx::ChannelTexts RowTexts(int row) const;
    // Texts put straight into a row (no step of the history); the row keeps its bytes.
    void SetRowTexts(int row, const orx::ChannelTexts& texts);

    // Every change the user makes to the channel table is one step of the document's history,
    // named step: a committed cell, a tone choice, an added or deleted channel, a paste, a cut, a
    // CSV import. The row of the serial number takes no entry.
    using EntryEdit = CProgramDoc::EntryEdit;
    void EditEntries(const char* step, const std::vector<EntryEdit>& edits);
    // Edits of texts only: each row keeps its bytes.
    struct RowEdit {
        int row;
        orx::ChannelTexts texts;
    };
    void EditRows(const std::vector<RowEdit>& edits, const char* step = res::kStepCellEdit);
    void EditRow(int row, const orx::ChannelTexts& texts) { EditRows({RowEdit{row, texts}}); }
    // The table after an operation on a copy of it, as one step of the rows that differ.
    void EditTable(const char* step, const orx::ChannelEntryTable& after);

    // The document's history (new, open, the factory defaults and a read start it afresh), and
    // its two actions, whose texts name the step they take back or again.
    QUndoStack* undoStack() const;
    QAction* undoAction() const { return m_undoAction; }
    QAction* redoAction() const { return m_redoAction; }

    // The channel table as a CSV file of the common multi-radio format, and back into the grid as
    // one undoable edit followed by the report of every row. Failures are shown to the user.
    bool ExportCsvFile(const QString& path);
    bool ImportCsvFile(const QString& path);

    // Where a cell of the grid lies in the view, in pixels: the rectangle an editor is laid on.
    QRect CellEditorRect(int row, int col) const;

    // Dealers see the factory-default button (and the serial-number command in the frame).
    void SetDealerMode(bool on);
    bool DealerMode() const { return m_dealerMode; }

    // The settings and the channel table as the form shows them, on a printer or a preview.
    void PrintTo(QPrinter* printer);

public slots:
    // Radio link.
    void OnRead();
    void OnWrite();
    void OnPower();
    // Feature dialogs.
    void OnDtmf();
    void OnSideKeys();
    void OnFmRadio();
    void OnSerialNumber();
    // Channel line.
    void DeleteChannel();
    void AddChannel();
    void LoadFactoryDefaults();
    // Model and band lists (user choices only).
    void OnModelChanged();
    void OnBandChanged();
    // Cell editing.
    void OpenCellEditor();
    void StartFrequencyEntry(int key);
    // An editor writes its text into the cell it was opened on and hides itself.
    void CommitFrequencyEdit();
    void CommitChoiceList();
    void CommitNameEdit();
    // History, undoing and redoing whole edits; an open editor is closed without writing first.
    void Undo();
    void Redo();
    // CSV commands of the File menu: they ask for the file.
    void OnExportCsv();
    void OnImportCsv();
    // The grid's clipboard: the selected cells or whole rows as tab-separated grid texts.
    void CopyCells();
    void CutCells();
    void PasteCells();
    void DeleteCells();
    // Many channels at once: the selected channels, or all of them when no more than one row is
    // selected. Each is one step of the history; the serial number's row never moves.
    void BulkSet();
    void SortChannels(orx::SortKey key);
    void PackEmptyChannels();
    void MoveUp();
    void MoveDown();
    void FillDown();
    void DeleteSelectedChannels();
    // The transmit frequency of the selected channels from their receive frequency.
    void SetTransmitOffset(const orx::OffsetChoice& choice);

public:
    // An open cell editor writes its text into the grid and hides itself, as it does when it loses
    // the focus. Runs before anything reads the grid.
    void CommitOpenEditor();

    // The channel commands of the Edit menu and the grid's context menu, in menu order (with the
    // sort submenu); the context menu of a transmit-frequency cell also offers the offsets.
    void AddChannelCommands(QMenu* menu);
    QMenu* CreateGridMenu(int col, QWidget* parent);
    // The offset offered first, the one last chosen (10 Hz units).
    std::uint32_t lastOffset() const { return m_commands.lastOffset(); }
    // The channel commands, without widgets.
    CChannelController& commands() { return m_commands; }

    // The form's texts in the language now chosen; the values shown stay as they are.
    void retranslate();

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void layoutForm();
    // The label left of the panel control with this id.
    static QString PanelLabel(int id);
    void setUpOnce();
    void setUpGrid();
    void installEditorFilters();

    // The editors of a document that is being replaced are closed without writing anything.
    void CloseEditors();
    bool filterGridKey(QKeyEvent* event);
    bool filterGridWheel(QWheelEvent* event);
    bool filterListWheel(QComboBox* list, QWheelEvent* event);
    std::vector<QComboBox*> settingsLists() const;
    bool pageOnWheel(int delta);

    using CellRange = CGridSelection::CellRange;
    void createExchange();
    bool filterClipboardKey(QKeyEvent* event);
    // The selected cells or channels cleared, as one step named step (a cut or a clearing).
    void clearSelection(const char* step);
    void onGridSelectionChanged();

    void onRowsDropped(int target);
    void moveSelection(int delta);

    void onGridMouseDown(int button, int shift, int x, int y);
    void onGridEnterCell();
    void setHighLightFor(int mouseCol);

    void onImageReplaced();
    void onStateRestored();
    void onStepRevisited(int first);
    void showScreen();
    void showLists(const orx::BandSelection& lists);

    CProgramDoc& m_doc;
    bool m_setUp = false;
    bool m_dealerMode = false;
    QSize m_formSize;

    QGroupBox* m_settingsGroup = nullptr;
    QComboBox* m_modelList = nullptr;
    QComboBox* m_bandList = nullptr;
    QLineEdit* m_passwordEdit = nullptr;
    std::array<QComboBox*, orx::kSettingCount> m_settingLists{};
    std::vector<QLabel*> m_labels;
    QLabel* m_channelLabel = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_addButton = nullptr;
    QPushButton* m_factoryButton = nullptr;

    // The floating cell editors: shown only while a cell is edited, laid over that cell.
    CCellEditors* m_editors = nullptr;

    CMSFlexGrid* m_grid = nullptr;
    CChannelTableModel* m_channelModel = nullptr;
    CChannelController m_commands;
    CGridSelection m_selection;
    CCsvFileCommands m_csv;

    CChannelCommandMenus* m_menus = nullptr;

    void updateUndoTexts();
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
};
