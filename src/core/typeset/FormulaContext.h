#pragma once
// What the layout tells the formula typesetter before each drawing.

#include <string>

#include "platform/Canvas.h"
#include "text/Sjis.h"

struct FormulaContext {
    int unitV = 7;     // UnitV: vertical unit in device units
    int unitH = 2;     // UnitH: horizontal unit in device units
    int charSize = 12; // CharSize: the worksheet's character size in points
    // The target is the printer. Nothing is drawn differently for it: screen and paper
    // share one geometry, scaled.
    bool printing = false;
    bool worksheetCurrent = false; // letters are drawn only while a worksheet is current
    // The main face (fntMainX) and the letter face (fntHankaku) with their styles.
    std::string mainFace = J("ＭＳ 明朝");
    unsigned mainStyle = 0;
    std::string letterFace = J("Bookman Old Style");
    unsigned letterStyle = fontstyle::Italic;
};
