#include "qt/QtCanvasPictures.h"

#include <cstring>

namespace {

// The pictures kept at most (pixels): many page images of a long job start over.
constexpr long long kMaxPixels = 32LL * 1024 * 1024;

constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87ull;
constexpr std::uint64_t kPrime2 = 0xC2B2AE3D27D4EB4Full;

std::uint64_t mix(std::uint64_t h, std::uint64_t word) {
    h += word * kPrime2;
    h = (h << 31) | (h >> 33);
    return h * kPrime1;
}

// A 64-bit hash of the pixels, four words at a time (fast enough for a page image per copy).
std::uint64_t pixelHash(const std::uint32_t* pixels, std::size_t count) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(pixels);
    const std::size_t size = count * sizeof(std::uint32_t);
    std::uint64_t lanes[4] = {kPrime1, kPrime2, 0, ~kPrime1};
    std::size_t at = 0;
    for (; at + 32 <= size; at += 32)
        for (int i = 0; i < 4; ++i) {
            std::uint64_t w;
            std::memcpy(&w, bytes + at + 8 * i, 8);
            lanes[i] = mix(lanes[i], w);
        }
    std::uint64_t h = size;
    for (std::uint64_t lane : lanes)
        h = mix(h ^ lane, lane);
    for (; at + 4 <= size; at += 4) {
        std::uint32_t w;
        std::memcpy(&w, bytes + at, 4);
        h = mix(h, w);
    }
    return h ^ (h >> 29);
}

// True when image shows exactly picture's pixels (pictures are drawn opaque).
bool samePixels(const QImage& image, const Bitmap& picture) {
    for (int y = 0; y < picture.height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        const std::uint32_t* src =
            picture.pixels.data() + static_cast<std::size_t>(y) * picture.width;
        for (int x = 0; x < picture.width; ++x)
            if ((src[x] | 0xFF000000u) != row[x]) return false;
    }
    return true;
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
    const std::uint64_t hash = pixelHash(picture.pixels.data(), count);
    for (const Cached& c : images_)
        if (c.hash == hash && c.width == picture.width && c.height == picture.height &&
            samePixels(c.image, picture))
            return c.image;
    const long long n = static_cast<long long>(count);
    if (pixels_ + n > kMaxPixels) {
        images_.clear();
        pixels_ = 0;
    }
    QImage image = opaqueCopy(picture);
    if (image.isNull()) return null_;
    pixels_ += n;
    images_.push_back(Cached{picture.width, picture.height, hash, std::move(image)});
    return images_.back().image;
}
