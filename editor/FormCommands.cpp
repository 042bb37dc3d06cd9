#include "FormCommands.h"

#include "AppContext.h"
#include "DocumentCommands.h"
#include "DtmfDlg.h"
#include "FmRadioDlg.h"
#include "PowerTuneDlg.h"
#include "ProgramDoc.h"
#include "SerialNumberDlg.h"
#include "SideKeyDlg.h"
#include "Texts.h"
#include "Tr.h"
#include "TransferDlg.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

// A feature dialog edits its own block of the image, which the form does not show. It works on a
// copy of the image; what it stored reaches the document as one step of the history.
template <typename Dialog> void editBlocks(CProgramDoc& doc, const char* step, QWidget* parent)
{
    orx::RadioImage copy = doc.image();
    Dialog dlg(copy, parent);
    dlg.exec();
    doc.SetImageBlocks(step, copy);
}

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

namespace formcmd {

void EditDtmf(CProgramDoc& doc, QWidget* parent)
{
    editBlocks<CDtmfDlg>(doc, res::kStepDtmf, parent);
}

void EditSideKeys(CProgramDoc& doc, QWidget* parent)
{
    editBlocks<CSideKeyDlg>(doc, res::kStepSideKeys, parent);
}

void EditFmRadio(CProgramDoc& doc, QWidget* parent)
{
    editBlocks<CFmRadioDlg>(doc, res::kStepFmRadio, parent);
}

void EditSerialNumber(CProgramDoc& doc, QWidget* parent)
{
    constexpr int row = orx::map::kSerialNumberChannel;
    constexpr std::size_t at = orx::map::kSerialNumber;
    constexpr std::size_t size = orx::map::kSerialNumberSize;
    // The dialog works on a copy; only the document writes the serial number's bytes. While row 63
    // is a channel, its record is no serial number to show.
    orx::RadioImage copy = doc.image();
    if (!doc.channels().isFixed(row))
        copy.fill(at, size, orx::map::kErased);
    const orx::RadioImage before = copy;
    CSerialNumberDlg dlg(copy, parent);
    if (!doc.channels().texts(row).empty())
        dlg.SetStoreConfirmation(confirmOverwriteChannel);
    if (dlg.exec() != QDialog::Accepted || copy == before)
        return;
    doc.SetSerialNumber(copy.bytes(at, size));
}

void ReadRadio(CProgramDoc& doc, QWidget* parent)
{
    // The radio's data will replace the screen: unsaved edits are asked about first.
    if (!doccmd::SaveModified(doc, parent))
        return;
    // The password typed on the form is what the radio's password is checked against.
    CTransferDlg dlg(doc.ScreenImage(), doc.context(), parent);
    dlg.SetReadMode(true);
    dlg.SetTitle(res::Tr(res::kRead.text));
    dlg.exec();
    // A failed read has left the document as it was; only a complete one replaces its image.
    // It is the radio's data, not the file that was open: Save asks for a name.
    if (dlg.TransferSucceeded())
        doc.OnReadFromRadio(dlg.ReceivedImage(), doc.context().PortName());
}

void WriteRadio(CProgramDoc& doc, QWidget* parent)
{
    // The band in force goes into the band bytes, which the radio must match.
    doc.StoreScreen();
    CTransferDlg dlg(doc.image(), doc.context(), parent);
    dlg.SetReadMode(false);
    dlg.SetTitle(res::Tr(res::kWrite.text));
    dlg.exec();
}

void TunePower(CProgramDoc& doc, QWidget* parent)
{
    CPowerTuneDlg dlg(doc.context().PortName(), parent);
    dlg.exec();
}

void LoadFactoryDefaults(CProgramDoc& doc, QWidget* parent)
{
    const QString& folder = doc.context().AppDirectory();
    const QString path = folder + QString::fromUtf8(res::kFactoryFileName);
    if (!QFileInfo(path).isFile()) {
        // The folder as the system writes it, with its trailing separator (a backslash on Windows).
        QMessageBox box(QMessageBox::NoIcon, res::Tr(res::kFactoryMissingCaption),
                        res::Tr(res::kFactoryMissingText) + QLatin1Char('\n') + QLatin1Char('"') +
                            QDir::toNativeSeparators(folder) + QLatin1Char('"'),
                        QMessageBox::Ok, parent);
        box.exec();
        return;
    }
    // As File > Open, but the factory file is no file of the user's: Save asks for a name.
    doccmd::OpenDocumentFile(doc, path, parent, CProgramDoc::Origin::Factory);
}

} // namespace formcmd
