// Similar questions made with their keys: a thousand of them, made from the bundled
// course, re-checked by the checker; only numbers change, answers stay as simple, and the
// same seed makes the same question.
#include <gtest/gtest.h>

#include <cctype>
#include <sstream>

#include "BundledCourse.h"
#include "CourseFixture.h"
#include "keys/AnswerText.h"
#include "keys/FormulaReader.h"
#include "keys/KeyCheck.h"
#include "keys/SimilarQuestions.h"

using namespace keys;

namespace {

SimilarUnit make(const Lines& ques, std::uint64_t seed) {
    const LineViews views = lines::views(ques);
    return MakeSimilarUnit(views, seed);
}

UnitKeyCheck check(const Lines& ques) {
    const LineViews views = lines::views(ques);
    return CheckUnitKeys(views);
}

// The line outside its answers with every digit a "9" and blanks run together: what stays
// when only the numbers of a question change.
std::string shape(const std::string& line) {
    std::string out;
    bool inAnswer = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '#') {
            inAnswer = !inAnswer;
            out += c;
            continue;
        }
        if (inAnswer) continue;
        if (sjis::isLead(c) && i + 1 < line.size()) {
            const auto t = static_cast<unsigned char>(line[i + 1]);
            if (c == '\x82' && t >= 0x4F && t <= 0x58) // a full-width digit
                out += '9';
            else
                out += line.substr(i, 2);
            ++i;
        } else if (c >= '0' && c <= '9') {
            out += '9';
        } else if (c != ' ' || out.empty() || out.back() != ' ') {
            out += c;
        }
    }
    return out;
}

std::vector<std::string_view> answers(const std::string& line) {
    std::vector<std::string_view> out;
    for (std::size_t open = line.find('#'); open != std::string::npos;) {
        const std::size_t close = line.find('#', open + 1);
        if (close == std::string::npos) break;
        out.push_back(std::string_view(line).substr(open + 1, close - open - 1));
        open = line.find('#', close + 1);
    }
    return out;
}

// The numbers an answer's simplicity is judged by: the value, or slope and intercept.
std::vector<GiNaC::numeric> numbers(const GiNaC::ex& v) {
    const GiNaC::symbol& x = LetterSymbol('x');
    const GiNaC::ex e = GiNaC::expand(v);
    std::vector<GiNaC::numeric> out;
    for (const GiNaC::ex& c : {e.coeff(x, 1), e.coeff(x, 0)})
        if (GiNaC::is_a<GiNaC::numeric>(c)) out.push_back(GiNaC::ex_to<GiNaC::numeric>(c));
    return out;
}

std::size_t digits(const GiNaC::numeric& n) {
    std::ostringstream s;
    s << GiNaC::abs(n);
    return s.str().size();
}

// A new key against the original one: same letter and form, whole numbers stay whole and
// no longer, fractions stay fractions (proper when they were) with a denominator up to 9
// or the original's, signs stay.
void expectAsSimple(std::string_view before, std::string_view after, const std::string& where) {
    const KeyValue o = ReadKeyValue(before), n = ReadKeyValue(after);
    ASSERT_TRUE(o.ok && n.ok) << where;
    EXPECT_EQ(o.letter, n.letter) << where;
    EXPECT_EQ(o.form, n.form) << where;
    const std::vector<GiNaC::numeric> on = numbers(o.value), nn = numbers(n.value);
    ASSERT_EQ(on.size(), nn.size()) << where;
    for (std::size_t k = 0; k < on.size(); ++k) {
        const GiNaC::numeric& a = on[k];
        const GiNaC::numeric& b = nn[k];
        if (a.is_zero()) continue;
        EXPECT_EQ(a.is_negative(), b.is_negative()) << where;
        if (a.is_integer()) {
            EXPECT_TRUE(b.is_integer()) << where;
            EXPECT_LE(digits(b), digits(a)) << where;
        } else {
            EXPECT_FALSE(b.is_integer()) << where;
            const GiNaC::numeric one(1);
            EXPECT_EQ(GiNaC::abs(a) < one, GiNaC::abs(b) < one) << where;
            EXPECT_LE(b.denom(), std::max(GiNaC::numeric(9), a.denom())) << where;
        }
    }
}

