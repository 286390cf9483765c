#pragma once
// Pictures as a paper canvas hands them to its painter: one QImage per picture content for
// the life of the canvas. The PDF engine embeds an image once per QImage (it shares images
// by cacheKey), so the class flag and a graph become one image object however many pages
// and places show them.

#include <QImage>
#include <QSvgRenderer>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Bitmap.h"

class QtCanvasPictures {
  public:
    // An opaque image of picture, the same QImage (same cacheKey) for the same size and
    // pixels; a null image for a bitmap whose pixels do not fill its size.
    const QImage& imageOf(const Bitmap& picture);
    std::size_t size() const { return images_.size(); }
    // The renderer of picture's drawing, made once per drawing; null when it has none or
    // it cannot be rendered.
    QSvgRenderer* drawingOf(const Bitmap& picture);

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
    struct Drawing {
        std::shared_ptr<const std::string> source; // kept, so that its address stays its own
        std::unique_ptr<QSvgRenderer> renderer;
    };
    std::vector<Drawing> drawings_;
    QImage null_;
};
