// What a user sees of the answers of the bundled course: on the answer sheets drawn with the
// real fonts, each answer's blue ink lies inside its box, above its underline or between its
// brackets, and no box line touches it; the problem sheet's PDF carries no answer, while the
// answer sheet's PDF carries every one.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <string>
#include <tuple>
#include <vector>

#include "Poppler.h"
#include "RunVelmix.h"
#include "cli/CliSession.h"
#include "formats/CourseIndex.h"
#include "formats/CourseNames.h"
#include "qt/CanvasImages.h"
#include "qt/QtCanvas.h"
#include "text/Sjis.h"
#include "typeset/LayoutOnlyCanvas.h"
#include "worksheet/AnswerBoxes.h"
#include "worksheet/PageLayout.h"

namespace {

const std::string CourseDir = VELMIX_SOURCE_DIR "/course";

std::string name(const UnitRef& u) {
    std::string n =
        std::to_string(u.Lesson) + "." + std::to_string(u.Section) + "." + std::to_string(u.Unit);
    if (u.Ruidai > 0) n += "." + std::to_string(u.Ruidai);
    return n;
}

// Every unit of the course and every similar question its file holds.
std::vector<UnitRef> courseUnits() {
    std::vector<UnitRef> units;
    CliSession lister;
    if (!lister.openCourse(CourseDir)) return units;
    Program& p = lister.program();
    for (int l = 1; l <= static_cast<int>(p.course.lessonNames.size()); ++l) {
        if (!LoadLesson(p.platform.files, p.course, l)) continue;
        for (int s = 1; s <= static_cast<int>(p.course.sectionNames.size()); ++s) {
            std::string path =
                p.course.lessonFolder[l] + p.course.lessonBase[l] + std::to_string(s) + ".que";
            for (char& c : path)
                if (c == '\\') c = '/';
            QFile file(QString::fromStdString(CourseDir + "/" + path));
            const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : "";
            for (int u = 1; u <= p.course.sectionUnitCount[s]; ++u) {
                units.push_back(UnitRef{l, s, u, 0});
                for (int r = 1; r <= 5; ++r) {
                    const std::string header = UnitBlockKey(UnitRef{l, s, u, r}) + "\r\n";
                    if (!text.contains(QByteArray::fromStdString("\n" + header))) break;
                    units.push_back(UnitRef{l, s, u, r});
                }
            }
        }
    }
    return units;
}

bool blueInk(QRgb c) {
    return qBlue(c) - std::max(qRed(c), qGreen(c)) > 60;
}
bool darkInk(QRgb c) {
    return qRed(c) < 110 && qGreen(c) < 110 && qBlue(c) < 110;
}

// The bounding box of the blue ink around an answer (right and bottom exclusive), or an
// empty rectangle.
Rect blueInkAround(const QImage& page, const Rect& answer) {
    Rect ink{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int y = answer.top - 2; y < answer.bottom + 2; ++y)
        for (int x = answer.left - 2; x < answer.right + 2; ++x)
            if (page.rect().contains(x, y) && blueInk(page.pixel(x, y))) {
                ink.left = std::min(ink.left, x);
                ink.top = std::min(ink.top, y);
                ink.right = std::max(ink.right, x + 1);
                ink.bottom = std::max(ink.bottom, y + 1);
            }
    return ink.left > ink.right ? Rect{} : ink;
}

bool darkIn(const QImage& page, int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (page.rect().contains(x, y) && darkInk(page.pixel(x, y))) return true;
    return false;
}

TEST(AnswerInk, EveryAnswerOfTheCourseClearOfItsBox) {
    const std::vector<UnitRef> units = courseUnits();
    ASSERT_GE(units.size(), 40u);
    int boxes = 0;
    for (const UnitRef& ref : units) {
        CliSession session;
        ASSERT_TRUE(session.openCourse(CourseDir));
        ASSERT_TRUE(session.openUnit(ref)) << name(ref);
        const Worksheet& sheet = *session.sheet();
        ASSERT_TRUE(sheet.ShowAnswers);
        const QImage& page = session.pageImage();
        const SheetLayout& st = sheet.layout;
        const BoxStyle style = AnswerBoxStyle(sheet);
        const int kind = static_cast<int>(style.kind);
        for (int k = 1; k <= st.kranCount; ++k) {
            const KranEntry& e = st.KranTable[k];
            const AnswerPlace place = PlaceAnswer(e, style);
            const std::string where =
                name(ref) + " box " + std::to_string(k) + " \"" + sjis::toUtf8(e.answerText) + "\"";
            const Rect ink = blueInkAround(page, place.answer);
            ASSERT_GT(ink.width(), 0) << where;
            ++boxes;
            // No black pixel on or right next to the answer's ink: no box line crosses or
            // touches it.
            EXPECT_FALSE(darkIn(page, ink.left - 1, ink.top - 1, ink.right + 1, ink.bottom + 1))
                << where;
            const Rect& box = place.box;
            // Nothing else stands in the box: no question text, no other box.
            if (kind == 1 || kind == 5) {
                // A rounded box's corners round off up to 8 pixels.
                const int c = kind == 5 ? 9 : 2;
                EXPECT_FALSE(
                    darkIn(page, box.left + c, box.top + 2, box.right - c, box.bottom - 2) ||
                    darkIn(page, box.left + 2, box.top + c, box.right - 2, box.bottom - c))
                    << where << ": something else inside the box";
            }
            if (kind == 4) {
                EXPECT_FALSE(darkIn(page, box.left, box.top, box.right, box.bottom - 4))
                    << where << ": something else over the underline";
            }
            for (int j = 1; j < k && kind != 0; ++j) {
                // Brackets enclose the base; the other kinds draw the box.
                const bool brackets = kind == 2 || kind == 3;
                const AnswerPlace o = PlaceAnswer(st.KranTable[j], style);
                const Rect& a = brackets ? place.base : box;
                const Rect& b = brackets ? o.base : o.box;
                EXPECT_FALSE(a.left < b.right && b.left < a.right && a.top < b.bottom &&
                             b.top < a.bottom)
                    << where << ": overlaps box " << j;
            }
            switch (kind) {
            case 1:
            case 5:
                // The outline runs along the box's outermost pixels.
                EXPECT_GE(ink.left, box.left + 2) << where;
                EXPECT_LE(ink.right, box.right - 2) << where;
                EXPECT_GE(ink.top, box.top + 2) << where;
                EXPECT_LE(ink.bottom, box.bottom - 2) << where;
                break;
            case 4:
                // The underline runs below the ink, inside the box.
                EXPECT_TRUE(darkIn(page, ink.left, ink.bottom + 1, ink.right, box.bottom))
                    << where << ": no underline under the answer";
                break;
            case 2:
            case 3: {
                // Bracket ink on each side of the answer, at its height.
                const int reach = 3 * e.fontSize;
                const int mid = (ink.top + ink.bottom) / 2;
                EXPECT_TRUE(darkIn(page, ink.left - reach, mid - 2, ink.left - 1, mid + 2))
                    << where << ": no opening bracket";
                EXPECT_TRUE(darkIn(page, ink.right + 1, mid - 2, ink.right + reach, mid + 2))
                    << where << ": no closing bracket";
                break;
            }
            default:
                break;
            }
        }
    }
    EXPECT_GT(boxes, 150);
}

// The course check lays units out on a page that measures text but draws nothing: every
// answer of the course lands where the drawn page puts it.
TEST(AnswerInk, UndrawnPageMeasuresAsTheDrawnPage) {
    const std::vector<UnitRef> units = courseUnits();
    ASSERT_GE(units.size(), 40u);
    for (const UnitRef& ref : units) {
        CliSession session;
        ASSERT_TRUE(session.openCourse(CourseDir));
        ASSERT_TRUE(session.openUnit(ref)) << name(ref);
        Program& p = session.program();
        Worksheet& sheet = *session.sheet();
        const auto drawn = p.sheets.current->layout.KranTable;
        const int count = p.sheets.current->layout.kranCount;
        QImage page = makePageImage(sheet.paper.Width, sheet.paper.Height);
        QtCanvas metrics(page);
        LayoutOnlyCanvas undrawn(metrics);
        LayOutPage(p, sheet, undrawn, false);
        ASSERT_EQ(p.sheets.current->layout.kranCount, count) << name(ref);
        for (int k = 1; k <= count; ++k) {
            const KranEntry &a = drawn[k], &b = p.sheets.current->layout.KranTable[k];
            EXPECT_EQ(std::tie(a.x, a.y, a.width, a.answerTop, a.answerBottom),
                      std::tie(b.x, b.y, b.width, b.answerTop, b.answerBottom))
                << name(ref) << " box " << k;
        }
        // Nothing was drawn on the page behind.
        EXPECT_EQ(page, makePageImage(sheet.paper.Width, sheet.paper.Height)) << name(ref);
    }
}

// A printer canvas that presents its page in layout units gets the very page the screen
// shows: the paper layout draws the same pixels as the screen layout, answers, boxes and
// pictures alike.
TEST(AnswerInk, PaperLayoutIsTheScreenLayout) {
    for (const char* unit : {"1.1.5", "2.1.1", "3.2.2", "3.3.1"}) {
        SCOPED_TRACE(unit);
        int l = 0, s = 0, u = 0;
        std::sscanf(unit, "%d.%d.%d", &l, &s, &u);
        CliSession session;
        ASSERT_TRUE(session.openCourse(CourseDir));
        ASSERT_TRUE(session.openUnit(UnitRef{l, s, u, 0}));
        Worksheet& sheet = *session.sheet();
        Program& p = session.program();
        const QImage screen = session.pageImage().convertToFormat(QImage::Format_RGB32);
        QImage paper = makePageImage(sheet.paper.Width, sheet.paper.Height);
        {
            QtCanvas canvas(paper);
            LayOutPage(p, sheet, canvas, true);
        }
        paper = paper.convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(paper.size(), screen.size());
        int differ = 0;
        for (int y = 0; y < screen.height(); ++y)
            for (int x = 0; x < screen.width(); ++x)
                if (screen.pixel(x, y) != paper.pixel(x, y)) ++differ;
        EXPECT_EQ(differ, 0);
    }
}

// Writes a file of CP932 text lines ended by CR LF.
bool writeCourseFile(const QString& path, const QStringList& lines) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    for (const QString& l : lines)
        f.write(QByteArray::fromStdString(sjis::fromUtf8(l.toStdString()) + "\r\n"));
    return true;
}

