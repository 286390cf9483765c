#pragma once
// The canvas over a QPainter: page images (QImage), printers (QPrinter) and PDF files
// (QPdfWriter) all draw through it.
//
// Conventions of the original desktop's drawing that the layout relies on:
// - text out places the top of the text cell at y and moves the pen to (x + advance, y);
//   with a solid brush the cell is first filled with the brush colour, with a clear brush the
//   text is drawn transparently;
// - a rectangle, rounded rectangle or ellipse given as (left, top, right, bottom) covers
//   left .. right − 1 and top .. bottom − 1 (the right and bottom edges are excluded), and
//   fillRect fills that same area;
// - a line from moveTo to lineTo leaves out its end point;
// - pen widths below 1 draw one device unit wide;
// - not-xor applies to lines and shapes only (text, fills and pictures are copied), and only
//   on raster images: printers and PDF files draw not-xor shapes in copy mode.
// Lines and shapes are drawn without antialiasing (crisp rules), text with antialiasing.
//
// Paper is shown to the layout as the screen page image is: a page in layout units (1/3 mm)
// with fonts of the same pixel sizes, which the painter scales to the device's dots. Text is
// measured and placed with the fonts' unhinted design metrics on every device, so a text
// run has one width on screen and on paper. On paper a stroke runs along the middle of the
// pixels the screen inks for it, half as wide (a one-unit line would print 1/3 mm heavy).
#include <QFont>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <functional>
#include <string>
#include <unordered_map>

#include "platform/Canvas.h"
#include "qt/QtCanvasGlyphBatch.h"
#include "qt/QtCanvasPictures.h"
#include "qt/SjisTextCache.h"

class QImage;
class QPaintDevice;

class QtCanvas : public Canvas {
  public:
    // Starts painting on device for a page; returns false when the device cannot be painted.
    // The default begins the canvas's painter on the device.
    using PageOpener = std::function<bool(QPainter&)>;

    // The canvas paints on device, which must outlive it. Painting begins with the first
    // drawing operation.
    explicit QtCanvas(QPaintDevice& device);
    ~QtCanvas() override;
    QtCanvas(const QtCanvas&) = delete;
    QtCanvas& operator=(const QtCanvas&) = delete;

    // Shows the device's page to the layout as widthUnits × heightUnits layout units
    // (1/3 mm each, A4 is 630 × 891) of a device with dpi dots per inch; fonts are sized as
    // on the 96-dpi page image. 0 shows the device as it is, in its own dots.
    void setLayoutPage(int widthUnits, int heightUnits, int dpi);
    // Shows a screen page image made ratio times larger than the page (a high-density
    // screen) to the layout as widthUnits × heightUnits units: drawn as the 1:1 page image
    // would be, only sharper.
    void setScreenRatio(int widthUnits, int heightUnits, double ratio);
    // Whether the pages drawn repeat one another (the copies of a print job): the ring of a
    // made-up bold is then drawn as one image at the paper's resolution that every page shows,
    // instead of outlines written out on each page.
    void setRepeatedPages(bool repeated) { repeatedPages_ = repeated; }
    void setPageOpener(PageOpener opener);

    // Opens the page now if it is not open yet (printers: starts the job or the next page).
    bool openPage();
    // Paints what is waiting and forgets the open page without ending the painter (a PDF
    // file goes on with a new page).
    void closePage();
    // Ends the painter: the image is complete, the printer job is sent, the PDF is written.
    // Returns false when the device reported a failure.
    bool end();
    // Font, pen and brush back to a fresh canvas's (a new printer document).
    void resetState();
    QPainter& painter() { return painter_; }

    // True when not-xor shapes are drawn as not-xor (raster images).
    bool supportsNotXor() const;

    void setFontFace(const std::string& face) override;
    std::string fontFace() const override { return face_; }
    void setFontSize(int points) override;
    int fontSize() const override { return points_; }
    void setFontStyle(unsigned style) override;
    unsigned fontStyle() const override { return style_; }
    void setFontColor(Color c) override { fontColor_ = c; }
    Color fontColor() const override { return fontColor_; }

    void textOut(int x, int y, std::string_view text) override;
    int textWidth(std::string_view text) override;
    int textHeight(std::string_view text) override;

