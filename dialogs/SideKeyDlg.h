#pragma once

// "侧键": the functions of the radio's two side keys, one for a short and one for a long press
// each. A stored function that the lists do not offer shows as an empty list.

#include "FeatureCodecs.h"

#include <QDialog>

#include <array>

class QComboBox;

class CSideKeyDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId { IdKey1Short = 1109, IdKey1Long = 1110, IdKey2Short = 1111, IdKey2Long = 1112 };

    CSideKeyDlg(orx::RadioImage& image, QWidget* parent);

    // The list of one assignment, in the order orx::SideKeyPress counts them.
    QComboBox* list(orx::SideKeyPress press) const { return m_lists.at(static_cast<std::size_t>(press)); }

public slots:
    void OnOK();

private:
    void createControls();
    void OnInitDialog();

    orx::RadioImage& m_image;
    std::array<QComboBox*, orx::kSideKeyPressCount> m_lists{};
};
