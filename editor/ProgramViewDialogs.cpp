#include "ProgramView.h"

#include "DtmfDlg.h"
#include "FmRadioDlg.h"
#include "ProgramDoc.h"
#include "SerialNumberDlg.h"
#include "SideKeyDlg.h"
#include "Texts.h"
#include "Tr.h"

#include <QMessageBox>
#include <QPushButton>

// The feature dialogs of the Edit menu: each edits its own block of the image, which the form does
// not show. A dialog works on a copy of the image; what it stored reaches the document as one step
// of the history. The serial number is the exception: its bytes are channel 63's record.

namespace {

template <typename Dialog> void editBlocks(CProgramDoc& doc, const char* step, QWidget* parent)
{
    orx::RadioImage copy = doc.image();
    Dialog dlg(copy, parent);
    dlg.exec();
    doc.SetImageBlocks(step, copy);
}

} // namespace

void CProgramView::OnDtmf()
{
    editBlocks<CDtmfDlg>(m_doc, res::kStepDtmf, this);
}

void CProgramView::OnSideKeys()
{
    editBlocks<CSideKeyDlg>(m_doc, res::kStepSideKeys, this);
}

void CProgramView::OnFmRadio()
{
    editBlocks<CFmRadioDlg>(m_doc, res::kStepFmRadio, this);
}

namespace {

bool confirmOverwriteChannel(QWidget* parent)
{
    QMessageBox box(QMessageBox::Question, res::Tr(res::kSerialNumberCaption),
                    res::Tr(res::kSerialOverwriteText).arg(orx::map::kSerialNumberChannel),
                    QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(res::Tr(res::kYes), QMessageBox::YesRole);
    QPushButton* no = box.addButton(res::Tr(res::kNo), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

} // namespace

void CProgramView::OnSerialNumber()
{
    constexpr int row = orx::map::kSerialNumberChannel;
    constexpr std::size_t at = orx::map::kSerialNumber;
    constexpr std::size_t size = orx::map::kSerialNumberSize;
    // Row 63 may hold edits that are not in the image yet (an editor may still be open over it):
    // they are channel 63 as much as the image's record is.
    CommitOpenEditor();
    // The dialog works on a copy; only the document writes the serial number's bytes. While row 63
    // is a channel, its record is no serial number to show.
    orx::RadioImage copy = m_doc.image();
    if (!m_doc.channels().isFixed(row))
        copy.fill(at, size, orx::map::kErased);
    const orx::RadioImage before = copy;
    CSerialNumberDlg dlg(copy, this);
    if (!RowTexts(row).empty())
        dlg.SetStoreConfirmation(confirmOverwriteChannel);
    if (dlg.exec() != QDialog::Accepted || copy == before)
        return;
    m_doc.SetSerialNumber(copy.bytes(at, size));
}
