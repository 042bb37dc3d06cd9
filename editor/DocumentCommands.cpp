#include "DocumentCommands.h"

#include "ProgramDoc.h"
#include "Texts.h"
#include "Tr.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace doccmd {

namespace {

QString fileFilter()
{
    return res::Tr(res::kFileFilter);
}

bool doSave(CProgramDoc& doc, QWidget* parent, bool askForName)
{
    QString path = doc.pathName();
    if (askForName) {
        // The file itself when it is the user's; otherwise a name for what the data are (the date
        // and band of a read), in the folder last used.
        const QString suggested =
            doc.SavesInPlace() ? doc.pathName() : QDir(doc.lastFolder()).filePath(doc.SuggestedFileName());
        QFileDialog dialog(parent, QString(), suggested, fileFilter());
        dialog.setObjectName(QStringLiteral("saveAsDialog"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(res::Tr(res::kFileExtension));
        dialog.selectFile(suggested);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        path = dialog.selectedFiles().constFirst();
    }
    QString error;
    orx::SaveProblem problem = orx::SaveProblem::None;
    if (doc.OnSaveDocument(path, &error, &problem))
        return true;
    if (problem != orx::SaveProblem::WriteProtected) {
        QMessageBox::warning(parent, res::Tr(res::kAppTitle), error);
        return false;
    }
    // A file the user protected is never replaced: another name is offered instead.
    QMessageBox box(QMessageBox::Warning, res::Tr(res::kAppTitle), error, QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("writeProtectedQuestion"));
    box.setInformativeText(res::Tr(res::kSaveProtectedSaveAs));
    QPushButton* saveAs = box.addButton(res::Tr(res::kSaveAsButton), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(res::Tr(res::kCancel), QMessageBox::RejectRole);
    box.setDefaultButton(saveAs);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == saveAs && doSave(doc, parent, true);
}

} // namespace

bool SaveModified(CProgramDoc& doc, QWidget* parent)
{
    emit doc.commitRequested();
    if (!doc.IsModified())
        return true;
    QMessageBox box(QMessageBox::Question, res::Tr(res::kAppTitle), res::Tr(res::kSaveChangesQuestion),
                    QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("saveChangesQuestion"));
    QPushButton* yes = box.addButton(res::Tr(res::kYes), QMessageBox::YesRole);
    QPushButton* no = box.addButton(res::Tr(res::kNo), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(res::Tr(res::kCancel), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return FileSave(doc, parent);
    return box.clickedButton() == no;
}

bool FileNew(CProgramDoc& doc, QWidget* parent)
{
    return SaveModified(doc, parent) && doc.OnNewDocument();
}

namespace {

bool open(CProgramDoc& doc, const QString& path, QWidget* parent, CProgramDoc::Origin::Kind as)
{
    QString error;
    if (doc.OnOpenDocument(path, &error, as))
        return true;
    QMessageBox::warning(parent, res::Tr(res::kAppTitle), error);
    return false;
}

} // namespace

bool OpenDocumentFile(CProgramDoc& doc, const QString& path, QWidget* parent, CProgramDoc::Origin::Kind as)
{
    return SaveModified(doc, parent) && open(doc, path, parent, as);
}

bool OpenChosen(CProgramDoc& doc, QWidget* parent, CProgramDoc::Origin::Kind as,
                const std::function<QString()>& choose)
{
    // The question comes before the file dialog: the user decides about the edits first.
    if (!SaveModified(doc, parent))
        return false;
    const QString path = choose();
    if (path.isEmpty())
        return false;
    return open(doc, path, parent, as);
}

bool FileOpen(CProgramDoc& doc, QWidget* parent, CProgramDoc::Origin::Kind as, const QString& folder)
{
    return OpenChosen(doc, parent, as, [&] {
        const QString filters = fileFilter() + QStringLiteral(";;") + res::Tr(res::kAllFilesFilter);
        const QString dir = folder.isEmpty() ? doc.lastFolder() : folder;
        return QFileDialog::getOpenFileName(parent, QString(), dir, filters);
    });
}

bool FileSave(CProgramDoc& doc, QWidget* parent)
{
    return doSave(doc, parent, !doc.SavesInPlace());
}

bool FileSaveAs(CProgramDoc& doc, QWidget* parent)
{
    return doSave(doc, parent, true);
}

} // namespace doccmd
