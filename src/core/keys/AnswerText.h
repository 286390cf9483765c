#pragma once
// The answers between "#" pairs as keys: the alternatives after ";" and the value each
// one gives ("7", "x=4", "-3/7", "0.5", "y=2x+1").

#include <ginac/ginac.h>

#include <string_view>
#include <vector>

#include "keys/ValueText.h"

namespace keys {

// The text between a "#" pair cut at every ";": the main answer first.
std::vector<std::string_view> Alternatives(std::string_view answer);

struct KeyValue {
    bool ok = false;
    char letter = 0; // the letter it names ("x=4"), or 0
    GiNaC::ex value;
    unsigned letters = 0;                   // letters the value holds (bit n for 'a' + n)
    NumberForm form = NumberForm::Fraction; // Decimal when written with a point
};

// Reads one alternative as written (Shift-JIS, full-width signs and blanks allowed).
KeyValue ReadKeyValue(std::string_view alternative);

} // namespace keys
