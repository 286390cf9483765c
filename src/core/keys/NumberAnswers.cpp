#include "keys/NumberAnswers.h"

#include <algorithm>
#include <exception>

#include "keys/KeyAnalysis.h"
#include "keys/ReadingText.h"

namespace keys {

namespace {

// Rationals of 128-bit parts kept in lowest terms and below 2^62, so that a product or a
// sum of two never overflows; anything larger is given up (and worked out exactly instead).
struct Small {
    __int128 n = 0, d = 1;
};
constexpr __int128 Bound = static_cast<__int128>(1) << 62;

__int128 gcd128(__int128 a, __int128 b) {
    if (a < 0) a = -a;
    if (b < 0) b = -b;
    while (b != 0) {
        const __int128 t = a % b;
        a = b;
        b = t;
    }
    return a;
}

bool normal(__int128 n, __int128 d, Small& out) {
    if (d == 0) return false;
    if (d < 0) {
        n = -n;
        d = -d;
    }
    const __int128 g = gcd128(n, d);
    if (g > 1) {
        n /= g;
        d /= g;
    }
    if (n >= Bound || n <= -Bound || d >= Bound) return false;
    out = {n, d};
    return true;
}

bool add(const Small& a, const Small& b, Small& out) {
    return normal(a.n * b.d + b.n * a.d, a.d * b.d, out);
}
bool sub(const Small& a, const Small& b, Small& out) {
    return normal(a.n * b.d - b.n * a.d, a.d * b.d, out);
}
bool mul(const Small& a, const Small& b, Small& out) {
    return normal(a.n * b.n, a.d * b.d, out);
}
bool div(const Small& a, const Small& b, Small& out) {
    return b.n != 0 && normal(a.n * b.d, a.d * b.n, out);
}

GiNaC::numeric exact(const Small& v) {
    return GiNaC::numeric(static_cast<long>(v.n)) / GiNaC::numeric(static_cast<long>(v.d));
}

} // namespace

NumberAnswers::NumberAnswers(const Question& q, std::string_view instruction) {
    try {
        const NumberSystem system = AnalyseNumberSystem(q, instruction);
        if (!system.ok) return;
        numbers_ = system.numbers;
        unknowns_ = system.unknowns;
        for (const std::vector<GiNaC::ex>& row : system.rows) {
            rows_.emplace_back();
            for (const GiNaC::ex& e : row) {
                const GiNaC::ex nd = GiNaC::numer_denom(e);
                Entry entry;
                if (!compile(GiNaC::expand(nd.op(0)), entry.numerator) ||
                    !compile(GiNaC::expand(nd.op(1)), entry.denominator))
                    return;
                rows_.back().push_back(std::move(entry));
            }
        }
        usable_ = !rows_.empty() && rows_.size() == unknowns_.size();
    } catch (const std::exception&) {
        usable_ = false;
    }
}

// A polynomial in the number symbols with rational factors, as a list of terms.
bool NumberAnswers::compile(const GiNaC::ex& e, Polynomial& out) {
    auto symbolIndex = [this](const GiNaC::ex& s, std::size_t& k) {
        for (k = 0; k < numbers_; ++k)
            if (s.is_equal(NumberSymbol(static_cast<int>(k)))) return true;
        return false;
    };
    auto term = [&](const GiNaC::ex& t) {
        Term out1{GiNaC::numeric(1), {1, 1}, {}};
        auto factor = [&](const GiNaC::ex& f) {
            if (GiNaC::is_a<GiNaC::numeric>(f)) {
                const GiNaC::numeric& n = GiNaC::ex_to<GiNaC::numeric>(f);
                if (!n.is_rational()) return false;
                out1.factor = out1.factor * n;
                const GiNaC::numeric limit(1L << 62);
                if (GiNaC::abs(out1.factor.numer()) < limit && out1.factor.denom() < limit)
                    out1.small = {out1.factor.numer().to_long(), out1.factor.denom().to_long()};
                else
                    small_ = false;
                return true;
            }
            std::size_t k = 0;
            if (GiNaC::is_a<GiNaC::symbol>(f) && symbolIndex(f, k)) {
                out1.powers.push_back({k, 1});
                return true;
            }
            if (GiNaC::is_a<GiNaC::power>(f) && GiNaC::is_a<GiNaC::numeric>(f.op(1)) &&
                GiNaC::ex_to<GiNaC::numeric>(f.op(1)).is_pos_integer() &&
                GiNaC::ex_to<GiNaC::numeric>(f.op(1)) <= 8 && symbolIndex(f.op(0), k)) {
                out1.powers.push_back({k, GiNaC::ex_to<GiNaC::numeric>(f.op(1)).to_long()});
                return true;
            }
            return false;
        };
        bool ok = true;
        if (GiNaC::is_a<GiNaC::mul>(t)) {
            for (std::size_t i = 0; i < t.nops() && ok; ++i)
                ok = factor(t.op(i));
        } else {
            ok = factor(t);
        }
        if (ok) out.push_back(std::move(out1));
        return ok;
    };
    if (GiNaC::is_a<GiNaC::add>(e)) {
        for (std::size_t i = 0; i < e.nops(); ++i)
            if (!term(e.op(i))) return false;
        return true;
    }
    return e.is_zero() || term(e);
}

GiNaC::numeric NumberAnswers::value(const Polynomial& p,
                                    const std::vector<GiNaC::numeric>& numbers) {
    GiNaC::numeric sum(0);
    for (const Term& t : p) {
        GiNaC::numeric v = t.factor;
        for (const auto& [k, exponent] : t.powers)
            for (long e = 0; e < exponent; ++e)
                v = v * numbers[k];
        sum = sum + v;
    }
    return sum;
}

std::optional<std::vector<std::pair<char, GiNaC::numeric>>>
NumberAnswers::solve(const std::vector<SmallRatio>& numbers) const {
    if (!usable_ || numbers.size() != numbers_) return std::nullopt;
    auto exactly = [&]() {
        std::vector<GiNaC::numeric> all;
        for (const SmallRatio& r : numbers)
            all.push_back(GiNaC::numeric(r.numerator) / GiNaC::numeric(r.denominator));
        return solve(all);
    };
    if (!small_) return exactly();
    std::vector<Small> given;
    for (const SmallRatio& r : numbers) {
        Small v;
        if (!normal(r.numerator, r.denominator, v)) return exactly();
        given.push_back(v);
    }
    auto value = [&](const Polynomial& p, Small& out) {
        out = {0, 1};
        for (const Term& t : p) {
            Small v{t.small.numerator, t.small.denominator};
            for (const auto& [k, exponent] : t.powers)
                for (long e = 0; e < exponent; ++e)
                    if (!mul(v, given[k], v)) return false;
            if (!add(out, v, out)) return false;
        }
        return true;
    };
    const std::size_t n = unknowns_.size();
    std::vector<std::vector<Small>> m(n);
    for (std::size_t r = 0; r < n; ++r)
        for (const Entry& e : rows_[r]) {
            Small num, den, q;
            if (!value(e.denominator, den) || !value(e.numerator, num)) return exactly();
            if (den.n == 0) return std::nullopt;
            if (!div(num, den, q)) return exactly();
            m[r].push_back(q);
        }
    std::vector<std::pair<char, GiNaC::numeric>> out;
    if (n == 1) {
        Small x;
        if (m[0][0].n == 0) return std::nullopt;
        if (!div(m[0][1], m[0][0], x)) return exactly();
        out.push_back({unknowns_[0], exact(x)});
        return out;
    }
    Small p, q, det, a, b, x, y;
    if (!mul(m[0][0], m[1][1], p) || !mul(m[0][1], m[1][0], q) || !sub(p, q, det))
        return exactly();
    if (det.n == 0) return std::nullopt;
    if (!mul(m[0][2], m[1][1], p) || !mul(m[0][1], m[1][2], q) || !sub(p, q, a) ||
        !mul(m[0][0], m[1][2], p) || !mul(m[0][2], m[1][0], q) || !sub(p, q, b) ||
        !div(a, det, x) || !div(b, det, y))
        return exactly();
    out.push_back({unknowns_[0], exact(x)});
    out.push_back({unknowns_[1], exact(y)});
    return out;
}

std::optional<std::vector<std::pair<char, GiNaC::numeric>>>
NumberAnswers::solve(const std::vector<GiNaC::numeric>& numbers) const {
    if (!usable_ || numbers.size() != numbers_) return std::nullopt;
    const std::size_t n = unknowns_.size();
    std::vector<std::vector<GiNaC::numeric>> m(n);
    for (std::size_t r = 0; r < n; ++r)
        for (const Entry& e : rows_[r]) {
            const GiNaC::numeric d = value(e.denominator, numbers);
            if (d.is_zero()) return std::nullopt;
            m[r].push_back(value(e.numerator, numbers) / d);
        }
    std::vector<std::pair<char, GiNaC::numeric>> out;
    if (n == 1) {
        if (m[0][0].is_zero()) return std::nullopt;
        out.push_back({unknowns_[0], m[0][1] / m[0][0]});
        return out;
    }
    const GiNaC::numeric det = m[0][0] * m[1][1] - m[0][1] * m[1][0];
    if (det.is_zero()) return std::nullopt;
    out.push_back({unknowns_[0], (m[0][2] * m[1][1] - m[0][1] * m[1][2]) / det});
    out.push_back({unknowns_[1], (m[0][0] * m[1][2] - m[0][2] * m[1][0]) / det});
    return out;
}

std::optional<GiNaC::numeric> WrittenNumber(std::string_view written) {
    const std::optional<SmallRatio> r = WrittenRatio(written);
    if (!r) return std::nullopt;
    return r->denominator == 1 ? GiNaC::numeric(r->numerator)
                               : GiNaC::numeric(r->numerator) / GiNaC::numeric(r->denominator);
}

std::optional<SmallRatio> WrittenRatio(std::string_view written) {
    const bool plain = written.find_first_not_of("0123456789.") == std::string_view::npos;
    const std::string reading = plain ? std::string() : MakeReadingText(written).text;
    const std::string_view a = plain ? written : std::string_view(reading);
    const std::size_t dot = a.find('.');
    const std::size_t whole = std::min(dot, a.size());
    const std::size_t places = dot == std::string_view::npos ? 0 : a.size() - dot - 1;
    if (whole == 0 || whole + places > 18 || (dot != std::string_view::npos && places == 0))
        return std::nullopt;
    long digits = 0, scale = 1;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (i == dot) continue;
        if (a[i] < '0' || a[i] > '9') return std::nullopt;
        digits = digits * 10 + (a[i] - '0');
        if (i > dot && dot != std::string_view::npos) scale *= 10;
    }
    return SmallRatio{digits, scale};
}

} // namespace keys
