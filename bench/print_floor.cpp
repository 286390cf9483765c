// The bare-Qt floor as a program of its own, for whole-process timings beside
// `velmix render --prp bench/print_sheet20.prp --copies 30 --numbered -o job.pdf`:
//     print_floor OUT.pdf [COPIES]
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

#include "print_floor.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: print_floor OUT.pdf [COPIES]\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int copies = argc > 2 ? std::atoi(argv[2]) : 30;
    return writeFloorPdf(QString::fromLocal8Bit(argv[1]), copies < 1 ? 1 : copies) ? 0 : 1;
}
