// Saving a .sin file over an existing one: the file the user named is updated and stays the kind of
// file it was (a link stays a link, hard links stay shared, mode and owner stay), and a save that
// cannot be done safely leaves it untouched.

#include "ChannelDataFile.h"
#include "TestFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace orx;

namespace {

constexpr uid_t kNobody = 65534;
// Exit statuses of the child processes below.
constexpr int kChildCannotSetUp = 90;
constexpr int kChildSaved = 91;

RadioImage filled(std::uint8_t value)
{
    RadioImage image;
    image.fill(0, map::kImageSize, value);
    return image;
}

const QByteArray kOld = testfiles::ImageBytes(filled(0x11));
const RadioImage kNew = filled(0x22);

struct stat statOf(const QString& path)
{
    struct stat st {};
    ::lstat(QFile::encodeName(path).constData(), &st);
    return st;
}

// Runs body in a child process and returns its exit status, or -1 when it did not exit.
template <class Body> int inChild(Body body)
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(body());
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

int saveOutcome(const QString& path)
{
    const SaveResult r = SaveChannelDataFile(QFile::encodeName(path).toStdString(), kNew);
    return r.ok() ? kChildSaved : static_cast<int>(r.problem);
}

QStringList leftovers(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.saving-*")}, QDir::Files | QDir::Hidden);
}

} // namespace

class TestSafeSave : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QByteArray enc(const QString& p) const { return QFile::encodeName(p); }

