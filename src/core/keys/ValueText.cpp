#include "keys/ValueText.h"

#include <sstream>

#include "keys/FormulaReader.h"

namespace keys {

namespace {

// The denominator of v without its factors 2 and 5, and how many of each it has.
GiNaC::numeric strip25(GiNaC::numeric d, int& twos, int& fives) {
    twos = fives = 0;
    const GiNaC::numeric two(2), five(5);
    while (GiNaC::mod(d, two).is_zero()) {
        d = d / two;
        ++twos;
    }
    while (GiNaC::mod(d, five).is_zero()) {
        d = d / five;
        ++fives;
    }
    return d;
}

std::string integerText(const GiNaC::numeric& v) {
    std::ostringstream s;
    s << v;
    return s.str();
}

} // namespace

bool HasFiniteDecimal(const GiNaC::numeric& v) {
    if (!v.is_rational()) return false;
    int twos = 0, fives = 0;
    return strip25(v.denom(), twos, fives).is_equal(GiNaC::numeric(1));
}

int DecimalPlaces(const GiNaC::numeric& v) {
    int twos = 0, fives = 0;
    strip25(v.denom(), twos, fives);
    return std::max(twos, fives);
}

std::string NumberText(const GiNaC::numeric& v, NumberForm form) {
    if (!v.is_rational()) {
        std::ostringstream s;
        s << v;
        return s.str();
    }
    if (v.is_integer()) return integerText(v);
    const std::string sign = v.is_negative() ? "-" : "";
    const GiNaC::numeric a = GiNaC::abs(v);
    if (form == NumberForm::Decimal && HasFiniteDecimal(a)) {
        const int places = DecimalPlaces(a);
        const GiNaC::numeric scaled = a * GiNaC::numeric(10).power(places);
        std::string digits = integerText(scaled);
        if (static_cast<int>(digits.size()) <= places)
            digits.insert(0, static_cast<std::size_t>(places) + 1 - digits.size(), '0');
        digits.insert(digits.size() - static_cast<std::size_t>(places), ".");
        return sign + digits;
    }
    return sign + integerText(a.numer()) + "/" + integerText(a.denom());
}

std::string ValueText(const GiNaC::ex& v, NumberForm form) {
    if (GiNaC::is_a<GiNaC::numeric>(v)) return NumberText(GiNaC::ex_to<GiNaC::numeric>(v), form);
    // The one letter of a polynomial.
    const GiNaC::ex e = GiNaC::expand(v);
    char letter = 0;
    for (char c = 'a'; c <= 'z'; ++c) {
        if (!e.has(LetterSymbol(c))) continue;
        if (letter) letter = '?';
        if (!letter) letter = c;
    }
    bool polynomial = letter && letter != '?' && e.is_polynomial(LetterSymbol(letter));
    std::string out;
    if (polynomial) {
        const GiNaC::symbol& s = LetterSymbol(letter);
        for (int k = e.degree(s); k >= 0 && polynomial; --k) {
            const GiNaC::ex c = e.coeff(s, k);
            if (!GiNaC::is_a<GiNaC::numeric>(c)) {
                polynomial = false;
                break;
            }
            const GiNaC::numeric n = GiNaC::ex_to<GiNaC::numeric>(c);
            if (n.is_zero()) continue;
            std::string term;
            const GiNaC::numeric a = GiNaC::abs(n);
            if (k == 0 || !a.is_equal(GiNaC::numeric(1))) term = NumberText(a, form);
            if (k > 0) term += letter;
            if (k > 1) term += "^" + std::to_string(k);
            if (n.is_negative())
                out += "-" + term;
            else
                out += (out.empty() ? "" : "+") + term;
        }
        if (polynomial) return out.empty() ? "0" : out;
    }
    std::ostringstream s;
    s << v;
    return s.str();
}

} // namespace keys
