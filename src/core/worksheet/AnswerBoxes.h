#pragma once
// Answer boxes (解答欄) and the entry fields laid over them. PlaceAnswer is the one place
// that decides where an answer, its field and its box stand: the page layout draws boxes
// with it, the practice window lays its fields over it and the marks are drawn around it.
//
// Everything is computed in screen-page units (layout units, one pixel of the page image)
// from the answer-box table; a target of scale s draws the same rectangles scaled.

#include "platform/Canvas.h"
#include "worksheet/BoxKind.h"
#include "worksheet/SheetLayout.h"

struct Workspace;
class Worksheet;

// Room kept between the typeset answer and the field's edges, in layout units: enough for a
// box line and a clear gap on every scale.
constexpr int AnswerRoom = 4;

struct BoxStyle {
    BoxKind kind = BoxKind::None;
    int widthSetting = 0;  // 幅: 15 is 100 units wide, negative values hug the answer
    int heightSetting = 0; // 高さ: added half above and whole below
};

// The worksheet's box kind.
BoxKind AnswerBoxKind(const Worksheet& sheet);
// Kind, width and height settings of the worksheet's boxes.
BoxStyle AnswerBoxStyle(const Worksheet& sheet);

// Where one answer stands, in screen-page units.
struct AnswerPlace {
    Rect answer; // the typeset answer: x .. x + width, answerTop .. answerBottom
    Rect base;   // the answer with room around it; brackets stand at its sides
    Rect box;    // the base grown by the width and height settings (FollowsBoxSize kinds)
    Rect field;  // where an entry field goes: the box's width and the base's height
};
AnswerPlace PlaceAnswer(const KranEntry& entry, const BoxStyle& style);

// A screen-page rectangle on a target of scale s.
Rect ScaleRect(const Rect& r, double s);

// Draws the box of one answer in black on a target of scale s; BoxKind::None draws nothing.
void DrawAnswerBox(Canvas& canvas, const BoxStyle& style, const KranEntry& entry, double s);

// Boxes 1..kranCount of the table, each followed by its mark.
void DrawAnswerBoxes(const Worksheet& sheet, Canvas& canvas, double s);
