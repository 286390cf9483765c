#include "qt/QtPrinterTarget.h"

#include <QPageLayout>
#include <QPrinter>

#include "qt/PaperSizes.h"

QtPrinterTarget::QtPrinterTarget(QPrinter& printer) : printer_(printer) {
    printer_.setFullPage(true);
    canvas_ = std::make_unique<QtCanvas>(printer_);
    canvas_->setPageOpener([this](QPainter& painter) { return openPage(painter); });
    updatePage();
}

QtPrinterTarget::~QtPrinterTarget() {
    if (docOpen_) abortDoc();
    finish();
}

bool QtPrinterTarget::toFile() const {
    return printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty();
}

// A document's page: a new job on a printer; on a PDF file the next page of the file.
bool QtPrinterTarget::openPage(QPainter& painter) {
    if (!docOpen_) return false;
    const bool ok = painter.isActive() ? !toFile() || printer_.newPage() : painter.begin(&printer_);
    if (!ok) failed_ = true;
    return ok;
}

bool QtPrinterTarget::finish() {
    docOpen_ = false;
    const bool ok = canvas_->end() && !failed_;
    failed_ = false;
    return ok;
}

// The page the layout sees: the paper in whole dots at the printer's resolution.
void QtPrinterTarget::updatePage() {
    const QSizeF mm = printer_.pageLayout().fullRect(QPageLayout::Millimeter).size();
    const int dpi = printer_.resolution();
    canvas_->setNominalPage(paperDots(mm.width(), dpi), paperDots(mm.height(), dpi), dpi);
}

int QtPrinterTarget::pageWidth() const {
    return canvas_->deviceWidth();
}
int QtPrinterTarget::pageHeight() const {
    return canvas_->deviceHeight();
}
int QtPrinterTarget::resolution() const {
    return canvas_->dpiX();
}

bool QtPrinterTarget::beginDoc() {
    if (docOpen_) return false;
    if (toFile() && canvas_->painter().isActive()) {
        // The next page of the file: the painter stays on the printer.
        canvas_->closePage();
    } else {
        // The print dialog may have changed paper or resolution since the last job.
        printer_.setFullPage(true);
        updatePage();
        canvas_->end();
    }
    canvas_->resetState();
    docOpen_ = true;
    return true;
}

bool QtPrinterTarget::endDoc() {
    if (!docOpen_) return false;
    bool ok = canvas_->openPage();
    if (toFile())
        canvas_->closePage();
    else
        ok = canvas_->end() && ok;
    docOpen_ = false;
    return ok && !failed_;
}

void QtPrinterTarget::abortDoc() {
    if (toFile()) {
        // A page already begun in a PDF file stays in it: a page cannot be taken back.
        canvas_->closePage();
    } else {
        if (canvas_->painter().isActive()) printer_.abort();
        canvas_->end();
    }
    docOpen_ = false;
}

int QtPrinterTarget::copyCount() const {
    return printer_.copyCount();
}
void QtPrinterTarget::setCopyCount(int n) {
    printer_.setCopyCount(n < 1 ? 1 : n);
}
