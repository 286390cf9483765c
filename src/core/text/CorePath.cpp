#include "text/CorePath.h"

#include "text/Sjis.h"

std::string OutsideCourseText(const std::string& name) {
    return name + J(":コースのフォルダの外を指しています");
}

namespace corepath {

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool isDrive(std::string_view s) {
    return s.size() >= 2 && s[1] == ':' &&
           ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z'));
}

} // namespace

std::string withSlashes(std::string_view text) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); i += sjis::charLen(out, i))
        if (out[i] == '\\') out[i] = '/';
    return out;
}

bool isAbsolute(std::string_view name) {
    return (!name.empty() && isSeparator(name.front())) || isDrive(name);
}

bool staysInside(std::string_view relative) {
    if (isAbsolute(relative)) return false;
    // A broken double-byte character could hide a "/" that the file system still sees.
    if (!sjis::wellFormed(relative)) return false;
    long depth = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= relative.size();) {
        if (i < relative.size() && static_cast<unsigned char>(relative[i]) < 0x20) return false;
        if (i == relative.size() || isSeparator(relative[i])) {
            const std::string_view part = relative.substr(start, i - start);
            if (part == "..") {
                if (--depth < 0) return false;
            } else if (!part.empty() && part != ".") {
                ++depth;
            }
            start = i + 1;
            ++i;
            continue;
        }
        i += sjis::charLen(relative, i);
    }
    return true;
}

} // namespace corepath
