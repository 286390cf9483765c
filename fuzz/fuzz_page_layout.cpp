// One input is a worksheet file together with the values of the main window's controls.
// The page is laid out on the screen and on a printer page: the answer-box table stays
// within its 80 entries, and every answer of the question lines is listed.
#include <algorithm>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

#include "CourseFixture.h"
#include "FuzzCheck.h"
#include "NullCanvas.h"
#include "formats/UnitReader.h"
#include "text/Lines.h"
#include "worksheet/PageLayout.h"
#include "worksheet/WorksheetDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    CourseFixture f;
    Program& p = f.p;
    p.session.startupDone = true; // as after start-up: opening pushes values into the controls
    p.sheets.defaultFontFace = J("ＭＳ 明朝");
    Controls& c = p.controls;
    c.spnGyouSpace = in.ConsumeIntegralInRange(-5, 200);
    c.chkBekkai = in.ConsumeBool();
    c.chkClassFlag = in.ConsumeBool();
    c.chkPrinted = in.ConsumeBool();
    c.chkNumber = in.ConsumeBool();
    c.spnStart = in.ConsumeIntegralInRange(1, 99999);
    const bool typed = in.ConsumeBool();
    const int dpi = in.PickValueInArray({150, 300, 600, 1200, 2400, 4800});
    const bool showAnswers = in.ConsumeBool();
    p.fileLines = lines::split(in.ConsumeRemainingBytesAsString());

    UnitReadRequest r;
    r.path = "C:\\course\\Eq1\\a.prp";
    r.header = "[[unitX";
    r.mode = UnitReadMode::WorksheetFile;
    if (!ParseUnit(p.parse, p.fileLines, r).ok()) return 0;
    SheetOrigin origin;
    origin.ref = UnitRef{1, 0, 0, 0};
    origin.windowKey = r.path;
    origin.printName = r.path;
    Worksheet& sheet = CreateWorksheet(p, origin);
    ActivateWorksheet(p, sheet); // the size and spacing boxes now show the worksheet's values
    sheet.ShowAnswers = showAnswers;

    NullCanvas screen(sheet.paper.Width, sheet.paper.Height, 96);
    p.sheets.current->layout.drawTypedAnswers = false;
    LayOutPage(p, sheet, screen, false);
    FUZZ_CHECK(p.sheets.current->layout.kranCount >= 0 && p.sheets.current->layout.kranCount <= MaxKran);
    FUZZ_CHECK(!sheet.lstKai.empty() && sheet.lstKai[0] == "start");
    std::size_t answers = 0;
    for (const std::string& line : sheet.lstQues)
        answers += static_cast<std::size_t>(std::count(line.begin(), line.end(), '#') / 2);
    FUZZ_CHECK(sheet.lstKai.size() == std::min<std::size_t>(1 + answers, 1 << 16));

    const int width = static_cast<int>(sheet.paper.Width * dpi / 76.2);
    NullCanvas printer(width, static_cast<int>(width * 1.414), dpi);
    p.sheets.current->layout.drawTypedAnswers = typed;
    LayOutPage(p, sheet, printer, true);
    FUZZ_CHECK(p.sheets.current->layout.kranCount <= MaxKran);
    return 0;
}
