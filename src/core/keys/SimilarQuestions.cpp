#include "keys/SimilarQuestions.h"

#include <algorithm>
#include <exception>
#include <map>
#include <optional>
#include <unordered_map>

#include "keys/AnswerText.h"
#include "keys/KeyAnalysis.h"
#include "keys/KeyCheck.h"
#include "keys/NewNumbers.h"
#include "keys/NumberAnswers.h"
#include "keys/ReadingText.h"
#include "keys/SeededRandom.h"
#include "keys/UnitQuestions.h"

namespace keys {

namespace {

// Draws per question, and for the whole unit, before questions are copied as they are.
constexpr int MaxAttempts = 1000;
constexpr int MaxUnitAttempts = 12000;

struct Edit {
    int line = 0;
    std::size_t start = 0, end = 0; // bytes of the line
    std::string text;
};

// The numbers of a value the simplicity of an answer is judged by: the value itself, or
// the slope and intercept of a line.
std::vector<GiNaC::ex> parts(const GiNaC::ex& v) {
    if (GiNaC::is_a<GiNaC::numeric>(v)) return {v};
    const GiNaC::symbol& x = LetterSymbol('x');
    const GiNaC::ex e = GiNaC::expand(v);
    if (!e.is_polynomial(x) || e.degree(x) > 1) return {};
    const GiNaC::ex m = e.coeff(x, 1), b = e.coeff(x, 0);
    if (!GiNaC::is_a<GiNaC::numeric>(m) || !GiNaC::is_a<GiNaC::numeric>(b)) return {};
    return {m, b};
}

// The reading of a number as written: digits and a point read as they stand.
std::string readingOf(std::string_view written) {
    if (written.find_first_not_of("0123456789.") == std::string_view::npos)
        return std::string(written);
    return MakeReadingText(written).text;
}

// Applies edits to lines (each edit's line must be in lines); a length change is made up in
// the next run of blanks behind it, so that the columns of a two-column line stay put.
void apply(Lines& lines, std::vector<Edit> edits) {
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) {
        return a.line != b.line ? a.line > b.line : a.start > b.start;
    });
    for (const Edit& e : edits) {
        std::string& l = lines[static_cast<std::size_t>(e.line)];
        const long delta = static_cast<long>(e.text.size()) - static_cast<long>(e.end - e.start);
        l.replace(e.start, e.end - e.start, e.text);
        const std::size_t run = l.find("  ", e.start + e.text.size());
        if (delta == 0 || run == std::string::npos) continue;
        std::size_t length = 0;
        while (run + length < l.size() && l[run + length] == ' ')
            ++length;
        if (delta > 0)
            l.erase(run, std::min<std::size_t>(static_cast<std::size_t>(delta), length - 1));
        else
            l.insert(run, static_cast<std::size_t>(-delta), ' ');
    }
}

// What stays the same for a question in every copy made from it: its reading, and the
// answers of its numbers by arithmetic alone (made when it is first remade).
struct KnownQuestion {
    QuestionAnalysis analysis;
    std::optional<NumberAnswers> quick;
    bool quickAgrees = false;
};

// The questions already read on this thread, by their lines, place and instruction. The
// algebra library's values are kept on the thread that made them.
std::unordered_map<std::string, KnownQuestion>& knownQuestions() {
    thread_local std::unordered_map<std::string, KnownQuestion> known;
    return known;
}

class Maker {
  public:
    Maker(std::span<const std::string_view> ques, std::uint64_t seed) : random_(seed) {
        for (std::string_view l : ques)
            out_.ques.emplace_back(l);
    }
    SimilarUnit run();

  private:
    bool remake(const Question& q, std::string_view instruction, int ordinal,
                KnownQuestion& known);
    bool draw(const QuestionAnalysis& a, const std::vector<std::string>& readings,
              std::vector<Edit>& edits,
              std::vector<std::string>& texts);
    static std::optional<std::vector<std::pair<char, GiNaC::numeric>>>
    quickSolve(const NumberAnswers& quick, const std::vector<SmallRatio>& own,
               const std::vector<std::string>& texts, bool& known);
    static bool quickReject(const NumberAnswers& quick, const QuestionAnalysis& original,
                            const std::vector<SmallRatio>& own,
                            const std::vector<std::string>& texts, const std::vector<int>& places);
    static bool quickAgrees(const NumberAnswers& quick, const QuestionAnalysis& original,
                            const std::vector<SmallRatio>& own);
    bool confirmed(const Lines& trial, int ordinal, std::string_view instruction) const;
    const Question* find(const UnitQuestions& sub, int ordinal) const;

    SeededRandom random_;
    SimilarUnit out_;
    int attempts_ = 0;
};

const Question* Maker::find(const UnitQuestions& sub, int ordinal) const {
    for (const Question& q : sub.questions)
        if (!q.parts.empty() && q.parts.front().line == 0 && ordinal-- == 0) return &q;
    return nullptr;
}

