#pragma once

// "收音机频率": the 32 FM broadcast presets in a two-column grid. A floating edit box laid over a
// frequency cell takes the typed value, which is kept inside 76.00 to 108.00 MHz; the grid cells
// are the working copy, and all presets go back into the image whenever the dialog closes.

#include <QDialog>

namespace orx {
class RadioImage;
}
class CMSFlexGrid;
class CharacterValidator;
class QKeyEvent;
class QLineEdit;

class CFmRadioDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId { IdGrid = 1007, IdEdit = 1100 };
    static constexpr int kGridRows = 33; // header row + 32 presets
    static constexpr int kGridCols = 2;
    static constexpr int kFrequencyCol = 1;
    static constexpr int kEditMaxLength = 6;
    static constexpr int kNumberColTwips = 500;
    static constexpr int kFrequencyColTwips = 2000;

    CFmRadioDlg(orx::RadioImage& image, QWidget* parent);

    CMSFlexGrid* grid() const { return m_grid; }
    QLineEdit* edit() const { return m_edit; }

    // Opens the edit box over the current cell when it is a frequency cell.
    void BeginEdit();
    // Where the edit box lies over cell (row, col), in the dialog's coordinates.
    QRect CellRect(int row, int col) const;

    // However the dialog closes, an open edit is committed and the presets are stored.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void setUpGrid();
    void OnInitDialog();
    void CommitEdit();
    void StorePresets();
    bool onEditKey(const QKeyEvent* key);
    bool onGridKey(const QKeyEvent* key);
    void postKey(int key);
    void onGridMouseDown(int button, int shift, int x, int y);
    void onGridEnterCell();
    void setHighLightFor(int mouseCol);

    orx::RadioImage& m_image;
    CMSFlexGrid* m_grid = nullptr;
    QLineEdit* m_edit = nullptr;
    CharacterValidator* m_editValidator = nullptr;
    int m_editRow = -1; // the row under the open edit box, -1 when none is open
};
