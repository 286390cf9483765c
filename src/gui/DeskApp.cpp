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

bool SpeakJapanese(QCoreApplication& app) {
    const QLocale japanese(QLocale::Japanese, QLocale::Japan);
    QLocale::setDefault(japanese);
    // The file dialogs write dates in the system locale, which the toolkit reads from the
    // environment when it is first asked, after the C library has taken its own settings.
    if (qEnvironmentVariableIsEmpty("LC_ALL")) qputenv("LC_TIME", "ja_JP.UTF-8");
    // The toolkit's own dialogs and buttons in Japanese, as the rest of the program.
    auto* toolkit = new QTranslator(&app);
    if (!toolkit->load(japanese, QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
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
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Velmix++"));
    QApplication::setApplicationName(QStringLiteral("VelmixEQ"));
    QApplication::setDesktopFileName(QStringLiteral("net.velmixpp.Velmix"));
    QApplication::setWindowIcon(programIcon());
    SpeakJapanese(app);
    Desk desk(course);
    desk.createWindows();
    desk.main->show();
    const int status = desk.main->startupEnded() ? 0 : app.exec();
    return desk.exitCode() != 0 ? desk.exitCode() : status;
}
