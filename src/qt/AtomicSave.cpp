#include "qt/AtomicSave.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <string_view>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int MaxLinks = 40; // as the system allows before ELOOP

SaveOutcome failed(int error) {
    return {false, QString::fromLocal8Bit(std::strerror(error))};
}

// Writes all of data to fd: 0, or the errno of the first write that failed.
int writeAll(int fd, const char* data, qsizetype size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        data += n;
        size -= n;
    }
    return 0;
}

// The path with its links followed to the file they name, which need not exist yet;
// empty when the links go round in a circle.
QString followLinks(const QString& path) {
    QString p = path;
    for (int i = 0; i < MaxLinks; ++i) {
        const QFileInfo info(p);
        if (!info.isSymLink()) return p;
        p = info.symLinkTarget();
    }
    return {};
}

// A device or a pipe: written as it is, since it cannot be replaced.
SaveOutcome writeInPlace(const QByteArray& name, QByteArrayView bytes) {
    const int fd = ::open(name.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return failed(errno);
    int error = writeAll(fd, bytes.data(), bytes.size());
    if (::close(fd) != 0 && error == 0) error = errno;
    return error == 0 ? SaveOutcome{} : failed(error);
}

// A hidden name next to the target that no file mask of the program matches.
QByteArray temporaryName(const QFileInfo& target) {
    const QString random = QString::number(QRandomGenerator::global()->generate64(), 36);
    return QFile::encodeName(target.absolutePath() + QStringLiteral("/.") +
                             target.completeBaseName().left(40) + u'-' + random +
                             QStringLiteral(".tmp"));
}

// Holds a write lock on the temporary file's own open file description while it is
// written and renamed, so that no other copy of the program takes it for a stale one.
bool lockTemporary(int fd) {
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    return ::fcntl(fd, F_OFD_SETLK, &whole) == 0;
}

// True for a name temporaryName makes: "." + base + "-" + 1 to 13 of [0-9a-z] + ".tmp".
bool isTemporaryName(std::string_view name) {
    constexpr std::string_view tail = ".tmp";
    if (name.size() < 1 + 1 + 1 + tail.size() || name.front() != '.' || !name.ends_with(tail))
        return false;
    const std::string_view stem = name.substr(0, name.size() - tail.size());
    const std::size_t dash = stem.rfind('-');
    if (dash == std::string_view::npos || dash == 0) return false;
    const std::string_view random = stem.substr(dash + 1);
    if (random.empty() || random.size() > 13) return false;
    for (char c : random)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z'))) return false;
    return true;
}

// Removes the temporary files of saves that were killed before their rename: files of
// temporaryName's form, untouched for StaleSeconds, whose lock nobody holds. A save in
// progress holds its lock until its rename, so it is never taken.
void clearStaleTemporaries(const QString& folder) {
    constexpr time_t StaleSeconds = 60;
    const QByteArray dirName = QFile::encodeName(folder);
    DIR* dir = ::opendir(dirName.constData());
    if (!dir) return;
    const int dirFd = ::dirfd(dir);
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        if (!isTemporaryName(entry->d_name)) continue;
        struct stat st {};
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(st.st_mode) || now - st.st_mtime < StaleSeconds)
            continue;
        const int fd =
            ::openat(dirFd, entry->d_name, O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat held {};
        // Unlinked only while this lock is held and the name still means the file locked.
        if (lockTemporary(fd) && ::fstat(fd, &held) == 0 && held.st_ino == st.st_ino &&
            held.st_dev == st.st_dev)
            ::unlinkat(dirFd, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

// Makes the rename itself last; a folder that cannot be synced changes nothing.
void syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

SaveOutcome AtomicSave(const QString& nativePath, QByteArrayView bytes) {
    const QString target = followLinks(nativePath);
    if (target.isEmpty()) return failed(ELOOP);
    const QByteArray name = QFile::encodeName(target);
    struct stat old {};
    const bool exists = ::stat(name.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) return failed(EISDIR);
    if (exists && !S_ISREG(old.st_mode)) return writeInPlace(name, bytes);
    // A file the user may not write is not replaced behind its back.
    if (exists && ::access(name.constData(), W_OK) != 0) return failed(errno);

    const QFileInfo info(target);
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        temp = temporaryName(info);
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt == 100)) return failed(errno);
    }
    // A second description of the temporary file holds its lock until after the rename.
    const int lockFd = ::open(temp.constData(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (lockFd >= 0) lockTemporary(lockFd);
    int error = writeAll(fd, bytes.data(), bytes.size());
    // The replaced file's permissions stay; a new one has what the umask gave. A file
    // system without permissions (a memory stick) refuses the change, which is no failure.
    if (error == 0 && exists) ::fchmod(fd, old.st_mode & 07777);
    // The same for one that cannot sync: the data reached it all the same.
    if (error == 0 && ::fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temp.constData(), name.constData()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temp.constData());
        if (lockFd >= 0) ::close(lockFd);
        return failed(error);
    }
    if (lockFd >= 0) ::close(lockFd);
    syncFolder(info.absolutePath());
    clearStaleTemporaries(info.absolutePath());
    return {};
}
