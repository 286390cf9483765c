// Compiles: the same wishes asked of the desk through its verbs. It shows that the
// reach-ins beside it fail for being reach-ins, not for a broken build of the guard.
#include "Program.h"
#include "gui/Desk.h"

void askTheDesk(Desk& desk) {
    desk.showWorksheetValues();
    desk.toggleAnswers();
    desk.run(Desk::Command::LayoutSettings);
    if (Worksheet* sheet = desk.program().sheets.current) desk.scrollToTop(*sheet);
    desk.showHelp(7);
}
