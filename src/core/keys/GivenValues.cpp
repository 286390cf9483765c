#include "keys/GivenValues.h"

#include <initializer_list>
#include <utility>

#include "text/Sjis.h"

namespace keys {

namespace {

bool isLetter(char c) {
    return c >= 'a' && c <= 'z';
}
bool isWordByte(char c) {
    return isLetter(c) || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.';
}
bool numberByte(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == '/';
}

class Scanner {
  public:
    Scanner(std::string_view t, GivenValues& out) : t_(t), out_(out) {}
    void run();

  private:
    bool wordAt(std::size_t p, const char* utf8) const {
        const std::string& w = J(utf8);
        return t_.compare(p, w.size(), w) == 0;
    }
    // The first of words found at p: its length, or 0.
    std::size_t anyAt(std::size_t p, std::initializer_list<const char*> words) const {
        for (const char* w : words)
            if (wordAt(p, w)) return J(w).size();
        return 0;
    }
    std::size_t blanks(std::size_t p) const {
        while (p < t_.size() && t_[p] == ' ')
            ++p;
        return p;
    }
    // A letter and its value at p ("x=-2", "a = 1/2", "x が 3"): the end, or 0.
    std::size_t assignment(std::size_t p, char& letter, GiNaC::ex& value,
                           std::vector<Literal>& literals) const;
    // A run of assignments from p; its end, or 0.
    std::size_t values(std::size_t p, std::vector<std::pair<char, GiNaC::ex>>& found,
                       std::vector<Literal>& literals) const;
    // What follows a run of values: the end of the words that make them given, or 0.
    std::size_t given(std::size_t p, bool& condition, std::size_t& substitution) const;

