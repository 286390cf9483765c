#include "cli/RenderCommands.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "cli/CliArgs.h"
#include "cli/CliSession.h"
#include "cli/Modules.h"
#include "cli/RenderUsage.h"
#include "cli/StreamWriter.h"
#include "qt/AtomicSave.h"
#include "qt/CanvasImages.h"
#include "qt/Fonts.h"
#include "qt/PaperSizes.h"
#include "qt/QtCanvas.h"
#include "qt/QtFiles.h"
#include "qt/QtPdfPrinter.h"
#include "shell/SaveSteps.h"
#include "text/Sjis.h"
#include "worksheet/PrintJob.h"
#include "worksheet/RepeatedCopies.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/WorksheetFile.h"
#include "worksheet/WorksheetSetters.h"

namespace {

bool endsWithPdf(const std::string& path) {
    if (path.size() < 4) return false;
    std::string tail = sjis::asciiLower(path.substr(path.size() - 4));
    return tail == ".pdf";
}

// Opens what the arguments name; false when it cannot be opened (already reported).
bool openSheet(CliSession& session, const RenderArgs& a) {
    if (!session.openCourse(a.courseDir)) return false;
    if (a.unit) return session.openUnit(*a.unit);
    return session.openWorksheetFile(a.prpFile);
}

// Prints the worksheet into a PDF file, one page per copy.
bool printPdf(CliSession& session, const RenderArgs& a) {
    Program& p = session.program();
    Worksheet& sheet = *session.sheet();
    p.sheets.printerResolution = a.printerMode;
    p.sheets.pageOptions.numbered = a.numbered;
    QtPdfPrinter printer(QString::fromStdString(a.out), paperPageSize(sheet.paper.Width), a.dpi);
    // Each copy's screen page image, drawn as the session draws its page (a page image of the
    // paper and a canvas on it): identical copies repeat the first one's drawing. One image
    // and one canvas serve every copy, each copy from the canvas's first state, so that the
    // job shapes its texts once.
    QImage drawn = makePageImage(std::max(sheet.paper.Width, 1), std::max(sheet.paper.Height, 1));
    QtCanvas canvas(drawn);
    const ScreenPageDrawing page = [&drawn, &canvas](const std::function<void(Canvas&)>& drawing) {
        canvas.resetState();
        drawing(canvas);
        canvas.end();
        return canvasBitmapOf(drawn, drawn.rect());
    };
    // Numbered copies are jobs of their own; unnumbered copies are the same page again,
    // as the printer would make them.
    const int jobs = a.numbered ? 1 : a.copies;
    printer.setCopyCount(a.copies);
    for (int j = 0; j < jobs; ++j) {
        sheet.startNumber = a.start;
        if (!PreparePrint(p) || !PrintWorksheet(p, printer, page)) return false;
    }
    if (!printer.finish()) {
        // The printer's own text names the file and the reason.
        const QString why = printer.errorString();
        if (why.isEmpty())
            std::fprintf(stderr, "%s: cannot write the PDF file\n", a.out.c_str());
        else
            std::fprintf(stderr, "%s\n", why.toStdString().c_str());
        return false;
    }
    return true;
}

// The page image, encoded in memory, through the atomic save: on any failure the old
// file stays as it was.
bool savePng(const QImage& page, const std::string& out) {
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !page.save(&buffer, "PNG")) {
        std::fprintf(stderr, "%s: cannot make the picture\n", out.c_str());
        return false;
    }
    const SaveOutcome saved = AtomicSave(QString::fromStdString(out), png);
    if (saved.ok) return true;
    std::fprintf(stderr, "%s: cannot write the picture: %s\n", out.c_str(),
                 saved.reason.toStdString().c_str());
    return false;
}

// A command's start: the arguments parsed, the application made and the worksheet they
// name opened. exitCode is not 0 when the command cannot go on.
struct Started {
    std::unique_ptr<QGuiApplication> app;
    std::unique_ptr<CliSession> session;
    RenderArgs args;
    std::string exportPath; // core path of export -o, checked as the save dialog checks it
    int exitCode = 0;
};

