#pragma once
// What a question about a straight line says of it, read from the words teachers write:
// "傾きが 3 で、点 (1, 5) を通る直線", "2 点 (1, 3), (3, 7) を通る", "切片が -1 で",
// "直線 y=2x+1 に平行で", "x が 2 増えると y が 6 減り", "x=1 のとき y=5",
// "x が 1 から 4 まで増加するとき", or the line itself, "y=2x+5". Every word of the text
// must be one of these or a joining word ("で、", "を通る直線"); a text with any other
// word says something this does not know, and nothing is read from it.

#include <ginac/ginac.h>

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "keys/FormulaReader.h"

namespace keys {

struct LineFacts {
    std::optional<GiNaC::ex> slope, intercept;
    std::vector<std::pair<GiNaC::ex, GiNaC::ex>> points;
    std::optional<GiNaC::ex> given;                          // y = given, in x
    std::optional<std::pair<GiNaC::ex, GiNaC::ex>> interval; // x goes from first to second
    std::vector<Literal> literals;                           // numbers, with bytes of the text read
    int constraints() const {
        return (slope ? 1 : 0) + (intercept ? 1 : 0) + static_cast<int>(points.size());
    }
};

// Reads text (a reading text: half-width signs, blanks) into facts, adding to them.
// False when some word is not known.
bool ReadLineFacts(std::string_view text, LineFacts& facts);

// The line "y=..." named in an instruction ("y=2x-1 で、x が次のように増加するとき"), when it
// names exactly one.
std::optional<GiNaC::ex> LineInInstruction(std::string_view text);

} // namespace keys
