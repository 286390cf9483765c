#include "qt/ConsolePrompter.h"

#include "text/Sjis.h"

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
    const std::string utf8 = sjis::toUtf8(text);
    std::string line;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
        line += (utf8[i] == '\r' || utf8[i] == '\n') ? ' ' : utf8[i];
    }
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
