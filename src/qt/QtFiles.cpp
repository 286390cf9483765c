#include "qt/QtFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "qt/AtomicSave.h"
#include "text/CorePath.h"
#include "text/Sjis.h"

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

QString fromSjis(std::string_view s) {
    return QString::fromStdString(sjis::toUtf8(s));
}

bool present(const QString& native) {
    QFileInfo fi(native);
    return fi.exists() || fi.isSymLink();
}

QString joined(const QString& base, const QString& name) {
    if (base.isEmpty()) return name;
    if (base.endsWith(u'/')) return base + name;
    return base + u'/' + name;
}

// The entry of folder whose name equals name without regard to case; the first in
// name order when several do.
QString findIgnoringCase(const QString& folder, const QString& name) {
    QDir dir(folder.isEmpty() ? QStringLiteral(".") : folder);
    const QStringList entries = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return entry;
    return {};
}

// Splits a core path into the folder part (ending in "\", or empty) and the last name.
std::pair<std::string, std::string> splitLast(const std::string& path) {
    std::size_t cut = std::string::npos;
    for (std::size_t i = 0; i < path.size(); i += sjis::charLen(path, i))
        if (isSeparator(path[i])) cut = i;
    if (cut == std::string::npos) return {std::string(), path};
    return {path.substr(0, cut + 1), path.substr(cut + 1)};
}

// The native path of a file that may not exist yet: its folder looked up, its own
// name as written unless an entry of that name (in any case) is there already.
QString nativeForCreate(const std::string& path) {
    auto [folder, name] = splitLast(path);
    QString dir = folder.empty() ? QString() : QtFiles::toNative(folder);
    QString exact = joined(dir, fromSjis(name));
    if (name.empty() || present(exact)) return exact;
    QString found = findIgnoringCase(dir, fromSjis(name));
    return found.isEmpty() ? exact : joined(dir, found);
}

// True when path is folder or lies below it (both absolute and clean).
bool within(const QString& path, const QString& folder) {
    if (path == folder) return true;
    return path.startsWith(folder.endsWith(u'/') ? folder : folder + u'/');
}

// The file path names once every link on the way is followed, including links whose
// target does not exist yet and a last name that does not exist; empty for a circle of
// links.
QString resolvedPath(const QString& path, int depth = 0) {
    if (depth > 256) return {};
    const QFileInfo info(path);
    if (info.isSymLink()) return resolvedPath(QDir::cleanPath(info.symLinkTarget()), depth + 1);
    if (info.exists()) return info.canonicalFilePath();
    const QString parent = info.absolutePath();
    if (parent == path || info.fileName().isEmpty()) return path;
    const QString base = resolvedPath(parent, depth + 1);
    return base.isEmpty() ? QString() : joined(base, info.fileName());
}

bool lessByName(const std::string& a, const std::string& b) {
    std::string la = sjis::asciiLower(a), lb = sjis::asciiLower(b);
    return la != lb ? la < lb : a < b;
}

} // namespace

QString QtFiles::toNative(const std::string& corePath) {
    // Split at separators, skipping the second bytes of double-byte characters.
    std::vector<std::string> parts;
    std::string part;
    for (std::size_t i = 0; i < corePath.size();) {
        std::size_t len = sjis::charLen(corePath, i);
        if (len == 1 && isSeparator(corePath[i])) {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part.append(corePath, i, len);
        }
        i += len;
    }
    if (!part.empty()) parts.push_back(part);
    const bool absolute = !corePath.empty() && isSeparator(corePath.front());
    const bool trailing = !corePath.empty() && isSeparator(corePath.back()) && !parts.empty();

    QString native = absolute ? QStringLiteral("/") : QString();
    // The usual case: the path exists as written.
    QString asWritten = native;
    for (const std::string& p : parts)
        asWritten = joined(asWritten, fromSjis(p));
    if (present(asWritten)) return trailing ? asWritten + u'/' : asWritten;

    bool lookUp = true; // false once a folder on the way is missing
    for (const std::string& p : parts) {
        QString name = fromSjis(p);
        QString exact = joined(native, name);
        if (lookUp && !present(exact) && name != u"." && name != u"..") {
            QString found = findIgnoringCase(native, name);
            if (!found.isEmpty()) {
                native = joined(native, found);
                continue;
            }
            lookUp = false;
        }
        native = exact;
    }
    if (trailing) native += u'/';
    return native;
}

