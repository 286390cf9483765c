#include "keys/FormulaReader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <exception>
#include <optional>
#include <utility>

#include "keys/NotationItems.h"

namespace keys {

const GiNaC::symbol& LetterSymbol(char letter) {
    thread_local const std::array<GiNaC::symbol, 26> letters = [] {
        std::array<GiNaC::symbol, 26> s;
        for (int n = 0; n < 26; ++n)
            s[static_cast<std::size_t>(n)] =
                GiNaC::symbol(std::string(1, static_cast<char>('a' + n)));
        return s;
    }();
    return letters[static_cast<std::size_t>(letter - 'a')];
}

namespace {

using Kind = NotationItem::Kind;

// A value with rough bounds of its size: the degree in its letters and the bits of its
// numbers, so that nothing is expanded that would take long.
struct Val {
    GiNaC::ex e;
    int deg = 0;
    long bits = 1;
    double terms = 1; // at most this many terms once multiplied out
};

// Groups of numbers whose equalities make the shape of a formula.
constexpr int RatioTerms = 0;
constexpr int Denominators = 1;

// The terms of (t terms)^n multiplied out: at most the monomials of degree n in t
// variables, (t+n-1)! / (n! (t-1)!).
double powerTerms(double t, int n) {
    double r = 1;
    for (int k = 1; k <= n; ++k)
        r = r * (t + k - 1) / k;
    return r;
}

// Whether a fraction with letters divides out: every coefficient of numerator/denominator
// is a whole number ("[4x+2]/2").
bool dividesOut(const GiNaC::ex& numerator, const GiNaC::ex& denominator) {
    const GiNaC::ex q = GiNaC::expand(numerator / denominator);
    return q.integer_content().info(GiNaC::info_flags::integer);
}

constexpr long MaxBits = 4000;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool allDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), isDigit);
}

class Reader {
  public:
    Reader(std::string_view text, const LiteralValues* replace) : text_(text), replace_(replace) {}
    Formula run();

  private:
    bool fail(std::string why) {
        if (f_.why.empty()) f_.why = std::move(why);
        return false;
    }
    const NotationItem* peek() const { return pos_ < items_.size() ? &items_[pos_] : nullptr; }
    bool next(Kind k) const { return peek() && peek()->kind == k; }

    bool chain();
    bool side(Val& out);
    bool term(Val& out);
    bool jux(Val& out, int& factors);
    bool factor(Val& out);
    bool primary(Val& out, bool& powerable);

    // Runs drawn as one piece: a token, a numerator, a denominator.
    struct Run {
        std::string_view s;
        const std::vector<std::uint32_t>* at;
        std::size_t i = 0;
    };
    bool runValue(const std::string& s, const std::vector<std::uint32_t>& at, Val& out);
    bool runSum(Run& r, Val& out);
    bool runProduct(Run& r, Val& out);
    bool runJux(Run& r, Val& out, int& factors);
    bool runAtom(Run& r, Val& out);
    static void skipBlanks(Run& r) {
        while (r.i < r.s.size() && r.s[r.i] == ' ')
            ++r.i;
    }

    bool number(std::string_view digits, std::size_t start, std::size_t end, Val& out);
    bool letter(char c, Val& out);
    bool add(Val& a, const Val& b, bool minus);
    bool mul(Val& a, const Val& b);
    bool div(Val& a, const Val& b);
    bool power(Val& a, int n);
    void shapeOfGroups();
    bool deeper() {
        if (++depth_ > MaxDepth) return fail("brackets too deep");
        return true;
    }

    std::string_view text_;
    const LiteralValues* replace_;
    std::vector<NotationItem> items_;
    std::size_t pos_ = 0;
    int depth_ = 0;
    Formula f_;
};

