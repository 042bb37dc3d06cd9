#include "SerialNumberDlg.h"

#include "CharacterFilter.h"
#include "DialogUnits.h"
#include "FeatureCodecs.h"
#include "Texts.h"
#include "Tr.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// Template 166, in dialog units.
constexpr int kWidth = 186;
constexpr int kHeight = 56;

} // namespace

CSerialNumberDlg::CSerialNumberDlg(orx::RadioImage& image, QWidget* parent) : QDialog(parent), m_image(image)
{
    setObjectName(QStringLiteral("serialNumberDialog"));
    setWindowTitle(res::Tr(res::kSerialNumberCaption));
    createControls();
    OnInitDialog();
}

void CSerialNumberDlg::createControls()
{
    const DialogUnits du(font());
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("serialNumberEdit"));
    auto* label = new QLabel(res::Tr(res::kSerialNumberLabel), this);
    label->setGeometry(du.rect(10, 12, 64, 14));
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setBuddy(m_edit);
    du.placeCentred(m_edit, 76, 12, 100, 14);

    auto* ok = new QPushButton(res::Tr(res::kOk), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    du.place(ok, 36, 35, 50, 14);
    auto* cancel = new QPushButton(res::Tr(res::kCancel), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    du.place(cancel, 100, 35, 50, 14);
    connect(ok, &QPushButton::clicked, this, &CSerialNumberDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // Letters and digits only, typed, pasted or dropped; letters in upper case.
    auto* keys = new KeyCharacterFilter(orx::IsSerialNumberCharacter, this);
    keys->watch(this);
    keys->watch(m_edit);
    m_validator = new CharacterValidator(orx::IsSerialNumberCharacter, kMaxLength, true, m_edit);

    setFixedSize(du.x(kWidth), du.y(kHeight));
    m_edit->setFocus();
}

void CSerialNumberDlg::OnInitDialog()
{
    // One character per byte, whatever the byte: Latin-1 gives every byte its own character and
    // gives the same byte back on OK.
    const std::string bytes = orx::DecodeSerialNumber(m_image);
    m_loaded = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    m_validator->Load(m_loaded);
}

void CSerialNumberDlg::OnOK()
{
    // The serial number as it was loaded is kept byte for byte: another tool's padding with 0x00
    // stays, and there is nothing to confirm.
    if (m_edit->text() == m_loaded) {
        accept();
        return;
    }
    if (m_confirm && !m_confirm(this))
        return;
    const QByteArray bytes = m_edit->text().toLatin1();
    orx::EncodeSerialNumber(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                            m_image);
    accept();
}
