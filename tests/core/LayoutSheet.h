#pragma once
// A program with fake services and one current worksheet, with a screen page image and an
// A4 printer page at 600 dpi to lay it out on.

#include "Fakes.h"
#include "Program.h"
#include "RecordingCanvas.h"
#include "worksheet/Worksheet.h"

struct LayoutSheet {
    FakePlatform fp;
    Program pg{fp.platform};
    Worksheet ws;
    RecordingCanvas screen{630, 891, 96};
    RecordingCanvas printer{4960, 7016, 600};

    LayoutSheet() { pg.sheets.current = &ws; }
};
