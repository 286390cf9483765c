#include <cstring>
#include <gtest/gtest.h>

#include "text/Lines.h"
#include "text/Sjis.h"

TEST(Sjis, FindSkipsTrailBytesThatLookLikeBackslash) {
    // "表" is 0x95 0x5C: its trail byte is not a backslash.
    std::string s = sjis::fromUtf8("表\\x");
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(sjis::find(s, '\\'), 2u);
    EXPECT_EQ(sjis::rfind(sjis::fromUtf8("ソ\\表"), '\\'), 2u);
    EXPECT_EQ(sjis::find(sjis::fromUtf8("表"), '\\'), std::string::npos);
    // A lead byte at the very end is one character of its own.
    EXPECT_EQ(sjis::find(std::string("a\x95"), '\x95'), 1u);
}

// A search from a known character boundary finds what the search from the start finds,
// so a caller walking a long line from mark to mark stays linear.
TEST(Sjis, SearchFromABoundaryAgreesWithTheSearchFromTheStart) {
    const std::string s = sjis::fromUtf8("a@表@ソ@@x") + "\x81";
    for (std::size_t from = 0; from <= s.size();
         from += sjis::charLen(s, std::min(from, s.size() - 1)))
        EXPECT_EQ(sjis::findFromBoundary(s, '@', from), sjis::find(s, '@', from)) << from;
    EXPECT_EQ(sjis::findFromBoundary(s, '\\', 0), std::string::npos);
}

TEST(Sjis, WholeCharactersAndLoneLeadBytes) {
    struct Case {
        std::string text;
        bool wellFormed, endsInLoneLead;
    } cases[] = {
        {"", true, false},
        {"abc", true, false},
        {sjis::fromUtf8("表ソ"), true, false},
        {"a\x81\x5d", true, false}, // second byte "]" is a valid second half
        {"a\x81", false, true},
        {sjis::fromUtf8("表") + "\xe0", false, true},
        {"\x81\x81", true, false}, // lead + lead is one character
        {"\x81/x", false, false},  // a "/" is no second half
        {"\x81 ", false, false},
        {"\x81\x7f", false, false},
        {"\x81\xfd", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sjis::wellFormed(c.text), c.wellFormed) << sjis::toUtf8(c.text);
        EXPECT_EQ(sjis::endsInLoneLead(c.text), c.endsInLoneLead) << sjis::toUtf8(c.text);
    }
}

TEST(Sjis, RoundTripsCp932Characters) {
    for (const char* text : {"～－①㈱髙", "ファイル が見つかりません", "x＝3", "abc"}) {
        std::string s = sjis::fromUtf8(text);
        EXPECT_EQ(sjis::toUtf8(s), text);
        EXPECT_TRUE(sjis::representable(text));
    }
    EXPECT_EQ(sjis::fromUtf8("①").size(), 2u);
    EXPECT_FALSE(sjis::representable("😀"));
    EXPECT_EQ(sjis::fromUtf8("a😀b"), "a?b");
    // Broken Shift-JIS never stops the conversion.
    EXPECT_EQ(sjis::toUtf8(std::string("a\x81")), "a\xEF\xBF\xBD");
}

TEST(Sjis, LiteralsAreConvertedOnce) {
    const std::string& a = J("すでに読み込まれています");
    EXPECT_EQ(&a, &J("すでに読み込まれています"));
    EXPECT_EQ(sjis::toUtf8(a), "すでに読み込まれています");
}

TEST(Lines, AnyLineEndEndsALine) {
    EXPECT_EQ(lines::split("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(lines::split("a\r\n\r\nb\r\n"), (Lines{"a", "", "b"}));
    EXPECT_EQ(lines::split(""), Lines{});
    EXPECT_EQ(lines::split("\n"), Lines{""});
    EXPECT_EQ(lines::join({"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(lines::split(lines::join({"x", "y"})), (Lines{"x", "y"}));
}

// The splitter scans many bytes at once: line ends anywhere in or across those stretches,
// a CR LF split between two of them, lines long and short, and a last line with or without
// its end all cut as one line end each.
TEST(Lines, LineEndsAtEveryPlaceOfALongText) {
    for (const char* end : {"\r\n", "\r", "\n"}) {
        for (std::size_t first = 0; first < 40; ++first) {
            const Lines want = {std::string(first, 'a'), "", std::string(17, '\x95'),
                                std::string(first % 7, 'b'), std::string(33, 'c')};
            std::string text;
            for (const std::string& line : want)
                text += line + end;
            for (bool lastEnd : {true, false}) {
                const std::string bytes =
                    lastEnd ? text : text.substr(0, text.size() - std::strlen(end));
                const LineViews views = lines::splitViews(bytes);
                EXPECT_EQ(Lines(views.begin(), views.end()), want)
                    << "first line " << first << ", end "
                    << (end[0] == '\n' ? "LF"
                        : end[1]       ? "CRLF"
                                       : "CR");
                EXPECT_EQ(lines::split(bytes), want);
            }
        }
    }
    // A CR and an LF of different line ends stay two ends, wherever they fall.
    for (std::size_t at = 0; at < 36; ++at) {
        const std::string bytes = std::string(at, 'x') + "\n\r" + std::string(20, 'y');
        EXPECT_EQ(lines::split(bytes), (Lines{std::string(at, 'x'), "", std::string(20, 'y')}));
    }
    // A CR before a CR LF is a line end of its own, wherever the pair falls.
    for (std::size_t at = 0; at < 36; ++at) {
        const std::string bytes = std::string(at, 'x') + "\r\r\n" + std::string(20, 'y');
        EXPECT_EQ(lines::split(bytes), (Lines{std::string(at, 'x'), "", std::string(20, 'y')}));
    }
    // The list given to fill is emptied first.
    LineViews reused = {"old"};
    lines::splitViews("p\r\nq", reused);
    EXPECT_EQ(reused, (LineViews{"p", "q"}));
}
