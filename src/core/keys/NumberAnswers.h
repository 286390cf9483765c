#pragma once
// The answers of an equation or a pair of equations worked out from its numbers by rational
// arithmetic alone: the question is read once with its numbers as symbols, and each set of
// new numbers is then put into the coefficients and the system solved by Cramer's rule. A
// similar question judges its drawn numbers this way before reading and checking them in
// full, which most draws never reach.

#include <ginac/ginac.h>

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "keys/UnitQuestions.h"

namespace keys {

// A number as written, a ratio of whole numbers: 0.25 is 25/100.
struct SmallRatio {
    long numerator = 0, denominator = 1;
};

class NumberAnswers {
  public:
    NumberAnswers(const Question& q, std::string_view instruction);
    // Whether the question is an equation or a pair whose coefficients are known this way.
    bool usable() const { return usable_; }
    std::size_t numberCount() const { return numbers_; }
    // Each unknown and its value with these numbers (indexed as QuestionAnalysis::numbers);
    // nothing when the system has no single solution or divides by zero.
    std::optional<std::vector<std::pair<char, GiNaC::numeric>>>
    solve(const std::vector<GiNaC::numeric>& numbers) const;
    // The same, in machine arithmetic while the numbers stay small (most draws), exactly
    // otherwise.
    std::optional<std::vector<std::pair<char, GiNaC::numeric>>>
    solve(const std::vector<SmallRatio>& numbers) const;

  private:
    struct Term {
        GiNaC::numeric factor;
        SmallRatio small; // the factor, when it fits
        std::vector<std::pair<std::size_t, long>> powers; // number index, exponent
    };
    using Polynomial = std::vector<Term>;
    struct Entry {
        Polynomial numerator, denominator;
    };
    bool compile(const GiNaC::ex& e, Polynomial& out);
    static GiNaC::numeric value(const Polynomial& p, const std::vector<GiNaC::numeric>& numbers);

    bool usable_ = false;
    bool small_ = true; // every factor fits a SmallRatio
    std::size_t numbers_ = 0;
    std::vector<char> unknowns_;
    std::vector<std::vector<Entry>> rows_;
};

// The value of a number as written ("12", "0.25", full-width digits); nothing otherwise.
std::optional<SmallRatio> WrittenRatio(std::string_view written);
std::optional<GiNaC::numeric> WrittenNumber(std::string_view written);

} // namespace keys
