#pragma once
// What a pupil types into an answer field, and the answers a box accepts.
//
// Answers are compared as text (no arithmetic): a typed answer is right when, trimmed of
// blanks at its ends, it reads exactly as one of the box's stored answers trimmed the same
// way. Half-width and full-width characters stay distinct ("３" is not "3"), and so do
// blanks inside an answer ("x = 3" is not "x=3"). Strings are Shift-JIS.

#include <string>
#include <string_view>
#include <vector>

struct PracticeRun;

// The text of an answer field as it is marked and kept: control characters inside (the
// line breaks of a pasted text, tabs) become one blank each, a CR LF pair one blank; then
// blanks and control characters go from both ends. Full-width spaces stay.
std::string CleanTypedAnswer(std::string_view typed);

// The form in which answers are compared: blanks and control characters trimmed at both
// ends, then full-width spaces "　" at both ends.
std::string NormalizeAnswer(std::string_view answer);

// The accepted answers of one box, from its stored text ("1/2;0.5"). Pieces that are empty
// once trimmed accept nothing, so that an empty field is never right. The answers can be
// matched against but are handed out only by ShowAnswer, when the pupil asks to see them,
// and by the memorise run, which is there to show them.
class AcceptedAnswers {
  public:
    AcceptedAnswers() = default;
    explicit AcceptedAnswers(std::string_view storedText);

    // True when the box has no answer to accept.
    bool empty() const { return entries_.empty(); }
    // True when typed (in any state of trimming) reads as one of the answers.
    bool accepts(std::string_view typed) const;

  private:
    friend std::vector<std::string> ShowAnswer(PracticeRun& run, int box);
    friend std::vector<std::string> MemoriseAnswers(const PracticeRun& run, int box);
    friend int StartMemorise(PracticeRun& run);
    friend int MemoriseNext(PracticeRun& run, bool erase);
    std::vector<std::string> entries_; // normalised
    std::string stored_;               // the stored text as the unit has it
};
