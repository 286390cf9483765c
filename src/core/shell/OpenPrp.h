#pragma once
// The open-copy dialog (コピーファイルを開く): the lessons of "Main.ind" (at most 50), the
// worksheet files of the chosen lesson's folder and the lines of the chosen file.

#include <array>
#include <string>
#include <vector>

#include "text/Lines.h"

struct Program;

constexpr int MaxPrpLessons = 50;

struct OpenPrpState {
    bool loaded = false; // the lessons were read (first showing)
    std::vector<std::string> lessonNames;
    std::array<std::string, MaxPrpLessons + 1> folders;
    std::array<std::string, MaxPrpLessons + 1> bases;
    int lesson = -1;
    std::string folder;             // master folder + the lesson's folder, when that exists
    std::vector<std::string> files; // flbPRP: "*.prp" names of folder
    int file = -1;
    std::string fileName;   // edtFileName
    Lines contents;         // lstContents
    int rememberedPos = -1; // the file chosen at the last OK
    std::string rememberedName;
};

// Before the dialog shows: reads the lessons on the first showing (false when "Main.ind" is
// missing: the dialog closes at once), then lists the files of the current lesson again.
bool PrepareCopyChoice(Program& p, OpenPrpState& s);
// Choosing a lesson: its folder's worksheet files, with the remembered one (or the first)
// chosen.
void OpenPrpChooseLesson(Program& p, OpenPrpState& s, int pos);
// Choosing a file: its path and lines.
void OpenPrpChooseFile(Program& p, OpenPrpState& s, int pos);
// The chosen file is taken: false with "単元を選択してください" when no file is chosen.
bool ConfirmCopyChoice(Program& p, OpenPrpState& s);
