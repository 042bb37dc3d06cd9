#include "DtmfDlg.h"

#include "CharacterFilter.h"
#include "DialogUnits.h"
#include "FeatureCodecs.h"
#include "Texts.h"
#include "Tr.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Template 160, in dialog units.
constexpr int kWidth = 190;
constexpr int kHeight = 82;
constexpr int kLabelX = 15;
constexpr int kLabelWidth = 38;
constexpr int kFieldX = 56;
constexpr int kFieldWidth = 60;
constexpr int kRowHeight = 14;
constexpr int kTxRowY = 20;
constexpr int kRxRowY = 38;
constexpr int kCodeRowY = 56;

} // namespace

CDtmfDlg::CDtmfDlg(orx::RadioImage& image, QWidget* parent) : QDialog(parent), m_image(image)
{
    setObjectName(QStringLiteral("dtmfDialog"));
    setWindowTitle(res::Tr(res::kDtmfCaption));
    createControls();
    OnInitDialog();
}

void CDtmfDlg::createControls()
{
    const DialogUnits du(font());
    auto* group = new QGroupBox(res::Tr(res::kDtmfGroup), this);
    group->setGeometry(du.rect(7, 7, 118, 68));

    auto addRow = [&](const char* label, QWidget* field, int y) {
        auto* text = new QLabel(res::Tr(label), this);
        text->setGeometry(du.rect(kLabelX, y, kLabelWidth, kRowHeight));
        text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        text->setBuddy(field);
        du.placeCentred(field, kFieldX, y, kFieldWidth, kRowHeight);
    };
    m_txList = new QComboBox(this);
    m_txList->setObjectName(QStringLiteral("txSideToneList"));
    addRow(res::kTxSideTone, m_txList, kTxRowY);
    m_rxList = new QComboBox(this);
    m_rxList->setObjectName(QStringLiteral("rxSideToneList"));
    addRow(res::kRxSideTone, m_rxList, kRxRowY);
    m_codeEdit = new QLineEdit(this);
    m_codeEdit->setObjectName(QStringLiteral("pttIdEdit"));
    addRow(res::kPttIdLabel, m_codeEdit, kCodeRowY);

    auto* ok = new QPushButton(res::Tr(res::kOk), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    du.place(ok, 133, 12, 50, 14);
    auto* cancel = new QPushButton(res::Tr(res::kCancel), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    du.place(cancel, 133, 30, 50, 14);
    connect(ok, &QPushButton::clicked, this, &CDtmfDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // Only DTMF characters are typed, pasted or dropped into the code, letters in upper case.
    auto* keys = new KeyCharacterFilter(orx::IsDtmfCharacter, this);
    keys->watch(m_codeEdit);
    m_codeValidator = new CharacterValidator(orx::IsDtmfCharacter, kCodeMaxLength, true, m_codeEdit);

    setFixedSize(du.x(kWidth), du.y(kHeight));
    m_txList->setFocus();
}

void CDtmfDlg::OnInitDialog()
{
    for (QComboBox* list : {m_rxList, m_txList}) {
        list->clear();
        list->addItem(res::Tr(res::kOn));
        list->addItem(res::Tr(res::kOff));
    }
    const orx::DtmfSettings dtmf = orx::DecodeDtmf(m_image);
    m_rxList->setCurrentIndex(dtmf.rxSideTone ? kItemOn : kItemOn + 1);
    m_txList->setCurrentIndex(dtmf.txSideTone ? kItemOn : kItemOn + 1);
    m_codeValidator->Load(QString::fromLatin1(dtmf.code.data(), static_cast<qsizetype>(dtmf.code.size())));
}

void CDtmfDlg::OnOK()
{
    orx::DtmfSettings dtmf;
    dtmf.rxSideTone = m_rxList->currentIndex() == kItemOn;
    dtmf.txSideTone = m_txList->currentIndex() == kItemOn;
    // The box takes only ASCII characters, so each one is one byte.
    dtmf.code = m_codeEdit->text().toLatin1().toStdString();
    orx::EncodeDtmf(dtmf, m_image);
    accept();
}
