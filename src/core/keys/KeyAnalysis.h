#pragma once
// What the answers of one question must be, worked out exactly. Kinds read:
//  - an equation in one unknown ("2(x+3)=14", "[x+1]/3=4", "0.3x+1.2=2.7", "x:6=2:3");
//  - a pair of equations in two unknowns, on two lines or as "A=B=C";
//  - an expression to work out or simplify ("3+4*2=", under an instruction to calculate);
//  - a straight line through given points, or with a given slope or intercept, and the
//    slope and intercept of a given line ("傾き", "切片", "変化の割合", "増加量");
//  - any of these with values given for its letters ("x=-2, y=3 のとき、次の式の値",
//    "x=3 のときの y の値"): the values are put in before it is worked out.
// Anything else is not read: word problems, graphs, terms, ranges.

#include <ginac/ginac.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "keys/FormulaReader.h"
#include "keys/UnitQuestions.h"

namespace keys {

struct Expectation {
    enum class Status {
        Checked,        // values hold what the key must be
        NotChecked,     // the question is not read
        NoSolution,     // read, and nothing satisfies it
        Indeterminate,  // read, and more than one value satisfies it
        DivisionByZero, // read, and it divides by zero
    };
    Status status = Status::NotChecked;
    // What the key may give: a letter it may name ("x=4"; 0 when none) and the value. With
    // two entries the key must name its letter.
    std::vector<std::pair<char, GiNaC::ex>> values;
    unsigned letters = 0; // letters the value may hold (bit n for 'a' + n)
};

// A number of the question that a similar question may give another value.
struct QuestionNumber {
    int line = 0;
    SourceSpan span; // bytes of the line
    Literal::Role role = Literal::Role::Whole;
    int partner = -1;      // index of the other half of a fraction of whole numbers
    bool neverOne = false; // a coefficient or a denominator
};

enum class QuestionKind { None, Equation, Pair, Expression, Line };

struct QuestionAnalysis {
    QuestionKind kind = QuestionKind::None;
    std::vector<Expectation> blanks; // one per answer of the question, in order
    std::vector<QuestionNumber> numbers;
    std::vector<int> shape; // the shapes of its formulas (Formula::shape), in order
    std::string why;        // why the question is not read (for tests and traces)
};

// instruction: the reading text of the instruction line in force (may be empty).
QuestionAnalysis AnalyseQuestion(const Question& q, std::string_view instruction);

// The symbol that stands for the question's number k (its index in QuestionAnalysis::numbers).
const GiNaC::symbol& NumberSymbol(int k);

// The linear system of an equation or a pair of equations with each of its numbers that may
// change standing as NumberSymbol(k): a similar question's answers worked out from its new
// numbers by arithmetic alone. ok only for such questions read from their formulas (no values
// given for letters); then rows[r] holds the coefficients of the unknowns and the right-hand
// side of equation r.
struct NumberSystem {
    bool ok = false;
    std::vector<char> unknowns; // in order, 'a' to 'z'
    std::vector<std::vector<GiNaC::ex>> rows;
    std::size_t numbers = 0; // how many numbers the question has
};
NumberSystem AnalyseNumberSystem(const Question& q, std::string_view instruction);

} // namespace keys
