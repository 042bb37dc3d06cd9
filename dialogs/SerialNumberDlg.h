#pragma once

// "电子串号": the serial number of the radio's circuit board, letters and digits kept in the 16
// bytes that channel 63's record also uses. Loads from the image when it opens and stores on OK.

#include <QDialog>

#include <functional>

namespace orx {
class RadioImage;
}
class CharacterValidator;
class QLineEdit;

class CSerialNumberDlg : public QDialog {
    Q_OBJECT
public:
    enum ControlId { IdSerialNumberEdit = 1092 };
    static constexpr int kMaxLength = 16;

    CSerialNumberDlg(orx::RadioImage& image, QWidget* parent);

    // Asked on OK before anything is stored; when it says no, the image stays as it is and the
    // dialog stays open. The host uses it when the bytes still hold a channel.
    void SetStoreConfirmation(std::function<bool(QWidget* dialog)> confirm)
    {
        m_confirm = std::move(confirm);
    }

public slots:
    void OnOK();

private:
    void createControls();
    void OnInitDialog();

    orx::RadioImage& m_image;
    QLineEdit* m_edit = nullptr;
    CharacterValidator* m_validator = nullptr;
    std::function<bool(QWidget*)> m_confirm;
    QString m_loaded; // the text the image held when the dialog opened
};
