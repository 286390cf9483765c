#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>
#include <string>

#include "LayoutSheet.h"
#include "Program.h"
#include "text/Sjis.h"
#include "worksheet/AnswerBoxes.h"
#include "worksheet/PageLayout.h"
#include "worksheet/Worksheet.h"

namespace {

using Kind = RecordingCanvas::Kind;

std::string S(const char* utf8) {
    return sjis::fromUtf8(utf8);
}

struct LayoutFixture : ::testing::Test, LayoutSheet {
    LayoutFixture() {
        ws.FontSize = 10;
        ws.strTangen = S("一次方程式");
        ws.strPrintName = "C:\\course\\eq1.que-U1";
    }
    void layScreen() { LayOutPage(pg, ws, screen, false); }
    void layPrinter() {
        LayOutPage(pg, ws, printer, true);
    }
    static const RecordingCanvas::Record* textAtY(const RecordingCanvas& c, int y) {
        for (const auto* r : c.textOuts())
            if (r->y == y) return r;
        return nullptr;
    }
    static std::vector<const RecordingCanvas::Record*> textsColored(const RecordingCanvas& c,
                                                                    Color col) {
        std::vector<const RecordingCanvas::Record*> out;
        for (const auto* r : c.textOuts())
            if (r->state.fontColor == col && !r->text.empty()) out.push_back(r);
        return out;
    }
};

// ---- Header ----

TEST_F(LayoutFixture, ScreenHeaderPositionsAndSizes) {
    ws.classFlag = Bitmap(40, 30);
    ws.classFlagVisible = true;
    layScreen();

    // A screen layout starts from a white page of the page size.
    const auto& first = screen.records().front();
    ASSERT_EQ(first.kind, Kind::FillRect);
    EXPECT_EQ(first.rect, (Rect{0, 0, 630, 891}));
    EXPECT_EQ(first.fill, colors::White);

    auto lines = screen.lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0].from, (Point{50, 30}));
    EXPECT_EQ(lines[0].to, (Point{580, 30}));
    EXPECT_EQ(lines[0].width, 2);
    EXPECT_EQ(lines[1].from, (Point{50, 90}));
    EXPECT_EQ(lines[1].to, (Point{580, 90}));

    // The file's path is shown as paths are shown to the user, with "/".
    const auto* number = screen.findText(S("№ 1  2026.12.07-09:05　") + "C:/course/eq1.que-U1");
    ASSERT_NE(number, nullptr);
    EXPECT_EQ(number->x, 50);
    EXPECT_EQ(number->y, 15);
    EXPECT_EQ(number->state.size, 10);

    const auto* date = screen.findText(S("実施日　　月　　日"));
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->x, 630 - 50 - 120);

    const auto* title = screen.findText(ws.strTangen);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->x, 40 + 5 + 50); // right of the class flag
    EXPECT_EQ(title->y, 35);
    EXPECT_EQ(title->state.size, 12);

    const auto* name = screen.findText(S("　　　　　　　　氏名"));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->x, 200);
    EXPECT_EQ(name->y, 65);
    EXPECT_EQ(name->state.size, 16);

    EXPECT_EQ(ws.layout.titleAnchor, (Point{630 - 50 - 75, 35}));

    // The class flag sits at the left edge, centred between the rules.
    auto pics = screen.pictures();
    ASSERT_EQ(pics.size(), 1u);
    EXPECT_EQ(pics[0]->rect, (Rect{50, 45, 90, 75}));
}

