#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "CourseFixture.h"
#include "text/DateTexts.h"
#include "text/Shuffle.h"
#include "text/TextCuts.h"

TEST(TextCuts, TrimWideTrimsBlanksThenFullWidthSpaces) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"  　abc　 ", "abc"}, {"\t　　x　\r\n", "x"},
        {"　 x", " x"},  // a blank behind a full-width space stays
        {"x 　 ", "x "}, // the ASCII trim runs first, once
        {"　　", ""},          {"", ""},
        {"中　間", "中　間"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(U(TrimWide(S(c.in))), c.out) << c.in;
    std::string spaces;
    for (int i = 0; i < 300; ++i)
        spaces += S("　");
    EXPECT_TRUE(TrimWide("x" + spaces + S("表") + spaces) == "x" + spaces + S("表"));
    // "ａ@" ends in the bytes 0x81 0x40 of "　", but they belong to "ａ" and "@".
    std::string tricky = S("ａ@");
    ASSERT_EQ(tricky.substr(1), "\x81\x40");
    EXPECT_EQ(TrimWide(tricky), tricky);
}

TEST(TextCuts, PadToWidthPadsToTheReferenceLength) {
    EXPECT_EQ(PadToWidth("3", "12345"), " 3   ");
    EXPECT_EQ(PadToWidth("ab", "abc"), " ab");
    EXPECT_EQ(PadToWidth("abc", "ab"), "abc");
    EXPECT_EQ(PadToWidth("abc", "abc"), "abc");
    EXPECT_EQ(PadToWidth("", "abc"), "   ");
    // An empty text gives twelve blanks at most; a text gets one blank in front.
    EXPECT_EQ(PadToWidth("", std::string(15, 'x')), std::string(12, ' '));
    EXPECT_EQ(PadToWidth("x", std::string(20, 'y')), " x" + std::string(12, ' '));
    // Lengths count bytes: a full-width answer is two per character.
    EXPECT_EQ(PadToWidth(S("３"), S("x＝３")), " " + S("３") + "  ");
}

TEST(TextCuts, SplitAtHashAndSemicolon) {
    Lines l{"stale"};
    EXPECT_EQ(SplitAtHash("", l), 0);
    EXPECT_TRUE(l.empty());
    EXPECT_EQ(SplitAtHash("abc", l), 0);
    EXPECT_EQ(l, Lines{"abc"});
    EXPECT_EQ(SplitAtHash("x=#3#", l), 2);
    EXPECT_EQ(l, (Lines{"x=", "3", ""}));
    EXPECT_EQ(SplitAtHash("#", l), 1);
    EXPECT_EQ(l, (Lines{"", ""}));
    EXPECT_EQ(SplitAtHash("a#b#c#d#e", l), 4);
    EXPECT_EQ(l, (Lines{"a", "b", "c", "d", "e"}));

    EXPECT_EQ(SplitAtSemicolon("", l), 1);
    EXPECT_EQ(l, Lines{""});
    EXPECT_EQ(SplitAtSemicolon("3;x=3", l), 2);
    EXPECT_EQ(l, (Lines{"3", "x=3"}));
    EXPECT_EQ(SplitAtSemicolon(";", l), 2);
    EXPECT_EQ(l, (Lines{"", ""}));
}

TEST(TextCuts, ExtensionOfIsWhatFollowsTheFileNamesLastDot) {
    struct Case {
        const char* name;
        const char* ext;
    } cases[] = {
        {"a.prp", ".prp"},           {"A.PRP", ".prp"},
        {"a.Prp", ".prp"},           {"a", ""},
        {"a.txt", ".txt"},           {"a.pr", ".pr"},
        {"a.prpx", ".prpx"},         {"unit-1.1.1.prp", ".prp"},
        {"test.v2.prp", ".prp"},     {"2026.12.07.PRP", ".prp"},
        {"x.prp.que", ".que"},       {"a.", "."},
        {"C:\\my.folder\\file", ""}, {"C:\\my.folder\\file.PRP", ".prp"},
        {"/home/u/v1.2/x", ""},      {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtensionOf(c.name), c.ext) << c.name;
    // "表" ends in 0x5C: it is not a folder separator.
    EXPECT_EQ(ExtensionOf(S("dir\\x.y表")), "."
                                            "y" +
                                                S("表"));
}

TEST(TextCuts, AfterLastCharAndSmallTexts) {
    EXPECT_EQ(AfterLastChar('\\', "C:\\a\\b.txt"), "b.txt");
    EXPECT_EQ(AfterLastChar('\\', "plain"), "plain");
    EXPECT_EQ(AfterLastChar('\\', "end\\"), "");
    EXPECT_EQ(U(AfterLastChar('\\', S("C:\\表"))), "表");
    EXPECT_EQ(BoolText(true), "True");
    EXPECT_EQ(BoolText(false), "False");
    EXPECT_EQ(TwoDigits(0), "00");
    EXPECT_EQ(TwoDigits(9), "09");
    EXPECT_EQ(TwoDigits(10), "10");
    EXPECT_EQ(TwoDigits(2005), "2005");
}

TEST(DateTexts, DatesComeFromTheClock) {
    FixedClock clock;
    clock.time = {2005, 6, 22, 9, 5, 41};
    EXPECT_EQ(DateTextDots(clock), "2005.06.22");
    EXPECT_EQ(TimeText(clock.now()), "09:05");
    clock.time = {2026, 12, 31, 23, 59, 0};
    EXPECT_EQ(DateTextDots(clock), "2026.12.31");
    EXPECT_EQ(TimeText(clock.now()), "23:59");
}

TEST(Shuffle, ShuffleItemsSwapsWithInjectedPicks) {
    Lines l{"a", "b", "c"};
    std::vector<int> picks{2, 2, 0};
    std::size_t next = 0;
    ShuffleItems(l, [&](int count) {
        EXPECT_EQ(count, 3);
        return picks[next++];
    });
    EXPECT_EQ(next, 3u);
    EXPECT_EQ(l, (Lines{"b", "a", "c"}));
    Lines one{"x"};
    ShuffleItems(one, [](int) -> int {
        ADD_FAILURE() << "no pick for one item";
        return 0;
    });
    // A source out of range never indexes outside the list.
    ShuffleItems(l, [](int) { return 7; });
    EXPECT_EQ(l.size(), 3u);
}

// A shuffled run is the same for the same seed, and every item stays in the list once.
TEST(Shuffle, TheProgramsRandomSourceGivesReproduciblePermutations) {
    const Lines items{"a", "b", "c", "d", "e", "f", "g"};
    std::set<std::string> firsts;
    for (std::uint64_t seed = 1; seed <= 50; ++seed) {
        Lines once = items, again = items;
        SeededRandomSource r1(seed), r2(seed);
        ShuffleItems(once, r1);
        ShuffleItems(again, r2);
        EXPECT_EQ(once, again) << seed;
        Lines sorted = once;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, items) << seed;
        firsts.insert(once.front());
    }
    // Over many runs every item comes first some time.
    EXPECT_EQ(firsts.size(), items.size());
}
