// The settings store: defaults written back on first read, typed values, records drive.
#include <gtest/gtest.h>

#include "Fakes.h"
#include "shell/Settings.h"
#include "text/Sjis.h"

namespace {

struct SettingsTest : ::testing::Test {
    MemoryRegistry registry;
    ScriptedPrompter prompter;
    Settings settings{registry, prompter};
};

TEST_F(SettingsTest, FirstRunWritesEveryDefault) {
    EXPECT_EQ(settings.school(), "");
    EXPECT_TRUE(settings.showDoYouKnow());
    EXPECT_EQ(settings.paperSize(), 630);
    EXPECT_EQ(settings.logOnName(), J("共通"));
    EXPECT_FALSE(settings.keyLock());
    EXPECT_EQ(settings.recDrive(), "C:\\");

    EXPECT_EQ(registry.readText(RegKey::Program, "theSchool"), "");
    EXPECT_EQ(registry.readBool(RegKey::Program, "ShowDoYouKnow"), true);
    EXPECT_EQ(registry.readInt(RegKey::Program, "PaperSize"), 630);
    EXPECT_EQ(registry.readText(RegKey::Program, "LogOnName"), J("共通"));
    EXPECT_EQ(registry.readBool(RegKey::Program, "KeyLock"), false);
    EXPECT_EQ(registry.readText(RegKey::Shared, "RecDrive"), "C:\\");
    EXPECT_FALSE(registry.has(RegKey::Program, "RecDrive"));
    EXPECT_EQ(registry.values.size(), 6u);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(SettingsTest, StoredValuesWinOverDefaultsAndWritersStoreThem) {
    settings.setSchool(J("山田塾"));
    settings.setShowDoYouKnow(false);
    registry.writeInt(RegKey::Program, "PaperSize", 891); // the paper dialog stores it
    settings.setLogOnName(J("花子"));
    settings.setKeyLock(true);
    registry.writeBool(RegKey::Program, "PrintMode", false); // the print-mode dialog's
    Settings again(registry, prompter);
    EXPECT_EQ(again.school(), J("山田塾"));
    EXPECT_FALSE(again.showDoYouKnow());
    EXPECT_EQ(again.paperSize(), 891);
    EXPECT_EQ(again.logOnName(), J("花子"));
    EXPECT_TRUE(again.keyLock());
    EXPECT_FALSE(again.printMode());
}

TEST_F(SettingsTest, WrongTypeIsReportedOnceAndTheStoredValueKept) {
    registry.writeText(RegKey::Program, "PaperSize", "A4");
    registry.writeInt(RegKey::Program, "KeyLock", 1);
    registry.writeBool(RegKey::Program, "theSchool", true);
    registry.writeInt(RegKey::Shared, "RecDrive", 3);
    EXPECT_EQ(settings.paperSize(), 630);
    EXPECT_EQ(settings.paperSize(), 630);
    EXPECT_FALSE(settings.keyLock());
    EXPECT_EQ(settings.school(), "");
    EXPECT_EQ(settings.recordsDrive("/data\\"), "/data\\");
    ASSERT_EQ(prompter.messages.size(), 4u);
    EXPECT_NE(prompter.utf8()[0].find("PaperSize"), std::string::npos);
    EXPECT_NE(prompter.utf8()[3].find("SoftWare\\Velmix\\Common\\RecDrive"), std::string::npos);
    EXPECT_EQ(registry.readText(RegKey::Program, "PaperSize"), "A4");
}

TEST_F(SettingsTest, RecordsDriveMapsOnlyTheUntouchedDefault) {
    struct Case {
        const char* stored; // nullptr: not stored yet
        const char* expected;
    } cases[] = {
        {nullptr, "\\home\\u\\data\\"},
        {"C:\\", "\\home\\u\\data\\"},
        {"c:\\", "\\home\\u\\data\\"},
        {"", "\\home\\u\\data\\"},
        {"\\mnt\\rec\\", "\\mnt\\rec\\"},
        {"\\mnt\\rec", "\\mnt\\rec\\"},
        {"\\mnt\\表", "\\mnt\\表\\"},
        // other drive letters become folders inside the data folder
        {"D:\\", "\\home\\u\\data\\D\\"},
        {"e:\\rec", "\\home\\u\\data\\e\\rec\\"},
    };
    for (const auto& c : cases) {
        MemoryRegistry reg;
        Settings s(reg, prompter);
        if (c.stored) reg.writeText(RegKey::Shared, "RecDrive", J(c.stored));
        EXPECT_EQ(sjis::toUtf8(s.recordsDrive("\\home\\u\\data\\")), c.expected)
            << (c.stored ? c.stored : "(none)");
        // The stored value itself is never rewritten.
        EXPECT_EQ(reg.readText(RegKey::Shared, "RecDrive"), J(c.stored ? c.stored : "C:\\"));
    }
}

} // namespace
