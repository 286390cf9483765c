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

TEST_F(LogOn, ADamagedPasswordEntryIsSaidWithWhatTheTeacherCanDo) {
    put("Eq1\\hanako.ini", "[password]\npw=$argon2id$v=19$m=1048576,t=3,p=1$c2FsdHNhbHRzYWx0c2Fs$"
                           "aGFzaGhhc2hoYXNoaGFzaGhhc2hoYXNoaGFzaGhhc2g\n");
    OpenLogOn(p, state);
    EXPECT_EQ(start("hanako"), LogOnStep::Stay); // no password dialog that could never accept
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], "パスワードの記録が壊れているため、ログオンできません。\r\n"
                             "先生に伝えてください。\r\n"
                             "（先生へ：学習者のファイル C:\\course\\Eq1\\hanako.ini の [password] "
                             "の pw= の行を消すと、次のログオンで新しいパスワードを設定できます。"
                             "練習の記録はそのまま残ります。）");
    EXPECT_EQ(U(p.session.learnerName), "共通");
}

// Names that differ only in case or width name one file where case is ignored (and one
// learner to the eye): a new one of them is refused before anything is written.
TEST_F(LogOn, NamesDifferingOnlyInCaseOrWidthFromARosterNameAreRefused) {
    putLines("LogOn\\sname.txt", {"公開", "taro", "タロウ", "ガッコウ", "Ωmega"});
    OpenLogOn(p, state);
    const std::string before = fp.files.get(roster);
    struct Case {
        const char* typed;
        const char* like;
    } cases[] = {
        {"TARO", "taro"},    {"Taro", "taro"},       {"ｔａｒｏ", "taro"},
        {"ＴＡＲＯ", "taro"}, {"ﾀﾛｳ", "タロウ"},     {"ｶﾞｯｺｳ", "ガッコウ"},
        {"ωMEGA", "Ωmega"},
    };
    for (const Case& c : cases) {
        fp.prompter.messages.clear();
        EXPECT_EQ(start(c.typed), LogOnStep::Stay) << c.typed;
        ASSERT_EQ(messages().size(), 1u) << c.typed;
        EXPECT_EQ(messages()[0], std::string("この名前は使えません。\r\n名簿の「") + c.like +
                                     "」と、大文字・小文字や全角・半角だけが違います。\r\n"
                                     "自分の名前なら、名簿から選んでください。")
            << c.typed;
        EXPECT_FALSE(AddLearnerToRoster(p, state, TypedFromUtf8(c.typed))) << c.typed;
        EXPECT_EQ(fp.files.get(roster), before) << c.typed;
        EXPECT_FALSE(fp.files.fileExists("C:\\course\\Eq1\\" + S(c.typed) + ".ini"));
    }
    // The roster's own spelling, and names that really differ, log on as before.
    fp.prompter.messages.clear();
    EXPECT_EQ(start("taro"), LogOnStep::AskPassword);
    EXPECT_EQ(start("taro2"), LogOnStep::AskPassword);
    EXPECT_EQ(start("タロ"), LogOnStep::AskPassword);
    EXPECT_TRUE(messages().empty());
}

// A learner file whose owner is missing from the roster still keeps its name: "TARO"
// would open taro.ini where case is ignored.
TEST_F(LogOn, ALearnerFileOfTheSameNameInAnotherCaseRefusesTheNewName) {
    put("Eq1\\taro.ini", "[password]\npw=abcd\n");
    OpenLogOn(p, state);
    EXPECT_EQ(start("TARO"), LogOnStep::Stay);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].find("「taro」と、大文字・小文字や全角・半角だけが違います"),
              std::string::npos)
        << messages()[0];
    EXPECT_EQ(U(p.session.learnerName), "共通");
    fp.prompter.messages.clear();
    EXPECT_EQ(start("taro"), LogOnStep::AskPassword);
    EXPECT_TRUE(messages().empty());
}

} // namespace
