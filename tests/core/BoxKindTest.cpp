// The answer-box shape chosen in the layout settings dialog.
#include "SheetFixture.h"

#include "worksheet/BoxKind.h"

namespace {

class BoxKind : public SheetFixture {};

TEST_F(BoxKind, ShapesWriteLineZeroAndOnlyNoneAndUnderlineMarkModified) {
    struct Case {
        int kind;
        bool modified;
        bool width;
        bool height;
    } cases[] = {
        {0, true, false, false}, {1, false, true, true}, {2, false, true, false},
        {3, false, true, false}, {4, true, true, false}, {5, false, true, true},
    };
    Worksheet& sheet = open();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        sheet.Modified = false;
        const int before = relayouts;
        SetBoxKind(program, c.kind);
        EXPECT_EQ(sheet.kranLines()[0], std::to_string(c.kind));
        EXPECT_EQ(sheet.Modified, c.modified);
        EXPECT_EQ(relayouts, before + 1);
        EXPECT_EQ(SizeSpinsOf(c.kind).width, c.width);
        EXPECT_EQ(SizeSpinsOf(c.kind).height, c.height);
    }
}

TEST_F(BoxKind, SquareAfterNoneLeavesAnUnmodifiedWorksheetUnmodified) {
    Worksheet& sheet = open();
    SetBoxKind(program, 1);
    EXPECT_FALSE(sheet.Modified);
    EXPECT_EQ(sheet.kranLines()[0], "1");
}

TEST_F(BoxKind, UnknownKindsAndNoWorksheetChangeNothing) {
    Worksheet& sheet = open();
    for (int kind : {-1, 6, 99}) {
        SetBoxKind(program, kind);
        EXPECT_EQ(sheet.kranLines()[0], "5");
        EXPECT_FALSE(sheet.Modified);
    }
    EXPECT_FALSE(SizeSpinsOf(7).width);
    CloseWorksheet(program, sheet);
    const int before = relayouts;
    SetBoxKind(program, 0);
    EXPECT_EQ(relayouts, before);
}

} // namespace