TEST(KeysSimilar, AThousandQuestionsMadeFromTheCourseAreRightAndAsSimple) {
    const std::vector<CourseUnit> units = courseUnits();
    int remade = 0;
    for (std::uint64_t seed = 1; remade < 1000; ++seed) {
        ASSERT_LT(seed, 20u) << "too few questions remade";
        for (const CourseUnit& u : units) {
            const SimilarUnit s = make(u.ques, seed);
            ASSERT_EQ(s.ques.size(), u.ques.size());
            remade += s.remade;
            const UnitKeyCheck before = check(u.ques), after = check(s.ques);
            for (const KeyFinding& f : after.findings)
                ADD_FAILURE() << U(s.ques[static_cast<std::size_t>(f.line)]) << ": "
                              << U(f.message);
            EXPECT_EQ(after.tally.checked, before.tally.checked) << u.file;
            int changedLines = 0;
            for (std::size_t l = 0; l < u.ques.size(); ++l) {
                const std::string where = u.file + ": " + U(u.ques[l]) + " -> " + U(s.ques[l]);
                EXPECT_EQ(shape(s.ques[l]), shape(u.ques[l])) << where;
                if (s.ques[l] == u.ques[l]) continue;
                ++changedLines;
                const auto a = answers(u.ques[l]), b = answers(s.ques[l]);
                ASSERT_EQ(a.size(), b.size()) << where;
                for (std::size_t k = 0; k < a.size(); ++k) {
                    const auto ao = Alternatives(a[k]), bo = Alternatives(b[k]);
                    ASSERT_EQ(ao.size(), bo.size()) << where;
                    for (std::size_t j = 0; j < ao.size(); ++j)
                        expectAsSimple(ao[j], bo[j], where);
                }
            }
            EXPECT_TRUE(s.remade == 0 || changedLines > 0) << u.file;
        }
    }
}

TEST(KeysSimilar, TheSameSeedMakesTheSameQuestion) {
    const std::vector<CourseUnit> units = courseUnits();
    const Lines& first = units.front().ques;
    EXPECT_EQ(make(first, 7).ques, make(first, 7).ques);
    EXPECT_NE(make(first, 7).ques, make(first, 8).ques);
}

TEST(KeysSimilar, QuestionsThatAreNotRemadeAreCopiedAndListed) {
    const Lines ques = {S("@B方程式をつくって答えなさい。"),
                        S("(1) ある数を 3 倍して 5 をひくと、もとの数より 9 大きくなる。"),
                        S("    もとの数は  # 7#"),
                        S("@B次の方程式を解きなさい。"),
                        S("(2) x+3^2=2^4# 7 #"),
                        S("(3) 2x+5=17# 6#"),
                        S("（４）　２ｘ－３＝１１　　ｘ＝#　７　#")};
    const SimilarUnit s = make(ques, 3);
    ASSERT_EQ(s.copied.size(), 2u);
    EXPECT_EQ(s.copied[0].line, 1);
    EXPECT_EQ(U(s.copied[0].number), "(1)");
    EXPECT_EQ(s.copied[0].why, CopiedQuestion::Why::NotChecked);
    EXPECT_EQ(s.copied[1].line, 4); // its numbers are a power's: nothing to change
    EXPECT_EQ(s.copied[1].why, CopiedQuestion::Why::NoNewNumbers);
    EXPECT_EQ(s.remade, 2);
    for (std::size_t l : {0u, 1u, 2u, 3u, 4u})
        EXPECT_EQ(s.ques[l], ques[l]);
    EXPECT_NE(s.ques[5], ques[5]);
    // A question typed in full width keeps its width.
    EXPECT_NE(s.ques[6], ques[6]);
    EXPECT_EQ(s.ques[6].find_first_of("0123456789"), std::string::npos) << U(s.ques[6]);
    EXPECT_EQ(check(s.ques).tally.wrong, 0);
}

TEST(KeysSimilar, NumbersWrittenAlikeStayAlike) {
    // A pair meant to be solved by adding its equations keeps its matching coefficients.
    const Lines ques = {S("@B2 つの式をたすかひくかして解きなさい。"), S("(1) 3x+2y=8"),
                        S("    x+2y=4       x=# 2 #    y=# 1 #")};
    int remade = 0;
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
        const SimilarUnit s = make(ques, seed);
        remade += s.remade;
        const std::string a = s.ques[1], b = s.ques[2];
        const std::size_t ya = a.find('y'), yb = b.find('y');
        ASSERT_NE(ya, std::string::npos);
        ASSERT_NE(yb, std::string::npos);
        EXPECT_EQ(a[ya - 1], b[yb - 1]) << a << " / " << b;
        EXPECT_EQ(check(s.ques).tally.wrong, 0);
    }
    EXPECT_GT(remade, 10);
}

