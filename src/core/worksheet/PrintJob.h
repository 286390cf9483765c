#pragma once
// The print job: one printer document per copy (per numbered copy when copies are
// numbered), either stretching the screen page image onto the paper (画面に忠実に印刷する)
// or laying the page out again at printer resolution with the pictures sent after it.

#include "platform/Bitmap.h"
#include "platform/Canvas.h"

struct Program;
class Printer;
class Worksheet;

// The print dialog's opening: false without a current worksheet; otherwise the layout
// stops collecting answer boxes (activating a worksheet turns that on again).
bool PreparePrint(Program& program);

// Prints the current worksheet. pageImage is its full-size screen page image, which the
// screen-faithful mode prints. 開始番号 counts the copies and reads 1 afterwards.
// Returns false when nothing was printed or a document had to be given up.
bool PrintWorksheet(Program& program, Printer& printer, const Bitmap& pageImage);

// The printer rectangle of a picture shown at (left, top) of the page with size w × h,
// at device scale s.
Rect PrinterRect(int left, int top, int w, int h, double s);

// Sends a picture to the printer canvas through the file "temp.bmp" in the temporary
// folder; when that file cannot be found, says "not found" and its path and fails.
bool TransferPicture(Program& program, Canvas& target, const Bitmap& picture, const Rect& dest);

// After a printer layout: the class flag (when 学級旗 is checked; a failure there stops
// the pictures), then every graph picture in its place.
bool PrintPictures(Program& program, Worksheet& sheet, Canvas& target, double s);
