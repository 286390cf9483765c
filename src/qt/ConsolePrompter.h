#pragma once
// Message boxes on the command line: every message goes to the error stream in UTF-8,
// one per line, paths with "/" and control characters shown escaped (TerminalText);
// questions are printed with the fixed answer they get.

#include <cstdio>

#include "platform/Prompter.h"

class ConsolePrompter : public Prompter {
  public:
    // answer: answer::Yes, answer::No or answer::Cancel (Yes/No questions take No for
    // Cancel). out: where the lines go.
    explicit ConsolePrompter(int answer = answer::No, std::FILE* out = stderr);

    void message(const std::string& text) override;
    int askYesNo(const std::string& text) override;
    int askYesNoCancel(const std::string& text) override;

  private:
    void print(const std::string& text, const char* suffix);

    int answer_;
    std::FILE* out_;
};
