#include "ToolSupport.h"

#include "ChannelDataFile.h"
#include "FileNames.h"
#include "ProgramIni.h"
#include "Texts.h"
#include "ToolLanguage.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orxtool {

namespace {

bool g_stdinTaken = false;
bool g_quiet = false;
// Where orxprog and its Program.ini are; the working folder until LocateProgramFolder() knows.
QString g_programFolder = QStringLiteral("./");

QString qtPath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string errnoText(int error)
{
    switch (error) {
    case ENOENT:
        return Tr(res::kToolNoSuchFile);
    case EISDIR:
        return Tr(res::kToolIsFolder);
    case ENAMETOOLONG:
        return Tr(res::kToolNameTooLong);
    case EACCES:
    case EPERM:
        return Tr(res::kToolPermissionDenied);
    case ENOTDIR:
        return Tr(res::kToolNotAFolder);
    case ELOOP:
        return Tr(res::kToolTooManyLinks);
    default:
        return std::strerror(error);
    }
}

// Reads up to limit bytes from fd; false with errno set on a read error.
bool readFd(int fd, std::size_t limit, std::string& bytes)
{
    bytes.clear();
    char buffer[65536];
    while (bytes.size() < limit) {
        const std::size_t want = std::min(sizeof buffer, limit - bytes.size());
        const ssize_t got = ::read(fd, buffer, want);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    return true;
}

// The folder an output file is to go into, when it does not exist: "cannot write 'x/y.csv': no such
// file" would blame the file.
bool folderMissing(const std::string& path)
{
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code ec;
    if (folder.empty() || std::filesystem::exists(folder, ec) || ec)
        return false;
    PrintError(Tr(res::kToolFolderMissing, {path, folder.string()}));
    return true;
}

// Why a .sin file could not be saved, and what became of the file that was there.
std::string saveFailure(const orx::SaveResult& r)
{
    const std::string file = InQuotes(r.target.string());
    const auto untouched = [&](const std::string& why) { return Tr(res::kToolSaveUntouched, {why, file}); };
    switch (r.problem) {
    case orx::SaveProblem::NotAFile:
        return Tr(res::kToolSaveNotAFile, {file, r.detail});
    case orx::SaveProblem::NoTemporaryFile:
        return untouched(Tr(res::kToolSaveNoTemp, {r.detail}));
    case orx::SaveProblem::WriteFailed:
        return untouched(r.detail);
    case orx::SaveProblem::ReplaceFailed:
        return untouched(Tr(res::kToolSaveReplaceFailed, {r.detail}));
    case orx::SaveProblem::WriteProtected:
        return untouched(Tr(res::kToolSaveWriteProtected, {file, r.detail}));
    case orx::SaveProblem::FileSizeLimit:
        return untouched(Tr(res::kToolSaveSizeLimit));
    case orx::SaveProblem::InPlaceFailed:
        return Tr(res::kToolSaveInPlaceFailed, {file, r.detail, InQuotes(r.kept.string())});
    case orx::SaveProblem::None:
        break;
    }
    return std::string();
}

bool writeAll(std::FILE* to, const char* data, std::size_t size)
{
    return std::fwrite(data, 1, size, to) == size && std::fflush(to) == 0 && !std::ferror(to);
}

} // namespace

void PrintError(const std::string& message)
{
    std::fprintf(stderr, "orxtool: %s\n", message.c_str());
}

void SetQuiet(bool quiet)
{
    g_quiet = quiet;
}

bool Quiet()
{
    return g_quiet;
}

void PrintNote(const std::string& line)
{
    if (!g_quiet)
        std::fprintf(stderr, "%s\n", line.c_str());
}

void LocateProgramFolder()
{
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec)
        g_programFolder = FileNameFromBytes(QByteArray::fromStdString(exe.parent_path().native())) + u'/';
}

bool IsStdStream(const std::string& path)
{
    return path == "-";
}

std::string Quoted(const std::string& path, bool output)
{
    if (IsStdStream(path))
        return Tr(output ? res::kToolStdout : res::kToolStdin);
    return InQuotes(path);
}

std::string OpenFailure(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errnoText(errno);
    struct stat st {};
    const bool folder = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
    ::close(fd);
    return folder ? errnoText(EISDIR) : Tr(res::kToolCannotBeRead);
}

