#include "qt/CanvasImages.h"

#include <QPainter>
#include <QSvgRenderer>

#include <cstdint>
#include <cstring>

namespace {
// The largest bitmap grab makes (256 megabytes of pixels).
constexpr long long kMaxGrabPixels = 64LL * 1024 * 1024;
constexpr int kDotsPerMeter96 = 3780;
} // namespace

QImage makePageImage(int w, int h) {
    QImage image(w < 1 ? 1 : w, h < 1 ? 1 : h, QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMeter96);
    image.setDotsPerMeterY(kDotsPerMeter96);
    image.fill(Qt::white);
    return image;
}

QImage canvasImageOf(const Bitmap& picture) {
    if (picture.empty() || picture.pixels.size() < static_cast<std::size_t>(picture.width) *
                                                       static_cast<std::size_t>(picture.height))
        return {};
    std::uint32_t allAlpha = 0xFF000000u;
    for (std::uint32_t p : picture.pixels)
        allAlpha &= p;
    const auto* bits = reinterpret_cast<const uchar*>(picture.pixels.data());
    const qsizetype stride = static_cast<qsizetype>(picture.width) * 4;
    QImage shared(bits, picture.width, picture.height, stride, QImage::Format_ARGB32);
    if (allAlpha == 0xFF000000u) return shared;
    QImage opaque(picture.width, picture.height, QImage::Format_RGB32);
    for (int y = 0; y < picture.height; ++y) {
        const auto* src = reinterpret_cast<const std::uint32_t*>(shared.constScanLine(y));
        auto* dst = reinterpret_cast<std::uint32_t*>(opaque.scanLine(y));
        for (int x = 0; x < picture.width; ++x)
            dst[x] = src[x] | 0xFF000000u;
    }
    return opaque;
}

Bitmap canvasBitmapOf(const QImage& image, const QRect& area) {
    if (area.width() <= 0 || area.height() <= 0) return {};
    if (static_cast<long long>(area.width()) * area.height() > kMaxGrabPixels) return {};
    const QRect inside = area.intersected(image.rect());
    const bool direct =
        image.format() == QImage::Format_ARGB32 || image.format() == QImage::Format_RGB32;
    const QImage source =
        direct || inside.isEmpty() ? image : image.convertToFormat(QImage::Format_ARGB32);
    const bool opaqueFormat = source.format() == QImage::Format_RGB32;
    Bitmap out;
    out.width = area.width();
    out.height = area.height();
    if (inside == area) {
        // The whole area lies on the image: rows are copied without filling first.
        out.pixels.reserve(static_cast<std::size_t>(area.width()) * area.height());
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            const auto* src =
                reinterpret_cast<const std::uint32_t*>(source.constScanLine(y)) + inside.left();
            out.pixels.insert(out.pixels.end(), src, src + inside.width());
        }
        if (opaqueFormat)
            for (std::uint32_t& p : out.pixels)
                p |= 0xFF000000u;
        return out;
    }
    out = Bitmap(area.width(), area.height(), 0xFFFFFFFFu);
    if (inside.isEmpty()) return out;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        const auto* src =
            reinterpret_cast<const std::uint32_t*>(source.constScanLine(y)) + inside.left();
        std::uint32_t* dst = &out.at(inside.left() - area.left(), y - area.top());
        if (opaqueFormat) {
            for (int x = 0; x < inside.width(); ++x)
                dst[x] = src[x] | 0xFF000000u;
        } else {
            std::memcpy(dst, src, static_cast<std::size_t>(inside.width()) * 4);
        }
    }
    return out;
}

QImage toQImage(const Bitmap& picture) {
    if (picture.empty()) return {};
    const std::size_t w = static_cast<std::size_t>(picture.width);
    if (picture.pixels.size() < w * static_cast<std::size_t>(picture.height)) return {};
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    if (image.isNull()) return {};
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(image.scanLine(y), picture.pixels.data() + static_cast<std::size_t>(y) * w,
                    w * sizeof(std::uint32_t));
    return image;
}

Bitmap fromQImage(const QImage& image) {
    if (image.isNull()) return {};
    return canvasBitmapOf(image, image.rect());
}

QImage pictureAtRatio(const Bitmap& picture, double ratio) {
    if (!picture.drawing || !(ratio > 1.0) || ratio > 8.0 || picture.empty())
        return toQImage(picture);
    QSvgRenderer renderer(QByteArray::fromStdString(*picture.drawing));
    if (!renderer.isValid()) return toQImage(picture);
    QImage image(static_cast<int>(picture.width * ratio + 0.5),
                 static_cast<int>(picture.height * ratio + 0.5), QImage::Format_ARGB32);
    if (image.isNull()) return toQImage(picture);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        renderer.render(&painter, QRectF(0, 0, image.width(), image.height()));
    }
    image.setDevicePixelRatio(ratio);
    return image;
}
