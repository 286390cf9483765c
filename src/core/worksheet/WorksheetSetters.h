#pragma once
// Changes of the current worksheet's layout values, as the main window's spins and the
// layout settings and print dialogs make them. Each stores the value in its control and
// in the worksheet, marks the worksheet modified and lays it out again. Without a
// current worksheet only the control keeps the value.

struct Workspace;
class Worksheet;

void SetLineSpace(Workspace& program, int value);        // 主行間: LineSpace
void SetFontSize(Workspace& program, int value);         // 文字サイズ: FontSize
void SetLeftMargin(Workspace& program, int value);       // 左空白: LeftMargin
void SetRightMargin(Workspace& program, int value);      // 右空白: RightMargin
void SetAnswerX(Workspace& program, int value);          // 解答位置: kran line 4
void SetAnswerY(Workspace& program, int value);          // 解答位置: kran line 5
void SetBoxWidth(Workspace& program, int value);         // 幅: kran line 1
void SetBoxHeight(Workspace& program, int value);        // 高さ: kran line 2
void SetBoxOffsetX(Workspace& program, int value);       // kran line 6
void SetBoxOffsetY(Workspace& program, int value);       // kran line 7
void SetSecondarySpacing(Workspace& program, int value); // 副行間: kran line 8
void SetStartNo(Workspace& program, int value);          // 開始No: StartNo and 開始番号
// １列 / ２列（横） / ２列（縦）: kran line 3; marks modified only when it changes.
void SetColumns(Workspace& program, int value);

// Writes one kran line of the current worksheet and lays it out again, marking it
// modified only when asked (the box-shape buttons differ in that).
void SetKranLine(Workspace& program, int line, int value, bool markModified);

// 解答表示: flips AnswersShown; the current worksheet follows it, drops its score and
// the learner's name, and is laid out again without being marked modified.
void ToggleShowAnswers(Workspace& program);

// The answer display off for every open worksheet, each laid out again with its own
// values (the student lock).
void HideAllAnswers(Workspace& program);

// 別解表示: the layout reads the box; the worksheet is laid out again.
void SetBekkai(Workspace& program, bool checked);

// A worksheet's answer boxes as the layout strip opens on them: the kind (kran line
// 0), width and height (lines 1, 2) and the offsets (lines 6, 7).
struct BoxSettings {
    int kind = 0;
    int width = 0;
    int height = 0;
    int offsetX = 0;
    int offsetY = 0;
};
BoxSettings BoxSettingsOf(const Worksheet& sheet);

// The layout strip closed with OK: the width and height it shows go into the current
// worksheet's lines 1 and 2, each laid out again, without marking it modified.
void KeepBoxSize(Workspace& program, int width, int height);
