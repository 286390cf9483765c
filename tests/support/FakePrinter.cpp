#include "FakePrinter.h"

#include <memory>

// The page canvas: keeps the state a caller may read back and records texts and pictures
// into the open document.
class FakePrinter::Page : public Canvas {
  public:
    explicit Page(FakePrinter& printer) : printer_(printer) {}
    void setFontFace(const std::string& face) override { face_ = face; }
    std::string fontFace() const override { return face_; }
    void setFontSize(int points) override { size_ = points; }
    int fontSize() const override { return size_; }
    void setFontStyle(unsigned style) override { style_ = style; }
    unsigned fontStyle() const override { return style_; }
    void setFontColor(Color c) override { fontColor_ = c; }
    Color fontColor() const override { return fontColor_; }
    void textOut(int x, int y, std::string_view text) override {
        if (printer_.open_) printer_.open_->texts.push_back({x, y, std::string(text)});
        pen_ = {x + textWidth(text), y};
    }
    int textWidth(std::string_view text) override { return static_cast<int>(text.size()) * size_; }
    int textHeight(std::string_view) override { return size_; }
    void setPenColor(Color c) override { penColor_ = c; }
    Color penColor() const override { return penColor_; }
    void setPenWidth(int w) override { penWidth_ = w; }
    int penWidth() const override { return penWidth_; }
    void setPenStyle(PenStyle) override {}
    void setPenMode(PenMode) override {}
    void setBrushStyle(BrushStyle) override {}
    void setBrushColor(Color) override {}
    void moveTo(int x, int y) override { pen_ = {x, y}; }
    void lineTo(int x, int y) override { pen_ = {x, y}; }
    Point penPos() const override { return pen_; }
    void rectangle(const Rect&) override {}
    void roundRect(const Rect&, int, int) override {}
    void ellipse(const Rect&) override {}
    void fillRect(const Rect&, Color) override {}
    void stretchDraw(const Rect& dest, const Bitmap& picture) override {
        if (printer_.open_) printer_.open_->pictures.push_back({dest, picture.width, picture.height});
    }
    Bitmap grab(const Rect& src) override { return Bitmap(src.width(), src.height()); }
    int deviceWidth() const override { return printer_.width; }
    int deviceHeight() const override { return printer_.height; }
    int dpiX() const override { return printer_.dpi; }

  private:
    FakePrinter& printer_;
    std::string face_;
    int size_ = 10;
    unsigned style_ = 0;
    Color fontColor_ = colors::Black;
    Color penColor_ = colors::Black;
    int penWidth_ = 1;
    Point pen_;
};

FakePrinter::FakePrinter() : page_(std::make_unique<Page>(*this)) {}
FakePrinter::~FakePrinter() = default;

bool FakePrinter::beginDoc() {
    if (failBegin) return false;
    documents.emplace_back();
    open_ = &documents.back();
    return true;
}

Canvas& FakePrinter::canvas() { return *page_; }

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
