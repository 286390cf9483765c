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
    std::string thousandWide;
    for (int i = 0; i < 1000; ++i)
        thousandWide += S("３");
    struct Case {
        std::string stored, typed;
        bool accepted;
    } cases[] = {
        // Blanks at the ends go, ASCII first, then full-width spaces; inner blanks stay.
        {"x=3", S("  x=3　"), true},
        {"x=3", "x = 3", false},
        {" 7", "7", true}, // the course stores answers after "# "
        {S("７"), S("　７　"), true},
        // Half-width and full-width characters are different answers.
        {"3", S("３"), false},
        {"3/4", S("３／４"), false},
        {S("３／４"), S("３／４"), true},
        {"-3/4", "-3/4", true},
        {"-3/4", S("－3/4"), false},
        {"-3/4", S("−3/4"), false},
        // Several accepted answers; no arithmetic.
        {"1/2;0.5", "1/2", true},
        {"1/2;0.5", " 0.5 ", true},
        {"1/2;0.5", "2/4", false},
        {"x=3", "3", false},
        // An empty piece accepts nothing: an empty field is never right.
        {"3;", "", false},
        {"3;;", "  ", false},
        {S("3;　"), S("　"), false},
        {"", "", false},
        // Pasted line breaks at the ends are trimmed; inside they part the answer.
        {"x=3", "x=3\r\n", true},
        {"x=3", "\r\nx=3\n", true},
        {"x=3", "x=\r\n3", false},
        // Long answers.
        {"3", "3" + std::string(999, ' '), true},
        {"3", thousandWide, false},
        {thousandWide, thousandWide + S("　"), true},
        // "ａ@" ends in the bytes of "　" but is no full-width space.
        {S("ａ@"), S("ａ@"), true},
        {S("ａ@"), S("ａ"), false},
    };
    for (const Case& c : cases) {
        const AcceptedAnswers answers(c.stored);
        EXPECT_EQ(answers.accepts(CleanTypedAnswer(c.typed)), c.accepted)
            << sjis::toUtf8(c.stored) << " / " << sjis::toUtf8(c.typed);
        EXPECT_EQ(answers.accepts(c.typed), c.accepted) << "uncleaned " << sjis::toUtf8(c.typed);
    }
    EXPECT_TRUE(AcceptedAnswers("").empty());
    EXPECT_TRUE(AcceptedAnswers(S(" ; 　;")).empty());
    EXPECT_FALSE(AcceptedAnswers(";3").empty());
}

TEST(PracticeAnswers, FieldTextAfterEnter) {
    struct Case {
        std::string typed, kept;
    } cases[] = {
        {"  x=3 \r\n", "x=3"},
        {"x=\r\n3", "x= 3"}, // one blank for CR LF
        {"x=\n\n3", "x=  3"},
        {"a\tb", "a b"},
        {S("表\n"), S("表")}, // 0x95 0x5C: the trail byte is no control character
        {"\r\n", ""},
        {S("　x　"), S("　x　")}, // full-width spaces are left for the comparison
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CleanTypedAnswer(c.typed), c.kept) << sjis::toUtf8(c.typed);
}

// Key sequences on the fraction keypad: digits, B = 分の, + and -, I = <==.
std::string press(FractionPad& pad, std::string field, const std::string& keys) {
    for (char k : keys) {
        if (k >= '0' && k <= '9')
            PadDigit(pad, k);
        else if (k == 'B')
            PadBunno(pad);
        else if (k == '+' || k == '-')
            PadSign(pad, k);
        else if (k == 'I')
            field = PadInsert(pad, field);
    }
    return field;
}

TEST(PracticeAnswers, FractionKeypadReadsTheDenominatorFirst) {
    struct Case {
        const char* field;
        const char* keys;
        const char* result;
    } cases[] = {
        {"", "4B3I", "3/4"},   {"", "-7B5I", "-5/7"},      {"x=", "2B1I", "x=1/2"},
        {"", "12B5I", "5/12"}, {"", "B34I", "34/"},        {"", "-I", "-/"},
        {"x=", "I", "x="},     {"", "4B3I2B1I", "3/41/2"}, {"", "+-4B3I", "-3/4"},
        {"", "4I", "/4"},
    };
    for (const Case& c : cases) {
        FractionPad pad;
        EXPECT_EQ(press(pad, c.field, c.keys), c.result) << c.keys;
        EXPECT_FALSE(pad.pending()) << c.keys;
        EXPECT_TRUE(pad.denominatorFirst) << c.keys;
    }
    FractionPad pad;
    press(pad, "", "4B");
    EXPECT_TRUE(pad.barMarked);
    PadClear(pad);
    EXPECT_FALSE(pad.barMarked);
    EXPECT_FALSE(pad.pending());
}

