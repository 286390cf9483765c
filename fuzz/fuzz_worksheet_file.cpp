// One input is a worksheet file (".prp"). When the program reads it, the worksheet it makes
// must survive a save: the file written from it reads back into the same worksheet.
#include <cstdint>
#include <string>

#include "CourseFixture.h"
#include "FuzzCheck.h"
#include "formats/UnitReader.h"
#include "text/Lines.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/WorksheetFile.h"

namespace {

Worksheet* readSheet(Program& p, const Lines& file, const std::string& key) {
    p.fileLines = file;
    UnitReadRequest r;
    r.path = key;
    r.header = "[[unitX";
    r.mode = UnitReadMode::WorksheetFile;
    if (!ParseUnit(p.parse, p.fileLines, r).ok()) return nullptr;
    SheetOrigin origin;
    origin.ref = UnitRef{1, 0, 0, 0};
    origin.windowKey = key;
    origin.printName = key;
    Worksheet& sheet = CreateWorksheet(p, origin);
    ActivateWorksheet(p, sheet);
    return &sheet;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    CourseFixture f;
    Program& p = f.p;
    p.session.startupDone = true; // as after start-up: opening pushes values into the controls
    p.sheets.defaultFontFace = J("ＭＳ 明朝");
    Worksheet* first = readSheet(p, lines::split(bytes), "C:\\course\\a.prp");
    if (!first) return 0;
    const Lines saved = WorksheetFileLines(*first, first->paper.Width, p.parse.kgroup);
    const Lines kgroup = p.parse.kgroup;
    // What is written is what a later read sees: through the bytes of the file.
    Worksheet* again = readSheet(p, lines::split(lines::join(saved)), "C:\\course\\b.prp");
    FUZZ_CHECK(again != nullptr);
    const Worksheet& a = *first;
    const Worksheet& b = *again;
    FUZZ_CHECK(a.strTangen == b.strTangen && a.strSchool == b.strSchool &&
               a.strShimei == b.strShimei);
    FUZZ_CHECK(a.lstQues == b.lstQues);
    FUZZ_CHECK(a.lstQGraph == b.lstQGraph && a.lstAGraph == b.lstAGraph);
    FUZZ_CHECK(a.lstKranX == b.lstKranX);
    FUZZ_CHECK(a.paper == b.paper && a.LineSpace == b.LineSpace && a.FontSize == b.FontSize);
    FUZZ_CHECK(a.LeftMargin == b.LeftMargin && a.RightMargin == b.RightMargin);
    FUZZ_CHECK(a.StartNo == b.StartNo && a.Options == b.Options);
    FUZZ_CHECK(a.strMainFont == b.strMainFont && a.secondFont.face == b.secondFont.face);
    FUZZ_CHECK(a.secondFont.bold == b.secondFont.bold &&
               a.secondFont.italic == b.secondFont.italic &&
               a.secondFont.underline == b.secondFont.underline &&
               a.secondFont.strikeOut == b.secondFont.strikeOut);
    FUZZ_CHECK(p.parse.kgroup == kgroup);
    return 0;
}
