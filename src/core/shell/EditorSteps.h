#pragma once
// What the program does around its editors: the unit menu told of their work, the edited
// unit opened again, the seed of a new similar question.

#include <cstdint>
#include <functional>

#include "formats/UnitReader.h"
#include "formats/UnitRef.h"

struct Program;
class Worksheet;

// The question editor closed, with OK or not: the unit menu looks for similar questions
// again and draws its marks anew.
void QuestionEditorClosed(Program& p);
// The index editor closed: when it wrote the lesson index file, the unit menu reads the
// course again before it shows.
void IndexEditorClosed(Program& p, bool written);

// 編集 after OK: opens the edited unit (or its new similar question) again. The window
// already open on it is closed first through closeSheet, which asks the usual question
// when it holds changes; a worksheet still showing the course unit gave its page values
// and graphs to the edit, so nothing of it is lost and it closes unasked. False when the
// window was kept open or the unit could not be opened.
bool ReopenEditedUnit(Program& p, const UnitRef& ref, const UnitTitleNames& names,
                      const std::function<bool(Worksheet&)>& closeSheet);

// A seed for 類題を作る from the platform's random source.
std::uint64_t NewRuidaiSeed(Program& p);
