#pragma once
// The system printer (through CUPS) as the print job's printer: each document is a job of
// its own with one full page; the printer makes copyCount copies of it.

#include <memory>

#include "platform/Printer.h"
#include "qt/QtCanvas.h"

class QPrinter;

class QtPrinterTarget : public Printer {
  public:
    // printer (set up by the print dialog) must outlive the target.
    explicit QtPrinterTarget(QPrinter& printer);
    ~QtPrinterTarget() override;

    int pageWidth() const override;
    int pageHeight() const override;
    int resolution() const override;
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
};
