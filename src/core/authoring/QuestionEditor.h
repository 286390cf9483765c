#pragma once
// The question editor (マスターファイルの編集): one unit block of a question unit file in its
// memos, loaded afresh at every showing, checked and written back into the file by the one
// block writer; a unit can become a new similar question of itself, as it stands or with new
// numbers and keys.

#include <cstdint>
#include <optional>
#include <string>

#include "authoring/EditorText.h"
#include "authoring/UnitBlock.h"
#include "formats/UnitRef.h"
#include "text/Lines.h"
#include "text/Report.h"

struct Workspace;

struct QuestionEditorState {
    UnitRef ref; // the unit edited; Ruidai becomes the new number after 類題にする
    bool newUnitMode = false;   // opened by the unit menu for a unit that does not exist yet
    std::string path;           // edtFileName: the question unit file
    std::string unitName;       // edtTangen
    UnitBlockParts memos;       // MemQues, memDummy, memKgroup, memHint, memQGraph, memAGraph,
                                // memPasteLo
    Lines answers;              // lstKai: the answers of the last extraction
    std::string graphFolder;    // where flbGraph lists the pictures ("" for none)
    Lines graphFiles;           // flbGraph: "*.BMP" of the graph folder
    bool sheetValues = false;   // page blocks and graphs came from the unit's open worksheet
    bool modified = false;      // Modified
    int newRuidai = 0;          // NewRuidai: the similar question made in this showing
    bool ruidaiAllowed = false; // btnRuidai and 類題を作る may be used
};

// "L S U" + RuidaiSuffix, as edtLesson shows the unit.
std::string UnitLabel(const UnitRef& ref);

// Loads the editor on the unit: its block of the file read into the memos (a unit the file
// lacks, or a file that does not exist yet, gets the new-unit template). When the active
// worksheet shows this very unit, its page blocks and graphs as they stand now replace the
// file's, so that its layout changes are saved too; in new-unit mode no worksheet gives
// anything. Fails with the message when the file exists but cannot be read: the template
// would overwrite every unit in it. The unit and its name are taken as copies, so that the
// editor may load again from its own state (s.ref, s.unitName) after a direct edit.
Report LoadQuestionEditor(Workspace& p, QuestionEditorState& s, UnitRef ref,
                          std::string unitName, bool newUnitMode);

// 抽出: the answers of the question lines when they pass their check, else the check's
// problem (the list keeps its items).
std::optional<MemoProblem> ExtractInto(QuestionEditorState& s);

// The first similar-question number that no block header of the file uses for unit.
int FreeRuidaiNumber(const Lines& file, int unit);

// 類題にする: asks "データを変更して類題" + n + "を作成します" for the first free number n;
// on Yes the editor works on similar question n, which OK writes as a new block. A similar
// question cannot have similar questions ("類題の類題は作成できません").
bool TurnIntoRuidai(Workspace& p, QuestionEditorState& s);

// 類題を作る: the question lines with new numbers and keys (the same seed, the same
// question), as similar question n of the first free number; choice lines that were built
// from the answers are built again. Says which questions kept their numbers. Nothing is
// written until OK.
bool MakeRuidaiWithNewNumbers(Workspace& p, QuestionEditorState& s, std::uint64_t seed);

// OK: checks the memos (a failure is said and stops), shows the answer keys that do not
// fit their questions and asks whether to save all the same, re-reads the file and writes
// the unit's blocks into it (other units, and blocks the editor does not show, keep their
// bytes). A failed read or write is said and leaves the file as it was.
struct EditorSave {
    bool saved = false;
    std::optional<MemoProblem> at; // where the caret goes when the save stopped
};
EditorSave SaveQuestionUnit(Workspace& p, QuestionEditorState& s);

// The file as the source editor shows it; nothing (and the message said) when it cannot be
// read. A missing file gives no lines.
std::optional<Lines> ReadSourceLines(Workspace& p, const std::string& path);
// Writes the source editor's lines as they stand; a failure is said and keeps the old file.
bool WriteSourceLines(Workspace& p, const std::string& path, const Lines& lines);
