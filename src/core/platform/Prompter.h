#pragma once
// Message boxes. Texts are Shift-JIS.

#include <string>

namespace answer {
constexpr int Yes = 6;
constexpr int No = 7;
constexpr int Cancel = 2;
} // namespace answer

class Prompter {
  public:
    virtual ~Prompter() = default;
    virtual void message(const std::string& text) = 0;
    // Returns answer::Yes or answer::No.
    virtual int askYesNo(const std::string& text) = 0;
    // Returns answer::Yes, answer::No or answer::Cancel.
    virtual int askYesNoCancel(const std::string& text) = 0;
};
