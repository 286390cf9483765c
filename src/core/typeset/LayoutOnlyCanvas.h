#pragma once
// A canvas for laying pages out without drawing them: every drawing is dropped, the pen
// only moves, and text metrics come from the canvas behind, remembered per font and text,
// so that a course of many alike units has each text measured once. The course check lays
// every unit out on one.

#include <string>
#include <unordered_map>

#include "platform/Canvas.h"

class LayoutOnlyCanvas : public Canvas {
  public:
    explicit LayoutOnlyCanvas(Canvas& metrics) : metrics_(metrics) {}

    void setFontFace(const std::string& face) override;
    std::string fontFace() const override { return metrics_.fontFace(); }
    void setFontSize(int points) override;
    int fontSize() const override { return metrics_.fontSize(); }
    void setFontStyle(unsigned style) override;
    unsigned fontStyle() const override { return metrics_.fontStyle(); }
    void setFontColor(Color c) override { fontColor_ = c; }
    Color fontColor() const override { return fontColor_; }

    void textOut(int x, int y, std::string_view text) override;
    int textWidth(std::string_view text) override { return measured(text).width; }
    int textHeight(std::string_view text) override { return measured(text).height; }

    void setPenColor(Color c) override { penColor_ = c; }
    Color penColor() const override { return penColor_; }
    void setPenWidth(int w) override { penWidth_ = w; }
    int penWidth() const override { return penWidth_; }
    void setPenStyle(PenStyle) override {}
    void setPenMode(PenMode) override {}
    void setBrushStyle(BrushStyle) override {}
    void setBrushColor(Color) override {}

    void moveTo(int x, int y) override { pen_ = {x, y}; }
    void lineTo(int x, int y) override { pen_ = {x, y}; }
    Point penPos() const override { return pen_; }

    void rectangle(const Rect&) override {}
    void roundRect(const Rect&, int, int) override {}
    void ellipse(const Rect&) override {}
    void fillRect(const Rect&, Color) override {}
    void stretchDraw(const Rect&, const Bitmap&) override {}
    Bitmap grab(const Rect&) override { return {}; }

    int deviceWidth() const override { return metrics_.deviceWidth(); }
    int deviceHeight() const override { return metrics_.deviceHeight(); }
    int dpiX() const override { return metrics_.dpiX(); }

  private:
    struct Extent {
        int width = 0;
        int height = 0;
    };
    const Extent& measured(std::string_view text);
    void fontChanged();

    Canvas& metrics_;
    // The font's key (face, size, style) and the texts measured in it.
    std::string fontKey_;
    std::unordered_map<std::string, Extent> extents_;
    std::string lookup_;
    Color fontColor_ = colors::Black;
    Color penColor_ = colors::Black;
    int penWidth_ = 1;
    Point pen_;
};
