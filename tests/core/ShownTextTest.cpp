// Text as the user reads it: paths with "/", and text from files that cannot act on a
// terminal.
#include <gtest/gtest.h>

#include "CourseFixture.h"
#include "text/CorePath.h"
#include "text/TerminalText.h"

namespace {

TEST(ShownText, PathsShowSlashesWhileDoubleByteCharactersStayWhole) {
    struct Case {
        std::string core;
        std::string shown;
    } cases[] = {
        {"C:\\course\\Eq1\\eq11.que", "C:/course/Eq1/eq11.que"},
        {"\\tmp\\x\\a.prp:" + S("拡張子が不正です"), "/tmp/x/a.prp:" + S("拡張子が不正です")},
        // "表" and "ソ" end in 0x5C: they are no separators.
        {S("\\home\\表\\ソフト.prp"), S("/home/表/ソフト.prp")},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(U(corepath::withSlashes(c.core)), U(c.shown)) << U(c.core);
}

TEST(ShownText, ControlCharactersFromFilesAreEscaped) {
    struct Case {
        std::string sjis;
        std::string printed; // UTF-8
    } cases[] = {
        {S("ファイル a") + "\x1b]0;title\x07" + ".bmp", "ファイル a\\x1b]0;title\\x07.bmp"},
        {"\x1b[31mred\x1b[0m", "\\x1b[31mred\\x1b[0m"},
        {"tab\there\x7f", "tab\\x09here\\x7f"},
        {S("一行目\r\n二行目\r三行目\n四"), "一行目 二行目 三行目 四"},
        {S("表示 ～①"), "表示 ～①"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TerminalText(c.sjis), c.printed);
}

} // namespace
