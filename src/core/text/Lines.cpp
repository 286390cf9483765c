#include "text/Lines.h"

namespace lines {

Lines split(std::string_view bytes) {
    Lines out;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < bytes.size()) {
        char c = bytes[i];
        if (c == '\r' || c == '\n') {
            out.emplace_back(bytes.substr(start, i - start));
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            start = i + 1;
        }
        ++i;
    }
    if (start < bytes.size()) out.emplace_back(bytes.substr(start));
    return out;
}

std::string join(const Lines& list) {
    std::size_t total = 0;
    for (const auto& l : list)
        total += l.size() + 2;
    std::string out;
    out.reserve(total);
    for (const auto& l : list) {
        out += l;
        out += "\r\n";
    }
    return out;
}

} // namespace lines