Formula Reader::run() {
    if (text_.size() > MaxFormulaBytes) {
        fail("formula too long");
        return std::move(f_);
    }
    std::vector<NotationItem> all = ReadNotationItems(text_);
    // Blanks only space the pieces; "&" matters only in a mixed number (1&1/2).
    for (std::size_t k = 0; k < all.size(); ++k) {
        const Kind kind = all[k].kind;
        if (kind == Kind::Gap) continue;
        if (kind == Kind::Joiner && !(k > 0 && all[k - 1].kind == Kind::Token &&
                                      k + 1 < all.size() && all[k + 1].kind == Kind::Fraction))
            continue;
        items_.push_back(std::move(all[k]));
    }
    if (!items_.empty() && items_.back().kind == Kind::Bad) {
        fail("not drawn as written");
        return std::move(f_);
    }
    try {
        f_.ok = chain();
    } catch (const std::exception& e) {
        f_.ok = false;
        fail(e.what());
    }
    if (f_.divisionByZero) f_.ok = false;
    if (f_.ok) shapeOfGroups();
    return std::move(f_);
}

void Reader::shapeOfGroups() {
    for (int g : {RatioTerms, Denominators})
        for (std::size_t k = 0; k < f_.literals.size(); ++k) {
            if (f_.literals[k].group != g) continue;
            for (std::size_t l = k + 1; l < f_.literals.size(); ++l)
                if (f_.literals[l].group == g)
                    f_.shape.push_back(f_.literals[k].value.is_equal(f_.literals[l].value));
        }
}

bool Reader::chain() {
    if (items_.empty()) return fail("empty");
    Val v;
    std::vector<std::size_t> firstOf{0}; // the first literal of each side
    std::vector<bool> numeric;
    if (!side(v)) return false;
    f_.sides.push_back(v.e);
    numeric.push_back(v.deg == 0);
    f_.degree = v.deg;
    while (const NotationItem* it = peek()) {
        Relation r;
        switch (it->kind) {
        case Kind::Equal:
            r = Relation::Equal;
            break;
        case Kind::Ratio:
            r = Relation::Ratio;
            break;
        case Kind::Less:
            r = Relation::Less;
            break;
        case Kind::Greater:
            r = Relation::Greater;
            break;
        case Kind::LessEqual:
            r = Relation::LessEqual;
            break;
        case Kind::GreaterEqual:
            r = Relation::GreaterEqual;
            break;
        default:
            return fail("unexpected piece");
        }
        ++pos_;
        f_.relations.push_back(r);
        if (!peek() && r == Relation::Equal) {
            f_.openEnd = true;
            return true;
        }
        firstOf.push_back(f_.literals.size());
        if (!side(v)) return false;
        f_.sides.push_back(v.e);
        numeric.push_back(v.deg == 0);
        f_.degree = std::max(f_.degree, v.deg);
    }
    // A term of a ratio that is one number ("x:6=2:3").
    firstOf.push_back(f_.literals.size());
    const std::vector<Relation>& rel = f_.relations;
    for (std::size_t k = 0; k < f_.sides.size(); ++k) {
        const bool ratio = (k > 0 && rel[k - 1] == Relation::Ratio) ||
                           (k < rel.size() && rel[k] == Relation::Ratio);
        if (!ratio || !numeric[k] || firstOf[k + 1] != firstOf[k] + 1) continue;
        Literal& lit = f_.literals[firstOf[k]];
        if (lit.role != Literal::Role::Whole && lit.role != Literal::Role::Decimal) continue;
        lit.neverOne = true;
        lit.group = RatioTerms;
    }
    return true;
}

bool Reader::side(Val& out) {
    bool minus = false;
    if (next(Kind::Plus) || next(Kind::Minus)) minus = items_[pos_++].kind == Kind::Minus;
    if (!term(out)) return false;
    if (minus) out.e = -out.e;
    while (next(Kind::Plus) || next(Kind::Minus)) {
        const bool m = items_[pos_++].kind == Kind::Minus;
        Val t;
        if (!term(t) || !add(out, t, m)) return false;
    }
    return true;
}

