// Must not compile: a window takes the worksheet window of a sheet and drives it.
#include "Program.h"
#include "gui/Desk.h"
#include "gui/TfrmPrint.h"

void scrollTheSheet(Desk& desk) {
    if (Worksheet* sheet = desk.program().sheets.current) desk.windowOf(*sheet)->scrollToTop();
}
