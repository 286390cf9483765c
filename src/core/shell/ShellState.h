#pragma once
// Program-wide state of the application shell: folders, flags and settings values.

#include <string>
#include <vector>

struct ShellState {
    std::string masterFolder; // ends in "\"
    bool cdMode = false;
    std::string schoolName;    // theSchool
    std::string learnerName;   // LogOnName
    std::string recordsDrive;  // RecDrive, ends in "\"
    std::string logOnFolder;   // records log-on folder (records drive + "Velmix\LogOn\")
    std::string windowsFolder; // ends in "\"
    std::string helpFileName = "VELMIXEQ.HLP";
    std::string defaultFontFace; // face of the main font dialog at start
    bool answersShown = false;   // AnswersShown
    bool fixedPaper = false;     // FixedPaper
    bool startupDone = false;    // StartupDone
    bool indexChanged = false;   // IndexChanged
    bool ruidaiScanPending = false;
    bool keyLock = false; // student mode
    bool showDoYouKnow = true;
    int paperWidth = 630;
    int paperHeight = 891;
    std::vector<std::string> windowList; // lstWindow: keys of open worksheets in opening order
};