// A course of one unit whose answers are made of characters that nothing else on the
// page uses: a Japanese answer, a fraction of letters, and an answer with an alternative.
bool makeCourse(const QString& dir) {
    const QStringList value{"630", "False", "40", "5", "5", "1", "7"};
    const QStringList font{"12", "MS 明朝", "False", "False", "False", "False", "0"};
    const QStringList kran{"1", "15", "2", "0", "0", "0", "15", "10", "0", "0"};
    QStringList que{"[[unit1", "<<ques", "(1)　x＝# みかん#　です", "(2)　# w/z#　と　# k+j;jk#",
                    ">>",      "<<value"};
    que << value << ">>"
        << "<<font" << font << ">>"
        << "<<kran" << kran << ">>"
        << "]]";
    return QDir(dir).mkpath("T1") &&
           writeCourseFile(dir + "/Main.ind", {"テスト", "x", "試験,T1\\ t1", ">>"}) &&
           writeCourseFile(dir + "/T1/t1.ind",
                           {"試験", "[[sect1", "節", "<<", "単元", ">>", "]]"}) &&
           writeCourseFile(dir + "/T1/t11.que", que);
}

TEST(AnswerInk, ProblemSheetPdfCarriesNoAnswer) {
    if (!poppler("pdftotext", {"-v"})) GTEST_SKIP() << "poppler-utils missing";
    QTemporaryDir tmp;
    const QString course = tmp.filePath("course");
    ASSERT_TRUE(makeCourse(course));
    const QString problem = tmp.filePath("problem.pdf");
    const QString answers = tmp.filePath("answers.pdf");
    Outcome o = runVelmix({"render", course, "--unit", "1.1.1", "-o", problem}, tmp.path());
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    o = runVelmix({"render", course, "--unit", "1.1.1", "--answers", "-o", answers}, tmp.path());
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    const QString p = poppler("pdftotext", {problem, "-"}).value_or("");
    const QString a = poppler("pdftotext", {answers, "-"}).value_or("");
    ASSERT_TRUE(p.contains(QStringLiteral("です"))) << p.toStdString();
    for (const char* c : {"み", "か", "ん", "w", "z", "k", "j"}) {
        EXPECT_FALSE(p.contains(QString::fromUtf8(c))) << c << " in the problem sheet";
        EXPECT_TRUE(a.contains(QString::fromUtf8(c))) << c << " missing from the answer sheet";
    }
}

