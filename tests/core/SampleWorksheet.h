#pragma once
// A worksheet with every value set away from its default, for the writers and savers.

#include "CourseFixture.h"
#include "worksheet/Worksheet.h"

inline Worksheet sample() {
    Worksheet w;
    w.strTangen = S("方程式//１次方程式§1-3 (3) 移項");
    w.strSchool = S("中学校");
    w.strShimei = S("　年　組　番　氏名");
    w.lstQues = {S("(1)　2x＝6　　x＝#3#"), S("(2)　x＋4＝9　　x＝#5;x=5#")};
    w.lstQGraph = {"g1.bmp", "120", "240", "g2.bmp", "300", "40"};
    w.lstAGraph = {"a1.bmp", "120", "240"};
    w.ShowAnswers = true;
    w.LineSpace = 42;
    w.LeftMargin = 3;
    w.RightMargin = 7;
    w.StartNo = 11;
    w.Options = 5;
    w.FontSize = 16;
    w.secondFont = {S("MS 明朝"), 12, true, false, true, false};
    w.strMainFont = S("ＭＳ ゴシック");
    w.setKranLines({"1", "12", "3", "2", "40", "0", "15", "10", "4", "0"});
    w.caption = "C:\\course\\Eq1\\eq11.que-U3";
    w.Modified = true;
    return w;
}
