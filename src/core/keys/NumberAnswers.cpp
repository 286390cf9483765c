#include "keys/NumberAnswers.h"

#include <algorithm>
#include <exception>

#include "keys/KeyAnalysis.h"
#include "keys/ReadingText.h"

namespace keys {

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
bool NumberAnswers::compile(const GiNaC::ex& e, Polynomial& out) const {
    auto symbolIndex = [this](const GiNaC::ex& s, std::size_t& k) {
        for (k = 0; k < numbers_; ++k)
            if (s.is_equal(NumberSymbol(static_cast<int>(k)))) return true;
        return false;
    };
    auto term = [&](const GiNaC::ex& t) {
        Term out1{GiNaC::numeric(1), {}};
        auto factor = [&](const GiNaC::ex& f) {
            if (GiNaC::is_a<GiNaC::numeric>(f)) {
                const GiNaC::numeric& n = GiNaC::ex_to<GiNaC::numeric>(f);
                if (!n.is_rational()) return false;
                out1.factor = out1.factor * n;
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
    return scale == 1 ? GiNaC::numeric(digits) : GiNaC::numeric(digits) / GiNaC::numeric(scale);
}

} // namespace keys
