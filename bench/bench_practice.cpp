// Marking a test over a full page of 80 answer boxes, and redrawing the page with the
// pupil's answers and marks on a real page image, as the practice window does after 採点.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <string>

#include "NullServices.h"
#include "Program.h"
#include "platform/NullServices.h"
#include "practice/PracticeRun.h"
#include "practice/ScoreStamp.h"
#include "qt/CanvasImages.h"
#include "qt/QtCanvas.h"
#include "text/Sjis.h"
#include "worksheet/PageLayout.h"
#include "worksheet/Worksheet.h"

namespace {

struct Page : NullProgram {
    Worksheet sheet;
    PracticeRun run;

    Page() {
        sheet.strTangen = sjis::fromUtf8("一次方程式//方程式の解き方§練習問題");
        sheet.setKranLine(KranLine::Kind, "1");
        sheet.FontSize = 12;
        program.sheets.current->FontSize = 12;
        program.sheets.current->LineSpace = 18;
        // 20 lines with two answers, 40 with one: 80 boxes.
        for (int i = 1; i <= 60; ++i) {
            const std::string n = "(" + std::to_string(i) + ")  ";
            if (i <= 20)
                sheet.lstQues.push_back(n + "3x+5=2x-7  #x=-12#     [x+1]/3=2  #x=5;x=5.0#");
            else
                sheet.lstQues.push_back(n + "@B4(x-2)=3x+1@/  #x=9#");
        }
        QImage screen = makePageImage(630, 891);
        QtCanvas canvas(screen);
        LayOutPage(program, sheet, canvas, false);
        PrepareRuns(run, sheet);
    }

    // A test with every box filled, one in four wrong, marked.
    void markTest() {
        StartRun(run, RunKind::Test, nullptr);
        for (int k = 1; k <= run.count; ++k)
            TypeInto(run, k, k % 4 == 0 ? "x=1" : "x=9");
        benchmark::DoNotOptimize(MarkAll(run));
    }
};

void BM_MarkAll80(benchmark::State& state) {
    Page page;
    for (auto _ : state)
        page.markTest();
    state.counters["boxes"] = page.run.count;
}
BENCHMARK(BM_MarkAll80)->Unit(benchmark::kMicrosecond);

void BM_MarkAndRedrawAnswerSheet80(benchmark::State& state) {
    Page page;
    QImage image = makePageImage(630, 891);
    for (auto _ : state) {
        page.markTest();
        PublishRun(page.run, page.sheet);
        page.program.sheets.current->layout.drawTypedAnswers = true;
        page.sheet.ShowAnswers = true;
        QtCanvas canvas(image);
        LayOutPage(page.program, page.sheet, canvas, false);
        DrawScore(canvas, ScoreRoom(page.program, page.sheet, canvas), page.run.correctCount);
        page.program.sheets.current->layout.drawTypedAnswers = false;
    }
    state.counters["boxes"] = page.run.count;
}
BENCHMARK(BM_MarkAndRedrawAnswerSheet80)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