// Whether the checker finds every key of the remade question right: a key it cannot
// confirm is never written.
bool Maker::confirmed(const Lines& trial, int ordinal, std::string_view instruction) const {
    const LineViews views = lines::views(trial);
    const UnitQuestions sub = SplitQuestions(views);
    const Question* q = find(sub, ordinal);
    if (!q) return false;
    UnitKeyCheck check;
    CheckQuestionKeys(views, *q, instruction, check);
    return check.findings.empty() && check.tally.notChecked == 0 && check.tally.wrong == 0 &&
           check.tally.checked == q->blankCount();
}

// New numbers for every number of the question that may change; texts[k] is what number k
// now reads (empty where it stays as it is).
bool Maker::draw(const QuestionAnalysis& a, const std::vector<std::string>& readings,
                 std::vector<Edit>& edits, std::vector<std::string>& texts) {
    bool changed = false;
    texts.assign(a.numbers.size(), std::string());
    std::vector<bool> done(a.numbers.size(), false);
    // Numbers written alike stay alike (the 2y of both equations of a pair solved by
    // adding them): one new value per value, not 1 where any of them is a coefficient.
    std::map<std::string, std::string> alike;
    std::map<std::string, bool> neverOne;
    for (std::size_t k = 0; k < a.numbers.size(); ++k)
        if (a.numbers[k].role == Literal::Role::Whole || a.numbers[k].role == Literal::Role::Decimal)
            neverOne[readings[k]] |= a.numbers[k].neverOne;
    for (std::size_t k = 0; k < a.numbers.size(); ++k) {
        if (done[k]) continue;
        done[k] = true;
        const QuestionNumber& n = a.numbers[k];
        const std::string& line = out_.ques[static_cast<std::size_t>(n.line)];
        const std::string_view written =
            std::string_view(line).substr(n.span.start, n.span.end - n.span.start);
        std::string text;
        switch (n.role) {
        case Literal::Role::Fixed:
            continue;
        case Literal::Role::Whole:
        case Literal::Role::Decimal: {
            const std::string& value = readings[k];
            auto same = alike.find(value);
            if (same != alike.end()) {
                text = InWidthOf(written, same->second);
                break;
            }
            text = n.role == Literal::Role::Whole ? NewWhole(written, random_, neverOne[value])
                                                  : NewDecimal(written, random_);
            alike[value] = readingOf(text);
            break;
        }
        case Literal::Role::Numerator:
        case Literal::Role::Denominator: {
            const auto p = static_cast<std::size_t>(n.partner);
            const QuestionNumber& other = a.numbers[p];
            done[p] = true;
            const std::string_view otherWritten =
                std::string_view(out_.ques[static_cast<std::size_t>(other.line)])
                    .substr(other.span.start, other.span.end - other.span.start);
            const bool first = n.role == Literal::Role::Numerator;
            std::string num, den;
            NewFraction(first ? written : otherWritten, first ? otherWritten : written, random_,
                        num, den);
            const std::string& otherText = first ? den : num;
            text = first ? num : den;
            texts[p] = otherText;
            if (otherText != otherWritten) {
                edits.push_back({other.line, other.span.start, other.span.end, otherText});
                changed = true;
            }
            break;
        }
        }
        texts[k] = text;
        if (text == written) continue;
        edits.push_back({n.line, n.span.start, n.span.end, text});
        changed = true;
    }
    return changed;
}

// The answers with the drawn numbers (texts[k] empty: the question's own, own[k]); known is
// false when a drawn number is not read here.
std::optional<std::vector<std::pair<char, GiNaC::numeric>>>
Maker::quickSolve(const NumberAnswers& quick, const std::vector<SmallRatio>& own,
                  const std::vector<std::string>& texts, bool& known) {
    known = false;
    std::vector<SmallRatio> values = own;
    for (std::size_t k = 0; k < texts.size() && k < values.size(); ++k) {
        if (texts[k].empty()) continue;
        const std::optional<SmallRatio> v = WrittenRatio(texts[k]);
        if (!v) return std::nullopt; // left to the full reading
        values[k] = *v;
    }
    known = true;
    return quick.solve(values);
}

// The new value of an answer's letter, or nothing.
const GiNaC::numeric* valueOf(const std::vector<std::pair<char, GiNaC::numeric>>& solved,
                              char letter) {
    for (const auto& [l, v] : solved)
        if (l == letter) return &v;
    return nullptr;
}

