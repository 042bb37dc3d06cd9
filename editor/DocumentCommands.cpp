#include "DocumentCommands.h"

#include "ProgramDoc.h"
#include "Texts.h"
#include "Tr.h"

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
        const QString suggested =
            doc.pathName().isEmpty() ? res::Tr(res::kUntitled) + QStringLiteral(".sin") : doc.pathName();
        QFileDialog dialog(parent, QString(), suggested, fileFilter());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(res::Tr(res::kFileExtension));
        if (!doc.pathName().isEmpty())
            dialog.selectFile(doc.pathName());
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        path = dialog.selectedFiles().constFirst();
    }
    QString error;
    if (doc.OnSaveDocument(path, &error))
        return true;
    QMessageBox::warning(parent, res::Tr(res::kAppTitle), error);
    return false;
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

bool OpenDocumentFile(CProgramDoc& doc, const QString& path, QWidget* parent)
{
    if (!SaveModified(doc, parent))
        return false;
    QString error;
    if (doc.OnOpenDocument(path, &error))
        return true;
    QMessageBox::warning(parent, res::Tr(res::kAppTitle), error);
    return false;
}

bool FileOpen(CProgramDoc& doc, QWidget* parent)
{
    const QString filters = fileFilter() + QStringLiteral(";;") + res::Tr(res::kAllFilesFilter);
    const QString dir = doc.pathName().isEmpty() ? QString() : QFileInfo(doc.pathName()).absolutePath();
    const QString path = QFileDialog::getOpenFileName(parent, QString(), dir, filters);
    if (path.isEmpty())
        return false;
    return OpenDocumentFile(doc, path, parent);
}

bool FileSave(CProgramDoc& doc, QWidget* parent)
{
    return doSave(doc, parent, doc.pathName().isEmpty());
}

bool FileSaveAs(CProgramDoc& doc, QWidget* parent)
{
    return doSave(doc, parent, true);
}

} // namespace doccmd
