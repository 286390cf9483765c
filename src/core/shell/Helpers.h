#pragma once
// The small helper operations of the main unit that the whole program calls: file and
// folder tests with their messages, questions, unit names and keys, text cutting and
// padding, dates. Strings are Shift-JIS.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Clock.h"
#include "platform/Files.h"
#include "text/CorePath.h"
#include "text/Lines.h"
#include "worksheet/Worksheet.h"

struct Program;

// True when the file exists; otherwise shows "ファイル " + path + " が見つかりません".
bool FileExistsOrSay(Program& p, const std::string& path);
// True when the folder exists; otherwise shows "ディレクトリ " + path + " が見つかりません".
bool DirectoryExistsOrSay(Program& p, const std::string& path);
// The message texts of the two tests above.
std::string FileMissingText(const std::string& path);
std::string DirectoryMissingText(const std::string& path);

// The message for a file that could not be written: path + "の保存に失敗しました" and the
// system's reason, or the outside-the-course message for a refused link.
std::string WriteFailureText(const std::string& path, const WriteResult& result);
// True when lesson L's folder and base (from "Main.ind") lead to files inside the master
// folder. False for lessons outside 1..80.
bool LessonInside(const Program& p, int lesson);

// Yes/No (answer::Yes, answer::No) and Yes/No/Cancel (also answer::Cancel).
int AskYesNo(Program& p, const std::string& text);
int AskYesNoCancel(Program& p, const std::string& text);

// "" for 0, else "R" + n.
std::string RuidaiSuffix(int n);
// "[[unit" + Unit + RuidaiSuffix(Ruidai).
std::string UnitBlockKey(const UnitRef& r);

struct UnitNames {
    std::string queFile;   // master folder + LessonFolder + LessonBase + Section + ".que"
    std::string windowKey; // queFile + "-U" + Unit + RuidaiSuffix
    std::string shortKey;  // LessonBase + Section + ".que-U" + Unit + RuidaiSuffix
};
// A lesson outside 1..80 has no table entry and gives empty folder and base; a lesson
// whose entries leave the master folder gives empty names.
UnitNames UnitFileNames(const Program& p, const UnitRef& r);

// "S" + Section + Unit + the unit's line of the current lesson's SectionUnits.
std::string RecordKey(const Program& p, const UnitRef& r);

// The learner's records file for a lesson (below 1 counts as 1): lesson folder +
// LearnerName + ".ini" when the master folder is not on a CD-ROM and the lesson folder
// exists and stays inside the master folder; otherwise records log-on folder +
// LearnerName + lesson number + ".ini". "" when the learner's name would lead out of the
// folder, so that nothing is written elsewhere.
std::string LearnerFile(Program& p, int lesson);
// The folder of the rosters ("sname.txt"): master folder + "LogOn\", or the records
// log-on folder when the master folder is on a CD-ROM.
std::string LogOnFolder(const Program& p);

// The temporary folder (at most 255 bytes) + "\".
std::string TempFolder(const Program& p);
// Lesson folder + "Graph\" when it exists (and the lesson stays inside the master
// folder), else master folder + "Graph\" when that exists, else "". Lessons below 1
// count as 1.
std::string GraphFolder(Program& p, int lesson);
// Where a graph picture named in a unit lies: graphFolder (as GraphFolder gave it; "" means
// the master folder) + name. Nothing when the name is absolute or leads out of the master
// folder.
std::optional<std::string> GraphPicturePath(const Program& p, const std::string& graphFolder,
                                            const std::string& name);

// The extension of the file name (the part after the last "\" or "/"): "" when it holds
// no "."; otherwise everything from its last "." on, ASCII lower-cased ("test.v2.PRP"
// gives ".prp").
std::string ExtensionOf(const std::string& name);

std::string BoolText(bool b);

// Clears list; an empty text gives 0 and no items; otherwise adds the pieces between "#"
// signs (the last one too) and returns the number of "#" signs.
int SplitAtHash(const std::string& text, Lines& list);
// Clears list, adds the pieces between ";" signs and the last piece, returns the count.
int SplitAtSemicolon(const std::string& text, Lines& list);
// The same cuts as views into text, in a list the caller reuses (the page layout cuts
// every question line on every layout and allocates nothing per piece).
int SplitAtHash(std::string_view text, std::vector<std::string_view>& pieces);
int SplitAtSemicolon(std::string_view text, std::vector<std::string_view>& pieces);

// Removes ASCII blanks and control characters at both ends, then full-width spaces "　"
// at the start and the end, repeatedly.
std::string TrimWide(const std::string& text);
// The text when it is not shorter than reference; else the first len(reference) bytes of
// " " + text + twelve blanks (of twelve blanks for an empty text).
std::string PadToWidth(const std::string& text, const std::string& reference);
// The same into a string the caller reuses.
void PadToWidth(std::string_view text, std::string_view reference, std::string& out);

// Picks an index uniformly in 0..count-1.
using PickIndex = std::function<int(int count)>;
// For i from 0 to count-1: swap items i and pick(count) when they differ.
void ShuffleItems(Lines& list, const PickIndex& pick);
// The same with the program's own random source.
void ShuffleItems(Lines& list);

// The part of text after the last occurrence of c (Shift-JIS aware); text when c is absent.
std::string AfterLastChar(char c, const std::string& text);

// n in decimal, with a leading "0" when n <= 9.
std::string TwoDigits(int n);
// "hh:mm".
std::string TimeText(Clock& clock);
std::string TimeText(const DateTime& t);
// "2005年06月22日".
std::string DateTextJa(Clock& clock);
// "2005.06.22".
std::string DateTextDots(Clock& clock);
std::string DateTextDots(const DateTime& t);
