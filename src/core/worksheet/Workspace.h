#pragma once
// Everything the worksheets are made, laid out and printed with: the platform services,
// the course tables, the parse buffer, the control values, the formula context and the
// open worksheets. The program object at the top of the core is this plus the shell's own
// state; the worksheet floor and the floors above it up to the shell take a Workspace.

#include "formats/CourseTables.h"
#include "formats/ParseBuffer.h"
#include "platform/Platform.h"
#include "text/Lines.h"
#include "typeset/FormulaContext.h"
#include "worksheet/Session.h"
#include "worksheet/WorksheetState.h"

struct Workspace {
    explicit Workspace(Platform& p) : platform(p) {}
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    Platform& platform;
    Session session;
    CourseTables course;
    ParseBuffer parse;
    Lines fileLines; // FileLines: unit and worksheet files are read and written through it
    FormulaContext formula;
    WorksheetState sheets;
};
