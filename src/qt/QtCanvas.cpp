#include "qt/QtCanvas.h"

#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <algorithm>
#include <cstdlib>

#include "qt/CanvasImages.h"
#include "qt/Fonts.h"

namespace {

// Coordinates beyond this many dots are pulled in: no page is that large, and the
// rasteriser is kept away from overflowing arithmetic.
constexpr long long kCoordLimit = 4'000'000;
// The largest font drawn, in device pixels (well above any page's need).
constexpr long long kMaxPixelSize = 3000;

int clampCoord(long long v) {
    return static_cast<int>(std::clamp(v, -kCoordLimit, kCoordLimit));
}

// The area a shape or fill covers: left .. right − 1 and top .. bottom − 1, normalised.
struct Area {
    int left, top, width, height;
};
Area areaOf(const Rect& r) {
    const int l = clampCoord(std::min(r.left, r.right));
    const int rr = clampCoord(std::max(r.left, r.right));
    const int t = clampCoord(std::min(r.top, r.bottom));
    const int b = clampCoord(std::max(r.top, r.bottom));
    return {l, t, rr - l, b - t};
}

} // namespace

QtCanvas::QtCanvas(QPaintDevice& device)
    : device_(device),
      image_(device.devType() == QInternal::Image ? static_cast<QImage*>(&device) : nullptr) {
    registerFontSubstitutions();
}

QtCanvas::~QtCanvas() {
    end();
}

