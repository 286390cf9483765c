#include "qt/QtPdfPrinter.h"

#include <QPageLayout>
#include <QPdfWriter>

#include "qt/PaperSizes.h"

QtPdfPrinter::QtPdfPrinter(const QString& path, const QPageSize& paper, int dpi)
    : path_(path), writer_(std::make_unique<QPdfWriter>(path)), dpi_(dpi < 72     ? 72
                                                                     : dpi > 4800 ? 4800
                                                                                  : dpi) {
    const QPageSize size = paper.isValid() ? paper : QPageSize(QPageSize::A4);
    writer_->setResolution(dpi_);
    writer_->setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer_->setCreator(QStringLiteral("Velmix++"));
    const QSizeF mm = size.size(QPageSize::Millimeter);
    width_ = paperDots(mm.width(), dpi_);
    height_ = paperDots(mm.height(), dpi_);
    canvas_ = std::make_unique<QtCanvas>(*writer_);
    canvas_->setNominalPage(width_, height_, dpi_);
    canvas_->setPageOpener([this](QPainter& painter) { return startPage(painter); });
}

QtPdfPrinter::~QtPdfPrinter() {
    finish();
}

bool QtPdfPrinter::startPage(QPainter& painter) {
    if (!docOpen_) return false;
    if (painter.isActive()) {
        if (!writer_->newPage()) {
            error_ = QStringLiteral("cannot start a new page in ") + path_;
            return false;
        }
    } else if (!painter.begin(writer_.get())) {
        error_ = QStringLiteral("cannot write ") + path_;
        return false;
    }
    ++pages_;
    return true;
}

bool QtPdfPrinter::beginDoc() {
    if (docOpen_) return false;
    docOpen_ = true;
    canvas_->closePage();
    canvas_->resetState();
    return true;
}

bool QtPdfPrinter::endDoc() {
    if (!docOpen_) return false;
    // A document with nothing drawn still makes its page.
    const bool ok = canvas_->openPage();
    canvas_->closePage();
    docOpen_ = false;
    return ok;
}

void QtPdfPrinter::abortDoc() {
    canvas_->closePage();
    docOpen_ = false;
}

bool QtPdfPrinter::finish() {
    docOpen_ = false;
    if (!canvas_->painter().isActive()) return pages_ > 0 && error_.isEmpty();
    const bool ok = canvas_->end();
    if (!ok && error_.isEmpty()) error_ = QStringLiteral("cannot write ") + path_;
    return ok;
}
