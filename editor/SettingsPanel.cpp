#include "SettingsPanel.h"

#include "DialogUnits.h"
#include "ProgramDoc.h"
#include "Texts.h"
#include "Tr.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>

#include <algorithm>
#include <iterator>

namespace {

// Template 101, in dialog units.
constexpr QRect kGroupRect(15, 12, 564, 90);
constexpr int kComboWidth = 67;
constexpr int kRowHeight = 12;

struct Place {
    int id; // control id
    int x, y;
    int listHeight; // height of the open list, -1 for an edit
};

// The list of each setting on the panel, in Setting order: its control id and object name.
struct SettingControl {
    orx::Setting setting;
    int id;
    const char* objectName;
};
constexpr SettingControl kSettingControls[orx::kSettingCount] = {
    {orx::Setting::DisplayMode, CSettingsPanel::IdDisplayModeList, "displayModeList"},
    {orx::Setting::ScanMode, CSettingsPanel::IdScanModeList, "scanModeList"},
    {orx::Setting::TailElimination, CSettingsPanel::IdTailEliminationList, "tailEliminationList"},
    {orx::Setting::ManualSetting, CSettingsPanel::IdManualSettingList, "manualSettingList"},
    {orx::Setting::Beep, CSettingsPanel::IdBeepList, "beepList"},
    {orx::Setting::BatterySave, CSettingsPanel::IdBatterySaveList, "batterySaveList"},
    {orx::Setting::Squelch, CSettingsPanel::IdSquelchList, "squelchList"},
    {orx::Setting::TimeLimit, CSettingsPanel::IdTimeLimitList, "timeLimitList"},
    {orx::Setting::VoxLevel, CSettingsPanel::IdVoxLevelList, "voxLevelList"},
    {orx::Setting::EndTone, CSettingsPanel::IdEndToneList, "endToneList"},
    {orx::Setting::PriorityChannel, CSettingsPanel::IdPriorityChannelList, "priorityChannelList"},
};

// Where each control of the panel stands; its label stands to its left.
constexpr Place kPanel[] = {
    {CSettingsPanel::IdModelList, 89, 28, 52},
    {CSettingsPanel::IdBandList, 209, 28, 83},
    {CSettingsPanel::IdManualSettingList, 332, 28, 61},
    {CSettingsPanel::IdTimeLimitList, 478, 28, 119},
    {CSettingsPanel::IdPasswordEdit, 89, 45, -1},
    {CSettingsPanel::IdPriorityChannelList, 209, 45, 113},
    {CSettingsPanel::IdVoxLevelList, 332, 45, 184},
    {CSettingsPanel::IdBatterySaveList, 478, 45, 46},
    {CSettingsPanel::IdSquelchList, 89, 62, 104},
    {CSettingsPanel::IdBeepList, 209, 62, 90},
    {CSettingsPanel::IdTailEliminationList, 332, 62, 55},
    {CSettingsPanel::IdEndToneList, 478, 62, 67},
    {CSettingsPanel::IdScanModeList, 88, 80, 104},
    {CSettingsPanel::IdDisplayModeList, 209, 80, 83},
};

// Left edge of the label in front of a control at x.
int labelLeft(int controlX)
{
    if (controlX < 150)
        return 21;
    if (controlX < 300)
        return 159;
    if (controlX < 450)
        return 282;
    return 402;
}

QComboBox* makeList(QWidget* parent, const char* objectName)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setEditable(false);
    box->setFocusPolicy(Qt::StrongFocus);
    return box;
}

void fillList(QComboBox* box, const std::vector<std::string>& entries)
{
    box->clear();
    for (const auto& e : entries)
        box->addItem(res::FromUtf8(e));
}

std::vector<std::string> listEntries(const QComboBox* box)
{
    std::vector<std::string> v;
    v.reserve(static_cast<std::size_t>(box->count()));
    for (int i = 0; i < box->count(); ++i)
        v.push_back(box->itemText(i).toStdString());
    return v;
}

} // namespace

CSettingsPanel::CSettingsPanel(CProgramDoc& document, QWidget* form) : QWidget(form), m_doc(document)
{
    setObjectName(QStringLiteral("settingsPanel"));
    m_group = new QGroupBox(res::Tr(res::kSettingsGroup), this);
    m_group->setObjectName(QStringLiteral("settingsGroup"));

    m_modelList = makeList(this, "modelList");
    m_bandList = makeList(this, "bandList");
    // A model counts only when it changes: picking the one shown again would throw away the band
    // in force for the model's first band. showScreen() fills and selects without these.
    connect(m_modelList, &QComboBox::currentIndexChanged, this, &CSettingsPanel::onModelChanged);
    // A band picked again is applied again: the list always shows the band in force.
    connect(m_bandList, &QComboBox::activated, this, &CSettingsPanel::onBandChanged);

    m_passwordEdit = new QLineEdit(this);
    m_passwordEdit->setObjectName(QStringLiteral("passwordEdit"));
    m_passwordEdit->setContextMenuPolicy(Qt::NoContextMenu);
    // Digits only, typed or pasted.
    m_passwordEdit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_passwordEdit));
    connect(m_passwordEdit, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_doc.SetPassword(text.left(static_cast<int>(orx::kPasswordMaxLength)).toStdString());
    });

    for (const SettingControl& c : kSettingControls) {
        QComboBox* list = makeList(this, c.objectName);
        m_settingLists.push_back(list);
        connect(list, &QComboBox::currentIndexChanged, this,
                [this, setting = c.setting](int index) { m_doc.SetSetting(setting, index); });
    }
}

