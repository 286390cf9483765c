#pragma once
// Answer keys checked against their questions. Every question the program can read as
// mathematics is solved exactly, and each answer between a "#" pair, with each of its
// alternatives after ";", is compared with the solution. Questions that are not read
// (word problems, graphs, terms) are counted as not checked, never guessed.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct KeyFinding {
    enum class Kind {
        Wrong,          // the key is not what the question gives
        NoSolution,     // the question has no solution
        Indeterminate,  // the question has more than one solution
        DivisionByZero, // the question divides by zero
        Unreadable,     // the key cannot be read as a value
    };
    Kind kind = Kind::Wrong;
    int line = 0;         // index in the unit's question lines
    int answer = 0;       // which answer of that line, from 0
    std::string expected; // Wrong: the right value as a key is written ("-3/7", "2x+1")
    std::string message;  // Shift-JIS
};

struct KeyTally {
    int checked = 0;    // answers compared with a solution (right or wrong)
    int wrong = 0;      // of these, the ones that do not match
    int notChecked = 0; // answers of questions that are not read, or keys that are not values
    KeyTally& operator+=(const KeyTally& o) {
        checked += o.checked;
        wrong += o.wrong;
        notChecked += o.notChecked;
        return *this;
    }
};

struct UnitKeyCheck {
    std::vector<KeyFinding> findings; // in line order
    KeyTally tally;
};

// Checks the keys of one unit's question lines (the "<<ques" block, as the editor holds it).
UnitKeyCheck CheckUnitKeys(std::span<const std::string_view> ques);

namespace keys {
struct Question;
}
// The keys of one question of those lines (as SplitQuestions cut them), under the reading
// text of its instruction, added to out in its order.
void CheckQuestionKeys(std::span<const std::string_view> ques, const keys::Question& q,
                       std::string_view instruction, UnitKeyCheck& out);

// The same for many units, remembering the results of units already seen: a course
// repeats its units in its copies and similar questions.
class KeyChecker {
  public:
    const UnitKeyCheck& check(std::span<const std::string_view> ques);

  private:
    std::unordered_map<std::string, UnitKeyCheck> seen_;
    std::string key_;
};

// "解答が式と合いません（正しくは 7）" and the other findings' texts (Shift-JIS).
std::string KeyFindingText(KeyFinding::Kind kind, const std::string& expected = {});
