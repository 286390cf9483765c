#include "shell/Prompts.h"

#include "text/FileMessages.h"
#include "worksheet/Workspace.h"

bool FileExistsOrSay(Workspace& p, const std::string& path) {
    if (p.platform.files.fileExists(path)) return true;
    p.platform.prompter.message(FileMissingText(path));
    return false;
}

bool DirectoryExistsOrSay(Workspace& p, const std::string& path) {
    if (p.platform.files.dirExists(path)) return true;
    p.platform.prompter.message(DirectoryMissingText(path));
    return false;
}

int AskYesNo(Workspace& p, const std::string& text) {
    return p.platform.prompter.askYesNo(text);
}

int AskYesNoCancel(Workspace& p, const std::string& text) {
    return p.platform.prompter.askYesNoCancel(text);
}

bool SayIfAny(Workspace& p, const std::string& message) {
    if (message.empty()) return false;
    p.platform.prompter.message(message);
    return true;
}