// Paper shows the screen page scaled: the same font sizes (a printer canvas measures them at
// the page's scale), and every text, rule, fraction bar and box at the screen place times s.
TEST_F(LayoutFixture, PrinterPageIsTheScreenPageScaled) {
    ws.lstQues = {S("問題　x＝# 12#です"), S("(2)　2x+1=[x-3]/4　x=# -3/4#　y=# 2x^2#"),
                  S("@B(3)@/ 1/2+x/3　#[x+1]/3;0.5#")};
    ws.setKranLine(KranLine::Kind, "5");
    ws.setKranLine(KranLine::Height, "3");
    ws.ShowAnswers = true;
    ws.FontSize = 12;
    ws.FontSize = 12;
    layScreen();
    const double s = 4961 / 630.0;
    RecordingCanvas paper{4961, 7016, 600};
    paper.setTextScale(s);
    LayOutPage(pg, ws, paper, true);
    EXPECT_TRUE(pg.formula.printing);
    EXPECT_EQ(paper.count(Kind::FillRect), 0u); // paper is not blanked

    // Within one layout unit (1/3 mm) of the scaled screen place.
    const auto near = [s](int device, int screenUnits) {
        return std::abs(device - screenUnits * s) <= s;
    };
    const auto a = screen.textOuts();
    const auto b = paper.textOuts();
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        SCOPED_TRACE(sjis::toUtf8(a[i]->text) + " #" + std::to_string(i));
        EXPECT_EQ(b[i]->text, a[i]->text);
        EXPECT_EQ(b[i]->state.size, a[i]->state.size);
        EXPECT_EQ(b[i]->state.face, a[i]->state.face);
        EXPECT_TRUE(near(b[i]->x, a[i]->x)) << b[i]->x << " vs " << a[i]->x * s;
        EXPECT_TRUE(near(b[i]->y, a[i]->y)) << b[i]->y << " vs " << a[i]->y * s;
    }
    const auto la = screen.lines();
    const auto lb = paper.lines();
    ASSERT_EQ(la.size(), lb.size());
    for (std::size_t i = 0; i < la.size(); ++i) {
        SCOPED_TRACE("line " + std::to_string(i));
        EXPECT_TRUE(near(lb[i].from.x, la[i].from.x) && near(lb[i].to.x, la[i].to.x));
        EXPECT_TRUE(near(lb[i].from.y, la[i].from.y) && near(lb[i].to.y, la[i].to.y));
        EXPECT_EQ(lb[i].width, std::max(1, static_cast<int>(std::nearbyint(la[i].width * s))));
        EXPECT_EQ(lb[i].color, la[i].color);
    }
    const auto ra = screen.ofKind(Kind::RoundRect);
    const auto rb = paper.ofKind(Kind::RoundRect);
    ASSERT_EQ(ra.size(), 4u);
    ASSERT_EQ(rb.size(), ra.size());
    for (std::size_t i = 0; i < ra.size(); ++i) {
        EXPECT_TRUE(near(rb[i]->rect.left, ra[i]->rect.left));
        EXPECT_TRUE(near(rb[i]->rect.top, ra[i]->rect.top));
        EXPECT_TRUE(near(rb[i]->rect.right, ra[i]->rect.right));
        EXPECT_TRUE(near(rb[i]->rect.bottom, ra[i]->rect.bottom));
    }
}

// A B4 sheet printed on B4 paper scales by the paper's own width: the page keeps the
// proportions of the screen page and the right margin stays on the paper.
TEST_F(LayoutFixture, OtherPapersScaleByTheirOwnWidth) {
    ws.paper = PaperRec{771, 1090};
    ws.lstQues = {S("問題")};
    RecordingCanvas b4{6071, 8598, 600};
    LayOutPage(pg, ws, b4, true);
    const double s = 6071 / 771.0;
    auto lines = b4.lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0].from.x, static_cast<int>(std::nearbyint(50 * s)));
    EXPECT_EQ(lines[0].to.x, 6071 - static_cast<int>(std::nearbyint(50 * s)));
    EXPECT_EQ(lines[0].from.y, static_cast<int>(std::nearbyint(30 * s)));
    // The vertical unit is the screen's 7 pixels, scaled.
    EXPECT_EQ(pg.formula.unitV, static_cast<int>(std::nearbyint(7 * s)));
}

TEST_F(LayoutFixture, TitleCutAtSectionSign) {
    const std::string a(30, 'a'), b(30, 'b');
    struct Case {
        std::string title;
        std::string line1;
        std::string line2; // empty: no second line
    } cases[] = {
        {a + b, a + b, ""},                         // 60 bytes: whole
        {a + S("§") + b, a, S("　　§") + b},        // 62 bytes, cut at §
        {a + b + "c", "", S("　　") + a + b + "c"}, // 61 bytes without §
        {a + S("§") + "x", a + S("§") + "x", ""},   // 33 bytes: not cut
    };
    for (const Case& c : cases) {
        screen.clear();
        ws.strTangen = c.title;
        ws.classFlag = Bitmap();
        layScreen();
        const auto* l1 = textAtY(screen, 35);
        ASSERT_NE(l1, nullptr);
        EXPECT_EQ(l1->text, c.line1) << c.title;
        const auto* l2 = textAtY(screen, 48);
        if (c.line2.empty()) {
            EXPECT_EQ(l2, nullptr) << c.title;
        } else {
            ASSERT_NE(l2, nullptr);
            EXPECT_EQ(l2->text, c.line2);
        }
    }
}

