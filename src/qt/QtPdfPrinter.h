#pragma once
// A printer that writes one PDF file: every document (beginDoc … endDoc) becomes one page of
// it, so a job of three numbered copies gives a three-page file. The pages are full paper
// size without margins; page width in dots = paper width × resolution. The canvas shows
// each page to the layout in layout units, as the screen page image is.
//
// The file is written atomically: the pages are put in place through the atomic save only
// when everything has been written. A failed write (a full disk) leaves an existing file as
// it was; finish() then returns false and errorString() says why. A path naming an existing
// device or pipe (not a regular file) is written directly. Under SOURCE_DATE_EPOCH the
// same pages give the same bytes (the file's date is that moment).

#include <QPageSize>
#include <QString>
#include <memory>

#include "platform/Printer.h"
#include "qt/QtCanvas.h"
#include "qt/QtPdfPrinterOutput.h"

class QPdfWriter;

class QtPdfPrinter : public Printer {
  public:
    explicit QtPdfPrinter(const QString& path, const QPageSize& paper = QPageSize(QPageSize::A4),
                          int dpi = 600);
    ~QtPdfPrinter() override;

    int pageWidth() const override { return width_; }
    int pageHeight() const override { return height_; }
    int resolution() const override { return dpi_; }
    bool beginDoc() override;
    Canvas& canvas() override { return *canvas_; }
    bool endDoc() override;
    // Ends the document without a page when nothing has been drawn yet; a page already
    // begun stays in the file (a PDF page cannot be taken back).
    void abortDoc() override;
    // A PDF file holds each document once; the count is kept for the job to read back.
    int copyCount() const override { return copies_; }
    // A job of several copies repeats its pages: what the canvas can write once for all of
    // them, it does.
    void setCopyCount(int n) override {
        copies_ = n < 1 ? 1 : n;
        if (copies_ > 1) canvas_->setRepeatedPages(true);
    }

    // Writes the file out and puts it in place. No documents: no file, and false. False
    // when anything could not be written; the file is then left as it was before.
    // Called by the destructor when needed; later calls give the same answer.
    bool finish();
    int pageCount() const { return pages_; }
    // Why the file could not be written: the path followed by "の保存に失敗しました" and
    // the system's reason. Empty while nothing failed.
    QString errorString() const { return error_; }

  private:
    bool startPage(QPainter& painter);
    void fail(const QString& reason);
    QString path_;
    std::unique_ptr<QtPdfPrinterOutput> file_;
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<QtCanvas> canvas_;
    int dpi_;
    int width_;
    int height_;
    int copies_ = 1;
    int pages_ = 0;
    bool docOpen_ = false;
    bool finished_ = false;
    bool written_ = false;
    QString error_;
};
