#include "cli/RenderCommands.h"

#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <cstdio>
#include <memory>

#include "cli/CliArgs.h"
#include "cli/CliSession.h"
#include "formats/WorksheetFile.h"
#include "qt/CanvasImages.h"
#include "qt/Fonts.h"
#include "qt/PaperSizes.h"
#include "qt/QtPdfPrinter.h"
#include "text/Sjis.h"
#include "worksheet/PrintJob.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/WorksheetSetters.h"

namespace {

const char* const RenderUsage =
    "usage: velmix render [COURSE_DIR] (--unit L.S.U[.R] | --prp FILE) -o OUT.png|OUT.pdf\n"
    "                     [--answers] [--school TEXT] [--dpi D] [--mode printer|screen]\n"
    "                     [--copies N] [--numbered] [--start K]\n";
const char* const ExportUsage = "usage: velmix export [COURSE_DIR] --unit L.S.U[.R] [-o FILE]\n";

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
    p.controls.radPrinter = a.printerMode;
    p.controls.chkNumber = a.numbered;
    QtPdfPrinter printer(QString::fromStdString(a.out), paperPageSize(sheet.paper.Width), a.dpi);
    const PageImageSource page = [&session] {
        return canvasBitmapOf(session.pageImage(), session.pageImage().rect());
    };
    // Numbered copies are jobs of their own; unnumbered copies are the same page again,
    // as the printer would make them.
    const int jobs = a.numbered ? 1 : a.copies;
    printer.setCopyCount(a.copies);
    for (int j = 0; j < jobs; ++j) {
        p.controls.spnStart = a.start;
        if (!PreparePrint(p) || !PrintWorksheet(p, printer, page)) return false;
    }
    if (!printer.finish()) {
        std::fprintf(stderr, "%s\n", printer.errorString().toStdString().c_str());
        return false;
    }
    return true;
}

// A command's start: the arguments parsed, the application made and the worksheet they
// name opened. exitCode is not 0 when the command cannot go on.
struct Started {
    std::unique_ptr<QGuiApplication> app;
    std::unique_ptr<CliSession> session;
    RenderArgs args;
    int exitCode = 0;
};

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
    if (!openSheet(*st.session, st.args)) st.exitCode = 1;
    return st;
}

} // namespace

int runRender(const std::vector<std::string>& args) {
    Started st = start(args, false);
    if (st.exitCode != 0) return st.exitCode;
    CliSession& session = *st.session;
    const RenderArgs& a = st.args;
    Program& p = session.program();
    if (a.school) p.shell.schoolName = sjis::fromUtf8(*a.school);
    p.controls.chkBekkai = true;
    if (session.sheet()->ShowAnswers != a.answers) ToggleShowAnswers(p);
    Relayout(p, *session.sheet());

    if (endsWithPdf(a.out)) return printPdf(session, a) ? 0 : 1;
    if (!session.pageImage().save(QString::fromStdString(a.out), "PNG")) {
        std::fprintf(stderr, "%s: cannot write the picture\n", a.out.c_str());
        return 1;
    }
    return 0;
}

int runExport(const std::vector<std::string>& args) {
    Started st = start(args, true);
    if (st.exitCode != 0) return st.exitCode;
    CliSession& session = *st.session;
    const RenderArgs& a = st.args;
    Program& p = session.program();
    const Lines fileLines =
        WorksheetFileLines(*session.sheet(), session.sheet()->paper.Width, p.parse.kgroup);
    const std::string bytes = lines::join(fileLines);
    if (a.out.empty()) {
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    QSaveFile file(QString::fromStdString(a.out));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) !=
            static_cast<qint64>(bytes.size()) ||
        !file.commit()) {
        std::fprintf(stderr, "%s: %s\n", a.out.c_str(),
                     sjis::toUtf8(J("の保存に失敗しました")).c_str());
        return 1;
    }
    return 0;
}
