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
        const QRawFont font = run.rawFont();
        // The last run used is the likeliest; a page uses a handful of fonts and colours.
        Run* into = nullptr;
        for (std::size_t k = used_; k-- > 0;)
            if (runs_[k].colour == colour && runs_[k].font == font) {
                into = &runs_[k];
                break;
            }
        if (!into) {
            if (used_ == runs_.size()) runs_.emplace_back();
            into = &runs_[used_++];
            into->font = font;
            into->colour = colour;
        }
        const QList<quint32> glyphs = run.glyphIndexes();
        into->glyphs.append(glyphs);
        for (const QPointF& p : run.positions())
            into->positions.append(p + origin);
        waiting_ += static_cast<std::size_t>(glyphs.size());
    }
}

void QtCanvasGlyphBatch::flush(QPainter& painter) {
    if (waiting_ == 0) {
        clear();
        return;
    }
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    for (std::size_t k = 0; k < used_; ++k) {
        Run& r = runs_[k];
        if (r.glyphs.isEmpty()) continue;
        QGlyphRun run;
        run.setRawFont(r.font);
        run.setGlyphIndexes(r.glyphs);
        run.setPositions(r.positions);
        painter.setPen(QPen(r.colour));
        painter.drawGlyphRun(QPointF(0, 0), run);
    }
    clear();
}

void QtCanvasGlyphBatch::clear() {
    for (std::size_t k = 0; k < used_; ++k) {
        runs_[k].glyphs.clear();
        runs_[k].positions.clear();
        runs_[k].font = QRawFont();
    }
    used_ = 0;
    waiting_ = 0;
}
