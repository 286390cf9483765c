#include "shell/Startup.h"

#include "Program.h"
#include "formats/CourseIndex.h"
#include "learners/LearnerNames.h"
#include "shell/Prompts.h"
#include "shell/RecordFolders.h"
#include "shell/Settings.h"
#include "text/CorePath.h"
#include "text/Sjis.h"
#include "worksheet/Paper.h"
#include "worksheet/WorksheetSetters.h"

namespace {

// Step 3: the title picture. A missing file is reported by FileExistsOrSay; a file that
// is no picture is reported too, and start-up goes on with an empty title.
Bitmap loadTitlePicture(Program& p) {
    Bitmap picture;
    const std::string path = p.course.masterFolder + "Title.BMP";
    if (!FileExistsOrSay(p, path)) return picture;
    const ReadStatus read = p.platform.pictures.load(path, picture);
    if (read != ReadStatus::Ok) {
        picture = Bitmap();
        p.platform.prompter.message(read == ReadStatus::Outside
                                        ? OutsideCourseText(path)
                                        : J("ファイル ") + path + J(" は画像として読み込めません"));
    }
    return picture;
}

// Step 6: the first "*.hlp" of the master folder names the help file.
void findHelpFile(Program& p) {
    std::vector<std::string> found = p.platform.files.list(p.course.masterFolder, "*.hlp");
    if (!found.empty()) p.shell.helpFileName = found.front();
}

} // namespace

std::string MasterFolderOf(const std::string& workingDir) {
    std::string folder = workingDir;
    const std::size_t last = sjis::rfind(folder, '\\');
    if (folder.empty() || last != folder.size() - 1) folder += '\\';
    return folder;
}

StartupOutcome RunStartup(Program& p, Settings& settings) {
    ShellState& s = p.shell;
    CourseTables& course = p.course;
    StartupOutcome out;
    p.session.startupDone = false;
    // Links that lead out of the course folder are refused as names that do.
    p.platform.files.setCourseFolder(course.masterFolder);
    course.cdMode = p.platform.files.isReadOnlyMedia(course.masterFolder);
    p.session.schoolName = settings.school();
    out.titlePicture = loadTitlePicture(p);
    s.indexChanged = false;
    p.sheets.windowList.clear();
    findHelpFile(p);
    const Report listed = LoadLessonList(p.platform.files, course);
    SayIfAny(p, listed.message);
    if (!listed && course.lessonNames.empty()) {
        out.end = StartupOutcome::End::NoCourse;
        return out;
    }
    p.menu = MenuState{}; // the lesson list is new: the menu starts over
    p.sheets.fixedPaper = false;
    s.showDoYouKnow = settings.showDoYouKnow();
    p.sheets.printerResolution = settings.printMode(); // the teacher's last choice
    SetProgramPaper(p, settings.paperSize());
    p.sheets.answersShown = false;
    ToggleShowAnswers(p); // ends shown, as the 解答表示 button does
    p.session.startupDone = true;

    FolderResult folders = PrepareRecordFolders(p, settings.recordsDrive(p.platform.userDataDir));
    if (!folders.ok) {
        out.end = StartupOutcome::End::FoldersFailed;
    } else {
        s.ruidaiScanPending = true;
    }
    // The learner and the lock hold even when the records folders failed: a program
    // locked for students must not start unlocked.
    p.session.learnerName = UsableLogOnName(settings.logOnName());
    ApplyKeyLock(p, settings, settings.keyLock());
    return out;
}

void ApplyKeyLock(Program& p, Settings& settings, bool locked) {
    p.session.keyLock = locked;
    settings.setKeyLock(locked);
    // Students never see the answers: the lock turns the answer display off everywhere.
    if (locked) HideAllAnswers(p);
}
