#include "ProgramDoc.h"

#include "ChannelDataFile.h"
#include "FileNames.h"
#include "ProgramIni.h"
#include "Texts.h"
#include "Tr.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>
#include <filesystem>

namespace {

std::filesystem::path toPath(const QString& path)
{
    return FileSystemPath(path); // a name that is not UTF-8 keeps its bytes
}

QString fileFilter()
{
    return res::Tr(res::kFileFilter);
}

QString fromPath(const std::filesystem::path& path)
{
    return QDir::toNativeSeparators(QString::fromStdU16String(path.u16string()));
}

// What went wrong with a save, for the user: which file, why, and that it is as it was.
QString saveFailureText(const QString& path, const orx::SaveResult& result)
{
    const QString why = QString::fromLocal8Bit(result.detail.c_str());
    QString reason;
    switch (result.problem) {
    case orx::SaveProblem::NotAFile:
        reason = res::Tr(res::kSaveNotAFile);
        break;
    case orx::SaveProblem::NoTemporaryFile:
        reason = res::Tr(res::kSaveNoNewFile).arg(why);
        break;
    case orx::SaveProblem::WriteFailed:
    case orx::SaveProblem::ReplaceFailed:
        reason = why + res::Tr(res::kSaveFileUntouched);
        break;
    case orx::SaveProblem::InPlaceFailed:
        reason = res::Tr(res::kSaveInPlaceFailed).arg(why, fromPath(result.kept));
        break;
    case orx::SaveProblem::None:
        break;
    }
    return res::Tr(res::kSaveFailed).arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

CProgramDoc::CProgramDoc(QObject* parent) : QObject(parent)
{
    m_image.resetToNewDocument();
    m_baseline = m_image;
}

void CProgramDoc::SetSetting(orx::Setting setting, int index)
{
    if (m_screen.settings[setting] == index)
        return;
    m_screen.settings[setting] = index;
    emit contentsChanged();
}

void CProgramDoc::SetPassword(const std::string& password)
{
    const std::string kept = password.substr(0, orx::kPasswordMaxLength);
    if (m_screen.settings.password == kept)
        return;
    m_screen.settings.password = kept;
    emit contentsChanged();
}

void CProgramDoc::SelectModel(int model)
{
    orx::SelectModel(m_screen.lists, model, CProgramIni().ReadRadioCatalog(), m_limits);
    emit contentsChanged();
}

void CProgramDoc::SelectBand(int band)
{
    orx::SelectBand(m_screen.lists, band, m_limits);
    emit contentsChanged();
}

void CProgramDoc::ScreenEdited()
{
    emit contentsChanged();
}

orx::RadioImage CProgramDoc::ScreenImage() const
{
    orx::RadioImage image = m_image;
    orx::ScreenToImage(m_screen, m_limits, image);
    return image;
}

void CProgramDoc::StoreScreen()
{
    emit commitRequested();
    m_image = ScreenImage();
}

bool CProgramDoc::IsModified() const
{
    return !(ScreenImage() == m_baseline);
}

void CProgramDoc::ReplaceImage(const orx::RadioImage& image)
{
    m_image = image;
    orx::ImageToScreen(m_image, CProgramIni().ReadRadioCatalog(), m_limits, m_screen);
    m_baseline = ScreenImage();
    emit imageReplaced();
    emit contentsChanged();
}

void CProgramDoc::SetSerialNumber(std::span<const std::uint8_t> bytes)
{
    auto field = m_image.bytes(orx::map::kSerialNumber, orx::map::kSerialNumberSize);
    std::fill(field.begin(), field.end(), orx::map::kErased);
    std::copy_n(bytes.begin(), std::min(bytes.size(), field.size()), field.begin());
    m_screen.channels.reloadSerialRow(m_image);
    emit imageReplaced();
    emit contentsChanged();
}

bool CProgramDoc::OnNewDocument()
{
    orx::RadioImage image;
    image.resetToNewDocument();
    m_pathName.clear();
    ReplaceImage(image);
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
    m_pathName = QFileInfo(path).absoluteFilePath();
    ReplaceImage(loaded);
    return true;
}

bool CProgramDoc::OnSaveDocument(const QString& path, QString* error)
{
    StoreScreen();
    const orx::SaveResult result = orx::SaveChannelDataFile(toPath(path), m_image);
    if (!result.ok()) {
        if (error)
            *error = saveFailureText(path, result);
        return false;
    }
    // The name the user gave stays the document's, a link too.
    m_pathName = QFileInfo(path).absoluteFilePath();
    m_baseline = m_image;
    emit documentSaved(m_pathName);
    emit contentsChanged();
    return true;
}

bool CProgramDoc::SaveModified(QWidget* parent)
{
    emit commitRequested();
    if (!IsModified())
        return true;
    QMessageBox box(QMessageBox::Question, res::Tr(res::kAppTitle),
                    res::Tr(res::kSaveChangesQuestion), QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("saveChangesQuestion"));
    QPushButton* yes = box.addButton(res::Tr(res::kYes), QMessageBox::YesRole);
    QPushButton* no = box.addButton(res::Tr(res::kNo), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(res::Tr(res::kCancel), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return FileSave(parent);
    return box.clickedButton() == no;
}

bool CProgramDoc::FileNew(QWidget* parent)
{
    return SaveModified(parent) && OnNewDocument();
}

bool CProgramDoc::OpenDocumentFile(const QString& path, QWidget* parent)
{
    if (!SaveModified(parent))
        return false;
    QString error;
    if (OnOpenDocument(path, &error))
        return true;
    QMessageBox::warning(parent, res::Tr(res::kAppTitle), error);
    return false;
}

bool CProgramDoc::FileOpen(QWidget* parent)
{
    const QString filters = fileFilter() + QStringLiteral(";;") + res::Tr(res::kAllFilesFilter);
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
            m_pathName.isEmpty() ? res::Tr(res::kUntitled) + QStringLiteral(".sin") : m_pathName;
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
    QMessageBox::warning(parent, res::Tr(res::kAppTitle), error);
    return false;
}
