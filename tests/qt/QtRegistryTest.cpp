// The settings store in a private settings folder: typed round trips through the file,
// case-insensitive names, the two keys, and the first run through Settings.
#include <gtest/gtest.h>

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "Fakes.h"
#include "FullDisk.h"
#include "qt/QtRegistry.h"
#include "shell/Settings.h"
#include "text/Sjis.h"

namespace {

struct QtRegistryTest : ::testing::Test {
    QTemporaryDir tmp;
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        ASSERT_TRUE(tmp.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, tmp.path());
    }
    void TearDown() override {
        // Later settings go to the test location, never to the user's own.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
};

TEST_F(QtRegistryTest, TypedValuesSurviveAFreshStore) {
    {
        QtRegistry reg;
        reg.writeText(RegKey::Program, "LogOnName", J("共通"));
        reg.writeText(RegKey::Program, "theSchool", J("山田塾～①, 2"));
        reg.writeInt(RegKey::Program, "PaperSize", 891);
        reg.writeBool(RegKey::Program, "KeyLock", true);
        reg.writeBool(RegKey::Program, "MojiL", false);
        reg.writeText(RegKey::Shared, "RecDrive", "C:\\");
    }
    EXPECT_TRUE(QFileInfo::exists(tmp.path() + QStringLiteral("/Velmix++/VelmixEQ.conf")));
    EXPECT_TRUE(QFileInfo::exists(tmp.path() + QStringLiteral("/Velmix/Common.conf")));
    QSettings raw(tmp.path() + QStringLiteral("/Velmix++/VelmixEQ.conf"), QSettings::IniFormat);
    EXPECT_EQ(raw.value(QStringLiteral("LogOnName")).toString(), QStringLiteral("共通"));

    QtRegistry reg;
    EXPECT_EQ(reg.readText(RegKey::Program, "LogOnName"), J("共通"));
    EXPECT_EQ(reg.readText(RegKey::Program, "theSchool"), J("山田塾～①, 2"));
    EXPECT_EQ(reg.readInt(RegKey::Program, "PaperSize"), 891);
    EXPECT_EQ(reg.readBool(RegKey::Program, "KeyLock"), true);
    EXPECT_EQ(reg.readBool(RegKey::Program, "MojiL"), false);
    EXPECT_EQ(reg.readText(RegKey::Shared, "RecDrive"), "C:\\");
    EXPECT_FALSE(reg.has(RegKey::Program, "RecDrive"));
    EXPECT_FALSE(reg.has(RegKey::Shared, "PaperSize"));

    // Names match without case, and a write keeps the stored spelling.
    EXPECT_EQ(reg.readInt(RegKey::Program, "papersize"), 891);
    reg.writeInt(RegKey::Program, "PAPERSIZE", 546);
    EXPECT_EQ(reg.readInt(RegKey::Program, "PaperSize"), 546);
    EXPECT_EQ(
        QSettings(tmp.path() + QStringLiteral("/Velmix++/VelmixEQ.conf"), QSettings::IniFormat)
            .childKeys()
            .count(QStringLiteral("PaperSize")),
        1);
}

TEST_F(QtRegistryTest, ValuesOfAnotherTypeReadAsNothing) {
    {
        QtRegistry reg;
        reg.writeText(RegKey::Program, "PaperSize", "A4");
        reg.writeInt(RegKey::Program, "KeyLock", 630);
        reg.writeBool(RegKey::Program, "Flag", true);
    }
    for (int fresh = 0; fresh < 2; ++fresh) {
        QtRegistry reg;
        if (fresh == 0) reg.writeBool(RegKey::Program, "Flag", true); // typed in memory
        EXPECT_EQ(reg.readInt(RegKey::Program, "PaperSize"), std::nullopt);
        EXPECT_EQ(reg.readBool(RegKey::Program, "PaperSize"), std::nullopt);
        EXPECT_EQ(reg.readBool(RegKey::Program, "KeyLock"), std::nullopt);
        EXPECT_EQ(reg.readInt(RegKey::Program, "Flag"), std::nullopt);
        EXPECT_EQ(reg.readText(RegKey::Program, "Missing"), std::nullopt);
        EXPECT_EQ(reg.readInt(RegKey::Program, "Missing"), std::nullopt);
    }
}

TEST_F(QtRegistryTest, FirstRunThroughSettingsStoresEveryDefault) {
    ScriptedPrompter prompter;
    {
        QtRegistry reg;
        Settings settings(reg, prompter);
        settings.school();
        settings.showDoYouKnow();
        settings.paperSize();
        settings.logOnName();
        settings.keyLock();
        EXPECT_EQ(settings.recordsDrive("\\home\\u\\data\\"), "\\home\\u\\data\\");
    }
    QtRegistry reg;
    EXPECT_EQ(reg.readText(RegKey::Program, "theSchool"), "");
    EXPECT_EQ(reg.readBool(RegKey::Program, "ShowDoYouKnow"), true);
    EXPECT_EQ(reg.readInt(RegKey::Program, "PaperSize"), 630);
    EXPECT_EQ(reg.readText(RegKey::Program, "LogOnName"), J("共通"));
    EXPECT_EQ(reg.readBool(RegKey::Program, "KeyLock"), false);
    EXPECT_EQ(reg.readText(RegKey::Shared, "RecDrive"), "C:\\");
    EXPECT_TRUE(prompter.messages.empty());
}

// The settings file as written reads back through QSettings exactly, whatever a text
// holds, and a file QSettings wrote reads as it did.
TEST_F(QtRegistryTest, TextsReadBackExactlyThroughTheSettingsFile) {
    const char* texts[] = {
        "",
        "共通",
        " lead and trail ",
        "a, b; c = d",
        "\"quoted\" \\back\\",
        "@at start",
        "#hash ;semi",
        "line\nbreak\ttab",
        "\x1b"
        "Beep\x07",
        "\x1b"
        "1F",
        "～①表ソ",
        "true",
        "630",
    };
    {
        QtRegistry reg;
        for (std::size_t i = 0; i < std::size(texts); ++i)
            ASSERT_TRUE(
                reg.writeText(RegKey::Program, "t" + std::to_string(i), sjis::fromUtf8(texts[i])));
    }
    QSettings raw(tmp.path() + QStringLiteral("/Velmix++/VelmixEQ.conf"), QSettings::IniFormat);
    QtRegistry reg;
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        const QString key = QStringLiteral("t%1").arg(i);
        EXPECT_EQ(raw.value(key).toString(), QString::fromUtf8(texts[i])) << texts[i];
        EXPECT_EQ(reg.readText(RegKey::Program, "t" + std::to_string(i)), sjis::fromUtf8(texts[i]));
    }
}

