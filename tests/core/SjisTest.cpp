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
