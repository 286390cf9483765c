#pragma once
// A unit's question lines cut into questions, as a teacher reads the sheet. A question
// starts with its number ("(3)", "（３）") at the start of a line, or behind an answer on
// the same line (a line of two columns); lines that start with a blank continue it (a
// pair of equations, the line with its answers). Lines without an answer that start
// otherwise are instructions ("@B次の方程式を解きなさい。"); they end the question before
// them and are kept, one after another joined, as the context of the questions below them.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "keys/ReadingText.h"

namespace keys {

// One piece of a question in reading order: text, or an answer between a "#" pair.
struct QuestionPart {
    int line = 0;                   // index in the unit's question lines
    bool blank = false;             // an answer
    ReadingText reading;            // text: its reading (source offsets are bytes of the line)
    std::size_t start = 0, end = 0; // answer: its bytes in the line, between the "#" pair
};

struct Question {
    std::string number; // "(3)" as read, or empty
    std::vector<QuestionPart> parts;
    int instruction = -1; // index in UnitQuestions::instructions of the one in force
    int blankCount() const;
};

struct UnitQuestions {
    std::vector<Question> questions;
    std::vector<std::string> instructions; // their reading text
};

UnitQuestions SplitQuestions(std::span<const std::string_view> ques);

// Cuts text at runs of two or more blanks (a full-width space is two): the items a line
// lays out apart, such as a formula and the "x=" of its answer. Returns [start, end)
// pairs of the reading text, blanks at both ends left out.
struct Chunk {
    std::size_t start = 0, end = 0;
};
std::vector<Chunk> SplitChunks(std::string_view text);

} // namespace keys
