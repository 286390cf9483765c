#include "gui/DeskApp.h"

#include <QApplication>
#include <cstdio>

#include "gui/Desk.h"
#include "gui/TfrmMain.h"

int runDesk(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    Desk desk(args.size() > 1 ? args.at(1) : QString());
    desk.createWindows();
    desk.main->show();
    return app.exec();
}
