// Clock, pictures, console messages and the assembled platform.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdio>

#include "qt/CanvasImages.h"
#include "qt/ConsolePrompter.h"
#include "qt/QtClock.h"
#include "qt/QtFiles.h"
#include "qt/QtPictures.h"
#include "qt/QtPlatform.h"
#include "text/Sjis.h"

namespace {

// Sets an environment variable for the life of the object, then restores it.
class EnvGuard {
  public:
    EnvGuard(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~EnvGuard() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

  private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

TEST(QtClockTest, SourceDateEpochFixesTheTimeInUtc) {
    struct Case {
        const char* epoch;
        DateTime expected;
    } cases[] = {
        {"1700000000", {2023, 11, 14, 22, 13, 20}},
        {"0", {1970, 1, 1, 0, 0, 0}},
        {" 951782400 ", {2000, 2, 29, 0, 0, 0}},
    };
    QtClock clock;
    for (const auto& c : cases) {
        EnvGuard env("SOURCE_DATE_EPOCH", c.epoch);
        DateTime t = clock.now();
        EXPECT_EQ(std::tie(t.year, t.month, t.day, t.hour, t.minute, t.second),
                  std::tie(c.expected.year, c.expected.month, c.expected.day, c.expected.hour,
                           c.expected.minute, c.expected.second))
            << c.epoch;
    }
    EnvGuard env("SOURCE_DATE_EPOCH", "not a number");
    EXPECT_FALSE(QtClock::fixedTime().has_value());
    EXPECT_EQ(clock.now().year, QDate::currentDate().year());
}

Bitmap pattern(int w, int h) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.at(x, y) = 0xFF000000u | static_cast<std::uint32_t>((x * 37) << 16 | (y * 53) << 8 |
                                                                  ((x + y) * 11 & 0xFF));
    return b;
}

TEST(QtPicturesTest, BmpRoundTripThroughCorePaths) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    ASSERT_TRUE(QDir().mkpath(tmp.path() + QStringLiteral("/表Graph")));
    const std::string root = *QtFiles::toCorePath(tmp.path()) + "\\";
    const std::string path = root + sjis::fromUtf8("表graph\\グラフ1.BMP");
    QtFiles files;
    QtPictures pictures(files);
    const Bitmap original = pattern(13, 7); // odd width: BMP rows are padded
    ASSERT_TRUE(pictures.saveBmp(path, original));
    EXPECT_EQ(QImageReader(tmp.path() + QStringLiteral("/表Graph/グラフ1.BMP")).format(), "bmp");
    Bitmap loaded;
    ASSERT_EQ(pictures.load(sjis::asciiLower(path), loaded), ReadStatus::Ok);
    EXPECT_EQ(loaded.width, 13);
    EXPECT_EQ(loaded.height, 7);
    EXPECT_EQ(loaded.pixels, original.pixels);

