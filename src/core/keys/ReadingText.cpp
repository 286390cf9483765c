#include "keys/ReadingText.h"

#include "text/Sjis.h"

namespace keys {

namespace {

// The half-width reading of a full-width character (lead and trail byte), or nullptr.
const char* halfWidth(unsigned char lead, unsigned char trail) {
    static const char* const digits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    static const char* const upper[] = {"A", "B", "C", "D", "E", "F", "G", "H", "I",
                                        "J", "K", "L", "M", "N", "O", "P", "Q", "R",
                                        "S", "T", "U", "V", "W", "X", "Y", "Z"};
    static const char* const lower[] = {"a", "b", "c", "d", "e", "f", "g", "h", "i",
                                        "j", "k", "l", "m", "n", "o", "p", "q", "r",
                                        "s", "t", "u", "v", "w", "x", "y", "z"};
    if (lead == 0x82) {
        if (trail >= 0x4F && trail <= 0x58) return digits[trail - 0x4F];
        if (trail >= 0x60 && trail <= 0x79) return upper[trail - 0x60];
        if (trail >= 0x81 && trail <= 0x9A) return lower[trail - 0x81];
        return nullptr;
    }
    if (lead != 0x81) return nullptr;
    switch (trail) {
    case 0x40:
        return "  "; // full-width space: as wide as two blanks
    case 0x43:
        return ",";
    case 0x44:
        return ".";
    case 0x46:
        return ":";
    case 0x47:
        return ";";
    case 0x48:
        return "?";
    case 0x49:
        return "!";
    case 0x4F:
        return "^";
    case 0x51:
        return "_";
    case 0x5D:
        return "-"; // hyphen
    case 0x5E:
        return "/";
    case 0x5F:
        return "\\";
    case 0x62:
        return "|";
    case 0x69:
        return "(";
    case 0x6A:
        return ")";
    case 0x6D:
        return "[";
    case 0x6E:
        return "]";
    case 0x6F:
        return "{";
    case 0x70:
        return "}";
    case 0x7B:
        return "+";
    case 0x7C:
        return "-"; // full-width minus
    case 0x7E:
        return "*"; // times sign
    case 0x80:
        return "\\"; // division sign
    case 0x81:
        return "=";
    case 0x83:
        return "<";
    case 0x84:
        return ">";
    case 0x85:
        return "<=";
    case 0x86:
        return ">=";
    case 0x95:
        return "&";
    case 0x96:
        return "*";
    default:
        return nullptr;
    }
}

} // namespace

SourceSpan ReadingText::source(std::size_t start, std::size_t end) const {
    if (start >= end || end > from.size()) return {};
    return {from[start].start, from[end - 1].end};
}

ReadingText MakeReadingText(std::string_view source, std::size_t base) {
    ReadingText r;
    r.text.reserve(source.size());
    r.from.reserve(source.size());
    auto put = [&r](std::string_view s, std::size_t at, std::size_t len) {
        for (char c : s) {
            r.text += c;
            r.from.push_back(
                {static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(at + len)});
        }
    };
    for (std::size_t i = 0; i < source.size();) {
        const std::size_t len = sjis::charLen(source, i);
        const auto b = static_cast<unsigned char>(source[i]);
        if (b == '@') {
            // A style code: "@" and the one character after it. The formula is drawn in
            // separate pieces on either side, so it reads as a gap between two items.
            const std::size_t code = i + 1 < source.size() ? sjis::charLen(source, i + 1) : 0;
            put("  ", base + i, 1 + code);
            i += 1 + code;
            continue;
        }
        if (len == 2) {
            const char* half = halfWidth(b, static_cast<unsigned char>(source[i + 1]));
            put(half ? std::string_view(half) : source.substr(i, 2), base + i, 2);
        } else {
            put(source.substr(i, 1), base + i, 1);
        }
        i += len;
    }
    return r;
}

bool HasWideCharacter(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

} // namespace keys
