#pragma once
// The print job: one printer document per copy (per numbered copy when copies are
// numbered), either putting the screen page image on the paper (画面に忠実に印刷する)
// or laying the page out again on the printer's page (プリンタの解像度で印刷する), where the
// layout itself puts the class flag and the graphs on the paper.

#include <functional>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"

struct Workspace;
class Printer;

// The print dialog's opening: false without a current worksheet.
bool PreparePrint(Workspace& program);

// The worksheet's full-size screen page image as it stands now.
using PageImageSource = std::function<Bitmap()>;

// Prints the current worksheet. 開始番号 counts the copies from the number the page shows
// and reads that number again afterwards. At the printer's resolution the first copy is
// laid out on its page and later copies repeat its drawing with their own number line
// (IdenticalCopies).
// Returns false when nothing was printed or a document had to be given up.
// In the screen-faithful mode the page is laid out again before each copy, so that each
// numbered copy carries its own number, and pageImage is asked for the result; the image
// covers the whole paper, scaled by the page canvas's width over the sheet's paper width.
// Copies after the first show the first copy's image with only what differs from it drawn
// over it, so that a PDF file holds the page image once. After the job the screen page is
// laid out once more with 開始番号 back at its first number.
// progress, when given, is asked before each copy with the copies printed so far and the
// number of copies; false stops the job there (not a failure: what was printed stays).
using CopyProgress = std::function<bool(int printed, int copies)>;
bool PrintWorksheet(Workspace& program, Printer& printer, const PageImageSource& pageImage,
                    const CopyProgress& progress = {});

// The smallest rectangle (in pixels of the images) holding every pixel in which image
// differs from base; an empty rectangle when they are equal. Images of different sizes
// differ everywhere.
Rect ChangedArea(const Bitmap& base, const Bitmap& image);
