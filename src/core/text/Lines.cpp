#include "text/Lines.h"

namespace lines {

namespace {

// Calls take(line) for every line of bytes.
template <typename Take> void eachLine(std::string_view bytes, Take take) {
    const std::size_t n = bytes.size();
    std::size_t start = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const char c = bytes[i];
        if (static_cast<unsigned char>(c) > '\r' || (c != '\r' && c != '\n')) continue;
        take(bytes.substr(start, i - start));
        if (c == '\r' && i + 1 < n && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < n) take(bytes.substr(start));
}

} // namespace

Lines split(std::string_view bytes) {
    Lines out;
    eachLine(bytes, [&](std::string_view line) { out.emplace_back(line); });
    return out;
}

LineViews splitViews(std::string_view bytes) {
    LineViews out;
    eachLine(bytes, [&](std::string_view line) { out.push_back(line); });
    return out;
}

LineViews views(const Lines& list) {
    return LineViews(list.begin(), list.end());
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