    // Any readable picture loads, whatever its name says; other files do not.
    QImage png = toQImage(pattern(4, 3));
    ASSERT_TRUE(png.save(tmp.path() + QStringLiteral("/title.bmp"), "PNG"));
    ASSERT_EQ(pictures.load(root + "Title.BMP", loaded), ReadStatus::Ok);
    EXPECT_EQ(loaded.pixels, pattern(4, 3).pixels);
    QFile junk(tmp.path() + QStringLiteral("/junk.bmp"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("BM not really a bitmap");
    junk.close();
    EXPECT_EQ(pictures.load(root + "junk.bmp", loaded), ReadStatus::Error);
    EXPECT_EQ(pictures.load(root + "missing.bmp", loaded), ReadStatus::Missing);
    EXPECT_FALSE(pictures.saveBmp(root + sjis::fromUtf8("表graph"), original));
    EXPECT_FALSE(pictures.saveBmp(root + "empty.bmp", Bitmap()));
}

TEST(BitmapConvertTest, BitmapsWhosePixelsDoNotFillTheirSizeGiveNullImages) {
    Bitmap broken(4, 4);
    broken.pixels.resize(10);
    EXPECT_TRUE(toQImage(broken).isNull());
    EXPECT_TRUE(toQImage(Bitmap()).isNull());
    EXPECT_TRUE(fromQImage(QImage()).empty());
    QImage rgb(2, 1, QImage::Format_RGB888);
    rgb.setPixel(0, 0, qRgb(1, 2, 3));
    rgb.setPixel(1, 0, qRgb(250, 128, 0));
    Bitmap b = fromQImage(rgb);
    EXPECT_EQ(b.pixels, (std::vector<std::uint32_t>{0xFF010203u, 0xFFFA8000u}));
}

std::string readBack(std::FILE* f) {
    std::rewind(f);
    std::string out;
    char buf[256];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        out.append(buf, n);
    return out;
}

// Messages are single UTF-8 lines as the user reads them: paths with "/", and control
// characters from files shown escaped instead of reaching the terminal.
TEST(ConsolePrompterTest, MessagesAreUtf8LinesAndQuestionsGetTheFixedAnswer) {
    struct Case {
        int fixed;
        int yesNo;
        int yesNoCancel;
        const char* shown;
    } cases[] = {
        {answer::Yes, answer::Yes, answer::Yes, "[はい]"},
        {answer::No, answer::No, answer::No, "[いいえ]"},
        {answer::Cancel, answer::No, answer::Cancel, "[キャンセル]"},
    };
    for (const auto& c : cases) {
        std::FILE* f = std::tmpfile();
        ASSERT_NE(f, nullptr);
        ConsolePrompter prompter(c.fixed, f);
        prompter.message(J("ファイル C:\\表\\Main.ind が見つかりません"));
        prompter.message(J("一行目\r\n二行目"));
        prompter.message(J("ファイル a") + "\x1b]0;title\x07" + J(".bmp が見つかりません"));
        EXPECT_EQ(prompter.askYesNo(J("保存しますか？")), c.yesNo);
        EXPECT_EQ(prompter.askYesNoCancel(J("を保存しますか？")), c.yesNoCancel);
        const std::string out = readBack(f);
        std::fclose(f);
        EXPECT_EQ(out.substr(0, out.find("保存")),
                  "ファイル C:/表/Main.ind が見つかりません\n一行目 二行目\n"
                  "ファイル a\\x1b]0;title\\x07.bmp が見つかりません\n");
        EXPECT_NE(out.find(std::string("を保存しますか？ ") + c.shown + "\n"), std::string::npos);
    }
}

TEST(QtPlatformTest, ProcessFoldersInCoreForm) {
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString tempNative = tmp.path() + QStringLiteral("/表temp");
    ASSERT_TRUE(QDir().mkpath(tempNative));
    {
        EnvGuard env("TMPDIR", (tempNative + u'/').toUtf8());
        QtPlatform qt;
        Platform& p = qt.platform();
        EXPECT_TRUE(qt.problems().empty());
        EXPECT_EQ(QtPlatform::tempDir(), QtFiles::toCorePath(tempNative));
        EXPECT_EQ(p.workingDir, *QtFiles::toCorePath(QDir::currentPath()));
        ASSERT_FALSE(p.userDataDir.empty());
        EXPECT_EQ(p.userDataDir.back(), '\\');
        EXPECT_TRUE(p.files.dirExists(p.userDataDir));
        EXPECT_EQ(p.userDataDir.find('/'), std::string::npos);
    }
    // A temporary folder that cannot be used falls back to the system's.
    for (const QByteArray& bad :
         {(tmp.path() + QStringLiteral("/😀")).toUtf8(), QByteArray("/") + QByteArray(300, 'a')}) {
        EnvGuard env("TMPDIR", bad);
        auto temp = QtPlatform::tempDir();
        ASSERT_TRUE(temp.has_value());
        EXPECT_LE(temp->size(), 255u);
        EXPECT_TRUE(QtFiles().dirExists(*temp)) << *temp;
    }
}

} // namespace
