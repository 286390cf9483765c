#pragma once
// The question editor's checks of a unit's text: the question lines with their "#" pairs
// and the position, font and answer-box blocks. Also the editor's view of a unit block,
// so that a course check can run the same checks on the file.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "text/Lines.h"

struct TextCheck {
    bool ok = true;
    int line = 0;        // failing line, 0-based in the checked list
    std::string message; // Shift-JIS
};

// Line by line: an odd number of "#" -> N + "行目：＃の数は偶数にしてください"; an empty piece
// between the first and the last "#" -> N + "行目：解答がありません" (N from 1). When no line
// holds "#": "解答欄がありません" at line 0. The first failure stops the check.
TextCheck CheckQuestionLines(std::span<const std::string_view> ques);

// For every "<<value" and "<<font" line the following lines up to ">>" must be 7, for
// "<<kran" 10 or 8: otherwise "valueブロックの数が合いません", "fontブロックの数が合いません",
// "kranブロックの数が合いません" at the keyword line. The first failure stops the check.
TextCheck CheckBlocks(std::span<const std::string_view> pasteLo);

// One unit block as the question editor loads it: from the header line until "]]", the
// "<<ques", "<<dummy", "<<kgroup", "<<hint", "<<graph", "<<AGraph" contents, and the
// "<<value", "<<font", "<<kran" blocks copied whole (keyword, lines, ">>"). The lines are
// views into the file's lines, valid while those live.
struct EditorUnitView {
    LineViews ques, dummy, kgroup, hint, qgraph, agraph;
    LineViews pasteLo;
    std::vector<int> quesLines;    // 0-based file line of each question line
    std::vector<int> pasteLoLines; // 0-based file line of each pasteLo line
    int firstQuesKeyword = -1;     // file line of the first "<<ques"
    int endLine = -1;              // where the reading stopped: the "]]" or the file's end
    void clear();
};
EditorUnitView ReadEditorView(std::span<const std::string_view> file, std::size_t headerLine);
// The same into a view the caller reuses (cleared first).
void ReadEditorView(std::span<const std::string_view> file, std::size_t headerLine,
                    EditorUnitView& into);
EditorUnitView ReadEditorView(const Lines& file, std::size_t headerLine);
