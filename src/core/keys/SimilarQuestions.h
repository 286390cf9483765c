#pragma once
// A similar question of a unit, made with its keys: every question whose keys can be
// checked gets new numbers of the same sizes and signs (a whole number of two digits
// stays one of two digits, a proper fraction stays proper, a decimal keeps its places),
// drawn again until its answers are as simple as the original's (whole answers stay
// whole and no longer, fractions keep small denominators, and a key with a decimal
// alternative stays finite in decimals). Its keys are then worked out exactly and written
// in the forms of the original keys ("x=4", "-1/2;-0.5", "1/5x+10;0.2x+10"). Questions
// that are not read, and questions for which no such numbers are found, are copied
// unchanged and listed. The same seed makes the same question.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "text/Lines.h"

struct CopiedQuestion {
    enum class Why {
        NotChecked,   // its keys cannot be checked
        NoNewNumbers, // no new numbers keep it as simple as it is
    };
    int line = 0;       // where it starts: index in the unit's question lines
    std::string number; // "(3)" as read, or empty
    Why why = Why::NotChecked;
};

struct SimilarUnit {
    Lines ques;     // the new question lines
    int remade = 0; // questions with new numbers
    std::vector<CopiedQuestion> copied;
};

SimilarUnit MakeSimilarUnit(std::span<const std::string_view> ques, std::uint64_t seed);
