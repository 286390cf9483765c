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
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Velmix++"));
    QApplication::setApplicationName(QStringLiteral("VelmixEQ"));
    QApplication::setDesktopFileName(QStringLiteral("net.velmixpp.Velmix"));
    QApplication::setWindowIcon(programIcon());
    // The toolkit's own dialogs and buttons in Japanese, as the rest of the program.
    QTranslator toolkit;
    if (toolkit.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                     QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&toolkit);
    Desk desk(course);
    desk.createWindows();
    desk.main->show();
    const int status = desk.main->startupEnded() ? 0 : app.exec();
    return desk.exitCode() != 0 ? desk.exitCode() : status;
}
