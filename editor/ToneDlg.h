#pragma once

// The "亚音设置" dialog in which the receive or transmit tone of a channel is picked: no tone, one of
// the 50 CTCSS tones or one of the 105 DCS codes in normal or inverted polarity. It starts from the
// grid cell's tone text and, on OK, hands back the tone text of the choice.

#include <QDialog>
#include <QString>

#include <array>

class CMSFlexGrid;
class QGroupBox;
class QRadioButton;

class CToneDlg : public QDialog {
    Q_OBJECT
public:
    // Control ids of dialog 164; the radio button of mode m is IdNone + m.
    enum ControlId { IdGrid = 1007, IdNone = 1034, IdDcsNormal = 1035, IdCtcss = 1036, IdDcsInverted = 1037 };

    explicit CToneDlg(const QString& toneText, QWidget* parent = nullptr);

    // The result after OK; the incoming text otherwise.
    QString toneText() const { return m_toneText; }
    int mode() const { return m_mode; }
    CMSFlexGrid* grid() const { return m_grid; }
    QRadioButton* modeButton(int mode) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void createControls();
    void OnInitDialog();
    void ParseToneText();
    void FillToneGrid();
    int FindTone(const QString& value) const;
    void BuildToneText();
    void onModeClicked(int mode);
    void onGridMouseDown(int button, int shift, int x, int y);
    // List index of the grid's current cell, or -1 when the cell holds no entry of the list.
    int currentEntry() const;

    QString m_toneText;
    QString m_value; // the list text named by the incoming tone text
    int m_mode = 0;
    QGroupBox* m_group = nullptr;
    std::array<QRadioButton*, 4> m_modeButtons{};
    CMSFlexGrid* m_grid = nullptr;
};