bool ReadInput(const std::string& path, std::size_t limit, std::string& bytes)
{
    if (IsStdStream(path)) {
        if (g_stdinTaken) {
            PrintError(Tr(res::kToolStdinOnce));
            return false;
        }
        g_stdinTaken = true;
        if (!readFd(STDIN_FILENO, limit, bytes)) {
            PrintError(Tr(res::kToolCannotReadStdin, {errnoText(errno)}));
            return false;
        }
        return true;
    }
    // A FIFO or device would keep the tool waiting; only a regular file is read ("-" takes a pipe).
    orx::LoadResult refused = orx::LoadResult::Ok;
    const int fd = orx::OpenRegularFile(path, refused);
    if (fd < 0) {
        std::error_code ec;
        const bool folder = std::filesystem::is_directory(path, ec);
        const std::string why = refused != orx::LoadResult::NotAFile ? errnoText(errno)
                                : folder                             ? errnoText(EISDIR)
                                                                     : Tr(res::kToolNotRegular);
        PrintError(Tr(res::kToolCannotOpen, {Quoted(path), why}));
        return false;
    }
    const bool ok = readFd(fd, limit, bytes);
    const int error = errno;
    ::close(fd);
    if (!ok)
        PrintError(Tr(res::kToolCannotRead, {Quoted(path), errnoText(error)}));
    return ok;
}

bool LoadInput(const std::string& path, orx::RadioImage& image)
{
    // One byte more than an image tells a whole file from a short one; the rest of a longer file is
    // ignored, as the program ignores it.
    std::string bytes;
    if (!ReadInput(path, orx::map::kImageSize, bytes))
        return false;
    if (bytes.size() < orx::map::kImageSize) {
        PrintError(TrN(res::kToolShortFile, static_cast<int>(bytes.size()), {Quoted(path)}));
        return false;
    }
    std::copy(bytes.begin(), bytes.begin() + orx::map::kImageSize, image.data().begin());
    return true;
}

bool RefuseBinaryToTerminal(const std::string& path)
{
    if (!IsStdStream(path) || ::isatty(STDOUT_FILENO) != 1)
        return false;
    PrintError(Tr(res::kToolNotToTerminal));
    return true;
}

bool SaveOutput(const std::string& path, const orx::RadioImage& image)
{
    if (IsStdStream(path)) {
        if (!writeAll(stdout, reinterpret_cast<const char*>(image.data().data()), image.data().size())) {
            PrintError(Tr(res::kToolCannotWriteStdout));
            return false;
        }
        return true;
    }
    if (folderMissing(path))
        return false;
    const orx::SaveResult result = orx::SaveChannelDataFile(path, image);
    if (!result.ok()) {
        PrintError(Tr(res::kToolCannotWriteWhy, {path, saveFailure(result)}));
        return false;
    }
    return true;
}

bool WriteOutput(const std::string& path, const std::string& text)
{
    if (IsStdStream(path)) {
        if (!writeAll(stdout, text.data(), text.size())) {
            PrintError(Tr(res::kToolCannotWriteStdout));
            return false;
        }
        return true;
    }
    if (folderMissing(path))
        return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        PrintError(Tr(res::kToolCannotWriteWhy, {path, errnoText(errno)}));
        return false;
    }
    const bool ok = writeAll(file, text.data(), text.size());
    if (std::fclose(file) != 0 || !ok) {
        PrintError(Tr(res::kToolCannotWrite, {path}));
        return false;
    }
    return true;
}

bool ReadCatalog(const Invocation& invocation, orx::RadioCatalog& catalog)
{
    const std::string* ini = invocation.option("--ini");
    if (!ini) {
        catalog = CProgramIni::ReadRadioCatalog(CProgramIni::DefaultReadOrder(g_programFolder));
        return true;
    }
    // CProgramIni would create a missing file; a tool that only reads must not leave one behind.
    const QString path = qtPath(*ini);
    QFile file(path);
    if (IsStdStream(*ini) || !QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        PrintError(IsStdStream(*ini) ? Tr(res::kToolCannotReadIni, {*ini})
                                     : Tr(res::kToolCannotReadIniWhy, {*ini, OpenFailure(*ini)}));
        return false;
    }
    file.close();
    catalog = CProgramIni(path).ReadRadioCatalog();
    return true;
}

bool LoadWithCatalog(const Invocation& invocation, std::size_t index, orx::RadioImage& image,
                     orx::RadioCatalog& catalog)
{
    return ReadCatalog(invocation, catalog) && LoadInput(invocation.arguments.at(index), image);
}

} // namespace orxtool
