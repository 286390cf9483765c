// Pictures in printed PDF files: each picture is one image object however many pages and
// places show it, and no picture is JPEG-compressed. Read back with poppler's pdfimages.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "PaperRaster.h"
#include "RunVelmix.h"
#include "qt/QtPdfPrinter.h"

namespace {

const QString CourseDir = QStringLiteral(VELMIX_SOURCE_DIR "/course");

// One use of an image on a page, as pdfimages lists it.
struct ImageUse {
    int page;
    int width, height;
    QString encoding; // "image" (Flate), "jpeg", ...
    int object;
};

// The images of a PDF file; nullopt when pdfimages is not installed.
std::optional<std::vector<ImageUse>> imagesOf(const QString& file) {
    const auto out = poppler(QStringLiteral("pdfimages"), {QStringLiteral("-list"), file});
    if (!out) return std::nullopt;
    std::vector<ImageUse> uses;
    for (const QString& line : out->split('\n')) {
        const QStringList f = line.simplified().split(' ');
        bool number = false;
        const int page = f.value(0).toInt(&number);
        if (!number || f.size() < 11) continue; // the heading lines
        uses.push_back({page, f[3].toInt(), f[4].toInt(), f[8], f[10].toInt()});
    }
    return uses;
}

QSet<int> objectsOf(const std::vector<ImageUse>& uses, int page = 0) {
    QSet<int> objects;
    for (const ImageUse& u : uses)
        if (page == 0 || u.page == page) objects.insert(u.object);
    return objects;
}

// A picture with sharp colour edges, which JPEG would blur.
Bitmap flag(std::uint32_t corner) {
    Bitmap b(60, 45, 0xFF1030A0u);
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x)
            if (std::abs(x - y - 8) < 6) b.at(x, y) = 0xFFF0D020u;
    b.at(0, 0) = corner;
    return b;
}

TEST(PdfPictures, EachPictureIsOneLosslessImageForTheWholeJob) {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("job.pdf"));
    Bitmap graph(90, 70, 0xFFFFFFFFu);
    for (int x = 0; x < 90; ++x)
        graph.at(x, 35) = 0xFF0000FFu;
    {
        QtPdfPrinter printer(file);
        for (int copy = 1; copy <= 3; ++copy) {
            ASSERT_TRUE(printer.beginDoc());
            Canvas& c = printer.canvas();
            // A new bitmap of the same pixels on every page, as every layout loads its own.
            const Bitmap f = flag(0xFF1030A0u);
            c.stretchDraw({35, 31, 95, 76}, f);
            c.stretchDraw({300, 31, 360, 76}, f);
            c.stretchDraw({100, 200, 190, 270}, Bitmap(graph));
            if (copy == 3) c.stretchDraw({400, 400, 460, 445}, flag(0xFFFFFFFFu));
            ASSERT_TRUE(printer.endDoc());
        }
        ASSERT_TRUE(printer.finish());
    }
    const auto uses = imagesOf(file);
    if (!uses) GTEST_SKIP() << "pdfimages is not installed";
    ASSERT_EQ(uses->size(), 10u);
    EXPECT_EQ(objectsOf(*uses).size(), 3) << "the flag, the graph and the flag changed in a pixel";
    EXPECT_EQ(objectsOf(*uses, 1), objectsOf(*uses, 2));
    for (const ImageUse& u : *uses)
        EXPECT_NE(u.encoding, QStringLiteral("jpeg")) << "page " << u.page;

    // Taken out of the file, the flag's image has the flag's pixels exactly.
    const QString prefix = dir.filePath(QStringLiteral("img"));
    ASSERT_TRUE(poppler(QStringLiteral("pdfimages"),
                        {QStringLiteral("-png"), QStringLiteral("-f"), QStringLiteral("1"),
                         QStringLiteral("-l"), QStringLiteral("1"), file, prefix}));
    const QImage image(prefix + QStringLiteral("-000.png"));
    const Bitmap f = flag(0xFF1030A0u);
    ASSERT_EQ(image.size(), QSize(f.width, f.height));
    int same = 0;
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x)
            same += (image.pixel(x, y) | 0xFF000000u) == f.at(x, y);
    EXPECT_EQ(same, f.width * f.height);
}

