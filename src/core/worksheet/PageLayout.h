#pragma once
// Lays a worksheet out as one page on a target canvas: header, question runs and answers,
// answer boxes, graphs and class flag. The same routine serves the screen page image
// (printing = false, the canvas is the page image of PaperRec size) and the printer page.

#include "platform/Canvas.h"

struct Workspace;
class Worksheet;

void LayOutPage(Workspace& program, Worksheet& sheet, Canvas& target, bool printing);
