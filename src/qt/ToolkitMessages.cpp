#include "qt/ToolkitMessages.h"

#include <QString>
#include <QtGlobal>
#include <cstdio>

namespace {

void quietToolkit(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg) return;
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

} // namespace

void QuietToolkitUnlessAsked() {
    if (qEnvironmentVariableIntValue("VELMIX_QT_MESSAGES") == 0)
        qInstallMessageHandler(quietToolkit);
}
