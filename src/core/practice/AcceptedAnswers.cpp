#include "practice/AcceptedAnswers.h"

#include <algorithm>

#include "text/Sjis.h"
#include "text/TextCuts.h"

namespace {

bool isControl(unsigned char b) {
    return b < 0x20 || b == 0x7F;
}

} // namespace

std::string CleanTypedAnswer(std::string_view typed) {
    std::string out;
    out.reserve(typed.size());
    for (std::size_t i = 0; i < typed.size();) {
        const std::size_t n = sjis::charLen(typed, i);
        const unsigned char b = static_cast<unsigned char>(typed[i]);
        if (n == 1 && isControl(b)) {
            out.push_back(' ');
            // CR LF is one line break.
            i += (b == '\r' && i + 1 < typed.size() && typed[i + 1] == '\n') ? 2 : 1;
            continue;
        }
        out.append(typed.substr(i, n));
        i += n;
    }
    std::size_t b = 0, e = out.size();
    while (b < e && static_cast<unsigned char>(out[b]) <= ' ')
        ++b;
    // A trail byte is never below 0x40, so the last byte alone tells a blank.
    while (e > b && static_cast<unsigned char>(out[e - 1]) <= ' ')
        --e;
    return out.substr(b, e - b);
}

std::string NormalizeAnswer(std::string_view answer) {
    return TrimWide(std::string(answer));
}

AcceptedAnswers::AcceptedAnswers(std::string_view storedText) {
    std::vector<std::string_view> pieces;
    SplitAtSemicolon(storedText, pieces);
    for (std::string_view piece : pieces) {
        std::string entry = NormalizeAnswer(piece);
        if (entry.empty()) continue;
        if (std::find(entries_.begin(), entries_.end(), entry) == entries_.end())
            entries_.push_back(std::move(entry));
    }
    if (!entries_.empty()) stored_ = NormalizeAnswer(storedText);
}

bool AcceptedAnswers::accepts(std::string_view typed) const {
    const std::string t = NormalizeAnswer(typed);
    if (t.empty()) return false;
    return std::find(entries_.begin(), entries_.end(), t) != entries_.end();
}
