// The real drawing path: a full worksheet laid out on the screen page image through the
// Qt canvas, and numbered 30-copy print jobs of the 20-question bench sheet into a PDF file
// at 600 dpi, in both print modes, beside the bare-Qt floor writing the same text.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>

#include "cli/CliSession.h"
#include "print_floor.h"
#include "qt/CanvasImages.h"
#include "qt/PaperSizes.h"
#include "qt/QtCanvas.h"
#include "qt/QtPdfPrinter.h"
#include "text/Sjis.h"
#include "worksheet/PrintJob.h"
#include "worksheet/RepeatedCopies.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/WorksheetSetters.h"

namespace {

const std::string CourseDir = VELMIX_SOURCE_DIR "/course";

// A unit of the bundled course with its questions replaced by 60 lines holding 80 answers.
void fullPage(Worksheet& sheet) {
    sheet.lstQues.clear();
    for (int i = 1; i <= 60; ++i) {
        std::string n = "(" + std::to_string(i) + ")  ";
        if (i <= 20)
            sheet.lstQues.push_back(n + "3x+5=2x-7  #x=-12#     [x+1]/3=2  #x=5;x=5.0#");
        else if (i % 3 == 0)
            sheet.lstQues.push_back(n + sjis::fromUtf8("次の方程式を解きなさい　") +
                                    "x/2+1/3=5/6  #x=1#");
        else
            sheet.lstQues.push_back(n + "@B4(x-2)=3x+1@/  #x=9#");
    }
    sheet.setKranLine(KranLine::Kind, "1");
    sheet.LineSpace = 18;
}

void BM_ScreenPageQt(benchmark::State& state) {
    CliSession session;
    if (!session.openCourse(CourseDir) || !session.openUnit(UnitRef{1, 1, 2, 0})) {
        state.SkipWithError("course not found");
        return;
    }
    Program& p = session.program();
    fullPage(*session.sheet());
    p.sheets.current->LineSpace = 18;
    for (auto _ : state) {
        Relayout(p, *session.sheet());
        benchmark::DoNotOptimize(session.pageImage().constBits());
    }
    state.counters["boxes"] = p.sheets.current->layout.kranCount;
}
BENCHMARK(BM_ScreenPageQt)->Unit(benchmark::kMillisecond);

const std::string SheetFile = VELMIX_SOURCE_DIR "/bench/print_sheet20.prp";

// 30 numbered copies of the 20-question sheet, laid out at printer resolution
// (printerMode) or printing the screen page image (drawn as `velmix render` draws it).
void printJob(benchmark::State& state, bool printerMode) {
    CliSession session;
    if (!session.openCourse(CourseDir) || !session.openWorksheetFile(SheetFile)) {
        state.SkipWithError("bench sheet not found");
        return;
    }
    Program& p = session.program();
    if (!session.sheet()->ShowAnswers) ToggleShowAnswers(p);
    QTemporaryDir dir;
    // The screen-faithful page images as the command line makes them: one page image and
    // canvas for the job, later copies repeating the first one's drawing.
    const Worksheet& sheet = *session.sheet();
    QImage drawn = makePageImage(sheet.paper.Width, sheet.paper.Height);
    QtCanvas canvas(drawn);
    const ScreenPageDrawing page = [&drawn, &canvas](const std::function<void(Canvas&)>& drawing) {
        canvas.resetState();
        drawing(canvas);
        canvas.end();
        return canvasBitmapOf(drawn, drawn.rect());
    };
    for (auto _ : state) {
        QtPdfPrinter printer(dir.filePath("job.pdf"), paperPageSize(630), 600);
        printer.setCopyCount(30);
        p.sheets.printerResolution = printerMode;
        p.sheets.pageOptions.numbered = true;
        p.sheets.current->startNumber = 1;
        PreparePrint(p);
        PrintWorksheet(p, printer, page);
        if (!printer.finish()) state.SkipWithError("the PDF file was not written");
        benchmark::DoNotOptimize(printer.pageCount());
    }
}

void BM_PrintJob30NumberedCopiesPdf(benchmark::State& state) {
    printJob(state, true);
}
BENCHMARK(BM_PrintJob30NumberedCopiesPdf)->Unit(benchmark::kMillisecond)->MinTime(2);

void BM_PrintJob30ScreenFaithfulCopiesPdf(benchmark::State& state) {
    printJob(state, false);
}
BENCHMARK(BM_PrintJob30ScreenFaithfulCopiesPdf)->Unit(benchmark::kMillisecond)->MinTime(2);

// The floor: bare Qt writing the same 30 pages of text.
void BM_BareQtFloor30Pages(benchmark::State& state) {
    QTemporaryDir dir;
    for (auto _ : state)
        if (!writeFloorPdf(dir.filePath("floor.pdf"), 30))
            state.SkipWithError("the PDF file was not written");
}
BENCHMARK(BM_BareQtFloor30Pages)->Unit(benchmark::kMillisecond)->MinTime(2);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