// Whether drawn numbers surely fail: their answers, worked out by arithmetic alone, are not
// single or not as simple as the original's. The full reading would reject them too; what
// passes here is still read, solved and checked in full.
bool Maker::quickReject(const NumberAnswers& quick, const QuestionAnalysis& original,
                        const std::vector<SmallRatio>& own,
                        const std::vector<std::string>& texts, const std::vector<int>& places) {
    bool known = false;
    const auto solved = quickSolve(quick, own, texts, known);
    if (!known) return false;
    if (!solved) return true;
    for (std::size_t b = 0; b < original.blanks.size(); ++b)
        for (const auto& [letter, was] : original.blanks[b].values) {
            const GiNaC::numeric* now = valueOf(*solved, letter);
            if (!now) return false;
            if (!AsSimpleAs(was, *now, places[b])) return true;
        }
    return false;
}

// Whether the answers by arithmetic alone are the original's own, with its own numbers.
bool Maker::quickAgrees(const NumberAnswers& quick, const QuestionAnalysis& original,
                        const std::vector<SmallRatio>& own) {
    if (!quick.usable() || quick.numberCount() != original.numbers.size() ||
        own.size() != original.numbers.size())
        return false;
    bool known = false;
    const auto solved = quickSolve(quick, own, {}, known);
    if (!known || !solved) return false;
    for (const Expectation& e : original.blanks)
        for (const auto& [letter, was] : e.values) {
            const GiNaC::numeric* now = valueOf(*solved, letter);
            if (!now || !(was - *now).is_zero()) return false;
        }
    return true;
}

bool Maker::remake(const Question& q, std::string_view instruction, int ordinal,
                   KnownQuestion& known) {
    const QuestionAnalysis& original = known.analysis;
    if (original.kind == QuestionKind::None) return false;
    for (const Expectation& e : original.blanks)
        if (e.status != Expectation::Status::Checked) return false;
    int first = q.parts.front().line, last = q.parts.back().line;

    // What each answer's keys look like: the blank, its alternatives, their decimal places.
    struct Blank {
        int line;
        std::size_t start, end;
        std::vector<std::string_view> alternatives;
        int places = -1;
    };
    std::vector<Blank> blanks;
    for (const QuestionPart& p : q.parts) {
        if (!p.blank) continue;
        Blank b{p.line, p.start, p.end, {}, -1};
        const std::string_view raw = std::string_view(out_.ques[static_cast<std::size_t>(p.line)])
                                         .substr(p.start, p.end - p.start);
        b.alternatives = Alternatives(raw);
        for (std::string_view alt : b.alternatives) {
            if (!ReadKeyValue(alt).ok) return false;
            b.places = std::max(b.places, WrittenDecimalPlaces(alt));
        }
        blanks.push_back(std::move(b));
    }

    bool changeable = false;
    for (const QuestionNumber& n : original.numbers) {
        const std::string_view w = std::string_view(out_.ques[static_cast<std::size_t>(n.line)])
                                       .substr(n.span.start, n.span.end - n.span.start);
        if (n.role != Literal::Role::Fixed && w.find_first_not_of("0.") != std::string_view::npos)
            changeable = true;
    }
    if (!changeable) return false;

    // Answers by arithmetic alone, when they agree with the full reading of the original.
    std::vector<SmallRatio> own;
    for (const QuestionNumber& n : original.numbers) {
        const std::optional<SmallRatio> v =
            WrittenRatio(std::string_view(out_.ques[static_cast<std::size_t>(n.line)])
                              .substr(n.span.start, n.span.end - n.span.start));
        if (!v) break;
        own.push_back(*v);
    }
    if (!known.quick) {
        known.quick.emplace(q, instruction);
        known.quickAgrees = quickAgrees(*known.quick, original, own);
    }
    const NumberAnswers& quick = *known.quick;
    const bool useQuick = known.quickAgrees && own.size() == original.numbers.size();
    std::vector<int> places;
    for (const Blank& b : blanks)
        places.push_back(b.places);
    // The numbers as read, for every draw.
    std::vector<std::string> readings;
    for (const QuestionNumber& n : original.numbers)
        readings.push_back(
            readingOf(std::string_view(out_.ques[static_cast<std::size_t>(n.line)])
                          .substr(n.span.start, n.span.end - n.span.start)));
    std::vector<std::string> texts;
    for (int attempt = 0; attempt < MaxAttempts && attempts_ < MaxUnitAttempts; ++attempt) {
        ++attempts_;
        std::vector<Edit> edits;
        if (!draw(original, readings, edits, texts)) continue; // drawn as they were
        if (useQuick && quickReject(quick, original, own, texts, places)) continue;
        Lines trial(out_.ques.begin() + first, out_.ques.begin() + last + 1);
        for (Edit& e : edits)
            e.line -= first;
        apply(trial, edits);
        LineViews views = lines::views(trial);
        const UnitQuestions sub = SplitQuestions(views);
        const Question* nq = find(sub, ordinal);
        if (!nq || nq->blankCount() != q.blankCount()) continue;
        const QuestionAnalysis now = AnalyseQuestion(*nq, instruction);
        if (now.kind != original.kind || now.shape != original.shape) continue;
        bool simple = true;
        for (std::size_t b = 0; b < now.blanks.size() && simple; ++b) {
            const Expectation& o = original.blanks[b];
            const Expectation& n = now.blanks[b];
            if (n.status != Expectation::Status::Checked || n.values.size() != o.values.size()) {
                simple = false;
                break;
            }
            for (std::size_t v = 0; v < o.values.size() && simple; ++v) {
                const std::vector<GiNaC::ex> po = parts(o.values[v].second);
                const std::vector<GiNaC::ex> pn = parts(n.values[v].second);
                simple = !po.empty() && po.size() == pn.size();
                for (std::size_t k = 0; k < po.size() && simple; ++k)
                    simple = AsSimpleAs(po[k], pn[k], blanks[b].places);
            }
        }
        if (!simple) continue;
        // The keys, worked out, in the forms the teacher wrote them.
        std::vector<Edit> keys;
        bool written = true;
        std::size_t b = 0;
        for (const QuestionPart& p : nq->parts) {
            if (!p.blank) continue;
            const Expectation& e = now.blanks[b];
            const std::string_view raw = std::string_view(trial[static_cast<std::size_t>(p.line)])
                                             .substr(p.start, p.end - p.start);
            std::string key;
            const std::vector<std::string_view> alternatives = Alternatives(raw);
            for (std::size_t k = 0; k < alternatives.size(); ++k) {
                const KeyValue kv = ReadKeyValue(alternatives[k]);
                const GiNaC::ex* value = e.values.size() == 1 ? &e.values[0].second : nullptr;
                for (const auto& v : e.values)
                    if (kv.letter && v.first == kv.letter) value = &v.second;
                const std::optional<std::string> text =
                    value ? RewriteAlternative(alternatives[k], *value) : std::nullopt;
                if (!text) written = false;
                if (k > 0) key += ';';
                key += text.value_or("");
            }
            keys.push_back({p.line, p.start, p.end, key});
            ++b;
        }
        if (!written) continue;
        apply(trial, keys);
        if (!confirmed(trial, ordinal, instruction)) continue;
        for (int l = first; l <= last; ++l)
            out_.ques[static_cast<std::size_t>(l)] = trial[static_cast<std::size_t>(l - first)];
        return true;
    }
    return false;
}