bool Reader::term(Val& out) {
    int factors = 0;
    // Factors and divisors that are one number (5*x, x÷3): not 1 in a similar question.
    std::vector<std::size_t> lone;
    auto operand = [&](Val& v) {
        const std::size_t first = f_.literals.size();
        if (!jux(v, factors)) return false;
        if (factors == 1 && v.deg == 0 && f_.literals.size() == first + 1) lone.push_back(first);
        return true;
    };
    if (!operand(out)) return false;
    bool operators = false;
    while (next(Kind::Times) || next(Kind::Divide)) {
        operators = true;
        const bool divide = items_[pos_++].kind == Kind::Divide;
        Val r;
        if (!operand(r)) return false;
        // 6÷2x is read both ways in classrooms: not read.
        if (divide && factors > 1) return fail("division by a product written side by side");
        if (!(divide ? div(out, r) : mul(out, r))) return false;
    }
    if (operators)
        for (std::size_t k : lone)
            f_.literals[k].neverOne = true;
    return true;
}

// The literals from `first` on stand before a letter or bracket.
void markCoefficient(std::vector<Literal>& literals, std::size_t first) {
    for (std::size_t k = first; k < literals.size(); ++k)
        literals[k].neverOne = true;
}

bool Reader::jux(Val& out, int& factors) {
    factors = 1;
    const std::size_t firstLiteral = f_.literals.size();
    // Only a number standing first is a coefficient.
    bool marked = !(peek() && ((peek()->kind == Kind::Token && peek()->text.front() != '[') ||
                               peek()->kind == Kind::Fraction));
    if (!factor(out)) return false;
    // Side by side: a number, fraction or bracket, then letters and brackets.
    for (;;) {
        const NotationItem* it = peek();
        const bool follows = it && (it->kind == Kind::Letter || it->kind == Kind::Open ||
                                    (it->kind == Kind::Token && it->text.front() == '['));
        if (!follows) return true;
        if (!std::exchange(marked, true)) markCoefficient(f_.literals, firstLiteral);
        Val f;
        if (!factor(f) || !mul(out, f)) return false;
        ++factors;
    }
}

bool Reader::factor(Val& out) {
    const std::size_t firstLiteral = f_.literals.size();
    bool powerable = false;
    if (!primary(out, powerable)) return false;
    if (!next(Kind::Power)) return true;
    if (!powerable) return fail("power of a fraction");
    const int n = items_[pos_++].text[0] - '0';
    // The base and the exponent stay as written when the question is remade.
    for (std::size_t k = firstLiteral; k < f_.literals.size(); ++k)
        f_.literals[k].role = Literal::Role::Fixed;
    return power(out, n);
}

bool Reader::primary(Val& out, bool& powerable) {
    const NotationItem* it = peek();
    if (!it) return fail("missing term");
    ++pos_;
    switch (it->kind) {
    case Kind::Letter:
        powerable = true;
        return letter(it->text[0], out);
    case Kind::Open: {
        if (!deeper() || !side(out)) return false;
        --depth_;
        if (!next(Kind::Close)) return fail("missing )");
        ++pos_;
        powerable = true;
        return true;
    }
    case Kind::Token: {
        powerable = true;
        if (!runValue(it->text, it->textAt, out)) return false;
        if (!next(Kind::Joiner)) return true;
        // A mixed number: whole number, then a fraction of whole numbers.
        ++pos_;
        const NotationItem& fr = items_[pos_];
        if (!allDigits(it->text) || !allDigits(fr.text) || !allDigits(fr.denominator))
            return fail("mixed number");
        powerable = false;
        Val frac;
        if (!primary(frac, powerable)) return false;
        powerable = false;
        return add(out, frac, false);
    }
    case Kind::Fraction: {
        const std::size_t firstLiteral = f_.literals.size();
        Val num, den;
        if (!runValue(it->text, it->textAt, num)) return false;
        const std::size_t numeratorEnd = f_.literals.size();
        if (!runValue(it->denominator, it->denominatorAt, den)) return false;
        const std::size_t n = f_.literals.size();
        if (it->joined) {
            // "1|3,x+5)": the numerator before the bar is dropped or joined; it stays.
            for (std::size_t k = firstLiteral; k < numeratorEnd; ++k)
                f_.literals[k].role = Literal::Role::Fixed;
        }
        for (std::size_t k = numeratorEnd; k < n; ++k)
            f_.literals[k].neverOne = true;
        if (n == numeratorEnd + 1) f_.literals[numeratorEnd].group = Denominators;
        if (num.deg > 0 && den.deg == 0 && !den.e.is_zero() &&
            den.e.info(GiNaC::info_flags::integer))
            f_.shape.push_back(dividesOut(num.e, den.e) ? 3 : 2);
        if (!it->joined && n == firstLiteral + 2 && allDigits(it->text) &&
            allDigits(it->denominator)) {
            f_.literals[n - 2].role = Literal::Role::Numerator;
            f_.literals[n - 2].partner = static_cast<int>(n - 1);
            f_.literals[n - 1].role = Literal::Role::Denominator;
            f_.literals[n - 1].partner = static_cast<int>(n - 2);
        }
        out = num;
        return div(out, den);
    }
    default:
        return fail("unexpected piece");
    }
}

