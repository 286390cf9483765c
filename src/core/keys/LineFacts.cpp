#include "keys/LineFacts.h"

#include <initializer_list>

#include "text/Sjis.h"

namespace keys {

namespace {

bool numberByte(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == '/';
}

class Phrases {
  public:
    Phrases(std::string_view t, LineFacts& f) : t_(t), f_(f) {}

    bool run() {
        for (blanks(); p_ < t_.size(); blanks())
            if (!phrase()) return false;
        return true;
    }

    // The formula "y=..." at the current place: y as a polynomial of degree one at most in x.
    bool line(GiNaC::ex& v) {
        blanks();
        const std::size_t start = p_;
        if (t_.compare(p_, 2, "y=") != 0) return false;
        std::size_t end = p_;
        while (end < t_.size() && t_[end] != ' ' && static_cast<unsigned char>(t_[end]) < 0x80)
            ++end;
        Formula f = ReadFormula(t_.substr(start, end - start));
        const GiNaC::symbol& x = LetterSymbol('x');
        if (!f.ok || f.relations.size() != 1 || f.relations[0] != Relation::Equal || f.openEnd ||
            !f.sides[0].is_equal(LetterSymbol('y')) ||
            (f.letters & ~(1u << ('y' - 'a'))) != 1u << ('x' - 'a') || f.letterInDenominator)
            return false;
        const GiNaC::ex e = GiNaC::expand(f.sides[1]);
        if (!e.is_polynomial(x) || e.degree(x) > 1) return false;
        take(f, start);
        v = e;
        p_ = end;
        return true;
    }

  private:
    void blanks() {
        while (p_ < t_.size() && t_[p_] == ' ')
            ++p_;
    }
    bool word(const char* utf8) {
        blanks();
        const std::string& w = J(utf8);
        if (t_.compare(p_, w.size(), w) != 0) return false;
        p_ += w.size();
        return true;
    }
    bool anyWord(std::initializer_list<const char*> words) {
        for (const char* w : words)
            if (word(w)) return true;
        return false;
    }
    // The literals of f, read at start, join the facts.
    void take(const Formula& f, std::size_t start) {
        const int base = static_cast<int>(f_.literals.size());
        for (Literal lit : f.literals) {
            lit.start += start;
            lit.end += start;
            if (lit.partner >= 0) lit.partner += base;
            f_.literals.push_back(lit);
        }
    }
    // A number: an optional sign, digits, a point or a fraction bar.
    bool number(GiNaC::ex& v) {
        blanks();
        const std::size_t start = p_;
        std::size_t end = p_;
        if (end < t_.size() && (t_[end] == '-' || t_[end] == '+')) ++end;
        const std::size_t digits = end;
        while (end < t_.size() && numberByte(t_[end]))
            ++end;
        if (end == digits) return false;
        Formula f = ReadFormula(t_.substr(start, end - start));
        if (!f.ok || !f.relations.empty() || f.letters || !GiNaC::is_a<GiNaC::numeric>(f.sides[0]))
            return false;
        take(f, start);
        v = f.sides[0];
        p_ = end;
        return true;
    }
    bool point(GiNaC::ex& x, GiNaC::ex& y) {
        return word("(") && number(x) && word(",") && number(y) && word(")");
    }

    // One phrase, or nothing read and false.
    bool phrase();
    template <class F> bool attempt(F f) {
        const std::size_t p = p_;
        const std::size_t literals = f_.literals.size();
        if (f()) return true;
        p_ = p;
        f_.literals.resize(literals);
        return false;
    }

    std::string_view t_;
    LineFacts& f_;
    std::size_t p_ = 0;
};

bool Phrases::phrase() {
    GiNaC::ex a, b, c, d;
    if (attempt([&] { return word("傾きが") && number(a); })) {
        if (f_.slope) return false;
        f_.slope = a;
        return true;
    }
    if (attempt([&] { return word("切片が") && number(a); })) {
        if (f_.intercept) return false;
        f_.intercept = a;
        return true;
    }
    if (attempt([&] {
            return anyWord({"2 点", "2点"}) && point(a, b) && anyWord({",", "、", "と"}) &&
                   point(c, d);
        })) {
        f_.points.push_back({a, b});
        f_.points.push_back({c, d});
        return true;
    }
    if (attempt([&] { return word("点") && point(a, b); })) {
        f_.points.push_back({a, b});
        return true;
    }
    if (attempt([&] {
            return word("直線") && line(a) && anyWord({"に平行で", "に平行な", "に平行"});
        })) {
        if (f_.slope) return false;
        f_.slope = a.coeff(LetterSymbol('x'), 1);
        return true;
    }
    bool up = false;
    if (attempt([&] {
            if (!(word("x") && word("が") && number(a) && anyWord({"増えると", "増加すると"}) &&
                  word("y") && word("が") && number(b)))
                return false;
            if (anyWord({"増える", "増え", "増加し"})) {
                up = true;
                return true;
            }
            return anyWord({"減る", "減り", "減少し"});
        })) {
        if (f_.slope || a.is_zero()) return false;
        f_.slope = up ? b / a : -b / a;
        return true;
    }
    if (attempt([&] {
            return word("x") && word("=") && number(a) && word("のとき") && word("y") &&
                   word("=") && number(b);
        })) {
        f_.points.push_back({a, b});
        return true;
    }
    if (attempt([&] {
            return word("x") && word("が") && number(a) && word("から") && number(b) &&
                   word("まで") && anyWord({"増加するとき", "増えるとき"});
        })) {
        if (f_.interval) return false;
        f_.interval = std::pair{a, b};
        return true;
    }
    if (attempt([&] { return line(a); })) {
        if (f_.given) return false;
        f_.given = a;
        return true;
    }
    return anyWord(
        {"を通る直線", "を通る", "を通り", "で、", "で", "、", ",", "。", "直線", "の式"});
}

} // namespace

bool ReadLineFacts(std::string_view text, LineFacts& facts) {
    return Phrases(text, facts).run();
}

std::optional<GiNaC::ex> LineInInstruction(std::string_view text) {
    std::optional<GiNaC::ex> found;
    bool startsWord = true; // at the start, or after a blank or a Japanese character
    for (std::size_t at = 0; at < text.size(); at += sjis::charLen(text, at)) {
        const bool here = startsWord && text.compare(at, 2, "y=") == 0;
        startsWord = text[at] == ' ' || sjis::isLead(text[at]);
        if (!here) continue;
        LineFacts scratch;
        Phrases p(text.substr(at), scratch);
        GiNaC::ex v;
        if (!p.line(v)) continue;
        if (found) return std::nullopt;
        found = v;
    }
    return found;
}

} // namespace keys