    void setPenColor(Color c) override;
    Color penColor() const override { return penColor_; }
    void setPenWidth(int w) override;
    int penWidth() const override { return penWidth_; }
    void setPenStyle(PenStyle s) override;
    void setPenMode(PenMode m) override { penMode_ = m; }
    void setBrushStyle(BrushStyle s) override;
    void setBrushColor(Color c) override;

    void moveTo(int x, int y) override { pos_ = {x, y}; }
    void lineTo(int x, int y) override;
    Point penPos() const override { return pos_; }

    void rectangle(const Rect& r) override;
    void roundRect(const Rect& r, int ellipseW, int ellipseH) override;
    void ellipse(const Rect& r) override;
    void fillRect(const Rect& r, Color c) override;

    void stretchDraw(const Rect& dest, const Bitmap& picture) override;
    Bitmap grab(const Rect& src) override;

    int deviceWidth() const override;
    int deviceHeight() const override;
    int dpiX() const override;

    static QColor toQColor(Color c);

  private:
    enum class Shape { Rect, RoundRect, Ellipse };

    QPainter* active();
    // The painter with waiting glyphs painted, ready for anything but text.
    QPainter* activeForShapes();
    const QFontMetrics& metrics();
    int pixelSizeFor(int points) const;
    bool onPaper() const { return layoutW_ > 0; }
    void showInUnits(int widthUnits, int heightUnits, double dotsPerUnit, double penFactor);
    // Where and how wide a stroke of the current pen runs (see the paper note above).
    double strokeOffset() const;
    void prepareShapes();
    void drawShape(Shape shape, const Rect& r, int ellipseW, int ellipseH);
    void applyFont();
    // Whether family has a bold style of its own (remembered per family).
    bool hasBoldStyle(const QString& family);
    // Strokes the glyph outlines of shaped at origin with a pen of width, in the font colour:
    // on repeated pages of 300 dpi or more as an image at the paper's resolution, made once
    // per text.
    void strokeOutlines(QPainter& p, SjisTextCache::Shaped& shaped, QPointF origin, double width);

    QPaintDevice& device_;
    QImage* image_; // the device when it is a raster image
    QPainter painter_;
    PageOpener opener_;
    bool pageOpen_ = false;
    bool failed_ = false;
    bool repeatedPages_ = false;
    int layoutW_ = 0, layoutH_ = 0;
    double dotsPerUnit_ = 1; // device dots per layout unit while the page is shown in units
    double penFactor_ = 1;   // pens on paper are thinner than on the screen

    std::string face_;
    int points_ = 10;
    unsigned style_ = 0;
    Color fontColor_ = colors::Black;
    // Fonts made so far, by face and then by pixel size and style: the typesetter switches
    // faces glyph by glyph.
    struct FontState {
        QFont font;
        QFontMetrics metrics;
        int id; // identifies the font for cached text widths; never reused
        // How far the text is raised so that faces with a tall ascent (the letter face)
        // share the baseline of the Japanese faces: the cell top stays the same for all.
        int raise = 0;
        // Bold asked of a face that has no bold style: the screen thickens its glyphs by
        // this many pixels; paper strokes their outlines with a pen of this width.
        double boldStroke = 0;
    };
    struct FaceFonts {
        QString family;
        std::unordered_map<unsigned long long, FontState> sizes;
    };
    struct FaceHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const noexcept {
            return std::hash<std::string_view>{}(s);
        }
    };
    std::unordered_map<std::string, FaceFonts, FaceHash, std::equal_to<>> faces_;
    std::unordered_map<QString, bool> boldStyles_;
    const FontState* font_ = nullptr;
    bool fontDirty_ = true;
    int nextFontId_ = 0;

    Color penColor_ = colors::Black;
    int penWidth_ = 1;
    PenStyle penStyle_ = PenStyle::Solid;
    PenMode penMode_ = PenMode::Copy;
    BrushStyle brushStyle_ = BrushStyle::Solid;
    Color brushColor_ = colors::White;
    Point pos_;

    SjisTextCache texts_;
    QtCanvasGlyphBatch glyphs_;
    QtCanvasPictures pictures_; // pages share their pictures and drawings
};
