#pragma once
// The system printer (through CUPS) as the print job's printer: each document is a job of
// its own with one full page; the printer makes copyCount copies of it. The canvas shows the
// page to the layout in layout units, as the screen page image is.

#include <memory>

#include "platform/Printer.h"
#include "qt/QtCanvas.h"

class QPrinter;

class QtPrinterTarget : public Printer {
  public:
    // printer (set up by the print dialog) must outlive the target.
    explicit QtPrinterTarget(QPrinter& printer);
    ~QtPrinterTarget() override;

    int pageWidth() const override { return width_; }
    int pageHeight() const override { return height_; }
    int resolution() const override { return dpi_; }
    bool beginDoc() override;
    Canvas& canvas() override { return *canvas_; }
    bool endDoc() override;
    void abortDoc() override;
    int copyCount() const override;
    void setCopyCount(int n) override;

  private:
    void updatePage();

    QPrinter& printer_;
    std::unique_ptr<QtCanvas> canvas_;
    bool docOpen_ = false;
    int width_ = 0, height_ = 0, dpi_ = 0;
};
