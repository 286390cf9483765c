#include "qt/QtPrinterTarget.h"

#include <QPageLayout>
#include <QPrinter>

#include "qt/PaperSizes.h"

QtPrinterTarget::QtPrinterTarget(QPrinter& printer) : printer_(printer) {
    printer_.setFullPage(true);
    canvas_ = std::make_unique<QtCanvas>(printer_);
    canvas_->setPageOpener([this](QPainter& painter) {
        return docOpen_ && (painter.isActive() || painter.begin(&printer_));
    });
    updatePage();
}

QtPrinterTarget::~QtPrinterTarget() {
    if (docOpen_) abortDoc();
}

// The page in whole dots at the printer's resolution, shown to the layout in layout units.
void QtPrinterTarget::updatePage() {
    const QSizeF mm = printer_.pageLayout().fullRect(QPageLayout::Millimeter).size();
    dpi_ = printer_.resolution();
    width_ = paperDots(mm.width(), dpi_);
    height_ = paperDots(mm.height(), dpi_);
    canvas_->setLayoutPage(paperUnits(mm.width()), paperUnits(mm.height()), dpi_);
}

bool QtPrinterTarget::beginDoc() {
    if (docOpen_) return false;
    // The print dialog may have changed paper or resolution since the last job.
    printer_.setFullPage(true);
    updatePage();
    canvas_->end();
    canvas_->resetState();
    docOpen_ = true;
    return true;
}

bool QtPrinterTarget::endDoc() {
    if (!docOpen_) return false;
    bool ok = canvas_->openPage();
    ok = canvas_->end() && ok;
    docOpen_ = false;
    return ok;
}

void QtPrinterTarget::abortDoc() {
    if (canvas_->painter().isActive()) printer_.abort();
    canvas_->end();
    docOpen_ = false;
}

int QtPrinterTarget::copyCount() const {
    return printer_.copyCount();
}
void QtPrinterTarget::setCopyCount(int n) {
    printer_.setCopyCount(n < 1 ? 1 : n);
}
