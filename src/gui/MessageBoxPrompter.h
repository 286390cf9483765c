#pragma once
// The program's message boxes: messages, Yes/No and Yes/No/Cancel questions (answers
// 6, 7 and 2), over the window that is active.

#include "platform/Prompter.h"

class MessageBoxPrompter : public Prompter {
  public:
    void message(const std::string& text) override;
    int askYesNo(const std::string& text) override;
    int askYesNoCancel(const std::string& text) override;
};