private slots:
    void init() { QVERIFY(m_dir.isValid()); }

    void symbolicLinkUpdatesItsTarget_data()
    {
        QTest::addColumn<QString>("linkTo"); // relative to the folder
        QTest::addColumn<bool>("chain");
        QTest::newRow("a link beside its target") << "real.sin" << false;
        QTest::newRow("a link to a link") << "real.sin" << true;
        QTest::newRow("a link into a subfolder") << "sub/real.sin" << false;
    }
    void symbolicLinkUpdatesItsTarget()
    {
        QFETCH(QString, linkTo);
        QFETCH(bool, chain);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("sub"));
        const QString target = dir.filePath(linkTo);
        QVERIFY(testfiles::WriteFile(target, kOld));
        QVERIFY(::symlink(QFile::encodeName(linkTo).constData(),
                          enc(dir.filePath("first.sin")).constData()) == 0);
        const QString link = chain ? dir.filePath("second.sin") : dir.filePath("first.sin");
        if (chain)
            QVERIFY(::symlink("first.sin", enc(link).constData()) == 0);

        const SaveResult r = SaveChannelDataFile(enc(link).toStdString(), kNew);
        QVERIFY2(r.ok(), r.detail.c_str());
        QCOMPARE(testfiles::FileBytes(target), testfiles::ImageBytes(kNew));
        QVERIFY(S_ISLNK(statOf(link).st_mode));
        QCOMPARE(QFileInfo(link).canonicalFilePath(), QFileInfo(target).canonicalFilePath());
        QVERIFY(leftovers(QFileInfo(target).absolutePath()).isEmpty());
    }

    void linkToAFileStillToBeMade()
    {
        QVERIFY(::symlink("made.sin", enc(path("dangling.sin")).constData()) == 0);
        QVERIFY(SaveChannelData(enc(path("dangling.sin")).toStdString(), kNew));
        QVERIFY(S_ISLNK(statOf(path("dangling.sin")).st_mode));
        QCOMPARE(testfiles::FileBytes(path("made.sin")), testfiles::ImageBytes(kNew));
    }

    void modeAndOwnerStay_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("foreignOwner");
        QTest::newRow("0600, holding the radio's password") << 0600 << false;
        QTest::newRow("0640") << 0640 << false;
        QTest::newRow("0640 of another user") << 0640 << true;
    }
    void modeAndOwnerStay()
    {
        QFETCH(int, mode);
        QFETCH(bool, foreignOwner);
        if (foreignOwner && ::geteuid() != 0)
            QSKIP("only root can give a file to another user");
        const QString file = path(QStringLiteral("mode%1.sin").arg(QTest::currentDataTag()));
        QVERIFY(testfiles::WriteFile(file, kOld));
        QVERIFY(::chmod(enc(file).constData(), mode_t(mode)) == 0);
        if (foreignOwner)
            QVERIFY(::chown(enc(file).constData(), kNobody, kNobody) == 0);
        const struct stat before = statOf(file);

        QVERIFY(SaveChannelData(enc(file).toStdString(), kNew));
        const struct stat after = statOf(file);
        QCOMPARE(testfiles::FileBytes(file), testfiles::ImageBytes(kNew));
        QCOMPARE(after.st_mode & 07777, before.st_mode & 07777);
        QCOMPARE(after.st_uid, before.st_uid);
        QCOMPARE(after.st_gid, before.st_gid);
        QVERIFY(S_ISREG(after.st_mode));
    }

    void writeProtectedFileIsLeftAlone_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("asNobody"); // root passes every access() test; nobody does not
        QTest::newRow("0444, read-only to everyone") << 0444 << false;
        QTest::newRow("0400, read-only to its owner") << 0400 << false;
        QTest::newRow("0644 of root, saved by nobody") << 0644 << true;
    }
    void writeProtectedFileIsLeftAlone()
    {
        QFETCH(int, mode);
        QFETCH(bool, asNobody);
        if (asNobody && ::geteuid() != 0)
            QSKIP("only root can save as another user");
        QTemporaryDir dir; // writable by everyone: only the file's own protection stands in the way
        QVERIFY(::chmod(enc(dir.path()).constData(), 0777) == 0);
        const QString file = dir.filePath(QStringLiteral("protected.sin"));
        QVERIFY(testfiles::WriteFile(file, kOld));
        QVERIFY(::chmod(enc(file).constData(), mode_t(mode)) == 0);
        const int status = inChild([&] {
            if (asNobody && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
                return kChildCannotSetUp;
            return saveOutcome(file);
        });
        QCOMPARE(status, int(SaveProblem::WriteProtected));
        QCOMPARE(testfiles::FileBytes(file), kOld);
        QCOMPARE(statOf(file).st_mode & 07777, mode_t(mode));
        QVERIFY(leftovers(dir.path()).isEmpty());
        // Not even for root; and the decision's other half, for a user the mode lets write.
        QVERIFY(IsWriteProtected(S_IFREG | 0444, true));
        QVERIFY(IsWriteProtected(S_IFREG | 0644, false));
        QVERIFY(!IsWriteProtected(S_IFREG | 0200, true));
    }

    void longestNamesGetATemporaryFileBeside_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("255 ASCII bytes") << QString(251, 'a') + ".sin";
        // 84 three-byte characters: 252 bytes, a cut must not split one.
        QTest::newRow("255 bytes of Chinese") << QString(84, QChar(0x4FE1)) + "sin";
    }
    void longestNamesGetATemporaryFileBeside()
    {
        QFETCH(QString, name);
        QCOMPARE(enc(name).size(), 255);
        QVERIFY(testfiles::WriteFile(path(name), kOld));
        const SaveResult r = SaveChannelDataFile(enc(path(name)).toStdString(), kNew);
        QVERIFY2(r.ok(), r.detail.c_str());
        QCOMPARE(testfiles::FileBytes(path(name)), testfiles::ImageBytes(kNew));
        QVERIFY(leftovers(m_dir.path()).isEmpty());
        const std::string temp = TemporaryName(enc(name).toStdString(), 255);
        QCOMPARE(temp.size() <= 255, true);
        QVERIFY(QString::fromStdString(temp).toUtf8() == QByteArray::fromStdString(temp)); // whole characters
    }

    void fileSizeLimitFailsTheSaveInstead()
    {
        // Under ulimit -f 1 (1024 bytes) the kernel would end the program with SIGXFSZ.
        const QString file = path(QStringLiteral("limited.sin"));
        QVERIFY(testfiles::WriteFile(file, kOld));
        const int status = inChild([&] {
            const rlimit small{1024, 1024};
            if (::setrlimit(RLIMIT_FSIZE, &small) != 0)
                return kChildCannotSetUp;
            std::string message;
            const bool saved = SaveChannelData(enc(file).toStdString(), kNew, &message);
            if (saved || message.find("file-size limit") == std::string::npos)
                return kChildCannotSetUp;
            return saveOutcome(file);
        });
        QCOMPARE(status, int(SaveProblem::FileSizeLimit));
        QCOMPARE(testfiles::FileBytes(file), kOld);
        QVERIFY(leftovers(m_dir.path()).isEmpty());
    }

    void newFileGetsTheUsualMode()
    {
        const mode_t mask = ::umask(022);
        const bool saved = SaveChannelData(enc(path("fresh.sin")).toStdString(), kNew);
        ::umask(mask);
        QVERIFY(saved);
        QCOMPARE(statOf(path("fresh.sin")).st_mode & 07777, mode_t(0644));
    }

    void hardLinksStayShared()
    {
        QVERIFY(testfiles::WriteFile(path("a.sin"), kOld));
        QVERIFY(::link(enc(path("a.sin")).constData(), enc(path("b.sin")).constData()) == 0);
        const struct stat before = statOf(path("a.sin"));
        QVERIFY(SaveChannelData(enc(path("a.sin")).toStdString(), kNew));
        QCOMPARE(testfiles::FileBytes(path("b.sin")), testfiles::ImageBytes(kNew));
        QCOMPARE(statOf(path("a.sin")).st_ino, before.st_ino);
        QCOMPARE(statOf(path("b.sin")).st_nlink, nlink_t(2));
        QVERIFY(leftovers(m_dir.path()).isEmpty());
    }

    void fifoIsWrittenOnlyWhileRead()
    {
        const QByteArray fifo = enc(path("pipe.sin"));
        QVERIFY(::mkfifo(fifo.constData(), 0600) == 0);
        // Nobody reads: the save says so at once instead of waiting for ever.
        const SaveResult lonely = SaveChannelDataFile(fifo.toStdString(), kNew);
        QCOMPARE(lonely.problem, SaveProblem::WriteFailed);

        const int reader = ::open(fifo.constData(), O_RDONLY | O_NONBLOCK);
        QVERIFY(reader >= 0);
        const SaveResult r = SaveChannelDataFile(fifo.toStdString(), kNew);
        QByteArray got(int(map::kImageSize), '\0');
        const ssize_t n = ::read(reader, got.data(), size_t(got.size()));
        ::close(reader);
        QVERIFY2(r.ok(), r.detail.c_str());
        QCOMPARE(n, ssize_t(map::kImageSize));
        QCOMPARE(got, testfiles::ImageBytes(kNew));
        QVERIFY(S_ISFIFO(statOf(path("pipe.sin")).st_mode));
    }

    void deviceIsWrittenDirectly()
    {
        QVERIFY(SaveChannelData("/dev/null", kNew));
        QVERIFY(S_ISCHR(statOf(QStringLiteral("/dev/null")).st_mode));
    }

    void folderIsRefused()
    {
        QVERIFY(QDir(m_dir.path()).mkpath("folder.sin"));
        const SaveResult r = SaveChannelDataFile(enc(path("folder.sin")).toStdString(), kNew);
        QCOMPARE(r.problem, SaveProblem::NotAFile);
        QVERIFY(QFileInfo(path("folder.sin")).isDir());
    }

    void readOnlyFolderLeavesTheFile()
    {
        // The file itself may be written, its folder takes no new file: no half-safe write in place.
        QTemporaryDir dir;
        const QString file = dir.filePath("kept.sin");
        QVERIFY(testfiles::WriteFile(file, kOld));
        const bool root = ::geteuid() == 0;
        if (root) {
            // Root writes anywhere: the save runs as another user who owns the file, not the folder.
            QVERIFY(::chown(enc(file).constData(), kNobody, kNobody) == 0);
            QVERIFY(::chmod(enc(dir.path()).constData(), 0755) == 0);
        } else {
            QVERIFY(::chmod(enc(dir.path()).constData(), 0555) == 0);
        }
        const int status = inChild([&] {
            if (root && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
                return kChildCannotSetUp;
            return saveOutcome(file);
        });
        ::chmod(enc(dir.path()).constData(), 0700);
        QCOMPARE(status, int(SaveProblem::NoTemporaryFile));
        QCOMPARE(testfiles::FileBytes(file), kOld);
        QVERIFY(leftovers(dir.path()).isEmpty());
    }

    void fullDiskLeavesTheFile()
    {
        // A small file system of its own, filled up, in a mount namespace of the child alone.
        QTemporaryDir dir;
        const QByteArray mountPoint = enc(dir.path());
        const int status = inChild([&] {
            const int flags = ::geteuid() == 0 ? CLONE_NEWNS : CLONE_NEWUSER | CLONE_NEWNS;
            if (::unshare(flags) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                ::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
                return kChildCannotSetUp;
            const QByteArray file = mountPoint + "/full.sin";
            const int fd = ::open(file.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0 || ::write(fd, kOld.constData(), size_t(kOld.size())) != kOld.size())
                return kChildCannotSetUp;
            ::close(fd);
            const int filler = ::open((mountPoint + "/filler").constData(), O_WRONLY | O_CREAT, 0644);
            const QByteArray block(4096, 'x');
            while (::write(filler, block.constData(), size_t(block.size())) > 0) {
            }
            if (errno != ENOSPC)
                return kChildCannotSetUp;
            ::close(filler);
            const int outcome = saveOutcome(QString::fromLocal8Bit(file));
            const bool intact = testfiles::FileBytes(QString::fromLocal8Bit(file)) == kOld &&
                                leftovers(QString::fromLocal8Bit(mountPoint)).isEmpty();
            return intact ? outcome : 0;
        });
        if (status == kChildCannotSetUp)
            QSKIP("no small file system can be mounted here");
        QCOMPARE(status, int(SaveProblem::WriteFailed));
    }
};

QTEST_GUILESS_MAIN(TestSafeSave)
#include "tst_safe_save.moc"
