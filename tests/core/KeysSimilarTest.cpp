// Similar questions made with their keys: a thousand of them, made from the bundled
// course, re-checked by the checker; only numbers change, answers stay as simple, and the
// same seed makes the same question.
#include <gtest/gtest.h>

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

} // namespace
