#include "keys/NewNumbers.h"

#include <cstdlib>
#include <numeric>
#include <sstream>

#include "keys/AnswerText.h"
#include "keys/ReadingText.h"

namespace keys {

namespace {

// Full-width twins of the bytes keys and numbers are written with.
std::string wide(std::string_view ascii) {
    std::string out;
    for (char c : ascii) {
        if (c >= '0' && c <= '9') {
            out += '\x82';
            out += static_cast<char>(0x4F + (c - '0'));
        } else if (c >= 'a' && c <= 'z') {
            out += '\x82';
            out += static_cast<char>(0x81 + (c - 'a'));
        } else {
            const char* twin = nullptr;
            switch (c) {
            case '.':
                twin = "\x81\x44";
                break;
            case '-':
                twin = "\x81\x7C";
                break;
            case '+':
                twin = "\x81\x7B";
                break;
            case '/':
                twin = "\x81\x5E";
                break;
            case '=':
                twin = "\x81\x81";
                break;
            case '^':
                twin = "\x81\x4F";
                break;
            default:
                break;
            }
            if (twin)
                out += twin;
            else
                out += c;
        }
    }
    return out;
}

bool isWide(std::string_view s) {
    return HasWideCharacter(s);
}

// The half-width reading of a number as written.
std::string ascii(std::string_view written) {
    return MakeReadingText(written).text;
}

std::string digits(std::size_t count, SeededRandom& random, bool leadingZero, bool lastNonZero) {
    std::string s;
    for (std::size_t k = 0; k < count; ++k) {
        const bool first = k == 0, last = k + 1 == count;
        const std::uint64_t lo = (first && !leadingZero) || (last && lastNonZero) ? 1 : 0;
        s += static_cast<char>('0' + random.between(lo, 9));
    }
    return s;
}

bool allZero(std::string_view s) {
    return s.find_first_not_of("0.") == std::string_view::npos;
}

std::size_t digitCount(const GiNaC::numeric& n) {
    // Whole numbers that fit a long are counted without printing them.
    static const GiNaC::numeric limit(1000000000000000000L);
    if (n.is_integer() && GiNaC::abs(n) < limit) {
        long v = std::labs(n.to_long());
        std::size_t count = 1;
        while (v >= 10) {
            v /= 10;
            ++count;
        }
        return count;
    }
    std::ostringstream s;
    s << GiNaC::abs(n);
    return s.str().size();
}

} // namespace

std::string InWidthOf(std::string_view written, std::string_view ascii) {
    return isWide(written) ? wide(ascii) : std::string(ascii);
}

std::string NewWhole(std::string_view written, SeededRandom& random, bool neverOne) {
    const std::string a = ascii(written);
    if (a.empty() || a.size() > 18 || allZero(a) ||
        a.find_first_not_of("0123456789") != std::string::npos)
        return std::string(written);
    std::string d = digits(a.size(), random, false, false);
    while (neverOne && d == "1")
        d = digits(1, random, false, false);
    return isWide(written) ? wide(d) : d;
}

std::string NewDecimal(std::string_view written, SeededRandom& random) {
    const std::string a = ascii(written);
    const std::size_t dot = a.find('.');
    if (dot == std::string::npos || a.size() > 18 || allZero(a)) return std::string(written);
    const std::string whole = a.substr(0, dot), part = a.substr(dot + 1);
    const std::string w = allZero(whole) ? whole : digits(whole.size(), random, false, false);
    const std::string d = w + "." + digits(part.size(), random, true, true);
    return isWide(written) ? wide(d) : d;
}

void NewFraction(std::string_view numerator, std::string_view denominator, SeededRandom& random,
                 std::string& newNumerator, std::string& newDenominator) {
    newNumerator = std::string(numerator);
    newDenominator = std::string(denominator);
    const std::string n = ascii(numerator), d = ascii(denominator);
    if (n.size() > 9 || d.size() > 9 || allZero(n) || allZero(d)) return;
    const unsigned long on = std::stoul(n), od = std::stoul(d);
    const bool proper = on < od, lowest = std::gcd(on, od) == 1;
    for (int attempt = 0; attempt < 64; ++attempt) {
        const std::string tn = digits(n.size(), random, false, false);
        const std::string td = digits(d.size(), random, false, false);
        const unsigned long vn = std::stoul(tn), vd = std::stoul(td);
        if (vd < 2 || vn == vd || (vn < vd) != proper || (lowest && std::gcd(vn, vd) != 1))
            continue;
        newNumerator = isWide(numerator) ? wide(tn) : tn;
        newDenominator = isWide(denominator) ? wide(td) : td;
        return;
    }
}

bool AsSimpleAs(const GiNaC::ex& original, const GiNaC::ex& now, int decimalPlaces) {
    if (!GiNaC::is_a<GiNaC::numeric>(original) || !GiNaC::is_a<GiNaC::numeric>(now)) return false;
    const GiNaC::numeric o = GiNaC::ex_to<GiNaC::numeric>(original);
    const GiNaC::numeric n = GiNaC::ex_to<GiNaC::numeric>(now);
    if (!o.is_rational() || !n.is_rational()) return false;
    if (o.is_zero()) return n.is_integer() && digitCount(n) <= 1;
    if (n.is_zero() || n.is_negative() != o.is_negative()) return false;
    if (o.is_integer()) return n.is_integer() && digitCount(n) <= digitCount(o);
    if (n.is_integer()) return false;
    const GiNaC::numeric one(1);
    if ((GiNaC::abs(o) < one) != (GiNaC::abs(n) < one)) return false;
    if (n.denom() > GiNaC::numeric(std::max(9L, o.denom().to_long()))) return false;
    if (digitCount(n.numer()) > digitCount(o.numer())) return false;
    if (decimalPlaces >= 0 && (!HasFiniteDecimal(n) || DecimalPlaces(n) > decimalPlaces))
        return false;
    return true;
}

std::optional<std::string> RewriteAlternative(std::string_view alternative,
                                              const GiNaC::ex& value) {
    // Blanks around the value stay as they are.
    std::size_t from = 0, to = alternative.size();
    auto blankAt = [&](std::size_t i) {
        return alternative[i] == ' ' || (i + 1 < alternative.size() && alternative[i] == '\x81' &&
                                         alternative[i + 1] == '\x40');
    };
    while (from < to && blankAt(from))
        from += alternative[from] == ' ' ? 1 : 2;
    while (to > from && alternative[to - 1] == ' ')
        --to;
    while (to >= from + 2 && alternative[to - 2] == '\x81' && alternative[to - 1] == '\x40')
        to -= 2;
    const std::string_view core = alternative.substr(from, to - from);
    const KeyValue k = ReadKeyValue(core);
    if (!k.ok) return std::nullopt;
    const std::string text =
        (k.letter ? std::string(1, k.letter) + "=" : std::string()) + ValueText(value, k.form);
    return std::string(alternative.substr(0, from)) + (isWide(core) ? wide(text) : text) +
           std::string(alternative.substr(to));
}

int WrittenDecimalPlaces(std::string_view alternative) {
    const std::string a = ascii(alternative);
    int places = -1;
    for (std::size_t dot = a.find('.'); dot != std::string::npos; dot = a.find('.', dot + 1)) {
        int n = 0;
        for (std::size_t i = dot + 1; i < a.size() && a[i] >= '0' && a[i] <= '9'; ++i)
            ++n;
        places = std::max(places, n);
    }
    return places;
}

} // namespace keys
