#pragma once
// The class overview window's view of a ClassGrid: which learners and columns it shows, in
// which order, and the records behind one cell. The grid itself is only read, never changed,
// so sorting and filtering cost no file reads.

#include <string>
#include <vector>

#include "learners/ClassGrid.h"
#include "learners/Records.h"
#include "platform/Files.h"
#include "text/Lines.h"
#include "text/Report.h"

// What the rows are ordered by: the class list's order (the roster's names in its order, then
// the learners it does not name), the learner's name, a row summary, or one column's runs or
// last score.
enum class ClassSortKey { Roster, Learner, Practised, Mean, Runs, Score };

struct ClassViewState {
    ClassGrid grid;
    int section = 0; // the index block shown; 0 for all columns, -1 the saved worksheets
    ClassSortKey sortKey = ClassSortKey::Roster;
    int sortColumn = -1; // the grid column of Runs and Score
    bool descending = false;
    std::vector<int> rows;    // grid rows, in the order shown
    std::vector<int> columns; // grid columns, in index order
};

// A view of the whole grid, rows in the grid's order, every column.
ClassViewState ViewOfGrid(ClassGrid grid);

// The choices of the section filter: the index blocks that have columns, as (block, title),
// in index order, then (-1, "保存したプリント") when there are saved worksheets.
std::vector<std::pair<int, std::string>> ClassSections(const ClassGrid& grid);

// Shows only the columns of one index block (0: every column; -1: the saved worksheets; a
// block with no columns shows none). The rows keep their order.
void FilterSection(ClassViewState& view, int section);

// A learner's summary over the columns the view shows: the units practised and the mean of
// their last scores (-1 for none). Over every column it is the row's own.
struct RowSummary {
    int practised = 0;
    double mean = -1;
};
RowSummary ShownSummary(const ClassViewState& view, int row);

// Orders the rows. Rows that have no value for the key (a damaged file, no score of the
// column, no mean) stand after those that have one in either direction; equal values are
// ordered by the learners' names. A learner without a file has practised nothing: 0 runs.
// Practised and Mean order by the summaries of the columns shown (ShownSummary).
void SortRows(ClassViewState& view, ClassSortKey key, int column, bool descending);

// The record lines of a learner's unit as the records window lists them; "練習の記録は
// ありません" when there are none, the row's message for a damaged file.
Lines CellRecordLines(Files& files, const ClassGrid& grid, int row, int column);
// The records of that cell in run order, read under the file's lock; empty for a learner
// without a file.
std::vector<Record> CellRecords(Files& files, const ClassGrid& grid, int row, int column);

// "CSVに書き出す": the whole grid as ClassGridCsv into path (the file written whole or left
// as it was); fails with the message naming the file.
Report ExportClassGrid(Files& files, const ClassGrid& grid, const std::string& path);
