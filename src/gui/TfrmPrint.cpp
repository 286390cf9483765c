#include "gui/TfrmPrint.h"

#include "gui/Desk.h"
#include "qt/CanvasImages.h"

TfrmPrint::TfrmPrint(Desk& desk, Worksheet& sheet, QWidget* parent)
    : QWidget(parent), desk_(desk), sheet_(sheet) {
    setObjectName(QStringLiteral("TfrmPrint"));
}

TfrmPrint::~TfrmPrint() = default;

void TfrmPrint::relayout() {}
Bitmap TfrmPrint::pageBitmap() const {
    return canvasBitmapOf(page_, page_.rect());
}
void TfrmPrint::setReduced(bool) {}
void TfrmPrint::toggleScroll() {}
void TfrmPrint::scrollToTop() {}
bool TfrmPrint::hasMarkedRegion() const {
    return false;
}
void TfrmPrint::copyMarkedRegion() {}
void TfrmPrint::dropMark() {}
void TfrmPrint::copyPageToClipboard() {}
bool TfrmPrint::closeQuery() {
    return true;
}
