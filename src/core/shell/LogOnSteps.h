#pragma once
// Logging a learner on (名前登録): the roster of the log-on folder, the name typed or
// chosen, and the password asked for every learner but the shared one. The log-on dialog
// and the password dialog show this state and call these steps.

#include <string>

#include "learners/Passwords.h"
#include "learners/Roster.h"
#include "text/Typed.h"

struct Program;
class Settings;

struct LogOnState {
    Roster roster;
    std::string name;        // the learner being logged on
    PasswordPrompt password; // what the password dialog asks
};

// The default roster: LogOnFolder + "sname.txt".
std::string DefaultRosterPath(const Program& p);

// The dialog opens: loads the default roster, making the log-on folder and a roster of
// "公開" when they are missing. What fails is said; the dialog stays usable.
void OpenLogOn(Program& p, LogOnState& state);
// 追加: adds the name typed (tidied) when it can name a learner; says why not otherwise.
bool AddLearnerToRoster(Program& p, LogOnState& state, const TypedText& name);
// 名簿を開く and 名前を付けて保存 with a file the user chose; failures are said.
void LoadOtherRoster(Program& p, LogOnState& state, const std::string& path);
void SaveRosterAs(Program& p, LogOnState& state, const std::string& path);

enum class LogOnStep {
    Stay,        // refused or failed (said); the dialog stays open
    Cancelled,   // no name: the dialog closes without a change
    AskPassword, // the password dialog decides (state.password)
    LoggedOn,    // done
};
// OK: a new name joins the roster, the roster is saved into the log-on folder, and the
// learner's stored password is read. The shared learner is logged on at once. Names that
// cannot name a learner are refused before anything is written; a learner file that
// cannot be read refuses the log-on with its message.
LogOnStep StartLogOn(Program& p, Settings& settings, LogOnState& state, const TypedText& typed);
// The password dialog accepted: the learner is logged on, stored as LogOnName, and the
// unit menu's marks count his records.
void CompleteLogOn(Program& p, Settings& settings, const LogOnState& state);
