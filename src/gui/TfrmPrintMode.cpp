#include "gui/TfrmPrintMode.h"

#include "gui/Desk.h"

TfrmPrintMode::TfrmPrintMode(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmPrintMode"));
}

void TfrmPrintMode::openForActive() {}
void TfrmPrintMode::selectScreenMode() {}
