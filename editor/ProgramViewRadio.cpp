#include "ProgramView.h"

#include "PowerTuneDlg.h"
#include "ProgramDoc.h"
#include "Texts.h"
#include "TransferDlg.h"

// Reading and writing the radio, and live power tuning.

void CProgramView::OnRead()
{
    // The password typed on the form is what the radio's password is checked against.
    ViewToImage();
    CTransferDlg dlg(m_doc.image(), this);
    dlg.SetReadMode(true);
    dlg.SetTitle(QString::fromUtf8(res::kRead.text));
    dlg.exec();
    // A failed read has left the image as it was; only a complete one replaces it and is shown.
    if (dlg.TransferSucceeded()) {
        m_doc.image() = dlg.ReceivedImage();
        ImageToView();
    }
}

void CProgramView::OnWrite()
{
    // The band in force goes into the band bytes, which the radio must match.
    ViewToImage();
    CTransferDlg dlg(m_doc.image(), this);
    dlg.SetReadMode(false);
    dlg.SetTitle(QString::fromUtf8(res::kWrite.text));
    dlg.exec();
}

void CProgramView::OnPower()
{
    CPowerTuneDlg dlg(this);
    dlg.exec();
}
