#pragma once
// Marks set on answer boxes: circle, double circle, slash, the test wrong mark and the
// triangle. They are drawn with a clear brush around an answer's entry field and box, on a
// target of scale s. Every mark keeps within its box's line band, so that it never runs
// over the boxes of the lines above and below, and a circle goes round the answer's ink
// without crossing it.

#include "platform/Canvas.h"
#include "worksheet/AnswerBoxes.h"
#include "worksheet/WorksheetState.h"

enum class MarkKind { Circle, DoubleCircle, Slash, TestWrong, Triangle };

// Where the mark goes, in screen-page units (the page's own pixels, no scrolling).
struct MarkPlace {
    Rect field; // the entry field the answer was given in
    Rect box;   // the answer's box
    // The answer's typeset text, which a circle goes round; empty when not known.
    Rect answer{};
    // The rows the mark may ink, the line band: the line's height centred on the box (or the
    // box's own height when that is more). bandBottom <= bandTop sets no bound.
    int bandTop = 0;
    int bandBottom = 0;
};

// The field, box, answer and line band of a table entry, as PlaceAnswer puts them.
MarkPlace BoxMarkPlace(const KranEntry& entry, const BoxStyle& style);
// The same for an answer given in field, a copy of the entry's own field moved sideways:
// the answer moves with it.
MarkPlace FieldMarkPlace(const KranEntry& entry, const BoxStyle& style, const Rect& ownField,
                         const Rect& field);

// Rectangle A: the field, widened for the circle, the double circle and the slash.
Rect MarkRectA(const MarkPlace& p, double s);
// Rectangle B: the box's own area, for the test wrong mark.
Rect MarkRectB(const MarkPlace& p, double s);
// Rectangle C: the field for the triangle.
Rect MarkRectC(const MarkPlace& p, double s);

void DrawMark(Canvas& canvas, MarkKind kind, const MarkPlace& p, double s, Color color);

// The mark a box carries after marking: 1 circle, 0 test wrong mark, −2 triangle, in
// red; any other value draws nothing.
void DrawBoxMark(Canvas& canvas, int mark, const MarkPlace& p, double s);
