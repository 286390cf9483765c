#pragma once
// A printer double: every document gets a recording canvas of the printer's page size,
// so tests count the documents and read what each page got. Begin and end can fail.

#include <deque>

#include "RecordingCanvas.h"
#include "platform/Printer.h"

class FakePrinter : public Printer {
  public:
    struct Document {
        RecordingCanvas page;
        bool ended = false;
        bool aborted = false;
    };

    int width = 4960; // A4 at 600 dpi
    int height = 7016;
    int dpi = 600;
    int copies = 1;
    bool failBegin = false;
    bool failEnd = false;
    std::deque<Document> documents; // a deque keeps earlier pages where they are

    int pageWidth() const override { return width; }
    int pageHeight() const override { return height; }
    int resolution() const override { return dpi; }
    bool beginDoc() override;
    Canvas& canvas() override;
    bool endDoc() override;
    void abortDoc() override;
    int copyCount() const override { return copies; }
    void setCopyCount(int n) override { copies = n; }

  private:
    Document* open_ = nullptr;
    RecordingCanvas closed_; // drawing outside a document lands here
};
