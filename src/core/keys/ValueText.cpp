#include "keys/ValueText.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <vector>

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

// One term of a polynomial in the letters a to z with a rational coefficient.
struct Term {
    std::array<int, 26> power{};
    int degree = 0;
    GiNaC::numeric c = 1;
};

bool factorOf(const GiNaC::ex& f, Term& t) {
    if (GiNaC::is_a<GiNaC::numeric>(f)) {
        const GiNaC::numeric n = GiNaC::ex_to<GiNaC::numeric>(f);
        if (!n.is_rational()) return false;
        t.c *= n;
        return true;
    }
    GiNaC::ex base = f;
    int n = 1;
    if (GiNaC::is_a<GiNaC::power>(f)) {
        if (!f.op(1).info(GiNaC::info_flags::posint)) return false;
        base = f.op(0);
        n = GiNaC::ex_to<GiNaC::numeric>(f.op(1)).to_int();
    }
    if (!GiNaC::is_a<GiNaC::symbol>(base)) return false;
    const std::string& name = GiNaC::ex_to<GiNaC::symbol>(base).get_name();
    if (name.size() != 1 || name[0] < 'a' || name[0] > 'z') return false;
    t.power[static_cast<std::size_t>(name[0] - 'a')] += n;
    t.degree += n;
    return true;
}

// The terms of an expanded polynomial; false when it is not one.
bool termsOf(const GiNaC::ex& e, std::vector<Term>& out) {
    auto term = [&out](const GiNaC::ex& t) {
        Term one;
        if (GiNaC::is_a<GiNaC::mul>(t)) {
            for (std::size_t k = 0; k < t.nops(); ++k)
                if (!factorOf(t.op(k), one)) return false;
        } else if (!factorOf(t, one)) {
            return false;
        }
        out.push_back(one);
        return true;
    };
    if (!GiNaC::is_a<GiNaC::add>(e)) return term(e);
    for (std::size_t k = 0; k < e.nops(); ++k)
        if (!term(e.op(k))) return false;
    return true;
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
    std::vector<Term> terms;
    if (!termsOf(GiNaC::expand(v), terms)) {
        std::ostringstream s;
        s << v;
        return s.str();
    }
    std::sort(terms.begin(), terms.end(), [](const Term& a, const Term& b) {
        if (a.degree != b.degree) return a.degree > b.degree;
        return a.power > b.power; // x before y, x^2 before xy
    });
    std::string out;
    for (const Term& t : terms) {
        if (t.c.is_zero()) continue;
        const GiNaC::numeric a = GiNaC::abs(t.c);
        std::string text;
        if (t.degree == 0 || !a.is_equal(GiNaC::numeric(1))) text = NumberText(a, form);
        for (std::size_t k = 0; k < t.power.size(); ++k) {
            if (t.power[k] == 0) continue;
            text += static_cast<char>('a' + k);
            if (t.power[k] > 1) text += "^" + std::to_string(t.power[k]);
        }
        if (t.c.is_negative())
            out += "-" + text;
        else
            out += (out.empty() ? "" : "+") + text;
    }
    return out.empty() ? "0" : out;
}

} // namespace keys
