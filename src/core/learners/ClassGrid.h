#pragma once
// The class at a glance: every learner of a lesson (the roster's names and the owners of
// the lesson's learner files) against its units and saved worksheets, with the number of
// runs and the last score of each, and what each learner should practise next. The class
// overview window, "velmix records --summary" and the unit menu's marks read these.

#include <string>
#include <vector>

#include "formats/CourseTables.h"
#include "platform/Clock.h"
#include "learners/Records.h"
#include "platform/Files.h"
#include "text/Profile.h"

// What one learner has done of one unit or worksheet.
struct UnitProgress {
    int runs = 0;        // records in the section, as the unit menu counts them
    int lastScore = -1;  // of the last record that reads as a record line; -1 for none
    DateTime lastRun;    // of that record
    bool tested = false; // some run was a test (its tries log is empty)
    DateTime lastTest;   // of the last test
    int damagedLines = 0;
};

// Reads the records of one section, in the order they were appended.
UnitProgress ProgressOf(const ProfileSection& section);
// The same of records already in that order.
UnitProgress ProgressOf(const std::vector<Record>& ordered);

// Why a unit should be practised next; None when it need not be.
enum class NextReason { None, NeverPractised, LowScore, TestLongAgo };
// The score under which a unit is practised again, and the days after which a test is due
// again.
constexpr int PassingScore = 80;
constexpr int TestDueDays = 21;
// Never practised; a last score under PassingScore (or none that reads); or a last test
// more than TestDueDays days before now.
NextReason PracticeNext(const UnitProgress& p, const DateTime& now);
// The words the unit menu and a screen reader say for a reason: "未", "要復習", "要テスト";
// empty for None.
std::string NextReasonMark(NextReason r);

// The colour band of a score, for the grid's cells: High from PassingScore, Middle from 60,
// Low below; None for a cell without a score.
enum class ScoreBand { None, Low, Middle, High };
ScoreBand BandOf(int lastScore);

struct ClassColumn {
    std::string key;   // the records section
    std::string title; // the unit line, or the worksheet file name
    int section = 0;   // the index block from 1; 0 for a saved worksheet
    std::string sectionTitle;
};

struct ClassRow {
    enum class State { Ok, NoFile, Damaged };
    std::string learner; // Shift-JIS
    std::string file;    // the learner file, "" when the learner has none
    State state = State::Ok;
    std::string problem; // for a damaged file: the message naming it
    bool inRoster = false;
    std::vector<UnitProgress> cells; // one per column
    int practised = 0;               // columns with at least one run
    double mean = -1;                // of the last scores that read; -1 for none
};

struct ColumnSummary {
    int learners = 0; // who practised it
    double mean = -1; // of their last scores that read; -1 for none
};

struct ClassGrid {
    int lesson = 1;
    std::vector<ClassColumn> columns;
    std::vector<ClassRow> rows;
    std::vector<ColumnSummary> summaries; // one per column
    // What could not be read (the index file, the roster, a learner file, damaged lines),
    // Shift-JIS, each naming its file.
    std::vector<std::string> problems;
};

// Reads lesson's grid. Every learner file is read under the lock its writers take (or, when
// the lock cannot be had, as it stands: it is only ever replaced whole, and the row is then
// marked Damaged, saying so). A file that cannot be read, holds binary bytes, lines that are
// no INI lines (garbage, a cut header) or record lines that do not read keeps its row,
// marked Damaged with a message naming the file; the rest of the class is read.
ClassGrid ReadClassGrid(Files& files, const CourseTables& course, const std::string& logOnFolder,
                        int lesson);

// The column with the lowest mean among those practised; -1 when none is.
int HardestColumn(const ClassGrid& grid);

// The grid as CSV (UTF-8, CR LF): learner, records ("ok", "none" for no file, "damaged"),
// units practised, mean, then two columns per unit ("<key> runs", "<key> score"), and last
// "problem": for a damaged row the message naming its file (with slashes). The last line
// holds the units' learners and means. Fields are neutralised against spreadsheet formulas.
std::string ClassGridCsv(const ClassGrid& grid);
