// A worksheet with one endless question line, laid out on a real A4 page image and on a
// 600-dpi PDF page: only what reaches the page is shaped and drawn, so the time follows the
// line's length only through reading it. Lines of 1, 2 and 5 million characters: Japanese
// text, and a formula of letters, signs and fractions.
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <string>

#include "NullServices.h"
#include "Program.h"
#include "platform/NullServices.h"
#include "qt/CanvasImages.h"
#include "qt/QtCanvas.h"
#include "qt/QtPdfPrinter.h"
#include "text/Sjis.h"
#include "worksheet/PageLayout.h"
#include "worksheet/Worksheet.h"

namespace {

struct Sheet : NullProgram {
    Worksheet sheet;

    // kind 0: Japanese text; 1: a formula.
    Sheet(long characters, int kind) {
        sheet.strTangen = J("長い行");
        sheet.ShowAnswers = true;
        sheet.setKranLine(KranLine::Kind, "1");
        sheet.FontSize = 12;
        program.sheets.current->FontSize = 12;
        program.sheets.current->LineSpace = 40;
        program.sheets.current = &sheet;
        program.sheets.layoutEnabled = true;
        std::string line;
        const std::string unit = kind == 0 ? J("方程式の解") : std::string("2x+3/4=");
        const std::size_t bytes = static_cast<std::size_t>(characters) * (kind == 0 ? 2 : 1);
        line.reserve(bytes + unit.size());
        while (line.size() < bytes)
            line += unit;
        line.resize(bytes);
        sheet.lstQues = {line + "#7#", J("(1)　x+5=12　#7#")};
    }
};

void BM_LongLineOnPageImage(benchmark::State& state) {
    Sheet s(state.range(0), static_cast<int>(state.range(1)));
    QImage page = makePageImage(630, 891);
    for (auto _ : state) {
        QtCanvas canvas(page);
        LayOutPage(s.program, s.sheet, canvas, false);
        benchmark::DoNotOptimize(canvas.penPos());
    }
    state.SetLabel(state.range(1) == 0 ? "japanese" : "formula");
}
BENCHMARK(BM_LongLineOnPageImage)
    ->ArgsProduct({{1'000'000, 2'000'000, 5'000'000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

void BM_LongLineOnPdfPage(benchmark::State& state) {
    Sheet s(state.range(0), static_cast<int>(state.range(1)));
    QTemporaryDir dir;
    for (auto _ : state) {
        QtPdfPrinter printer(dir.filePath(QStringLiteral("long.pdf")));
        if (!printer.beginDoc()) {
            state.SkipWithError("no PDF page");
            return;
        }
        LayOutPage(s.program, s.sheet, printer.canvas(), true);
        printer.endDoc();
        printer.finish();
    }
    state.SetLabel(state.range(1) == 0 ? "japanese" : "formula");
}
BENCHMARK(BM_LongLineOnPdfPage)
    ->ArgsProduct({{1'000'000, 2'000'000, 5'000'000}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

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
