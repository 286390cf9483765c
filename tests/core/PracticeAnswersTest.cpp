#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>

#include "keys/SeededRandom.h"
#include "practice/AcceptedAnswers.h"
#include "practice/AnswerKeys.h"
#include "text/Sjis.h"

namespace {

std::string S(const std::string& utf8) {
    return sjis::fromUtf8(utf8);
}

PickIndex seeded(std::uint64_t seed) {
    auto rng = std::make_shared<keys::SeededRandom>(seed);
    return [rng](int count) { return static_cast<int>(rng->between(0, count - 1)); };
}

TEST(PracticeAnswers, TypedAnswersAgainstStoredAnswers) {
    std::string wide;
    for (int i = 0; i < 1000; ++i)
        wide += S("３");
    struct Case {
        std::string stored, typed;
        bool accepted;
    } cases[] = {
        {"x=3", S("  x=3　"), true}, // ASCII blanks, then full-width spaces
        {"x=3", "x = 3", false},     // inner blanks stay
        {" 7", "7", true},           // the course stores answers after "# "
        {"3", S("３"), false},       // full-width is another character
        {"3/4", S("３／４"), false}, {S("３／４"), S("３／４"), true},
        {"-3/4", S("－3/4"), false}, {"-3/4", S("−3/4"), false},
        {"1/2;0.5", " 0.5 ", true},  {"1/2;0.5", "2/4", false},    // no arithmetic
        {"3;", "", false},                                         // an empty piece accepts nothing
        {S("3;　"), S("　"), false}, {"x=3", "\r\nx=3\r\n", true}, // pasted line breaks at the ends
        {"x=3", "x=\r\n3", false},   {"3", "3" + std::string(999, ' '), true},
        {"3", wide, false},          {wide, wide + S("　"), true},
        {S("ａ@"), S("ａ"), false}, // "ａ@" ends in the bytes of "　"
    };
    for (const Case& c : cases) {
        const AcceptedAnswers answers(c.stored);
        EXPECT_EQ(answers.accepts(CleanTypedAnswer(c.typed)), c.accepted)
            << sjis::toUtf8(c.stored) << " / " << sjis::toUtf8(c.typed);
    }
    EXPECT_TRUE(AcceptedAnswers(S(" ; 　;")).empty());

    struct Kept {
        std::string typed, kept;
    } kept[] = {
        {"  x=3 \r\n", "x=3"}, {"x=\r\n3", "x= 3"},      {"a\tb", "a b"},
        {S("表\n"), S("表")},  {S("　x　"), S("　x　")}, {"\r\n", ""},
    };
    for (const Kept& k : kept)
        EXPECT_EQ(CleanTypedAnswer(k.typed), k.kept) << sjis::toUtf8(k.typed);
}

TEST(PracticeAnswers, FractionKeypadReadsTheDenominatorFirst) {
    // Keys: digits, B = 分の, + and -, I = <==; then 次へ on the field.
    struct Case {
        const char* field;
        const char* keys;
        const char* text;
        bool enter;
    } cases[] = {
        {"", "4B3I", "3/4", true},    {"", "-7B5I", "-5/7", true}, {"x=", "2B1I", "x=1/2", true},
        {"", "B34I", "34/", true},    {"", "-I", "-/", true},      {"", "+-4B3", "-3/4", true},
        {"x=", "4B3", "x=3/4", true}, {"", "", "", false},         {"5", "I", "5", true},
    };
    for (const Case& c : cases) {
        FractionPad pad;
        std::string field = c.field;
        for (const char* k = c.keys; *k; ++k) {
            if (*k == 'B')
                PadBunno(pad);
            else if (*k == '+' || *k == '-')
                PadSign(pad, *k);
            else if (*k == 'I')
                field = PadInsert(pad, field);
            else
                PadDigit(pad, *k);
        }
        const PadNext next = PadNextKey(pad, field);
        EXPECT_EQ(next.text, c.text) << c.keys;
        EXPECT_EQ(next.enter, c.enter) << c.keys;
        EXPECT_FALSE(pad.pending());
        EXPECT_TRUE(pad.denominatorFirst);
    }
}

TEST(PracticeAnswers, SoftKeyboardChoicesAndBackSpace) {
    // Characters in order, single-byte ones too; blanks and a broken last byte left out.
    const Lines keys = SoftKeyCaptions({S("移項解"), S("a　b"), S("定") + "\x83"}, nullptr);
    ASSERT_EQ(keys.size(), static_cast<std::size_t>(SoftKeyCount));
    EXPECT_EQ(Lines(keys.begin(), keys.begin() + 7),
              (Lines{S("移"), S("項"), S("解"), "a", "b", S("定"), ""}));
    std::string many;
    for (int i = 0; i < 130; ++i)
        many += S(i < 120 ? "あ" : "ん");
    const Lines full = SoftKeyCaptions({many}, seeded(7));
    EXPECT_EQ(std::count(full.begin(), full.end(), S("あ")), 120);

    // Shuffled keys and choices: the same items, the same order for the same seed.
    const Lines line{S("一二三四五六七八九十")};
    const Lines shuffled = SoftKeyCaptions(line, seeded(11));
    EXPECT_EQ(shuffled, SoftKeyCaptions(line, seeded(11)));
    const Lines inOrder = SoftKeyCaptions(line, nullptr);
    EXPECT_NE(shuffled, inOrder);
    EXPECT_EQ(std::multiset<std::string>(shuffled.begin(), shuffled.end()),
              std::multiset<std::string>(inOrder.begin(), inOrder.end()));
    const Lines kgroup{" 7", "", "7", "-5", S("　"), "3/4\r"};
    EXPECT_EQ(AnswerChoices(kgroup, nullptr), (Lines{"7", "-5", "3/4"}));
    const Lines choices = AnswerChoices(kgroup, seeded(3));
    EXPECT_EQ(std::set<std::string>(choices.begin(), choices.end()),
              (std::set<std::string>{"7", "-5", "3/4"}));

    EXPECT_EQ(BackSpace(S("３４")), S("３"));
    EXPECT_EQ(BackSpace(S("x表")), "x"); // "表" ends in the byte of "\"
    EXPECT_EQ(BackSpace(""), "");
}

} // namespace
