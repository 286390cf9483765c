#pragma once
// One unit of the course: its lesson, section and unit numbers (from 1) and which of its
// similar questions.

struct UnitRef {
    int Lesson = 0;
    int Section = 0;
    int Unit = 0;
    int Ruidai = 0; // 0 = the unit itself, n = similar question n
    bool operator==(const UnitRef&) const = default;
};
