#pragma once
// Exact values written in the course's notation, as a teacher writes keys: 7, -3/7, 4.5,
// 3x+2, 1/2x-2, -x, -0.6x+18, x^2-1.

#include <ginac/ginac.h>

#include <string>

namespace keys {

enum class NumberForm {
    Fraction, // 9/2
    Decimal,  // 4.5 (a fraction when it has no finite decimal)
};

// True when v has a finite decimal expansion.
bool HasFiniteDecimal(const GiNaC::numeric& v);
// Places after the point of v's finite decimal expansion (0 for whole numbers).
int DecimalPlaces(const GiNaC::numeric& v);

std::string NumberText(const GiNaC::numeric& v, NumberForm form = NumberForm::Fraction);

// A value: a number, or a polynomial with rational coefficients, highest degree first and
// within a degree in the order of the alphabet (3x+2y, x^2-2xy+y^2, 1/2a-3). Anything else
// is written as the algebra library prints it.
std::string ValueText(const GiNaC::ex& v, NumberForm form = NumberForm::Fraction);

} // namespace keys
