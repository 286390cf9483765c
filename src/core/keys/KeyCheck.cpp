#include "keys/KeyCheck.h"

#include <algorithm>
#include <exception>

#include "keys/AnswerText.h"
#include "keys/KeyAnalysis.h"
#include "keys/ValueText.h"
#include "text/Sjis.h"

using keys::Expectation;

namespace {

enum class Verdict { Right, Wrong, Unreadable };

struct Judgement {
    Verdict verdict = Verdict::Unreadable;
    std::string expected; // Wrong: what it should be, in the alternative's own form
};

Judgement judge(std::string_view alternative, const Expectation& e) {
    Judgement j;
    try {
        const keys::KeyValue key = keys::ReadKeyValue(alternative);
        if (!key.ok) return j;
        const std::pair<char, GiNaC::ex>* want = nullptr;
        for (const auto& v : e.values)
            if ((key.letter && v.first == key.letter) || (!key.letter && e.values.size() == 1))
                want = &v;
        if (!want) return j;
        if (key.letters & ~e.letters) return j; // letters the value cannot hold
        if (GiNaC::expand(key.value - want->second).is_zero()) {
            j.verdict = Verdict::Right;
            return j;
        }
        j.verdict = Verdict::Wrong;
        j.expected = (key.letter ? std::string(1, key.letter) + "=" : std::string()) +
                     keys::ValueText(want->second, key.form);
    } catch (const std::exception&) {
        j.verdict = Verdict::Unreadable;
    }
    return j;
}

} // namespace

std::string KeyFindingText(KeyFinding::Kind kind, const std::string& expected) {
    switch (kind) {
    case KeyFinding::Kind::Wrong:
        return J("解答が式と合いません（正しくは ") + expected + J("）");
    case KeyFinding::Kind::NoSolution:
        return J("解なし：式を満たす値がないため解答を確かめられません");
    case KeyFinding::Kind::Indeterminate:
        return J("不定：解が一つに決まらないため解答を確かめられません");
    case KeyFinding::Kind::DivisionByZero:
        return J("読めません：式が 0 で割っています");
    case KeyFinding::Kind::Unreadable:
        return J("読めません：解答が数や式として読めません");
    }
    return {};
}

UnitKeyCheck CheckUnitKeys(std::span<const std::string_view> ques) {
    UnitKeyCheck out;
    const keys::UnitQuestions unit = keys::SplitQuestions(ques);
    for (const keys::Question& q : unit.questions) {
        const std::string_view instruction =
            q.instruction >= 0
                ? std::string_view(unit.instructions[static_cast<std::size_t>(q.instruction)])
                : std::string_view();
        CheckQuestionKeys(ques, q, instruction, out);
    }
    std::stable_sort(out.findings.begin(), out.findings.end(),
                     [](const KeyFinding& x, const KeyFinding& y) { return x.line < y.line; });
    return out;
}

void CheckQuestionKeys(std::span<const std::string_view> ques, const keys::Question& q,
                       std::string_view instruction, UnitKeyCheck& out) {
    if (q.blankCount() == 0) return;
    const keys::QuestionAnalysis a = keys::AnalyseQuestion(q, instruction);
    std::size_t b = 0;
    int line = -1, answer = 0;
    for (const keys::QuestionPart& p : q.parts) {
        if (!p.blank) continue;
        answer = p.line == line ? answer + 1 : 0;
        line = p.line;
        const Expectation& e = a.blanks[b++];
        auto find = [&](KeyFinding::Kind kind, const std::string& expected = {}) {
            out.findings.push_back(
                {kind, p.line, answer, expected, KeyFindingText(kind, expected)});
        };
        switch (e.status) {
        case Expectation::Status::NotChecked:
            ++out.tally.notChecked;
            continue;
        case Expectation::Status::NoSolution:
            find(KeyFinding::Kind::NoSolution);
            ++out.tally.notChecked;
            continue;
        case Expectation::Status::Indeterminate:
            find(KeyFinding::Kind::Indeterminate);
            ++out.tally.notChecked;
            continue;
        case Expectation::Status::DivisionByZero:
            find(KeyFinding::Kind::DivisionByZero);
            ++out.tally.notChecked;
            continue;
        case Expectation::Status::Checked:
            break;
        }
        const std::string_view raw =
            ques[static_cast<std::size_t>(p.line)].substr(p.start, p.end - p.start);
        bool unreadable = false;
        std::string wrong;
        bool anyWrong = false;
        for (std::string_view alt : keys::Alternatives(raw)) {
            const Judgement j = judge(alt, e);
            if (j.verdict == Verdict::Wrong && !anyWrong) {
                anyWrong = true;
                wrong = j.expected;
            }
            if (j.verdict == Verdict::Unreadable) unreadable = true;
        }
        if (anyWrong) {
            find(KeyFinding::Kind::Wrong, wrong);
            ++out.tally.checked;
            ++out.tally.wrong;
        } else if (unreadable) {
            find(KeyFinding::Kind::Unreadable);
            ++out.tally.notChecked;
        } else {
            ++out.tally.checked;
        }
    }
}

const UnitKeyCheck& KeyChecker::check(std::span<const std::string_view> ques) {
    key_.clear();
    for (std::string_view l : ques) {
        key_ += l;
        key_ += '\n';
    }
    auto it = seen_.find(key_);
    if (it != seen_.end()) return it->second;
    if (seen_.size() > 20000) seen_.clear(); // a bound on what is remembered
    return seen_.emplace(key_, CheckUnitKeys(ques)).first->second;
}
