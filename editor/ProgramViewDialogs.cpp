#include "ProgramView.h"

#include "DtmfDlg.h"
#include "FmRadioDlg.h"
#include "ProgramDoc.h"
#include "SerialNumberDlg.h"
#include "SideKeyDlg.h"
#include "Texts.h"

#include <QMessageBox>
#include <QPushButton>

// The feature dialogs of the Edit menu: each edits its own block of the image, which the form does
// not show, so the form stays as it is afterwards. The serial number is the exception: its bytes
// are channel 63's record.

void CProgramView::OnDtmf()
{
    CDtmfDlg dlg(m_doc.image(), this);
    dlg.exec();
}

void CProgramView::OnSideKeys()
{
    CSideKeyDlg dlg(m_doc.image(), this);
    dlg.exec();
}

void CProgramView::OnFmRadio()
{
    CFmRadioDlg dlg(m_doc.image(), this);
    dlg.exec();
}

namespace {

bool confirmOverwriteChannel(QWidget* parent)
{
    QMessageBox box(QMessageBox::Question, QString::fromUtf8(res::kSerialNumberCaption),
                    QString::fromUtf8(res::kSerialOverwriteText).arg(orx::map::kSerialNumberChannel),
                    QMessageBox::NoButton, parent);
    QPushButton* yes = box.addButton(QString::fromUtf8(res::kYes), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QString::fromUtf8(res::kNo), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

} // namespace

void CProgramView::OnSerialNumber()
{
    constexpr int row = orx::map::kSerialNumberChannel;
    // Row 63 may hold edits that are not in the image yet (an editor may still be open over it):
    // they are channel 63 as much as the image's record is, and the next save would write them
    // over the serial number.
    CommitOpenEditor();
    CSerialNumberDlg dlg(m_doc.image(), this);
    if (!RowTexts(row).empty())
        dlg.SetStoreConfirmation(confirmOverwriteChannel);
    if (dlg.exec() != QDialog::Accepted)
        return;
    // The record now holds the serial number: row 63 shows what the image holds, so that the next
    // save keeps the serial number instead of writing the old row over it.
    m_channels.reloadSerialRow(m_doc.image());
    SetRowTexts(row, m_channels.texts(row));
}
