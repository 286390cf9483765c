#include "qt/QtCanvasGlyphBatch.h"

#include <QPainter>

namespace {
bool hasLines(const QGlyphRun& run) {
    return run.underline() || run.overline() || run.strikeOut();
}
} // namespace

void QtCanvasGlyphBatch::add(QPainter& painter, const QList<QGlyphRun>& runs, QPointF origin,
                             const QColor& colour) {
    for (const QGlyphRun& run : runs) {
        if (hasLines(run)) {
            flush(painter);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            painter.setPen(QPen(colour));
            painter.drawGlyphRun(origin, run);
            continue;
        }
        if (!glyphs_.isEmpty() && (colour != colour_ || run.rawFont() != font_)) flush(painter);
        if (glyphs_.isEmpty()) {
            font_ = run.rawFont();
            colour_ = colour;
        }
        glyphs_.append(run.glyphIndexes());
        for (const QPointF& p : run.positions())
            positions_.append(p + origin);
    }
}

void QtCanvasGlyphBatch::flush(QPainter& painter) {
    if (glyphs_.isEmpty()) return;
    QGlyphRun run;
    run.setRawFont(font_);
    run.setGlyphIndexes(glyphs_);
    run.setPositions(positions_);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setPen(QPen(colour_));
    painter.drawGlyphRun(QPointF(0, 0), run);
    clear();
}

void QtCanvasGlyphBatch::clear() {
    glyphs_.clear();
    positions_.clear();
}
