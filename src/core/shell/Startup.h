#pragma once
// The program's start-up over the program state: the master folder, the settings with
// their defaults, the course index, the paper, the answer display, the records folders,
// the learner and the student/teacher lock. The main window runs it on its first showing
// and does the window steps (title button, tips panel, title window) around it.

#include <string>

#include "platform/Bitmap.h"

struct Program;
class Settings;

// The master folder for a working directory: "\" appended unless it already ends in one
// (a trail byte 0x5C of a double-byte character is no "\").
std::string MasterFolderOf(const std::string& workingDir);

struct StartupOutcome {
    enum class End {
        Done,
        NoCourse,      // "Main.ind" is missing or unreadable: the program ends
        FoldersFailed, // a records folder could not be made: the rest of start-up is skipped
    };
    End end = End::Done;
    // "Title.BMP" of the master folder; empty when it is missing or not a picture.
    Bitmap titlePicture;
};

// The start-up steps in their order. p.course.masterFolder must be set.
StartupOutcome RunStartup(Program& p, Settings& settings);

// 先生用 / 生徒用: student mode on or off, stored as KeyLock. Locking turns the answer
// display off on every open worksheet.
void ApplyKeyLock(Program& p, Settings& settings, bool locked);
