#pragma once
// Shift-JIS (code page 932) byte strings: every string in the core is one.
// Positions and lengths count bytes; a double-byte character is two.

#include <cstddef>
#include <string>
#include <string_view>

namespace sjis {

// A byte in 0x81..0x9F or 0xE0..0xFC starts a two-byte character.
inline bool isLead(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
inline bool isLead(char b) {
    return isLead(static_cast<unsigned char>(b));
}

// Byte length of the character that starts at pos (1 or 2; 1 for a lead byte at the end).
inline std::size_t charLen(std::string_view s, std::size_t pos) {
    return (isLead(s[pos]) && pos + 1 < s.size()) ? 2 : 1;
}

// First position >= from where the single-byte character c stands, skipping the trail
// bytes of double-byte characters ("表" is 0x95 0x5C and holds no backslash). Walks from
// the start of s to know where characters begin.
std::size_t find(std::string_view s, char c, std::size_t from = 0);
// The same when boundary is known to start a character (0, or a position this search or
// a character walk gave): walks from there only, so repeated searches stay linear.
std::size_t findFromBoundary(std::string_view s, char c, std::size_t boundary);
// Last such position, or npos.
std::size_t rfind(std::string_view s, char c);
// First position of a whole-character match of needle (needle itself Shift-JIS).
std::size_t findText(std::string_view s, std::string_view needle, std::size_t from = 0);

// True when every double-byte character of s is whole and has a valid second byte
// (0x40..0x7E or 0x80..0xFC): no lead byte at the end, none that takes a blank, "/" or
// another byte below 0x40 as its second half.
bool wellFormed(std::string_view s);
// True when the last character of s is a lead byte without its second half.
bool endsInLoneLead(std::string_view s);

// Conversions at the edges (CP932 mapping). Bytes that cannot be converted become
// U+FFFD on the way to UTF-8 and "?" on the way to Shift-JIS.
std::string toUtf8(std::string_view sjisText);
std::string fromUtf8(std::string_view utf8Text);
// True when the UTF-8 text converts to Shift-JIS without loss.
bool representable(std::string_view utf8Text);

// Lower-cases ASCII letters only; double-byte characters stay as they are.
std::string asciiLower(std::string_view s);
bool equalsIgnoreAsciiCase(std::string_view a, std::string_view b);

} // namespace sjis

// A message or keyword literal written in UTF-8 source, converted once to Shift-JIS
// and cached for the life of the program: J("ファイル ").
const std::string& J(const char* utf8Literal);
