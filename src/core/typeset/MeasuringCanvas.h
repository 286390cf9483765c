#pragma once
// A canvas in front of another one that can note the area its drawing covers, and can keep
// that drawing from reaching the canvas behind. Font settings and text metrics always come
// from the canvas behind, so a formula measured here has exactly the extent it has there.
//
// The covered area counts text cells (pen x .. pen x + width, top .. top + text height) of
// every text with ink (blanks alone cover nothing), lines widened by the pen, shapes,
// fills and pictures.

#include <optional>

#include "platform/Canvas.h"

class MeasuringCanvas : public Canvas {
  public:
    explicit MeasuringCanvas(Canvas& target) : target_(target) {}

    // Starts noting the covered area. With draw false nothing reaches the canvas behind
    // until end(): text and lines only move this canvas's own pen.
    void begin(bool draw);
    // Stops noting and drawing is passed on again; returns the area covered since begin(),
    // or nothing when no ink was laid.
    std::optional<Rect> end();

    void setFontFace(const std::string& face) override { target_.setFontFace(face); }
    std::string fontFace() const override { return target_.fontFace(); }
    void setFontSize(int points) override { target_.setFontSize(points); }
    int fontSize() const override { return target_.fontSize(); }
    void setFontStyle(unsigned style) override { target_.setFontStyle(style); }
    unsigned fontStyle() const override { return target_.fontStyle(); }
    void setFontColor(Color c) override { target_.setFontColor(c); }
    Color fontColor() const override { return target_.fontColor(); }

    void textOut(int x, int y, std::string_view text) override;
    int textWidth(std::string_view text) override { return target_.textWidth(text); }
    int textHeight(std::string_view text) override { return target_.textHeight(text); }

    void setPenColor(Color c) override { target_.setPenColor(c); }
    Color penColor() const override { return target_.penColor(); }
    void setPenWidth(int w) override { target_.setPenWidth(w); }
    int penWidth() const override { return target_.penWidth(); }
    void setPenStyle(PenStyle s) override { target_.setPenStyle(s); }
    void setPenMode(PenMode m) override { target_.setPenMode(m); }
    void setBrushStyle(BrushStyle s) override { target_.setBrushStyle(s); }
    void setBrushColor(Color c) override { target_.setBrushColor(c); }

    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    Point penPos() const override { return drawing() ? target_.penPos() : pen_; }

    void rectangle(const Rect& r) override;
    void roundRect(const Rect& r, int ellipseW, int ellipseH) override;
    void ellipse(const Rect& r) override;
    void fillRect(const Rect& r, Color c) override;

    void stretchDraw(const Rect& dest, const Bitmap& picture) override;
    Bitmap grab(const Rect& src) override { return target_.grab(src); }

    int deviceWidth() const override { return target_.deviceWidth(); }
    int deviceHeight() const override { return target_.deviceHeight(); }
    int dpiX() const override { return target_.dpiX(); }

  private:
    bool drawing() const { return !measuring_ || draw_; }
    void cover(long long left, long long top, long long right, long long bottom);
    void coverShape(const Rect& r);

    Canvas& target_;
    bool measuring_ = false;
    bool draw_ = true;
    Point pen_;
    std::optional<Rect> covered_;
};
