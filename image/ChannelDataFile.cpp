#include "ChannelDataFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <csignal>
#include <pthread.h>
#include <string_view>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace orx {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxLinkHops = 40; // as the kernel allows before ELOOP
constexpr std::string_view kTemporarySuffix = ".saving-XXXXXX";
constexpr std::size_t kUsualNameMax = 255;

// While a save runs, a file-size limit (ulimit -f) below 4096 bytes makes the kernel send SIGXFSZ,
// which ends the program. Blocked in this thread, the write fails with EFBIG instead; a signal left
// pending by it is taken before the old mask comes back, so it never arrives later.
class FileSizeSignalGuard {
public:
    FileSizeSignalGuard()
    {
        sigemptyset(&m_signal);
        sigaddset(&m_signal, SIGXFSZ);
        pthread_sigmask(SIG_BLOCK, &m_signal, &m_old);
    }
    ~FileSizeSignalGuard()
    {
        sigset_t pending;
        sigemptyset(&pending);
        if (sigpending(&pending) == 0 && sigismember(&pending, SIGXFSZ) == 1) {
            const timespec now{};
            sigtimedwait(&m_signal, nullptr, &now);
        }
        pthread_sigmask(SIG_SETMASK, &m_old, nullptr);
    }
    FileSizeSignalGuard(const FileSizeSignalGuard&) = delete;
    FileSizeSignalGuard& operator=(const FileSizeSignalGuard&) = delete;

private:
    sigset_t m_signal{};
    sigset_t m_old{};
};

std::string systemError(int error)
{
    return std::strerror(error);
}

// The file a path names once every symbolic link on the way is followed; the last target need not
// exist yet (a link to a file still to be made).
bool followLinks(const fs::path& path, fs::path& target, std::string& why)
{
    target = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return true;
        std::error_code ec;
        const fs::path next = fs::read_symlink(target, ec);
        if (ec) {
            why = ec.message();
            return false;
        }
        target = next.is_absolute() ? next : (target.parent_path() / next).lexically_normal();
    }
    why = systemError(ELOOP);
    return false;
}

// All 4096 bytes from offset 0 (positioned for a regular file, in sequence for a FIFO or device).
bool writeAll(int fd, const RadioImage& image, bool positioned)
{
    const auto& bytes = image.data();
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            positioned ? ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done))
                       : ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void syncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd); // the rename itself on the disk; a folder that cannot be synced is no failure
        ::close(fd);
    }
}

SaveResult failed(SaveResult r, SaveProblem problem, int error)
{
    // A 4096-byte file is too large only under a file-size limit.
    r.problem = problem == SaveProblem::WriteFailed && error == EFBIG ? SaveProblem::FileSizeLimit : problem;
    r.detail = systemError(error);
    return r;
}

// FIFOs and devices have no folder entry to replace: they are written as they are.
SaveResult writeSpecial(SaveResult r, const RadioImage& image, bool fifo)
{
    // A FIFO without a reader would block the program; opened without waiting it says so at once.
    const int fd = ::open(r.target.c_str(), O_WRONLY | O_CLOEXEC | (fifo ? O_NONBLOCK : 0));
    if (fd < 0)
        return failed(r, SaveProblem::WriteFailed, errno);
    if (fifo)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const bool written = writeAll(fd, image, false);
    const int error = errno;
    ::close(fd);
    return written ? r : failed(r, SaveProblem::WriteFailed, error);
}

// Overwrites the file itself, once the complete new file exists beside it as `temp`: the file's
// inode, with every hard link, its owner and its mode, stays.
SaveResult writeInPlace(SaveResult r, const RadioImage& image, const struct stat& old, const fs::path& temp)
{
    const int fd = ::open(r.target.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return failed(r, SaveProblem::WriteFailed, error);
    }
    // A shorter file needs room to grow: taken before the first byte changes, or not at all.
    if (old.st_size < static_cast<off_t>(map::kImageSize)) {
        const int error = ::posix_fallocate(fd, 0, static_cast<off_t>(map::kImageSize));
        if (error != 0 && error != EOPNOTSUPP && error != EINVAL) {
            ::close(fd);
            ::unlink(temp.c_str());
            return failed(r, SaveProblem::WriteFailed, error);
        }
    }
    const bool done = writeAll(fd, image, true) &&
                      ::ftruncate(fd, static_cast<off_t>(map::kImageSize)) == 0 && ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    if (!done) {
        r.kept = temp;
        return failed(r, SaveProblem::InPlaceFailed, error);
    }
    ::unlink(temp.c_str());
    return r;
}

