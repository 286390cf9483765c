#include "qt/CanvasImages.h"

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
    Bitmap out(area.width(), area.height(), 0xFFFFFFFFu);
    const QRect inside = area.intersected(image.rect());
    if (inside.isEmpty()) return out;
    QImage part = image.copy(inside);
    if (part.format() != QImage::Format_ARGB32 && part.format() != QImage::Format_RGB32)
        part = part.convertToFormat(QImage::Format_ARGB32);
    const bool opaqueFormat = part.format() == QImage::Format_RGB32;
    for (int y = 0; y < inside.height(); ++y) {
        const auto* src = reinterpret_cast<const std::uint32_t*>(part.constScanLine(y));
        std::uint32_t* dst = &out.at(inside.left() - area.left(), inside.top() - area.top() + y);
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