// The answer sheets as printed: each unit laid out on a 600-dpi paper page, where glyph
// outlines are not hinted to screen pixels as on the page image. No box line comes within a
// quarter of a screen pixel of an answer's ink, whatever the box kind.
TEST(AnswerInk, EveryAnswerOfTheCourseClearOfItsBoxOnPaper) {
    const std::vector<UnitRef> units = courseUnits();
    ASSERT_GE(units.size(), 40u);
    const double k = 600 / 76.2;
    const int reach = 2; // dots: a quarter of a screen pixel
    int boxes = 0;
    for (const UnitRef& ref : units) {
        CliSession session;
        ASSERT_TRUE(session.openCourse(CourseDir));
        ASSERT_TRUE(session.openUnit(ref)) << name(ref);
        Worksheet& sheet = *session.sheet();
        Program& p = session.program();
        const int w = sheet.paper.Width, h = sheet.paper.Height;
        QImage paper(static_cast<int>(w * k), static_cast<int>(h * k), QImage::Format_RGB32);
        paper.fill(Qt::white);
        {
            QtCanvas canvas(paper);
            canvas.setLayoutPage(w, h, 600);
            LayOutPage(p, sheet, canvas, true);
        }
        const SheetLayout& st = sheet.layout;
        const BoxStyle style = AnswerBoxStyle(sheet);
        for (int b = 1; b <= st.kranCount; ++b) {
            const AnswerPlace place = PlaceAnswer(st.KranTable[b], style);
            const std::string where = name(ref) + " box " + std::to_string(b) + " \"" +
                                      sjis::toUtf8(st.KranTable[b].answerText) + "\"";
            const Rect& a = place.answer;
            int touching = 0, ink = 0;
            for (int y = static_cast<int>((a.top - 2) * k); y < (a.bottom + 2) * k; ++y)
                for (int x = static_cast<int>((a.left - 2) * k); x < (a.right + 2) * k; ++x) {
                    if (!paper.rect().contains(x, y) || !blueInk(paper.pixel(x, y))) continue;
                    ++ink;
                    if (darkIn(paper, x - reach, y - reach, x + reach + 1, y + reach + 1))
                        ++touching;
                }
            EXPECT_GT(ink, 0) << where;
            EXPECT_EQ(touching, 0) << where;
            ++boxes;
        }
    }
    EXPECT_GT(boxes, 150);
}

} // namespace
