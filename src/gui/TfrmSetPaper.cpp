#include "gui/TfrmSetPaper.h"

#include "gui/Desk.h"

TfrmSetPaper::TfrmSetPaper(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmSetPaper"));
}

void TfrmSetPaper::openForActive() {}
