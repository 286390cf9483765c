#include "qt/BitmapConvert.h"

#include <cstring>

QImage toQImage(const Bitmap& picture) {
    if (picture.empty()) return {};
    const std::size_t w = static_cast<std::size_t>(picture.width);
    const std::size_t h = static_cast<std::size_t>(picture.height);
    if (picture.pixels.size() < w * h) return {};
    QImage image(picture.width, picture.height, QImage::Format_ARGB32);
    if (image.isNull()) return {};
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(image.scanLine(y), picture.pixels.data() + static_cast<std::size_t>(y) * w,
                    w * sizeof(std::uint32_t));
    return image;
}

Bitmap fromQImage(const QImage& image) {
    if (image.isNull()) return {};
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    Bitmap picture(argb.width(), argb.height());
    const std::size_t w = static_cast<std::size_t>(picture.width);
    for (int y = 0; y < picture.height; ++y)
        std::memcpy(picture.pixels.data() + static_cast<std::size_t>(y) * w, argb.constScanLine(y),
                    w * sizeof(std::uint32_t));
    return picture;
}
