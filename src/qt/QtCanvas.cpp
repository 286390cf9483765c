#include "qt/QtCanvas.h"

#include <QFontDatabase>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QRawFont>
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
// Layout units per inch on paper: one unit is 1/3 mm.
constexpr double kPaperUnitsPerInch = 76.2;
// Fonts on paper are sized as on the page image, whose pixels are taken as 96 dpi.
constexpr int kPageImageDpi = 96;
// A stroke on paper is this fraction of the screen pen's width.
constexpr double kPaperPenFactor = 0.5;
// Paper of at least 300 dpi draws the ring of a made-up bold as dots of its own resolution.
constexpr double kMinHaloDotsPerUnit = 300 / kPaperUnitsPerInch;

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

void QtCanvas::setLayoutPage(int widthUnits, int heightUnits, int dpi) {
    showInUnits(widthUnits, dpi > 0 ? heightUnits : 0, dpi / kPaperUnitsPerInch, kPaperPenFactor);
}

void QtCanvas::setScreenRatio(int widthUnits, int heightUnits, double ratio) {
    showInUnits(widthUnits, ratio > 0 ? heightUnits : 0, ratio, 1.0);
}

void QtCanvas::showInUnits(int widthUnits, int heightUnits, double dotsPerUnit, double penFactor) {
    const bool on = widthUnits > 0 && heightUnits > 0 && dotsPerUnit > 0;
    layoutW_ = on ? widthUnits : 0;
    layoutH_ = on ? heightUnits : 0;
    dotsPerUnit_ = on ? dotsPerUnit : 1;
    penFactor_ = on ? penFactor : 1;
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
    glyphs_.clear();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, false);
    // Pictures go into PDF files as they are, never JPEG-compressed.
    painter_.setRenderHint(QPainter::LosslessImageRendering, true);
    QTransform t;
    if (onPaper()) t.scale(dotsPerUnit_, dotsPerUnit_);
    painter_.setWorldTransform(t);
    return true;
}

void QtCanvas::closePage() {
    if (pageOpen_ && painter_.isActive()) glyphs_.flush(painter_);
    glyphs_.clear();
    pageOpen_ = false;
}

