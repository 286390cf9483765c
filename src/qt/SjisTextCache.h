#pragma once
// Shift-JIS text turned into QStrings for painting, with the CP932 mapping. Canvases draw
// the same short runs over and over (formula glyphs, header words), so converted strings are
// kept together with their shaping in each font they were used in: the advance width and
// the glyphs, so that a run is shaped once and then only placed.

#include <QGlyphRun>
#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QString>
#include <QStringDecoder>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class QFont;

class SjisTextCache {
  public:
    // A text shaped in one font: its advance width and its glyphs with ink, placed for a
    // cell whose top-left corner is at the origin.
    struct Shaped {
        int font = -1; // the canvas's id of the font
        int width = 0;
        QList<QGlyphRun> runs;
        // The runs in the regular weight of their faces, for a bold made up on paper; made
        // when first asked for.
        QList<QGlyphRun> regularRuns;
        bool regular = false;
        // The glyphs' outlines in 1/OutlineScale of a unit, made when first asked for.
        QPainterPath outlines;
        bool outlined = false;
        // The ring a pen of haloWidth units and haloColour draws along the outlines, at
        // haloDots dots per unit, on a clear image whose top-left corner stands at haloAt
        // from the glyphs' origin. Made when first asked for.
        QImage halo;
        QPointF haloAt;
        double haloWidth = 0;
        double haloDots = 0;
        QRgb haloColour = 0;
    };
    // Outlines are kept in whole numbers of these: glyph points lie on 1/64 of a pixel and
    // the control points of their curves on a third of that.
    static constexpr int OutlineScale = 192;
    struct Entry {
        QString text;
        std::vector<Shaped> shapes;
    };

    explicit SjisTextCache(std::size_t capacity = 4096);

    // The entry for text; the reference stays valid until the next call.
    Entry& lookup(std::string_view text);
    // The shaping of text in font (identified by fontId); shaped on first use. The
    // reference stays valid until the next call.
    Shaped& shaped(std::string_view text, const QFont& font, int fontId);
    // shaped's runs with the regular weight of their faces: a bold that a face lacks is made
    // up by thickening its regular glyphs evenly, not by the font engine's own emboldening,
    // which grows each glyph up and to the right.
    static const QList<QGlyphRun>& regularRuns(Shaped& shaped);
    // The outlines of shaped's regular glyphs, placed as the glyphs are, in whole
    // 1/OutlineScale units.
    static const QPainterPath& outlines(Shaped& shaped);
    // The ring a pen of width units in colour draws along shaped's outlines, at dots per unit.
    static const QImage& halo(Shaped& shaped, double width, double dots, QRgb colour);
    // Converts without caching.
    QString decode(std::string_view text);

    std::size_t size() const { return entries_.size(); }

  private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const noexcept {
            return std::hash<std::string_view>{}(s);
        }
    };

    QStringDecoder decoder_;
    std::size_t capacity_;
    std::unordered_map<std::string, Entry, Hash, std::equal_to<>> entries_;
};
