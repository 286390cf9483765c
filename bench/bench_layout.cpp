// Laying out and drawing a full A4 worksheet: 60 question lines, 80 answer boxes, on a
// canvas that measures text with fixed widths and draws nothing.

#include <benchmark/benchmark.h>

#include <string>

#include "shell/Program.h"
#include "text/Sjis.h"
#include "worksheet/PageLayout.h"
#include "worksheet/Worksheet.h"

namespace {

// Fixed metrics: 8 units per byte at 12 points, scaled by the size.
class NullCanvas : public Canvas {
  public:
    NullCanvas(int w, int h, int dpi) : w_(w), h_(h), dpi_(dpi) {}
    void setFontFace(const std::string& face) override { face_ = face; }
    std::string fontFace() const override { return face_; }
    void setFontSize(int points) override { size_ = points; }
    int fontSize() const override { return size_; }
    void setFontStyle(unsigned style) override { style_ = style; }
    unsigned fontStyle() const override { return style_; }
    void setFontColor(Color c) override { color_ = c; }
    Color fontColor() const override { return color_; }
    void textOut(int x, int y, std::string_view text) override {
        pen_ = Point{x + textWidth(text), y};
        ++ops_;
    }
    int textWidth(std::string_view text) override {
        return static_cast<int>(8 * text.size()) * size_ / 12;
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
    int w_, h_, dpi_;
    std::string face_;
    int size_ = 12;
    unsigned style_ = 0;
    Color color_ = 0, penColor_ = 0;
    int penWidth_ = 1;
    Point pen_;
    long ops_ = 0;
};

struct NullServices : Files, Prompter, Clock, Registry, Pictures {
    ReadStatus read(const std::string&, std::string&) override { return ReadStatus::Missing; }
    bool write(const std::string&, std::string_view) override { return false; }
    bool fileExists(const std::string&) override { return false; }
    bool dirExists(const std::string&) override { return false; }
    bool makeDir(const std::string&) override { return false; }
    bool remove(const std::string&) override { return false; }
    bool rename(const std::string&, const std::string&) override { return false; }
    std::vector<std::string> list(const std::string&, const std::string&) override { return {}; }
    bool isReadOnlyMedia(const std::string&) override { return false; }
    void message(const std::string&) override {}
    int askYesNo(const std::string&) override { return 6; }
    int askYesNoCancel(const std::string&) override { return 6; }
    DateTime now() override { return DateTime{2026, 12, 7, 9, 5, 0}; }
    bool has(RegKey, const std::string&) override { return false; }
    std::optional<std::string> readText(RegKey, const std::string&) override { return {}; }
    std::optional<int> readInt(RegKey, const std::string&) override { return {}; }
    std::optional<bool> readBool(RegKey, const std::string&) override { return {}; }
    void writeText(RegKey, const std::string&, const std::string&) override {}
    void writeInt(RegKey, const std::string&, int) override {}
    void writeBool(RegKey, const std::string&, bool) override {}
    bool load(const std::string&, Bitmap&) override { return false; }
    bool saveBmp(const std::string&, const Bitmap&) override { return false; }
};

struct Sheet {
    NullServices services;
    Platform platform{services, services,     services,   services,
                      services, "C:\\course", "C:\\temp", "C:\\data\\"};
    Program program{platform};
    Worksheet sheet;

    Sheet() {
        sheet.strTangen = sjis::fromUtf8("一次方程式の解き方§練習問題");
        sheet.strPrintName = "C:\\course\\eq1.que-U1";
        sheet.ShowAnswers = true;
        sheet.lstKranX[0] = "1";
        sheet.FontSize = 12;
        program.controls.spnMojiSize = 12;
        program.controls.spnGyouSpace = 18;
        // 20 lines with two answers, 40 with one: 80 boxes on 60 lines.
        for (int i = 1; i <= 60; ++i) {
            std::string n = "(" + std::to_string(i) + ")  ";
            if (i <= 20)
                sheet.lstQues.push_back(n + "3x+5=2x-7  #x=-12#   " + sjis::fromUtf8("＠") +
                                        "  [x+1]/3=2  #x=5;x=5.0#");
            else if (i % 3 == 0)
                sheet.lstQues.push_back(n + sjis::fromUtf8("次の方程式を解きなさい　") +
                                        "x/2+1/3=5/6  #x=1#");
            else
                sheet.lstQues.push_back(n + "@B4(x-2)=3x+1@/  #x=9#");
        }
        program.sheets.collectKran = true;
    }
};

void BM_LayoutScreen(benchmark::State& state) {
    Sheet s;
    NullCanvas page(630, 891, 96);
    for (auto _ : state) {
        LayOutPage(s.program, s.sheet, page, false);
        benchmark::DoNotOptimize(s.program.sheets.kranCount);
    }
    state.counters["boxes"] = s.program.sheets.kranCount;
    state.counters["ops"] = benchmark::Counter(static_cast<double>(page.ops()) /
                                               static_cast<double>(state.iterations()));
}
BENCHMARK(BM_LayoutScreen)->Unit(benchmark::kMicrosecond);

void BM_LayoutPrinter600dpi(benchmark::State& state) {
    Sheet s;
    NullCanvas screen(630, 891, 96);
    LayOutPage(s.program, s.sheet, screen, false); // fills the answer-box table
    s.program.sheets.collectKran = false;
    NullCanvas paper(4960, 7016, 600);
    for (auto _ : state) {
        LayOutPage(s.program, s.sheet, paper, true);
        benchmark::DoNotOptimize(s.program.sheets.kranCount);
    }
    state.counters["boxes"] = s.program.sheets.kranCount;
}
BENCHMARK(BM_LayoutPrinter600dpi)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
