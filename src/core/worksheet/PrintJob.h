#pragma once
// The print job: one printer document per copy (per numbered copy when copies are
// numbered), either stretching the screen page image onto the paper (画面に忠実に印刷する)
// or laying the page out again at printer resolution (プリンタの解像度で印刷する), where the
// layout itself puts the class flag and the graphs on the paper.

#include <functional>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"

struct Program;
class Printer;

// The print dialog's opening: false without a current worksheet; otherwise the layout
// stops collecting answer boxes (activating a worksheet turns that on again).
bool PreparePrint(Program& program);

// Prints the current worksheet. pageImage is its full-size screen page image, which the
// screen-faithful mode prints. 開始番号 counts the copies and reads 1 afterwards.
// Returns false when nothing was printed or a document had to be given up.
// The worksheet's full-size screen page image as it stands now.
using PageImageSource = std::function<Bitmap()>;
// In the screen-faithful mode the page is laid out again before each copy, so that each
// numbered copy carries its own number, and pageImage is asked for the result; after the
// job the screen page is laid out once more with 開始番号 back at 1.
// progress, when given, is asked before each copy with the copies printed so far and the
// number of copies; false stops the job there (not a failure: what was printed stays).
using CopyProgress = std::function<bool(int printed, int copies)>;
bool PrintWorksheet(Program& program, Printer& printer, const PageImageSource& pageImage,
                    const CopyProgress& progress = {});

// Sends a picture to the printer canvas through the file "temp.bmp" in the temporary
// folder; when that file cannot be found, says "not found" and its path and fails.
bool TransferPicture(Program& program, Canvas& target, const Bitmap& picture, const Rect& dest);
