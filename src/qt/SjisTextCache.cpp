#include "qt/SjisTextCache.h"

#include <QFont>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

#include "text/Sjis.h"

namespace {

// Blanks (spaces, full-width spaces) have nothing to paint: leaving them out keeps a PDF
// page's text short. Runs with lines (underline, strike-out) keep them, as the line runs
// under the blanks too.
void dropBlankGlyphs(QList<QGlyphRun>& runs) {
    for (QGlyphRun& run : runs) {
        if (run.underline() || run.overline() || run.strikeOut()) continue;
        const QRawFont font = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        QList<quint32> keptGlyphs;
        QList<QPointF> keptPositions;
        for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i)
            if (!font.boundingRect(glyphs[i]).isEmpty()) {
                keptGlyphs.append(glyphs[i]);
                keptPositions.append(positions[i]);
            }
        if (keptGlyphs.size() == glyphs.size()) continue;
        run.setGlyphIndexes(keptGlyphs);
        run.setPositions(keptPositions);
    }
    runs.removeIf([](const QGlyphRun& run) { return run.glyphIndexes().isEmpty(); });
}

} // namespace

SjisTextCache::SjisTextCache(std::size_t capacity)
    : decoder_("windows-31j", QStringConverter::Flag::Stateless),
      capacity_(capacity < 1 ? 1 : capacity) {}

QString SjisTextCache::decode(std::string_view text) {
    bool ascii = true;
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    const auto n = static_cast<qsizetype>(text.size());
    if (ascii) return QString::fromLatin1(text.data(), n);
    // Without a CP932 codec in this Qt build, the library's own converter does the work.
    if (!decoder_.isValid()) return QString::fromStdString(sjis::toUtf8(text));
    // A lead byte without its trail byte (a cut string) shows as a replacement character.
    std::size_t last = 0;
    for (std::size_t i = 0; i < text.size(); i += sjis::charLen(text, i))
        last = i;
    const bool cut = last + 1 == text.size() && sjis::isLead(text[last]);
    decoder_.resetState();
    QString out = decoder_.decode(QByteArrayView(text.data(), cut ? n - 1 : n));
    if (cut) out += QChar(QChar::ReplacementCharacter);
    return out;
}

SjisTextCache::Entry& SjisTextCache::lookup(std::string_view text) {
    auto it = entries_.find(text);
    if (it != entries_.end()) return it->second;
    // A full cache starts over: the runs of one page fit many times over.
    if (entries_.size() >= capacity_) entries_.clear();
    Entry e;
    e.text = decode(text);
    return entries_.emplace(std::string(text), std::move(e)).first->second;
}

SjisTextCache::Shaped& SjisTextCache::shaped(std::string_view text, const QFont& font, int fontId) {
    Entry& e = lookup(text);
    for (Shaped& s : e.shapes)
        if (s.font == fontId) return s;
    // A text is drawn in a few fonts at most; one used in many starts over.
    if (e.shapes.size() >= 8) e.shapes.clear();
    Shaped& s = e.shapes.emplace_back();
    s.font = fontId;
    if (e.text.isEmpty()) return s;
    QTextLayout layout(e.text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    // Advances from the font's design, never from hinting: a text has one width at every
    // size and resolution, on screen and on paper. (The screen still draws each glyph
    // hinted, so thin strokes stay crisp.)
    option.setUseDesignMetrics(true);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) line.setPosition(QPointF(0, 0));
    layout.endLayout();
    if (!line.isValid()) return s;
    s.width = qRound(line.horizontalAdvance());
    s.runs = layout.glyphRuns();
    dropBlankGlyphs(s.runs);
    return s;
}

namespace {

// raw in its face's regular weight; raw itself when it is not bold or the face cannot be had.
QRawFont regularOf(const QRawFont& raw) {
    if (raw.weight() < QFont::DemiBold) return raw;
    QFont font(raw.familyName());
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(raw.pixelSize()))));
    font.setStyle(raw.style());
    font.setWeight(QFont::Normal);
    font.setKerning(false);
    const QRawFont regular = QRawFont::fromFont(font);
    return regular.isValid() && regular.familyName() == raw.familyName() ? regular : raw;
}

} // namespace

const QList<QGlyphRun>& SjisTextCache::regularRuns(Shaped& s) {
    if (s.regular) return s.regularRuns;
    s.regular = true;
    s.regularRuns = s.runs;
    for (QGlyphRun& run : s.regularRuns)
        run.setRawFont(regularOf(run.rawFont()));
    return s.regularRuns;
}

const QPainterPath& SjisTextCache::outlines(Shaped& s) {
    if (s.outlined) return s.outlines;
    s.outlined = true;
    QPainterPath path;
    for (const QGlyphRun& run : regularRuns(s)) {
        const QRawFont font = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i)
            path.addPath(font.pathForGlyph(glyphs[i]).translated(positions[i]));
    }
    // Whole numbers are exact and short where the path is written out (a PDF page).
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        path.setElementPositionAt(i, std::nearbyint(e.x * OutlineScale),
                                  std::nearbyint(e.y * OutlineScale));
    }
    s.outlines = std::move(path);
    return s.outlines;
}

const QImage& SjisTextCache::halo(Shaped& s, double width, double dots, QRgb colour) {
    if (!s.halo.isNull() && s.haloWidth == width && s.haloDots == dots && s.haloColour == colour)
        return s.halo;
    const QPainterPath& path = outlines(s);
    const double grow = width / 2 + 1 / dots;
    const QRectF box = QRectF(path.boundingRect().topLeft() / OutlineScale,
                              path.boundingRect().size() / OutlineScale)
                           .adjusted(-grow, -grow, grow, grow);
    const int w = std::max(1, static_cast<int>(std::ceil(box.width() * dots)));
    const int h = std::max(1, static_cast<int>(std::ceil(box.height() * dots)));
    QImage ring(w, h, QImage::Format_ARGB32);
    ring.fill(Qt::transparent);
    {
        QPainter painter(&ring);
        painter.scale(dots, dots);
        painter.translate(-box.topLeft());
        painter.scale(1.0 / OutlineScale, 1.0 / OutlineScale);
        QPen pen(QColor::fromRgb(colour), width * OutlineScale);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.strokePath(path, pen);
    }
    s.halo = std::move(ring);
    s.haloAt = box.topLeft();
    s.haloWidth = width;
    s.haloDots = dots;
    s.haloColour = colour;
    return s.halo;
}