TEST_F(LayoutFixture, PrintNameCutAndNumberSwitches) {
    ws.strPrintName = std::string(40, 'p') + "ABCDE";
    ws.startNumber = 7;
    layScreen();
    EXPECT_NE(screen.findText(S("№ 7  2026.12.07-09:05　ABCDE")), nullptr);

    screen.clear();
    pg.sheets.pageOptions.numbered = false;
    ws.Options &= ~2; // no date line
    layScreen();
    EXPECT_NE(screen.findText(S("  2026.12.07-09:05　ABCDE")), nullptr);
    EXPECT_EQ(screen.findText(S("実施日　　月　　日")), nullptr);

    screen.clear();
    ws.Options &= ~4; // no number line
    layScreen();
    EXPECT_EQ(textAtY(screen, 15), nullptr);
}

TEST_F(LayoutFixture, NameLineWithSchoolAndLearner) {
    pg.session.schoolName = S("ＣＡＩ中学校");
    pg.session.learnerName = S("山田");
    ws.PrintLearner = true;
    layScreen();
    EXPECT_NE(screen.findText(S("山田 ＣＡＩ中学校　　氏名")), nullptr);
    for (const char* hidden : {"noname", "公開", "共通"}) {
        screen.clear();
        pg.session.learnerName = S(hidden);
        layScreen();
        EXPECT_NE(screen.findText(S("ＣＡＩ中学校　　氏名")), nullptr) << hidden;
    }
}

TEST_F(LayoutFixture, ColumnRuleOnlyInTwoColumnMode) {
    ws.FontSize = 10;
    layScreen();
    EXPECT_EQ(screen.lines().size(), 2u);
    screen.clear();
    ws.setKranLine(KranLine::Columns, "2");
    layScreen();
    auto lines = screen.lines();
    ASSERT_EQ(lines.size(), 3u);
    // (630 - 50 + 10 + 50) div 2 - 10
    EXPECT_EQ(lines[2].from, (Point{310, 90}));
    EXPECT_EQ(lines[2].to, (Point{310, 864}));
}

TEST_F(LayoutFixture, GuardOffDrawsNothing) {
    pg.sheets.layoutEnabled = false;
    layScreen();
    EXPECT_TRUE(screen.records().empty());
}

// ---- Question lines ----

TEST_F(LayoutFixture, QuestionLinesStepDownAndRecordRuns) {
    ws.lstQues = {S("問一"), "", S("問二")};
    layScreen();
    // First line at 65 + 20 + 13, then 23.625 per line, empty lines included.
    const auto* q1 = screen.findText(S("問一"));
    const auto* q2 = screen.findText(S("問二"));
    ASSERT_TRUE(q1 && q2);
    EXPECT_EQ(q1->x, 50);
    EXPECT_EQ(q1->y, 98 + 7 + 7);
    EXPECT_EQ(q2->y, static_cast<int>(std::nearbyint(98 + 2 * 23.625)) + 14);
    EXPECT_EQ(ws.layout.runCount, 2);
    EXPECT_EQ(ws.layout.LinePos[1], (Point{50, 98}));
}

TEST_F(LayoutFixture, AnswerPositionFromKranLine4) {
    ws.lstQues = {S("問#3#です"), S("長い問題文です#5#")};
    ws.setKranLine(KranLine::AnswerX, "40");
    ws.ShowAnswers = true;
    layScreen();
    ASSERT_EQ(ws.layout.kranCount, 2);
    EXPECT_EQ(ws.layout.KranTable[1].x, 400);
    EXPECT_EQ(ws.layout.KranTable[2].x, 400);
    EXPECT_EQ(ws.layout.KranTable[1].y, 98);
    const auto blue = textsColored(screen, colors::Blue);
    ASSERT_EQ(blue.size(), 2u);
    EXPECT_EQ(blue[0]->x, 400);
    EXPECT_EQ(blue[0]->text, "3");
    // The text after the answer continues behind the answer's closing bracket, a small gap
    // away.
    const auto* tail = screen.findText(S("です"));
    const auto* bracket = screen.findText(S("］"));
    ASSERT_NE(tail, nullptr);
    ASSERT_NE(bracket, nullptr);
    EXPECT_GT(tail->x, bracket->x + bracket->width);
    EXPECT_LE(tail->x, bracket->x + bracket->width + AnswerRoom);
    EXPECT_EQ(ws.lstKai, (Lines{"start", "3", "5"}));
    EXPECT_EQ(ws.layout.RunStartX[2], 50);

    printer.clear();
    layPrinter();
    const auto pblue = textsColored(printer, colors::Blue);
    ASSERT_EQ(pblue.size(), 2u);
    EXPECT_EQ(pblue[0]->x, static_cast<int>(std::nearbyint(400 * 4960 / 630.0)));
}

