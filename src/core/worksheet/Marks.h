#pragma once
// Marks set on answer boxes: circle, double circle, slash, the test wrong mark and the
// triangle. They are drawn with a clear brush around an answer's entry field and box, on a
// target of scale s.

#include "platform/Canvas.h"
#include "worksheet/AnswerBoxes.h"
#include "worksheet/WorksheetState.h"

enum class MarkKind { Circle, DoubleCircle, Slash, TestWrong, Triangle };

// Where the mark goes, in screen-page units (the page's own pixels, no scrolling).
struct MarkPlace {
    Rect field; // the entry field the answer was given in
    Rect box;   // the answer's box
};

// The field and box of a table entry, as PlaceAnswer puts them.
MarkPlace BoxMarkPlace(const KranEntry& entry, const BoxStyle& style);

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
