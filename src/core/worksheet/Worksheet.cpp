#include "worksheet/Worksheet.h"

#include "worksheet/SheetHelpers.h"

int Worksheet::kran(int line) const {
    if (line < 0 || line >= static_cast<int>(lstKranX.size())) return 0;
    return sheethelp::ReadInt(lstKranX[line], 0);
}
