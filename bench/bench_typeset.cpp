// Typesetting one formula line, measured on a canvas that does nothing but move its pen,
// so the figure is the typesetter's own work.

#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "NullCanvas.h"
#include "typeset/Formula.h"

namespace {

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
