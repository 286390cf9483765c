#pragma once
// The four paper sizes, applying one to a worksheet, and the paper and print-mode
// settings the teacher chooses.

#include <array>
#include <optional>
#include <string>

struct Workspace;
class Worksheet;

struct PaperInfo {
    const char* name; // "B5", "A4", "B4", "A3"
    int width;        // layout units (3 × millimetres)
    int height;
    int flagLeft; // class-flag picture position on that paper
    int flagTop;
};

inline constexpr std::array<PaperInfo, 4> Papers{{
    {"B5", 546, 771, 30, 24},
    {"A4", 630, 891, 35, 31},
    {"B4", 771, 1092, 45, 42},
    {"A3", 891, 1260, 55, 54},
}};

// The paper of that width; any other width gives A4.
const PaperInfo& PaperForWidth(int width);

// round(√2 × width): the page height that goes with a paper width.
int PaperHeightFor(int width);
// The widest page the program lays out (A3 is 891): a page image of a width beyond it, or
// of a width below 1, is not made; such widths from a file or the settings read as A4.
constexpr int MaxPaperWidth = 2000;
int UsablePaperWidth(int width);

// Gives the worksheet the paper of that width code (A4 for an unknown code), sets the
// program-wide paper width and height (round(√2 × width)) and puts the class-flag
// picture where that paper has it.
void ApplyPaper(Workspace& program, Worksheet& sheet, int widthCode);

// Start-up: checks the paper button for the width (A4's for an unknown width) and sets
// the program-wide paper to that width, keeping an unknown width as it is.
void SetProgramPaper(Workspace& program, int width);

// Chooses the paper of that width for the active worksheet (the main window's paper
// buttons): checks its button; with an active worksheet, applies the paper, switches the
// reduced view off, lays the worksheet out again and marks it modified.
void ChoosePaper(Workspace& program, int width);

// Checks the paper button for the width and chooses that paper; A4 (630) only checks.
void SelectPaper(Workspace& program, int width);

// The paper and page options of a worksheet (用紙サイズとオプションの設定).
struct PaperSettings {
    int width = 630;
    bool classFlag = true;   // 学級旗: Options bit 1
    bool dateLine = true;    // 実施日: Options bit 2
    bool printedLine = true; // No.印刷日時: Options bit 4
};

// The active worksheet's paper settings: the checked paper and its Options, which the
// option mirrors of Controls take on the way. Nothing without an active worksheet.
std::optional<PaperSettings> ActivePaperSettings(Workspace& program);

// Gives the active worksheet those settings: selects the paper, stores "PaperSize", takes
// the options into Options and the mirrors, marks the worksheet modified and lays it out
// again. Nothing without an active worksheet.
void ApplyPaperSettings(Workspace& program, const PaperSettings& settings);

// How worksheets are printed (印字モードの設定).
struct PrintModeSettings {
    bool printerResolution = false; // プリンタの解像度で印刷する, else 画面に忠実に印刷する
    int nextNumber = 1;   // 開始番号
    bool numbered = true; // №を付ける
};
PrintModeSettings CurrentPrintMode(const Workspace& program);

// Takes the print mode, stores "PrintMode" and lays the active worksheet out again
// (without marking it modified).
void ApplyPrintMode(Workspace& program, const PrintModeSettings& mode);

// The print dialog's size hint: "用紙のサイズを " + the checked paper + " に設定してください".
std::string PaperSizeHint(const Workspace& program);
