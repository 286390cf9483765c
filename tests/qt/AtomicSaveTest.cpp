// The one way files are replaced: whole or not at all, on a disk that fills up too, with
// the old bytes kept and no temporary file left behind.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FullDisk.h"
#include "qt/AtomicSave.h"

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

TEST(AtomicSave, FailuresKeepTheOldFileByteForByte) {
    const QByteArray before = "the unit file as it was\r\n";
    const QByteArray after(20000, 'n'); // more than a write buffer holds
    struct Case {
        const char* what;
        rlim_t sizeLimit; // a disk that fills up after this many bytes of a file
        std::function<QString(const QString& folder)> target;
        bool saved;
    } cases[] = {
        {"written", RLIM_INFINITY, [](const QString& d) { return d + "/unit.que"; }, true},
        {"disk full at once", 0, [](const QString& d) { return d + "/unit.que"; }, false},
        {"disk full halfway", 4096, [](const QString& d) { return d + "/unit.que"; }, false},
        {"disk full in the last block", 19000, [](const QString& d) { return d + "/unit.que"; },
         false},
        {"missing folder", RLIM_INFINITY, [](const QString& d) { return d + "/gone/unit.que"; },
         false},
        {"a folder in the way", RLIM_INFINITY, [](const QString& d) { return d + "/sub"; }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        write(dir.filePath("unit.que"), before);
        QDir(dir.path()).mkdir("sub");
        SaveOutcome outcome;
        {
            FullDisk full(c.sizeLimit);
            outcome = AtomicSave(c.target(dir.path()), after);
        }
        EXPECT_EQ(outcome.ok, c.saved);
        EXPECT_EQ(contents(dir.filePath("unit.que")), c.saved ? after : before);
        EXPECT_EQ(outcome.reason.isEmpty(), c.saved) << outcome.reason.toStdString();
        EXPECT_EQ(entries(dir.path()), (QStringList{"sub", "unit.que"}));
        EXPECT_TRUE(entries(dir.filePath("sub")).isEmpty());
    }
}

TEST(AtomicSave, LinksAndPermissionsStay) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("real");
    write(dir.filePath("real/sheet.prp"), "old");
    ASSERT_TRUE(QFile::link(dir.filePath("real/sheet.prp"), dir.filePath("link.prp")));
    ASSERT_EQ(::chmod(QFile::encodeName(dir.filePath("real/sheet.prp")).constData(), 0640), 0);

    ASSERT_TRUE(AtomicSave(dir.filePath("link.prp"), "new").ok);
    EXPECT_TRUE(QFileInfo(dir.filePath("link.prp")).isSymLink());
    EXPECT_EQ(contents(dir.filePath("real/sheet.prp")), "new");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(dir.filePath("real/sheet.prp")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(entries(dir.filePath("real")), QStringList{"sheet.prp"});

    // A new file gets what the umask allows.
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(AtomicSave(dir.filePath("fresh.txt"), "x").ok);
    ::umask(mask);
    ASSERT_EQ(::stat(QFile::encodeName(dir.filePath("fresh.txt")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);

    // A file the user may not write stays as it is (root may write anything).
    if (::geteuid() != 0) {
        ASSERT_EQ(::chmod(QFile::encodeName(dir.filePath("fresh.txt")).constData(), 0444), 0);
        EXPECT_FALSE(AtomicSave(dir.filePath("fresh.txt"), "y").ok);
        EXPECT_EQ(contents(dir.filePath("fresh.txt")), "x");
    }
}

TEST(AtomicSave, DevicesAreWrittenInPlace) {
    if (!QFile::exists("/dev/full") || !QFile::exists("/dev/null")) GTEST_SKIP() << "no devices";
    EXPECT_TRUE(AtomicSave("/dev/null", "anything").ok);
    const SaveOutcome full = AtomicSave("/dev/full", "lost");
    EXPECT_FALSE(full.ok);
    EXPECT_FALSE(full.reason.isEmpty());
    EXPECT_FALSE(QFileInfo("/dev/full").isFile()) << "still the device";
}

} // namespace

// Saves killed before their rename leave ".<name>-<random>.tmp" behind. The next save into
// the folder removes those that are stale, and nothing else: not a temporary file a save
// in progress holds, not a fresh one, not files of other names, not links.
TEST(AtomicSave, StaleTemporariesOfKilledSavesAreClearedByTheNextSave) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString dir = tmp.path();
    const QStringList old = {".big-3k2j1x.tmp", ".taro-abc.tmp", "notes.tmp", ".x-UPPER.tmp",
                             ".taro.ini.lock", ".noDash.tmp"};
    for (const QString& name : old)
        write(dir + u'/' + name, QByteArray(4096, 'x'));
    write(dir + QStringLiteral("/.fresh-q1.tmp"), "now");
    ASSERT_EQ(::symlink("notes.tmp", QFile::encodeName(dir + "/.link-abc.tmp").constData()), 0);
    // Two hours untouched.
    const timespec twoHoursAgo[2] = {{::time(nullptr) - 7200, 0}, {::time(nullptr) - 7200, 0}};
    QStringList aged = old;
    aged << QStringLiteral(".link-abc.tmp");
    for (const QString& name : aged)
        ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(dir + u'/' + name).constData(),
                              twoHoursAgo, AT_SYMLINK_NOFOLLOW),
                  0);
    // Another save still writing ".taro-abc.tmp" holds its lock.
    const int busy = ::open(QFile::encodeName(dir + "/.taro-abc.tmp").constData(), O_RDWR);
    ASSERT_GE(busy, 0);
    struct flock whole {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    ASSERT_EQ(::fcntl(busy, F_OFD_SETLK, &whole), 0);

    ASSERT_TRUE(AtomicSave(dir + QStringLiteral("/taro.ini"), "[S11x]\r\n1=r\r\n").ok);
    QStringList left = entries(dir);
    left.sort();
    EXPECT_EQ(left, (QStringList{".fresh-q1.tmp", ".link-abc.tmp", ".noDash.tmp",
                                         ".taro-abc.tmp", ".taro.ini.lock", ".x-UPPER.tmp",
                                         "notes.tmp", "taro.ini"}));
    ::close(busy);
    // Once its save has ended, the next save clears it too.
    ASSERT_TRUE(AtomicSave(dir + QStringLiteral("/taro.ini"), "[S11x]\r\n1=r\r\n2=s\r\n").ok);
    EXPECT_FALSE(entries(dir).contains(QStringLiteral(".taro-abc.tmp")));
    EXPECT_EQ(contents(dir + QStringLiteral("/taro.ini")), "[S11x]\r\n1=r\r\n2=s\r\n");
}
