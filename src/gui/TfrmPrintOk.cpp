#include "gui/TfrmPrintOk.h"

#include "gui/Desk.h"

TfrmPrintOk::TfrmPrintOk(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmPrintOk"));
}

void TfrmPrintOk::openForActive() {}
