#include "text/TextCuts.h"

#include <charconv>

#include "text/Sjis.h"

namespace {

bool isFullWidthSpace(const std::string& s, std::size_t pos) {
    return pos + 1 < s.size() && s[pos] == '\x81' && s[pos + 1] == '\x40';
}

int toLines(int result, const std::vector<std::string_view>& pieces, Lines& list) {
    list.assign(pieces.begin(), pieces.end());
    return result;
}

} // namespace

std::string ExtensionOf(const std::string& name) {
    // Only the file name counts: folder names may hold dots.
    std::size_t start = 0;
    for (std::size_t i = 0; i < name.size(); i += sjis::charLen(name, i))
        if (name[i] == '\\' || name[i] == '/') start = i + 1;
    std::size_t dot = std::string::npos;
    for (std::size_t i = start; i < name.size(); i += sjis::charLen(name, i))
        if (name[i] == '.') dot = i;
    if (dot == std::string::npos) return {};
    return sjis::asciiLower(name.substr(dot));
}

std::string BoolText(bool b) {
    return b ? "True" : "False";
}

int SplitAtHash(std::string_view text, std::vector<std::string_view>& pieces) {
    pieces.clear();
    if (text.empty()) return 0;
    int count = 0;
    std::size_t start = 0;
    for (;;) {
        std::size_t hash = text.find('#', start); // "#" is never a trail byte
        if (hash == std::string_view::npos) break;
        pieces.push_back(text.substr(start, hash - start));
        ++count;
        start = hash + 1;
    }
    pieces.push_back(text.substr(start));
    return count;
}

int SplitAtSemicolon(std::string_view text, std::vector<std::string_view>& pieces) {
    pieces.clear();
    std::size_t start = 0;
    for (;;) {
        std::size_t semi = text.find(';', start); // ";" is never a trail byte
        if (semi == std::string_view::npos) break;
        pieces.push_back(text.substr(start, semi - start));
        start = semi + 1;
    }
    pieces.push_back(text.substr(start));
    return static_cast<int>(pieces.size());
}

int SplitAtHash(const std::string& text, Lines& list) {
    std::vector<std::string_view> pieces;
    return toLines(SplitAtHash(std::string_view(text), pieces), pieces, list);
}

int SplitAtSemicolon(const std::string& text, Lines& list) {
    std::vector<std::string_view> pieces;
    return toLines(SplitAtSemicolon(std::string_view(text), pieces), pieces, list);
}

std::string TrimWide(const std::string& text) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ')
        --e;
    std::string s = text.substr(b, e - b);
    std::size_t lead = 0;
    while (isFullWidthSpace(s, lead))
        lead += 2;
    s.erase(0, lead);
    // At the end, only a "　" that is a whole character counts: one walk from the start
    // finds where the run of such characters that ends the text begins.
    std::size_t run = 0;
    for (std::size_t i = 0; i < s.size(); i += sjis::charLen(s, i))
        if (!isFullWidthSpace(s, i) || sjis::charLen(s, i) != 2) run = i + sjis::charLen(s, i);
    s.erase(run);
    return s;
}

void PadToWidth(std::string_view text, std::string_view reference, std::string& out) {
    out.assign(text);
    if (text.size() >= reference.size()) return;
    if (!text.empty()) out.insert(out.begin(), ' ');
    out.append(12, ' ');
    if (out.size() > reference.size()) out.resize(reference.size());
}

std::string PadToWidth(const std::string& text, const std::string& reference) {
    std::string out;
    PadToWidth(std::string_view(text), std::string_view(reference), out);
    return out;
}

std::string AfterLastChar(char c, const std::string& text) {
    std::size_t pos = sjis::rfind(text, c);
    return pos == std::string::npos ? text : text.substr(pos + 1);
}

int DecimalOr(const std::string& text, int fallback) {
    std::size_t b = text.find_first_not_of(' ');
    if (b == std::string::npos) return fallback;
    const char* first = text.data() + b;
    const char* last = text.data() + text.find_last_not_of(' ') + 1;
    if (*first == '+') ++first;
    int v = 0;
    auto r = std::from_chars(first, last, v);
    return (r.ec == std::errc() && r.ptr == last) ? v : fallback;
}
