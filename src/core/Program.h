#pragma once
// The one program object: every piece of program-wide state, owned in one place and
// passed by reference. It gathers every subsystem's state: the worksheets' workspace
// (platform, course, parse buffer, controls, formulas, worksheets), the shell's own state
// and the unit menu. The shell's steps take it whole; the floors below take a Workspace or
// only the pieces they need. Tests build their own with fake platform services.

#include "MenuState.h"
#include "ShellState.h"
#include "worksheet/Workspace.h"

struct Program : Workspace {
    using Workspace::Workspace;

    ShellState shell;
    MenuState menu; // the unit menu
};
