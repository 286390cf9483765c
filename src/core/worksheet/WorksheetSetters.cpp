#include "worksheet/WorksheetSetters.h"

#include <string>

#include "worksheet/WorksheetDocument.h"
#include "worksheet/Workspace.h"

namespace {

// Stores a value into the current worksheet and lays it out again.
template <class Store> void change(Workspace& program, bool markModified, Store store) {
    Worksheet* sheet = program.sheets.current;
    if (!sheet) return;
    store(*sheet);
    if (markModified) sheet->Modified = true;
    Relayout(program, *sheet);
}

} // namespace

void SetLineSpace(Workspace& program, int value) {
    change(program, true, [&](Worksheet& s) { s.LineSpace = value; });
}

void SetFontSize(Workspace& program, int value) {
    change(program, true, [&](Worksheet& s) { s.FontSize = value; });
}

void SetLeftMargin(Workspace& program, int value) {
    change(program, true, [&](Worksheet& s) { s.LeftMargin = value; });
}

void SetRightMargin(Workspace& program, int value) {
    change(program, true, [&](Worksheet& s) { s.RightMargin = value; });
}

void SetAnswerX(Workspace& program, int value) {
    SetKranLine(program, 4, value, true);
}

void SetAnswerY(Workspace& program, int value) {
    SetKranLine(program, 5, value, true);
}

void SetBoxWidth(Workspace& program, int value) {
    SetKranLine(program, 1, value, true);
}

void SetBoxHeight(Workspace& program, int value) {
    SetKranLine(program, 2, value, true);
}

void SetBoxOffsetX(Workspace& program, int value) {
    SetKranLine(program, 6, value, true);
}

void SetBoxOffsetY(Workspace& program, int value) {
    SetKranLine(program, 7, value, true);
}

void SetSecondarySpacing(Workspace& program, int value) {
    SetKranLine(program, 8, value, true);
}

void SetStartNo(Workspace& program, int value) {
    change(program, true, [&](Worksheet& s) {
        s.StartNo = value;
        s.startNumber = value;
    });
}

void SetKranLine(Workspace& program, int line, int value, bool markModified) {
    if (line < 0 || line >= static_cast<int>(KranLineCount)) return;
    change(program, markModified,
           [&](Worksheet& s) { s.setKranLine(static_cast<KranLine>(line), KranLineText(value)); });
}

void ToggleShowAnswers(Workspace& program) {
    bool& shown = program.sheets.answersShown;
    shown = !shown;
    change(program, false, [&](Worksheet& s) {
        s.ShowAnswers = shown;
        s.correctCount = -1;
        s.PrintLearner = false;
    });
}

void HideAllAnswers(Workspace& program) {
    if (program.sheets.answersShown) ToggleShowAnswers(program);
    program.sheets.answersShown = false;
    for (const auto& sheet : program.sheets.open) {
        if (sheet.get() == program.sheets.current || !sheet->ShowAnswers) continue;
        sheet->ShowAnswers = false;
        sheet->correctCount = -1;
        sheet->PrintLearner = false;
        Relayout(program, *sheet); // its own page, from its own settings
    }
}

void SetBekkai(Workspace& program, bool checked) {
    program.sheets.pageOptions.alternatives = checked;
    change(program, false, [](Worksheet&) {});
}

void SetColumns(Workspace& program, int value) {
    const Worksheet* sheet = program.sheets.current;
    SetKranLine(program, 3, value, sheet && sheet->kranSettings().columns != value);
}

BoxSettings BoxSettingsOf(const Worksheet& sheet) {
    const KranSettings& k = sheet.kranSettings();
    return BoxSettings{KranLineNumber(sheet.kranLines(), 0), k.width, k.height, k.offsetX,
                       k.offsetY};
}

void KeepBoxSize(Workspace& program, int width, int height) {
    SetKranLine(program, 1, width, false);
    SetKranLine(program, 2, height, false);
}
