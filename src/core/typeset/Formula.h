#pragma once
// The formula typesetter: draws one line of compact formula notation on a canvas and
// returns where the next item may start.

#include <string_view>

#include "platform/Canvas.h"
#include "typeset/FormulaContext.h"

// Draws text with its line box top at y; returns (x after the formula, y).
Point DrawFormula(const FormulaContext& ctx, int size, int x, int y, double scale, Canvas& canvas,
                  std::string_view text, Color color);
// The same with the argument order the worksheet layout uses.
Point DrawFormulaAt(const FormulaContext& ctx, int x, int y, int size, double scale, Canvas& canvas,
                    std::string_view text, Color color);
