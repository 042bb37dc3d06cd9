#include "ProgramView.h"

#include "AppContext.h"
#include "DocumentCommands.h"
#include "PowerTuneDlg.h"
#include "ProgramDoc.h"
#include "Texts.h"
#include "Tr.h"
#include "TransferDlg.h"

// Reading and writing the radio, and live power tuning.

void CProgramView::OnRead()
{
    // The radio's data will replace the screen: unsaved edits are asked about first.
    if (!doccmd::SaveModified(m_doc, this))
        return;
    // The password typed on the form is what the radio's password is checked against.
    CTransferDlg dlg(m_doc.ScreenImage(), m_doc.context(), this);
    dlg.SetReadMode(true);
    dlg.SetTitle(res::Tr(res::kRead.text));
    dlg.exec();
    // A failed read has left the document as it was; only a complete one replaces its image.
    // It is the radio's data, not the file that was open: Save asks for a name.
    if (dlg.TransferSucceeded())
        m_doc.OnReadFromRadio(dlg.ReceivedImage(), m_doc.context().PortName());
}

void CProgramView::OnWrite()
{
    // The band in force goes into the band bytes, which the radio must match.
    ViewToImage();
    CTransferDlg dlg(m_doc.image(), m_doc.context(), this);
    dlg.SetReadMode(false);
    dlg.SetTitle(res::Tr(res::kWrite.text));
    dlg.exec();
}

void CProgramView::OnPower()
{
    CPowerTuneDlg dlg(m_doc.context().PortName(), this);
    dlg.exec();
}
