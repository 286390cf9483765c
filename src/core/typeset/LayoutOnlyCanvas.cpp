#include "typeset/LayoutOnlyCanvas.h"

namespace {
// Beyond this many remembered texts the memory is started afresh: a course of unlike units
// gains little from it, and the check's memory stays bounded.
constexpr std::size_t MaxRemembered = 1 << 18;
} // namespace

void LayoutOnlyCanvas::setFontFace(const std::string& face) {
    metrics_.setFontFace(face);
    fontKey_.clear();
}

void LayoutOnlyCanvas::setFontSize(int points) {
    metrics_.setFontSize(points);
    fontKey_.clear();
}

void LayoutOnlyCanvas::setFontStyle(unsigned style) {
    metrics_.setFontStyle(style);
    fontKey_.clear();
}

void LayoutOnlyCanvas::fontChanged() {
    fontKey_ = metrics_.fontFace();
    fontKey_ += '\0';
    fontKey_ += std::to_string(metrics_.fontSize());
    fontKey_ += '\0';
    fontKey_ += std::to_string(metrics_.fontStyle());
    fontKey_ += '\0';
}

void LayoutOnlyCanvas::textOut(int x, int y, std::string_view text) {
    pen_ = {x + measured(text).width, y};
}

const LayoutOnlyCanvas::Extent& LayoutOnlyCanvas::measured(std::string_view text) {
    if (fontKey_.empty()) fontChanged();
    lookup_.assign(fontKey_).append(text);
    if (auto it = extents_.find(lookup_); it != extents_.end()) return it->second;
    if (extents_.size() >= MaxRemembered) extents_.clear();
    const Extent e{metrics_.textWidth(text), metrics_.textHeight(text)};
    return extents_.emplace(lookup_, e).first->second;
}
