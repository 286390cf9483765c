#pragma once
// 自分のプリント: a pupil who did a varied copy on paper opens that copy by the version code
// in its header, and the practice page shows it with its own keys, so that the paper sheet
// can be marked on screen. The runs on it are recorded with the version. Strings are
// Shift-JIS.

#include <string>
#include <string_view>

#include "platform/Canvas.h"
#include "practice/PracticeWindow.h"

struct Workspace;

struct MyCopyOpened {
    bool opened = false;
    std::string versionCode; // the copy shown, as its header writes it
    std::string message;     // why not, for the pupil
};

// Shows the copy that code names in the open practice window w (any run under way ends
// without a record): the worksheet takes the copy's question lines, number and version
// code until the window closes (ClosePractice gives its own back). measure is a canvas of
// the page's size the copy is laid out on to check it, as its print was. A code that does
// not read, or names a copy that was never printed (it could not be laid out cleanly),
// leaves the window on what it showed.
MyCopyOpened OpenMyCopy(Workspace& program, PracticeWindow& w, std::string_view code,
                        Canvas& measure);
