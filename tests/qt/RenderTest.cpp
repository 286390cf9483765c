// The worksheets of the bundled course drawn for real: page images through the Qt canvas,
// numbered PDF copies through the PDF printer, and exported worksheet files read back.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <map>

#include "Poppler.h"
#include "RunVelmix.h"
#include "cli/CliSession.h"
#include "formats/CourseIndex.h"
#include "worksheet/AnswerBoxes.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/WorksheetSetters.h"

namespace {

const std::string CourseDir = VELMIX_SOURCE_DIR "/course";

bool inside(const Worksheet::Placed& p, int x, int y) {
    return p.visible && x >= p.left - 1 && x <= p.left + p.width && y >= p.top - 1 &&
           y <= p.top + p.height;
}

// Pixels of the answer colour outside the pictures (graphs and class flag carry colours
// of their own).
int bluePixels(const QImage& page, const Worksheet& sheet) {
    int n = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) {
            QRgb c = page.pixel(x, y);
            if (qBlue(c) < 180 || qRed(c) > 90 || qGreen(c) > 90) continue;
            bool picture = inside(sheet.classFlagPlaced, x, y);
            for (const auto& g : sheet.graphPlaced)
                picture = picture || inside(g, x, y);
            if (!picture) ++n;
        }
    return n;
}

bool dark(const QImage& page, int x, int y) {
    if (!page.rect().contains(x, y)) return false;
    QRgb c = page.pixel(x, y);
    return qRed(c) < 100 && qGreen(c) < 100 && qBlue(c) < 100;
}

bool darkNear(const QImage& page, int x, int y, int reach) {
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (dark(page, x + dx, y + dy)) return true;
    return false;
}

// Where each kind of box must leave ink: outlines on their edges, brackets at the left.
void expectBoxDrawn(const QImage& page, int kind, const Rect& base, const Rect& box,
                    const std::string& where) {
    const int midX = (box.left + box.right) / 2;
    const int midY = (box.top + box.bottom) / 2;
    switch (kind) {
    case 1:
        EXPECT_TRUE(darkNear(page, box.left, midY, 1)) << where;
        EXPECT_TRUE(darkNear(page, box.right - 1, midY, 1)) << where;
        break;
    case 4:
        EXPECT_TRUE(darkNear(page, midX, box.bottom - 3, 1)) << where;
        break;
    case 5:
        EXPECT_TRUE(darkNear(page, box.left, midY, 2) || darkNear(page, midX, box.top, 3)) << where;
        break;
    case 2:
    case 3: {
        // The opening bracket's ink stands just inside the base's left edge.
        bool ink = false;
        for (int y = base.top; y < base.bottom && !ink; ++y)
            for (int x = base.left - 4; x < base.left + 10 && !ink; ++x)
                ink = dark(page, x, y);
        EXPECT_TRUE(ink) << where;
        break;
    }
    default:
        break;
    }
}

} // namespace

TEST(RenderCourse, EveryUnitDrawsItsProblemAndAnswerSheet) {
    CliSession lister;
    ASSERT_TRUE(lister.openCourse(CourseDir));
    Program& lp = lister.program();
    std::map<int, int> boxesOfKind;
    int units = 0;
    for (int l = 1; l <= static_cast<int>(lp.course.lessonNames.size()); ++l) {
        ASSERT_TRUE(LoadLesson(lp.platform.files, lp.course, l));
        const int sections = static_cast<int>(lp.course.sectionNames.size());
        for (int s = 1; s <= sections; ++s)
            for (int u = 1; u <= lp.course.sectionUnitCount[s]; ++u) {
                const std::string where =
                    std::to_string(l) + "." + std::to_string(s) + "." + std::to_string(u);
                CliSession session;
                ASSERT_TRUE(session.openCourse(CourseDir));
                ASSERT_TRUE(session.openUnit(UnitRef{l, s, u, 0})) << where;
                ++units;
                Program& p = session.program();
                Worksheet& sheet = *session.sheet();
                // After start-up the answers are shown: this is the answer sheet.
                ASSERT_TRUE(sheet.ShowAnswers);
                const QImage& page = session.pageImage();
                EXPECT_EQ(page.width(), sheet.paper.Width) << where;
                EXPECT_EQ(page.height(), sheet.paper.Height) << where;
                EXPECT_GT(bluePixels(page, sheet), 20) << where;

                const int kind = static_cast<int>(AnswerBoxKind(sheet));
                const SheetLayout& st = sheet.layout;
                ASSERT_GT(st.kranCount, 0) << where;
                for (int k = 1; k <= st.kranCount; ++k) {
                    const KranEntry& e = st.KranTable[k];
                    const AnswerPlace place = PlaceAnswer(e, AnswerBoxStyle(sheet));
                    expectBoxDrawn(page, kind, place.base, place.box,
                                   where + " box " + std::to_string(k));
                    ++boxesOfKind[kind];
                }

                ToggleShowAnswers(p);
                ASSERT_FALSE(sheet.ShowAnswers);
                EXPECT_EQ(bluePixels(session.pageImage(), sheet), 0) << where;
                // The problem sheet keeps the places of the answers.
                EXPECT_GT(p.sheets.current->layout.kranCount, 0) << where;
            }
    }
    EXPECT_GE(units, 30);
    for (int kind = 0; kind <= 5; ++kind)
        EXPECT_GT(boxesOfKind[kind], 0) << "no unit of the course uses box kind " << kind;
}

