#pragma once
// A canvas for benchmarks and fuzzing that draws nothing and only moves its pen, so that a
// figure is the drawing code's own work. Text is 8 units a byte at 12 points, scaled by the
// size; ops counts the drawing calls. Like a real device it keeps coordinates within a
// range of its own, so that it never overflows whatever it is asked to draw.

#include <algorithm>
#include <string>
#include <string_view>

#include "platform/Canvas.h"

class NullCanvas : public Canvas {
  public:
    explicit NullCanvas(int w = 630, int h = 891, int dpi = 96) : w_(w), h_(h), dpi_(dpi) {}
    void setFontFace(const std::string& face) override {
        if (face_ != face) face_ = face;
    }
    std::string fontFace() const override { return face_; }
    void setFontSize(int points) override { size_ = points; }
    int fontSize() const override { return size_; }
    void setFontStyle(unsigned style) override { style_ = style; }
    unsigned fontStyle() const override { return style_; }
    void setFontColor(Color c) override { color_ = c; }
    Color fontColor() const override { return color_; }
    void textOut(int x, int y, std::string_view text) override {
        pen_ = Point{clamp(static_cast<long long>(x) + textWidth(text)), y};
        ++ops_;
    }
    int textWidth(std::string_view text) override {
        return clamp(8LL * static_cast<long long>(std::min<std::size_t>(text.size(), 1u << 30)) *
                     size_ / 12);
    }
    int textHeight(std::string_view) override { return clamp(size_ * 4LL / 3); }
    void setPenColor(Color c) override { penColor_ = c; }
    Color penColor() const override { return penColor_; }
    void setPenWidth(int w) override { penWidth_ = w; }
    int penWidth() const override { return penWidth_; }
    void setPenStyle(PenStyle) override {}
    void setPenMode(PenMode) override {}
    void setBrushStyle(BrushStyle) override {}
    void setBrushColor(Color) override {}
    void moveTo(int x, int y) override { pen_ = Point{x, y}; }
    void lineTo(int x, int y) override {
        pen_ = Point{x, y};
        ++ops_;
    }
    Point penPos() const override { return pen_; }
    void rectangle(const Rect&) override { ++ops_; }
    void roundRect(const Rect&, int, int) override { ++ops_; }
    void ellipse(const Rect&) override { ++ops_; }
    void fillRect(const Rect&, Color) override { ++ops_; }
    void stretchDraw(const Rect&, const Bitmap&) override { ++ops_; }
    Bitmap grab(const Rect& r) override { return Bitmap(r.width(), r.height()); }
    int deviceWidth() const override { return w_; }
    int deviceHeight() const override { return h_; }
    int dpiX() const override { return dpi_; }
    long ops() const { return ops_; }

  private:
    static int clamp(long long v) {
        constexpr long long limit = 1LL << 30;
        return static_cast<int>(v > limit ? limit : v < -limit ? -limit : v);
    }
    int w_, h_, dpi_;
    std::string face_;
    int size_ = 12;
    unsigned style_ = 0;
    Color color_ = 0, penColor_ = 0;
    int penWidth_ = 1;
    Point pen_;
    long ops_ = 0;
};
