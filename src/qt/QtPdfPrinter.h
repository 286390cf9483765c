#pragma once
// A printer that writes one PDF file: every document (beginDoc … endDoc) becomes one page of
// it, so a job of three numbered copies gives a three-page file. The pages are full paper
// size without margins; page width in dots = paper width × resolution.

#include <QPageSize>
#include <QString>
#include <memory>

#include "platform/Printer.h"
#include "qt/QtCanvas.h"

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
    void setCopyCount(int n) override { copies_ = n < 1 ? 1 : n; }

    // Writes the file out. No documents: no file. Called by the destructor when needed.
    bool finish();
    int pageCount() const { return pages_; }
    QString errorString() const { return error_; }

  private:
    bool startPage(QPainter& painter);

    QString path_;
    std::unique_ptr<QPdfWriter> writer_;
    std::unique_ptr<QtCanvas> canvas_;
    int dpi_;
    int width_;
    int height_;
    int copies_ = 1;
    int pages_ = 0;
    bool docOpen_ = false;
    QString error_;
};