// A course printed as a user prints it: a numbered job of three answer sheets. The bundled
// course draws its pictures from their drawings, so its pages carry no images; the same
// course with bitmaps alone shares one image per picture among the pages.
TEST(PdfPictures, PrintedSheetsShareTheirClassFlagAndGraphs) {
    QTemporaryDir tmp;
    const QString bare = tmp.filePath(QStringLiteral("bare"));
    QDirIterator it(CourseDir, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        if (file.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) continue;
        const QString target = bare + file.mid(CourseDir.size());
        ASSERT_TRUE(QDir().mkpath(QFileInfo(target).path()) && QFile::copy(file, target));
    }
    for (const QString& course : {CourseDir, bare}) {
        SCOPED_TRACE(course.toStdString());
        const QString pdf = tmp.filePath(QStringLiteral("job.pdf"));
        QFile::remove(pdf);
        const Outcome o = runVelmix({"render", course, "--unit", "3.2.1", "--answers", "-o", pdf,
                                     "--copies", "3", "--numbered"},
                                    tmp.path());
        ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
        const auto uses = imagesOf(pdf);
        if (!uses) GTEST_SKIP() << "pdfimages is not installed";
        if (course == CourseDir) {
            EXPECT_TRUE(uses->empty()) << "pictures printed from their bitmaps";
            continue;
        }
        // The class flag and the answer graphs on every page.
        EXPECT_GE(objectsOf(*uses, 1).size(), 2);
        for (int page = 2; page <= 3; ++page)
            EXPECT_EQ(objectsOf(*uses, page), objectsOf(*uses, 1)) << "page " << page;
        EXPECT_EQ(objectsOf(*uses), objectsOf(*uses, 1));
        for (const ImageUse& u : *uses)
            EXPECT_NE(u.encoding, QStringLiteral("jpeg")) << "page " << u.page;
    }
}

// The screen-faithful mode prints the page image itself: once, lossless, and each later
// copy only with the part that differs (its number) drawn over it.
TEST(PdfPictures, ScreenFaithfulCopiesShowThePageImageWithoutLoss) {
    QTemporaryDir tmp;
    const QString pdf = tmp.filePath(QStringLiteral("screen.pdf"));
    const QString png = tmp.filePath(QStringLiteral("screen.png"));
    Outcome o = runVelmix({"render", CourseDir, "--unit", "3.2.1", "--answers", "-o", pdf,
                           "--copies", "3", "--numbered", "--mode", "screen"},
                          tmp.path());
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    o = runVelmix({"render", CourseDir, "--unit", "3.2.1", "--answers", "-o", png}, tmp.path());
    ASSERT_EQ(o.exitCode, 0) << o.err.toStdString();
    const auto uses = imagesOf(pdf);
    if (!uses) GTEST_SKIP() << "pdfimages is not installed";
    int pageImages = 0;
    QSet<int> pageImageObjects;
    for (const ImageUse& u : *uses) {
        EXPECT_NE(u.encoding, QStringLiteral("jpeg")) << "page " << u.page;
        if (u.width == 630 && u.height == 891) {
            ++pageImages;
            pageImageObjects.insert(u.object);
        } else {
            EXPECT_GT(u.page, 1);
            EXPECT_LT(u.width * u.height, 630 * 891 / 100) << "only the number changes";
        }
    }
    EXPECT_EQ(pageImages, 3);
    EXPECT_EQ(pageImageObjects.size(), 1);

    // The first copy, laid over the page image, matches it pixel for pixel.
    const QImage screen = QImage(png).convertToFormat(QImage::Format_RGB32);
    const QImage paper = rasterisePdfPage(pdf, tmp.filePath(QStringLiteral("screen")), 1, 1);
    ASSERT_FALSE(paper.isNull());
    ASSERT_EQ(screen.size(), QSize(630, 891));
    // The PDF page is A4 in whole points (595 × 842): it ends within the last pixel.
    ASSERT_GE(paper.width(), 629);
    ASSERT_GE(paper.height(), 890);
    int differ = 0;
    for (int y = 0; y < std::min(891, paper.height()); ++y)
        for (int x = 0; x < std::min(630, paper.width()); ++x) {
            const QRgb a = screen.pixel(x, y), b = paper.pixel(x, y);
            differ += std::abs(qRed(a) - qRed(b)) > 3 || std::abs(qGreen(a) - qGreen(b)) > 3 ||
                      std::abs(qBlue(a) - qBlue(b)) > 3;
        }
    EXPECT_EQ(differ, 0);
}

} // namespace
