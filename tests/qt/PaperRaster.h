#pragma once
// PDF pages laid over screen page images: a PDF page rasterised at one pixel per layout
// unit (1/3 mm, 76.2 dpi), and where the ink of a page lies.

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QString>
#include <algorithm>
#include <climits>
#include <functional>
#include <vector>

#include "Poppler.h"

// Page page of a PDF file at one pixel per layout unit; a null image when poppler is
// missing. With supersample n, poppler draws it at n times that and each pixel is the mean
// of its n × n block, so that a thin line shades the pixels it covers by how much it covers
// them (poppler alone would snap it to whole pixels); pictures are best compared at 1.
inline QImage rasterisePdfPage(const QString& file, const QString& prefix, int page = 1,
                               int supersample = 4) {
    const QString n = QString::number(page);
    const int k = std::max(1, supersample);
    if (!poppler(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QString::number(76.2 * k), QStringLiteral("-f"), n,
                  QStringLiteral("-l"), n, QStringLiteral("-png"), QStringLiteral("-singlefile"),
                  file, prefix}))
        return {};
    const QImage fine =
        QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
    if (k == 1) return fine;
    QImage out(fine.width() / k, fine.height() / k, QImage::Format_RGB32);
    const int n2 = k * k;
    // Row by row through the scan lines: the pages are large and read whole.
    std::vector<int> r(static_cast<std::size_t>(out.width())), g(r.size()), b(r.size());
    for (int y = 0; y < out.height(); ++y) {
        std::fill(r.begin(), r.end(), 0);
        std::fill(g.begin(), g.end(), 0);
        std::fill(b.begin(), b.end(), 0);
        for (int dy = 0; dy < k; ++dy) {
            const QRgb* row = reinterpret_cast<const QRgb*>(fine.constScanLine(k * y + dy));
            for (int x = 0; x < out.width(); ++x)
                for (int dx = 0; dx < k; ++dx) {
                    const QRgb c = row[k * x + dx];
                    r[static_cast<std::size_t>(x)] += qRed(c);
                    g[static_cast<std::size_t>(x)] += qGreen(c);
                    b[static_cast<std::size_t>(x)] += qBlue(c);
                }
        }
        QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const std::size_t i = static_cast<std::size_t>(x);
            line[x] = qRgb((r[i] + n2 / 2) / n2, (g[i] + n2 / 2) / n2, (b[i] + n2 / 2) / n2);
        }
    }
    return out;
}

// Whether the pixel at (x, y) is ink.
using InkAt = std::function<bool(int x, int y)>;

// The bounding box of the pixels of area that are ink (a null rectangle when none are).
inline QRect inkBox(const QRect& area, const InkAt& ink) {
    int l = INT_MAX, t = INT_MAX, r = INT_MIN, b = INT_MIN;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (ink(x, y)) {
                l = std::min(l, x);
                r = std::max(r, x);
                t = std::min(t, y);
                b = std::max(b, y);
            }
    return l > r ? QRect() : QRect(QPoint(l, t), QPoint(r, b));
}

// The same for the pixels of an image whose colour passes ink.
inline QRect inkBox(const QImage& im, const QRect& area, const std::function<bool(QRgb)>& ink) {
    return inkBox(area.intersected(im.rect()), [&](int x, int y) { return ink(im.pixel(x, y)); });
}

// The centre of the ink in area, each pixel weighted by its darkness.
inline QPointF inkCentre(const QImage& im, const QRect& area) {
    double sx = 0, sy = 0, sw = 0;
    const QRect inside = area.intersected(im.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const double w = 255 - qGray(im.pixel(x, y));
            sx += w * (x + 0.5);
            sy += w * (y + 0.5);
            sw += w;
        }
    return sw > 0 ? QPointF(sx / sw, sy / sw) : QPointF(-1, -1);
}

inline bool darkInk(QRgb c) {
    return qGray(c) < 190;
}
// The answer colour, blue, also where it is blended into the white paper.
inline bool blueInk(QRgb c) {
    return qBlue(c) > 150 && qRed(c) < 170 && qGreen(c) < 170 && qBlue(c) - qRed(c) > 60;
}
