#pragma once
// The folders the program keeps its own files in: the records folders that start-up
// prepares ("Velmix\LogOn" on the records drive and, for a course on a CD-ROM, one folder
// per lesson in the Windows folder) and the temporary folder.

#include <string>

struct Platform;
struct Program;

struct FolderResult {
    bool ok = true;
    std::string message; // Shift-JIS, shown through the prompter when ok is false
};

// Start-up steps 15 to 17. recordsDrive is the RecDrive setting (a "\" is added when it
// does not end in one); the Windows folder is the user's data folder. Sets
// shell.recordsDrive, shell.windowsFolder and shell.logOnFolder (records drive +
// "Velmix\LogOn\"). A folder that cannot be created is reported and stops here; lesson
// folders of a CD-ROM course are created on a best-effort basis, and only where the
// lesson's base stays inside the Windows folder.
FolderResult PrepareRecordFolders(Program& p, const std::string& recordsDrive);
