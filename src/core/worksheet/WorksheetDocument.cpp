#include "worksheet/WorksheetDocument.h"

#include <algorithm>
#include <memory>

#include "formats/CourseNames.h"
#include "formats/LayoutBounds.h"
#include "text/CorePath.h"
#include "text/FileMessages.h"
#include "text/Sjis.h"
#include "text/TextCuts.h"
#include "worksheet/Paper.h"
#include "worksheet/Workspace.h"

namespace {

bool isFlagWord(const std::string& s) {
    return s == "True" || s == "False";
}

// Value block: 1 paper width, 2 (not read), 3 LineSpace, 4 LeftMargin, 5 RightMargin,
// 6 StartNo, 7 Options. Lines that do not read as numbers keep the worksheet's values;
// numbers are taken into their ranges.
void readValueBlock(Workspace& program, Worksheet& sheet) {
    const Lines& v = program.parse.value;
    auto at = [&](std::size_t n) -> const std::string* {
        return n <= v.size() ? &v[n - 1] : nullptr;
    };
    int width = 630;
    if (const std::string* s = at(1))
        width = isFlagWord(*s) ? 630 : UsablePaperWidth(DecimalOr(*s, 630));
    if (program.sheets.fixedPaper) {
        const PaperInfo& paper = PaperForWidth(program.sheets.paperChoice);
        sheet.paper = PaperRec{paper.width, paper.height};
    } else {
        sheet.paper = PaperRec{width, PaperHeightFor(width)};
    }
    using namespace layoutbounds;
    if (const std::string* s = at(3))
        sheet.LineSpace = BoundedNumber(*s, sheet.LineSpace, LineSpace);
    if (const std::string* s = at(4))
        sheet.LeftMargin = BoundedNumber(*s, sheet.LeftMargin, Margin);
    if (const std::string* s = at(5))
        sheet.RightMargin = BoundedNumber(*s, sheet.RightMargin, Margin);
    if (const std::string* s = at(6)) sheet.StartNo = BoundedNumber(*s, sheet.StartNo, StartNo);
    if (const std::string* s = at(7)) // 16 and more read as 15
        sheet.Options = isFlagWord(*s) ? 7 : BoundedNumber(*s, sheet.Options, Options);
    sheet.ShowAnswers = program.sheets.answersShown;
}

// Font block: 1 size (also FontSize), 2 face of the second font, 3..6 bold, italic,
// underline, strikeout, 7 question text face ("0" = the program's default face).
void readFontBlock(Workspace& program, Worksheet& sheet) {
    const Lines& f = program.parse.font;
    if (f.empty()) return;
    SecondFont& font = sheet.secondFont;
    font.size = BoundedNumber(f[0], font.size, layoutbounds::FontSize);
    sheet.FontSize = font.size;
    auto flag = [&](std::size_t i) { return i < f.size() && f[i] == "True"; };
    if (f.size() > 1) font.face = f[1];
    font.bold = flag(2);
    font.italic = flag(3);
    font.underline = flag(4);
    font.strikeOut = flag(5);
    if (f.size() > 6) sheet.strMainFont = f[6] == "0" ? program.sheets.defaultFontFace : f[6];
}

// Kran block: block line n is kran line n - 1, padded with "0"; an empty block
// keeps the worksheet's settings.
void readKranBlock(Workspace& program, Worksheet& sheet) {
    const Lines& k = program.parse.kran;
    if (k.empty()) return;
    Lines lines(k.begin(), k.begin() + std::min(k.size(), KranLineCount));
    lines.resize(KranLineCount, "0");
    sheet.setKranLines(std::move(lines));
}

// Graph triples from the buffer. The first `kept` lines are taken as they are; later
// triples keep their file name and get "-1" for x and y (placed automatically).
Lines graphLines(const Lines& buffer, std::size_t kept) {
    Lines out;
    out.reserve(buffer.size());
    for (std::size_t i = 0; i < buffer.size(); ++i)
        out.push_back(i < kept || i % 3 == 0 ? buffer[i] : "-1");
    return out;
}

void loadPictures(Workspace& program, const std::string& folder, const Lines& triples,
                  std::array<Bitmap, MaxGraphs>& pictures) {
    std::size_t n = std::min<std::size_t>(triples.size() / 3, MaxGraphs);
    for (std::size_t k = 0; k < MaxGraphs; ++k) {
        pictures[k] = Bitmap();
        if (k >= n) continue;
        const std::optional<std::string> path =
            GraphPicturePath(program.course.masterFolder, folder, triples[3 * k]);
        Prompter& prompter = program.platform.prompter;
        if (!path)
            prompter.message(OutsideCourseText(triples[3 * k]));
        else if (!program.platform.files.fileExists(*path))
            prompter.message(FileMissingText(*path));
        else if (program.platform.pictures.load(*path, pictures[k]) == ReadStatus::Outside)
            prompter.message(OutsideCourseText(*path));
    }
}

void loadGraphPictures(Workspace& program, Worksheet& sheet) {
    std::string folder = GraphFolder(program.platform.files, program.course, sheet.unitRef.Lesson);
    loadPictures(program, folder, sheet.lstQGraph, sheet.qGraphPictures);
    loadPictures(program, folder, sheet.lstAGraph, sheet.aGraphPictures);
}

void loadClassFlag(Workspace& program, Worksheet& sheet) {
    std::string path = program.course.masterFolder + "classFlag.bmp";
    sheet.classFlag = Bitmap();
    sheet.classFlagVisible =
        program.platform.files.fileExists(path) &&
        program.platform.pictures.load(path, sheet.classFlag) == ReadStatus::Ok;
}

void copyHeader(Workspace& program, Worksheet& sheet) {
    sheet.strTangen = program.parse.title;
    // The title as the reader composed it: units appended later add their numbers to it.
    sheet.strTitleBase = program.parse.title;
    sheet.strSchool = program.parse.school;
    sheet.strShimei = program.parse.nameField;
    sheet.lstQues = program.parse.questions;
}

} // namespace