QColor QtCanvas::toQColor(Color c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

void QtCanvas::setNominalPage(int width, int height, int dpi) {
    nominalW_ = std::max(0, width);
    nominalH_ = std::max(0, height);
    nominalDpi_ = std::max(0, dpi);
    fontDirty_ = true;
}

void QtCanvas::setPageOpener(PageOpener opener) {
    opener_ = std::move(opener);
}

bool QtCanvas::openPage() {
    if (pageOpen_) return true;
    if (failed_) return false;
    const bool ok = opener_ ? opener_(painter_) : (painter_.isActive() || painter_.begin(&device_));
    if (!ok || !painter_.isActive()) {
        failed_ = true;
        return false;
    }
    pageOpen_ = true;
    painterFontId_ = -1;
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    QTransform t;
    if (nominalW_ > 0 && nominalH_ > 0)
        t.scale(static_cast<double>(device_.width()) / nominalW_,
                static_cast<double>(device_.height()) / nominalH_);
    painter_.setWorldTransform(t);
    return true;
}

bool QtCanvas::end() {
    pageOpen_ = false;
    failed_ = false;
    if (!painter_.isActive()) return true;
    return painter_.end();
}

void QtCanvas::resetState() {
    face_.clear();
    points_ = 10;
    style_ = 0;
    fontColor_ = colors::Black;
    fontDirty_ = true;
    penColor_ = colors::Black;
    penWidth_ = 1;
    penStyle_ = PenStyle::Solid;
    penMode_ = PenMode::Copy;
    brushStyle_ = BrushStyle::Solid;
    brushColor_ = colors::White;
    pos_ = {};
    failed_ = false;
}

bool QtCanvas::supportsNotXor() const {
    // Vector engines (PDF, printers) accept raster operations but do not carry them out.
    if (painter_.isActive() && painter_.paintEngine())
        return painter_.paintEngine()->type() == QPaintEngine::Raster;
    return image_ != nullptr;
}

QPainter* QtCanvas::active() {
    if (!pageOpen_ && !openPage()) return nullptr;
    return painter_.isActive() ? &painter_ : nullptr;
}

// ---- font and text ----

void QtCanvas::setFontFace(const std::string& face) {
    if (face == face_) return;
    face_ = face;
    fontDirty_ = true;
}

void QtCanvas::setFontSize(int points) {
    if (points == points_) return;
    points_ = points;
    fontDirty_ = true;
}

void QtCanvas::setFontStyle(unsigned style) {
    if (style == style_) return;
    style_ = style;
    fontDirty_ = true;
}

int QtCanvas::pixelSizeFor(int points) const {
    const long long dpi = nominalDpi_ > 0 ? nominalDpi_ : device_.logicalDpiY();
    const long long pt = std::llabs(static_cast<long long>(points));
    // Points to device units rounded as the original platform does (12 pt at 96 dpi is 16).
    const long long px = (pt * (dpi > 0 ? dpi : 96) + 36) / 72;
    return static_cast<int>(std::clamp(px, 1LL, kMaxPixelSize));
}

void QtCanvas::applyFont() {
    if (!fontDirty_ && font_) return;
    auto face = faces_.find(std::string_view(face_));
    if (face == faces_.end()) {
        if (faces_.size() >= 64) faces_.clear();
        face = faces_.emplace(face_, FaceFonts{fontFamilyFor(face_), {}}).first;
    }
    const int px = pixelSizeFor(points_);
    const unsigned style = style_ & 15u;
    const unsigned long long key = (static_cast<unsigned long long>(px) << 4) | style;
    auto& sizes = face->second.sizes;
    auto found = sizes.find(key);
    if (found == sizes.end()) {
        if (sizes.size() >= 64) sizes.clear();
        QFont font(face->second.family);
        font.setPixelSize(px);
        font.setBold(style & fontstyle::Bold);
        font.setItalic(style & fontstyle::Italic);
        font.setUnderline(style & fontstyle::Underline);
        font.setStrikeOut(style & fontstyle::StrikeOut);
        // Glyphs stand at their plain advances, as the layout measures them one by one.
        font.setKerning(false);
        QFontMetrics metrics(font, &device_);
        // The Japanese faces have an ascent of 7/8 of the size; a face with a taller one
        // is raised by the difference so that the baselines of a formula line agree.
        const int raise = std::max(0, metrics.ascent() - (px * 7 + 4) / 8);
        found = sizes.emplace(key, FontState{font, metrics, nextFontId_++, raise}).first;
    }
    font_ = &found->second;
    fontDirty_ = false;
}

const QFontMetrics& QtCanvas::metrics() {
    applyFont();
    return font_->metrics;
}

int QtCanvas::textWidth(std::string_view text) {
    if (text.empty()) return 0;
    const QFontMetrics& fm = metrics();
    SjisTextCache::Entry& e = texts_.lookup(text);
    if (e.widthFont != font_->id) {
        e.width = fm.horizontalAdvance(e.text);
        e.widthFont = font_->id;
    }
    return e.width;
}

int QtCanvas::textHeight(std::string_view) {
    return metrics().height();
}

void QtCanvas::textOut(int x, int y, std::string_view text) {
    x = clampCoord(x);
    y = clampCoord(y);
    const int advance = textWidth(text);
    if (!text.empty()) {
        if (QPainter* p = active()) {
            const QFontMetrics& fm = metrics();
            p->setCompositionMode(QPainter::CompositionMode_SourceOver);
            if (brushStyle_ == BrushStyle::Solid)
                p->fillRect(QRect(x, y, advance, fm.height()), toQColor(brushColor_));
            if (painterFontId_ != font_->id) {
                p->setFont(font_->font);
                painterFontId_ = font_->id;
            }
            p->setPen(QPen(toQColor(fontColor_)));
            p->setBrush(Qt::NoBrush);
            SjisTextCache::Entry& e = texts_.lookup(text);
            if (e.layoutFont != font_->id) {
                e.layout = QStaticText(e.text);
                e.layout.setTextFormat(Qt::PlainText);
                e.layoutFont = font_->id;
            }
            p->drawStaticText(QPoint(x, y - font_->raise), e.layout);
        }
    }
    pos_ = {x + advance, y};
}

// ---- pen, brush, lines and shapes ----

void QtCanvas::setPenColor(Color c) {
    penColor_ = c;
}
void QtCanvas::setPenWidth(int w) {
    penWidth_ = w;
}
void QtCanvas::setPenStyle(PenStyle s) {
    penStyle_ = s;
}
void QtCanvas::setBrushStyle(BrushStyle s) {
    brushStyle_ = s;
}
void QtCanvas::setBrushColor(Color c) {
    brushColor_ = c;
}

void QtCanvas::prepareShapes() {
    const int w = std::clamp(penWidth_, 1, 10000);
    QPen pen(toQColor(penColor_));
    pen.setWidth(w);
    if (w == 1) {
        // A one-dot pen leaves out the end point of a line, as the original's lines do.
        pen.setCapStyle(Qt::FlatCap);
        if (penStyle_ == PenStyle::Dot) pen.setDashPattern({1.0, 1.0});
    } else {
        // Wide pens are always solid, with round ends.
        pen.setCapStyle(Qt::RoundCap);
    }
    pen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(pen);
    if (brushStyle_ == BrushStyle::Solid)
        painter_.setBrush(toQColor(brushColor_));
    else
        painter_.setBrush(Qt::NoBrush);
    const bool notXor = penMode_ == PenMode::NotXor && supportsNotXor();
    painter_.setCompositionMode(notXor ? QPainter::RasterOp_NotSourceXorDestination
                                       : QPainter::CompositionMode_SourceOver);
}

void QtCanvas::lineTo(int x, int y) {
    x = clampCoord(x);
    y = clampCoord(y);
    if (active() && Point{x, y} != pos_) {
        prepareShapes();
        painter_.drawLine(QPoint(clampCoord(pos_.x), clampCoord(pos_.y)), QPoint(x, y));
    }
    pos_ = {x, y};
}

void QtCanvas::drawShape(Shape shape, const Rect& r, int ellipseW, int ellipseH) {
    const Area a = areaOf(r);
    if (a.width <= 0 || a.height <= 0 || !active()) return;
    prepareShapes();
    // The outline runs through the outermost covered dots.
    const QRectF box(a.left, a.top, a.width - 1, a.height - 1);
    switch (shape) {
    case Shape::Rect:
        painter_.drawRect(box);
        break;
    case Shape::RoundRect: {
        const double rx = std::min(std::abs(ellipseW) / 2.0, box.width() / 2.0);
        const double ry = std::min(std::abs(ellipseH) / 2.0, box.height() / 2.0);
        painter_.drawRoundedRect(box, rx, ry, Qt::AbsoluteSize);
        break;
    }
    case Shape::Ellipse:
        painter_.drawEllipse(box);
        break;
    }
}

void QtCanvas::rectangle(const Rect& r) {
    drawShape(Shape::Rect, r, 0, 0);
}
void QtCanvas::roundRect(const Rect& r, int ellipseW, int ellipseH) {
    drawShape(Shape::RoundRect, r, ellipseW, ellipseH);
}
void QtCanvas::ellipse(const Rect& r) {
    drawShape(Shape::Ellipse, r, 0, 0);
}

void QtCanvas::fillRect(const Rect& r, Color c) {
    const Area a = areaOf(r);
    if (a.width <= 0 || a.height <= 0 || !active()) return;
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.fillRect(QRect(a.left, a.top, a.width, a.height), toQColor(c));
}

// ---- pictures and device ----

void QtCanvas::stretchDraw(const Rect& dest, const Bitmap& picture) {
    const Area a = areaOf(dest);
    if (a.width <= 0 || a.height <= 0 || picture.empty() || !active()) return;
    const QImage image = canvasImageOf(picture);
    if (image.isNull()) return;
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.drawImage(QRect(a.left, a.top, a.width, a.height), image);
}

Bitmap QtCanvas::grab(const Rect& src) {
    const long long w = static_cast<long long>(src.right) - src.left;
    const long long h = static_cast<long long>(src.bottom) - src.top;
    if (w <= 0 || h <= 0 || w > kCoordLimit || h > kCoordLimit) return {};
    const QRect area(clampCoord(src.left), clampCoord(src.top), static_cast<int>(w),
                     static_cast<int>(h));
    if (image_) return canvasBitmapOf(*image_, area);
    // Printers and PDF pages keep no pixels to read back.
    return canvasBitmapOf(QImage(), area);
}

int QtCanvas::deviceWidth() const {
    return nominalW_ > 0 ? nominalW_ : device_.width();
}
int QtCanvas::deviceHeight() const {
    return nominalH_ > 0 ? nominalH_ : device_.height();
}
int QtCanvas::dpiX() const {
    return nominalDpi_ > 0 ? nominalDpi_ : device_.logicalDpiX();
}
