// Resident memory of the windowed program on the bundled course: once its main window is
// shown, and again with ten worksheets open (opened as 開く opens them). Prints two lines
// "shown KB" and "ten KB". Run it from a copy of the course folder.
#include "Program.h"
#include "Resident.h"
#include "gui/Desk.h"
#include "gui/TfrmMain.h"
#include "shell/UnitMenu.h"
#include "worksheet/OpenWorksheet.h"
#include <QApplication>
#include <QDir>
#include <cstdio>

namespace {

void settle() {
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Velmix++"));
    QApplication::setApplicationName(QStringLiteral("VelmixEQ"));
    Desk desk(QDir::currentPath());
    desk.createWindows();
    desk.main->show();
    settle();
    std::printf("shown %ld\n", residentKb());
    Program& p = desk.program();
    int opened = 0;
    for (int lesson = 0; lesson < static_cast<int>(p.course.lessonNames.size()) && opened < 10;
         ++lesson) {
        MenuChooseLesson(p, lesson);
        const int sections = static_cast<int>(p.course.sectionNames.size());
        for (int s = 0; s < sections && opened < 10; ++s) {
            MenuChooseSection(p, s);
            for (int u = 0; u < p.course.sectionUnitCount[s + 1] && opened < 10; ++u) {
                MenuChooseUnit(p, u);
                if (!ConfirmUnitChoice(p)) continue;
                if (OpenUnit(p, p.menu.selectedUnit, p.menu.selectedNames) == OpenResult::Opened)
                    ++opened;
                settle();
            }
        }
    }
    settle();
    std::printf("ten %ld (%d worksheets)\n", residentKb(), opened);
    return 0;
}
