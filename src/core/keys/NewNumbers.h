#pragma once
// The pieces a similar question is made of: numbers drawn anew in the place of the
// question's own, the answers' simplicity compared, and keys written in the forms the
// teacher used.

#include <ginac/ginac.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keys/FormulaReader.h"
#include "keys/SeededRandom.h"
#include "keys/ValueText.h"

namespace keys {

// A number as written ("12", "0.25", "１２") given a new value of the same kind and size,
// written in the same width. Zero and numbers too long to draw stay as they are.
// With neverOne (a coefficient, a denominator) the new number is not 1.
std::string NewWhole(std::string_view written, SeededRandom& random, bool neverOne = false);
std::string NewDecimal(std::string_view written, SeededRandom& random);
// ascii (digits, point) written in the width of `written`.
std::string InWidthOf(std::string_view written, std::string_view ascii);
// A fraction of whole numbers: proper stays proper, in lowest terms stays so.
void NewFraction(std::string_view numerator, std::string_view denominator, SeededRandom& random,
                 std::string& newNumerator, std::string& newDenominator);

// Whether a new answer is as simple as the original one: its sign stays; whole stays
// whole and no longer;
// a fraction stays one, proper or not as it was, with a denominator up to 9 (or the
// original's); with decimalPlaces >= 0 it must have a finite decimal of no more places.
bool AsSimpleAs(const GiNaC::ex& original, const GiNaC::ex& now, int decimalPlaces);

// One alternative of a key rewritten with a new value, keeping its blanks, its "x=", its
// fraction or decimal form and its width. Nothing when the alternative is not a value.
std::optional<std::string> RewriteAlternative(std::string_view alternative, const GiNaC::ex& value);

// Decimal places of an alternative written with a point, else -1.
int WrittenDecimalPlaces(std::string_view alternative);

} // namespace keys
