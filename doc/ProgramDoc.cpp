#include "ProgramDoc.h"

#include "AppContext.h"
#include "ChannelDataFile.h"
#include "FileNames.h"
#include "ProgramIni.h"
#include "Texts.h"
#include "Tr.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <filesystem>

namespace {

std::filesystem::path toPath(const QString& path)
{
    return FileSystemPath(path); // a name that is not UTF-8 keeps its bytes
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
    case orx::SaveProblem::WriteProtected:
        reason = res::Tr(res::kSaveWriteProtected);
        break;
    case orx::SaveProblem::FileSizeLimit:
        reason = res::Tr(res::kSaveFileSizeLimit);
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

CProgramDoc::CProgramDoc(CAppContext& context, QObject* parent) : QObject(parent), m_context(context)
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
    orx::SelectModel(m_screen.lists, model, m_context.RadioCatalog(), m_limits);
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
    orx::ImageToScreen(m_image, m_context.RadioCatalog(), m_limits, m_screen);
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
            const char* format = result == orx::LoadResult::TooShort   ? res::kFileTooShort
                                 : result == orx::LoadResult::NotAFile ? res::kOpenNotAFile
                                                                       : res::kOpenFailed;
            *error = res::Tr(format).arg(QDir::toNativeSeparators(path));
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