std::optional<std::string> QtFiles::toCorePath(const QString& nativePath) {
    // A "\" inside a native name cannot be told from a folder separator in core form.
    if (nativePath.contains(u'\\')) return std::nullopt;
    const std::string utf8 = nativePath.toStdString();
    if (!sjis::representable(utf8)) return std::nullopt;
    std::string core = sjis::fromUtf8(utf8);
    // "/" (0x2F) is never the second byte of a double-byte character.
    std::replace(core.begin(), core.end(), '/', '\\');
    return core;
}

bool QtFiles::matchMask(std::string_view mask, std::string_view name) {
    const std::string m = sjis::asciiLower(mask == "*.*" ? std::string_view("*") : mask);
    const std::string n = sjis::asciiLower(name);
    std::size_t mi = 0, ni = 0;
    std::size_t starM = std::string::npos, starN = 0;
    while (ni < n.size()) {
        if (mi < m.size() && m[mi] == '*') {
            starM = ++mi;
            starN = ni;
            continue;
        }
        if (mi < m.size()) {
            std::size_t ml = sjis::charLen(m, mi), nl = sjis::charLen(n, ni);
            if ((ml == 1 && m[mi] == '?') || m.compare(mi, ml, n, ni, nl) == 0) {
                mi += ml;
                ni += nl;
                continue;
            }
        }
        if (starM == std::string::npos) return false;
        // Let the last "*" take one more character and try again.
        starN += sjis::charLen(n, starN);
        ni = starN;
        mi = starM;
    }
    while (mi < m.size() && m[mi] == '*')
        ++mi;
    return mi == m.size();
}

void QtFiles::setCourseFolder(const std::string& folder) {
    courseByName_.clear();
    courseResolved_.clear();
    if (folder.empty()) return;
    const QFileInfo info(toNative(folder));
    courseResolved_ = info.canonicalFilePath();
    if (!courseResolved_.isEmpty()) courseByName_ = QDir::cleanPath(info.absoluteFilePath());
}

bool QtFiles::leavesCourse(const QString& native) const {
    if (courseByName_.isEmpty()) return false;
    const QString byName = QDir::cleanPath(QFileInfo(native).absoluteFilePath());
    if (!within(byName, courseByName_)) return false;
    const QString resolved = resolvedPath(byName);
    return resolved.isEmpty() || !within(resolved, courseResolved_);
}

std::optional<QString> QtFiles::readablePath(const std::string& corePath) const {
    QString native = toNative(corePath);
    if (leavesCourse(native)) return std::nullopt;
    return native;
}

ReadStatus QtFiles::read(const std::string& path, std::string& bytes) {
    const std::optional<QString> readable = readablePath(path);
    if (!readable) return ReadStatus::Outside;
    const QString& native = *readable;
    QFileInfo fi(native);
    if (!fi.exists()) return ReadStatus::Missing;
    if (!fi.isFile()) return ReadStatus::Error;
    QFile file(native);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return ReadStatus::Error;
    // Straight into bytes, whose room is reused when a caller reads file after file.
    bytes.resize(static_cast<std::size_t>(std::max<qint64>(file.size(), 0)));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const qint64 n = file.read(bytes.data() + got, static_cast<qint64>(bytes.size() - got));
        if (n < 0) return ReadStatus::Error;
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    // Whatever lies beyond the size the file had when opened.
    char more[4096];
    for (qint64 n = 0; (n = file.read(more, sizeof more)) != 0;) {
        if (n < 0) return ReadStatus::Error;
        bytes.append(more, static_cast<std::size_t>(n));
    }
    if (file.error() != QFileDevice::NoError) return ReadStatus::Error;
    return ReadStatus::Ok;
}

