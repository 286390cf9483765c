// A value changed in the layout settings dialog: the worksheet is laid out again on its
// window's page image and the page is repainted on screen.

#include <benchmark/benchmark.h>

#include <QSpinBox>

#include "DeskOnCourse.h"
#include "gui/PageView.h"
#include "gui/TfrmPrint.h"

namespace {

void changeAndRepaint(benchmark::State& state, const char* spinName, int lesson, int section,
                      int unit) {
    DeskOnCourse course;
    if (!course.open(lesson, section, unit)) {
        state.SkipWithError("unit missing");
        return;
    }
    Desk& desk = course.desk;
    auto* spin = desk.settei->findChild<QSpinBox*>(QString::fromLatin1(spinName));
    TfrmPrint* window = desk.windowOf(*desk.program().sheets.current);
    auto* page = window->findChild<PageView*>();
    const int base = spin->value();
    int step = 0;
    for (auto _ : state) {
        spin->setValue(base + (++step & 1));
        page->repaint();
    }
}

void BM_LeftMarginEquations(benchmark::State& state) {
    changeAndRepaint(state, "spnLeftM", 1, 1, 1);
}
void BM_BoxWidthEquations(benchmark::State& state) {
    changeAndRepaint(state, "spnKranWX", 1, 1, 1);
}
void BM_LeftMarginGraphs(benchmark::State& state) {
    changeAndRepaint(state, "spnLeftM", 3, 2, 1);
}
BENCHMARK(BM_LeftMarginEquations)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BoxWidthEquations)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LeftMarginGraphs)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    useOffscreenUnlessChosen();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
