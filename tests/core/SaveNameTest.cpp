#include <gtest/gtest.h>

#include "CourseFixture.h"
#include "shell/SaveName.h"
#include "worksheet/Worksheet.h"

namespace {

TEST(SaveName, ProposesTheUnitsNameOrTheFilesOwn) {
    struct Case {
        const char* unitName;
        int ruidai;
        const char* windowKey;
        const char* proposed;
    };
    const Case cases[] = {
        {"(2) 移項", 0, "C:\\c\\Eq1\\eq11.que-U2", "(2) 移項.prp"},
        {"　(5) 分数をふくむ方程式 ", 2, "C:\\c\\Eq1\\eq11.que-U5R2",
         "(5) 分数をふくむ方程式 類題2.prp"},
        // Characters no file name can hold; "表" ends in the byte of "\", "ポ" in that of "|".
        {"表/ポ:a*b?c<d>e|\"f\\g", 0, "C:\\c\\Eq1\\eq11.que-U1", "表_ポ_a_b_c_d_e__f_g.prp"},
        // A worksheet file keeps its own name.
        {"(2) 移項", 0, "C:\\c\\表\\練習.PRP", "練習.PRP"},
        {"", 0, "C:\\c\\Eq1\\eq11.que-U9", ""},
    };
    for (const Case& c : cases) {
        Worksheet sheet;
        sheet.unitName = S(c.unitName);
        sheet.unitRef.Ruidai = c.ruidai;
        sheet.windowKey = S(c.windowKey);
        EXPECT_EQ(U(ProposedSaveName(sheet)), c.proposed) << c.unitName;
    }
}

} // namespace
