#include "qt/ConsolePrompter.h"

#include "text/CorePath.h"
#include "text/TerminalText.h"

namespace {
const char* answerText(int a) {
    switch (a) {
    case answer::Yes:
        return " [はい]";
    case answer::Cancel:
        return " [キャンセル]";
    default:
        return " [いいえ]";
    }
}
} // namespace

ConsolePrompter::ConsolePrompter(int answer, std::FILE* out)
    : answer_(answer == answer::Yes || answer == answer::Cancel ? answer : answer::No), out_(out) {}

void ConsolePrompter::print(const std::string& text, const char* suffix) {
    // One line per message: line breaks inside the text become blanks.
    std::string line = TerminalText(corepath::withSlashes(text));
    line += suffix;
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), out_);
    std::fflush(out_);
}

void ConsolePrompter::message(const std::string& text) {
    print(text, "");
}

int ConsolePrompter::askYesNo(const std::string& text) {
    const int a = answer_ == answer::Yes ? answer::Yes : answer::No;
    print(text, answerText(a));
    return a;
}

int ConsolePrompter::askYesNoCancel(const std::string& text) {
    print(text, answerText(answer_));
    return answer_;
}
