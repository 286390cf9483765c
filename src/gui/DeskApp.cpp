#include "gui/DeskApp.h"

#include <QApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>

#include "gui/Artwork.h"
#include "gui/Desk.h"
#include "gui/TfrmMain.h"
#include "qt/ToolkitMessages.h"

namespace {

bool hasEnv(const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
}

// A display to open windows on: X11, Wayland, or a platform chosen by the user.
bool displayAvailable() {
    return hasEnv("QT_QPA_PLATFORM") || hasEnv("DISPLAY") || hasEnv("WAYLAND_DISPLAY");
}

} // namespace

void UseJapaneseLocale() {
    // Dates only: the C library keeps its own settings for everything else (and, where it
    // has no Japanese locale installed, its plain one for dates). Set before the toolkit
    // first asks for the system's locale.
    // A locale forced for everything keeps everything but the dates.
    if (!qEnvironmentVariableIsEmpty("LC_ALL")) {
        qputenv("LANG", qgetenv("LC_ALL"));
        qunsetenv("LC_ALL");
    }
    qputenv("LC_TIME", "ja_JP.UTF-8");
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
}

bool LoadToolkitJapanese(QCoreApplication& app) {
    auto* toolkit = new QTranslator(&app);
    if (!toolkit->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete toolkit;
        return false;
    }
    QCoreApplication::installTranslator(toolkit);
    return true;
}

int runDesk(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fprintf(stderr, "velmix: no display to open the windows on (DISPLAY and "
                             "WAYLAND_DISPLAY are not set); see velmix --help for the "
                             "command line\n");
        return 2;
    }
    const QString course = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (!course.isEmpty() && !QFileInfo(course).isDir()) {
        std::fprintf(stderr, "velmix: %s: no such course folder\n", argv[1]);
        return 2;
    }
    QuietToolkitUnlessAsked();
    UseJapaneseLocale();
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Velmix++"));
    QApplication::setApplicationName(QStringLiteral("VelmixEQ"));
    QApplication::setDesktopFileName(QStringLiteral("net.velmixpp.Velmix"));
    QApplication::setWindowIcon(programIcon());
    // The toolkit's own dialogs and buttons in Japanese, as the rest of the program.
    LoadToolkitJapanese(app);
    Desk desk(course);
    desk.createWindows();
    const int status = desk.showMainWindow() ? app.exec() : 0;
    return desk.exitCode() != 0 ? desk.exitCode() : status;
}