TEST(RenderCommand, PngHasThePaperSizeAndBadRequestsFail) {
    QTemporaryDir tmp;
    const QString png = tmp.filePath("page.png");
    Outcome o = runVelmix(
        {"render", QString::fromStdString(CourseDir), "--unit", "1.1.2", "-o", png}, tmp.path());
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    QImage image(png);
    EXPECT_EQ(image.size(), QSize(630, 891));

    o = runVelmix({"render", QString::fromStdString(CourseDir), "--unit", "1.1.99", "-o", png},
                  tmp.path());
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_TRUE(o.err.contains(QStringLiteral("単元 1.1.99 がありません"))) << o.err.toStdString();

    o = runVelmix({"render", QString::fromStdString(CourseDir), "--unit", "1.1.2"}, tmp.path());
    EXPECT_EQ(o.exitCode, 2);
    EXPECT_TRUE(o.err.contains("usage")) << o.err.toStdString();

    o = runVelmix({"render", tmp.path(), "--unit", "1.1.1", "-o", png}, tmp.path());
    EXPECT_EQ(o.exitCode, 1);
    EXPECT_TRUE(o.err.contains(QStringLiteral("が見つかりません"))) << o.err.toStdString();
}

TEST(RenderCommand, NumberedCopiesAreOnePageEach) {
    if (!poppler("pdfinfo", {"-v"}) || !poppler("pdftotext", {"-v"}))
        GTEST_SKIP() << "poppler-utils missing";
    QTemporaryDir tmp;
    const QString pdf = tmp.filePath("copies.pdf");
    Outcome o = runVelmix({"render", QString::fromStdString(CourseDir), "--unit", "3.2.1", "-o",
                           pdf, "--copies", "3", "--numbered", "--dpi", "300"},
                          tmp.path());
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    const QString info = poppler("pdfinfo", {pdf}).value_or("");
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+3\\b"))) << info.toStdString();
    const QStringList pages = poppler("pdftotext", {pdf, "-"}).value_or("").split('\f');
    ASSERT_GE(pages.size(), 3);
    for (int n = 1; n <= 3; ++n) {
        const QString text = pages[n - 1];
        EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("№\\s*%1\\s").arg(n))))
            << "page " << n << ": " << text.left(200).toStdString();
        EXPECT_TRUE(text.contains("2025.12.07")) << text.left(200).toStdString();
    }

    // Unnumbered copies carry no number; the screen-faithful mode prints the page image.
    const QString plain = tmp.filePath("plain.pdf");
    o = runVelmix({"render", QString::fromStdString(CourseDir), "--unit", "1.1.1", "-o", plain,
                   "--copies", "2", "--mode", "screen", "--dpi", "150"},
                  tmp.path());
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    EXPECT_TRUE(
        poppler("pdfinfo", {plain}).value_or("").contains(QRegularExpression("Pages:\\s+2\\b")));
}

TEST(ExportCommand, ExportedWorksheetReadsBackTheSame) {
    QTemporaryDir tmp;
    for (const char* unit : {"3.2.1", "1.4.1", "1.1.5.1"}) {
        const QString prp =
            tmp.filePath(QString("sheet-%1.prp").arg(QString(unit).replace('.', '-')));
        Outcome o = runVelmix(
            {"export", QString::fromStdString(CourseDir), "--unit", unit, "-o", prp}, tmp.path());
        ASSERT_EQ(o.exitCode, 0) << unit << o.err.toStdString();

        CliSession fromUnit;
        ASSERT_TRUE(fromUnit.openCourse(CourseDir));
        int l = 0, s = 0, u = 0, r = 0;
        std::sscanf(unit, "%d.%d.%d.%d", &l, &s, &u, &r);
        ASSERT_TRUE(fromUnit.openUnit(UnitRef{l, s, u, r}));
        CliSession fromFile;
        ASSERT_TRUE(fromFile.openCourse(CourseDir));
        ASSERT_TRUE(fromFile.openWorksheetFile(prp.toStdString())) << unit;
        const Worksheet& a = *fromUnit.sheet();
        const Worksheet& b = *fromFile.sheet();
        EXPECT_EQ(a.strTangen, b.strTangen) << unit;
        EXPECT_EQ(a.strSchool, b.strSchool);
        EXPECT_EQ(a.strShimei, b.strShimei);
        EXPECT_EQ(a.lstQues, b.lstQues);
        EXPECT_EQ(a.lstQGraph, b.lstQGraph);
        EXPECT_EQ(a.lstAGraph, b.lstAGraph);
        EXPECT_EQ(a.kranLines(), b.kranLines());
        EXPECT_EQ(a.KgroupLines, b.KgroupLines);
        EXPECT_EQ(a.paper, b.paper);
        EXPECT_EQ(a.LineSpace, b.LineSpace);
        EXPECT_EQ(a.FontSize, b.FontSize);
        EXPECT_EQ(a.LeftMargin, b.LeftMargin);
        EXPECT_EQ(a.RightMargin, b.RightMargin);
        EXPECT_EQ(a.StartNo, b.StartNo);
        EXPECT_EQ(a.Options, b.Options);
        EXPECT_EQ(a.strMainFont, b.strMainFont);
        // Automatic graph places were stored as laid out: no "-1" is left.
        for (std::size_t i = 1; i < b.lstQGraph.size(); i += 3)
            EXPECT_NE(b.lstQGraph[i], "-1") << unit;
    }
    Outcome o =
        runVelmix({"export", QString::fromStdString(CourseDir), "--unit", "1.1.1"}, tmp.path());
    ASSERT_EQ(o.exitCode, 0);
    EXPECT_TRUE(o.out.startsWith("[[unitX\r\n<<header\r\n")) << o.out.left(40).toStdString();
}
