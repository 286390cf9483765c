#pragma once
// The program's message boxes: messages, Yes/No and Yes/No/Cancel questions (answers
// 6, 7 and 2), over the window that is active.

#include <QMessageBox>
#include <memory>
#include <string>

#include "platform/Prompter.h"

class MessageBoxPrompter : public Prompter {
  public:
    void message(const std::string& text) override;
    int askYesNo(const std::string& text) override;
    int askYesNoCancel(const std::string& text) override;

    // The box as it is shown for text, with its buttons, over the active window: wide
    // enough for the window manager to show its whole title beside the title bar's
    // buttons, however short the text.
    static std::unique_ptr<QMessageBox> box(QMessageBox::Icon icon, const std::string& text,
                                            QMessageBox::StandardButtons buttons);
};
