// The course's pictures on paper and on screens of higher resolution: drawn from the drawing
// beside each bitmap, so that a slanted line of a graph is smooth instead of a staircase of
// screen pixels, in the very place and size the screen page gives the picture. A course
// with bitmaps alone prints them as before.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "PaperRaster.h"
#include "RunVelmix.h"
#include "cli/CliSession.h"
#include "qt/CanvasImages.h"
#include "qt/QtPictures.h"

namespace {

const QString CourseDir = QStringLiteral(VELMIX_SOURCE_DIR "/course");
constexpr double kDots = 600 / 76.2; // printer dots per layout unit at 600 dpi

bool blue(QRgb c) {
    return qBlue(c) > 150 && qRed(c) < 120 && qGreen(c) < 120;
}

// Of the rows of image whose leftmost blue pixel lies inside the picture, the share whose
// leftmost blue pixel stands elsewhere than in the row above: about 1 for a smooth slanted
// line, about 1/8 for screen pixels stretched 8 times.
double smoothness(const QImage& image) {
    int rows = 0, moved = 0, last = -1;
    for (int y = 0; y < image.height(); ++y) {
        int left = -1;
        for (int x = 0; x < image.width() && left < 0; ++x)
            if (blue(image.pixel(x, y))) left = x;
        if (left < 0) {
            last = -1;
            continue;
        }
        if (last >= 0) {
            ++rows;
            moved += left != last ? 1 : 0;
        }
        last = left;
    }
    return rows > 0 ? static_cast<double>(moved) / rows : 0.0;
}

// Where the first graph of a unit's answer sheet stands on the page, in layout units.
QRect graphOf(const QString& course, const UnitRef& unit) {
    CliSession session;
    if (!session.openCourse(course.toStdString()) || !session.openUnit(unit)) return {};
    const Worksheet::Placed& g = session.sheet()->graphPlaced[0];
    return g.visible ? QRect(g.left, g.top, g.width, g.height) : QRect();
}

// The area of page 1 of pdf at 600 dpi that shows a picture placed at `units`.
QImage printedArea(const QString& pdf, const QString& prefix, const QRect& units) {
    const int x = static_cast<int>(units.left() * kDots), y = static_cast<int>(units.top() * kDots);
    const int w = static_cast<int>(units.width() * kDots);
    const int h = static_cast<int>(units.height() * kDots);
    if (!poppler("pdftoppm", {"-r", "600", "-f", "1", "-l", "1", "-x", QString::number(x), "-y",
                              QString::number(y), "-W", QString::number(w), "-H",
                              QString::number(h), "-png", "-singlefile", pdf, prefix}))
        return {};
    return QImage(prefix + ".png").convertToFormat(QImage::Format_RGB32);
}

// The bounding box of what is not white, in layout units (pdftoppm at 76.2 dpi).
QRect inkNear(const QString& pdf, const QString& prefix, const QRect& around) {
    const QImage page = rasterisePdfPage(pdf, prefix, 1, 1);
    return inkBox(page, around.adjusted(-6, -6, 6, 6), [](QRgb c) { return qGray(c) < 245; });
}

// A copy of the course without its drawings, as a course made elsewhere comes.
bool copyWithoutDrawings(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        if (file.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) continue;
        const QString target = to + file.mid(from.size());
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(file, target)) return false;
    }
    return true;
}

TEST(PicturesOnPaper, GraphsPrintSmoothInTheScreensPlace) {
    if (!poppler("pdftoppm", {"-v"})) GTEST_SKIP() << "poppler-utils missing";
    QTemporaryDir tmp;
    const QString bare = tmp.filePath("bare");
    ASSERT_TRUE(copyWithoutDrawings(CourseDir, bare));
    // Two crossing lines, one of them blue (the intersection unit).
    const UnitRef unit{3, 2, 4, 0};
    struct Case {
        QString course;
        bool smooth;
    };
    QRect printed[2];
    for (const Case& c : {Case{CourseDir, true}, Case{bare, false}}) {
        SCOPED_TRACE(c.course.toStdString());
        const QRect graph = graphOf(c.course, unit);
        ASSERT_FALSE(graph.isNull());
        const QString pdf = tmp.filePath(c.smooth ? "drawn.pdf" : "bitmap.pdf");
        const Outcome o =
            runVelmix({"render", c.course, "--unit", "3.2.4", "--answers", "-o", pdf}, tmp.path());
        ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
        const QImage area = printedArea(pdf, tmp.filePath(c.smooth ? "a" : "b"), graph);
        ASSERT_FALSE(area.isNull());
        const double share = smoothness(area);
        if (c.smooth)
            EXPECT_GT(share, 0.6);
        else
            EXPECT_LT(share, 0.3);
        const QRect ink = inkNear(pdf, tmp.filePath(c.smooth ? "p" : "q"), graph);
        EXPECT_LE(std::abs(ink.left() - graph.left()), 2);
        EXPECT_LE(std::abs(ink.top() - graph.top()), 2);
        EXPECT_LE(std::abs(ink.right() - graph.right()), 2);
        EXPECT_LE(std::abs(ink.bottom() - graph.bottom()), 2);
        printed[c.smooth ? 0 : 1] = ink;
    }
    // The drawing takes the bitmap's place and size on the page.
    EXPECT_LE(std::abs(printed[0].left() - printed[1].left()), 1);
    EXPECT_LE(std::abs(printed[0].top() - printed[1].top()), 1);
    EXPECT_LE(std::abs(printed[0].right() - printed[1].right()), 1);
    EXPECT_LE(std::abs(printed[0].bottom() - printed[1].bottom()), 1);
}

// The title picture on a screen of device pixel ratio 2 is drawn at twice its pixels from
// its drawing; with ratio 1, or without a drawing, it is the bitmap itself.
TEST(PicturesOnPaper, TitlePictureAtTwiceTheResolution) {
    QtPictures pictures;
    Bitmap title;
    ASSERT_TRUE(pictures.load(CourseDir.toStdString() + "/Title.BMP", title));
    ASSERT_TRUE(title.drawing);
    const QImage sharp = pictureAtRatio(title, 2.0);
    EXPECT_EQ(sharp.size(), QSize(2 * title.width, 2 * title.height));
    EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
    EXPECT_EQ(sharp.deviceIndependentSize().toSize(), QSize(title.width, title.height));
    // Its steep blue line (y = 2x) moves a pixel every second row at the finer pixels; the
    // bitmap doubled moves two pixels every fourth row.
    EXPECT_GT(smoothness(sharp.copy(2 * 250, 2 * 30, 2 * 140, 2 * 140)), 0.4);
    EXPECT_LT(smoothness(pictureAtRatio(title, 1.0)
                             .scaled(2 * title.width, 2 * title.height)
                             .copy(2 * 250, 2 * 30, 2 * 140, 2 * 140)
                             .convertToFormat(QImage::Format_RGB32)),
              0.35);
    Bitmap plain = title;
    plain.drawing.reset();
    EXPECT_EQ(pictureAtRatio(plain, 2.0).size(), QSize(title.width, title.height));
}

} // namespace
