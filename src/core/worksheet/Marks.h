#pragma once
// Marks set on answer boxes: circle, double circle, slash, the test wrong mark and the
// triangle. They are drawn with a clear brush around the answer field laid over a box,
// at scale s, horizontal positions multiplied by f (1.03 on paper, 1 on screen).

#include "platform/Canvas.h"
#include "worksheet/WorksheetState.h"

enum class MarkKind { Circle, DoubleCircle, Slash, TestWrong, Triangle };

// Where the mark goes, in screen-page units (the page's own pixels, no scrolling).
struct MarkPlace {
    int fieldLeft = 0; // answer field
    int fieldTop = 0;
    int fieldWidth = 0;
    int fieldHeight = 0;
    int boxX = 0; // the box's table entry
    int boxY = 0;
    int kranW = 0; // box width and height settings (幅, 高さ)
    int kranH = 0;
};

// The field of a table entry as the practice window places it: left = x + 6,
// top = y + round(0.3 × (2 × charSize + kranH − 10)), width = 5 × (kranW + 5).
MarkPlace BoxMarkPlace(const KranEntry& entry, int fieldHeight, int kranW, int kranH, int charSize);

// Rectangle A: the field, widened for the circle, the double circle and the slash.
Rect MarkRectA(const MarkPlace& p, double s, double f);
// Rectangle B: the box's own area from the table entry and the box settings.
Rect MarkRectB(const MarkPlace& p, double s, double f);
// Rectangle C: the field for the triangle.
Rect MarkRectC(const MarkPlace& p, double s, double f);

void DrawMark(Canvas& canvas, MarkKind kind, const MarkPlace& p, double s, double f, Color color);

// The mark a box carries after marking: 1 circle, 0 test wrong mark, −2 triangle, in
// red; any other value draws nothing.
void DrawBoxMark(Canvas& canvas, int mark, const MarkPlace& p, double s, double f);
