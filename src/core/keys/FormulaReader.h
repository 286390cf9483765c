#pragma once
// Reads one formula of the course's notation into exact expressions: numbers as
// rationals (a decimal 0.25 is 1/4), fractions, powers, brackets, signs and the letters a
// to z, with products written side by side (2x, 1/3x, 2(x+3)). A chain of relations
// ("x:6=2:3", "A=B=C", "E=") gives one side per part. The work per formula is bounded:
// long formulas, deep brackets, long numbers, high powers and products that would multiply
// out into too many terms are not read.
//
// GiNaC keeps reference counts without locks: the key checker runs on one thread at a time.

#include <ginac/ginac.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace keys {

// One symbol per letter a to z, the same for every formula read on this thread.
const GiNaC::symbol& LetterSymbol(char letter);

enum class Relation { Equal, Ratio, Less, Greater, LessEqual, GreaterEqual };

// A number as written: where it stands in the formula and the part it plays there.
struct Literal {
    enum class Role {
        Whole,       // a whole number
        Decimal,     // "0.25"
        Numerator,   // of a fraction of two whole numbers; partner is its denominator
        Denominator, // partner is its numerator
        Fixed,       // the base of a power, a part of a numerator joined with a tail
    };
    std::size_t start = 0, end = 0; // bytes of the formula
    Role role = Role::Whole;
    int partner = -1;
    // A coefficient (2x, 3(x+1)), a denominator, a factor or divisor (5*x, x÷3) or a term
    // of a ratio (x:6): 1 would read oddly.
    bool neverOne = false;
    // Numbers of one group (the lone terms of a proportion, the denominators of a formula)
    // that differ must go on differing: two equal ones would make the question another.
    int group = -1;
    GiNaC::ex value; // as read
};

struct Formula {
    bool ok = false;
    bool divisionByZero = false; // the formula divides by zero (then ok is false)
    std::string why;             // what could not be read (for tests and traces)
    std::vector<GiNaC::ex> sides;
    std::vector<Relation> relations; // between sides[k] and sides[k + 1]
    bool openEnd = false;            // "E=": nothing after the last relation
    std::vector<Literal> literals;
    unsigned letters = 0; // bit n for the letter 'a' + n
    bool letterInDenominator = false;
    int degree = 0; // an upper bound of the degree of any side
    // What makes the question what it is, beyond its numbers: which numbers of a group are
    // equal, which fractions with letters divide out. A similar question keeps it.
    std::vector<int> shape;
};

// Values read in place of some literals (by their index in Formula::literals).
using LiteralValues = std::map<int, GiNaC::ex>;

constexpr std::size_t MaxFormulaBytes = 300;
constexpr int MaxDigits = 40;
constexpr int MaxDepth = 20;
constexpr int MaxDegree = 8;
// The terms a side could have once multiplied out: (a+b+...+l)^8 has 75582.
constexpr double MaxTerms = 4000;

Formula ReadFormula(std::string_view formula, const LiteralValues* replace = nullptr);

} // namespace keys
