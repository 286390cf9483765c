#include "shell/OpenPrp.h"

#include "Program.h"
#include "formats/CourseIndex.h"
#include "shell/Prompts.h"
#include "text/Sjis.h"

bool PrepareCopyChoice(Program& p, OpenPrpState& s) {
    if (!s.loaded) {
        const std::string path = p.course.masterFolder + "Main.ind";
        Lines mainInd;
        if (!FileExistsOrSay(p, path)) return false;
        const LoadStatus status = LoadLines(p.platform.files, path, mainInd);
        if (status != LoadStatus::Ok) {
            p.platform.prompter.message(LoadFailureText(path, status));
            return false;
        }
        LessonLinesResult r = ReadLessonLines(mainInd, s.folders, s.bases);
        s.lessonNames = std::move(r.names);
        if (r.overflow())
            p.platform.prompter.message(RangeErrorText(path, "コースウェア", MaxPrpLessons));
        s.loaded = true;
        if (!s.lessonNames.empty()) s.lesson = 0;
    }
    if (s.lesson >= 0) OpenPrpChooseLesson(p, s, s.lesson);
    return true;
}

void OpenPrpChooseLesson(Program& p, OpenPrpState& s, int pos) {
    if (pos < 0 || pos >= static_cast<int>(s.lessonNames.size())) return;
    s.lesson = pos;
    s.files.clear();
    s.file = -1;
    s.fileName.clear();
    s.contents.clear();
    s.folder.clear();
    const std::string folder =
        p.course.masterFolder + (pos + 1 <= MaxPrpLessons ? s.folders[pos + 1] : std::string());
    if (!DirectoryExistsOrSay(p, folder)) return;
    s.folder = folder;
    s.files = p.platform.files.list(folder, "*.prp");
    if (s.files.empty()) return;
    int chosen = s.rememberedPos;
    if (chosen < 0 || chosen >= static_cast<int>(s.files.size())) chosen = 0;
    OpenPrpChooseFile(p, s, chosen);
}

void OpenPrpChooseFile(Program& p, OpenPrpState& s, int pos) {
    if (pos < 0 || pos >= static_cast<int>(s.files.size())) return;
    s.file = pos;
    s.fileName = s.folder + s.files[pos];
    s.contents.clear();
    const LoadStatus status = LoadLines(p.platform.files, s.fileName, s.contents);
    if (status == LoadStatus::Error || status == LoadStatus::Outside)
        s.contents = {LoadFailureText(s.fileName, status)};
}

bool ConfirmCopyChoice(Program& p, OpenPrpState& s) {
    if (s.fileName.empty()) {
        p.platform.prompter.message(J("単元を選択してください"));
        return false;
    }
    s.rememberedPos = s.file;
    s.rememberedName = s.fileName;
    return true;
}