TEST(KeysSimilar, QuestionsThatGiveValuesForTheLettersGetNumbersAsKeys) {
    const Lines ques = {S("@Bx=-2, y=3 のとき、次の式の値を求めなさい。"),
                        S("(1) 3x+2y# 0#"),
                        S("(2) 4x-y# -11#"),
                        S("@B次の問いに答えなさい。"),
                        S("(3) a=4 のとき、2a-5 の値# 3#"),
                        S("(4) y=2x+1 で、x=3 のときの y の値  y=# 7#"),
                        S("@Bx=3 のときの y の値を求めなさい。"),
                        S("(5) y=2x+1  y=# 7#")};
    int remade = 0;
    for (std::uint64_t seed = 1; seed <= 30; ++seed) {
        const SimilarUnit s = make(ques, seed);
        remade += s.remade;
        for (const std::string& line : s.ques)
            for (std::string_view answer : answers(line)) {
                const KeyValue k = ReadKeyValue(answer);
                EXPECT_TRUE(k.ok && k.letters == 0) << U(line);
            }
        const UnitKeyCheck c = check(s.ques);
        EXPECT_TRUE(c.findings.empty()) << seed;
        EXPECT_EQ(c.tally.checked, 5) << seed;
    }
    EXPECT_GT(remade, 100);
}

// The terms of a ratio that are one whole number: "x:6=2:3" gives 6, 2, 3.
std::vector<std::string> ratioTerms(const std::string& formula) {
    std::vector<std::string> out;
    std::string term;
    for (char c : formula + "=") {
        if (c != ':' && c != '=') {
            term += c;
            continue;
        }
        if (!term.empty() && term.find_first_not_of("0123456789") == std::string::npos)
            out.push_back(term);
        term.clear();
    }
    return out;
}

// The whole numbers either side of "*" and "\\".
std::vector<std::string> factors(const std::string& formula) {
    std::vector<std::string> out;
    auto digit = [&](std::size_t k) {
        return k < formula.size() && std::isdigit(static_cast<unsigned char>(formula[k]));
    };
    for (std::size_t at = 0; at < formula.size(); ++at) {
        if (formula[at] != '*' && formula[at] != '\\') continue;
        std::size_t from = at;
        while (from > 0 && digit(from - 1))
            --from;
        if (from < at) out.push_back(formula.substr(from, at - from));
        std::size_t to = at + 1;
        while (digit(to))
            ++to;
        if (to > at + 1) out.push_back(formula.substr(at + 1, to - at - 1));
    }
    return out;
}

TEST(KeysSimilar, ProportionsFactorsAndFractionsKeepTheirShape) {
    const Lines ques = {S("@B次の比例式で、x の値を求めなさい。"),
                        S("(1) x:6=2:3# 4#"),
                        S("(2) x:18=3:2# 27#"),
                        S("(3) 4:x=8:6# 3#"),
                        S("(4) 0.5:2=x:8# 2#"),
                        S("@B次の方程式を解きなさい。"),
                        S("(5) 5*x=3*x+8# 4#"),
                        S("(6) x\\3=4# 12#"),
                        S("(7) [2x-1]/3=[x+4]/2# 14#"),
                        S("(8) [x+2]/3=[x-1]/4# -11#")};
    int remade = 0, questions = 0;
    for (std::uint64_t seed = 1; seed <= 150; ++seed) {
        const SimilarUnit s = make(ques, seed);
        remade += s.remade;
        questions += 8;
        EXPECT_EQ(check(s.ques).tally.wrong, 0);
        for (const std::string& line : s.ques) {
            if (line.find('#') == std::string::npos) continue;
            const std::string formula = line.substr(4, line.find('#') - 4);
            const std::string where = U(line);
            // No term, factor or divisor 1; the terms of a proportion stay apart.
            const std::vector<std::string> lone = formula.find(':') != std::string::npos
                                                      ? ratioTerms(formula)
                                                      : std::vector<std::string>{};
            for (const std::string& n : factors(formula))
                EXPECT_NE(n, "1") << where;
            for (std::size_t a = 0; a < lone.size(); ++a) {
                EXPECT_NE(lone[a], "1") << where;
                for (std::size_t b = a + 1; b < lone.size(); ++b)
                    EXPECT_NE(lone[a], lone[b]) << where;
            }
            // Bar fractions: denominators apart, none dividing its numerator out.
            std::vector<int> denominators;
            for (std::size_t at = formula.find("]/"); at != std::string::npos;
                 at = formula.find("]/", at + 1)) {
                const int d = formula[at + 2] - '0';
                const std::size_t open = formula.rfind('[', at);
                const std::string top = formula.substr(open + 1, at - open - 1);
                const std::size_t x = top.find('x');
                const int a = x == 0 ? 1 : std::stoi(top.substr(0, x));
                const int b = std::stoi(top.substr(x + 1));
                EXPECT_FALSE(a % d == 0 && b % d == 0) << where;
                for (int other : denominators)
                    EXPECT_NE(other, d) << where;
                denominators.push_back(d);
            }
        }
    }
    EXPECT_GT(remade, questions * 8 / 10);
}

} // namespace
