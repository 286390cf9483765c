#include "typeset/MeasuringCanvas.h"

#include <algorithm>

namespace {

// Half-width and full-width blanks leave no ink.
bool onlyBlanks(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ') continue;
        if (static_cast<unsigned char>(text[i]) == 0x81 && i + 1 < text.size() &&
            static_cast<unsigned char>(text[i + 1]) == 0x40) {
            ++i;
            continue;
        }
        return false;
    }
    return true;
}

int clampInt(long long v) {
    constexpr long long limit = 1LL << 30;
    return static_cast<int>(std::clamp(v, -limit, limit));
}

} // namespace

void MeasuringCanvas::begin(bool draw) {
    measuring_ = true;
    draw_ = draw;
    covered_.reset();
    pen_ = target_.penPos();
}

std::optional<Rect> MeasuringCanvas::end() {
    measuring_ = false;
    draw_ = true;
    return covered_;
}

void MeasuringCanvas::cover(long long left, long long top, long long right, long long bottom) {
    if (!measuring_) return;
    const Rect r{clampInt(std::min(left, right)), clampInt(std::min(top, bottom)),
                 clampInt(std::max(left, right)), clampInt(std::max(top, bottom))};
    if (!covered_) {
        covered_ = r;
        return;
    }
    covered_->left = std::min(covered_->left, r.left);
    covered_->top = std::min(covered_->top, r.top);
    covered_->right = std::max(covered_->right, r.right);
    covered_->bottom = std::max(covered_->bottom, r.bottom);
}

void MeasuringCanvas::coverShape(const Rect& r) {
    // An outline is centred on the shape's edge: half the pen lies outside.
    const long long half = std::max(1, target_.penWidth()) / 2;
    cover(static_cast<long long>(r.left) - half, static_cast<long long>(r.top) - half,
          static_cast<long long>(r.right) + half, static_cast<long long>(r.bottom) + half);
}

void MeasuringCanvas::textOut(int x, int y, std::string_view text) {
    if (!measuring_) {
        target_.textOut(x, y, text);
        return;
    }
    const int width = target_.textWidth(text);
    if (!text.empty() && !onlyBlanks(text))
        cover(x, y, static_cast<long long>(x) + width,
              static_cast<long long>(y) + target_.textHeight(text));
    pen_ = Point{clampInt(static_cast<long long>(x) + width), y};
    if (drawing()) target_.textOut(x, y, text);
}

void MeasuringCanvas::moveTo(int x, int y) {
    pen_ = Point{x, y};
    if (drawing()) target_.moveTo(x, y);
}

void MeasuringCanvas::lineTo(int x, int y) {
    if (!measuring_) {
        target_.lineTo(x, y);
        return;
    }
    const Point from = penPos();
    const long long half = (std::max(1, target_.penWidth()) + 1) / 2;
    cover(static_cast<long long>(std::min(from.x, x)) - half,
          static_cast<long long>(std::min(from.y, y)) - half,
          static_cast<long long>(std::max(from.x, x)) + half,
          static_cast<long long>(std::max(from.y, y)) + half);
    pen_ = Point{x, y};
    if (drawing()) target_.lineTo(x, y);
}

void MeasuringCanvas::rectangle(const Rect& r) {
    coverShape(r);
    if (drawing()) target_.rectangle(r);
}

void MeasuringCanvas::roundRect(const Rect& r, int ellipseW, int ellipseH) {
    coverShape(r);
    if (drawing()) target_.roundRect(r, ellipseW, ellipseH);
}

void MeasuringCanvas::ellipse(const Rect& r) {
    coverShape(r);
    if (drawing()) target_.ellipse(r);
}

void MeasuringCanvas::fillRect(const Rect& r, Color c) {
    cover(r.left, r.top, r.right, r.bottom);
    if (drawing()) target_.fillRect(r, c);
}

void MeasuringCanvas::stretchDraw(const Rect& dest, const Bitmap& picture) {
    if (!picture.empty()) cover(dest.left, dest.top, dest.right, dest.bottom);
    if (drawing()) target_.stretchDraw(dest, picture);
}
