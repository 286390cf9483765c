// The settings store in a private settings folder: typed round trips through the file,
// case-insensitive names, the two keys, and the first run through Settings.
#include <gtest/gtest.h>

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "Fakes.h"
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

} // namespace