TEST(PracticeAnswers, KeypadNextEntersWhatItInserts) {
    struct Case {
        const char* field;
        const char* keys;
        const char* text;
        bool enter;
    } cases[] = {
        {"", "4B3", "3/4", true}, // a fraction on an empty field is entered at once
        {"", "", "", false},
        {"5", "", "5", true},
        {"x=", "4B3", "x=3/4", true},
    };
    for (const Case& c : cases) {
        FractionPad pad;
        press(pad, "", c.keys);
        const PadNext next = PadNextKey(pad, c.field);
        EXPECT_EQ(next.text, c.text) << c.keys;
        EXPECT_EQ(next.enter, c.enter) << c.keys;
        EXPECT_FALSE(pad.pending());
    }
}

TEST(PracticeAnswers, IntegerKeysSoftKeysAndBackSpace) {
    struct Case {
        std::string field, caption, result;
    } integer[] = {
        {"12", "3", "123"}, {"1", ".", "1."},  {"", "-", "-"},  {"5", "x=", "x="},
        {"", "y=", "y="},   {"5", "a=", "a="}, {"5", "+", "5"}, {"5", "10", "5"},
    };
    for (const Case& c : integer)
        EXPECT_EQ(IntegerKey(c.field, c.caption), c.result) << c.field << " " << c.caption;

    EXPECT_EQ(SoftKeyPress(S("移"), false, S("項")), S("移項"));
    EXPECT_EQ(SoftKeyPress(S("間違い"), true, S("解")), S("解"));

    struct Back {
        std::string field, result;
    } back[] = {
        {"x=3", "x="}, {S("３４"), S("３")}, {S("表"), ""}, {"", ""}, {S("x表"), "x"},
    };
    for (const Back& b : back)
        EXPECT_EQ(BackSpace(b.field), b.result) << sjis::toUtf8(b.field);
}

TEST(PracticeAnswers, SoftKeyboardCaptions) {
    // Characters in order, single-byte ones too; blanks and a broken last byte left out.
    const Lines keys = SoftKeyCaptions({S("移項解"), S("a　b x"), S("定") + "\x83"}, nullptr);
    ASSERT_EQ(keys.size(), static_cast<std::size_t>(SoftKeyCount));
    const Lines expected{S("移"), S("項"), S("解"), "a", "b", "x", S("定")};
    EXPECT_EQ(Lines(keys.begin(), keys.begin() + 7), expected);
    for (std::size_t i = 7; i < keys.size(); ++i)
        EXPECT_EQ(keys[i], "") << i;

    // More characters than keys: the first 120 are used.
    std::string many;
    for (int i = 0; i < 130; ++i)
        many += S(i < 120 ? "あ" : "ん");
    const Lines full = SoftKeyCaptions({many}, seeded(7));
    EXPECT_EQ(std::count(full.begin(), full.end(), S("あ")), 120);

    // Shuffled: the same keys in another order, the same order for the same seed.
    const Lines lines{S("一二三四五六七八九十")};
    const Lines a = SoftKeyCaptions(lines, seeded(11));
    EXPECT_EQ(a, SoftKeyCaptions(lines, seeded(11)));
    const Lines plain = SoftKeyCaptions(lines, nullptr);
    EXPECT_NE(a, plain);
    EXPECT_EQ(std::multiset<std::string>(a.begin(), a.end()),
              std::multiset<std::string>(plain.begin(), plain.end()));
}

TEST(PracticeAnswers, AnswerChoiceList) {
    const Lines kgroup{" 7", "", "7", "-5", "  ", S("　"), "3/4\r", S("移項")};
    const Lines plain = AnswerChoices(kgroup, nullptr);
    EXPECT_EQ(plain, (Lines{"7", "-5", "3/4", S("移項")}));
    const Lines shuffled = AnswerChoices(kgroup, seeded(3));
    EXPECT_EQ(shuffled, AnswerChoices(kgroup, seeded(3)));
    EXPECT_EQ(std::set<std::string>(shuffled.begin(), shuffled.end()),
              std::set<std::string>(plain.begin(), plain.end()));
    EXPECT_TRUE(AnswerChoices({}, seeded(3)).empty());
}

} // namespace
