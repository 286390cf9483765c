#pragma once
// The shell's asking and saying: file and folder tests that tell the user what is missing,
// and the Yes/No questions. The floors below return their messages; the shell shows them.

#include <string>

struct Workspace;

// True when the file exists; otherwise shows "ファイル " + path + " が見つかりません".
bool FileExistsOrSay(Workspace& p, const std::string& path);
// True when the folder exists; otherwise shows "ディレクトリ " + path + " が見つかりません".
bool DirectoryExistsOrSay(Workspace& p, const std::string& path);

// Yes/No (answer::Yes, answer::No) and Yes/No/Cancel (also answer::Cancel).
int AskYesNo(Workspace& p, const std::string& text);
int AskYesNoCancel(Workspace& p, const std::string& text);

// Shows the message when there is one (a reader's report); true when there was one.
bool SayIfAny(Workspace& p, const std::string& message);