// A full disk: the store keeps the file and the value it had, and the user hears of it
// once while the store keeps failing.
TEST_F(QtRegistryTest, AFullDiskKeepsTheSettingsFileAndIsReported) {
    {
        QtRegistry reg;
        ASSERT_TRUE(reg.writeText(RegKey::Program, "theSchool", J("ＣＡＩ中学校")));
        ASSERT_TRUE(reg.writeInt(RegKey::Program, "PaperSize", 630));
    }
    const QString file = tmp.path() + QStringLiteral("/Velmix++/VelmixEQ.conf");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray before = f.readAll();
    f.close();

    QtRegistry reg;
    ScriptedPrompter prompter;
    Settings settings(reg, prompter);
    {
        FullDisk full(16);
        const WriteResult r = reg.writeText(RegKey::Program, "theSchool", J("山田塾"));
        EXPECT_EQ(r.status, WriteResult::Status::Failed);
        EXPECT_NE(r.reason.find(file.toStdString()), std::string::npos) << r.reason;
        settings.setSchool(J("山田塾"));
        settings.setKeyLock(true);
    }
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_EQ(reg.readText(RegKey::Program, "theSchool"), J("ＣＡＩ中学校"));
    EXPECT_EQ(QtRegistry().readInt(RegKey::Program, "PaperSize"), 630);
    EXPECT_FALSE(QtRegistry().has(RegKey::Program, "KeyLock"));
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.utf8()[0].rfind("設定を保存できませんでした: ", 0), 0u)
        << prompter.utf8()[0];
    EXPECT_EQ(QDir(tmp.path() + QStringLiteral("/Velmix++")).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("VelmixEQ.conf")});

    // Written again once there is room, and a later failure is told again.
    settings.setSchool(J("山田塾"));
    EXPECT_EQ(QtRegistry().readText(RegKey::Program, "theSchool"), J("山田塾"));
    {
        FullDisk full(16);
        settings.setKeyLock(false);
    }
    EXPECT_EQ(prompter.messages.size(), 2u);
}

// Two copies of the program: each write changes its one value in the file as it stands,
// so neither loses what the other stored.
TEST_F(QtRegistryTest, AWriteKeepsWhatAnotherCopyStored) {
    QtRegistry first;
    QtRegistry second;
    ASSERT_TRUE(first.writeText(RegKey::Program, "theSchool", J("西中学校")));
    ASSERT_TRUE(second.writeBool(RegKey::Program, "KeyLock", true));
    QtRegistry fresh;
    EXPECT_EQ(fresh.readText(RegKey::Program, "theSchool"), J("西中学校"));
    EXPECT_EQ(fresh.readBool(RegKey::Program, "KeyLock"), true);
}

} // namespace
