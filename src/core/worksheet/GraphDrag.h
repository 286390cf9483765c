#pragma once
// Graph pictures on the screen page under the mouse: which one a point hits, dropping
// one at a new place, and the copy rectangle of one selected with the right button.
// Coordinates are those of the screen page (one layout unit per pixel).

#include "platform/Canvas.h"

struct Workspace;
class Worksheet;

// The graph picture (0-based) that the point lies on, or -1. Where pictures overlap the
// one drawn last, which lies on top, wins.
int GraphAt(const Worksheet& sheet, Point p);

// Drops graph index with its top-left at topLeft: the place is stored in the triple the
// picture stands for (its question graph's, or its own answer graph's when no question
// graph stands there), the worksheet is marked modified and laid out again. A place is
// kept on the page; x stays at 1 or more, since a smaller x means "place automatically".
// False (nothing changes) for a graph that is not shown.
bool MoveGraph(Workspace& program, Worksheet& sheet, int index, Point topLeft);

// The marked region of a graph selected with the right button: its outline one pixel
// outside the picture, so that copying the region (from one pixel inside the first
// corner to the second) takes exactly the picture. Empty for a graph not shown.
Rect GraphSelection(const Worksheet& sheet, int index);
