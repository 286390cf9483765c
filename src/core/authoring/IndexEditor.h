#pragma once
// The index editor (教材の作成): one lesson index file in memory, its title, its sections
// and their units added and renamed, and written back whole. Sections are found as every
// reader of the file finds them: each line that starts with "[[" opens one.

#include <string>
#include <vector>

#include "formats/CourseIndex.h"
#include "formats/CourseTables.h"
#include "platform/Files.h"
#include "platform/Prompter.h"
#include "text/Lines.h"
#include "text/Report.h"

struct IndexEditorState {
    CourseTables lessons;   // "Main.ind" as the editor reads it (names, folders, bases)
    int lesson = 0;         // the lesson edited, from 1; 0 while none is loaded
    std::string lessonPath; // master folder + lesson folder + base
    std::string indexPath;  // edtIndex: lessonPath + ".ind"
    Lines lines;            // Memo1: the lesson index file as edited
    std::string title;      // edtMainTitle
    std::string titleProblem; // why the title as typed cannot be saved, "" when it can
    int section = -1;       // lstESection position, -1 for none
    int unit = -1;          // lstEUnit position, -1 for none
    bool modified = false;  // edits not written yet
    bool written = false;   // the file was written in this showing
    bool expanded = true;   // the tree shows the units
};

// The lines of a new lesson index file: a title, one section with one unit.
Lines NewLessonIndexLines();

// Reads "Main.ind" of the master folder into the editor's own lesson list and loads
// lesson (from 1; the first when out of range). Fails with the message when "Main.ind"
// cannot be read.
Report OpenIndexEditor(Files& files, IndexEditorState& s, const std::string& masterFolder,
                       int lesson);

// Loads lesson (from 1): its index file, or the template when the file does not exist
// yet; the first section and its first unit chosen. A file that exists but cannot be read
// fails with the read message and leaves no lesson loaded, so that OK never writes the
// template over it.
Report ChooseIndexLesson(Files& files, IndexEditorState& s, int lesson);

// Before another lesson is loaded: unsaved edits are saved (Yes), dropped (No) or kept
// with this lesson (Cancel, false).
bool MayLeaveIndexLesson(Files& files, Prompter& prompter, IndexEditorState& s);

// The sections of the lines as edited.
std::vector<SectionBlock> IndexSections(const IndexEditorState& s);
// edtDataFile: the chosen section's question unit file, or "未作成" when it does not exist.
std::string SectionDataFile(Files& files, const IndexEditorState& s);
// Chooses section pos (its first unit, when it has one).
void ChooseIndexSection(IndexEditorState& s, int pos);

// A section or unit text that would read as a block line of the file ("[[…", ">>", "]]",
// "<<…") or that holds a line break (a pasted text would become lines of the file of its
// own) is refused with a message; "" when the text may be used.
std::string IndexTextProblem(const std::string& text);

// 追加 and 変更 of sections and units; each refusal says why and changes nothing.
// A new section is appended as "[[sect" + n, text, "<<", "SubMenu New" + n, ">>", "]]"
// and chosen; a new unit goes after the chosen section's last unit and is chosen.
Report AddIndexSection(IndexEditorState& s, const std::string& text);
Report RenameIndexSection(IndexEditorState& s, const std::string& text);
Report AddIndexUnit(IndexEditorState& s, const std::string& text);
Report RenameIndexUnit(IndexEditorState& s, const std::string& text);
// The lines as they would be written: the edited lines with the title on the first line.
Lines EditedIndexLines(const IndexEditorState& s);
// edtMainTitle changed; problem says why the title as typed cannot be saved (a character
// the file would not keep), "" when it can. A title with a problem is never written.
void SetIndexTitle(IndexEditorState& s, const std::string& title, std::string problem = {});

// OK: with a section and a unit chosen, writes the edited lines (title on the first line)
// when anything changed and loads the lesson again. False with the message said when the
// window must stay open (nothing chosen, a refused title, a failed write).
bool SaveLessonIndex(Files& files, Prompter& prompter, IndexEditorState& s);

// The direct edit's lines written as they stand, and the lesson loaded again from them.
bool WriteIndexSource(Files& files, Prompter& prompter, IndexEditorState& s, const Lines& lines);
