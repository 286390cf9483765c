#include "worksheet/RepeatedCopies.h"

#include <utility>

#include "worksheet/PageLayout.h"
#include "worksheet/Workspace.h"

namespace {

using Kind = DrawCall::Kind;

DrawCall drawCall(Kind kind, int a, int b = 0, int c = 0, int d = 0, int e = 0, int f = 0) {
    DrawCall call;
    call.kind = kind;
    call.a = a;
    call.b = b;
    call.c = c;
    call.d = d;
    call.e = e;
    call.f = f;
    return call;
}

// A canvas in front of a printer page that passes everything on to it and keeps the
// drawing calls, except while paused (the number line, which every copy draws anew).
class KeepingCanvas : public Canvas {
  public:
    KeepingCanvas(Canvas& target, KeptPage& kept) : target_(target), kept_(kept) {}

    void pause(bool paused) { paused_ = paused; }

    void setFontFace(const std::string& face) override {
        target_.setFontFace(face);
        keepText(Kind::FontFace, 0, 0, face);
    }
    std::string fontFace() const override { return target_.fontFace(); }
    void setFontSize(int points) override {
        target_.setFontSize(points);
        keep(Kind::FontSize, points);
    }
    int fontSize() const override { return target_.fontSize(); }
    void setFontStyle(unsigned style) override {
        target_.setFontStyle(style);
        keep(Kind::FontStyle, static_cast<int>(style));
    }
    unsigned fontStyle() const override { return target_.fontStyle(); }
    void setFontColor(Color c) override {
        target_.setFontColor(c);
        keep(Kind::FontColor, static_cast<int>(c));
    }
    Color fontColor() const override { return target_.fontColor(); }

    void textOut(int x, int y, std::string_view text) override {
        target_.textOut(x, y, text);
        keepText(Kind::TextOut, x, y, text);
    }
    int textWidth(std::string_view text) override { return target_.textWidth(text); }
    int textHeight(std::string_view text) override { return target_.textHeight(text); }

    void setPenColor(Color c) override {
        target_.setPenColor(c);
        keep(Kind::PenColor, static_cast<int>(c));
    }
    Color penColor() const override { return target_.penColor(); }
    void setPenWidth(int w) override {
        target_.setPenWidth(w);
        keep(Kind::PenWidth, w);
    }
    int penWidth() const override { return target_.penWidth(); }
    void setPenStyle(PenStyle s) override {
        target_.setPenStyle(s);
        keep(Kind::PenStyle, static_cast<int>(s));
    }
    void setPenMode(PenMode m) override {
        target_.setPenMode(m);
        keep(Kind::PenMode, static_cast<int>(m));
    }
    void setBrushStyle(BrushStyle s) override {
        target_.setBrushStyle(s);
        keep(Kind::BrushStyle, static_cast<int>(s));
    }
    void setBrushColor(Color c) override {
        target_.setBrushColor(c);
        keep(Kind::BrushColor, static_cast<int>(c));
    }

    void moveTo(int x, int y) override {
        target_.moveTo(x, y);
        keep(Kind::MoveTo, x, y);
    }
    void lineTo(int x, int y) override {
        target_.lineTo(x, y);
        keep(Kind::LineTo, x, y);
    }
    Point penPos() const override { return target_.penPos(); }

    void rectangle(const Rect& r) override {
        target_.rectangle(r);
        keep(Kind::Rectangle, r.left, r.top, r.right, r.bottom);
    }
    void roundRect(const Rect& r, int ellipseW, int ellipseH) override {
        target_.roundRect(r, ellipseW, ellipseH);
        keep(Kind::RoundRect, r.left, r.top, r.right, r.bottom, ellipseW, ellipseH);
    }
    void ellipse(const Rect& r) override {
        target_.ellipse(r);
        keep(Kind::Ellipse, r.left, r.top, r.right, r.bottom);
    }
    void fillRect(const Rect& r, Color c) override {
        target_.fillRect(r, c);
        keep(Kind::FillRect, r.left, r.top, r.right, r.bottom, static_cast<int>(c));
    }

