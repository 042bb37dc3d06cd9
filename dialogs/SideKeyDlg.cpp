#include "SideKeyDlg.h"

#include "DialogUnits.h"
#include "Texts.h"
#include "Tr.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

// Template 158, in dialog units: the two keys' groups one above the other, buttons on the right.
constexpr int kWidth = 184;
constexpr int kHeight = 110;
constexpr int kGroupX = 7;
constexpr int kGroupWidth = 112;
constexpr int kGroupHeight = 46;
constexpr int kGroupY[2] = {7, 57};
constexpr int kLabelX = 15;
constexpr int kLabelWidth = 24;
constexpr int kListX = 42;
constexpr int kListWidth = 68;
constexpr int kRowHeight = 14;
constexpr int kShortRowOffset = 12; // from the group's top
constexpr int kLongRowOffset = 28;

struct ListPlace {
    orx::SideKeyPress press;
    int key; // 0 or 1
    bool shortPress;
    const char* objectName;
};

constexpr ListPlace kListPlaces[] = {
    {orx::Key1Short, 0, true, "key1ShortList"},
    {orx::Key1Long, 0, false, "key1LongList"},
    {orx::Key2Short, 1, true, "key2ShortList"},
    {orx::Key2Long, 1, false, "key2LongList"},
};

} // namespace

CSideKeyDlg::CSideKeyDlg(orx::RadioImage& image, QWidget* parent) : QDialog(parent), m_image(image)
{
    setObjectName(QStringLiteral("sideKeyDialog"));
    setWindowTitle(res::Tr(res::kSideKeyCaption));
    createControls();
    OnInitDialog();
}

void CSideKeyDlg::createControls()
{
    const DialogUnits du(font());
    const char* groupTitles[2] = {res::kSideKey1Group, res::kSideKey2Group};
    for (int key = 0; key < 2; ++key) {
        auto* group = new QGroupBox(res::Tr(groupTitles[key]), this);
        group->setGeometry(du.rect(kGroupX, kGroupY[key], kGroupWidth, kGroupHeight));
    }
    for (const ListPlace& p : kListPlaces) {
        auto* list = new QComboBox(this);
        list->setObjectName(QString::fromLatin1(p.objectName));
        const int y = kGroupY[p.key] + (p.shortPress ? kShortRowOffset : kLongRowOffset);
        auto* label = new QLabel(res::Tr(p.shortPress ? res::kShortPress : res::kLongPress), this);
        label->setGeometry(du.rect(kLabelX, y, kLabelWidth, kRowHeight));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setBuddy(list);
        du.placeCentred(list, kListX, y, kListWidth, kRowHeight);
        m_lists[static_cast<std::size_t>(p.press)] = list;
    }

    auto* ok = new QPushButton(res::Tr(res::kOk), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    du.place(ok, 127, 12, 50, 14);
    auto* cancel = new QPushButton(res::Tr(res::kCancel), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    du.place(cancel, 127, 30, 50, 14);
    connect(ok, &QPushButton::clicked, this, &CSideKeyDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(du.x(kWidth), du.y(kHeight));
    m_lists.front()->setFocus();
}

void CSideKeyDlg::OnInitDialog()
{
    const orx::SideKeyCodes codes = orx::DecodeSideKeys(m_image);
    for (std::size_t i = 0; i < m_lists.size(); ++i) {
        QComboBox* list = m_lists[i];
        for (std::string_view choice : orx::kSideKeyChoices)
            list->addItem(res::Tr(choice));
        // A function the lists do not offer leaves the list without a selection.
        list->setCurrentIndex(orx::SideKeyChoiceIndex(codes[i]));
    }
}

void CSideKeyDlg::OnOK()
{
    orx::SideKeyCodes codes{};
    for (std::size_t i = 0; i < m_lists.size(); ++i)
        codes[i] = orx::SideKeyFunctionCode(m_lists[i]->currentText().toStdString());
    orx::EncodeSideKeys(codes, m_image);
    accept();
}
