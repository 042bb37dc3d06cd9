#include "ProgramDoc.h"

#include "ChannelEditCommand.h"

#include "AppContext.h"
#include "ChannelDataFile.h"
#include "FileNames.h"
#include "ProgramIni.h"
#include "Texts.h"
#include "Tr.h"

#include <QDir>
#include <QFileInfo>
#include <QUndoStack>

#include <algorithm>
#include <filesystem>

namespace {

// Steps the history keeps; a step holds at most two states of the document.
constexpr int kUndoSteps = 1000;
// Typing a password is one step.
constexpr int kPasswordMergeId = 1;

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

CProgramDoc::CProgramDoc(CAppContext& context, QObject* parent)
    : QObject(parent), m_context(context), m_undoStack(new QUndoStack(this))
{
    m_undoStack->setUndoLimit(kUndoSteps);
    m_image.resetToNewDocument();
    m_baseline = m_image;
}

CProgramDoc::~CProgramDoc() = default;

QString CProgramDoc::DisplayName() const
{
    switch (m_origin.kind) {
    case Origin::File:
        return QFileInfo(m_pathName).fileName();
    case Origin::Radio:
        return res::Tr(res::kOriginRadio).arg(m_origin.time.toString(QStringLiteral("HH:mm")));
    case Origin::Factory:
        return res::Tr(res::kOriginFactory);
    case Origin::Backup:
        return res::Tr(res::kOriginBackup).arg(QFileInfo(m_origin.path).fileName());
    case Origin::New:
        break;
    }
    return res::Tr(res::kUntitled);
}

QString CProgramDoc::SuggestedFileName() const
{
    QString band;
    const auto& lists = m_screen.lists;
    if (lists.band >= 0 && lists.band < static_cast<int>(lists.bands.size()))
        band = QString::fromStdString(lists.bands[static_cast<std::size_t>(lists.band)]);
    // Characters that no file system takes, and blanks, give way to dashes.
    QString cleaned;
    for (QChar c : band.trimmed())
        cleaned += QStringLiteral("\\/:*?\"<>| ").contains(c) ? QLatin1Char('-') : c;
    switch (m_origin.kind) {
    case Origin::Radio: {
        QString name = m_origin.time.toString(QStringLiteral("yyyy-MM-dd_HH-mm"));
        if (!cleaned.isEmpty())
            name += QLatin1Char('_') + cleaned;
        return name + QStringLiteral(".sin");
    }
    case Origin::File:
    case Origin::Backup:
        return QFileInfo(m_origin.path).fileName();
    case Origin::Factory:
    case Origin::New:
        break;
    }
    return res::Tr(res::kUntitled) + QStringLiteral(".sin");
}

void CProgramDoc::pushState(const char* step, const State& after, int mergeId)
{
    State before = CurrentState();
    if (before == after)
        return;
    m_undoStack->push(new CDocumentStateCommand(*this, step, {}, std::move(before), after, mergeId));
}

void CProgramDoc::RestoreState(const State& state)
{
    const bool channels = !(m_screen.channels == state.screen.channels);
    m_image = state.image;
    m_screen = state.screen;
    m_limits = state.limits;
    if (channels)
        emit rowsChanged(1, orx::ChannelEntryTable::kCount);
    emit stateRestored();
    emit contentsChanged();
}

void CProgramDoc::SetSetting(orx::Setting setting, int index)
{
    if (m_screen.settings[setting] == index)
        return;
    State after = CurrentState();
    after.screen.settings[setting] = index;
    m_undoStack->push(
        new CDocumentStateCommand(*this, res::kStepSetting, orx::Info(setting).label, CurrentState(), after));
}

void CProgramDoc::SetPassword(const std::string& password)
{
    const std::string kept = password.substr(0, orx::kPasswordMaxLength);
    if (m_screen.settings.password == kept)
        return;
    State after = CurrentState();
    after.screen.settings.password = kept;
    pushState(res::kStepPassword, after, kPasswordMergeId);
}

void CProgramDoc::SelectModel(int model)
{
    State after = CurrentState();
    orx::SelectModel(after.screen.lists, model, m_context.RadioCatalog(), after.limits);
    pushState(res::kStepModel, after);
}

void CProgramDoc::SelectBand(int band)
{
    State after = CurrentState();
    orx::SelectBand(after.screen.lists, band, after.limits);
    pushState(res::kStepBand, after);
}

void CProgramDoc::SetImageBlocks(const char* step, const orx::RadioImage& edited)
{
    State after = CurrentState();
    after.image = edited;
    pushState(step, after);
}

void CProgramDoc::ScreenEdited()
{
    emit contentsChanged();
}

void CProgramDoc::EditEntries(const char* step, const std::vector<EntryEdit>& edits)
{
    // The rows as they are now and as the edit leaves them; a row named twice ends as named last.
    std::vector<CChannelEditCommand::Row> rows;
    for (const EntryEdit& e : edits) {
        if (e.row < 1 || e.row > orx::ChannelEntryTable::kCount || channels().isFixed(e.row))
            continue;
        auto same = std::find_if(rows.begin(), rows.end(), [&e](const auto& r) { return r.row == e.row; });
        if (same != rows.end())
            same->after = e.entry;
        else
            rows.push_back({e.row, channels().entry(e.row), e.entry});
    }
    std::erase_if(rows, [](const CChannelEditCommand::Row& r) { return r.before == r.after; });
    if (!rows.empty())
        m_undoStack->push(new CChannelEditCommand(*this, step, std::move(rows)));
}

void CProgramDoc::EditTable(const char* step, const orx::ChannelEntryTable& after)
{
    std::vector<EntryEdit> edits;
    for (int n = 1; n <= orx::ChannelEntryTable::kCount; ++n) {
        if (!(after.entry(n) == channels().entry(n)))
            edits.push_back({n, after.entry(n)});
    }
    EditEntries(step, edits);
}

void CProgramDoc::ApplyEntries(const std::vector<EntryEdit>& edits)
{
    int first = orx::ChannelEntryTable::kCount + 1;
    int last = 0;
    for (const EntryEdit& e : edits) {
        if (!m_screen.channels.replace(e.row, e.entry))
            continue;
        first = std::min(first, e.row);
        last = std::max(last, e.row);
    }
    if (last == 0)
        return;
    emit rowsChanged(first, last);
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

void CProgramDoc::startAfresh(const orx::RadioImage& image)
{
    m_image = image;
    orx::ImageToScreen(m_image, m_context.RadioCatalog(), m_limits, m_screen);
    m_baseline = ScreenImage();
    // The edits of the data before are no steps back from these.
    m_undoStack->clear();
    emit imageReplaced();
    emit rowsChanged(1, orx::ChannelEntryTable::kCount);
    emit contentsChanged();
}

void CProgramDoc::ReplaceImage(const orx::RadioImage& image)
{
    startAfresh(image);
}

void CProgramDoc::OnReadFromRadio(const orx::RadioImage& image, const QString& port, const QDateTime& time)
{
    // Save must not write the radio's data over the file that was open before.
    m_pathName.clear();
    m_origin = Origin{Origin::Radio, QString(), port, time};
    startAfresh(image);
}

void CProgramDoc::SetSerialNumber(std::span<const std::uint8_t> bytes, const char* step)
{
    State after = CurrentState();
    auto field = after.image.bytes(orx::map::kSerialNumber, orx::map::kSerialNumberSize);
    std::fill(field.begin(), field.end(), orx::map::kErased);
    std::copy_n(bytes.begin(), std::min(bytes.size(), field.size()), field.begin());
    after.screen.channels.reloadSerialRow(after.image);
    pushState(step ? step : res::kStepSerialNumber, after);
}

bool CProgramDoc::OnNewDocument()
{
    orx::RadioImage image;
    image.resetToNewDocument();
    m_pathName.clear();
    m_origin = Origin{};
    startAfresh(image);
    return true;
}

bool CProgramDoc::OnOpenDocument(const QString& path, QString* error, Origin::Kind as)
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
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_origin = Origin{as, absolute, QString(), QDateTime()};
    // Only a file of the user's is saved to without asking: the factory defaults and a backup are
    // saved under a name the user gives.
    if (as == Origin::File) {
        m_pathName = absolute;
        m_lastFolder = QFileInfo(absolute).absolutePath();
    } else {
        m_pathName.clear();
    }
    startAfresh(loaded);
    return true;
}

bool CProgramDoc::OnSaveDocument(const QString& path, QString* error, orx::SaveProblem* problem)
{
    StoreScreen();
    const orx::SaveResult result = orx::SaveChannelDataFile(toPath(path), m_image);
    if (problem)
        *problem = result.problem;
    if (!result.ok()) {
        if (error)
            *error = saveFailureText(path, result);
        return false;
    }
    // The name the user gave stays the document's, a link too.
    m_pathName = QFileInfo(path).absoluteFilePath();
    m_lastFolder = QFileInfo(m_pathName).absolutePath();
    m_origin = Origin{Origin::File, m_pathName, QString(), QDateTime()};
    m_baseline = m_image;
    m_undoStack->setClean();
    emit documentSaved(m_pathName);
    emit contentsChanged();
    return true;
}
