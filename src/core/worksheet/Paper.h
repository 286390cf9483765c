#pragma once
// The four paper sizes, applying one to a worksheet, and the paper and print-mode
// dialogs' actions.

#include <array>
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

// A paper button of the main window: with an active worksheet, applies that paper,
// switches the reduced view off or lays out again, and marks the worksheet modified.
void PaperButtonClick(Workspace& program, int width);

// Checks the paper button for the width and runs its command; A4 (630) only checks.
void SelectPaperByWidth(Workspace& program, int width);

// The paper dialog: showing sets the option boxes from the worksheet's Options; OK
// applies the chosen paper, stores "PaperSize", takes Options from the boxes, marks
// the worksheet modified and lays it out again.
void SetPaperShow(Workspace& program);
void SetPaperOk(Workspace& program, int width);

// The print-mode dialog's 閉じる: stores "PrintMode" and lays the worksheet out again.
void PrintModeClose(Workspace& program);

// The print dialog's size hint: "用紙のサイズを " + the checked paper + " に設定してください".
std::string PaperSizeHint(const Workspace& program);