void Relayout(Workspace& program, Worksheet& sheet) {
    WorksheetState& state = program.sheets;
    if (!state.layoutEnabled || !state.current || !state.relayout) return;
    state.relayout(sheet);
}

Worksheet& CreateWorksheet(Workspace& program, const SheetOrigin& origin) {
    WorksheetState& state = program.sheets;
    state.layoutEnabled = false;
    Worksheet& sheet = *state.open.emplace_back(std::make_unique<Worksheet>());
    loadClassFlag(program, sheet);
    sheet.unitRef = origin.ref;
    sheet.lessonName = origin.lessonName;
    sheet.sectionName = origin.sectionName;
    sheet.unitName = origin.unitName;
    copyHeader(program, sheet);
    sheet.SoftkeyLines = program.parse.softkey;
    sheet.KgroupLines = program.parse.kgroup;
    readValueBlock(program, sheet);
    readFontBlock(program, sheet);
    readKranBlock(program, sheet);
    sheet.lstQGraph = program.parse.qgraph;
    sheet.lstAGraph = program.parse.agraph;
    loadGraphPictures(program, sheet);
    sheet.caption = origin.windowKey;
    sheet.windowKey = origin.windowKey;
    sheet.strPrintName = origin.printName;
    ++state.count;
    program.sheets.windowList.push_back(origin.windowKey);
    sheet.Modified = false;
    if (state.created) state.created(sheet);
    return sheet;
}

void ReloadAfterAppend(Workspace& program, Worksheet& sheet) {
    sheet.masterFlag = false;
    sheet.caption = program.parse.title;
    sheet.Modified = true;
    copyHeader(program, sheet);
    const std::size_t kept = static_cast<std::size_t>(std::max(program.parse.qgraphBefore, 0));
    sheet.lstQGraph = graphLines(program.parse.qgraph, kept);
    sheet.lstAGraph = graphLines(program.parse.agraph, sheet.lstAGraph.size());
    loadGraphPictures(program, sheet);
    Relayout(program, sheet);
}

void ReloadAfterEdit(Workspace& program, Worksheet& sheet) {
    sheet.masterFlag = false;
    sheet.caption = program.parse.title;
    sheet.Modified = true;
    copyHeader(program, sheet);
    Relayout(program, sheet);
}

namespace {

// Activation makes the worksheet's paper and answer display the program's; it marks nothing
// modified and lays nothing out. (The windows show the values of the worksheet in front
// themselves: nothing here mirrors a control.)
void pushValues(Workspace& program, Worksheet& sheet) {
    if (program.session.keyLock) sheet.ShowAnswers = false; // students never see answers
    program.sheets.answersShown = sheet.ShowAnswers;
    program.sheets.paperWidth = sheet.paper.Width;
    program.sheets.paperHeight = sheet.paper.Height;
    program.sheets.paperChoice = PaperForWidth(sheet.paper.Width).width;
}

} // namespace

void ActivateWorksheet(Workspace& program, Worksheet& sheet) {
    WorksheetState& state = program.sheets;
    state.current = &sheet;
    if (program.session.startupDone) {
        state.layoutEnabled = false;
        pushValues(program, sheet);
    }
    state.layoutEnabled = true;
    Relayout(program, sheet);
    if (state.activated) state.activated(sheet);
}

Worksheet* FindWorksheet(Workspace& program, const std::string& key) {
    for (auto& sheet : program.sheets.open)
        if (sheet->windowKey == key) return sheet.get();
    return nullptr;
}

bool CloseRequest(Workspace& program, Worksheet& sheet,
                  const std::function<bool(Worksheet&)>& save) {
    if (!sheet.Modified) return true;
    bool& startupDone = program.session.startupDone;
    const bool wasDone = startupDone;
    startupDone = false;
    int reply = program.platform.prompter.askYesNoCancel(sheet.caption + J("を保存しますか？"));
    bool mayClose = reply == answer::No || (reply == answer::Yes && save && save(sheet));
    startupDone = wasDone;
    return mayClose;
}

void CloseWorksheet(Workspace& program, Worksheet& sheet) {
    WorksheetState& state = program.sheets;
    if (state.closing) state.closing(sheet);
    auto& keys = program.sheets.windowList;
    auto key = std::find(keys.begin(), keys.end(), sheet.windowKey);
    if (key != keys.end()) keys.erase(key);
    state.current = nullptr;
    program.formula.worksheetCurrent = false; // letters are drawn only for a current sheet
    --state.count;
    std::erase_if(state.open, [&](const auto& p) { return p.get() == &sheet; });
}

bool TryCloseWorksheet(Workspace& program, Worksheet& sheet,
                       const std::function<bool(Worksheet&)>& save) {
    if (!CloseRequest(program, sheet, save)) return false;
    CloseWorksheet(program, sheet);
    return true;
}
