#pragma once
// Values a question gives its letters: "x=-2, y=3 のとき", "a=1/2 のときの", "x が 3 のとき",
// "x=3 を代入して", "x=3 を y=2x+1 に代入し", "x=2 が解であるとき". The letters of the question
// are then replaced by these values before it is worked out. Text that speaks of such
// values in a way not read here ("x の値が 3 のとき"), or that gives one letter's value under
// a condition on another ("x=1 のとき y=5", a point of a line), is marked, so that the
// question is not checked rather than checked wrongly.

#include <ginac/ginac.h>

#include <string_view>
#include <utility>
#include <vector>

#include "keys/FormulaReader.h"

namespace keys {

struct GivenValues {
    std::vector<std::pair<char, GiNaC::ex>> values;
    // Bytes of the text the phrases take, their words ("のとき", "を") included.
    std::vector<std::pair<std::size_t, std::size_t>> taken;
    // The numbers of the values, with bytes of the text (partners index this list).
    std::vector<Literal> literals;
    // The text speaks of values it does not give readably.
    bool unread = false;
    // It gives one letter's value under a condition on another ("x=1 のとき y=5").
    bool condition = false;
};

// Reads a reading text (half-width signs and blanks).
GivenValues ReadGivenValues(std::string_view text);

// Whether the wide text left beside a question's formulas says no more than which value
// is asked for ("の値", "で、", "に代入して", ...).
bool OnlyJoiningWords(std::string_view wide);

} // namespace keys
