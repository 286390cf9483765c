// Laying out and drawing a full A4 worksheet: 60 question lines, 80 answer boxes, on a
// canvas that measures text with fixed widths and draws nothing.

#include <benchmark/benchmark.h>

#include <string>

#include "NullCanvas.h"
#include "NullServices.h"
#include "Program.h"
#include "platform/NullServices.h"
#include "text/Sjis.h"
#include "worksheet/PageLayout.h"
#include "worksheet/Worksheet.h"

namespace {

struct Sheet : NullProgram {
    Worksheet sheet;

    Sheet() {
        sheet.strTangen = sjis::fromUtf8("一次方程式の解き方§練習問題");
        sheet.strPrintName = "C:\\course\\eq1.que-U1";
        sheet.ShowAnswers = true;
        sheet.setKranLine(KranLine::Kind, "1");
        sheet.FontSize = 12;
        program.sheets.current->FontSize = 12;
        program.sheets.current->LineSpace = 18;
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
    }
};

void BM_LayoutScreen(benchmark::State& state) {
    Sheet s;
    NullCanvas page(630, 891, 96);
    for (auto _ : state) {
        LayOutPage(s.program, s.sheet, page, false);
        benchmark::DoNotOptimize(s.program.sheets.current->layout.kranCount);
    }
    state.counters["boxes"] = s.program.sheets.current->layout.kranCount;
    state.counters["ops"] = benchmark::Counter(static_cast<double>(page.ops()) /
                                               static_cast<double>(state.iterations()));
}
BENCHMARK(BM_LayoutScreen)->Unit(benchmark::kMicrosecond);

void BM_LayoutPrinter600dpi(benchmark::State& state) {
    Sheet s;
    NullCanvas screen(630, 891, 96);
    LayOutPage(s.program, s.sheet, screen, false); // fills the answer-box table
    NullCanvas paper(4960, 7016, 600);
    for (auto _ : state) {
        LayOutPage(s.program, s.sheet, paper, true);
        benchmark::DoNotOptimize(s.program.sheets.current->layout.kranCount);
    }
    state.counters["boxes"] = s.program.sheets.current->layout.kranCount;
}
BENCHMARK(BM_LayoutPrinter600dpi)->Unit(benchmark::kMicrosecond);

// A question line of N "@" codes (a style change and one digit each) lays out in time that
// grows with the line.
void BM_LayoutOfALineOfCodes(benchmark::State& state) {
    Sheet s;
    std::string line = "x";
    for (long i = 0; i < state.range(0); ++i)
        line += i % 2 ? "@B1" : "@/2";
    s.sheet.lstQues = {line + "#3#"};
    NullCanvas page(630, 891, 96);
    for (auto _ : state) {
        LayOutPage(s.program, s.sheet, page, false);
        benchmark::DoNotOptimize(page.ops());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LayoutOfALineOfCodes)
    ->RangeMultiplier(2)
    ->Range(1 << 14, 1 << 17)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
