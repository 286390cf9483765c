#pragma once
// The shell's own program-wide state: the records folders, the help file and the flags
// of the unit menu and the tips panel. It stands beside Program.h, which gathers it.

#include <string>

struct ShellState {
    std::string recordsDrive;  // RecDrive, ends in "\"
    std::string logOnFolder;   // records log-on folder (records drive + "Velmix\LogOn\")
    std::string windowsFolder; // ends in "\"
    std::string helpFileName = "VELMIXEQ.HLP";
    bool indexChanged = false; // IndexChanged
    bool ruidaiScanPending = false;
    bool showDoYouKnow = true;
};
