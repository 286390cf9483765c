#pragma once
// The windowed program's start: `velmix [COURSE_DIR]` with no sub-command.

// Runs the windowed program on the course folder named in argv (the working directory
// when none is named); returns the process exit status.
int runDesk(int argc, char** argv);

class QCoreApplication;

// The program speaks Japanese whatever the desktop's language. Before the application
// object is made: the default locale (the toolkit's dates, numbers and the texts it picks
// by locale) and the locale the file dialogs write their dates in, which the toolkit reads
// from the environment once, are Japanese.
void UseJapaneseLocale();
// After it is made: the toolkit's own Japanese texts (standard buttons, file and print
// dialogs) from its translations folder, when they are installed; true when found.
bool LoadToolkitJapanese(QCoreApplication& app);
