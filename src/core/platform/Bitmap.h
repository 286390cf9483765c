#pragma once
// A picture held in memory: 32-bit pixels 0xAARRGGBB, row by row from the top.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    // A drawing of the same picture at the same size (SVG text), when one was found beside
    // its file: a canvas that shows the picture larger than its pixels (paper, screens of
    // higher resolution) draws it instead of the pixels.
    std::shared_ptr<const std::string> drawing;

    Bitmap() = default;
    Bitmap(int w, int h, std::uint32_t fill = 0xFFFFFFFFu)
        : width(w < 0 ? 0 : w), height(h < 0 ? 0 : h),
          pixels(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}
    bool empty() const { return width <= 0 || height <= 0; }
    std::uint32_t& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};
