#include "shell/PracticeRecords.h"

#include "Program.h"
#include "learners/LearnerFiles.h"
#include "learners/Records.h"
#include "practice/ResultsLine.h"
#include "shell/UnitMenu.h"
#include "text/FileMessages.h"
#include "text/Profile.h"
#include "text/Sjis.h"

RecordPlace RecordPlaceOf(Program& p, const Worksheet& sheet) {
    RecordPlace place;
    const int lesson = sheet.FromCopyFile ? 1 : RecordLesson(sheet);
    place.file =
        LearnerFile(p.platform.files, p.course, p.session.learnerName, p.shell.logOnFolder, lesson);
    // Similar questions are recorded with their unit, marked by their prefix.
    UnitRef unit = sheet.unitRef;
    unit.Ruidai = 0;
    // The key from the unit line the worksheet was opened with: the course tables may hold
    // another lesson by now (the unit menu browsed on).
    place.section = RecordSection(sheet, sheet.unitName.empty() ? RecordKey(p.course, unit)
                                                                : RecordKey(unit, sheet.unitName));
    return place;
}

RecordedRun RecordRun(Program& p, const Worksheet& sheet, const RunResult& result) {
    RecordedRun out;
    out.line = ResultsLine(result, p.platform.clock.now(), RuidaiOf(sheet), sheet.versionCode);
    const RecordPlace place = RecordPlaceOf(p, sheet);
    if (place.file.empty()) {
        out.message = WriteFailureText(p.session.learnerName, WriteResult::failed());
        return out;
    }
    const WriteResult written = AppendRecord(p.platform.files, place.file, place.section, out.line);
    out.written = static_cast<bool>(written);
    if (!out.written) out.message = WriteFailureText(place.file, written);
    // The unit menu counts the runs of its units: the new one too.
    if (out.written) ComputeMarks(p);
    return out;
}

UnitRecordsView UnitRecords(Program& p, const Worksheet& sheet) {
    UnitRecordsView view;
    const RecordPlace place = RecordPlaceOf(p, sheet);
    view.caption = place.section + J("　　氏名：") + p.session.learnerName;
    if (!place.file.empty()) {
        Profile file(p.platform.files, place.file);
        const std::size_t n = file.keys(place.section).size();
        for (std::size_t k = 1; k <= n; ++k)
            view.lines.push_back(file.readString(place.section, std::to_string(k), "?"));
    }
    if (view.lines.empty()) view.lines.push_back(J("練習の記録はありません"));
    return view;
}