TEST_F(LayoutFixture, AnswerBehindQuestionText) {
    ws.lstQues = {S("問題#x=3#")};
    ws.ShowAnswers = true;
    layScreen();
    ASSERT_EQ(ws.layout.kranCount, 1);
    const KranEntry& e = ws.layout.KranTable[1];
    EXPECT_EQ(e.x, 50 + RecordingCanvas::widthOf(S("問題"), 10));
    EXPECT_GT(e.width, 0);
    EXPECT_EQ(e.answerText, "x=3");
    EXPECT_EQ(e.fontSize, 10);
    // The answer is one line of 10-point text: glyph tops two vertical units below the
    // line's top, 13 high.
    EXPECT_EQ(e.answerTop, 98 + 14);
    EXPECT_EQ(e.answerBottom, 98 + 14 + 13);
}

TEST_F(LayoutFixture, AlternativesInGreyFiftyUnitsRight) {
    ws.lstQues = {S("問#3;x=3#")};
    ws.setKranLine(KranLine::AnswerX, "30");
    ws.ShowAnswers = true;
    layScreen();
    const auto blue = textsColored(screen, colors::Blue);
    ASSERT_EQ(blue.size(), 1u);
    EXPECT_EQ(blue[0]->text, "3");
    EXPECT_EQ(blue[0]->x, 300);
    const auto grey = textsColored(screen, colors::Grey);
    ASSERT_FALSE(grey.empty());
    EXPECT_EQ(grey[0]->x, 350);
    EXPECT_EQ(grey[0]->text, " ");
    std::string all;
    for (const auto* r : grey)
        all += r->text;
    EXPECT_EQ(all, " x=3");
    EXPECT_EQ(ws.layout.KranTable[1].answerText, "3;x=3");

    screen.clear();
    pg.sheets.pageOptions.alternatives = false;
    layScreen();
    EXPECT_TRUE(textsColored(screen, colors::Grey).empty());
}

// The grey alternatives never cover the answer nor cross a box line: they start 50 units
// right of the answer, after a wider answer, or behind a box they would reach over.
TEST_F(LayoutFixture, AlternativesNeverOverlap) {
    struct Case {
        const char* line;
        const char* kind;
        int width; // 幅
    } cases[] = {
        {"問#3;x=3#", "0", 15},
        {"問# -0.6x+18;-3/5x+18#", "0", 15},
        {"問# -0.6x+18;-3/5x+18#", "4", 10},
        {"問# 1/5x+10;0.2x+10#", "1", 12},
        {"問# 1/5x+10;0.2x+10#", "5", 12},
        {"問# 7;6+1;5+2#", "5", 20},
        {"問# 7;6+1;5+2#", "1", -8},
    };
    ws.ShowAnswers = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.line) + " kind " + c.kind);
        ws.lstQues = {S(c.line)};
        ws.setKranLine(KranLine::Kind, c.kind);
        ws.setKranLine(KranLine::Width, std::to_string(c.width));
        screen.clear();
        layScreen();
        const KranEntry& e = ws.layout.KranTable[1];
        int answerRight = e.x;
        for (const auto* r : textsColored(screen, colors::Blue))
            answerRight = std::max(answerRight, r->x + r->width);
        const auto grey = textsColored(screen, colors::Grey);
        ASSERT_FALSE(grey.empty());
        const int greyLeft = grey.front()->x;
        EXPECT_GE(greyLeft, e.x + 50);
        EXPECT_GE(greyLeft, answerRight);
        for (const auto* r : grey) {
            // Nothing grey inside a cell of the answer.
            for (const auto* b : textsColored(screen, colors::Blue))
                EXPECT_TRUE(r->x >= b->x + b->width || r->x + r->width <= b->x ||
                            r->y >= b->y + RecordingCanvas::heightOf(b->state.size) ||
                            r->y + RecordingCanvas::heightOf(r->state.size) <= b->y);
            // No box side through it.
            for (Kind k : {Kind::Rectangle, Kind::RoundRect})
                for (const auto* box : screen.ofKind(k))
                    EXPECT_TRUE(r->x + r->width <= box->rect.right - 1 || r->x > box->rect.right)
                        << r->x << " box right " << box->rect.right;
        }
    }
}

