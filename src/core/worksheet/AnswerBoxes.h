#pragma once
// Answer boxes (解答欄) drawn over the answers of a laid-out page, with the marks of
// marked boxes. Positions come from the answer-box table, which holds screen-page units;
// the target scale s maps them to the device, and paper moves box left edges 3 % right.

#include "platform/Canvas.h"
#include "worksheet/WorksheetState.h"

struct Program;
class Worksheet;

// Height in pixels of the answer field laid over a box whose answer is drawn at
// fontSizePoints: the text height of that size at 96 dpi plus the field's borders.
// The practice window sizes its fields with this, and the box base rectangle uses it.
int AnswerFieldHeight(int fontSizePoints);

// Box kind from the first character of lstKranX line 0; 0 (none) for anything else.
int AnswerBoxKind(const Worksheet& sheet);

// Rectangle under the drawn answer: the screen-page entry scaled to the target.
Rect AnswerBaseRect(const KranEntry& entry, int fieldHeight, double s, bool printing);
// The base grown by the box width and height settings (幅, 高さ).
Rect AnswerBoxRect(const Rect& base, int widthSetting, int heightSetting, double s);

struct BoxStyle {
    int kind = 0;          // 1 square, 2 [ ], 3 【 】, 4 underline, 5 rounded square
    int widthSetting = 0;  // 幅
    int heightSetting = 0; // 高さ
    int charSize = 10;     // 文字サイズ of the main window
};

// Draws one box of the given kind in black; kind 0 and unknown kinds draw nothing.
void DrawAnswerBox(Canvas& canvas, const BoxStyle& style, const KranEntry& entry, int fieldHeight,
                   double s, bool printing);

// Boxes 1..kranCount of the table, each followed by its mark.
void DrawAnswerBoxes(Program& program, const Worksheet& sheet, Canvas& canvas, double s,
                     bool printing);
