#include "ProgramDoc.h"

#include "ChannelDataFile.h"
#include "FileNames.h"
#include "Texts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include <filesystem>

namespace {

std::filesystem::path toPath(const QString& path)
{
    return FileSystemPath(path); // a name that is not UTF-8 keeps its bytes
}

QString fileFilter()
{
    return QString::fromUtf8(res::kFileFilter);
}

} // namespace

CProgramDoc::CProgramDoc(QObject* parent)
    : QObject(parent)
{
    m_image.resetToNewDocument();
}

bool CProgramDoc::OnNewDocument()
{
    m_image.resetToNewDocument();
    m_pathName.clear();
    emit documentReset();
    return true;
}

bool CProgramDoc::OnOpenDocument(const QString& path, QString* error)
{
    // Load into a copy: a refused file must leave the image exactly as it was.
    orx::RadioImage loaded = m_image;
    const orx::LoadResult result = orx::LoadChannelData(toPath(path), loaded);
    if (result != orx::LoadResult::Ok) {
        if (error) {
            const char* format = result == orx::LoadResult::TooShort ? res::kFileTooShort : res::kOpenFailed;
            *error = QString::fromUtf8(format).arg(QDir::toNativeSeparators(path));
        }
        return false;
    }
    m_image = loaded;
    m_pathName = QFileInfo(path).absoluteFilePath();
    emit documentReset();
    return true;
}

bool CProgramDoc::OnSaveDocument(const QString& path, QString* error)
{
    if (m_viewToImage)
        m_viewToImage();
    std::string why;
    if (!orx::SaveChannelData(toPath(path), m_image, &why)) {
        if (error)
            *error = QString::fromUtf8(res::kSaveFailed).arg(QDir::toNativeSeparators(path), QString::fromStdString(why));
        return false;
    }
    m_pathName = QFileInfo(path).absoluteFilePath();
    emit documentSaved(m_pathName);
    return true;
}

bool CProgramDoc::FileNew()
{
    return OnNewDocument();
}

bool CProgramDoc::OpenDocumentFile(const QString& path, QWidget* parent)
{
    QString error;
    if (OnOpenDocument(path, &error))
        return true;
    QMessageBox::warning(parent, QString::fromUtf8(res::kAppTitle), error);
    return false;
}

bool CProgramDoc::FileOpen(QWidget* parent)
{
    const QString filters = fileFilter() + QStringLiteral(";;") + QString::fromUtf8(res::kAllFilesFilter);
    const QString dir = m_pathName.isEmpty() ? QString() : QFileInfo(m_pathName).absolutePath();
    const QString path = QFileDialog::getOpenFileName(parent, QString(), dir, filters);
    if (path.isEmpty())
        return false;
    return OpenDocumentFile(path, parent);
}

bool CProgramDoc::FileSave(QWidget* parent)
{
    return doSave(parent, m_pathName.isEmpty());
}

bool CProgramDoc::FileSaveAs(QWidget* parent)
{
    return doSave(parent, true);
}

bool CProgramDoc::doSave(QWidget* parent, bool askForName)
{
    QString path = m_pathName;
    if (askForName) {
        const QString suggested =
            m_pathName.isEmpty() ? QString::fromUtf8(res::kUntitled) + QStringLiteral(".sin") : m_pathName;
        QFileDialog dialog(parent, QString(), suggested, fileFilter());
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QString::fromUtf8(res::kFileExtension));
        if (!m_pathName.isEmpty())
            dialog.selectFile(m_pathName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return false;
        path = dialog.selectedFiles().constFirst();
    }
    QString error;
    if (OnSaveDocument(path, &error))
        return true;
    QMessageBox::warning(parent, QString::fromUtf8(res::kAppTitle), error);
    return false;
}
