#pragma once
// The unit menu's state: the lesson, section and unit chosen, the similar questions
// offered for the unit, the marks drawn before each unit line and the last choice made
// with OK. The menu window shows these fields; the logic lives in shell/UnitMenu.

#include <array>
#include <string>
#include <vector>

#include "formats/UnitReader.h"
#include "formats/UnitRef.h"
#include "text/Lines.h"

struct MenuState {
    enum class Mode { Open, Add };
    Mode mode = Mode::Open;
    bool firstShowing = true;
    // OK was pressed with a similar question selected.
    bool ruidaiChosen = false;

    // List positions from 0; -1 when nothing is selected.
    int lesson = -1;
    int section = -1;
    int unit = -1;

    // lstTempBuffer: the lines of the current section's question unit file.
    Lines queBuffer;
    // lstRuidai: "類題　" + unit + "R" + n for the consecutive similar questions found.
    Lines ruidaiItems;
    std::vector<bool> ruidaiSelected;
    int ruidaiCurrent = -1; // the item holding the focus

    // Marks per section (1..80) and unit (position 0 = unit 1) of marksLesson:
    // "◎" or "　", then "[" + record count (or " ") + "]".
    std::array<Lines, 81> unitMarks;
    // Per section and unit, like unitMarks: the words saying why the logged-on learner
    // should practise the unit next ("未", "要復習", "要テスト"), or "" when he need not.
    std::array<Lines, 81> nextMarks;
    std::array<std::vector<bool>, 81> hasRuidai;
    // The lesson index file of the lesson whose similar questions the last full scan found.
    std::string marksLesson;

    // SelectedUnit and SelectedNames: the choice of the last OK. Lesson is -1 when
    // loading the chosen lesson failed.
    UnitRef selectedUnit;
    UnitTitleNames selectedNames;
};
