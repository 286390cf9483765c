#pragma once
// Glyphs waiting to be painted. The typesetter draws a formula glyph by glyph and switches
// faces and colours within a line; the glyphs of each font and colour are gathered into one
// glyph run, so that a PDF page gets one text object per font and colour between two shapes
// instead of one per face change. The canvas paints the batch before anything else is drawn,
// so text never ends up under a shape drawn after it.

#include <QColor>
#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <QRawFont>
#include <vector>

class QPainter;

class QtCanvasGlyphBatch {
  public:
    // Adds runs (placed for a cell at the origin) moved to origin, painted in colour.
    // Underlined or struck-out runs are painted at once (their lines run per text out).
    void add(QPainter& painter, const QList<QGlyphRun>& runs, QPointF origin, const QColor& colour);
    // Paints the waiting glyphs, each font and colour in the order it was first used.
    void flush(QPainter& painter);
    bool empty() const { return waiting_ == 0; }
    // Forgets the waiting glyphs without painting them (the painter has gone).
    void clear();

  private:
    struct Run {
        QRawFont font;
        QColor colour;
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    std::vector<Run> runs_; // kept with their room between flushes; empty ones are unused
    std::size_t used_ = 0;  // runs_ in use
    std::size_t waiting_ = 0;
};
