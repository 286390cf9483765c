// Marks as a user sees them on the screen page (the 96-dpi page image, drawn with the real
// fonts): on the answer sheet after marking and in the practice window, every circle, slash,
// test wrong mark and triangle stays within its own line, clear of the boxes of the lines
// above and below, and a circle goes round its answer without crossing it.
#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "cli/CliSession.h"
#include "qt/CanvasImages.h"
#include "qt/QtCanvas.h"
#include "text/Sjis.h"
#include "worksheet/AnswerBoxes.h"
#include "worksheet/Marks.h"
#include "worksheet/PageLayout.h"
#include "worksheet/Worksheet.h"

namespace {

bool red(QRgb c) {
    return qRed(c) - std::max(qGreen(c), qBlue(c)) > 60;
}
bool blue(QRgb c) {
    return qBlue(c) - std::max(qRed(c), qGreen(c)) > 60;
}

// Pixels of area that pass ink.
int count(const QImage& image, const QRect& area, bool (*ink)(QRgb)) {
    int n = 0;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            n += ink(image.pixel(x, y)) ? 1 : 0;
    return n;
}

// The bounding box of the ink in area.
QRect inkBox(const QImage& image, const QRect& area, bool (*ink)(QRgb)) {
    QRect box;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (ink(image.pixel(x, y))) box |= QRect(x, y, 1, 1);
    return box;
}

QRect qrect(const Rect& r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

// How a mark comes onto the page: set on the box before the answer sheet is laid out (as
// marking does), or drawn by the practice window around the field.
struct Way {
    const char* name;
    int boxMark;                   // 1, 0, −2; 99 for a practice mark
    MarkKind practice;             // the practice mark
    bool goesRound;                // a ring, which must not cross the answer
};

const Way Ways[] = {
    {"circle on the answer sheet", 1, MarkKind::Circle, true},
    {"test wrong mark", 0, MarkKind::TestWrong, false},
    {"triangle on the answer sheet", -2, MarkKind::Triangle, false},
    {"practice circle", 99, MarkKind::Circle, true},
    {"review double circle", 99, MarkKind::DoubleCircle, true},
    {"practice slash", 99, MarkKind::Slash, false},
    {"practice triangle", 99, MarkKind::Triangle, false},
};

// Six lines, one answer each: marks go on the first, third and fifth. The red ink of the
// page must keep out of the rows of the boxes in between, and a ring out of its answer.
TEST(MarkInk, MarksKeepToTheirLineAndRingsClearOfTheirAnswers) {
    CliSession session;
    Program& p = session.program();
    Worksheet sheet;
    sheet.ShowAnswers = true;
    sheet.strMainFont = J("ＭＳ 明朝");
    p.sheets.current = &sheet;
    p.sheets.layoutEnabled = true;
    const char* answers[] = {"-1", "x=-2", "3/7", "2", "-3/7", "10"};
    sheet.lstQues.clear();
    for (const char* a : answers)
        sheet.lstQues.push_back(J("問") + " #" + sjis::fromUtf8(a) + "#");
    int checked = 0;
    for (int kind : {0, 1, 2, 4, 5})
        for (int size : {8, 12, 20, 36, 50})
            for (int width : {-12, 15}) {
                const std::string where = "kind " + std::to_string(kind) + " size " +
                                          std::to_string(size) + " width " + std::to_string(width);
                sheet.setKranLine(KranLine::Kind, std::to_string(kind));
                sheet.setKranLine(KranLine::Width, std::to_string(width));
                sheet.setKranLine(KranLine::Height, "2");
                sheet.FontSize = size;
                p.sheets.current->FontSize = size;
                const BoxStyle style = AnswerBoxStyle(sheet);
                // The closest lines whose boxes do not overlap.
                std::vector<AnswerPlace> places;
                QImage plain;
                for (int space = 30; space < 400; space += 4) {
                    p.sheets.current->LineSpace = space;
                    for (int k = 1; k <= MaxKran; ++k)
                        p.sheets.current->layout.KranTable[k].mark = 99;
                    plain = makePageImage(630, 891);
                    QtCanvas canvas(plain);
                    LayOutPage(p, sheet, canvas, false);
                    places.clear();
                    for (int k = 1; k <= p.sheets.current->layout.kranCount; ++k)
                        places.push_back(PlaceAnswer(p.sheets.current->layout.KranTable[k], style));
                    bool apart = true;
                    for (std::size_t k = 1; k < places.size(); ++k)
                        apart = apart && places[k - 1].box.bottom <= places[k].box.top;
                    if (apart) break;
                }
                ASSERT_EQ(places.size(), 6u) << where;
                ASSERT_LE(places[4].box.bottom, places[5].box.top) << where;
                for (const Way& way : Ways) {
                    SCOPED_TRACE(where + ", " + way.name);
                    for (int k = 1; k <= 6; ++k)
                        p.sheets.current->layout.KranTable[k].mark = k % 2 == 1 ? way.boxMark : 99;
                    QImage page = makePageImage(630, 891);
                    {
                        QtCanvas canvas(page);
                        LayOutPage(p, sheet, canvas, false);
                        if (way.boxMark == 99)
                            for (int k = 1; k <= 6; k += 2) {
                                const KranEntry& e = p.sheets.current->layout.KranTable[k];
                                const Rect field = places[k - 1].field;
                                DrawMark(canvas, way.practice, FieldMarkPlace(e, style, field, field),
                                         1.0, colors::Red);
                            }
                    }
                    ASSERT_GT(count(page, page.rect(), red), 0);
                    for (int k = 2; k <= 6; k += 2) {
                        const Rect& box = places[k - 1].box;
                        const QRect rows(0, box.top, page.width(), box.bottom - box.top);
                        EXPECT_EQ(count(page, rows, red), 0) << "in the rows of box " << k;
                    }
                    if (!way.goesRound) continue;
                    for (int k = 1; k <= 6; k += 2) {
                        const QRect answer = qrect(places[k - 1].answer).adjusted(-4, -4, 4, 4);
                        const QRect ink = inkBox(plain, answer, blue);
                        ASSERT_FALSE(ink.isNull()) << "box " << k;
                        EXPECT_EQ(count(page, ink.adjusted(-1, -1, 1, 1), red), 0)
                            << "over the answer of box " << k;
                    }
                    ++checked;
                }
            }
    EXPECT_EQ(checked, 5 * 5 * 2 * 3);
}

} // namespace