bool Reader::runValue(const std::string& s, const std::vector<std::uint32_t>& at, Val& out) {
    Run r{s, &at, 0};
    if (!runSum(r, out)) return false;
    skipBlanks(r);
    if (r.i != r.s.size()) return fail("unexpected character");
    return true;
}

bool Reader::runSum(Run& r, Val& out) {
    skipBlanks(r);
    bool minus = false;
    if (r.i < r.s.size() && (r.s[r.i] == '+' || r.s[r.i] == '-')) minus = r.s[r.i++] == '-';
    if (!runProduct(r, out)) return false;
    if (minus) out.e = -out.e;
    for (;;) {
        skipBlanks(r);
        if (r.i >= r.s.size() || (r.s[r.i] != '+' && r.s[r.i] != '-')) return true;
        const bool m = r.s[r.i++] == '-';
        Val t;
        if (!runProduct(r, t) || !add(out, t, m)) return false;
    }
}

bool Reader::runProduct(Run& r, Val& out) {
    int factors = 0;
    std::vector<std::size_t> lone; // as in term()
    auto operand = [&](Val& v) {
        const std::size_t first = f_.literals.size();
        if (!runJux(r, v, factors)) return false;
        if (factors == 1 && v.deg == 0 && f_.literals.size() == first + 1) lone.push_back(first);
        return true;
    };
    if (!operand(out)) return false;
    for (bool operators = false;; operators = true) {
        skipBlanks(r);
        const char op = r.i < r.s.size() ? r.s[r.i] : 0;
        if (op != '*' && op != '/' && op != '\\') {
            if (operators)
                for (std::size_t k : lone)
                    f_.literals[k].neverOne = true;
            return true;
        }
        ++r.i;
        Val v;
        if (!operand(v)) return false;
        if (op != '*' && factors > 1) return fail("division by a product written side by side");
        if (!(op == '*' ? mul(out, v) : div(out, v))) return false;
    }
}

bool Reader::runJux(Run& r, Val& out, int& factors) {
    factors = 1;
    const std::size_t firstLiteral = f_.literals.size();
    skipBlanks(r);
    bool marked = !(r.i < r.s.size() && (isDigit(r.s[r.i]) || r.s[r.i] == '.'));
    if (!runAtom(r, out)) return false;
    for (;;) {
        skipBlanks(r);
        if (r.i >= r.s.size()) return true;
        const char c = r.s[r.i];
        if (!((c >= 'a' && c <= 'z') || c == '[' || c == '(')) return true;
        if (!std::exchange(marked, true)) markCoefficient(f_.literals, firstLiteral);
        Val v;
        if (!runAtom(r, v) || !mul(out, v)) return false;
        ++factors;
    }
}

bool Reader::runAtom(Run& r, Val& out) {
    skipBlanks(r);
    if (r.i >= r.s.size()) return fail("missing term");
    const char c = r.s[r.i];
    if (isDigit(c) || c == '.') {
        const std::size_t from = r.i;
        while (r.i < r.s.size() && (isDigit(r.s[r.i]) || r.s[r.i] == '.'))
            ++r.i;
        return number(r.s.substr(from, r.i - from), (*r.at)[from], (*r.at)[r.i - 1] + 1, out);
    }
    if (c >= 'a' && c <= 'z') {
        ++r.i;
        return letter(c, out);
    }
    if (c == '[' || c == '(') {
        const char close = c == '[' ? ']' : ')';
        ++r.i;
        if (!deeper() || !runSum(r, out)) return false;
        --depth_;
        skipBlanks(r);
        if (r.i >= r.s.size() || r.s[r.i] != close) return fail("missing closing bracket");
        ++r.i;
        return true;
    }
    return fail("unexpected character");
}

