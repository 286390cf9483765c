#include <gtest/gtest.h>

#include "CourseFixture.h"
#include "SampleWorksheet.h"
#include "worksheet/Worksheet.h"
#include "worksheet/WorksheetFile.h"

TEST(WorksheetFile, LinesFollowTheFormatOrder) {
    Worksheet w = sample();
    Lines l = WorksheetFileLines(w, 771, {"3", "5"});
    std::vector<std::string> expected{"[[unitX",
                                      "<<header",
                                      "方程式//１次方程式§1-3 (3) 移項",
                                      "中学校",
                                      "　年　組　番　氏名",
                                      ">>",
                                      "<<ques",
                                      "(1)　2x＝6　　x＝#3#",
                                      "(2)　x＋4＝9　　x＝#5;x=5#",
                                      ">>",
                                      "<<ans",
                                      ">>",
                                      "<<graph",
                                      "g1.bmp",
                                      "120",
                                      "240",
                                      "g2.bmp",
                                      "300",
                                      "40",
                                      ">>",
                                      "<<AGraph",
                                      "a1.bmp",
                                      "120",
                                      "240",
                                      ">>",
                                      "<<value",
                                      "771",
                                      "True",
                                      "42",
                                      "3",
                                      "7",
                                      "11",
                                      "5",
                                      ">>",
                                      "<<font",
                                      "16",
                                      "MS 明朝",
                                      "True",
                                      "False",
                                      "True",
                                      "False",
                                      "ＭＳ ゴシック",
                                      ">>",
                                      "<<kran",
                                      "1",
                                      "12",
                                      "3",
                                      "2",
                                      "40",
                                      "0",
                                      "15",
                                      "10",
                                      "4",
                                      "0",
                                      ">>",
                                      "<<kgroup",
                                      "3",
                                      "5",
                                      ">>",
                                      "]]"};
    EXPECT_EQ(U(l), expected);
}

TEST(WorksheetFile, NoGraphBlocksWithoutGraphs) {
    Worksheet w = sample();
    w.lstQGraph.clear();
    w.lstAGraph.clear();
    w.setKranLines({"5", "15"}); // a short list is written as ten lines all the same
    Lines l = WorksheetFileLines(w, 630, {});
    for (const auto& line : l) {
        EXPECT_NE(line, "<<graph");
        EXPECT_NE(line, "<<AGraph");
    }
    auto kran = std::find(l.begin(), l.end(), "<<kran");
    ASSERT_NE(kran, l.end());
    EXPECT_EQ(Lines(kran + 1, kran + 12),
              (Lines{"5", "15", "0", "0", "0", "0", "0", "0", "0", "0", ">>"}));
}
