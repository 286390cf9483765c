// Logging on: the roster, the refused names, the password asked for, LogOnName.
#include <gtest/gtest.h>

#include "CourseFixture.h"
#include "shell/LogOnSteps.h"
#include "shell/Settings.h"
#include "text/Profile.h"

namespace {

struct LogOn : ::testing::Test, CourseFixture {
    Settings settings{fp.registry, fp.prompter};
    LogOnState state;
    const std::string roster = std::string(Master) + "LogOn\\sname.txt";
    LogOn() {
        p.course.lessonFolder[1] = "Eq1\\";
        p.course.lessonBase[1] = "eq1";
        p.course.currentLesson = 1;
        put("Eq1\\eq1.ind", "title\n");
        p.shell.logOnFolder = "C:\\data\\Velmix\\LogOn\\";
    }
    LogOnStep start(const std::string& nameUtf8) {
        return StartLogOn(p, settings, state, TypedFromUtf8(nameUtf8));
    }
    std::string stored() { return U(*fp.registry.readText(RegKey::Program, "LogOnName")); }
};

TEST_F(LogOn, ANewLearnerJoinsTheRosterAndSetsAPassword) {
    OpenLogOn(p, state);
    EXPECT_TRUE(fp.files.dirExists(std::string(Master) + "LogOn\\"));
    EXPECT_EQ(U(fp.files.get(roster)), "公開\r\n");
    ASSERT_EQ(start("　taro "), LogOnStep::AskPassword);
    EXPECT_EQ(U(fp.files.get(roster)), "公開\r\ntaro\r\n");
    EXPECT_TRUE(state.password.isNew());
    EXPECT_EQ(state.password.learnerFile, "C:\\course\\Eq1\\taro.ini");
    EXPECT_EQ(U(PasswordGreeting(state.password)), "ようこそtaroさん");
    EXPECT_EQ(U(PasswordRequest(state.password)), "新規パスワードを設定してください");
    EXPECT_EQ(U(p.session.learnerName), "共通"); // not before the password is accepted

    ASSERT_TRUE(ConfirmPassword(fp.files, state.password, TypedFromUtf8("mypass"),
                                TypedFromUtf8("mypass"))
                    .accepted);
    CompleteLogOn(p, settings, state);
    EXPECT_EQ(p.session.learnerName, "taro");
    EXPECT_EQ(stored(), "taro");
    const std::string pw = Profile(fp.files, "C:\\course\\Eq1\\taro.ini").readString("password", "pw", "");
    EXPECT_TRUE(IsPasswordHash(pw));
    EXPECT_EQ(pw.find("mypass"), std::string::npos);

    // The next time the password is asked for.
    OpenLogOn(p, state);
    ASSERT_EQ(start("taro"), LogOnStep::AskPassword);
    EXPECT_FALSE(state.password.isNew());
    EXPECT_EQ(U(PasswordRequest(state.password)), "パスワードを入力してください");
    EXPECT_EQ(U(fp.files.get(roster)), "公開\r\ntaro\r\n");
}

TEST_F(LogOn, RefusedNamesWriteNothingRosterIncluded) {
    OpenLogOn(p, state);
    const std::string before = fp.files.get(roster);
    const std::size_t filesBefore = fp.files.files.size();
    for (const char* name : {" 　 ", "..", "a\\b", "x/y", "a:b", "😀", "con"}) {
        fp.prompter.messages.clear();
        EXPECT_EQ(start(name), LogOnStep::Stay) << name;
        ASSERT_EQ(fp.prompter.messages.size(), 1u) << name;
        EXPECT_NE(U(fp.prompter.messages[0]).find("この名前は使えません"), std::string::npos);
        EXPECT_EQ(fp.files.get(roster), before) << name;
        EXPECT_EQ(fp.files.files.size(), filesBefore) << name;
        EXPECT_FALSE(AddLearnerToRoster(p, state, TypedFromUtf8(name))) << name;
        EXPECT_EQ(U(state.roster.names), std::vector<std::string>{"公開"}) << name;
    }
    EXPECT_EQ(U(p.session.learnerName), "共通");
}

TEST_F(LogOn, TheSharedLearnerNeedsNoPasswordAndAnEmptyNameCancels) {
    p.session.learnerName = "taro";
    OpenLogOn(p, state);
    EXPECT_EQ(start(""), LogOnStep::Cancelled);
    EXPECT_EQ(p.session.learnerName, "taro");
    ASSERT_EQ(start("共通"), LogOnStep::LoggedOn);
    EXPECT_EQ(U(p.session.learnerName), "共通");
    EXPECT_EQ(stored(), "共通");
    EXPECT_EQ(U(fp.files.get(roster)), "公開\r\n共通\r\n");
}

TEST_F(LogOn, ALearnerFileThatCannotBeReadRefusesTheLogOn) {
    put("Eq1\\jiro.ini", "[password]\npw=?\n");
    fp.files.unreadable.insert(sjis::asciiLower("C:\\course\\Eq1\\jiro.ini"));
    OpenLogOn(p, state);
    EXPECT_EQ(start("jiro"), LogOnStep::Stay);
    EXPECT_EQ(messages(), std::vector<std::string>{"ファイル C:\\course\\Eq1\\jiro.ini が読み込めません"});
}

TEST_F(LogOn, ARosterThatCannotBeWrittenIsSaidAndTheDialogStays) {
    OpenLogOn(p, state);
    fp.files.failWrites = true;
    EXPECT_EQ(start("taro"), LogOnStep::Stay);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], "C:\\course\\LogOn\\sname.txt に書き込めません: No space left on device");
    EXPECT_EQ(U(fp.files.get(roster)), "公開\r\n");
}

} // namespace
