#include "ProgramView.h"

#include "PowerTuneDlg.h"
#include "ProgramDoc.h"
#include "Texts.h"
#include "Tr.h"
#include "TransferDlg.h"

// Reading and writing the radio, and live power tuning.

void CProgramView::OnRead()
{
    // The radio's data will replace the screen: unsaved edits are asked about first.
    if (!m_doc.SaveModified(this))
        return;
    // The password typed on the form is what the radio's password is checked against.
    CTransferDlg dlg(m_doc.ScreenImage(), this);
    dlg.SetReadMode(true);
    dlg.SetTitle(res::Tr(res::kRead.text));
    dlg.exec();
    // A failed read has left the document as it was; only a complete one replaces its image.
    if (dlg.TransferSucceeded())
        m_doc.ReplaceImage(dlg.ReceivedImage());
}

void CProgramView::OnWrite()
{
    // The band in force goes into the band bytes, which the radio must match.
    ViewToImage();
    CTransferDlg dlg(m_doc.image(), this);
    dlg.SetReadMode(false);
    dlg.SetTitle(res::Tr(res::kWrite.text));
    dlg.exec();
}

void CProgramView::OnPower()
{
    CPowerTuneDlg dlg(this);
    dlg.exec();
}