    void stretchDraw(const Rect& dest, const Bitmap& picture) override {
        target_.stretchDraw(dest, picture);
        if (paused_) return;
        // The same picture drawn again (the class flag, a graph shown twice) is kept once.
        if (!lastPicture_ || lastPicture_->width != picture.width ||
            lastPicture_->height != picture.height || lastPicture_->drawing != picture.drawing ||
            lastPicture_->pixels != picture.pixels)
            lastPicture_ = std::make_shared<const Bitmap>(picture);
        DrawCall call = drawCall(Kind::StretchDraw, dest.left, dest.top, dest.right, dest.bottom);
        call.picture = lastPicture_;
        kept_.calls.push_back(std::move(call));
    }
    Bitmap grab(const Rect& src) override {
        // What the page shows already may differ from copy to copy: nothing is repeated.
        kept_.repeatable = false;
        return target_.grab(src);
    }

    int deviceWidth() const override { return target_.deviceWidth(); }
    int deviceHeight() const override { return target_.deviceHeight(); }
    int dpiX() const override { return target_.dpiX(); }

  private:
    void keep(Kind kind, int a, int b = 0, int c = 0, int d = 0, int e = 0, int f = 0) {
        if (!paused_) kept_.calls.push_back(drawCall(kind, a, b, c, d, e, f));
    }
    void keepText(Kind kind, int x, int y, std::string_view text) {
        if (paused_) return;
        DrawCall call = drawCall(kind, x, y);
        call.text.assign(text);
        kept_.calls.push_back(std::move(call));
    }

    Canvas& target_;
    KeptPage& kept_;
    bool paused_ = false;
    std::shared_ptr<const Bitmap> lastPicture_;
};

Rect rectOf(const DrawCall& c) {
    return Rect{c.a, c.b, c.c, c.d};
}

} // namespace

void KeptPage::drawCalls(Canvas& canvas, std::size_t from, std::size_t to) const {
    for (std::size_t i = from; i < to; ++i) {
        const DrawCall& c = calls[i];
        switch (c.kind) {
        case Kind::FontFace:
            canvas.setFontFace(c.text);
            break;
        case Kind::FontSize:
            canvas.setFontSize(c.a);
            break;
        case Kind::FontStyle:
            canvas.setFontStyle(static_cast<unsigned>(c.a));
            break;
        case Kind::FontColor:
            canvas.setFontColor(static_cast<Color>(c.a));
            break;
        case Kind::PenColor:
            canvas.setPenColor(static_cast<Color>(c.a));
            break;
        case Kind::PenWidth:
            canvas.setPenWidth(c.a);
            break;
        case Kind::PenStyle:
            canvas.setPenStyle(static_cast<PenStyle>(c.a));
            break;
        case Kind::PenMode:
            canvas.setPenMode(static_cast<PenMode>(c.a));
            break;
        case Kind::BrushStyle:
            canvas.setBrushStyle(static_cast<BrushStyle>(c.a));
            break;
        case Kind::BrushColor:
            canvas.setBrushColor(static_cast<Color>(c.a));
            break;
        case Kind::MoveTo:
            canvas.moveTo(c.a, c.b);
            break;
        case Kind::LineTo:
            canvas.lineTo(c.a, c.b);
            break;
        case Kind::TextOut:
            canvas.textOut(c.a, c.b, c.text);
            break;
        case Kind::Rectangle:
            canvas.rectangle(rectOf(c));
            break;
        case Kind::RoundRect:
            canvas.roundRect(rectOf(c), c.e, c.f);
            break;
        case Kind::Ellipse:
            canvas.ellipse(rectOf(c));
            break;
        case Kind::FillRect:
            canvas.fillRect(rectOf(c), static_cast<Color>(c.e));
            break;
        case Kind::StretchDraw:
            if (c.picture) canvas.stretchDraw(rectOf(c), *c.picture);
            break;
        }
    }
}

IdenticalCopies::IdenticalCopies(Workspace& program, Worksheet& sheet, LayoutRequest request)
    : program_(program), sheet_(sheet), request_(std::move(request)) {}

void IdenticalCopies::draw(Canvas& page) {
    if (!kept_) {
        kept_ = std::make_unique<KeptPage>();
        KeepingCanvas keeping(page, *kept_);
        LayOutPage(program_, sheet_, keeping, request_, [this, &keeping](bool before) {
            if (before) {
                kept_->numberLineAt = kept_->calls.size();
                kept_->hasNumberLine = true;
            }
            keeping.pause(before);
        });
        return;
    }
    if (!kept_->repeatable) {
        LayOutPage(program_, sheet_, page, request_);
        return;
    }
    kept_->drawOn(page, [&] { DrawNumberLine(program_, sheet_, page, request_); });
}
