// The practice window on a page of 80 answer boxes: from 学習 to the window's first paint,
// and one keystroke in an answer field until the field has repainted. Marking and redrawing
// the 80 boxes is measured by bench_practice.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <string>

#include "DeskOnCourse.h"
#include "gui/TfrmRenshu.h"
#include "qt/CanvasImages.h"
#include "qt/QtCanvas.h"
#include "worksheet/PageLayout.h"
#include "worksheet/Worksheet.h"

namespace {

// Unit 1.1.1 with its questions replaced by 80 answers: 20 lines of two, 40 of one.
struct Page80 {
    std::function<int(QDialog&)> modal; // what a modal window does instead of waiting
    DeskOnCourse course{seams()};
    Worksheet* sheet = nullptr;

    Desk::Seams seams() {
        Desk::Seams s;
        s.runModal = [this](QDialog& d) { return modal ? modal(d) : 0; };
        return s;
    }

    Page80() {
        if (!course.open(1, 1, 1)) return;
        Program& p = course.desk.program();
        sheet = p.sheets.current;
        sheet->lstQues.clear();
        for (int i = 1; i <= 60; ++i) {
            const std::string n = "(" + std::to_string(i) + ")  ";
            if (i <= 20)
                sheet->lstQues.push_back(n + "3x+5=2x-7  #x=-12#     [x+1]/3=2  #x=5;x=5.0#");
            else
                sheet->lstQues.push_back(n + "@B4(x-2)=3x+1@/  #x=9#");
        }
        // The answer-box table as the worksheet window collects it.
        QImage screen = makePageImage(sheet->paper.Width, sheet->paper.Height);
        QtCanvas canvas(screen);
        LayOutPage(p, *sheet, canvas, false);
    }
    TfrmRenshu& window() { return *course.desk.renshu; }
};

void BM_OpenPracticeWindow80(benchmark::State& state) {
    Page80 page;
    if (!page.sheet) {
        state.SkipWithError("unit 1.1.1 not found");
        return;
    }
    qint64 ns = 0;
    QElapsedTimer clock;
    page.modal = ([&](QDialog& d) {
        d.show();
        d.grab(); // the first paint
        ns = clock.nsecsElapsed();
        return 0;
    });
    for (auto _ : state) {
        clock.start();
        page.window().study(*page.sheet);
        state.SetIterationTime(static_cast<double>(ns) / 1e9);
    }
    state.counters["boxes"] = page.course.desk.program().sheets.kranCount;
}
BENCHMARK(BM_OpenPracticeWindow80)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_KeystrokeInAnswerField(benchmark::State& state) {
    Page80 page;
    if (!page.sheet) {
        state.SkipWithError("unit 1.1.1 not found");
        return;
    }
    page.modal = ([&](QDialog& d) {
        d.show();
        d.findChild<QPushButton*>(QStringLiteral("btnRenshu"))->click();
        auto* field = d.findChild<QLineEdit*>(QStringLiteral("M1"));
        for (auto _ : state) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
            QApplication::sendEvent(field, &press);
            field->repaint();
            if (field->text().size() > 40) {
                state.PauseTiming();
                field->clear();
                state.ResumeTiming();
            }
        }
        d.findChild<QPushButton*>(QStringLiteral("btnAbort"))->click();
        return 0;
    });
    page.window().study(*page.sheet);
}
BENCHMARK(BM_KeystrokeInAnswerField)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    useOffscreenUnlessChosen();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