// The worksheet file export -o names, under the save dialog's rule: a name without
// extension gets ".prp", any other extension is refused with the program's message.
std::optional<std::string> exportTarget(CliSession& session, const std::string& out) {
    Program& p = session.program();
    auto cannot = [&] {
        p.platform.prompter.message(sjis::fromUtf8("ファイル名を扱えません: " + out));
        return std::nullopt;
    };
    // The rule looks at the name as typed, and a refusal names it so.
    const auto typed = QtFiles::toCorePath(QString::fromStdString(out));
    if (!typed) return cannot();
    const std::optional<std::string> accepted = AcceptWorksheetPath(p, *typed);
    if (!accepted) return std::nullopt;
    const std::string named = out + accepted->substr(typed->size()); // ".prp" when added
    auto core = QtFiles::toCorePath(QFileInfo(QString::fromStdString(named)).absoluteFilePath());
    if (!core) return cannot();
    return core;
}

// Varied copies run in a module of their own, with the answer-key checker.
bool asksForVariedCopies(const std::vector<std::string>& args) {
    return std::find(args.begin(), args.end(), "--vary") != args.end();
}

int runVaryModule(const char* command, const std::vector<std::string>& args) {
    std::vector<std::string> all{"velmix", command};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    return runModule("velmix-vary", "velmix_vary_main", static_cast<int>(all.size()), argv.data());
}

// What render draws the page with, made the program's before the worksheet is opened, so
// that opening lays the page out once, as it is printed or saved.
void renderChoices(Program& p, const RenderArgs& a) {
    if (a.school) p.session.schoolName = sjis::fromUtf8(*a.school);
    p.sheets.pageOptions.alternatives = true;
    p.sheets.answersShown = a.answers;
}

Started start(const std::vector<std::string>& args, bool isExport) {
    Started st;
    std::string error;
    std::optional<RenderArgs> a =
        isExport ? parseExportArgs(args, error) : parseRenderArgs(args, error);
    if (!a) {
        std::fprintf(stderr, "velmix %s: %s\n%s", isExport ? "export" : "render", error.c_str(),
                     isExport ? ExportUsage : RenderUsage);
        st.exitCode = 2;
        return st;
    }
    st.args = *a;
    st.app = makeApplication();
    st.session = std::make_unique<CliSession>();
    // A print job at the printer's resolution lays its pages out anew, and an export needs
    // no page at all: the screen page is only laid out, never drawn.
    st.session->setDrawsPage(!isExport && !(endsWithPdf(st.args.out) && st.args.printerMode));
    if (isExport && !st.args.out.empty()) {
        std::optional<std::string> target = exportTarget(*st.session, st.args.out);
        if (!target) {
            st.exitCode = 2;
            return st;
        }
        st.exportPath = *target;
    }
    if (!isExport) renderChoices(st.session->program(), st.args);
    if (!openSheet(*st.session, st.args)) st.exitCode = 1;
    return st;
}

} // namespace

// Fonts and pictures need a GUI application; without a display it draws offscreen.
std::unique_ptr<QGuiApplication> makeApplication() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "velmix";
    static char* argv[] = {name, nullptr};
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    registerFontSubstitutions();
    return app;
}

const char* renderUsage() {
    return RenderUsage;
}

const char* exportUsage() {
    return ExportUsage;
}

int runRender(const std::vector<std::string>& args) {
    if (asksForVariedCopies(args)) return runVaryModule("render", args);
    Started st = start(args, false);
    if (st.exitCode != 0) return st.exitCode;
    CliSession& session = *st.session;
    const RenderArgs& a = st.args;
    Program& p = session.program();
    // Opening laid the page out with the choices already; a worksheet that came up otherwise
    // is laid out again by the toggle.
    if (session.sheet()->ShowAnswers != a.answers) ToggleShowAnswers(p);

    if (endsWithPdf(a.out)) return printPdf(session, a) ? 0 : 1;
    return savePng(session.pageImage(), a.out) ? 0 : 1;
}

int runExport(const std::vector<std::string>& args) {
    if (asksForVariedCopies(args)) return runVaryModule("export", args);
    Started st = start(args, true);
    if (st.exitCode != 0) return st.exitCode;
    CliSession& session = *st.session;
    const RenderArgs& a = st.args;
    Program& p = session.program();
    if (a.out.empty()) {
        StreamWriter out(stdout);
        out.write(lines::join(
            WorksheetFileLines(*session.sheet(), session.sheet()->paper.Width, p.parse.kgroup)));
        return out.finish() ? 0 : 1;
    }
    // The program's own save: atomic, and a failure says path + "の保存に失敗しました".
    return SaveWorksheetTo(p, *session.sheet(), st.exportPath, false) ? 0 : 1;
}
