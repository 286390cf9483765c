#pragma once
// What the practice window shows around a run: praise, end messages, the reaction picture
// for a score, and where a field stands for a further attempt.
// Strings are Shift-JIS.

#include <string>

#include "platform/Canvas.h"
#include "practice/PracticeRun.h"

// One of the six praise texts ("正解です", "よくできました", ...), picked by pick; the
// first when pick is empty.
std::string PraiseText(const PickIndex& pick);

// The message at the end of a run that was not all right ("練習を終わりました", ...).
std::string EndMessageText(RunKind kind);

// The reaction pictures, in the order of the scores they answer.
enum class Reaction { Gaoh, Namida, Nanda, Sleep, Happy, GreenHeart, Kutta, RedHeart };
// 0 Gaoh, 1..39 Namida, 40..59 Nanda, 60..79 Sleep, 80..99 Happy or GreenHeart, 100 Kutta
// or RedHeart (the pair picked by pick, the first when pick is empty).
Reaction ReactionFor(int score, const PickIndex& pick);

// Where a box's field stands after `tries` wrong attempts: one field width to the right
// per attempt, so that each wrong answer stays readable beside the next, as far as the
// whole field stays on a page pageWidth wide.
Rect AttemptField(const Rect& field, int tries, int pageWidth);
