#pragma once
// The drawing surface: the screen page image, the printer page, a PDF page or a
// recording canvas in tests. Coordinates are device units (pixels or printer dots).

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Bitmap.h"

// A colour as the course files and layout speak of it: red in the lowest byte, green in
// the middle byte, blue in the highest (255 is pure red, 16711680 pure blue).
using Color = std::uint32_t;
constexpr Color rgb(int r, int g, int b) {
    return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
namespace colors {
constexpr Color Black = rgb(0, 0, 0);
constexpr Color White = rgb(255, 255, 255);
constexpr Color Red = rgb(255, 0, 0);
constexpr Color Blue = rgb(0, 0, 255);
constexpr Color Grey = rgb(128, 128, 128);
} // namespace colors

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

namespace fontstyle {
constexpr unsigned Bold = 1;
constexpr unsigned Italic = 2;
constexpr unsigned Underline = 4;
constexpr unsigned StrikeOut = 8;
} // namespace fontstyle

enum class PenStyle { Solid, Dot };
enum class PenMode { Copy, NotXor };
enum class BrushStyle { Solid, Clear };

class Canvas {
  public:
    virtual ~Canvas() = default;

    // Font. Face names are Shift-JIS ("ＭＳ 明朝"); the platform substitutes installed fonts.
    virtual void setFontFace(const std::string& face) = 0;
    virtual std::string fontFace() const = 0;
    virtual void setFontSize(int points) = 0;
    virtual int fontSize() const = 0;
    virtual void setFontStyle(unsigned style) = 0;
    virtual unsigned fontStyle() const = 0;
    virtual void setFontColor(Color c) = 0;
    virtual Color fontColor() const = 0;

    // Draws Shift-JIS text with the top-left of its cell at (x, y); afterwards the pen
    // stands at (x + width of the text, y).
    virtual void textOut(int x, int y, std::string_view text) = 0;
    virtual int textWidth(std::string_view text) = 0;
    virtual int textHeight(std::string_view text) = 0;

    // Pen and brush.
    virtual void setPenColor(Color c) = 0;
    virtual Color penColor() const = 0;
    virtual void setPenWidth(int w) = 0;
    virtual int penWidth() const = 0;
    virtual void setPenStyle(PenStyle s) = 0;
    virtual void setPenMode(PenMode m) = 0;
    virtual void setBrushStyle(BrushStyle s) = 0;
    virtual void setBrushColor(Color c) = 0;

    virtual void moveTo(int x, int y) = 0;
    virtual void lineTo(int x, int y) = 0;
    virtual Point penPos() const = 0;

    // Outline shapes use the pen; the inside is filled with the brush unless it is clear.
    virtual void rectangle(const Rect& r) = 0;
    virtual void roundRect(const Rect& r, int ellipseW, int ellipseH) = 0;
    virtual void ellipse(const Rect& r) = 0;
    virtual void fillRect(const Rect& r, Color c) = 0;

    // Pictures.
    virtual void stretchDraw(const Rect& dest, const Bitmap& picture) = 0;
    // Copies the pixels of source area src into a new bitmap (outside the canvas: white).
    virtual Bitmap grab(const Rect& src) = 0;

    // Device facts: the page (or image) size in device units and the horizontal
    // resolution in dots per inch.
    virtual int deviceWidth() const = 0;
    virtual int deviceHeight() const = 0;
    virtual int dpiX() const = 0;
};
