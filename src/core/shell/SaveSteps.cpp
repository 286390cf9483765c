#include "shell/SaveSteps.h"

#include <algorithm>

#include "Program.h"
#include "authoring/UnitBlock.h"
#include "formats/CourseNames.h"
#include "shell/Prompts.h"
#include "text/CorePath.h"
#include "text/FileMessages.h"
#include "text/Sjis.h"
#include "text/TextCuts.h"
#include "worksheet/Worksheet.h"
#include "worksheet/WorksheetFile.h"

std::optional<std::string> AcceptWorksheetPath(Program& p, const std::string& path) {
    std::optional<std::string> accepted = WorksheetPathFor(path);
    if (!accepted) p.platform.prompter.message(BadExtensionText(path));
    return accepted;
}

bool SaveWorksheetTo(Program& p, Worksheet& w, const std::string& path, bool askOverwrite) {
    p.fileLines = WorksheetFileLines(w, p.sheets.paperWidth, p.parse.kgroup);
    std::string target = ExtensionOf(path).empty() ? path + ".prp" : path;
    if (askOverwrite && p.platform.files.fileExists(target) &&
        AskYesNo(p, J("ファイル") + target + J("を上書きしてもいいですか？")) != answer::Yes)
        return false;
    if (WriteResult written = p.platform.files.write(target, lines::join(p.fileLines)); !written) {
        p.platform.prompter.message(WriteFailureText(target, written));
        return false;
    }
    auto& list = p.sheets.windowList;
    auto old = std::find(list.begin(), list.end(), w.windowKey);
    if (old != list.end()) list.erase(old);
    list.push_back(target);
    w.windowKey = target;
    w.caption = target;
    w.strFileName = target;
    w.Modified = false;
    // The worksheet is a worksheet file now: 上書き保存 would write a course unit block into it.
    w.masterFlag = false;
    return true;
}

bool OverwriteUnit(Program& p, Worksheet& w) {
    const std::string& path = w.strFileName;
    std::string bytes;
    switch (p.platform.files.read(path, bytes)) {
    case ReadStatus::Ok:
    case ReadStatus::Missing: // the unit starts a new file
        break;
    case ReadStatus::Outside:
        p.platform.prompter.message(OutsideCourseText(path));
        return false;
    case ReadStatus::Error:
        // Writing now would lose every other unit of the file.
        p.platform.prompter.message(ReadErrorText(path));
        return false;
    }
    const std::string key = UnitBlockKey(w.unitRef);
    const std::optional<UnitBlockParts> old = ReadUnitBlock(lines::split(bytes), key);
    const std::string updated =
        WriteUnitBlocks(bytes, key, WorksheetBlocks(w, old, p.sheets.defaultFontFace));
    if (updated != bytes) {
        if (WriteResult written = p.platform.files.write(path, updated); !written) {
            p.platform.prompter.message(WriteFailureText(path, written));
            return false;
        }
    }
    if (!old) p.shell.ruidaiScanPending = true; // a new block may be a similar question
    w.Modified = false;
    return true;
}
