#pragma once
// A printer double: counts the documents it is given and records what each page got
// (texts and stretched pictures). Begin and end can be made to fail.

#include <memory>
#include <string>
#include <vector>

#include "platform/Printer.h"

class FakePrinter : public Printer {
  public:
    struct Text {
        int x, y;
        std::string text;
    };
    struct Picture {
        Rect dest;
        int width, height; // size of the bitmap drawn
    };
    struct Document {
        std::vector<Text> texts;
        std::vector<Picture> pictures;
        bool ended = false;
        bool aborted = false;
    };

    FakePrinter();
    ~FakePrinter() override;

    int width = 4960; // A4 at 600 dpi
    int height = 7016;
    int dpi = 600;
    int copies = 1;
    bool failBegin = false;
    bool failEnd = false;
    std::vector<Document> documents;

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
    class Page;
    std::unique_ptr<Page> page_;
    Document* open_ = nullptr;
};
