#include "worksheet/OpenWorksheet.h"

#include <algorithm>

#include "formats/CourseNames.h"
#include "text/FileMessages.h"
#include "text/Sjis.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/WorksheetFile.h"
#include "worksheet/Workspace.h"

namespace {

bool isListed(const Workspace& program, const std::string& key) {
    const auto& keys = program.sheets.windowList;
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

// "すでに読み込まれています", then the worksheet of that key comes to the front.
OpenResult alreadyOpen(Workspace& program, const std::string& key) {
    program.platform.prompter.message(J("すでに読み込まれています"));
    if (Worksheet* sheet = FindWorksheet(program, key)) ActivateWorksheet(program, *sheet);
    return OpenResult::AlreadyOpen;
}

} // namespace

OpenResult OpenUnit(Workspace& program, const UnitRef& ref, const UnitTitleNames& names,
                    bool reload, bool ruidaiChosen) {
    const UnitNames files = UnitFileNames(program.course, ref);
    if (!program.platform.files.fileExists(files.queFile)) return OpenResult::NotRead;
    if (isListed(program, files.windowKey)) {
        if (!reload) return alreadyOpen(program, files.windowKey);
        if (Worksheet* old = FindWorksheet(program, files.windowKey)) {
            old->Modified = false;
            CloseWorksheet(program, *old);
        }
    }
    UnitReadRequest request;
    request.path = files.queFile;
    request.header = UnitBlockKey(ref);
    request.unit = ref.Unit;
    request.section = ref.Section;
    request.mode = UnitReadMode::Open;
    request.names = names;
    const UnitReadResult read =
        ReadUnit(program.platform.files, program.parse, program.fileLines, request);
    if (!read.message.empty()) program.platform.prompter.message(read.message);
    if (read.status == UnitReadResult::ReadError) return OpenResult::Unreadable;
    if (!read.ok()) return OpenResult::NotRead;

    SheetOrigin origin{ref,        names.lesson,    names.section,
                       names.unit, files.windowKey, files.shortKey};
    Worksheet& sheet = CreateWorksheet(program, origin);
    sheet.strFileName = files.queFile;
    sheet.FromCopyFile = false;
    sheet.PrintLearner = false;
    sheet.masterFlag = true;
    sheet.RuidaiSheet = ruidaiChosen;
    sheet.Marked = false;
    ActivateWorksheet(program, sheet);
    return OpenResult::Opened;
}

OpenResult OpenWorksheetFile(Workspace& program, const std::string& chosen) {
    Prompter& prompter = program.platform.prompter;
    std::optional<std::string> path = WorksheetPathFor(chosen);
    if (!path) {
        prompter.message(BadExtensionText(chosen));
        return OpenResult::BadPath;
    }
    if (!program.platform.files.fileExists(*path)) {
        prompter.message(FileMissingText(*path));
        return OpenResult::NotRead;
    }
    if (isListed(program, *path)) return alreadyOpen(program, *path);

    const Worksheet* current = program.sheets.current;
    UnitRef ref{current ? current->unitRef.Lesson : 1, 0, 0, 0};
    UnitReadRequest request;
    request.path = *path;
    request.header = "[[unitX";
    request.mode = UnitReadMode::WorksheetFile;
    UnitReadResult read =
        ReadUnit(program.platform.files, program.parse, program.fileLines, request);
    if (!read.ok()) {
        // An empty file or one without "[[unitX" is no worksheet file: say so.
        prompter.message(read.message.empty()
                             ? J("ファイル ") + *path + J(" はワークシートファイルとして読めません")
                             : read.message);
        return OpenResult::NotRead;
    }

    SheetOrigin origin{ref, {}, {}, {}, *path, *path};
    Worksheet& sheet = CreateWorksheet(program, origin);
    sheet.strFileName = *path;
    sheet.FromCopyFile = true;
    sheet.RuidaiSheet = false;
    ActivateWorksheet(program, sheet);
    return OpenResult::Opened;
}
