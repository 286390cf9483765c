#include "keys/KeyAnalysis.h"

#include <bit>
#include <deque>
#include <exception>
#include <optional>

#include "keys/GivenValues.h"
#include "keys/LineFacts.h"
#include "text/Sjis.h"

namespace keys {

namespace {

using Status = Expectation::Status;

// What the words right before an answer say it is.
struct Label {
    enum class Kind { None, Letter, Slope, Intercept } kind = Kind::None;
    char letter = 0;
};

bool mentions(std::string_view text, const char* utf8) {
    return sjis::findText(text, J(utf8)) != std::string_view::npos;
}

// "x=", "y =": a letter and "=".
char letterLabel(std::string_view w) {
    if (w.size() < 2 || w[0] < 'a' || w[0] > 'z' || w.back() != '=') return 0;
    for (std::size_t i = 1; i + 1 < w.size(); ++i)
        if (w[i] != ' ') return 0;
    return w[0];
}

// A linear system, one row per equation: its coefficients and its right-hand side.
struct Solved {
    Status status = Status::Checked; // Checked: one solution, in values
    std::vector<GiNaC::ex> values;
};

// The system solved exactly by elimination over the rationals, when every entry of ab is a
// rational number (as the equations of a course almost always are); nothing otherwise. The
// same values and findings as the algebra library's solver, for a fraction of its work.
std::optional<Solved> solveRational(const GiNaC::matrix& ab) {
    const unsigned n = ab.rows(), m = ab.cols();
    std::vector<std::vector<GiNaC::numeric>> r(n, std::vector<GiNaC::numeric>(m));
    for (unsigned i = 0; i < n; ++i)
        for (unsigned j = 0; j < m; ++j) {
            const GiNaC::ex& e = ab(i, j);
            if (!GiNaC::is_a<GiNaC::numeric>(e)) return std::nullopt;
            const GiNaC::numeric& v = GiNaC::ex_to<GiNaC::numeric>(e);
            if (!v.is_rational()) return std::nullopt;
            r[i][j] = v;
        }
    unsigned rank = 0;
    for (unsigned c = 0; c < n; ++c) {
        unsigned p = rank;
        while (p < n && r[p][c].is_zero())
            ++p;
        if (p == n) continue;
        std::swap(r[p], r[rank]);
        for (unsigned i = 0; i < n; ++i) {
            if (i == rank || r[i][c].is_zero()) continue;
            const GiNaC::numeric f = r[i][c] / r[rank][c];
            for (unsigned j = c; j < m; ++j)
                r[i][j] = r[i][j] - f * r[rank][j];
        }
        ++rank;
    }
    Solved out;
    if (rank < n) {
        // More rank with the right-hand sides than without: no solution.
        out.status = Status::Indeterminate;
        for (unsigned i = rank; i < n; ++i)
            if (!r[i][n].is_zero()) out.status = Status::NoSolution;
        return out;
    }
    for (unsigned k = 0; k < n; ++k)
        out.values.push_back(r[k][n] / r[k][k]);
    return out;
}

// A formula of the question: a piece of the description of a part, or of the instruction
// (part -1) when the question has none of its own.
struct Piece {
    int part = -1;
    std::size_t at = 0;
    std::string_view text;
};

// "3x=12 x=": the formula and the label of its answer with one blank between. Where the
// label starts in w, or npos.
std::size_t labelAfterFormula(std::string_view w) {
    if (w.size() < 4 || w.back() != '=') return std::string_view::npos;
    std::size_t p = w.size() - 1;
    while (p > 0 && w[p - 1] == ' ')
        --p;
    if (p < 3 || w[p - 1] < 'a' || w[p - 1] > 'z' || w[p - 2] != ' ') return std::string_view::npos;
    const std::size_t label = p - 1;
    p = label - 1;
    while (p > 0 && w[p - 1] == ' ')
        --p;
    if (p == 0) return std::string_view::npos;
    const char before = w[p - 1];
    // "a + b =" is one formula.
    const bool ends = (before >= '0' && before <= '9') || (before >= 'a' && before <= 'z') ||
                      before == ')' || before == ']';
    return ends ? label : std::string_view::npos;
}

class Analyser {
  public:
    Analyser(const Question& q, std::string_view instruction, NumberSystem* system = nullptr)
        : q_(q), instruction_(instruction), system_(system) {}
    QuestionAnalysis run();

