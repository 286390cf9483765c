#pragma once
// Rosters: text files of learner names, one a line ("sname.txt" in the log-on folder is
// the default one). The log-on dialog shows one and the user adds and deletes names;
// saving re-reads the file under its lock and applies this dialog's adds and deletes to
// it, so that names other copies of the program added meanwhile stay.

#include <string>

#include "platform/Files.h"
#include "text/Lines.h"
#include "text/Report.h"

struct Roster {
    std::string path;     // the file the names came from
    Lines names;          // lstName
    Lines added;          // names this dialog added since the roster was loaded or saved
    Lines removed;        // and the ones it deleted
    bool changed = false; // btnSave is enabled
};

// edtMeibo: the roster's file name without its folder.
std::string RosterFileName(const Roster& roster);

// Loads path as the roster. A missing file becomes a roster holding "公開", saved there.
// A file that cannot be read leaves the roster as it was and fails with its message.
Report LoadRoster(Files& files, Roster& roster, const std::string& path);
// btnAdd: adds name unless it is empty or already listed; true when added.
bool AddToRoster(Roster& roster, const std::string& name);
// btnDelete: deletes the name at index.
void RemoveFromRoster(Roster& roster, int index);
// Saves the roster to path under its lock: the file as it is now (empty when missing),
// with this dialog's adds and deletes applied, or, when path is another file than the
// roster's, with every name of the roster added. On success the roster shows the file as
// written; a failure leaves file and roster as they were and gives the message.
Report SaveRoster(Files& files, Roster& roster, const std::string& path);
