#pragma once

// The "设置" panel of the form: the model and band lists, the password and the radio-wide setting
// lists with their labels. It shows the document's screen and hands every choice to the document
// at once, as one step of its history; filling and selecting the lists is never taken for a choice.

#include <QWidget>

#include <vector>

class CProgramDoc;
class DialogUnits;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

class CSettingsPanel : public QWidget {
    Q_OBJECT
public:
    // Control ids of the panel's controls on form 101.
    enum ControlId {
        IdBandList = 1011,
        IdDisplayModeList = 1012,
        IdTimeLimitList = 1013,
        IdBeepList = 1014,
        IdSquelchList = 1016,
        IdModelList = 1017,
        IdScanModeList = 1018,
        IdPasswordEdit = 1074,
        IdManualSettingList = 1076,
        IdBatterySaveList = 1078,
        IdTailEliminationList = 1085,
        IdPriorityChannelList = 1087,
        IdEndToneList = 1088,
        IdVoxLevelList = 1110,
    };

    // The panel lies on form's top left corner, so that its controls stand where the form's template
    // puts them.
    CSettingsPanel(CProgramDoc& document, QWidget* form);

    // The controls and labels placed from the template; height is the panel's in pixels.
    void layOut(const DialogUnits& du, int width, int height);
    // The setting lists filled with their entries (once, before the first screen is shown).
    void setUp();
    // The document's screen: the lists, the settings and the password.
    void showScreen();
    // The texts in the language now chosen; the values shown stay as they are.
    void retranslate();

    // Every list of the panel, the model and band lists first.
    std::vector<QComboBox*> lists() const;
    // The labels in template order (printing shows them).
    const std::vector<QLabel*>& labels() const { return m_labels; }

private:
    static QString labelText(int id);
    QWidget* control(int id) const;
    void onModelChanged();
    void onBandChanged();
    void showLists();

    CProgramDoc& m_doc;
    bool m_setUp = false;
    QGroupBox* m_group = nullptr;
    QComboBox* m_modelList = nullptr;
    QComboBox* m_bandList = nullptr;
    QLineEdit* m_passwordEdit = nullptr;
    std::vector<QComboBox*> m_settingLists; // in Setting order
    std::vector<QLabel*> m_labels;
};
