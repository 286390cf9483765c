#include "RecordingCanvas.h"

#include "text/Sjis.h"

RecordingCanvas::Record& RecordingCanvas::add(Kind k) {
    Record& r = records_.emplace_back();
    r.kind = k;
    r.state = state_;
    return r;
}

std::vector<const RecordingCanvas::Record*> RecordingCanvas::ofKind(Kind k) const {
    std::vector<const Record*> out;
    for (const Record& r : records_)
        if (r.kind == k) out.push_back(&r);
    return out;
}

std::size_t RecordingCanvas::count(Kind k) const {
    std::size_t n = 0;
    for (const Record& r : records_)
        if (r.kind == k) ++n;
    return n;
}

std::vector<std::string> RecordingCanvas::texts() const {
    std::vector<std::string> out;
    for (const Record* r : textOuts())
        out.push_back(r->text);
    return out;
}

std::vector<std::string> RecordingCanvas::textsUtf8() const {
    std::vector<std::string> out;
    for (const Record* r : textOuts())
        out.push_back(sjis::toUtf8(r->text));
    return out;
}

std::string RecordingCanvas::allTextUtf8() const {
    std::string all;
    for (const Record* r : textOuts())
        all += r->text;
    return sjis::toUtf8(all);
}

const RecordingCanvas::Record* RecordingCanvas::findText(std::string_view sjisText) const {
    for (const Record& r : records_)
        if (r.kind == Kind::TextOut && r.text == sjisText) return &r;
    return nullptr;
}

std::vector<RecordingCanvas::Line> RecordingCanvas::lines() const {
    std::vector<Line> out;
    for (const Record& r : records_)
        if (r.kind == Kind::LineTo)
            out.push_back({r.from,
                           {r.x, r.y},
                           r.state.penColor,
                           r.state.penWidth,
                           r.state.penStyle,
                           r.state.penMode});
    return out;
}

void RecordingCanvas::setFontFace(const std::string& face) {
    state_.face = face;
    add(Kind::SetFontFace);
}

void RecordingCanvas::setFontSize(int points) {
    state_.size = points;
    add(Kind::SetFontSize);
}

void RecordingCanvas::setFontStyle(unsigned style) {
    state_.style = style;
    add(Kind::SetFontStyle);
}

void RecordingCanvas::setFontColor(Color c) {
    state_.fontColor = c;
    add(Kind::SetFontColor);
}

void RecordingCanvas::textOut(int x, int y, std::string_view text) {
    int w = textWidth(text);
    state_.pen = {x + w, y};
    Record& r = add(Kind::TextOut);
    r.x = x;
    r.y = y;
    r.text = std::string(text);
    r.width = w;
}

void RecordingCanvas::setPenColor(Color c) {
    state_.penColor = c;
    add(Kind::SetPenColor);
}

void RecordingCanvas::setPenWidth(int w) {
    state_.penWidth = w;
    add(Kind::SetPenWidth);
}

void RecordingCanvas::setPenStyle(PenStyle s) {
    state_.penStyle = s;
    add(Kind::SetPenStyle);
}

void RecordingCanvas::setPenMode(PenMode m) {
    state_.penMode = m;
    add(Kind::SetPenMode);
}

void RecordingCanvas::setBrushStyle(BrushStyle s) {
    state_.brushStyle = s;
    add(Kind::SetBrushStyle);
}

void RecordingCanvas::setBrushColor(Color c) {
    state_.brushColor = c;
    add(Kind::SetBrushColor);
}

void RecordingCanvas::moveTo(int x, int y) {
    state_.pen = {x, y};
    Record& r = add(Kind::MoveTo);
    r.x = x;
    r.y = y;
}

void RecordingCanvas::lineTo(int x, int y) {
    Point from = state_.pen;
    state_.pen = {x, y};
    Record& r = add(Kind::LineTo);
    r.from = from;
    r.x = x;
    r.y = y;
}

void RecordingCanvas::rectangle(const Rect& rc) {
    add(Kind::Rectangle).rect = rc;
}

void RecordingCanvas::roundRect(const Rect& rc, int ellipseW, int ellipseH) {
    Record& r = add(Kind::RoundRect);
    r.rect = rc;
    r.ellipseW = ellipseW;
    r.ellipseH = ellipseH;
}

void RecordingCanvas::ellipse(const Rect& rc) {
    add(Kind::Ellipse).rect = rc;
}

void RecordingCanvas::fillRect(const Rect& rc, Color c) {
    Record& r = add(Kind::FillRect);
    r.rect = rc;
    r.fill = c;
}

void RecordingCanvas::stretchDraw(const Rect& dest, const Bitmap& picture) {
    Record& r = add(Kind::StretchDraw);
    r.rect = dest;
    r.picture = picture;
    r.source = &picture;
}

Bitmap RecordingCanvas::grab(const Rect& src) {
    add(Kind::Grab).rect = src;
    return Bitmap(src.width(), src.height());
}
