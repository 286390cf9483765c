#pragma once
// The records window (実行記録): every unit of a lesson and every saved worksheet file with
// the number of records the learner has for it, then the records sections of the learner
// file that name neither (a unit whose line was renamed, a worksheet file moved away), so
// that no record is out of sight. The window shows this state; these are its steps.

#include <string>
#include <vector>

#include "formats/CourseTables.h"
#include "learners/Records.h"
#include "platform/Files.h"
#include "platform/Prompter.h"
#include "text/Lines.h"
#include "text/Report.h"

// A unit of a lesson's index file with its records key.
struct LessonUnit {
    int section = 0; // "[[" block, from 1
    int unit = 0;    // unit line of the block, from 1
    std::string line;
    std::string key; // RecordKey: "S" + section + unit + line
};
struct LessonBlock {
    std::string title;
    std::vector<LessonUnit> units;
};
// The blocks and units of lesson L's index file; fails with the missing-file or read
// message.
Report ReadLessonUnits(Files& files, const CourseTables& course, int lesson,
                       std::vector<LessonBlock>& blocks);

struct RecordsItem {
    enum class Kind { Title, Unit, Worksheet, Other };
    Kind kind = Kind::Title;
    std::string text;    // the line lstTitle shows
    std::string section; // the records section; "" for a block title
    std::string name;    // the unit line or the file name ("" for other sections)
    int count = 0;
};

struct RecordsWindowState {
    std::string learner;     // edtName
    std::string learnerFile; // of the lesson
    int lesson = 1;
    std::vector<RecordsItem> items; // lstTitle
    bool erased = false;            // something was erased while the window was open
};

// The count before "回": two blanks for none, else two digits at least ("03", "12", "120").
std::string RecordCountLabel(int count);

// Fills the list for learner in lesson: the lesson's blocks and units, the worksheet
// files of the lesson folder, then the other records sections. What could not be read
// (the index file, the learner file) is returned for the user; the rest is listed.
Report FillRecordsList(Files& files, const CourseTables& course, const std::string& logOnFolder,
                       RecordsWindowState& state);

// memDetail for an item: its records, or "練習の記録はありません".
Lines RecordLinesOf(Files& files, const RecordsWindowState& state, int item);
// The records of an item (none for a block title): keys "1" .. n for its n keys, a key
// missing among them read as the line "?".
std::vector<Record> RecordsOfItem(Files& files, const RecordsWindowState& state, int item);

// 記録消去: the selected items' records after asking, naming them, whether to erase
// them; "消去する単元を選んでください" without a selection. Sets erased and fills the
// list again. A failed erase is said and leaves the file as it was.
void EraseSelectedRecords(Files& files, Prompter& prompter, const CourseTables& course,
                          const std::string& logOnFolder, RecordsWindowState& state,
                          const std::vector<int>& selected);
