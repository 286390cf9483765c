#pragma once
// The unit menu: choosing a lesson, a section, a unit and one of its similar questions,
// the record marks before each unit line, and OK. The menu window calls these and shows
// Program::menu.

#include <string>
#include <vector>

#include "text/Lines.h"

struct Program;

// Width in bytes to which a unit line is padded with blanks in the menu.
constexpr std::size_t UnitLineWidth = 38;

// Before the menu shows: reloads the lesson list after the index was edited; on a first showing
// chooses the first lesson and section, on later ones runs the unit choice again; clears
// the similar-question selection.
void PrepareUnitMenu(Program& p);

// lstLesson: loads lesson pos + 1, chooses its first section and computes the marks.
// False (and the lesson counted as not chosen) when it cannot be loaded.
bool MenuChooseLesson(Program& p, int pos);
// lstSection: reads the section's question unit file and chooses its first unit.
void MenuChooseSection(Program& p, int pos);
// lstUnit: lists the similar questions of the unit.
void MenuChooseUnit(Program& p, int pos);

// The similar questions of unit in a section file: "類題　" + unit + "R" + n for
// n = 1, 2, ... up to 5, as long as "[[unit<unit>R<n>" follows the previous one in the file.
Lines ListRuidai(const Lines& queLines, int unit);

// lstRuidai: the selected items and the one holding the focus.
void MenuSelectRuidai(Program& p, const std::vector<int>& selected, int current);
// 類題選択解除.
void MenuClearRuidai(Program& p);
// A similar question is selected (the unit header turns red).
bool MenuRuidaiSelected(const Program& p);

// The marks of every unit of the current lesson: records counted from the learner's file,
// "◎" for units with a first similar question. A section whose question unit file is
// missing ends the computation; it and later sections show no marks.
void ComputeMarks(Program& p);

// The text drawn for unit item pos of the current section: its mark, then the unit line
// padded with blanks to UnitLineWidth bytes.
std::string UnitItemText(const Program& p, int pos);
std::string UnitItemText(const std::string& mark, const std::string& unitLine);

// The words after unit item pos of the current section saying why the learner should
// practise it next ("未", "要復習", "要テスト"); "" when he need not, or no one is logged on.
std::string UnitNextMark(const Program& p, int pos);
// 次の練習: chooses the first unit of the lesson, in index order, that the learner should
// practise next, and returns true; says "次に練習する単元はありません" when there is none.
bool MenuChooseNextPractice(Program& p);

// The menu's OK: with lesson, section and unit chosen, stores SelectedUnit and SelectedNames and
// returns true; otherwise says "メニューを選択してください" and returns false.
bool ConfirmUnitChoice(Program& p);