bool QtCanvas::end() {
    closePage();
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

QPainter* QtCanvas::activeForShapes() {
    QPainter* p = active();
    if (p) glyphs_.flush(*p);
    return p;
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
    const long long dpi = onPaper() ? kPageImageDpi : device_.logicalDpiY();
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
        QFontMetrics metrics(font);
        // The Japanese faces have an ascent of 7/8 of the size; a face with a taller one
        // is raised by the difference so that the baselines of a formula line agree.
        const int raise = std::max(0, metrics.ascent() - (px * 7 + 4) / 8);
        // A face without a bold style is made bold by thickening each glyph. The screen's
        // rasteriser adds about px / 40 − 0.1 pixels of width to every stroke (less than 1/24
        // of the size at small sizes, where it rounds to whole pixels); paper draws the
        // regular glyphs with a ring of twice that along their outlines, half of which falls
        // outside each edge.
        const double boldStroke = (style & fontstyle::Bold) && !hasBoldStyle(face->second.family)
                                      ? 2 * std::max(0.1, px / 40.0 - 0.1)
                                      : 0.0;
        found =
            sizes.emplace(key, FontState{font, metrics, nextFontId_++, raise, boldStroke}).first;
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
    applyFont();
    return texts_.shaped(text, font_->font, font_->id).width;
}

int QtCanvas::textHeight(std::string_view) {
    return metrics().height();
}

void QtCanvas::textOut(int x, int y, std::string_view text) {
    x = clampCoord(x);
    y = clampCoord(y);
    if (text.empty()) {
        pos_ = {x, y};
        return;
    }
    applyFont();
    SjisTextCache::Shaped& shaped = texts_.shaped(text, font_->font, font_->id);
    const int advance = shaped.width;
    if (QPainter* p = active()) {
        if (brushStyle_ == BrushStyle::Solid) {
            glyphs_.flush(*p);
            p->setCompositionMode(QPainter::CompositionMode_SourceOver);
            p->fillRect(QRect(x, y, advance, font_->metrics.height()), toQColor(brushColor_));
        }
        const QPointF origin(x, y - font_->raise);
        // Vector pages keep glyphs as the font has them: a bold made up from a regular face
        // is drawn as the regular glyphs with the ring a pen draws along their outlines.
        const bool madeUpBold = font_->boldStroke > 0 && p->paintEngine() &&
                                p->paintEngine()->type() != QPaintEngine::Raster;
        glyphs_.add(*p, madeUpBold ? SjisTextCache::regularRuns(shaped) : shaped.runs, origin,
                    toQColor(fontColor_));
        // A page image has its pixels at once; paper gathers glyphs into runs.
        if (image_) glyphs_.flush(*p);
        if (madeUpBold) strokeOutlines(*p, shaped, origin, font_->boldStroke);
    }
    pos_ = {x + advance, y};
}

bool QtCanvas::hasBoldStyle(const QString& family) {
    auto known = boldStyles_.find(family);
    if (known != boldStyles_.end()) return known->second;
    bool bold = false;
    for (const QString& style : QFontDatabase::styles(family))
        bold = bold || QFontDatabase::weight(family, style) >= QFont::DemiBold;
    boldStyles_.emplace(family, bold);
    return bold;
}

void QtCanvas::strokeOutlines(QPainter& p, SjisTextCache::Shaped& shaped, QPointF origin,
                              double width) {
    glyphs_.flush(p);
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (repeatedPages_ && onPaper() && dotsPerUnit_ >= kMinHaloDotsPerUnit) {
        // The ring at the paper's resolution, one image for every page that shows the text:
        // a job of many copies writes it once.
        const QImage& halo =
            SjisTextCache::halo(shaped, width, dotsPerUnit_, toQColor(fontColor_).rgb());
        p.drawImage(QRectF(origin + shaped.haloAt,
                           QSizeF(halo.width() / dotsPerUnit_, halo.height() / dotsPerUnit_)),
                    halo);
    } else {
        constexpr double scale = SjisTextCache::OutlineScale;
        QPen pen(toQColor(fontColor_), width * scale);
        pen.setJoinStyle(Qt::RoundJoin);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.translate(origin);
        p.scale(1 / scale, 1 / scale);
        p.strokePath(SjisTextCache::outlines(shaped), pen);
    }
    p.restore();
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

double QtCanvas::strokeOffset() const {
    // The screen inks an odd-width stroke to the right of and below its line, an even one
    // on both sides alike.
    return onPaper() && std::clamp(penWidth_, 1, 10000) % 2 == 1 ? 0.5 : 0.0;
}

void QtCanvas::prepareShapes() {
    const int w = std::clamp(penWidth_, 1, 10000);
    QPen pen(toQColor(penColor_));
    pen.setWidthF(w * penFactor_);
    if (w == 1) {
        // A one-dot pen leaves out the end point of a line, as the original's lines do.
        pen.setCapStyle(Qt::FlatCap);
        if (penStyle_ == PenStyle::Dot) {
            // Dashes of one unit, whatever the pen's width.
            const double dash = 1 / penFactor_;
            pen.setDashPattern({dash, dash});
        }
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
    if (Point{x, y} != pos_ && activeForShapes()) {
        prepareShapes();
        const QPointF from(clampCoord(pos_.x), clampCoord(pos_.y));
        const QPointF to(x, y);
        // Along a level or upright line the ends stay put: the screen inks from its start
        // up to its end point.
        const double d = strokeOffset();
        const QPointF shift(from.x() == to.x() || from.y() != to.y() ? d : 0,
                            from.y() == to.y() || from.x() != to.x() ? d : 0);
        painter_.drawLine(from + shift, to + shift);
    }
    pos_ = {x, y};
}

void QtCanvas::drawShape(Shape shape, const Rect& r, int ellipseW, int ellipseH) {
    const Area a = areaOf(r);
    if (a.width <= 0 || a.height <= 0 || !activeForShapes()) return;
    prepareShapes();
    // The outline runs through the outermost covered dots.
    const double d = strokeOffset();
    const QRectF box(a.left + d, a.top + d, a.width - 1, a.height - 1);
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
    if (a.width <= 0 || a.height <= 0 || !activeForShapes()) return;
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.fillRect(QRect(a.left, a.top, a.width, a.height), toQColor(c));
}

// ---- pictures and device ----

void QtCanvas::stretchDraw(const Rect& dest, const Bitmap& picture) {
    const Area a = areaOf(dest);
    if (a.width <= 0 || a.height <= 0 || picture.empty() || !activeForShapes()) return;
    const QRect target(a.left, a.top, a.width, a.height);
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    // A picture shown larger than its pixels (on paper, on a screen page of higher
    // resolution, stretched) is drawn from its drawing when it has one.
    const bool larger =
        !image_ || onPaper() || a.width != picture.width || a.height != picture.height;
    if (larger && picture.drawing) {
        if (QSvgRenderer* drawing = pictures_.drawingOf(picture)) {
            painter_.save();
            painter_.setRenderHint(QPainter::Antialiasing, true);
            // Nothing of the drawing reaches beyond the picture's place.
            painter_.setClipRect(target, Qt::IntersectClip);
            drawing->render(&painter_, QRectF(target));
            painter_.restore();
            return;
        }
    }
    if (image_) {
        // A page image draws the picture straight from the bitmap's pixels.
        const QImage image = canvasImageOf(picture);
        if (!image.isNull()) painter_.drawImage(target, image);
        return;
    }
    const QImage& image = pictures_.imageOf(picture);
    if (!image.isNull()) painter_.drawImage(target, image);
}

Bitmap QtCanvas::grab(const Rect& src) {
    const long long w = static_cast<long long>(src.right) - src.left;
    const long long h = static_cast<long long>(src.bottom) - src.top;
    if (w <= 0 || h <= 0 || w > kCoordLimit || h > kCoordLimit) return {};
    const QRect area(clampCoord(src.left), clampCoord(src.top), static_cast<int>(w),
                     static_cast<int>(h));
    if (pageOpen_ && painter_.isActive()) glyphs_.flush(painter_);
    if (image_) return canvasBitmapOf(*image_, area);
    // Printers and PDF pages keep no pixels to read back.
    return canvasBitmapOf(QImage(), area);
}

int QtCanvas::deviceWidth() const {
    return onPaper() ? layoutW_ : device_.width();
}
int QtCanvas::deviceHeight() const {
    return onPaper() ? layoutH_ : device_.height();
}
int QtCanvas::dpiX() const {
    // Point sizes turn into layout units as on the page image.
    return onPaper() ? kPageImageDpi : device_.logicalDpiX();
}
