#include "worksheet/Paper.h"

#include <cmath>

#include "text/FileMessages.h"
#include "text/Sjis.h"
#include "worksheet/LayoutMath.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/Workspace.h"

namespace {
bool knownWidth(int width) {
    for (const PaperInfo& p : Papers)
        if (p.width == width) return true;
    return false;
}
} // namespace

const PaperInfo& PaperForWidth(int width) {
    for (const PaperInfo& p : Papers)
        if (p.width == width) return p;
    return Papers[1];
}

int PaperHeightFor(int width) {
    return layoutmath::roundi(std::sqrt(2.0) * width);
}

void ApplyPaper(Workspace& program, Worksheet& sheet, int widthCode) {
    const PaperInfo& paper = PaperForWidth(widthCode);
    sheet.paper = PaperRec{paper.width, paper.height};
    program.sheets.paperWidth = paper.width;
    program.sheets.paperHeight = PaperHeightFor(paper.width);
    sheet.classFlagPlaced.left = paper.flagLeft;
    sheet.classFlagPlaced.top = paper.flagTop;
}

int UsablePaperWidth(int width) {
    return width >= 1 && width <= MaxPaperWidth ? width : 630;
}

void SetProgramPaper(Workspace& program, int width) {
    width = UsablePaperWidth(width);
    program.controls.paperButton = PaperForWidth(width).width;
    program.sheets.paperWidth = width;
    program.sheets.paperHeight = PaperHeightFor(width);
}

void ChoosePaper(Workspace& program, int width) {
    program.controls.paperButton = PaperForWidth(width).width;
    Worksheet* sheet = program.sheets.current;
    if (!sheet) return;
    ApplyPaper(program, *sheet, width);
    program.controls.reducedView = false;
    Relayout(program, *sheet);
    sheet->Modified = true;
}

void SelectPaper(Workspace& program, int width) {
    if (knownWidth(width) && width != PaperForWidth(630).width)
        ChoosePaper(program, width);
    else
        program.controls.paperButton = PaperForWidth(630).width;
}

std::optional<PaperSettings> ActivePaperSettings(Workspace& program) {
    const Worksheet* sheet = program.sheets.current;
    if (!sheet) return std::nullopt;
    Controls& c = program.controls;
    c.chkClassFlag = (sheet->Options & 1) != 0;
    c.chkJisshibi = (sheet->Options & 2) != 0;
    c.chkPrinted = (sheet->Options & 4) != 0;
    return PaperSettings{PaperForWidth(c.paperButton).width, c.chkClassFlag, c.chkJisshibi,
                         c.chkPrinted};
}

void ApplyPaperSettings(Workspace& program, const PaperSettings& settings) {
    Worksheet* sheet = program.sheets.current;
    if (!sheet) return;
    Controls& c = program.controls;
    c.chkClassFlag = settings.classFlag;
    c.chkJisshibi = settings.dateLine;
    c.chkPrinted = settings.printedLine;
    SelectPaper(program, settings.width);
    if (WriteResult r =
            program.platform.registry.writeInt(RegKey::Program, "PaperSize", settings.width);
        !r)
        program.platform.prompter.message(SettingsWriteFailureText(r));
    sheet->Options = (c.chkClassFlag ? 1 : 0) + (c.chkJisshibi ? 2 : 0) + (c.chkPrinted ? 4 : 0);
    sheet->Modified = true;
    Relayout(program, *sheet);
}

PrintModeSettings CurrentPrintMode(const Workspace& program) {
    const Controls& c = program.controls;
    return PrintModeSettings{c.radPrinter, c.spnStart, c.chkNumber};
}

void ApplyPrintMode(Workspace& program, const PrintModeSettings& mode) {
    Controls& c = program.controls;
    c.radPrinter = mode.printerResolution;
    c.spnStart = mode.nextNumber;
    if (program.sheets.current) program.sheets.current->startNumber = mode.nextNumber;
    c.chkNumber = mode.numbered;
    if (WriteResult r =
            program.platform.registry.writeBool(RegKey::Program, "PrintMode", c.radPrinter);
        !r)
        program.platform.prompter.message(SettingsWriteFailureText(r));
    if (program.sheets.current) Relayout(program, *program.sheets.current);
}

std::string PaperSizeHint(const Workspace& program) {
    return J("用紙のサイズを ") + PaperForWidth(program.controls.paperButton).name +
           J(" に設定してください");
}
