// Resident memory of the windowed program with worksheets open, next to a bare Qt Widgets
// program showing an empty multiple-document main window, measured the same way.
//   desk_memory bare        the bare program
//   desk_memory desk [N]    the program with N worksheets open (default 10)

#include <QMainWindow>
#include <QMdiArea>
#include <cstdio>
#include <fstream>
#include <string>

#include "DeskOnCourse.h"

namespace {

long residentKb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    long kb = -1;
    while (status >> key)
        if (key == "VmRSS:") status >> kb;
    return kb;
}

void settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

} // namespace

int main(int argc, char** argv) {
    useOffscreenUnlessChosen();
    QApplication app(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "desk";
    if (mode == "bare") {
        QMainWindow window;
        window.setCentralWidget(new QMdiArea);
        window.resize(1280, 990);
        window.show();
        settle();
        std::printf("bare: %ld kB\n", residentKb());
        return 0;
    }
    const int wanted = argc > 2 ? std::atoi(argv[2]) : 10;
    DeskOnCourse course;
    settle();
    const long before = residentKb();
    int opened = 0;
    for (int lesson = 1; lesson <= 3 && opened < wanted; ++lesson)
        for (int section = 1; section <= 4 && opened < wanted; ++section)
            for (int unit = 1; unit <= 4 && opened < wanted; ++unit)
                opened += course.open(lesson, section, unit);
    settle();
    std::printf("desk: %ld kB with no worksheet, %ld kB with %d worksheets\n", before, residentKb(),
                opened);
    return 0;
}
