// Answers by arithmetic alone: for every equation and pair of the bundled course, the
// answers worked out from its numbers agree with the checker's full reading, with its own
// numbers and with other numbers put in their places.
#include <gtest/gtest.h>

#include "BundledCourse.h"
#include "CourseFixture.h"
#include "keys/KeyAnalysis.h"
#include "keys/NumberAnswers.h"
#include "keys/NewNumbers.h"
#include "keys/SeededRandom.h"

using namespace keys;

namespace {

std::string instructionOf(const UnitQuestions& unit, const Question& q) {
    return q.instruction >= 0 ? unit.instructions[static_cast<std::size_t>(q.instruction)]
                              : std::string();
}

// What the full reading gives each unknown, from the blanks that name one value.
void expectAgrees(const QuestionAnalysis& full,
                  const std::optional<std::vector<std::pair<char, GiNaC::numeric>>>& quick,
                  const std::string& where) {
    bool single = !full.blanks.empty();
    for (const Expectation& e : full.blanks)
        single = single && e.status == Expectation::Status::Checked;
    ASSERT_EQ(single, quick.has_value()) << where;
    if (!quick) return;
    for (const Expectation& e : full.blanks)
        for (const auto& [letter, value] : e.values) {
            bool found = false;
            for (const auto& [l, v] : *quick)
                if (l == letter) {
                    found = true;
                    EXPECT_TRUE((value - v).is_zero()) << where << ": " << letter << " " << value << " " << v;
                }
            EXPECT_TRUE(found) << where << ": " << letter;
        }
}

} // namespace

TEST(KeysNumberAnswers, AgreeWithTheFullReadingOnTheCourse) {
    int usable = 0, drawn = 0, single = 0;
    SeededRandom random(20261208);
    for (const CourseUnit& u : courseUnits()) {
        const LineViews views = lines::views(u.ques);
        const UnitQuestions unit = SplitQuestions(views);
        for (std::size_t i = 0; i < unit.questions.size(); ++i) {
            const Question& q = unit.questions[i];
            const std::string instruction = instructionOf(unit, q);
            const QuestionAnalysis a = AnalyseQuestion(q, instruction);
            const NumberAnswers quick(q, instruction);
            const bool solvable = a.kind == QuestionKind::Equation || a.kind == QuestionKind::Pair;
            if (!quick.usable()) continue;
            ASSERT_TRUE(solvable) << u.file;
            ASSERT_EQ(quick.numberCount(), a.numbers.size()) << u.file;
            ++usable;
            const std::string where =
                u.file + ": " + U(u.ques[static_cast<std::size_t>(q.parts.front().line)]);
            std::vector<GiNaC::numeric> own;
            std::vector<SmallRatio> ownRatios;
            for (const QuestionNumber& n : a.numbers) {
                const std::string_view written =
                    std::string_view(u.ques[static_cast<std::size_t>(n.line)])
                        .substr(n.span.start, n.span.end - n.span.start);
                own.push_back(*WrittenNumber(written));
                ownRatios.push_back(*WrittenRatio(written));
            }
            expectAgrees(a, quick.solve(own), where);
            expectAgrees(a, quick.solve(ownRatios), where);

            // Questions on one line: its whole numbers drawn anew, read again in full.
            if (q.parts.front().line != q.parts.back().line) continue;
            for (int round = 0; round < 5; ++round) {
                Lines changed = u.ques;
                std::string& line = changed[static_cast<std::size_t>(q.parts.front().line)];
                std::vector<GiNaC::numeric> values = own;
                std::vector<SmallRatio> ratios = ownRatios;
                for (std::size_t k = a.numbers.size(); k-- > 0;) {
                    const QuestionNumber& n = a.numbers[k];
                    if (n.role != Literal::Role::Whole) continue;
                    const std::string text =
                        NewWhole(line.substr(n.span.start, n.span.end - n.span.start), random);
                    line.replace(n.span.start, n.span.end - n.span.start, text);
                    values[k] = *WrittenNumber(text);
                    ratios[k] = *WrittenRatio(text);
                }
                const LineViews again = lines::views(changed);
                const UnitQuestions redone = SplitQuestions(again);
                ASSERT_EQ(redone.questions.size(), unit.questions.size()) << where;
                const Question& r = redone.questions[i];
                const QuestionAnalysis full = AnalyseQuestion(r, instructionOf(redone, r));
                ASSERT_EQ(full.numbers.size(), a.numbers.size()) << where << " -> " << U(line);
                ++drawn;
                const auto solved = quick.solve(values);
                single += solved.has_value();
                expectAgrees(full, solved, where + " -> " + U(line));
                expectAgrees(full, quick.solve(ratios), where + " -> " + U(line) + " (small)");
            }
        }
    }
    EXPECT_GT(usable, 50);
    EXPECT_GT(drawn, 100);
    EXPECT_GT(single, drawn / 2);
}

TEST(KeysNumberAnswers, WrittenNumbers) {
    struct Case {
        const char* written;
        long numerator, denominator; // 0/0: not a number
    } cases[] = {{"12", 12, 1},    {"0.25", 1, 4},  {"\x82\x50\x82\x51", 12, 1},
                 {"3.", 0, 0},     {"x", 0, 0},      {"", 0, 0},
                 {"1.5", 3, 2}};
    for (const Case& c : cases) {
        const auto v = WrittenNumber(c.written);
        if (c.denominator == 0) {
            EXPECT_FALSE(v) << c.written;
        } else {
            ASSERT_TRUE(v) << c.written;
            EXPECT_EQ(*v, GiNaC::numeric(c.numerator) / GiNaC::numeric(c.denominator))
                << c.written;
        }
    }
}