WriteResult QtFiles::write(const std::string& path, std::string_view bytes) {
    const QString native = nativeForCreate(path);
    if (leavesCourse(native)) return WriteResult::outside();
    const SaveOutcome saved =
        AtomicSave(native, QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (saved.ok) return {};
    return WriteResult::failed(sjis::fromUtf8(saved.reason.toStdString()));
}

bool QtFiles::fileExists(const std::string& path) {
    return QFileInfo(toNative(path)).isFile();
}

bool QtFiles::dirExists(const std::string& path) {
    return QFileInfo(toNative(path)).isDir();
}

bool QtFiles::makeDir(const std::string& path) {
    const QString native = toNative(path);
    if (native.isEmpty()) return false;
    return QDir().mkpath(native);
}

bool QtFiles::remove(const std::string& path) {
    const QString native = toNative(path);
    if (!QFileInfo(native).isFile()) return false;
    return QFile::remove(native);
}

bool QtFiles::rename(const std::string& from, const std::string& to) {
    const QString source = toNative(from);
    if (!QFileInfo(source).isFile()) return false;
    const QString target = nativeForCreate(to);
    // An existing target is refused, unless it is the source itself under another case.
    if (present(target) &&
        QFileInfo(target).canonicalFilePath() != QFileInfo(source).canonicalFilePath())
        return false;
    auto [folder, name] = splitLast(to);
    QString exact = joined(folder.empty() ? QString() : toNative(folder), fromSjis(name));
    return QFile::rename(source, exact);
}

std::vector<std::string> QtFiles::list(const std::string& folder, const std::string& mask) {
    std::vector<std::string> out;
    const QString native = toNative(folder);
    QDir dir(native.isEmpty() ? QStringLiteral(".") : native);
    if (!dir.exists()) return out;
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        // A name code page 932 cannot hold could not be opened by the program anyway.
        auto core = toCorePath(entry);
        if (core && matchMask(mask, *core)) out.push_back(*core);
    }
    std::sort(out.begin(), out.end(), lessByName);
    return out;
}

bool QtFiles::isReadOnlyMedia(const std::string& path) {
    QFileInfo fi(toNative(path));
    QString existing = fi.absoluteFilePath();
    while (!existing.isEmpty() && !QFileInfo::exists(existing)) {
        const QString parent = QFileInfo(existing).absolutePath();
        if (parent == existing) break;
        existing = parent;
    }
    QStorageInfo storage(existing);
    if (!storage.isValid()) return false;
    const QByteArray type = storage.fileSystemType().toLower();
    // A folder this user cannot write (a course installed for all users) is read-only
    // media as well: nothing may be written into it.
    return storage.isReadOnly() || type == "iso9660" || type == "udf" ||
           !QFileInfo(existing).isWritable();
}

namespace {

// A write lock on the whole lock file, held by its open file description: every holder,
// in this process or another, on this computer or, through NFS or SMB, on another, waits
// for it; closing the descriptor, or the end of the process, releases it.
class QtFileLock : public FileLock {
  public:
    explicit QtFileLock(int fd) : fd_(fd) {}
    ~QtFileLock() override { ::close(fd_); }

  private:
    int fd_;
};

// Tries once to take the lock of fd: 0, or the errno why not.
int tryLock(int fd) {
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    whole.l_start = 0;
    whole.l_len = 0; // to the end, however long
    return ::fcntl(fd, F_OFD_SETLK, &whole) == 0 ? 0 : errno;
}

} // namespace

LockResult QtFiles::lock(const std::string& path) {
    const QString native = nativeForCreate(path);
    if (leavesCourse(native)) return {nullptr, OutsideCourseText(path)};
    // The lock belongs to the file, not to the name it is reached by: a link leads to the
    // lock of the file it names.
    QString file = resolvedPath(QDir::cleanPath(QFileInfo(native).absoluteFilePath()));
    if (file.isEmpty()) return {nullptr, sjis::fromUtf8(std::strerror(ELOOP))};
    const QFileInfo target(file);
    const QString lockPath =
        target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".lock");
    const QByteArray name = QFile::encodeName(lockPath);
    const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) return {nullptr, sjis::fromUtf8(std::strerror(errno))};
    // Every user of a shared course folder locks the same file: it is left writable by all.
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_uid == ::geteuid() && (st.st_mode & 0666) != 0666)
        ::fchmod(fd, 0666);
    // Another holder is waited for with short naps, so that a lock just released is taken
    // at once; after LockWaitMs the caller is told.
    QElapsedTimer waited;
    waited.start();
    for (int napUs = 200;; napUs = std::min(napUs * 2, 20000)) {
        const int error = tryLock(fd);
        if (error == 0) return {std::make_unique<QtFileLock>(fd), {}};
        if (error != EAGAIN && error != EACCES && error != EINTR) {
            ::close(fd);
            return {nullptr, sjis::fromUtf8(std::strerror(error))};
        }
        if (waited.elapsed() >= LockWaitMs) {
            ::close(fd);
            return {nullptr, J("ほかのプログラムが使用中です")};
        }
        ::usleep(static_cast<useconds_t>(napUs));
    }
}
