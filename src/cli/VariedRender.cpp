#include "cli/VariedRender.h"

#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "cli/CliArgs.h"
#include "cli/CliSession.h"
#include "cli/RenderCommands.h"
#include "cli/StreamWriter.h"
#include "qt/AtomicSave.h"
#include "qt/CanvasImages.h"
#include "qt/PaperSizes.h"
#include "qt/QtCanvas.h"
#include "qt/QtPdfPrinter.h"
#include "text/Sjis.h"
#include "worksheet/VariedCopies.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/WorksheetFile.h"

namespace {

// The command's arguments, read; nothing (and the usage said) when they are not usable.
std::optional<RenderArgs> variedArgs(const std::vector<std::string>& args, bool isExport) {
    std::string error;
    std::optional<RenderArgs> parsed =
        isExport ? parseExportArgs(args, error) : parseRenderArgs(args, error);
    if (parsed && parsed->vary) return parsed;
    if (error.empty()) error = "--vary SEED is required";
    std::fprintf(stderr, "velmix %s: %s\n%s", isExport ? "export" : "render", error.c_str(),
                 isExport ? exportUsage() : renderUsage());
    return std::nullopt;
}

// Opens the course and the worksheet the arguments name. Each copy is laid out on its own
// (at the printer's resolution, or on a page of its own for export): the opening only
// measures the screen page.
bool openSheet(CliSession& session, const RenderArgs& a) {
    session.setDrawsPage(false);
    if (!session.openCourse(a.courseDir)) return false;
    return a.unit ? session.openUnit(*a.unit) : session.openWorksheetFile(a.prpFile);
}

} // namespace

int runVariedRender(const std::vector<std::string>& args) {
    const std::optional<RenderArgs> parsed = variedArgs(args, false);
    if (!parsed) return 2;
    const RenderArgs& a = *parsed;
    const std::unique_ptr<QGuiApplication> app = makeApplication();
    CliSession session;
    if (!openSheet(session, a)) return 1;
    Program& p = session.program();
    Worksheet& sheet = *session.sheet();
    if (a.school) p.session.schoolName = sjis::fromUtf8(*a.school);
    p.sheets.pageOptions.alternatives = true;
    p.sheets.pageOptions.numbered = true;
    p.sheets.printerResolution = true;
    Relayout(p, sheet);

    QtPdfPrinter printer(QString::fromStdString(a.out), paperPageSize(sheet.paper.Width), a.dpi);
    const VariedPrintRequest request{*a.vary, a.copies, a.start,
                                     a.keyBooklet ? VariedPages::KeyBooklet
                                     : a.answers  ? VariedPages::Answers
                                                  : VariedPages::Questions};
    VariedPrintReport report;
    // A copy left out has been named on standard error by the job's message.
    const bool printed = PrintVariedCopies(p, printer, request, report);
    if (!printer.finish()) {
        const QString why = printer.errorString();
        if (why.isEmpty())
            std::fprintf(stderr, "%s: cannot write the PDF file\n", a.out.c_str());
        else
            std::fprintf(stderr, "%s\n", why.toStdString().c_str());
        return 1;
    }
    return printed && report.notLaidOut.empty() ? 0 : 1;
}

int runVariedExport(const std::vector<std::string>& args) {
    const std::optional<RenderArgs> parsed = variedArgs(args, true);
    if (!parsed) return 2;
    const RenderArgs& a = *parsed;
    const std::unique_ptr<QGuiApplication> app = makeApplication();
    CliSession session;
    if (!openSheet(session, a)) return 1;
    Program& p = session.program();
    Worksheet& sheet = *session.sheet();
    // The copy is checked on the screen page, as the print job checks it.
    QImage page = makePageImage(std::max(sheet.paper.Width, 1), std::max(sheet.paper.Height, 1));
    QtCanvas canvas(page);
    const VariedCopy copy = MakeVariedCopy(p, sheet, canvas, *a.vary, a.copy);
    if (!copy.laidOut) {
        std::fprintf(stderr, "%s: %s\n", copy.versionCode.c_str(),
                     sjis::toUtf8(copy.problems.front().message).c_str());
        return 1;
    }
    sheet.lstQues = copy.ques;
    const std::string text =
        lines::join(WorksheetFileLines(sheet, sheet.paper.Width, p.parse.kgroup));
    if (a.out.empty()) {
        StreamWriter out(stdout);
        out.write(text);
        return out.finish() ? 0 : 1;
    }
    const SaveOutcome saved =
        AtomicSave(QString::fromStdString(a.out), QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    if (saved.ok) return 0;
    std::fprintf(stderr, "%s: cannot write the file: %s\n", a.out.c_str(),
                 saved.reason.toStdString().c_str());
    return 1;
}