  private:
    void labels();
    std::vector<Piece> chunks() const;
    void withGivenValues(bool wide);
    bool givenPieces(const std::vector<GivenValues>& fromParts, const GivenValues& fromInstruction,
                     std::vector<Piece>& pieces);
    void formulas(const std::vector<Piece>& pieces);
    void equations(const std::vector<GiNaC::ex>& eqs, unsigned letters);
    void expression(const GiNaC::ex& value, unsigned letters, bool openEnd);
    void lines(const std::optional<GiNaC::ex>& given);
    void notRead(std::string why) {
        out_.kind = QuestionKind::None;
        out_.why = std::move(why);
        for (Expectation& e : out_.blanks)
            e = {};
    }
    void everyBlank(Status s) {
        for (Expectation& e : out_.blanks)
            e = {s, {}, 0};
    }
    std::string_view description(std::size_t part) const {
        return std::string_view(q_.parts[part].reading.text).substr(0, cut_[part]);
    }
    // The literals of a formula read at `at` in a part's reading join the question's numbers.
    void take(std::size_t part, std::size_t at, const std::vector<Literal>& literals);
    // A question's answers may stand bare only under an instruction that asks for them.
    bool asksForValues() const {
        return instruction_.empty() || mentions(instruction_, "解") ||
               mentions(instruction_, "値") || mentions(instruction_, "比例式");
    }