QWidget* CSettingsPanel::control(int id) const
{
    if (id == IdModelList)
        return m_modelList;
    if (id == IdBandList)
        return m_bandList;
    if (id == IdPasswordEdit)
        return m_passwordEdit;
    for (int i = 0; i < orx::kSettingCount; ++i) {
        if (kSettingControls[i].id == id)
            return m_settingLists[static_cast<std::size_t>(i)];
    }
    return nullptr;
}

void CSettingsPanel::layOut(const DialogUnits& du, int width, int height)
{
    setGeometry(0, 0, width, height);
    m_group->setGeometry(du.rect(kGroupRect.x(), kGroupRect.y(), kGroupRect.width(), kGroupRect.height()));
    m_group->lower();
    const int rowHeight = du.y(kRowHeight);
    const int controlHeight = std::max(rowHeight, m_modelList->sizeHint().height());
    for (const Place& p : kPanel) {
        QWidget* w = control(p.id);
        w->setGeometry(du.x(p.x), du.y(p.y) + (rowHeight - controlHeight) / 2, du.x(kComboWidth),
                       controlHeight);
        if (auto* box = qobject_cast<QComboBox*>(w))
            box->setMaxVisibleItems(std::max(3, (p.listHeight - kRowHeight) / 8 + 1)); // ~8 units an item
        auto* label = new QLabel(labelText(p.id), this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        const int left = labelLeft(p.x);
        label->setGeometry(du.x(left), du.y(p.y), du.x(p.x - 3 - left), rowHeight);
        label->setBuddy(w);
        m_labels.push_back(label);
    }
}

QString CSettingsPanel::labelText(int id)
{
    if (id == IdModelList)
        return res::Tr(res::kModelLabel);
    if (id == IdBandList)
        return res::Tr(res::kBandLabel);
    if (id == IdPasswordEdit)
        return res::Tr(res::kPasswordLabel);
    for (const SettingControl& c : kSettingControls) {
        if (c.id == id)
            return res::Tr(orx::Info(c.setting).label);
    }
    return {};
}

void CSettingsPanel::setUp()
{
    for (int i = 0; i < orx::kSettingCount; ++i) {
        QComboBox* list = m_settingLists[static_cast<std::size_t>(i)];
        // Filling selects entry 0, which is no choice of the user's.
        const QSignalBlocker block(list);
        list->clear();
        for (const auto& choice : orx::Choices(static_cast<orx::Setting>(i)))
            list->addItem(res::Tr(std::string_view(choice)));
    }
    m_passwordEdit->setMaxLength(static_cast<int>(orx::kPasswordMaxLength));
    m_setUp = true;
}

void CSettingsPanel::retranslate()
{
    m_group->setTitle(res::Tr(res::kSettingsGroup));
    for (std::size_t i = 0; i < m_labels.size() && i < std::size(kPanel); ++i)
        m_labels[i]->setText(labelText(kPanel[i].id));
    // The entries are shown anew in place: the index, which is the stored value, stays.
    if (!m_setUp)
        return;
    for (int i = 0; i < orx::kSettingCount; ++i) {
        QComboBox* list = m_settingLists[static_cast<std::size_t>(i)];
        const auto choices = orx::Choices(static_cast<orx::Setting>(i));
        for (int k = 0; k < list->count() && k < static_cast<int>(choices.size()); ++k)
            list->setItemText(k, res::Tr(std::string_view(choices[static_cast<std::size_t>(k)])));
    }
}

std::vector<QComboBox*> CSettingsPanel::lists() const
{
    std::vector<QComboBox*> all{m_modelList, m_bandList};
    all.insert(all.end(), m_settingLists.begin(), m_settingLists.end());
    return all;
}

void CSettingsPanel::showLists()
{
    const orx::BandSelection& lists = m_doc.screen().lists;
    // Filling and selecting here is the program's doing, not a choice of the user's.
    const QSignalBlocker blockModels(m_modelList);
    const QSignalBlocker blockBands(m_bandList);
    if (listEntries(m_modelList) != lists.models)
        fillList(m_modelList, lists.models);
    m_modelList->setCurrentIndex(lists.model);
    if (listEntries(m_bandList) != lists.bands)
        fillList(m_bandList, lists.bands);
    m_bandList->setCurrentIndex(lists.band);
}

void CSettingsPanel::showScreen()
{
    const orx::ScreenCopy& s = m_doc.screen();
    showLists();
    for (int i = 0; i < orx::kSettingCount; ++i) {
        QComboBox* list = m_settingLists[static_cast<std::size_t>(i)];
        const QSignalBlocker block(list);
        list->setCurrentIndex(s.settings.index[static_cast<std::size_t>(i)]);
    }
    // The password being typed stays where the caret is.
    const QString password = res::FromUtf8(s.settings.password);
    if (m_passwordEdit->text() != password) {
        const QSignalBlocker block(m_passwordEdit);
        m_passwordEdit->setText(password);
    }
}

void CSettingsPanel::onModelChanged()
{
    const int model = m_modelList->currentIndex();
    if (model < 0)
        return;
    m_doc.SelectModel(model);
    showLists();
}

void CSettingsPanel::onBandChanged()
{
    m_doc.SelectBand(m_bandList->currentIndex());
    // An entry that cannot be applied does not stay shown.
    showLists();
}
