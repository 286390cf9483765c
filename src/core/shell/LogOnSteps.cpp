#include "shell/LogOnSteps.h"

#include <algorithm>

#include "Program.h"
#include "learners/LearnerFiles.h"
#include "learners/LearnerNames.h"
#include "shell/Prompts.h"
#include "shell/Settings.h"
#include "shell/UnitMenu.h"
#include "text/Sjis.h"

namespace {

std::string logOnFolder(const Program& p) {
    return LogOnFolder(p.course, p.shell.logOnFolder);
}

// Rosters are saved into the log-on folder, made when it is missing.
Report saveIntoLogOnFolder(Program& p, LogOnState& state) {
    const std::string folder = logOnFolder(p);
    if (!p.platform.files.dirExists(folder)) p.platform.files.makeDir(folder);
    return SaveRoster(p.platform.files, state.roster, folder + RosterFileName(state.roster));
}

// The message that refuses name when it differs only in case or width from a learner of
// the roster or from the owner of a learner file of the same folder; empty otherwise.
std::string twinProblem(const LogOnState& state, const std::string& name) {
    if (std::find(state.roster.names.begin(), state.roster.names.end(), name) !=
        state.roster.names.end())
        return {};
    if (const std::string like = NameLike(state.roster.names, name); !like.empty())
        return NameLikeProblem(like);
    return {};
}

// A learner file that is another learner's to a file system that ignores case: the folder
// holds no file of exactly this name but one that differs only in case or width.
std::string fileTwinProblem(Files& files, const std::string& learnerFile) {
    const std::size_t cut = sjis::rfind(learnerFile, '\\');
    if (cut == std::string::npos) return {};
    const std::string folder = learnerFile.substr(0, cut + 1);
    const std::string own = learnerFile.substr(cut + 1);
    const std::vector<std::string> present = files.list(folder, "*.ini");
    if (std::find(present.begin(), present.end(), own) != present.end()) return {};
    const std::string twin = NameLike(present, own);
    if (twin.empty()) return {};
    return NameLikeProblem(twin.substr(0, twin.size() - 4));
}

int currentLesson(const Program& p) {
    return p.course.currentLesson < 1 ? 1 : p.course.currentLesson;
}

} // namespace

std::string DefaultRosterPath(const Program& p) {
    return logOnFolder(p) + "sname.txt";
}

void OpenLogOn(Program& p, LogOnState& state) {
    state.name.clear();
    state.password = {};
    const std::string folder = logOnFolder(p);
    if (!p.platform.files.dirExists(folder)) p.platform.files.makeDir(folder);
    state.roster = Roster{DefaultRosterPath(p), {}, {}, {}, false};
    SayIfAny(p, LoadRoster(p.platform.files, state.roster, DefaultRosterPath(p)).message);
}

bool AddLearnerToRoster(Program& p, LogOnState& state, const TypedText& name) {
    if (name.text.empty()) return false;
    if (SayIfAny(p, LearnerNameProblem(name))) return false;
    if (SayIfAny(p, twinProblem(state, TidyLearnerName(name.text)))) return false;
    return AddToRoster(state.roster, TidyLearnerName(name.text));
}

void LoadOtherRoster(Program& p, LogOnState& state, const std::string& path) {
    SayIfAny(p, LoadRoster(p.platform.files, state.roster, path).message);
}

void SaveRosterAs(Program& p, LogOnState& state, const std::string& path) {
    SayIfAny(p, SaveRoster(p.platform.files, state.roster, path).message);
}

LogOnStep StartLogOn(Program& p, Settings& settings, LogOnState& state, const TypedText& typed) {
    if (typed.text.empty()) {
        SayIfAny(p, saveIntoLogOnFolder(p, state).message);
        return LogOnStep::Cancelled;
    }
    if (SayIfAny(p, LearnerNameProblem(typed))) return LogOnStep::Stay;
    const std::string name = TidyLearnerName(typed.text);
    if (SayIfAny(p, twinProblem(state, name))) return LogOnStep::Stay;
    const std::string learnerFile =
        LearnerFile(p.platform.files, p.course, name, p.shell.logOnFolder, currentLesson(p));
    if (name != SharedLearner() && SayIfAny(p, fileTwinProblem(p.platform.files, learnerFile)))
        return LogOnStep::Stay;
    AddToRoster(state.roster, name);
    if (SayIfAny(p, saveIntoLogOnFolder(p, state).message)) return LogOnStep::Stay;
    state.name = name;
    if (name == SharedLearner()) {
        CompleteLogOn(p, settings, state);
        return LogOnStep::LoggedOn;
    }
    PasswordPrompt& prompt = state.password;
    prompt.learner = name;
    prompt.learnerFile = learnerFile;
    if (SayIfAny(p,
                 ReadStoredPassword(p.platform.files, prompt.learnerFile, prompt.stored).message))
        return LogOnStep::Stay;
    // No password could ever match: the learner and the teacher are told what to do.
    if (!prompt.isNew() && IsDamagedPassword(prompt.stored)) {
        SayIfAny(p, DamagedPasswordText(prompt.learnerFile));
        return LogOnStep::Stay;
    }
    return LogOnStep::AskPassword;
}

void CompleteLogOn(Program& p, Settings& settings, const LogOnState& state) {
    p.session.learnerName = state.name;
    settings.setLogOnName(state.name);
    ComputeMarks(p);
}
