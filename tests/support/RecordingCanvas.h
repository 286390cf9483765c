#pragma once
// A canvas for tests: it draws nothing, records every operation in order and measures
// text with fixed glyph widths, so that positions in tests are exact numbers.
//
// Text metrics: at 12 pt a single-byte character is 8 units wide and a double-byte
// Shift-JIS character 16 (8 per byte); other sizes scale the whole text:
//     width  = 8 × bytes × size / 12   (integer division)
//     height = size × 4 / 3
// textOut moves the pen to (x + width, y), as the real canvases do. A canvas standing for a
// printer page in dots can scale these metrics by the page's scale (setTextScale), so that
// text keeps the proportions it has on the screen page.
//
// Every record carries a snapshot of the canvas state (font, pen, brush) taken after the
// operation, so a test can ask "in which face and size was this text drawn" without
// replaying the setters. Setters are recorded too (kind SetFontFace and so on), so tests can
// also check the order of state changes.

#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Canvas.h"

class RecordingCanvas : public Canvas {
  public:
    enum class Kind {
        SetFontFace,
        SetFontSize,
        SetFontStyle,
        SetFontColor,
        TextOut,
        SetPenColor,
        SetPenWidth,
        SetPenStyle,
        SetPenMode,
        SetBrushStyle,
        SetBrushColor,
        MoveTo,
        LineTo,
        Rectangle,
        RoundRect,
        Ellipse,
        FillRect,
        StretchDraw,
        Grab,
    };

    // The canvas state as a record sees it.
    struct State {
        std::string face;
        int size = 12;
        unsigned style = 0;
        Color fontColor = colors::Black;
        Color penColor = colors::Black;
        int penWidth = 1;
        PenStyle penStyle = PenStyle::Solid;
        PenMode penMode = PenMode::Copy;
        BrushStyle brushStyle = BrushStyle::Solid;
        Color brushColor = colors::White;
        Point pen;
    };

    struct Record {
        Kind kind;
        // TextOut: the top-left of the text. MoveTo / LineTo: the target point.
        int x = 0;
        int y = 0;
        // LineTo: the point the line starts from (the pen before the call).
        Point from;
        // TextOut: the text (Shift-JIS) and its width by the fixed metrics.
        std::string text;
        int width = 0;
        // Rectangle, RoundRect, Ellipse, FillRect, StretchDraw (destination), Grab (source).
        Rect rect;
        int ellipseW = 0; // RoundRect
        int ellipseH = 0;
        Color fill = 0; // FillRect
        // StretchDraw: a copy of the picture and the address it was drawn from (compare only).
        Bitmap picture;
        const Bitmap* source = nullptr;
        State state; // after the operation
    };

    // Line segments drawn with lineTo, with the pen they were drawn with.
    struct Line {
        Point from;
        Point to;
        Color color;
        int width;
        PenStyle style;
        PenMode mode;
    };

    RecordingCanvas() = default;
    // A canvas standing for a device: width and height in device units and dots per inch.
    RecordingCanvas(int width, int height, int dpi)
        : deviceWidth_(width), deviceHeight_(height), dpi_(dpi) {}

    // --- The recorded operations and queries on them ---
    const std::vector<Record>& records() const { return records_; }
    void clear() { records_.clear(); }
    // The records of one kind, in order.
    std::vector<const Record*> ofKind(Kind k) const;
    // The text-out records in order, and just their texts (Shift-JIS, and as UTF-8).
    std::vector<const Record*> textOuts() const { return ofKind(Kind::TextOut); }
    std::vector<std::string> texts() const;
    std::vector<std::string> textsUtf8() const;
    // All text drawn, concatenated in drawing order (UTF-8).
    std::string allTextUtf8() const;
    // The first text-out whose text is exactly the given Shift-JIS text, or nullptr.
    const Record* findText(std::string_view sjisText) const;
    std::vector<Line> lines() const;
    std::vector<const Record*> pictures() const { return ofKind(Kind::StretchDraw); }
    std::size_t count(Kind k) const;

    // The fixed metrics, usable by tests to compute expected positions.
    static int widthOf(std::string_view text, int size) {
        return static_cast<int>(8 * text.size()) * size / 12;
    }
    static int heightOf(int size) { return size * 4 / 3; }

    // The current state (what the next record would carry).
    const State& state() const { return state_; }

    // Device facts, settable by tests (defaults: an A4 screen page at 96 dpi).
    void setDevice(int width, int height, int dpi) {
        deviceWidth_ = width;
        deviceHeight_ = height;
        dpi_ = dpi;
    }

    // --- Canvas ---
    void setFontFace(const std::string& face) override;
    std::string fontFace() const override { return state_.face; }
    void setFontSize(int points) override;
    int fontSize() const override { return state_.size; }
    void setFontStyle(unsigned style) override;
    unsigned fontStyle() const override { return state_.style; }
    void setFontColor(Color c) override;
    Color fontColor() const override { return state_.fontColor; }

    void textOut(int x, int y, std::string_view text) override;
    int textWidth(std::string_view text) override { return scaled(widthOf(text, state_.size)); }
    int textHeight(std::string_view) override { return scaled(heightOf(state_.size)); }
    // Text widths and heights multiplied by k (rounded), as on a page of scale k.
    void setTextScale(double k) { textScale_ = k; }

    void setPenColor(Color c) override;
    Color penColor() const override { return state_.penColor; }
    void setPenWidth(int w) override;
    int penWidth() const override { return state_.penWidth; }
    void setPenStyle(PenStyle s) override;
    void setPenMode(PenMode m) override;
    void setBrushStyle(BrushStyle s) override;
    void setBrushColor(Color c) override;

    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    Point penPos() const override { return state_.pen; }

    void rectangle(const Rect& r) override;
    void roundRect(const Rect& r, int ellipseW, int ellipseH) override;
    void ellipse(const Rect& r) override;
    void fillRect(const Rect& r, Color c) override;

    void stretchDraw(const Rect& dest, const Bitmap& picture) override;
    // Records the request and returns a white bitmap of the source's size.
    Bitmap grab(const Rect& src) override;

    int deviceWidth() const override { return deviceWidth_; }
    int deviceHeight() const override { return deviceHeight_; }
    int dpiX() const override { return dpi_; }

  private:
    Record& add(Kind k);
    int scaled(int v) const {
        return textScale_ == 1.0 ? v : static_cast<int>(std::lround(v * textScale_));
    }

    std::vector<Record> records_;
    State state_;
    int deviceWidth_ = 630;
    int deviceHeight_ = 891;
    int dpi_ = 96;
    double textScale_ = 1.0;
};