// The problem sheet: every answer keeps its place (table entry, answer list, the text after
// it), but nothing of it is drawn, not even in white, on screen and on paper.
TEST_F(LayoutFixture, HiddenAnswersKeepTheirPlaceAndAreNotDrawn) {
    const char* lines[] = {"問#12#後", "x＝# -3/4#　と　y＝# 2x+7;7+2x#終", "#[x+1]/3#"};
    for (const char* kind : {"0", "1", "2", "5"}) {
        SCOPED_TRACE(std::string("kind ") + kind);
        ws.lstQues.clear();
        for (const char* l : lines)
            ws.lstQues.push_back(S(l));
        ws.setKranLine(KranLine::Kind, kind);
        ws.ShowAnswers = true;
        screen.clear();
        layScreen();
        const std::array<KranEntry, MaxKran + 1> shown = ws.layout.KranTable;
        const Lines kaiShown = ws.lstKai;
        const int tail = screen.findText(S("終"))->x;

        ws.ShowAnswers = false;
        screen.clear();
        layScreen();
        ASSERT_EQ(ws.layout.kranCount, 4);
        for (int k = 1; k <= 4; ++k) {
            const KranEntry& e = ws.layout.KranTable[k];
            EXPECT_EQ(e.x, shown[k].x) << k;
            EXPECT_EQ(e.width, shown[k].width) << k;
            EXPECT_EQ(e.answerTop, shown[k].answerTop) << k;
            EXPECT_EQ(e.answerBottom, shown[k].answerBottom) << k;
            EXPECT_EQ(e.answerText, shown[k].answerText) << k;
        }
        EXPECT_EQ(ws.lstKai, kaiShown);
        EXPECT_EQ(screen.findText(S("終"))->x, tail);

        printer.clear();
        layPrinter();
        for (const RecordingCanvas* c : {&screen, &printer}) {
            // Below the header only the question text and the brackets are drawn: black,
            // and none of the answers' glyphs or fraction bars.
            const double s = c->deviceWidth() / 630.0;
            std::string all;
            for (const auto* r : c->textOuts()) {
                EXPECT_EQ(r->state.fontColor, colors::Black) << sjis::toUtf8(r->text);
                if (r->y > 91 * s) all += sjis::toUtf8(r->text);
            }
            for (const char* gone : {"12", "-", "3", "4", "7", "[", "+"})
                EXPECT_EQ(all.find(gone), std::string::npos) << gone << " in " << all;
            for (const auto& l : c->lines())
                EXPECT_EQ(l.color, colors::Black);
        }
    }
}

TEST_F(LayoutFixture, StyleAndSizeCodes) {
    struct Case {
        const char* line;
        const char* drawn;
        unsigned style;
        int size;
    } cases[] = {
        {"@B太字", "太字", fontstyle::Bold, 10},
        {"@X下線@/普通", "普通", 0, 10},
        {"@I@U斜め", "斜め", fontstyle::Italic | fontstyle::Underline, 10},
        {"@+大きい", "大きい", 0, 14},
        {"@-小さい", "小さい", 0, 6},
        {"@+@=戻す", "戻す", 0, 10},
        {"前@B後", "前", 0, 10},
        {"前@B後", "後", fontstyle::Bold, 10},
    };
    for (const Case& c : cases) {
        screen.clear();
        ws.lstQues = {S(c.line)};
        layScreen();
        const auto* r = screen.findText(S(c.drawn));
        ASSERT_NE(r, nullptr) << c.line;
        EXPECT_EQ(r->state.style, c.style) << c.line;
        EXPECT_EQ(r->state.size, c.size) << c.line;
        EXPECT_EQ(screen.state().style, 0u) << c.line; // plain again after the run
    }
}