bool Reader::number(std::string_view digits, std::size_t start, std::size_t end, Val& out) {
    const std::size_t dot = digits.find('.');
    std::string whole(digits.substr(0, dot));
    std::string part = dot == std::string_view::npos ? "" : std::string(digits.substr(dot + 1));
    if (part.find('.') != std::string::npos) return fail("number with two points");
    if (dot != std::string_view::npos && (whole.empty() || part.empty()))
        return fail("number without digits on both sides of its point");
    if (static_cast<int>(whole.size() + part.size()) > MaxDigits) return fail("number too long");
    Literal lit;
    lit.start = start;
    lit.end = end;
    lit.role = part.empty() ? Literal::Role::Whole : Literal::Role::Decimal;
    const int index = static_cast<int>(f_.literals.size());
    if (replace_) {
        auto it = replace_->find(index);
        if (it != replace_->end()) {
            lit.value = it->second;
            f_.literals.push_back(lit);
            out = {it->second, 0, 64, 1};
            return true;
        }
    }
    // Up to 18 digits fit a long, which the library takes without reading text.
    const std::string all = whole + part;
    long small = 0;
    const bool fits =
        all.size() <= 18 &&
        std::from_chars(all.data(), all.data() + all.size(), small).ptr == all.data() + all.size();
    GiNaC::numeric v = fits ? GiNaC::numeric(small) : GiNaC::numeric(all.c_str());
    if (!part.empty()) v = v / GiNaC::numeric(10).power(static_cast<long>(part.size()));
    lit.value = v;
    f_.literals.push_back(lit);
    out = {v, 0, 4 * static_cast<long>(whole.size() + part.size()) + 1, 1};
    return true;
}

bool Reader::letter(char c, Val& out) {
    f_.letters |= 1u << (c - 'a');
    out = {LetterSymbol(c), 1, 1, 1};
    return true;
}

bool Reader::add(Val& a, const Val& b, bool minus) {
    a.e = minus ? a.e - b.e : a.e + b.e;
    a.deg = std::max(a.deg, b.deg);
    a.bits = std::max(a.bits, b.bits) + 1;
    a.terms += b.terms;
    if (a.terms > MaxTerms) return fail("too many terms");
    return a.bits <= MaxBits || fail("numbers too large");
}

bool Reader::mul(Val& a, const Val& b) {
    a.e = a.e * b.e;
    a.deg += b.deg;
    a.bits += b.bits;
    a.terms *= b.terms;
    if (a.terms > MaxTerms) return fail("too many terms");
    if (a.deg > MaxDegree) return fail("degree too high");
    return a.bits <= MaxBits || fail("numbers too large");
}

bool Reader::div(Val& a, const Val& b) {
    if (b.e.is_zero()) {
        f_.divisionByZero = true;
        return fail("division by zero");
    }
    if (b.deg > 0) f_.letterInDenominator = true;
    a.e = a.e / b.e;
    a.deg += b.deg;
    a.bits += b.bits;
    a.terms *= b.terms;
    if (a.terms > MaxTerms) return fail("too many terms");
    if (a.deg > MaxDegree) return fail("degree too high");
    return a.bits <= MaxBits || fail("numbers too large");
}

bool Reader::power(Val& a, int n) {
    if (n == 0 && a.e.is_zero()) return fail("zero to the power zero");
    a.e = GiNaC::pow(a.e, n);
    a.deg *= n;
    a.bits = std::max(1L, a.bits * n);
    a.terms = powerTerms(a.terms, n);
    if (a.terms > MaxTerms) return fail("too many terms");
    if (a.deg > MaxDegree) return fail("degree too high");
    return a.bits <= MaxBits || fail("numbers too large");
}

} // namespace

Formula ReadFormula(std::string_view formula, const LiteralValues* replace) {
    return Reader(formula, replace).run();
}

} // namespace keys