    std::string_view t_;
    GivenValues& out_;
};

std::size_t Scanner::assignment(std::size_t p, char& letter, GiNaC::ex& value,
                                std::vector<Literal>& literals) const {
    if (p >= t_.size() || !isLetter(t_[p])) return 0;
    letter = t_[p];
    std::size_t q = blanks(p + 1);
    if (q < t_.size() && t_[q] == '=')
        ++q;
    else if (wordAt(q, "が"))
        q += J("が").size();
    else
        return 0;
    q = blanks(q);
    const std::size_t start = q;
    const bool bracket = q < t_.size() && t_[q] == '(';
    if (bracket) ++q;
    if (q < t_.size() && (t_[q] == '-' || t_[q] == '+')) ++q;
    const std::size_t digits = q;
    while (q < t_.size() && numberByte(t_[q]))
        ++q;
    if (q == digits) return 0;
    if (bracket) {
        if (q >= t_.size() || t_[q] != ')') return 0;
        ++q;
    }
    // The value stands alone: "y=2x+1" gives no value.
    if (q < t_.size() && t_[q] != ' ' && t_[q] != ',' && !sjis::isLead(t_[q])) return 0;
    const Formula f = ReadFormula(t_.substr(start, q - start));
    if (!f.ok || !f.relations.empty() || f.letters || !GiNaC::is_a<GiNaC::numeric>(f.sides[0]))
        return 0;
    const int base = static_cast<int>(literals.size());
    for (Literal lit : f.literals) {
        lit.start += start;
        lit.end += start;
        if (lit.partner >= 0) lit.partner += base;
        literals.push_back(lit);
    }
    value = f.sides[0];
    return q;
}

std::size_t Scanner::values(std::size_t p, std::vector<std::pair<char, GiNaC::ex>>& found,
                            std::vector<Literal>& literals) const {
    std::size_t end = 0;
    for (;;) {
        char letter = 0;
        GiNaC::ex value;
        const std::size_t e = assignment(p, letter, value, literals);
        if (!e) return end;
        found.push_back({letter, value});
        end = e;
        std::size_t q = blanks(e);
        const std::size_t joint =
            q < t_.size() && t_[q] == ',' ? 1 : anyAt(q, {"、", "と", "で", "および", "，"});
        if (!joint) return end;
        p = blanks(q + joint);
        if (p >= t_.size() || !isLetter(t_[p])) return end;
    }
}

std::size_t Scanner::given(std::size_t p, bool& condition, std::size_t& substitution) const {
    p = blanks(p);
    condition = false;
    substitution = std::string_view::npos;
    if (std::size_t n = anyAt(
            p, {"のときの", "のとき", "とき", "の場合", "ならば", "とするとき", "とすると"})) {
        // "x=1 のとき y=5": a condition on y, not a value to work with.
        std::size_t q = blanks(p + n);
        if (std::size_t j = anyAt(q, {"、", "，"})) q = blanks(q + j);
        if (q < t_.size() && t_[q] == ',') q = blanks(q + 1);
        char letter = 0;
        GiNaC::ex value;
        std::vector<Literal> scratch;
        condition = assignment(q, letter, value, scratch) != 0;
        return p + n;
    }
    if (std::size_t n =
            anyAt(p, {"が解であるとき", "が解のとき", "が解となるとき", "であるとき", "を代入"}))
        return p + n;
    if (wordAt(p, "を")) {
        // "x=3 を y=2x+1 に代入して"
        const std::size_t end = sjis::findText(t_, J("代入"), p);
        const std::size_t stop = sjis::findText(t_, J("。"), p);
        if (end == std::string_view::npos || end > stop) return 0;
        substitution = end;
        return p + J("を").size();
    }
    return 0;
}

void Scanner::run() {
    // A letter starts a word after a blank, a sign or a Japanese character ("、x=1").
    bool afterWord = false;
    for (std::size_t p = 0, next = 0; p < t_.size(); p = next) {
        next = p + sjis::charLen(t_, p);
        const bool word = std::exchange(afterWord, !sjis::isLead(t_[p]) && isWordByte(t_[p]));
        if (!isLetter(t_[p]) || word) continue;
        std::vector<std::pair<char, GiNaC::ex>> found;
        std::vector<Literal> literals;
        const std::size_t end = values(p, found, literals);
        if (!end) continue;
        bool condition = false;
        std::size_t substitution = 0;
        const std::size_t to = given(end, condition, substitution);
        if (!to) continue;
        out_.taken.push_back({p, to});
        next = to;
        afterWord = false;
        if (condition) {
            out_.condition = true;
            continue;
        }
        const int base = static_cast<int>(out_.literals.size());
        for (Literal lit : literals) {
            if (lit.partner >= 0) lit.partner += base;
            lit.neverOne = true; // a value of 1 would leave the coefficients unworked
            out_.literals.push_back(lit);
        }
        out_.values.insert(out_.values.end(), found.begin(), found.end());
        if (substitution != std::string_view::npos)
            out_.taken.push_back({substitution, substitution + J("代入").size()});
    }
    // Words of given values left outside what was read.
    for (const char* word : {"のとき", "代入", "の場合"}) {
        const std::string& w = J(word);
        for (std::size_t at = sjis::findText(t_, w); at != std::string_view::npos;
             at = sjis::findText(t_, w, at + w.size())) {
            bool inside = false;
            for (const auto& [from, to] : out_.taken)
                inside = inside || (at >= from && at + w.size() <= to);
            if (!inside) out_.unread = true;
        }
    }
}

} // namespace

GivenValues ReadGivenValues(std::string_view text) {
    GivenValues out;
    Scanner(text, out).run();
    return out;
}

bool OnlyJoiningWords(std::string_view wide) {
    static const char* const words[] = {"の値を求めなさい",
                                        "値を求めなさい",
                                        "を求めなさい",
                                        "求めなさい",
                                        "の値は",
                                        "の値",
                                        "値",
                                        "に代入して",
                                        "に代入すると",
                                        "に代入し",
                                        "して",
                                        "すると",
                                        "について",
                                        "における",
                                        "で、",
                                        "で",
                                        "、",
                                        "。",
                                        "，",
                                        "の式",
                                        "の",
                                        "に",
                                        "を",
                                        "は",
                                        "？"};
    std::size_t p = 0;
    while (p < wide.size()) {
        if (wide[p] == ' ') {
            ++p;
            continue;
        }
        std::size_t n = 0;
        for (const char* w : words) {
            const std::string& s = J(w);
            if (wide.compare(p, s.size(), s) == 0) {
                n = s.size();
                break;
            }
        }
        if (!n) return false;
        p += n;
    }
    return true;
}

} // namespace keys
