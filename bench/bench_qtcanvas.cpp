// Drawing a worksheet's worth of text on the Qt canvas: 60 question lines on an A4 page
// image at screen size (630 × 891), and the same glyph by glyph on 600-dpi PDF pages.
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <string>
#include <vector>

#include "qt/CanvasImages.h"
#include "qt/QtCanvas.h"
#include "qt/QtPdfPrinter.h"
#include "text/Sjis.h"

namespace {

constexpr int kLines = 60;

const std::vector<std::string>& questionLines() {
    static const std::vector<std::string> lines = [] {
        std::vector<std::string> v;
        const char* samples[] = {
            "(1) 次の方程式を解きなさい。 3x+5=2x-7", "(2) x=4 のとき、2x^2-3x の値を求めよ。",
            "(3) 連立方程式 2x+y=7, x-y=2 を解け。", "(4) 一次関数 y=2x+3 のグラフをかきなさい。"};
        for (int i = 0; i < kLines; ++i)
            v.push_back(J(samples[i % 4]));
        return v;
    }();
    return lines;
}

// Whole lines in one text out each, as header and text runs are drawn.
void BM_PageOfTextRuns(benchmark::State& state) {
    QImage page = makePageImage(630, 891);
    QtCanvas canvas(page);
    canvas.setFontFace(J("ＭＳ 明朝"));
    canvas.setFontSize(12);
    canvas.setBrushStyle(BrushStyle::Clear);
    const auto& lines = questionLines();
    for (auto _ : state) {
        canvas.fillRect({0, 0, 630, 891}, colors::White);
        for (int i = 0; i < kLines; ++i)
            canvas.textOut(20, 10 + i * 14, lines[static_cast<std::size_t>(i)]);
        benchmark::DoNotOptimize(canvas.penPos());
    }
    state.SetItemsProcessed(state.iterations() * kLines);
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PageOfTextRuns)->Unit(benchmark::kMillisecond);

// Character by character with face changes for the letters x and y, as formulas are drawn.
long long drawFormulaGlyphs(Canvas& canvas) {
    const std::string mincho = J("ＭＳ 明朝");
    const std::string bookman = "Bookman Old Style";
    const auto& lines = questionLines();
    long long glyphs = 0;
    for (int i = 0; i < kLines; ++i) {
        const std::string& line = lines[static_cast<std::size_t>(i)];
        int x = 20;
        const int y = 10 + i * 14;
        canvas.setFontSize(12);
        for (std::size_t p = 0; p < line.size(); p += sjis::charLen(line, p)) {
            const std::string_view ch(line.data() + p, sjis::charLen(line, p));
            const bool letter = ch == "x" || ch == "y";
            canvas.setFontFace(letter ? bookman : mincho);
            canvas.setFontStyle(letter ? fontstyle::Italic : 0);
            canvas.textOut(x, y, ch);
            x = canvas.penPos().x + 2;
            ++glyphs;
        }
    }
    return glyphs;
}

void BM_PageOfFormulaGlyphs(benchmark::State& state) {
    QImage page = makePageImage(630, 891);
    QtCanvas canvas(page);
    canvas.setBrushStyle(BrushStyle::Clear);
    long long glyphs = 0;
    for (auto _ : state) {
        canvas.fillRect({0, 0, 630, 891}, colors::White);
        glyphs += drawFormulaGlyphs(canvas);
        benchmark::DoNotOptimize(canvas.penPos());
    }
    state.SetItemsProcessed(glyphs);
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PageOfFormulaGlyphs)->Unit(benchmark::kMillisecond);

// The same pages into a 600-dpi PDF file, one page per iteration (the file written once).
void BM_PdfPageOfFormulaGlyphs(benchmark::State& state) {
    QTemporaryDir dir;
    QtPdfPrinter printer(dir.filePath("glyphs.pdf"));
    long long glyphs = 0;
    for (auto _ : state) {
        printer.beginDoc();
        printer.canvas().setBrushStyle(BrushStyle::Clear);
        glyphs += drawFormulaGlyphs(printer.canvas());
        printer.endDoc();
    }
    if (!printer.finish()) state.SkipWithError("the PDF file was not written");
    state.SetItemsProcessed(glyphs);
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PdfPageOfFormulaGlyphs)->Unit(benchmark::kMillisecond);

// Measuring only (the layout measures runs before placing them).
void BM_TextWidth(benchmark::State& state) {
    QImage page = makePageImage(630, 891);
    QtCanvas canvas(page);
    canvas.setFontFace(J("ＭＳ 明朝"));
    canvas.setFontSize(12);
    const auto& lines = questionLines();
    for (auto _ : state)
        for (const std::string& line : lines)
            benchmark::DoNotOptimize(canvas.textWidth(line));
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_TextWidth)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
