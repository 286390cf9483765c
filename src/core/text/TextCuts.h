#pragma once
// Cutting, padding and reading small pieces of text: answers between "#" signs, accepted
// answers between ";" signs, names and extensions, numbers on block lines. Strings are
// Shift-JIS; lengths count bytes.

#include <string>
#include <string_view>
#include <vector>

#include "text/Lines.h"

// The extension of the file name (the part after the last "\" or "/"): "" when it holds
// no "."; otherwise everything from its last "." on, ASCII lower-cased ("test.v2.PRP"
// gives ".prp").
std::string ExtensionOf(const std::string& name);

// "True" or "False", as the blocks of a unit write flags.
std::string BoolText(bool b);

// Clears list; an empty text gives 0 and no items; otherwise adds the pieces between "#"
// signs (the last one too) and returns the number of "#" signs.
int SplitAtHash(const std::string& text, Lines& list);
// Clears list, adds the pieces between ";" signs and the last piece, returns the count.
int SplitAtSemicolon(const std::string& text, Lines& list);
// The same cuts as views into text, in a list the caller reuses (the page layout cuts
// every question line on every layout and allocates nothing per piece).
int SplitAtHash(std::string_view text, std::vector<std::string_view>& pieces);
int SplitAtSemicolon(std::string_view text, std::vector<std::string_view>& pieces);

// Removes ASCII blanks and control characters at both ends, then full-width spaces "　"
// at the start and the end, repeatedly.
std::string TrimWide(const std::string& text);
// The text when it is not shorter than reference; else the first len(reference) bytes of
// " " + text + twelve blanks (of twelve blanks for an empty text).
std::string PadToWidth(const std::string& text, const std::string& reference);
// The same into a string the caller reuses.
void PadToWidth(std::string_view text, std::string_view reference, std::string& out);

// The part of text after the last occurrence of c (Shift-JIS aware); text when c is absent.
std::string AfterLastChar(char c, const std::string& text);

// The decimal integer a block line holds (blanks around it and a leading "+" allowed),
// else fallback.
int DecimalOr(const std::string& text, int fallback);
