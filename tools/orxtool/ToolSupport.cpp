#include "ToolSupport.h"

#include "ChannelDataFile.h"
#include "FileNames.h"
#include "ProgramIni.h"

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
        return "no such file";
    case EISDIR:
        return "it is a folder";
    case ENAMETOOLONG:
        return "the name is too long";
    case EACCES:
    case EPERM:
        return "permission denied";
    case ENOTDIR:
        return "a part of the path is not a folder";
    case ELOOP:
        return "too many symbolic links";
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
    PrintError("cannot write '" + path + "': the folder '" + folder.string() + "' does not exist");
    return true;
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
        return output ? "standard output" : "standard input";
    return "'" + path + "'";
}

std::string OpenFailure(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errnoText(errno);
    struct stat st {};
    const bool folder = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
    ::close(fd);
    return folder ? errnoText(EISDIR) : "it cannot be read";
}

bool ReadInput(const std::string& path, std::size_t limit, std::string& bytes)
{
    if (IsStdStream(path)) {
        if (g_stdinTaken) {
            PrintError("standard input can be read only once");
            return false;
        }
        g_stdinTaken = true;
        if (!readFd(STDIN_FILENO, limit, bytes)) {
            PrintError("cannot read standard input: " + errnoText(errno));
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
        PrintError("cannot open " + Quoted(path) + ": " +
                   (refused != orx::LoadResult::NotAFile ? errnoText(errno)
                    : folder                             ? errnoText(EISDIR)
                             : std::string("it is not a regular file (a FIFO or device)")));
        return false;
    }
    const bool ok = readFd(fd, limit, bytes);
    const int error = errno;
    ::close(fd);
    if (!ok)
        PrintError("cannot read " + Quoted(path) + ": " + errnoText(error));
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
        PrintError(Quoted(path) + " is not a channel-data file: it has " + std::to_string(bytes.size()) +
                   " bytes, 4096 are needed");
        return false;
    }
    std::copy(bytes.begin(), bytes.begin() + orx::map::kImageSize, image.data().begin());
    return true;
}

bool RefuseBinaryToTerminal(const std::string& path)
{
    if (!IsStdStream(path) || ::isatty(STDOUT_FILENO) != 1)
        return false;
    PrintError("a .sin file is not written to a terminal; redirect standard output or name a file");
    return true;
}

bool SaveOutput(const std::string& path, const orx::RadioImage& image)
{
    if (IsStdStream(path)) {
        if (!writeAll(stdout, reinterpret_cast<const char*>(image.data().data()), image.data().size())) {
            PrintError("cannot write standard output");
            return false;
        }
        return true;
    }
    if (folderMissing(path))
        return false;
    std::string error;
    if (!orx::SaveChannelData(path, image, &error)) {
        PrintError("cannot write '" + path + "': " + error);
        return false;
    }
    return true;
}

bool WriteOutput(const std::string& path, const std::string& text)
{
    if (IsStdStream(path)) {
        if (!writeAll(stdout, text.data(), text.size())) {
            PrintError("cannot write standard output");
            return false;
        }
        return true;
    }
    if (folderMissing(path))
        return false;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        PrintError("cannot write '" + path + "': " + errnoText(errno));
        return false;
    }
    const bool ok = writeAll(file, text.data(), text.size());
    if (std::fclose(file) != 0 || !ok) {
        PrintError("cannot write '" + path + "'");
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
        PrintError("cannot read the configuration file '" + *ini + "'" +
                   (IsStdStream(*ini) ? std::string() : ": " + OpenFailure(*ini)));
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
