#include "gui/TfrmSettei.h"

#include "gui/Desk.h"

TfrmSettei::TfrmSettei(Desk& desk, QWidget* parent) : QDialog(parent), desk_(desk) {
    setObjectName(QStringLiteral("TfrmSettei"));
}

void TfrmSettei::openForActive() {}
void TfrmSettei::refreshFromWorksheet() {}
