#pragma once
// The answer-box settings of a worksheet. Its files keep them as ten kran lines of decimal
// text; the worksheet keeps those lines as they were read (so that a file is written back
// byte for byte, junk and all) and, beside them, what they say as typed values. This file
// is the one place that turns the lines into values and a value into its line.

#include <cstddef>
#include <string>

#include "text/Lines.h"
#include "worksheet/BoxKind.h"

// The kran lines by what each holds.
enum class KranLine : std::size_t {
    Kind = 0,    // 解答欄の形: the first character counts
    Width = 1,   // 幅
    Height = 2,  // 高さ
    Columns = 3, // １列 0 / ２列（横） 1 / ２列（縦） 2
    AnswerX = 4, // 解答位置, first: tens of layout units from the left, 0 follows the text
    AnswerY = 5, // 解答位置, second
    OffsetX = 6, // offsets of the entry fields
    OffsetY = 7,
    SecondarySpacing = 8, // 副行間
    Reserved = 9,
};
constexpr std::size_t KranLineCount = 10;

struct KranSettings {
    BoxKind kind = BoxKind::None;
    int width = 0;
    int height = 0;
    int columns = 0;
    // The page is laid out in two columns only when the columns line reads exactly "2".
    bool twoColumns = false;
    int answerX = 0;
    int answerY = 0;
    int offsetX = 0;
    int offsetY = 0;
    int secondarySpacing = 0;
};

// What the lines say. A missing line reads as 0; a line that is no number reads as 0;
// the distances (width, height, answer place, offsets, secondary spacing) are taken into
// their range; the kind is the first character's.
KranSettings ReadKranSettings(const Lines& lines);

// Kran line n as a number, as ReadKranSettings reads it (the kind line, the columns line
// and the reserved line as plain decimals); 0 outside the list.
int KranLineNumber(const Lines& lines, std::size_t line);

// The text a number is written to its line as.
std::string KranLineText(int value);
