// Typesetting one formula line, measured on a canvas that does nothing but move its pen,
// so the figure is the typesetter's own work.

#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "typeset/Formula.h"

namespace {

// Draws nothing. Text widths come from a fixed table per byte (at 12 pt), scaled by size.
class NullCanvas : public Canvas {
  public:
    NullCanvas() {
        for (std::size_t b = 0; b < widths_.size(); ++b)
            widths_[b] = b < 0x20 ? 0 : (b >= '0' && b <= '9') ? 7 : b < 0x80 ? 6 + b % 4 : 8;
    }
    void setFontFace(const std::string& face) override { face_ = &face; }
    std::string fontFace() const override { return face_ ? *face_ : std::string(); }
    void setFontSize(int points) override { size_ = points; }
    int fontSize() const override { return size_; }
    void setFontStyle(unsigned style) override { style_ = style; }
    unsigned fontStyle() const override { return style_; }
    void setFontColor(Color c) override { fontColor_ = c; }
    Color fontColor() const override { return fontColor_; }
    void textOut(int x, int y, std::string_view text) override {
        pen_ = {x + textWidth(text), y};
        benchmark::DoNotOptimize(pen_);
    }
    int textWidth(std::string_view text) override {
        int w = 0;
        for (char c : text)
            w += widths_[static_cast<unsigned char>(c)];
        return w * size_ / 12;
    }
    int textHeight(std::string_view) override { return size_ * 4 / 3; }
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
    int deviceWidth() const override { return 630; }
    int deviceHeight() const override { return 891; }
    int dpiX() const override { return 96; }

  private:
    std::array<int, 256> widths_{};
    const std::string* face_ = nullptr;
    int size_ = 12;
    unsigned style_ = 0;
    Color fontColor_ = colors::Black;
    Color penColor_ = colors::Black;
    int penWidth_ = 1;
    Point pen_;
};

void typeset(benchmark::State& state, const char* text) {
    FormulaContext ctx;
    ctx.worksheetCurrent = true;
    NullCanvas canvas;
    const std::string line = text;
    for (auto _ : state) {
        Point end = DrawFormulaAt(ctx, 40, 120, 12, 1.0, canvas, line, colors::Black);
        benchmark::DoNotOptimize(end);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(line.size()));
}

} // namespace

// A typical question line: an equation with a bracketed fraction, a square and a relation.
BENCHMARK_CAPTURE(typeset, equation_line, "3x+2y=12&y=[x+1]/3&2x^2-5x>=10/3")
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
// A short term, the common case inside answer boxes.
BENCHMARK_CAPTURE(typeset, short_term, "-2/3")->Repetitions(9)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
