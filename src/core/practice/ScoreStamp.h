#pragma once
// The score a marked run stamps on the page: red, in the free part of the page header, as
// large as that room allows (at most the size of a heading, 38 points), followed by "点".

#include "platform/Canvas.h"

struct Workspace;
class Worksheet;

// Where the score may stand in the header of a page laid out on canvas: right of the title's
// lines over the whole height between the header rules, or right of the name line below the
// title. Device units of canvas; an empty rectangle when there is no such room.
struct HeaderRoom {
    Rect besideTitle;
    Rect belowTitle;
    Rect header; // the whole band between the rules, for a page without either room
};
// Measured with the header texts and fonts the page layout sets.
HeaderRoom ScoreRoom(const Workspace& program, const Worksheet& sheet, Canvas& canvas);

// The score, right-aligned in whichever room takes it larger.
void DrawScore(Canvas& canvas, const HeaderRoom& room, int score);
