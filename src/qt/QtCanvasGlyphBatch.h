#pragma once
// Glyphs waiting to be painted. The typesetter draws a formula glyph by glyph; consecutive
// text outs in the same font and colour are gathered into one glyph run, so that a PDF page
// gets one text object per face and colour change instead of one per glyph. The canvas
// paints the batch before anything else is drawn, so the painting order stays as drawn.

#include <QColor>
#include <QGlyphRun>
#include <QList>
#include <QPointF>
#include <QRawFont>

class QPainter;

class QtCanvasGlyphBatch {
  public:
    // Adds runs (placed for a cell at the origin) moved to origin, painted in colour.
    // Underlined or struck-out runs are painted at once (their lines run per text out).
    void add(QPainter& painter, const QList<QGlyphRun>& runs, QPointF origin, const QColor& colour);
    // Paints the waiting glyphs.
    void flush(QPainter& painter);
    bool empty() const { return glyphs_.isEmpty(); }
    // Forgets the waiting glyphs without painting them (the painter has gone).
    void clear();

  private:
    QRawFont font_;
    QColor colour_;
    QList<quint32> glyphs_;
    QList<QPointF> positions_;
};
