// Learner names become file names: the ones that cannot are refused with the reason.
#include <gtest/gtest.h>

#include "CourseFixture.h"
#include "learners/LearnerNames.h"

namespace {

TEST(LearnerNames, NamesThatCannotNameAFileAreRefusedWithTheReason) {
    struct Case {
        std::string name;   // UTF-8
        const char* reason; // part of the message; nullptr when accepted
    } cases[] = {
        {"taro", nullptr},
        {"山田　太郎", nullptr},
        {"　 taro \t　", nullptr}, // blanks around are cut
        {"公開", nullptr},
        {"a.b", nullptr},
        {"", "空"},
        {" 　 \t", "空"},
        {"a\\b", "「＼」や「／」"},
        {"../x", "「＼」や「／」"},
        {".", "「.」や「..」"},
        {"..", "「.」や「..」"},
        {"a\x01"
         "b",
         "制御文字"},
        {"a\x7f", "制御文字"},
        {"a:b", "ファイル名に使えない文字"},
        {"who?", "ファイル名に使えない文字"},
        {"a*b", "ファイル名に使えない文字"},
        {"a|b", "ファイル名に使えない文字"},
        {"\"q\"", "ファイル名に使えない文字"},
        {"CON", "ファイル名にできません"},
        {"com1", "ファイル名にできません"},
        {"nul.txt", "ファイル名にできません"},
        {"console", nullptr},
        {std::string(64, 'a'), nullptr},
        {std::string(65, 'a'), "長すぎます"},
    };
    for (const Case& c : cases) {
        const std::string problem = U(LearnerNameProblem(TypedFromUtf8(c.name)));
        if (!c.reason) {
            EXPECT_EQ(problem, "") << c.name;
            continue;
        }
        EXPECT_NE(problem.find("この名前は使えません"), std::string::npos) << c.name;
        EXPECT_NE(problem.find(c.reason), std::string::npos) << c.name << ": " << problem;
    }
}

TEST(LearnerNames, CharactersWithoutAShiftJisFormAreRefusedNotTurnedIntoQuestionMarks) {
    for (const char* name : {"😀taro", "café", "한글"}) {
        const TypedText typed = TypedFromUtf8(name);
        EXPECT_FALSE(typed.exact) << name;
        EXPECT_NE(U(LearnerNameProblem(typed)).find("シフトJIS"), std::string::npos) << name;
    }
    // Bytes that are no Shift-JIS character, as a damaged roster may hold them.
    for (std::string bytes : {std::string("a\x80"), std::string("\xFDx"), std::string("\x88")})
        EXPECT_NE(LearnerNameProblem(bytes), "") << bytes;
}

TEST(LearnerNames, StoredLogOnNameThatBreaksTheRulesFallsBackToTheSharedLearner) {
    struct Case {
        const char* stored;
        const char* used;
    } cases[] = {{"taro", "taro"},      {" 　hanako　", "hanako"}, {"", "共通"},
                 {"..\\..\\x", "共通"}, {"a/b", "共通"},           {"共通", "共通"}};
    for (const auto& c : cases)
        EXPECT_EQ(U(UsableLogOnName(S(c.stored))), c.used) << c.stored;
}

} // namespace
