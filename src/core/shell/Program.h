#pragma once
// The one program object: every piece of program-wide state, owned in one place and
// passed by reference. Tests build their own with fake platform services.

#include "formats/CourseTables.h"
#include "formats/ParseBuffer.h"
#include "platform/Platform.h"
#include "shell/Controls.h"
#include "shell/MenuState.h"
#include "shell/ShellState.h"
#include "text/Lines.h"
#include "typeset/FormulaContext.h"
#include "worksheet/WorksheetState.h"

struct Program {
    explicit Program(Platform& p) : platform(p) {}
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Platform& platform;
    ShellState shell;
    Controls controls;
    CourseTables course;
    ParseBuffer parse;
    Lines fileLines; // FileLines: unit and worksheet files are read and written through it
    FormulaContext formula;
    WorksheetState sheets;
    MenuState menu; // the unit menu
};
