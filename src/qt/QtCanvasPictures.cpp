#include "qt/QtCanvasPictures.h"

#include <cstring>

namespace {

// The pixels kept at most (about a dozen A4 page images): beyond it the cache starts over.
constexpr long long kMaxPixels = 8LL * 1024 * 1024;

// A hash of the size and of every 61st pixel: equal pictures have equal samples, and
// pictures that differ mostly differ in it too. Equality is then checked in full.
std::uint64_t sampleOf(const Bitmap& picture, std::size_t count) {
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ (static_cast<std::uint64_t>(picture.width) << 32) ^
                      static_cast<std::uint64_t>(picture.height);
    for (std::size_t i = 0; i < count; i += 61) {
        h ^= picture.pixels[i];
        h *= 0x100000001B3ull;
        h ^= h >> 29;
    }
    return h;
}

QImage opaqueCopy(const Bitmap& picture) {
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    if (image.isNull()) return image;
    for (int y = 0; y < picture.height; ++y) {
        const std::uint32_t* src =
            picture.pixels.data() + static_cast<std::size_t>(y) * picture.width;
        auto* dst = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        for (int x = 0; x < picture.width; ++x)
            dst[x] = src[x] | 0xFF000000u;
    }
    return image;
}

} // namespace

const QImage& QtCanvasPictures::imageOf(const Bitmap& picture) {
    const std::size_t count =
        static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
    if (picture.empty() || picture.pixels.size() < count) return null_;
    const std::uint64_t sample = sampleOf(picture, count);
    for (const Cached& c : images_)
        if (c.sample == sample && c.width == picture.width && c.height == picture.height &&
            std::memcmp(c.pixels.data(), picture.pixels.data(), count * sizeof(std::uint32_t)) == 0)
            return c.image;
    const long long n = static_cast<long long>(count);
    if (pixels_ + n > kMaxPixels) {
        images_.clear();
        pixels_ = 0;
    }
    QImage image = opaqueCopy(picture);
    if (image.isNull()) return null_;
    pixels_ += n;
    images_.push_back(Cached{
        picture.width, picture.height, sample,
        std::vector<std::uint32_t>(picture.pixels.begin(),
                                   picture.pixels.begin() + static_cast<std::ptrdiff_t>(count)),
        std::move(image)});
    return images_.back().image;
}

QSvgRenderer* QtCanvasPictures::drawingOf(const Bitmap& picture) {
    if (!picture.drawing) return nullptr;
    for (const Drawing& d : drawings_)
        if (d.source == picture.drawing) return d.renderer.get();
    if (drawings_.size() >= 64) drawings_.clear();
    auto renderer = std::make_unique<QSvgRenderer>(QByteArray::fromStdString(*picture.drawing));
    if (!renderer->isValid()) renderer.reset();
    drawings_.push_back(Drawing{picture.drawing, std::move(renderer)});
    return drawings_.back().renderer.get();
}
