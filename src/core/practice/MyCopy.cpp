#include "practice/MyCopy.h"

#include "text/Sjis.h"
#include "worksheet/VariedCopies.h"
#include "worksheet/Worksheet.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/Workspace.h"

MyCopyOpened OpenMyCopy(Workspace& program, PracticeWindow& w, std::string_view code,
                        Canvas& measure) {
    MyCopyOpened out;
    Worksheet* sheet = w.sheet;
    if (!sheet) return out;
    const std::optional<VersionRef> ref = ParseVersionCode(code);
    if (!ref) {
        out.message = J("プリントの番号が読めません。ヘッダーの番号（例 V20261208-07）を入力し"
                        "てください");
        return out;
    }
    // The copy is made from the worksheet's own lines, whatever copy is shown now.
    ClosePractice(program, w);
    VariedCopy copy = MakeVariedCopy(program, *sheet, measure, ref->seed, ref->copy);
    if (!copy.laidOut) {
        out.message = copy.versionCode + J(" のプリントは印刷されていません");
        Relayout(program, *sheet);
        OpenPractice(program, w);
        return out;
    }
    PracticeWindow::OwnLines own{true, std::move(sheet->lstQues), sheet->startNumber};
    sheet->lstQues = std::move(copy.ques);
    sheet->startNumber = copy.copy;
    sheet->versionCode = copy.versionCode;
    Relayout(program, *sheet);
    OpenPractice(program, w);
    w.own = std::move(own);
    out.opened = true;
    out.versionCode = copy.versionCode;
    return out;
}