SaveResult writeRegular(SaveResult r, const RadioImage& image, const struct stat* old)
{
    const fs::path folder = r.target.has_parent_path() ? r.target.parent_path() : fs::path(".");
    const long nameMax = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    std::string pattern =
        (folder / TemporaryName(r.target.filename().string(),
                                nameMax > 0 ? static_cast<std::size_t>(nameMax) : kUsualNameMax))
            .string();
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return failed(r, SaveProblem::NoTemporaryFile, errno);
    const fs::path temp = pattern;
    auto drop = [&temp, fd] {
        ::close(fd);
        ::unlink(temp.c_str());
    };
    if (!writeAll(fd, image, true) || ::fsync(fd) != 0) {
        const int error = errno;
        drop();
        return failed(r, SaveProblem::WriteFailed, error);
    }

    bool inPlace = false;
    if (old) {
        // The new file takes the old one's owner, group and mode (the owner first: changing it
        // clears the set-id bits). Where the owner cannot be given away, or other names share the
        // file, the file itself is overwritten instead.
        struct stat mine {};
        ::fstat(fd, &mine);
        if ((mine.st_uid != old->st_uid || mine.st_gid != old->st_gid) &&
            ::fchown(fd, old->st_uid, old->st_gid) != 0)
            inPlace = true;
        if (::fchmod(fd, old->st_mode & 07777) != 0)
            inPlace = true;
        if (old->st_nlink > 1)
            inPlace = true;
    } else {
        // A new file gets the mode any program's new file gets; the temporary file starts at 0600.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    ::close(fd);
    if (inPlace)
        return writeInPlace(r, image, *old, temp);

    if (::rename(temp.c_str(), r.target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return failed(r, SaveProblem::ReplaceFailed, error);
    }
    syncFolder(folder);
    return r;
}

} // namespace

int OpenRegularFile(const std::filesystem::path& path, LoadResult& result)
{
    // Looked at before it is opened: opening a FIFO waits for a writer, opening a device may do
    // something to it.
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        result = LoadResult::NotAFile;
        return -1;
    }
    // Without waiting, should it have been swapped for a FIFO in between.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        result = LoadResult::CannotOpen;
        return -1;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        result = LoadResult::NotAFile;
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    result = LoadResult::Ok;
    return fd;
}

LoadResult LoadChannelData(const std::filesystem::path& path, RadioImage& image)
{
    LoadResult result = LoadResult::Ok;
    const int fd = OpenRegularFile(path, result);
    if (fd < 0)
        return result;
    RadioImage::Bytes buffer{};
    std::size_t done = 0;
    bool failedRead = false;
    while (done < buffer.size()) {
        const ssize_t n = ::read(fd, buffer.data() + done, buffer.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            failedRead = n < 0;
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (done != buffer.size())
        return failedRead ? LoadResult::CannotOpen : LoadResult::TooShort;
    image.data() = buffer;
    return LoadResult::Ok;
}

bool IsWriteProtected(unsigned mode, bool accessAllowsWrite)
{
    return !accessAllowsWrite || (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

std::string TemporaryName(const std::string& targetName, std::size_t nameMax)
{
    std::size_t keep = targetName.size();
    if (keep + kTemporarySuffix.size() > nameMax) {
        keep = nameMax > kTemporarySuffix.size() ? nameMax - kTemporarySuffix.size() : 0;
        // Not in the middle of a UTF-8 character: its continuation bytes are 10xxxxxx.
        while (keep > 0 && (static_cast<unsigned char>(targetName[keep]) & 0xC0) == 0x80)
            --keep;
    }
    return targetName.substr(0, keep) + std::string(kTemporarySuffix);
}

SaveResult SaveChannelDataFile(const std::filesystem::path& path, const RadioImage& image)
{
    const FileSizeSignalGuard sizeLimit;
    SaveResult r;
    std::string why;
    if (!followLinks(path, r.target, why)) {
        r.target = path;
        r.problem = SaveProblem::WriteFailed;
        r.detail = why;
        return r;
    }
    struct stat st {};
    if (::stat(r.target.c_str(), &st) != 0) {
        if (errno != ENOENT)
            return failed(r, SaveProblem::WriteFailed, errno);
        return writeRegular(r, image, nullptr);
    }
    if (S_ISREG(st.st_mode)) {
        // A file the user protected is not replaced through its folder, which the rename would do.
        const bool mayWrite = ::faccessat(AT_FDCWD, r.target.c_str(), W_OK, AT_EACCESS) == 0;
        if (IsWriteProtected(st.st_mode, mayWrite))
            return failed(r, SaveProblem::WriteProtected, mayWrite ? EACCES : errno);
        return writeRegular(r, image, &st);
    }
    if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))
        return writeSpecial(r, image, S_ISFIFO(st.st_mode));
    r.problem = SaveProblem::NotAFile;
    r.detail = S_ISDIR(st.st_mode) ? systemError(EISDIR) : "not a file";
    return r;
}

bool SaveChannelData(const std::filesystem::path& path, const RadioImage& image, std::string* error)
{
    const SaveResult r = SaveChannelDataFile(path, image);
    if (r.ok())
        return true;
    if (!error)
        return false;
    const std::string file = "'" + r.target.string() + "'";
    const std::string untouched = "; " + file + " was left as it was";
    switch (r.problem) {
    case SaveProblem::NotAFile:
        *error = file + " is not a file (" + r.detail + ")";
        break;
    case SaveProblem::NoTemporaryFile:
        *error = "no new file can be made in its folder (" + r.detail + ")" + untouched;
        break;
    case SaveProblem::WriteFailed:
        *error = r.detail + untouched;
        break;
    case SaveProblem::ReplaceFailed:
        *error = "the new file could not replace it (" + r.detail + ")" + untouched;
        break;
    case SaveProblem::WriteProtected:
        *error = file + " is write-protected (" + r.detail + ")" + untouched;
        break;
    case SaveProblem::FileSizeLimit:
        *error = "the file-size limit (ulimit -f) was reached" + untouched;
        break;
    case SaveProblem::InPlaceFailed:
        *error = "writing into " + file + " failed part-way (" + r.detail + "); the complete new file is '" +
                 r.kept.string() + "'";
        break;
    case SaveProblem::None:
        break;
    }
    return false;
}

} // namespace orx