SimilarUnit Maker::run() {
    std::vector<std::string_view> views;
    const Lines original = out_.ques;
    for (const std::string& l : original)
        views.push_back(l);
    const UnitQuestions unit = SplitQuestions(views);
    std::unordered_map<std::string, KnownQuestion>& known = knownQuestions();
    if (known.size() > 4000) known.clear(); // a bound on what is remembered
    // From the last question to the first: a question's changes never move the bytes of
    // those before it on its line.
    for (std::size_t i = unit.questions.size(); i-- > 0;) {
        const Question& q = unit.questions[i];
        if (q.blankCount() == 0) continue;
        int ordinal = 0;
        for (std::size_t j = i; j-- > 0;)
            if (!unit.questions[j].parts.empty() &&
                unit.questions[j].parts.front().line == q.parts.front().line)
                ++ordinal;
        const std::string_view instruction =
            q.instruction >= 0
                ? std::string_view(unit.instructions[static_cast<std::size_t>(q.instruction)])
                : std::string_view();
        bool made = false;
        std::string key(instruction);
        key += '\0';
        key += std::to_string(q.parts.front().line) + ' ' + std::to_string(q.parts.front().start) +
               ' ' + std::to_string(q.parts.back().end) + '\0';
        for (int l = q.parts.front().line; l <= q.parts.back().line; ++l)
            key += original[static_cast<std::size_t>(l)] + '\n';
        auto at = known.find(key);
        if (at == known.end())
            at = known.emplace(std::move(key), KnownQuestion{AnalyseQuestion(q, instruction), {}, false})
                     .first;
        const QuestionAnalysis& a = at->second.analysis;
        bool read = a.kind != QuestionKind::None;
        for (const Expectation& e : a.blanks)
            read = read && e.status == Expectation::Status::Checked;
        try {
            made = read && remake(q, instruction, ordinal, at->second);
        } catch (const std::exception&) {
            made = false;
        }
        if (made) {
            ++out_.remade;
        } else {
            out_.copied.push_back(
                {q.parts.front().line, q.number,
                 read ? CopiedQuestion::Why::NoNewNumbers : CopiedQuestion::Why::NotChecked});
        }
    }
    std::reverse(out_.copied.begin(), out_.copied.end());
    return std::move(out_);
}

} // namespace

} // namespace keys

SimilarUnit MakeSimilarUnit(std::span<const std::string_view> ques, std::uint64_t seed) {
    return keys::Maker(ques, seed).run();
}
