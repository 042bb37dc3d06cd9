#pragma once

// The main form: the "设置" panel with the radio-wide settings, the channel line with its buttons,
// the floating cell editors and the 128-channel grid. The screen is the working copy of the user's
// edits: ImageToView shows the image, ViewToImage writes the screen back just before the image is
// saved, read or written. The conversions themselves are in the image library; this class only
// moves texts and selections between it and the widgets.
//
// The class is implemented in several files by concern: ProgramView.cpp (form, conversions, grid
// events), ProgramViewEditors.cpp (cell editors, keys, add/delete, factory defaults),
// ProgramViewRadio.cpp (read, write, power tuning), ProgramViewDialogs.cpp (feature dialogs),
// ProgramViewPrint.cpp (printing), ProgramViewExchange.cpp (CSV files, clipboard, undo and redo).

#include "Band.h"
#include "GridTexts.h"
#include "ScreenCopy.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <vector>

class CMSFlexGrid;
class CProgramDoc;
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
class QUndoStack;

class CProgramView : public QWidget {
    Q_OBJECT
public:
    // Control ids of form 101, kept where code and tests name the controls.
    enum ControlId {
        IdGrid = 1007,
        IdBandList = 1011,
        IdModelList = 1017,
        IdDeleteButton = 1068,
        IdPasswordEdit = 1074,
        IdFrequencyEdit = 1082,
        IdHiddenList = 1083,
        IdChoiceList = 1084,
        IdAddButton = 1089,
        IdFactoryButton = 1090,
        IdNameEdit = 1098,
    };
    static constexpr int kGridRows = orx::map::kChannelCount + 1; // header row + 128 channels
    static constexpr int kGridCols = orx::kGridColumnCount;
    static constexpr int kNameMaxLength = 8;

    explicit CProgramView(CProgramDoc& document, QWidget* parent = nullptr);
    ~CProgramView() override;

    CProgramDoc& document() { return m_doc; }
    CMSFlexGrid* grid() const { return m_grid; }
    orx::BandLimits& bandLimits() { return m_bandLimits; }
    const orx::BandLimits& bandLimits() const { return m_bandLimits; }
    // The size of the form as laid out from its template.
    QSize formSize() const { return m_formSize; }
    QSize sizeHint() const override { return m_formSize; }

    // Run by the document after every new document and every successful open.
    void OnInitialUpdate();
    void ImageToView();
    void ViewToImage();

    // The screen as texts and selections, and back.
    orx::ScreenCopy ReadScreen() const;
    void ShowScreen(const orx::ScreenCopy& screen);
    orx::ChannelTexts RowTexts(int row) const;
    void SetRowTexts(int row, const orx::ChannelTexts& texts);

    // Every change the user makes to the channel table goes through EditRows: one call is one
    // edit (a committed cell, a tone choice, an added or deleted channel, a paste, a CSV import)
    // with the new texts of each row it touches, and one step of the undo history.
    struct RowEdit {
        int row;
        orx::ChannelTexts texts;
    };
    void EditRows(const std::vector<RowEdit>& edits);
    void EditRow(int row, const orx::ChannelTexts& texts) { EditRows({RowEdit{row, texts}}); }

    // The undo history of the channel table. ImageToView starts it afresh: a new document, an
    // opened file, the factory defaults and a read from the radio cannot be undone.
    QUndoStack* undoStack() const { return m_undoStack; }
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void createControls();
    void layoutForm();
    void setUpOnce();
    void setUpGrid();
    void installEditorFilters();
    // An open cell editor writes its text into the grid and hides itself, as it does when it loses
    // the focus. Runs before anything reads the grid.
    void CommitOpenEditor();
    // The editors of a document that is being replaced are closed without writing anything.
    void CloseEditors();
    void showEditor(QWidget* editor, int row, int col);
    void finishEditor(QWidget* editor);
    void moveFocusToGrid();
    void postKey(int key);
    bool filterFrequencyKey(QKeyEvent* event);
    bool filterGridKey(QKeyEvent* event);
    bool filterGridWheel(QWheelEvent* event);
    bool filterListWheel(QComboBox* list, QWheelEvent* event);
    std::vector<QComboBox*> settingsLists() const;
    bool pageOnWheel(int delta);

    // The selected cells in grid coordinates; the current cell when nothing is selected.
    struct CellRange {
        int top, left, bottom, right;
        bool wholeRows() const { return left == orx::kFirstDataColumn && right == orx::kLastDataColumn; }
        int cellCount() const { return (bottom - top + 1) * (right - left + 1); }
    };
    void createExchange();
    bool filterClipboardKey(QKeyEvent* event);
    CellRange selectedCells() const;
    void selectCells(const CellRange& range);
    void onGridSelectionChanged();

    void onGridMouseDown(int button, int shift, int x, int y);
    void onGridEnterCell();
    void setHighLightFor(int mouseCol);

    orx::RadioCatalog readCatalog() const;
    orx::BandSelection readLists() const;
    void showLists(const orx::BandSelection& lists);

    CProgramDoc& m_doc;
    orx::BandLimits m_bandLimits;
    orx::ChannelEntryTable m_channels; // the rows' bytes as the image last shown held them
    bool m_extraBand = false;          // the band list ends with the limits in force
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
    QLineEdit* m_frequencyEdit = nullptr;
    QComboBox* m_hiddenList = nullptr; // created and never shown
    QComboBox* m_choiceList = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    // The cell the open editor was laid over.
    int m_editRow = 0;
    int m_editCol = 0;

    CMSFlexGrid* m_grid = nullptr;

    QUndoStack* m_undoStack = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
};