    const Question& q_;
    std::string_view instruction_;
    QuestionAnalysis out_;
    std::vector<Label> labels_;    // one per answer
    std::vector<std::size_t> cut_; // per part: where its description ends
    GiNaC::exmap given_;           // values given for letters, put in before working out
    unsigned givenLetters_ = 0;
    NumberSystem* system_; // when set: the numbers read as symbols, the system kept unsolved
};

// The lone letter of "y の値": the value asked for, not a formula.
bool asksForLetter(std::string_view text, const Chunk& c) {
    if (c.end != c.start + 1 || c.start >= text.size() || text[c.start] < 'a' ||
        text[c.start] > 'z')
        return false;
    std::size_t p = c.end;
    while (p < text.size() && text[p] == ' ')
        ++p;
    return text.compare(p, J("の値").size(), J("の値")) == 0;
}

void Analyser::take(std::size_t part, std::size_t at, const std::vector<Literal>& literals) {
    const QuestionPart& p = q_.parts[part];
    const int base = static_cast<int>(out_.numbers.size());
    for (const Literal& lit : literals) {
        QuestionNumber n;
        n.line = p.line;
        n.span = p.reading.source(at + lit.start, at + lit.end);
        n.role = lit.role;
        n.partner = lit.partner >= 0 ? lit.partner + base : -1;
        n.neverOne = lit.neverOne;
        out_.numbers.push_back(n);
    }
}

void Analyser::labels() {
    cut_.resize(q_.parts.size());
    for (std::size_t i = 0; i < q_.parts.size(); ++i)
        cut_[i] = q_.parts[i].reading.text.size();
    for (std::size_t i = 0; i < q_.parts.size(); ++i) {
        if (!q_.parts[i].blank) continue;
        Label label;
        if (i > 0 && !q_.parts[i - 1].blank && q_.parts[i - 1].line == q_.parts[i].line) {
            const std::string& text = q_.parts[i - 1].reading.text;
            const std::vector<Chunk> chunks = SplitChunks(text);
            if (!chunks.empty()) {
                const Chunk last = chunks.back();
                const std::string_view w =
                    std::string_view(text).substr(last.start, last.end - last.start);
                const std::size_t inside = labelAfterFormula(w);
                if (const char v = letterLabel(w))
                    label = {Label::Kind::Letter, v};
                else if (w == J("傾き"))
                    label.kind = Label::Kind::Slope;
                else if (w == J("切片"))
                    label.kind = Label::Kind::Intercept;
                if (label.kind != Label::Kind::None) {
                    cut_[i - 1] = last.start;
                } else if (inside != std::string_view::npos && !HasWideCharacter(w)) {
                    label = {Label::Kind::Letter, w[inside]};
                    cut_[i - 1] = last.start + inside;
                }
            }
        }
        labels_.push_back(label);
    }
}

QuestionAnalysis Analyser::run() {
    out_.blanks.resize(static_cast<std::size_t>(q_.blankCount()));
    if (out_.blanks.empty()) return std::move(out_);
    labels();
    bool wide = false;
    for (std::size_t i = 0; i < q_.parts.size(); ++i)
        if (!q_.parts[i].blank && HasWideCharacter(description(i))) wide = true;
    try {
        const GivenValues fromInstruction = ReadGivenValues(instruction_);
        // A condition in the instruction ("x=1 のとき y=5 である") is read by nothing.
        bool given = !fromInstruction.values.empty(),
             unread = fromInstruction.unread || fromInstruction.condition;
        for (std::size_t i = 0; i < q_.parts.size(); ++i) {
            if (q_.parts[i].blank) continue;
            const GivenValues g = ReadGivenValues(description(i));
            given = given || !g.values.empty();
            unread = unread || g.unread;
        }
        if (system_ && (given || wide)) return std::move(out_); // only formulas as they stand
        if (given)
            withGivenValues(wide);
        else if (wide)
            lines(std::nullopt);
        else
            formulas(chunks());
        // Values spoken of in words not read ("x の値が 3 のとき"): an answer that still
        // holds letters may be meant as the number they give.
        bool letters = false;
        for (const Expectation& e : out_.blanks)
            for (const auto& v : e.values)
                letters = letters || !GiNaC::is_a<GiNaC::numeric>(GiNaC::expand(v.second));
        if (!given && unread && letters) notRead("values spoken of in words not read");
    } catch (const std::exception& e) {
        notRead(e.what());
    }
    if (out_.kind == QuestionKind::None) out_.numbers.clear();
    return std::move(out_);
}

std::vector<Piece> Analyser::chunks() const {
    std::vector<Piece> pieces;
    for (std::size_t i = 0; i < q_.parts.size(); ++i) {
        if (q_.parts[i].blank) continue;
        const std::string_view text = description(i);
        for (const Chunk& c : SplitChunks(text))
            pieces.push_back({static_cast<int>(i), c.start, text.substr(c.start, c.end - c.start)});
    }
    return pieces;
}

// Values given for the letters: a line read from the words has them put in at its answer;
// anything else is read from its formulas with the values in place. Values spoken of in
// words not read leave the question not checked.
void Analyser::withGivenValues(bool wide) {
    const GivenValues fromInstruction = ReadGivenValues(instruction_);
    std::vector<GivenValues> fromParts(q_.parts.size());
    bool unread = fromInstruction.unread || fromInstruction.condition;
    std::vector<std::pair<char, GiNaC::ex>> values = fromInstruction.values;
    for (std::size_t i = 0; i < q_.parts.size(); ++i) {
        if (q_.parts[i].blank) continue;
        fromParts[i] = ReadGivenValues(description(i));
        unread = unread || fromParts[i].unread || fromParts[i].condition;
        values.insert(values.end(), fromParts[i].values.begin(), fromParts[i].values.end());
    }
    for (const auto& [letter, v] : values) {
        const GiNaC::ex& s = LetterSymbol(letter);
        auto [at, fresh] = given_.insert({s, v});
        if (!fresh && !at->second.is_equal(v)) return notRead("two values for one letter");
        givenLetters_ |= 1u << (letter - 'a');
    }
    if (wide) {
        lines(std::nullopt);
        if (out_.kind == QuestionKind::Line) return;
        out_.numbers.clear();
        out_.why.clear();
    }
    if (unread) return notRead("values given in words not read");
    if (given_.empty()) return notRead("no values given");
    std::vector<Piece> pieces;
    if (!givenPieces(fromParts, fromInstruction, pieces)) return;
    for (std::size_t i = 0; i < q_.parts.size(); ++i)
        if (!q_.parts[i].blank) take(i, 0, fromParts[i].literals);
    formulas(pieces);
}

// The formulas beside the phrases that give values: ASCII runs of the descriptions, or the
// one equation of the instruction ("y=2x+1 で、x=3 のときの y の値").
bool Analyser::givenPieces(const std::vector<GivenValues>& fromParts,
                           const GivenValues& fromInstruction, std::vector<Piece>& pieces) {
    auto runs = [&](std::string_view text, const GivenValues& g, int part) {
        std::vector<bool> taken(text.size(), false);
        for (const auto& [from, to] : g.taken)
            for (std::size_t k = from; k < to && k < text.size(); ++k)
                taken[k] = true;
        for (std::size_t p = 0; p < text.size();) {
            if (taken[p]) {
                ++p;
                continue;
            }
            const bool wideRun = static_cast<unsigned char>(text[p]) >= 0x80;
            std::size_t e = p;
            while (e < text.size() && !taken[e] &&
                   (static_cast<unsigned char>(text[e]) >= 0x80) == wideRun)
                e += wideRun ? sjis::charLen(text, e) : 1;
            e = std::min(e, text.size());
            const std::string_view run = text.substr(p, e - p);
            if (wideRun) {
                if (part >= 0 && !OnlyJoiningWords(run)) return false;
            } else {
                for (const Chunk& c : SplitChunks(run)) {
                    const Chunk at{p + c.start, p + c.end};
                    // Stops and marks ("の値は？") say nothing.
                    const bool marks = std::string_view(text.substr(at.start, at.end - at.start))
                                           .find_first_not_of("?!.,") == std::string_view::npos;
                    if (!marks && !asksForLetter(text, at))
                        pieces.push_back(
                            {part, at.start, text.substr(at.start, at.end - at.start)});
                }
            }
            p = e;
        }
        return true;
    };
    for (std::size_t i = 0; i < q_.parts.size(); ++i)
        if (!q_.parts[i].blank && !runs(description(i), fromParts[i], static_cast<int>(i))) {
            notRead("words beside the formula");
            return false;
        }
    if (!pieces.empty()) return true;
    // The question is only its answer: the one equation of the instruction.
    std::vector<Piece> said;
    runs(instruction_, fromInstruction, -1);
    for (const Piece& p : pieces) {
        // An equation the values are put into, with a letter left to find.
        const Formula f = ReadFormula(p.text);
        if (f.ok && !f.openEnd && !f.relations.empty() && (f.letters & givenLetters_) &&
            (f.letters & ~givenLetters_))
            said.push_back(p);
    }
    pieces = said;
    if (pieces.size() != 1) {
        notRead("no formula to put the values in");
        return false;
    }
    return true;
}

void Analyser::formulas(const std::vector<Piece>& pieces) {
    std::vector<GiNaC::ex> eqs;
    std::optional<GiNaC::ex> value;
    bool openEnd = false;
    unsigned letters = 0;
    int count = 0;
    std::optional<GiNaC::ex> given; // "y=..." alone
    for (const Piece& piece : pieces) {
        ++count;
        Formula f = ReadFormula(piece.text);
        if (system_ && f.ok && piece.part >= 0) {
            // Read again with each number that may change standing as its symbol.
            LiteralValues symbols;
            const int base = static_cast<int>(out_.numbers.size());
            for (std::size_t k = 0; k < f.literals.size(); ++k)
                if (f.literals[k].role != Literal::Role::Fixed)
                    symbols[static_cast<int>(k)] = NumberSymbol(base + static_cast<int>(k));
            Formula read = ReadFormula(piece.text, &symbols);
            if (!read.ok || read.literals.size() != f.literals.size())
                return notRead("numbers as symbols");
            f = std::move(read);
        }
        if (f.divisionByZero) return everyBlank(Status::DivisionByZero);
        if (!f.ok) return notRead("formula: " + f.why);
        if (f.letterInDenominator) return notRead("a letter in a denominator");
        if (piece.part >= 0) {
            take(static_cast<std::size_t>(piece.part), piece.at, f.literals);
            out_.shape.insert(out_.shape.end(), f.shape.begin(), f.shape.end());
        }
        letters |= f.letters;
        std::vector<GiNaC::ex> sides = f.sides;
        if (!given_.empty())
            for (GiNaC::ex& side : sides)
                side = GiNaC::expand(side.subs(given_));
        const auto& r = f.relations;
        if (r.empty() || (f.openEnd && r.size() == 1)) {
            value = sides[0];
            openEnd = f.openEnd;
        } else if (f.openEnd) {
            return notRead("relations");
        } else if (r.size() == 3 && r[0] == Relation::Ratio && r[1] == Relation::Equal &&
                   r[2] == Relation::Ratio) {
            eqs.push_back(sides[0] * sides[3] - sides[1] * sides[2]);
        } else {
            for (std::size_t k = 0; k < r.size(); ++k) {
                if (r[k] != Relation::Equal) return notRead("not an equation");
                eqs.push_back(sides[k] - sides[k + 1]);
            }
            if (r.size() == 1 && given_.empty() && sides[0].is_equal(LetterSymbol('y')))
                given = sides[1];
        }
    }
    letters &= ~givenLetters_;
    if (value) {
        if (count != 1) return notRead("an expression among other formulas");
        return expression(*value, letters, openEnd);
    }
    if (std::popcount(letters) == 2 && eqs.size() == 1 && given) return lines(given);
    equations(eqs, letters);
}

void Analyser::expression(const GiNaC::ex& value, unsigned letters, bool openEnd) {
    if (!given_.empty()) {
        // Every letter has its value: the answer is a number.
        if (letters) return notRead("a letter without a value");
    } else if (letters && mentions(instruction_, "式の値")) {
        return notRead("the value of an expression whose letters have no values");
    }
    const bool asked = !given_.empty() || openEnd || mentions(instruction_, "計算") ||
                       mentions(instruction_, "簡単") || mentions(instruction_, "式の値");
    if (!asked) return notRead("no instruction to work the expression out");
    if (out_.blanks.size() != 1 || labels_[0].kind != Label::Kind::None)
        return notRead("an expression with more than one answer");
    out_.kind = QuestionKind::Expression;
    out_.blanks[0] = {Status::Checked, {{0, value}}, letters};
}

void Analyser::equations(const std::vector<GiNaC::ex>& eqs, unsigned letters) {
    const int unknowns = std::popcount(letters);
    if (eqs.empty() || unknowns < 1 || unknowns > 2 ||
        eqs.size() != static_cast<std::size_t>(unknowns))
        return notRead("as many equations as unknowns, one or two");
    std::vector<char> names;
    for (char c = 'a'; c <= 'z'; ++c)
        if (letters & (1u << (c - 'a'))) names.push_back(c);
    for (const Label& l : labels_) {
        if (l.kind == Label::Kind::Letter &&
            (l.letter == names.front() || l.letter == names.back()))
            continue;
        if (l.kind != Label::Kind::None) return notRead("an answer labelled with another letter");
        if (!asksForValues()) return notRead("no instruction to solve");
    }
    if (unknowns == 1 && out_.blanks.size() != 1) return notRead("one unknown, several answers");

    // Linear in the unknowns: a matrix of coefficients and the right-hand sides.
    GiNaC::lst symbols;
    for (char c : names)
        symbols.append(LetterSymbol(c));
    const unsigned n = static_cast<unsigned>(unknowns);
    GiNaC::matrix a(n, n), ab(n, n + 1);
    GiNaC::lst system;
    for (unsigned r = 0; r < n; ++r) {
        const GiNaC::ex e = GiNaC::expand(eqs[r]);
        GiNaC::ex rest = e;
        for (unsigned k = 0; k < n; ++k) {
            const GiNaC::ex& s = symbols.op(k);
            if (!e.is_polynomial(s) || e.degree(s) > 1) return notRead("not linear");
            const GiNaC::ex c = e.coeff(s, 1);
            for (unsigned j = 0; j < n; ++j)
                if (c.has(symbols.op(j))) return notRead("not linear");
            a(r, k) = ab(r, k) = c;
            rest -= c * s;
        }
        rest = GiNaC::expand(rest);
        for (unsigned j = 0; j < n; ++j)
            if (rest.has(symbols.op(j))) return notRead("not linear");
        ab(r, n) = -rest;
        system.append(e == 0);
    }
    out_.kind = n == 1 ? QuestionKind::Equation : QuestionKind::Pair;
    if (system_) {
        system_->ok = true;
        system_->unknowns = names;
        for (unsigned r = 0; r < n; ++r) {
            system_->rows.emplace_back();
            for (unsigned c = 0; c <= n; ++c)
                system_->rows.back().push_back(ab(r, c));
        }
        return;
    }
    std::vector<std::pair<char, GiNaC::ex>> values;
    if (const std::optional<Solved> solved = solveRational(ab)) {
        if (solved->status != Status::Checked) return everyBlank(solved->status);
        for (unsigned k = 0; k < n; ++k)
            values.push_back({names[k], solved->values[k]});
    } else {
        const unsigned rank = a.rank();
        if (rank < n)
            return everyBlank(ab.rank() > rank ? Status::NoSolution : Status::Indeterminate);
        const GiNaC::ex solution = GiNaC::lsolve(system, symbols);
        for (unsigned k = 0; k < n; ++k)
            values.push_back({names[k], solution.op(k).rhs()});
    }
    for (std::size_t b = 0; b < out_.blanks.size(); ++b) {
        Expectation& e = out_.blanks[b];
        e.status = Status::Checked;
        if (labels_[b].kind == Label::Kind::Letter) {
            for (const auto& v : values)
                if (v.first == labels_[b].letter) e.values = {v};
        } else {
            e.values = values; // one unknown: the key may leave out its letter
        }
    }
}

void Analyser::lines(const std::optional<GiNaC::ex>& givenFormula) {
    const GiNaC::symbol& x = LetterSymbol('x');
    LineFacts facts;
    if (givenFormula) {
        const GiNaC::ex g = GiNaC::expand(*givenFormula);
        if (g.has(LetterSymbol('y')) || !g.is_polynomial(x) || g.degree(x) > 1)
            return notRead("not a straight line");
        facts.given = g;
    } else {
        for (std::size_t i = 0; i < q_.parts.size(); ++i) {
            if (q_.parts[i].blank) continue;
            const std::size_t before = facts.literals.size();
            if (!ReadLineFacts(description(i), facts)) return notRead("words not known");
            std::vector<Literal> read(facts.literals.begin() + static_cast<long>(before),
                                      facts.literals.end());
            for (Literal& lit : read)
                if (lit.partner >= 0) lit.partner -= static_cast<int>(before);
            take(i, 0, read);
        }
    }
    // The line: given as it stands, or from exactly two conditions.
    std::optional<std::pair<GiNaC::ex, GiNaC::ex>> line; // slope, intercept
    Status lineStatus = Status::NotChecked;
    if (facts.given && facts.constraints() == 0) {
        line = {facts.given->coeff(x, 1), facts.given->coeff(x, 0)};
        lineStatus = Status::Checked;
    } else if (!facts.given && facts.constraints() == 2) {
        GiNaC::symbol m("m"), b("b");
        GiNaC::lst system;
        GiNaC::matrix a(2, 2), ab(2, 3);
        unsigned r = 0;
        auto row = [&](const GiNaC::ex& cm, const GiNaC::ex& cb, const GiNaC::ex& rhs) {
            a(r, 0) = ab(r, 0) = cm;
            a(r, 1) = ab(r, 1) = cb;
            ab(r, 2) = rhs;
            system.append(cm * m + cb * b == rhs);
            ++r;
        };
        if (facts.slope) row(1, 0, *facts.slope);
        if (facts.intercept) row(0, 1, *facts.intercept);
        for (const auto& [px, py] : facts.points)
            row(px, 1, py);
        const std::optional<Solved> solved = solveRational(ab);
        const unsigned rank = solved ? 0 : a.rank();
        if (solved) {
            lineStatus = solved->status;
            if (lineStatus == Status::Checked) line = {solved->values[0], solved->values[1]};
        } else if (rank == 2) {
            const GiNaC::ex s = GiNaC::lsolve(system, GiNaC::lst{m, b});
            line = {s.op(0).rhs(), s.op(1).rhs()};
            lineStatus = Status::Checked;
        } else {
            lineStatus = ab.rank() > rank ? Status::NoSolution : Status::Indeterminate;
        }
    }
    const bool change = mentions(instruction_, "変化の割合");
    std::optional<GiNaC::ex> rule = facts.given;
    if (!rule && mentions(instruction_, "増加量")) rule = LineInInstruction(instruction_);
    bool any = false;
    for (std::size_t k = 0; k < out_.blanks.size(); ++k) {
        Expectation& e = out_.blanks[k];
        const Label& l = labels_[k];
        if (l.kind == Label::Kind::None && !change && rule && facts.interval &&
            facts.constraints() == 0) {
            // The increase of y while x goes from one value to another.
            const GiNaC::ex f = *rule;
            e = {Status::Checked,
                 {{0, f.subs(x == facts.interval->second) - f.subs(x == facts.interval->first)}},
                 0};
            any = true;
            continue;
        }
        const bool wantsLine = l.kind == Label::Kind::Letter && l.letter == 'y';
        const bool wantsSlope =
            l.kind == Label::Kind::Slope || (l.kind == Label::Kind::None && change);
        if (!wantsLine && !wantsSlope && l.kind != Label::Kind::Intercept) continue;
        if (facts.interval) continue;
        any = true;
        if (lineStatus != Status::Checked) {
            e = {lineStatus, {}, 0};
            continue;
        }
        if (wantsLine)
            e = {Status::Checked, {{'y', line->first * x + line->second}}, 1u << ('x' - 'a')};
        else
            e = {Status::Checked, {{0, wantsSlope ? line->first : line->second}}, 0};
    }
    if (!any) return notRead("no answer asks for the line");
    if (!given_.empty()) {
        // "x=3 のときの y の値": the line's y at the given x.
        if (givenLetters_ != 1u << ('x' - 'a')) return notRead("values for letters of no line");
        for (Expectation& e : out_.blanks)
            if (e.status == Status::Checked && e.values.size() == 1 && e.values[0].first == 'y')
                e = {Status::Checked, {{'y', GiNaC::expand(e.values[0].second.subs(given_))}}, 0};
    }
    out_.kind = QuestionKind::Line;
}

} // namespace

QuestionAnalysis AnalyseQuestion(const Question& q, std::string_view instruction) {
    return Analyser(q, instruction).run();
}

const GiNaC::symbol& NumberSymbol(int k) {
    thread_local std::deque<GiNaC::symbol> symbols; // references stay valid as it grows
    while (symbols.size() <= static_cast<std::size_t>(k))
        symbols.emplace_back("#" + std::to_string(symbols.size()));
    return symbols[static_cast<std::size_t>(k)];
}

NumberSystem AnalyseNumberSystem(const Question& q, std::string_view instruction) {
    NumberSystem system;
    const QuestionAnalysis a = Analyser(q, instruction, &system).run();
    if (!system.ok || (a.kind != QuestionKind::Equation && a.kind != QuestionKind::Pair))
        return {};
    system.numbers = a.numbers.size();
    return system;
}

} // namespace keys
