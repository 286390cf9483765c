#pragma once
// Question text as the key checker reads it. Full-width digits, letters and signs, as an
// input method types them, become their half-width twins ("１２" 12, "－" -, "＝" =, "≦"
// <=, "×" *, "÷" \); a full-width space becomes two blanks, and so does a style code ("@" and
// the character after it), as it cuts the formula there. Every other character
// stays as it is. Each byte of the result remembers the bytes of the source it came from,
// so that a number found in the reading can be rewritten where the teacher wrote it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace keys {

struct SourceSpan {
    std::uint32_t start = 0, end = 0; // bytes of the source line
};

struct ReadingText {
    std::string text;
    std::vector<SourceSpan> from; // one per byte of text
    // The source bytes behind text bytes [start, end); empty when start == end.
    SourceSpan source(std::size_t start, std::size_t end) const;
};

// Reads source (Shift-JIS); base is added to every source offset (where source stands in
// its line).
ReadingText MakeReadingText(std::string_view source, std::size_t base = 0);

// True when text holds a double-byte character (Japanese words, other signs).
bool HasWideCharacter(std::string_view text);

} // namespace keys
