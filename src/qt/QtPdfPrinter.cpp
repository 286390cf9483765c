#include "qt/QtPdfPrinter.h"

#include <QHashSeed>
#include <QPageLayout>
#include <QPdfWriter>

#include "qt/PaperSizes.h"
#include "qt/QtClock.h"

namespace {
// The writer lists a file's fonts in the order of a hash table; for the same bytes on every
// run (SOURCE_DATE_EPOCH set) that order must not depend on the process's random seed.
QtPdfPrinterOutput* reproducible(QtPdfPrinterOutput* file) {
    if (QtClock::fixedTime()) QHashSeed::setDeterministicGlobalSeed();
    return file;
}
} // namespace

QtPdfPrinter::QtPdfPrinter(const QString& path, const QPageSize& paper, int dpi)
    : path_(path), file_(reproducible(new QtPdfPrinterOutput(path))),
      writer_(std::make_unique<QPdfWriter>(file_.get())), dpi_(dpi < 72     ? 72
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
    canvas_->setLayoutPage(paperUnits(mm.width()), paperUnits(mm.height()), dpi_);
    canvas_->setPageOpener([this](QPainter& painter) { return startPage(painter); });
}

QtPdfPrinter::~QtPdfPrinter() {
    finish();
}

void QtPdfPrinter::fail(const QString& reason) {
    if (!error_.isEmpty()) return;
    error_ = path_ + QString::fromUtf8("の保存に失敗しました");
    if (!reason.isEmpty()) error_ += QStringLiteral(": ") + reason;
}

bool QtPdfPrinter::startPage(QPainter& painter) {
    if (!docOpen_ || finished_) return false;
    if (painter.isActive()) {
        if (!writer_->newPage()) {
            fail(QStringLiteral("cannot start a new page"));
            return false;
        }
    } else {
        // The temporary file is made with the first page: a job without pages leaves
        // nothing behind.
        if (!file_->start()) {
            fail(file_->errorString());
            return false;
        }
        if (!painter.begin(writer_.get())) {
            fail(QStringLiteral("cannot start the PDF file"));
            return false;
        }
    }
    ++pages_;
    return true;
}

bool QtPdfPrinter::beginDoc() {
    if (docOpen_ || finished_) return false;
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
    if (finished_) return written_;
    finished_ = true;
    docOpen_ = false;
    const bool painted = canvas_->painter().isActive();
    const bool ended = canvas_->end();
    if (!painted || pages_ == 0) {
        // Nothing was drawn: the old file (if any) stays, and no new one is made.
        file_->discard();
        if (error_.isEmpty()) fail(QStringLiteral("nothing was printed"));
        return written_ = false;
    }
    if (!ended || !error_.isEmpty()) {
        fail(file_->failed() ? file_->errorString() : QString());
        file_->discard();
        return written_ = false;
    }
    if (!file_->commit()) {
        fail(file_->errorString());
        return written_ = false;
    }
    return written_ = true;
}
