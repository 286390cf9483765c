#include "worksheet/WorksheetSetters.h"

#include <string>

#include "shell/Program.h"
#include "worksheet/WorksheetDocument.h"

namespace {

// Stores a value into the current worksheet and lays it out again.
template <class Store> void change(Program& program, bool markModified, Store store) {
    Worksheet* sheet = program.sheets.current;
    if (!sheet) return;
    store(*sheet);
    if (markModified) sheet->Modified = true;
    Relayout(program, *sheet);
}

} // namespace

void SetLineSpace(Program& program, int value) {
    program.controls.spnGyouSpace = value;
    change(program, true, [&](Worksheet& s) { s.LineSpace = value; });
}

void SetFontSize(Program& program, int value) {
    program.controls.spnMojiSize = value;
    change(program, true, [&](Worksheet& s) { s.FontSize = value; });
}

void SetLeftMargin(Program& program, int value) {
    program.controls.settei.spnLeftM = value;
    change(program, true, [&](Worksheet& s) { s.LeftMargin = value; });
}

void SetRightMargin(Program& program, int value) {
    program.controls.settei.spnRightM = value;
    change(program, true, [&](Worksheet& s) { s.RightMargin = value; });
}

void SetAnswerX(Program& program, int value) {
    program.controls.settei.spnAnsX = value;
    SetKranLine(program, 4, value, true);
}

void SetAnswerY(Program& program, int value) {
    program.controls.settei.spnAnsY = value;
    SetKranLine(program, 5, value, true);
}

void SetBoxWidth(Program& program, int value) {
    program.controls.settei.spnKranWX = value;
    SetKranLine(program, 1, value, true);
}

void SetBoxHeight(Program& program, int value) {
    program.controls.settei.spnKranH = value;
    SetKranLine(program, 2, value, true);
}

void SetBoxOffsetX(Program& program, int value) {
    program.controls.settei.spnKranX = value;
    SetKranLine(program, 6, value, true);
}

void SetBoxOffsetY(Program& program, int value) {
    program.controls.settei.spnKranY = value;
    SetKranLine(program, 7, value, true);
}

void SetSecondarySpacing(Program& program, int value) {
    program.controls.spnGyoukanSub = value;
    SetKranLine(program, 8, value, true);
}

void SetStartNo(Program& program, int value) {
    program.controls.spnStartNum = value;
    program.controls.spnStart = value; // the page shows the number printed first
    change(program, true, [&](Worksheet& s) { s.StartNo = value; });
}

void SetKranLine(Program& program, int line, int value, bool markModified) {
    if (line < 0 || line >= 10) return;
    change(program, markModified, [&](Worksheet& s) { s.lstKranX[line] = std::to_string(value); });
}

void ToggleShowAnswers(Program& program) {
    bool& shown = program.shell.answersShown;
    shown = !shown;
    change(program, false, [&](Worksheet& s) {
        s.ShowAnswers = shown;
        s.correctCount = -1;
        s.PrintLearner = false;
    });
}

void HideAllAnswers(Program& program) {
    if (program.shell.answersShown) ToggleShowAnswers(program);
    program.shell.answersShown = false;
    for (const auto& sheet : program.sheets.open) {
        if (sheet.get() == program.sheets.current || !sheet->ShowAnswers) continue;
        sheet->ShowAnswers = false;
        sheet->correctCount = -1;
        sheet->PrintLearner = false;
        RelayoutInPlace(program, *sheet);
    }
}

void SetBekkai(Program& program, bool checked) {
    program.controls.chkBekkai = checked;
    change(program, false, [](Worksheet&) {});
}

void SetColumns(Program& program, int value) {
    const Worksheet* sheet = program.sheets.current;
    SetKranLine(program, 3, value, sheet && sheet->kran(3) != value);
}

BoxSettings BoxSettingsOf(const Worksheet& sheet) {
    return BoxSettings{sheet.kran(0), sheet.kran(1), sheet.kran(2), sheet.kran(6), sheet.kran(7)};
}

void KeepBoxSize(Program& program, int width, int height) {
    SetKranLine(program, 1, width, false);
    SetKranLine(program, 2, height, false);
}
