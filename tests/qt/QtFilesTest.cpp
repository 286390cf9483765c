// The file service on a real folder: path mapping, case-insensitive lookup, atomic
// writes, listing by mask.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "FullDisk.h"
#include "qt/QtFiles.h"
#include "text/Sjis.h"

namespace {

struct QtFilesTest : ::testing::Test {
    QTemporaryDir tmp;
    QtFiles files;
    std::string root; // core form of the temporary folder, with a trailing "\"

    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        auto core = QtFiles::toCorePath(tmp.path());
        ASSERT_TRUE(core.has_value());
        root = *core + "\\";
    }
    QString native(const QString& rel) const { return tmp.path() + u'/' + rel; }
    void touch(const QString& rel, const QByteArray& data = "x") {
        QDir().mkpath(QFileInfo(native(rel)).absolutePath());
        QFile f(native(rel));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(data);
    }
    QByteArray contents(const QString& rel) const {
        QFile f(native(rel));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    std::string core(const char* utf8Rel) const { return root + sjis::fromUtf8(utf8Rel); }
};

TEST_F(QtFilesTest, CorePathsMapToNativeWithCaseInsensitiveFallback) {
    touch(QStringLiteral("表計算/MAIN.IND"));
    touch(QStringLiteral("表計算/graph/Title.bmp"));
    touch(QStringLiteral("L1/ソフト.que"));
    struct Case {
        const char* core;
        const char* native;
    } cases[] = {
        {"表計算\\MAIN.IND", "表計算/MAIN.IND"},
        {"表計算\\Main.ind", "表計算/MAIN.IND"},
        {"表計算\\Graph\\", "表計算/graph/"},
        {"表計算\\GRAPH\\title.BMP", "表計算/graph/Title.bmp"},
        {"l1\\ソフト.QUE", "L1/ソフト.que"},
        {"表計算\\New\\File.txt", "表計算/New/File.txt"},
        {"表計算\\\\Main.ind", "表計算/MAIN.IND"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QtFiles::toNative(core(c.core)), native(QString::fromUtf8(c.native))) << c.core;

    std::string bytes;
    EXPECT_EQ(files.read(core("表計算\\main.IND"), bytes), ReadStatus::Ok);
    EXPECT_EQ(bytes, "x");
    EXPECT_TRUE(files.dirExists(core("表計算\\Graph")));
    EXPECT_TRUE(files.fileExists(core("L1\\ソフト.que")));
    EXPECT_FALSE(files.fileExists(core("表計算")));
}

TEST_F(QtFilesTest, NativePathsToCoreForm) {
    EXPECT_EQ(QtFiles::toCorePath(QStringLiteral("/a/表/ソ.txt")),
              sjis::fromUtf8("\\a\\表\\ソ.txt"));
    EXPECT_EQ(QtFiles::toCorePath(QStringLiteral("rel/～①")), sjis::fromUtf8("rel\\～①"));
    for (const char* bad : {"/a/😀", "/a/Ä.txt", "/a/b\\c"})
        EXPECT_FALSE(QtFiles::toCorePath(QString::fromUtf8(bad)).has_value()) << bad;
}

TEST_F(QtFilesTest, ReadTellsMissingFromUnreadable) {
    QDir().mkpath(native(QStringLiteral("folder")));
    std::string bytes = "unchanged";
    EXPECT_EQ(files.read(core("nothing.txt"), bytes), ReadStatus::Missing);
    EXPECT_EQ(files.read(core("nothing\\deeper.txt"), bytes), ReadStatus::Missing);
    EXPECT_EQ(files.read(core("folder"), bytes), ReadStatus::Error);
    EXPECT_EQ(bytes, "unchanged");
    touch(QStringLiteral("bin.dat"), QByteArray("\x00\x95\x5c\r\n", 5));
    EXPECT_EQ(files.read(core("BIN.DAT"), bytes), ReadStatus::Ok);
    EXPECT_EQ(bytes, std::string("\x00\x95\x5c\r\n", 5));
}

TEST_F(QtFilesTest, WriteReplacesWholeAndKeepsTheOldFileOnFailure) {
    touch(QStringLiteral("Data/REC.INI"), "old and long contents");
    ASSERT_TRUE(files.write(core("data\\rec.ini"), "new"));
    EXPECT_EQ(contents(QStringLiteral("Data/REC.INI")), "new");
    EXPECT_EQ(QDir(native(QStringLiteral("Data"))).entryList(QDir::Files),
              QStringList{QStringLiteral("REC.INI")});

    // A target that is a folder, and a folder that is missing, both fail cleanly.
    touch(QStringLiteral("Data/sub/keep.txt"), "keep");
    EXPECT_FALSE(files.write(core("Data\\sub"), "x"));
    EXPECT_EQ(contents(QStringLiteral("Data/sub/keep.txt")), "keep");
    EXPECT_FALSE(files.write(core("NoSuchFolder\\a.txt"), "x"));
    EXPECT_FALSE(QFileInfo::exists(native(QStringLiteral("NoSuchFolder"))));

    // A read-only folder refuses the temporary file; root may write anyway.
    if (geteuid() != 0) {
        QFile::setPermissions(native(QStringLiteral("Data")),
                              QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        EXPECT_FALSE(files.write(core("Data\\REC.INI"), "lost"));
        EXPECT_EQ(contents(QStringLiteral("Data/REC.INI")), "new");
        QFile::setPermissions(native(QStringLiteral("Data")), QFileDevice::ReadOwner |
                                                                  QFileDevice::WriteOwner |
                                                                  QFileDevice::ExeOwner);
    }
}

// Inside the course folder, a link whose file lies outside it is refused for reading and
// writing, as a name that climbs out is; links that stay inside, and paths outside the
// course, are used as they are.
TEST_F(QtFilesTest, LinksOutOfTheCourseAreRefused) {
    touch(QStringLiteral("outside/secret.que"), "outside");
    touch(QStringLiteral("course/Eq1/eq11.que"), "inside");
    touch(QStringLiteral("course/Graph/a.bmp"), "picture");
    const QString c = native(QStringLiteral("course"));
    QFile::link(native(QStringLiteral("outside/secret.que")), c + "/Eq1/eq12.que");
    QFile::link(native(QStringLiteral("outside")), c + "/Linked");
    QFile::link(QStringLiteral("../../outside/new.que"), c + "/Eq1/dangling.que");
    QFile::link(QStringLiteral("eq11.que"), c + "/Eq1/same.que");
    QFile::link(c + "/Graph", c + "/Eq1/Graph");
    files.setCourseFolder(core("course\\"));
    struct Case {
        const char* path;
        ReadStatus read;
        WriteResult::Status write;
    } cases[] = {
        {"course\\Eq1\\eq11.que", ReadStatus::Ok, WriteResult::Status::Ok},
        {"course\\Eq1\\same.que", ReadStatus::Ok, WriteResult::Status::Ok},
        {"course\\Eq1\\Graph\\a.bmp", ReadStatus::Ok, WriteResult::Status::Ok},
        {"course\\Eq1\\eq12.que", ReadStatus::Outside, WriteResult::Status::Outside},
        {"course\\Linked\\secret.que", ReadStatus::Outside, WriteResult::Status::Outside},
        {"course\\linked\\NEW.que", ReadStatus::Outside, WriteResult::Status::Outside},
        {"course\\Eq1\\dangling.que", ReadStatus::Outside, WriteResult::Status::Outside},
        {"outside\\secret.que", ReadStatus::Ok, WriteResult::Status::Ok}, // not the course
    };
    for (const Case& c : cases) {
        std::string bytes;
        EXPECT_EQ(files.read(core(c.path), bytes), c.read) << c.path;
        EXPECT_EQ(files.write(core(c.path), "written").status, c.write) << c.path;
    }
    EXPECT_EQ(contents(QStringLiteral("outside/secret.que")), "written") << "only by its own name";
    EXPECT_FALSE(QFileInfo::exists(native(QStringLiteral("outside/new.que"))));
    EXPECT_FALSE(QFileInfo::exists(native(QStringLiteral("outside/NEW.que"))));
    EXPECT_TRUE(QFileInfo(c + "/Eq1/same.que").isSymLink());
    EXPECT_EQ(contents(QStringLiteral("course/Eq1/eq11.que")), "written");

    // Without a course folder nothing is refused.
    files.setCourseFolder("");
    std::string bytes;
    EXPECT_EQ(files.read(core("course\\Eq1\\eq12.que"), bytes), ReadStatus::Ok);
}

TEST_F(QtFilesTest, AFullDiskKeepsTheFileAndSaysWhy) {
    touch(QStringLiteral("rec.ini"), "old");
    WriteResult r;
    {
        FullDisk full(16);
        r = files.write(core("rec.ini"), std::string(100, 'x'));
    }
    EXPECT_EQ(r.status, WriteResult::Status::Failed);
    EXPECT_EQ(r.reason, std::strerror(EFBIG));
    EXPECT_EQ(contents(QStringLiteral("rec.ini")), "old");
    EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("rec.ini")});
}

TEST_F(QtFilesTest, FoldersFilesRemoveAndRename) {
    EXPECT_TRUE(files.makeDir(core("Velmix\\LogOn\\表")));
    EXPECT_TRUE(QFileInfo(native(QStringLiteral("Velmix/LogOn/表"))).isDir());
    EXPECT_TRUE(files.makeDir(core("velmix\\logon")));
    touch(QStringLiteral("plain"));
    EXPECT_FALSE(files.makeDir(core("plain")));

    touch(QStringLiteral("a.txt"), "A");
    touch(QStringLiteral("b.txt"), "B");
    EXPECT_FALSE(files.rename(core("a.txt"), core("B.TXT")));
    EXPECT_TRUE(files.rename(core("A.TXT"), core("A.txt")));
    EXPECT_EQ(contents(QStringLiteral("A.txt")), "A");
    EXPECT_FALSE(QFileInfo::exists(native(QStringLiteral("a.txt"))));
    EXPECT_TRUE(files.rename(core("a.TXT"), core("Velmix\\c.txt")));
    EXPECT_EQ(contents(QStringLiteral("Velmix/c.txt")), "A");
    EXPECT_FALSE(files.rename(core("gone.txt"), core("x.txt")));

    EXPECT_TRUE(files.remove(core("B.txt")));
    EXPECT_FALSE(files.remove(core("B.txt")));
    EXPECT_FALSE(files.remove(core("Velmix")));
    EXPECT_TRUE(QFileInfo(native(QStringLiteral("Velmix"))).isDir());
    EXPECT_FALSE(files.isReadOnlyMedia(root));
    EXPECT_FALSE(files.isReadOnlyMedia(core("not\\there\\yet")));
}

TEST_F(QtFilesTest, ListMatchesMaskWithoutCaseAndSorts) {
    for (const char* name : {"b.prp", "A.PRP", "表.prp", "c.txt", "d.prpx", "e"})
        touch(QStringLiteral("Copies/") + QString::fromUtf8(name));
    QDir().mkpath(native(QStringLiteral("Copies/folder.prp")));
    touch(QStringLiteral("Copies/😀.prp"));
    auto utf8 = [](const std::vector<std::string>& names) {
        std::vector<std::string> out;
        for (const auto& n : names)
            out.push_back(sjis::toUtf8(n));
        return out;
    };
    using V = std::vector<std::string>;
    EXPECT_EQ(utf8(files.list(core("copies\\"), "*.prp")), (V{"A.PRP", "b.prp", "表.prp"}));
    EXPECT_EQ(utf8(files.list(core("Copies"), "*.PRP")), (V{"A.PRP", "b.prp", "表.prp"}));
    EXPECT_EQ(utf8(files.list(core("Copies"), "?.txt")), (V{"c.txt"}));
    EXPECT_EQ(files.list(core("Copies"), "*.*").size(), 6u);
    EXPECT_TRUE(files.list(core("Nowhere"), "*").empty());
}

TEST(QtFilesMask, WildcardsCountCharactersNotBytes) {
    struct Case {
        const char* mask;
        const char* name;
        bool match;
    } cases[] = {
        {"*.hlp", "VELMIXEQ.HLP", true},
        {"*.hlp", "a.hlpx", false},
        {"*", "", true},
        {"?", "表", true},
        {"??", "表", false},
        {"表*", "表計算", true},
        {"*算", "表計算", true},
        {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "aXbYc d", false},
        {"*.*", "noext", true},
        {"", "a", false},
        {"*?", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QtFiles::matchMask(sjis::fromUtf8(c.mask), sjis::fromUtf8(c.name)), c.match)
            << c.mask << " / " << c.name;
}

} // namespace
