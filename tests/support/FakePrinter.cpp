#include "FakePrinter.h"

bool FakePrinter::beginDoc() {
    if (failBegin) return false;
    Document& doc = documents.emplace_back();
    doc.page.setDevice(width, height, dpi);
    open_ = &doc;
    return true;
}

Canvas& FakePrinter::canvas() {
    if (open_) return open_->page;
    return closed_;
}

bool FakePrinter::endDoc() {
    if (!open_) return false;
    open_->ended = true;
    open_ = nullptr;
    return !failEnd;
}

void FakePrinter::abortDoc() {
    if (open_) open_->aborted = true;
    open_ = nullptr;
}
