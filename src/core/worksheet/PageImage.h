#pragma once
// The page image side of a worksheet: the blank page a screen layout starts from, the
// rectangles pictures take on screen and on paper, and copying a marked region.

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "worksheet/Worksheet.h"

// Paints the whole canvas white.
void BlankPage(Canvas& page);

// A picture shown over the page at its place, in page units (screen pixels).
Rect ScreenPictureRect(const Worksheet::Placed& placed);
// The same picture on a target of scale s: left and top scaled, size scaled on top.
Rect PrinterPictureRect(const Worksheet::Placed& placed, double s);

// The region between the corners a and b (in any order) as a new bitmap: the page area
// from (left + 1, top + 1) to (right, bottom).
Bitmap CopyPageRegion(Canvas& page, Point a, Point b);
