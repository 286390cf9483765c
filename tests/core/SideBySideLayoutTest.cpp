// Every worksheet is laid out from its own settings into its own layout: two worksheets laid
// out side by side, in any order and whichever is in front, give the pages and answer boxes
// each gives alone.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Fakes.h"
#include "Program.h"
#include "RecordingCanvas.h"
#include "text/Sjis.h"
#include "worksheet/PageLayout.h"
#include "worksheet/Worksheet.h"

namespace {

std::string S(const char* utf8) {
    return sjis::fromUtf8(utf8);
}

// Two worksheets that differ in every setting the page is drawn from.
void fill(Worksheet& w, bool first) {
    w.strTangen = first ? S("一次方程式") : S("連立方程式の利用");
    w.strPrintName = first ? "C:\\course\\eq11.que-U1" : "C:\\course\\eq21.que-U3";
    w.lstQues = first ? Lines{S("(1)　3x＝12　x＝# 4#"), S("(2)　x/2＝3　x＝# 6;6.0#")}
                      : Lines{S("(1)　x+y=5, x-y=1 のとき"), S("x＝# 3#　y＝# 2#"),
                              S("(2)　2x=# [1]/2#")};
    w.FontSize = first ? 12 : 18;
    w.LineSpace = first ? 30 : 55;
    w.LeftMargin = first ? 5 : 3;
    w.Options = first ? 7 : 2;
    w.startNumber = first ? 3 : 11;
    w.setKranLine(KranLine::Kind, first ? "5" : "2");
    w.setKranLine(KranLine::Columns, first ? "0" : "2");
    w.ShowAnswers = true;
}

// What a page drew, as text: every operation with its place, text and font.
std::string drawn(const RecordingCanvas& c) {
    std::ostringstream out;
    for (const RecordingCanvas::Record& r : c.records())
        out << static_cast<int>(r.kind) << ' ' << r.x << ',' << r.y << ' ' << r.rect.left << ','
            << r.rect.top << ',' << r.rect.right << ',' << r.rect.bottom << ' ' << r.state.size
            << ' ' << r.state.fontColor << ' ' << r.text << '\n';
    return out.str();
}

std::string boxes(const SheetLayout& l) {
    std::ostringstream out;
    out << l.kranCount << ' ' << l.runCount << ' ' << l.titleAnchor.x << '\n';
    for (int k = 1; k <= l.kranCount; ++k) {
        const KranEntry& e = l.KranTable[static_cast<std::size_t>(k)];
        out << e.x << ',' << e.y << ',' << e.width << ',' << e.answerTop << ','
            << e.answerBottom << ',' << e.fontSize << ' ' << e.answerText << '\n';
    }
    return out.str();
}

struct Page {
    std::string screen, paper, table;
    bool operator==(const Page&) const = default;
};

Page layOut(Program& p, Worksheet& w) {
    RecordingCanvas screen{630, 891, 96};
    RecordingCanvas paper{4960, 7016, 600};
    LayOutPage(p, w, screen, false);
    LayOutPage(p, w, paper, true);
    return Page{drawn(screen), drawn(paper), boxes(w.layout)};
}

Page alone(bool first) {
    FakePlatform fp;
    Program p{fp.platform};
    Worksheet w;
    fill(w, first);
    p.sheets.current = &w;
    return layOut(p, w);
}

TEST(SideBySide, TwoWorksheetsInAnyOrderGiveThePagesEachGivesAlone) {
    const Page a = alone(true), b = alone(false);
    ASSERT_NE(a, b); // the two pages really differ
    ASSERT_FALSE(a.table.empty());

    for (const char* order : {"ab", "ba", "abab", "bba"}) {
        SCOPED_TRACE(order);
        FakePlatform fp;
        Program p{fp.platform};
        Worksheet wa, wb;
        fill(wa, true);
        fill(wb, false);
        for (const char* at = order; *at; ++at) {
            const bool isA = *at == 'a';
            // The other worksheet is in front, with the program's paper its own.
            p.sheets.current = isA ? &wb : &wa;
            p.sheets.paperChoice = isA ? 891 : 546;
            const Page got = layOut(p, isA ? wa : wb);
            EXPECT_EQ(got, isA ? a : b);
        }
        // Each keeps its own answer boxes, whichever was laid out last.
        EXPECT_EQ(boxes(wa.layout), a.table);
        EXPECT_EQ(boxes(wb.layout), b.table);
    }
}

} // namespace
