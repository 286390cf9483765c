#include "worksheet/Paper.h"

#include <cmath>

#include "text/FileMessages.h"
#include "text/SettingKeys.h"
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
    program.sheets.paperChoice = PaperForWidth(width).width;
    program.sheets.paperWidth = width;
    program.sheets.paperHeight = PaperHeightFor(width);
}

void ChoosePaper(Workspace& program, int width) {
    program.sheets.paperChoice = PaperForWidth(width).width;
    Worksheet* sheet = program.sheets.current;
    if (!sheet) return;
    ApplyPaper(program, *sheet, width);
    program.sheets.reducedView = false;
    Relayout(program, *sheet);
    sheet->Modified = true;
}

void SelectPaper(Workspace& program, int width) {
    if (knownWidth(width) && width != PaperForWidth(630).width)
        ChoosePaper(program, width);
    else
        program.sheets.paperChoice = PaperForWidth(630).width;
}

std::optional<PaperSettings> ActivePaperSettings(Workspace& program) {
    const Worksheet* sheet = program.sheets.current;
    if (!sheet) return std::nullopt;
    // The option boxes show the worksheet's own options.
    return PaperSettings{PaperForWidth(program.sheets.paperChoice).width,
                         (sheet->Options & 1) != 0, (sheet->Options & 2) != 0,
                         (sheet->Options & 4) != 0};
}

void ApplyPaperSettings(Workspace& program, const PaperSettings& settings) {
    Worksheet* sheet = program.sheets.current;
    if (!sheet) return;
    SelectPaper(program, settings.width);
    if (WriteResult r =
            StoreSetting(program.platform.registry, settingkeys::PaperSize, settings.width);
        !r)
        program.platform.prompter.message(SettingsWriteFailureText(r));
    sheet->Options = (settings.classFlag ? 1 : 0) + (settings.dateLine ? 2 : 0) +
                     (settings.printedLine ? 4 : 0);
    sheet->Modified = true;
    Relayout(program, *sheet);
}

PrintModeSettings CurrentPrintMode(const Workspace& program) {
    const Worksheet* sheet = program.sheets.current;
    return PrintModeSettings{program.sheets.printerResolution, sheet ? sheet->startNumber : 1,
                             program.sheets.pageOptions.numbered};
}

void ApplyPrintMode(Workspace& program, const PrintModeSettings& mode) {
    program.sheets.printerResolution = mode.printerResolution;
    if (program.sheets.current) program.sheets.current->startNumber = mode.nextNumber;
    program.sheets.pageOptions.numbered = mode.numbered;
    if (WriteResult r =
            StoreSetting(program.platform.registry, settingkeys::PrintMode,
                         program.sheets.printerResolution);
        !r)
        program.platform.prompter.message(SettingsWriteFailureText(r));
    if (program.sheets.current) Relayout(program, *program.sheets.current);
}

std::string PaperSizeHint(const Workspace& program) {
    return J("用紙のサイズを ") + PaperForWidth(program.sheets.paperChoice).name +
           J(" に設定してください");
}
