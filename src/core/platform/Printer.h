#pragma once
// A printer (or PDF file) as the print job sees it: one document per job, one page
// per document, drawn through the page canvas. The printer reports its page in dots; the
// canvas may show the same page in units of its own (the Qt printers show it in layout
// units, as the screen page image is), so a job scales by the canvas's own width.

#include "platform/Canvas.h"

class Printer {
  public:
    virtual ~Printer() = default;
    // Page size in dots and the horizontal resolution.
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;
    virtual int resolution() const = 0;
    // Starts a document; the canvas is valid until endDoc or abortDoc.
    virtual bool beginDoc() = 0;
    virtual Canvas& canvas() = 0;
    virtual bool endDoc() = 0;
    virtual void abortDoc() = 0;
    // Copies the printer makes of each document by itself (the print dialog's count).
    virtual int copyCount() const = 0;
    virtual void setCopyCount(int n) = 0;
};
