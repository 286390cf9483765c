#include "worksheet/Worksheet.h"

#include <utility>

#include "text/Sjis.h"
#include "text/TextCuts.h"

void Worksheet::setKranLines(Lines lines) {
    kranLines_ = std::move(lines);
    kranSettings_ = ReadKranSettings(kranLines_);
}

void Worksheet::setKranLine(KranLine line, std::string text) {
    const auto n = static_cast<std::size_t>(line);
    if (n >= kranLines_.size()) return;
    kranLines_[n] = std::move(text);
    kranSettings_ = ReadKranSettings(kranLines_);
}

int Worksheet::kran(int line) const {
    return line < 0 ? 0 : KranLineNumber(kranLines_, static_cast<std::size_t>(line));
}

std::string TooManyGraphsText(int count) {
    return std::to_string(count) + J(":問題のグラフが多すぎます");
}