TEST_F(LayoutFixture, TextStartingWithCodeCharacterAfterACodeIsACode) {
    ws.lstQues = {S("@BBig")};
    layScreen();
    EXPECT_EQ(screen.allTextUtf8().find("ig"), std::string::npos);
    // In front of the first "@" nothing is a code: a negative answer is drawn.
    screen.clear();
    ws.lstQues = {S("問#-5#")};
    ws.ShowAnswers = true;
    layScreen();
    std::string blue;
    for (const auto* r : textsColored(screen, colors::Blue))
        blue += r->text;
    EXPECT_EQ(blue, "-5");
}

TEST_F(LayoutFixture, OddHashCountLosesTheTail) {
    ws.lstQues = {S("前#答#中#残り")};
    ws.ShowAnswers = true;
    layScreen();
    EXPECT_EQ(ws.layout.kranCount, 1);
    EXPECT_NE(screen.findText(S("中")), nullptr);
    EXPECT_EQ(screen.findText(S("残り")), nullptr);
}

TEST_F(LayoutFixture, TypedAnswersDrawnAtRecordedRunStarts) {
    ws.lstQues = {S("問#x=3#"), S("次#12#")};
    ws.ShowAnswers = true;
    layScreen();
    ASSERT_EQ(ws.layout.kranCount, 2);
    ws.layout.drawTypedAnswers = true;
    ws.layout.firstAnswer[1] = "7";
    // Box 2 never answered: blanks, not the placeholder.
    screen.clear();
    layScreen();
    std::string blue;
    for (const auto* r : textsColored(screen, colors::Blue))
        blue += r->text;
    EXPECT_EQ(blue, " 7   ");
    EXPECT_EQ(ws.layout.kranCount, 2);

    // On paper the recorded screen run starts are scaled.
    printer.clear();
    ws.layout.RunStartX[2] = 100;
    layPrinter();
    const auto* next = printer.findText(S("次"));
    ASSERT_NE(next, nullptr);
    EXPECT_EQ(next->x, static_cast<int>(std::nearbyint(100 * 4960 / 630.0)));
}

TEST_F(LayoutFixture, MoreThanEightyAnswersDrawnWithoutBoxes) {
    ws.setKranLine(KranLine::Kind, "1");
    ws.ShowAnswers = true;
    for (int i = 0; i < 45; ++i)
        ws.lstQues.push_back(S("問#1#と#2#"));
    layScreen();
    EXPECT_EQ(ws.layout.kranCount, 80);
    EXPECT_EQ(ws.lstKai.size(), 91u);
    EXPECT_EQ(screen.count(Kind::Rectangle), 80u);
    EXPECT_EQ(textsColored(screen, colors::Blue).size(), 90u);

    ws.layout.drawTypedAnswers = true;
    screen.clear();
    layScreen(); // answers beyond the table have no learner answer
    EXPECT_EQ(screen.count(Kind::Rectangle), 80u);
}

// ---- Graphs and pictures ----

TEST_F(LayoutFixture, AutomaticGraphPlacesAreWrittenBack) {
    ws.lstQues = {S("問一"), S("問二")};
    ws.lstQGraph = {"g1.bmp", "-1", "-1", "g2.bmp", "300", "400"};
    ws.qGraphPictures[0] = Bitmap(20, 10);
    ws.qGraphPictures[1] = Bitmap(30, 15);
    layScreen();
    EXPECT_EQ(ws.lstQGraph[1], "90");
    EXPECT_EQ(ws.lstQGraph[2], "98");
    EXPECT_EQ(ws.lstQGraph[4], "300");
    auto pics = screen.pictures();
    ASSERT_EQ(pics.size(), 2u);
    EXPECT_EQ(pics[0]->rect, (Rect{90, 98, 110, 108}));
    EXPECT_EQ(pics[1]->rect, (Rect{300, 400, 330, 415}));
    EXPECT_EQ(pics[0]->source, &ws.qGraphPictures[0]);

    // On paper the same places are scaled; with answers the answer graphs stand there.
    ws.ShowAnswers = true;
    ws.lstAGraph = {"a1.bmp", "5", "5"};
    ws.aGraphPictures[0] = Bitmap(20, 10);
    layPrinter();
    auto ppics = printer.pictures();
    ASSERT_EQ(ppics.size(), 2u);
    const double s = 4960 / 630.0;
    const int l = static_cast<int>(std::nearbyint(90 * s));
    const int t = static_cast<int>(std::nearbyint(98 * s));
    EXPECT_EQ(ppics[0]->rect, (Rect{l, t, l + static_cast<int>(std::nearbyint(20 * s)),
                                    t + static_cast<int>(std::nearbyint(10 * s))}));
    EXPECT_EQ(ppics[0]->source, &ws.aGraphPictures[0]);
}

