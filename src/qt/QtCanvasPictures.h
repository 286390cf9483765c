#pragma once
// Pictures as a paper canvas hands them to its painter: one QImage per picture content for
// the life of the canvas. The PDF engine embeds an image once per QImage (it shares images
// by cacheKey), so the class flag and a graph become one image object however many pages
// and places show them.

#include <QImage>
#include <cstdint>
#include <vector>

#include "platform/Bitmap.h"

class QtCanvasPictures {
  public:
    // An opaque image of picture, the same QImage (same cacheKey) for the same size and
    // pixels; a null image for a bitmap whose pixels do not fill its size.
    const QImage& imageOf(const Bitmap& picture);
    std::size_t size() const { return images_.size(); }

  private:
    struct Cached {
        int width;
        int height;
        std::uint64_t sample; // a hash of some of the pixels, to pass over others quickly
        std::vector<std::uint32_t> pixels;
        QImage image;
    };
    std::vector<Cached> images_;
    long long pixels_ = 0;
    QImage null_;
};
