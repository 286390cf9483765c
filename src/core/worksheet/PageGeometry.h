#pragma once
// Where the parts of a worksheet page stand, in layout units (one pixel of the screen page;
// an A4 sheet is 630 wide). A target of scale s draws each at s times its value. The page
// layout, the answer boxes and the score stamp all read them from here, so that the score
// keeps clear of the header the layout draws.

#include <cstddef>

namespace page {

// The paper width a worksheet without a usable one is laid out on: A4.
constexpr int DefaultPaperWidth = 630;

// The typesetter's vertical unit (6.732 units, used as the whole number nearest to it):
// a text run starts one of them below its line's top, its glyph tops stand two below.
constexpr int VerticalUnit = 7;
// "@+" and "@-" make the text after them this many points larger or smaller.
constexpr int SizeStep = 4;
// One step of 主行間 in layout units: a spacing of 30 puts question lines 23.6 units apart.
constexpr double LineSpaceStep = 0.7875;
// Margins (左空白, 右空白) and the answer position (解答位置) count in tens of units.
constexpr double SettingStep = 10.0;

// The header: two rules across the text width, the number line above the first, the
// title and the name line between them.
constexpr int TopRule = 30;
constexpr int BottomRule = 90;
constexpr int RuleWidth = 2;
constexpr int NumberLineTop = 15;
constexpr int DateFromRight = 120; // 実施日 starts this far left of the right margin
constexpr int TitleTop = 35;
constexpr int TitleSecondLineTop = 48; // a long title's part after its "§"
constexpr int ClassFlagGap = 5;        // between the class flag and the title
// A title of this many bytes or more is cut at its first "§" into two lines.
constexpr std::size_t LongTitleBytes = 61;
// A printed file name longer than this many bytes shows only what follows them.
constexpr std::size_t PrintNameBytes = 40;
constexpr int NameLineTop = 65;
constexpr int NameFromLeft = 150; // the name line starts this far right of the left margin
// The practice window's score is stamped next to this point: left of the right margin,
// level with the title.
constexpr int ScoreAnchorFromRight = 75;
// Header font sizes, in points.
constexpr int NumberLineFontSize = 10;
constexpr int TitleFontSize = 12;
constexpr int NameFontSize = 16;

// The first question line stands this far below the name line's top, the second part
// counted in line-space steps.
constexpr int QuestionsBelowName = 20;
constexpr int QuestionsBelowNameSteps = 17;

// Two columns: the column rule stands this far left of the middle of the text width and
// runs from the lower header rule down to this share of the page's height.
constexpr int ColumnRuleLeftOfMiddle = 10;
constexpr double ColumnRuleEnd = 0.97;

// An answer's grey alternatives start this far right of the answer's start.
constexpr int AlternativesFromAnswer = 50;
// A graph placed automatically stands this far right of its text run's start.
constexpr int GraphFromRun = 40;

} // namespace page
