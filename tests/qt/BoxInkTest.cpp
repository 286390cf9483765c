// Answers typed without a leading blank, in square and rounded boxes that hug them, at every
// character size the layout dialog allows: on the page image and on a 600-dpi paper page
// drawn with the real fonts, no box line comes near the answer's ink (a minus at the very
// start, a fraction's parts, a full-width answer).
#include <QImage>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/CliSession.h"
#include "qt/CanvasImages.h"
#include "qt/QtCanvas.h"
#include "text/Sjis.h"
#include "worksheet/AnswerBoxes.h"
#include "worksheet/LayoutCheck.h"
#include "worksheet/PageLayout.h"
#include "worksheet/Worksheet.h"

namespace {

bool blue(QRgb c) {
    return qBlue(c) - std::max(qRed(c), qGreen(c)) > 60;
}
// Box ink, also where a curve or a line is blended into the white paper: grey with no
// blue cast.
bool dark(QRgb c) {
    return qGray(c) < 200 && !blue(c);
}

// Blue pixels of image in area with a dark pixel within reach; -1 when area has no blue.
int touching(const QImage& image, const QRect& area, int reach) {
    int ink = 0, near = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            if (!blue(image.pixel(x, y))) continue;
            ++ink;
            bool hit = false;
            for (int dy = -reach; dy <= reach && !hit; ++dy)
                for (int dx = -reach; dx <= reach && !hit; ++dx)
                    hit =
                        image.rect().contains(x + dx, y + dy) && dark(image.pixel(x + dx, y + dy));
            near += hit ? 1 : 0;
        }
    return ink ? near : -1;
}

// A worksheet showing its answers in the program's main face, laid out by a command-line
// session.
struct AnswerSheet {
    CliSession session;
    Program& p = session.program();
    Worksheet sheet;
    AnswerSheet() {
        sheet.ShowAnswers = true;
        sheet.strMainFont = J("ＭＳ 明朝");
        p.sheets.current = &sheet;
        p.sheets.layoutEnabled = true;
    }
};

struct Page {
    double k;  // device pixels per layout unit
    int reach; // how near a line may not come, in device pixels
};

TEST(BoxInk, HuggingBoxesKeepClearOfTheirAnswers) {
    AnswerSheet a;
    Program& p = a.p;
    Worksheet& sheet = a.sheet;
    const char* answers[] = {"-1", "-3/7", "x=-2", "1/2x+3", "－３／７"};
    int checked = 0;
    for (int kind : {1, 5})
        for (int size : {8, 10, 12, 16, 20, 28, 36, 50})
            for (const char* answer : answers)
                for (int height : {0, 3})
                    for (const Page& page : {Page{1.0, 1}, Page{600 / 76.2, 2}}) {
                        const std::string where =
                            std::string(answer) + " kind " + std::to_string(kind) + " size " +
                            std::to_string(size) + " height " + std::to_string(height) +
                            (page.k == 1.0 ? " on screen" : " on paper");
                        sheet.lstQues = {J("問") + "#" + sjis::fromUtf8(answer) + "#" + J("終")};
                        sheet.setKranLine(KranLine::Kind, std::to_string(kind));
                        sheet.setKranLine(KranLine::Width, "-12");
                        sheet.setKranLine(KranLine::Height, std::to_string(height));
                        sheet.FontSize = size;
                        p.sheets.current->FontSize = size;
                        p.sheets.current->LineSpace = 200;
                        // The screen page is the 96-dpi page image the window shows and the
                        // screen-faithful print sends.
                        QImage image = page.k == 1.0 ? makePageImage(630, 300)
                                                     : QImage(static_cast<int>(630 * page.k),
                                                              static_cast<int>(300 * page.k),
                                                              QImage::Format_RGB32);
                        if (page.k != 1.0) image.fill(Qt::white);
                        {
                            QtCanvas canvas(image);
                            if (page.k != 1.0) canvas.setLayoutPage(630, 891, 600);
                            LayOutPage(p, sheet, canvas, page.k != 1.0);
                        }
                        const Rect a =
                            PlaceAnswer(p.sheets.current->layout.KranTable[1], AnswerBoxStyle(sheet)).box;
                        const QRect area(static_cast<int>(a.left * page.k) - 4,
                                         static_cast<int>(a.top * page.k) - 4,
                                         static_cast<int>(a.width() * page.k) + 8,
                                         static_cast<int>(a.height() * page.k) + 8);
                        EXPECT_EQ(touching(image, area, page.reach), 0) << where;
                        ++checked;
                    }
    EXPECT_EQ(checked, 2 * 8 * 5 * 2 * 2);
}

// Boxes of a fixed width that are too narrow are told: on the screen page, the layout check
// names an answer exactly when its ink runs into the box's right side or nearly does (one
// pixel apart), and never an answer whose ink keeps clear of it by three pixels or more.
TEST(BoxInk, LayoutCheckTellsAnswersTheirFixedBoxesCannotHold) {
    AnswerSheet a;
    Program& p = a.p;
    Worksheet& sheet = a.sheet;
    p.sheets.current->LineSpace = 200;
    int told = 0, clear = 0;
    for (int kind : {1, 5})
        for (int size : {10, 12, 16})
            for (const char* answer : {" 10", " -4", " 3/7 ", " 2 ", "－３／７", " 1200"})
                for (int width = -4; width <= 10; ++width) {
                    const std::string where =
                        std::string(answer) + " kind " + std::to_string(kind) + " size " +
                        std::to_string(size) + " width " + std::to_string(width);
                    sheet.lstQues = {J("問") + "#" + sjis::fromUtf8(answer) + "#"};
                    sheet.setKranLine(KranLine::Kind, std::to_string(kind));
                    sheet.setKranLine(KranLine::Width, std::to_string(width));
                    sheet.setKranLine(KranLine::Height, "2");
                    sheet.FontSize = size;
                    p.sheets.current->FontSize = size;
                    QImage image(630, 300, QImage::Format_RGB32);
                    image.fill(Qt::white);
                    std::vector<LayoutProblem> problems;
                    {
                        QtCanvas canvas(image);
                        problems = CheckLayout(p, sheet, canvas);
                        LayOutPage(p, sheet, canvas, false);
                    }
                    const Rect box = PlaceAnswer(p.sheets.current->layout.KranTable[1], AnswerBoxStyle(sheet)).box;
                    // The rightmost blue pixel in the box's rows, left of the next text.
                    int inkRight = -1;
                    for (int y = box.top; y < box.bottom; ++y)
                        for (int x = box.left; x < box.right + 40 && x < image.width(); ++x)
                            if (blue(image.pixel(x, y))) inkRight = std::max(inkRight, x);
                    ASSERT_GE(inkRight, 0) << where;
                    const int side = box.right - 1; // the box's right line
                    if (inkRight >= side - 1) {
                        EXPECT_EQ(problems.size(), 1u) << where << ": ink at " << inkRight;
                        ++told;
                    }
                    if (inkRight <= side - 3) {
                        EXPECT_TRUE(problems.empty()) << where << ": ink at " << inkRight;
                        ++clear;
                    }
                }
    // Both kinds of case were met.
    EXPECT_GT(told, 20);
    EXPECT_GT(clear, 100);
}

} // namespace