TEST_F(LayoutFixture, SixteenGraphsReportAndUseFifteen) {
    for (int i = 0; i < 16; ++i) {
        ws.lstQGraph.push_back("g.bmp");
        ws.lstQGraph.push_back(std::to_string(10 + i));
        ws.lstQGraph.push_back("20");
    }
    for (Bitmap& b : ws.qGraphPictures)
        b = Bitmap(5, 5);
    layScreen();
    ASSERT_EQ(fp.prompter.messages.size(), 1u);
    EXPECT_EQ(fp.prompter.messages[0], S("16:問題のグラフが多すぎます"));
    EXPECT_EQ(screen.pictures().size(), 15u);
    EXPECT_TRUE(ws.graphPlaced[14].visible);
}

// ---- Robustness ----

TEST_F(LayoutFixture, RandomLinesAndValuesNeverBreakTheLayout) {
    std::mt19937 rng(12345);
    const std::string alphabet = "##@@;;BIUX_/+-=ax1/2|[]^() R" + S("問§");
    const int extremes[] = {0, -1, 1, 7, -100000, 100000, 2147483647, -2147483647};
    for (int round = 0; round < 200; ++round) {
        ws.lstQues.clear();
        const int nLines = rng() % 8;
        for (int i = 0; i < nLines; ++i) {
            std::string line;
            const int len = rng() % 24;
            for (int j = 0; j < len; ++j)
                line += alphabet[rng() % alphabet.size()];
            ws.lstQues.push_back(line);
        }
        auto pick = [&] { return extremes[rng() % 8]; };
        ws.LeftMargin = pick();
        ws.RightMargin = pick();
        ws.FontSize = pick();
        ws.FontSize = pick();
        ws.LineSpace = pick();
        for (int line : {0, 1, 2, 4})
            ws.setKranLine(static_cast<KranLine>(line), std::to_string(pick()));
        ws.setKranLine(KranLine::Kind, std::to_string(rng() % 7));
        ws.ShowAnswers = rng() % 2;
        ws.layout.drawTypedAnswers = rng() % 2;
        ws.lstQGraph = {"g.bmp", "-1", "-1"};
        for (KranEntry& e : ws.layout.KranTable)
            e.mark = (rng() % 2) ? 1 : -2;
        screen.clear();
        printer.clear();
        LayOutPage(pg, ws, screen, false);
        LayOutPage(pg, ws, printer, true);
        ASSERT_LE(ws.layout.kranCount, 80);
        ASSERT_FALSE(ws.lstKai.empty());
        EXPECT_EQ(ws.lstKai[0], "start");
    }
}

} // namespace

// A varied copy's number line carries its version code and keeps clear of the date field:
// the file name gives up its first folders, the last part stays while it fits.
TEST_F(LayoutFixture, VariedNumberLineStaysClearOfTheDateField) {
    struct Case {
        std::string printName;
        std::string shownName; // the end of the line
    };
    const std::vector<Case> cases = {
        {"C:/course/eq1.que-U1", "C:/course/eq1.que-U1"},
        {"/tmp/vg/course/Eq1/varied_sheet.prp", "Eq1/varied_sheet.prp"},
        {"/tmp/" + std::string(30, 'q') + ".prp", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.printName);
        screen.clear();
        ws.strPrintName = c.printName;
        ws.versionCode = "V20261208-07";
        ws.startNumber = 7;
        layScreen();
        const auto* line = textAtY(screen, 15);
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->text, S("№ 7  V20261208-07  2026.12.07-09:05　") + c.shownName);
        const auto* date = screen.findText(S("実施日　　月　　日"));
        ASSERT_NE(date, nullptr);
        screen.setFontSize(line->state.size);
        EXPECT_LT(line->x + screen.textWidth(line->text), date->x);
    }
}
