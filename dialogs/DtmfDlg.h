#pragma once

// "DTMF": the radio's DTMF encoder settings, the transmit and receive side tones and the PTT ID
// code that channels send before or after transmitting. Loads from the image when it opens and
// stores on OK only.

#include <QDialog>

namespace orx {
class RadioImage;
}
class CharacterValidator;
class QComboBox;
class QLineEdit;

class CDtmfDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId { IdRxSideTone = 1112, IdTxSideTone = 1115, IdPttIdEdit = 1082 };
    static constexpr int kCodeMaxLength = 8;
    // List items: 开 first, 关 second.
    static constexpr int kItemOn = 0;

    CDtmfDlg(orx::RadioImage& image, QWidget* parent);

public slots:
    void OnOK();

private:
    void createControls();
    void OnInitDialog();

    orx::RadioImage& m_image;
    QComboBox* m_txList = nullptr;
    QComboBox* m_rxList = nullptr;
    QLineEdit* m_codeEdit = nullptr;
    CharacterValidator* m_codeValidator = nullptr;
};
