#include "shell/EditorSteps.h"

#include "Program.h"
#include "formats/CourseNames.h"
#include "shell/UnitMenu.h"
#include "worksheet/OpenWorksheet.h"
#include "worksheet/WorksheetDocument.h"

void QuestionEditorClosed(Program& p) {
    p.shell.ruidaiScanPending = true;
    ComputeMarks(p);
}

void IndexEditorClosed(Program& p, bool written) {
    if (written) p.shell.indexChanged = true;
}

bool ReopenEditedUnit(Program& p, const UnitRef& ref, const UnitTitleNames& names,
                      const std::function<bool(Worksheet&)>& closeSheet) {
    const UnitNames files = UnitFileNames(p.course, ref);
    if (Worksheet* open = FindWorksheet(p, files.windowKey)) {
        if (open->masterFlag) open->Modified = false;
        if (!closeSheet(*open)) return false;
    }
    if (OpenUnit(p, ref, names, true, ref.Ruidai > 0) != OpenResult::Opened) return false;
    if (p.sheets.current) p.sheets.current->Modified = false;
    return true;
}

std::uint64_t NewRuidaiSeed(Program& p) {
    std::uint64_t seed = 0;
    for (int i = 0; i < 4; ++i)
        seed = (seed << 16) | static_cast<std::uint64_t>(p.platform.random.below(65536));
    return seed;
}
