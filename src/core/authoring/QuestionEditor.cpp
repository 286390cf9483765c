#include "authoring/QuestionEditor.h"

#include <algorithm>

#include "authoring/NewUnit.h"
#include "formats/CourseNames.h"
#include "formats/QuestionChecks.h"
#include "keys/KeyCheck.h"
#include "keys/SimilarQuestions.h"
#include "text/CorePath.h"
#include "text/FileMessages.h"
#include "text/Sjis.h"
#include "worksheet/Workspace.h"

namespace {

// The file as it stands now: its bytes, "" for a file that does not exist yet; nothing
// (and the message said) when it exists but cannot be read.
std::optional<std::string> readNow(Workspace& p, const std::string& path) {
    std::string bytes;
    switch (p.platform.files.read(path, bytes)) {
    case ReadStatus::Ok:
        return bytes;
    case ReadStatus::Missing:
        return std::string();
    case ReadStatus::Outside:
        p.platform.prompter.message(OutsideCourseText(path));
        return std::nullopt;
    case ReadStatus::Error:
        break;
    }
    p.platform.prompter.message(ReadErrorText(path));
    return std::nullopt;
}

// The worksheet that shows this unit of the course, if it is the active one.
const Worksheet* sheetOfUnit(const Workspace& p, const QuestionEditorState& s) {
    const Worksheet* w = p.sheets.current;
    if (!w || s.newUnitMode || w->FromCopyFile || !(w->unitRef == s.ref)) return nullptr;
    return w;
}

// The findings of the key checker as one question: each line with its finding.
std::string keyWarning(const UnitKeyCheck& keys, int firstLine) {
    std::string text = J("次の解答は問題の式と合わないようです。") + "\r\n";
    std::size_t shown = 0;
    for (const KeyFinding& f : keys.findings) {
        if (++shown > 8) break;
        text += std::to_string(firstLine + f.line + 1) + J("行目：") + f.message + "\r\n";
    }
    if (keys.findings.size() > 8)
        text += J("ほか ") + std::to_string(keys.findings.size() - 8) + J(" 件") + "\r\n";
    return text + J("このまま保存しますか？");
}

// The new similar question's number, said once the user has agreed to it.
bool mayMakeRuidai(Workspace& p, const QuestionEditorState& s) {
    if (s.ref.Ruidai >= 1) {
        p.platform.prompter.message(J("類題の類題は作成できません"));
        return false;
    }
    return s.ruidaiAllowed;
}

std::optional<int> freeNumberNow(Workspace& p, const QuestionEditorState& s) {
    std::optional<std::string> bytes = readNow(p, s.path);
    if (!bytes) return std::nullopt;
    return FreeRuidaiNumber(lines::split(*bytes), s.ref.Unit);
}

void becomeRuidai(QuestionEditorState& s, int n) {
    s.ref.Ruidai = n;
    s.newRuidai = n;
    s.ruidaiAllowed = false;
}

std::string copiedList(const SimilarUnit& made, int firstLine) {
    std::string text;
    for (const CopiedQuestion& c : made.copied) {
        text += "\r\n" +
                (c.number.empty() ? std::to_string(firstLine + c.line + 1) + J("行目") : c.number);
        text += c.why == CopiedQuestion::Why::NotChecked ? J("（式として読めません）")
                                                         : J("（同じ程度の数が見つかりません）");
    }
    return text;
}

} // namespace

std::string UnitLabel(const UnitRef& ref) {
    return std::to_string(ref.Lesson) + " " + std::to_string(ref.Section) + " " +
           std::to_string(ref.Unit) + RuidaiSuffix(ref.Ruidai);
}

Report LoadQuestionEditor(Workspace& p, QuestionEditorState& s, UnitRef ref,
                          std::string unitName, bool newUnitMode) {
    s = QuestionEditorState{};
    s.ref = ref;
    s.unitName = std::move(unitName);
    s.newUnitMode = newUnitMode;
    if (ref.Section < 1) return Report::failed({});
    s.path = UnitFileNames(p.course, ref).queFile;
    if (s.path.empty()) return Report::failed(OutsideCourseText(p.course.lessonFolder[0]));
    std::string bytes;
    switch (p.platform.files.read(s.path, bytes)) {
    case ReadStatus::Ok:
    case ReadStatus::Missing:
        break;
    case ReadStatus::Outside:
        return Report::failed(OutsideCourseText(s.path));
    case ReadStatus::Error:
        return Report::failed(ReadErrorText(s.path));
    }
    if (std::optional<UnitBlockParts> block = ReadUnitBlock(lines::split(bytes), UnitBlockKey(ref)))
        s.memos = std::move(*block);
    else {
        s.memos.ques = NewUnitQuestionLines();
        s.memos.pageBlocks = DefaultPageBlocks();
    }
    if (const Worksheet* w = sheetOfUnit(p, s)) {
        s.memos.pageBlocks = WorksheetPageBlocks(*w, s.memos.pageBlocks, p.sheets.defaultFontFace);
        s.memos.qgraph = w->lstQGraph;
        s.memos.agraph = w->lstAGraph;
        s.sheetValues = true;
    }
    s.graphFolder = GraphFolder(p.platform.files, p.course, ref.Lesson);
    if (!s.graphFolder.empty()) s.graphFiles = p.platform.files.list(s.graphFolder, "*.BMP");
    s.ruidaiAllowed = !newUnitMode && ref.Ruidai == 0;
    ExtractInto(s);
    return {};
}

std::optional<MemoProblem> ExtractInto(QuestionEditorState& s) {
    if (std::optional<MemoProblem> problem = CheckQuestionMemo(s.memos.ques)) return problem;
    s.answers = ExtractAnswers(s.memos.ques);
    return std::nullopt;
}

int FreeRuidaiNumber(const Lines& file, int unit) {
    const std::string prefix = "[[unit" + std::to_string(unit) + "R";
    std::vector<int> used;
    for (const std::string& l : file) {
        if (l.compare(0, prefix.size(), prefix) != 0 || l.size() == prefix.size()) continue;
        const std::string digits = l.substr(prefix.size());
        if (digits.size() > 6 ||
            !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        used.push_back(std::stoi(digits));
    }
    int n = 1;
    while (std::find(used.begin(), used.end(), n) != used.end())
        ++n;
    return n;
}

bool TurnIntoRuidai(Workspace& p, QuestionEditorState& s) {
    if (!mayMakeRuidai(p, s)) return false;
    const std::optional<int> n = freeNumberNow(p, s);
    if (!n) return false;
    if (p.platform.prompter.askYesNo(J("データを変更して類題") + std::to_string(*n) +
                                     J("を作成します")) != answer::Yes)
        return false;
    becomeRuidai(s, *n);
    return true;
}

bool MakeRuidaiWithNewNumbers(Workspace& p, QuestionEditorState& s, std::uint64_t seed) {
    if (!mayMakeRuidai(p, s)) return false;
    const std::optional<int> n = freeNumberNow(p, s);
    if (!n) return false;
    const ReadableQuestions ques = QuestionsOf(s.memos.ques);
    const SimilarUnit made = MakeSimilarUnit(lines::views(ques.lines), seed);
    Lines lines(s.memos.ques.begin(), s.memos.ques.begin() + ques.first);
    lines.insert(lines.end(), made.ques.begin(), made.ques.end());
    const Lines oldAnswers = ExtractAnswers(s.memos.ques);
    s.memos.ques = std::move(lines);
    s.answers = ExtractAnswers(s.memos.ques);
    // Choice lines made from the old answers would not offer the new ones: each becomes
    // the new answer in its place; dummies and lines typed by hand stay.
    const Lines oldChoices = ChoiceLines(oldAnswers, false, false);
    const Lines newChoices = ChoiceLines(s.answers, false, false);
    if (oldChoices.size() == newChoices.size())
        for (std::string& line : s.memos.kgroup) {
            auto at = std::find(oldChoices.begin(), oldChoices.end(), line);
            if (at != oldChoices.end())
                line = newChoices[static_cast<std::size_t>(at - oldChoices.begin())];
        }
    becomeRuidai(s, *n);
    s.modified = true;
    std::string said = J("類題") + std::to_string(*n) + J("を作りました（数を変えた問題 ") +
                       std::to_string(made.remade) + J(" 個）。[OK]で保存します。");
    if (!made.copied.empty())
        said += "\r\n" + J("数を変えずに写した問題：") + copiedList(made, ques.first);
    p.platform.prompter.message(said);
    return true;
}

EditorSave SaveQuestionUnit(Workspace& p, QuestionEditorState& s) {
    Prompter& prompter = p.platform.prompter;
    const GraphPlace place{p.course.masterFolder, s.graphFolder};
    if (std::optional<MemoProblem> problem = CheckUnitText(s.memos, place)) {
        prompter.message(problem->message);
        return {false, problem};
    }
    const ReadableQuestions ques = QuestionsOf(s.memos.ques);
    const UnitKeyCheck keys = CheckUnitKeys(lines::views(ques.lines));
    if (!keys.findings.empty() && prompter.askYesNo(keyWarning(keys, ques.first)) != answer::Yes)
        return {false, MemoProblem{Memo::Ques, ques.first + keys.findings.front().line, {}}};

    const std::optional<std::string> bytes = readNow(p, s.path);
    if (!bytes) return {};
    const Lines file = s.newRuidai > 0 ? lines::split(*bytes) : Lines{};
    if (std::find(file.begin(), file.end(), UnitBlockKey(s.ref)) != file.end()) {
        // Another window wrote this similar question in the meantime.
        const int n = FreeRuidaiNumber(file, s.ref.Unit);
        prompter.message(J("類題") + std::to_string(s.newRuidai) + J("はすでにあるため、類題") +
                         std::to_string(n) + J("として保存します"));
        s.ref.Ruidai = s.newRuidai = n;
    }
    const std::string updated = WriteUnitBlocks(*bytes, UnitBlockKey(s.ref), EditorBlocks(s.memos));
    if (updated != *bytes || !p.platform.files.fileExists(s.path)) {
        if (WriteResult written = p.platform.files.write(s.path, updated); !written) {
            prompter.message(WriteFailureText(s.path, written));
            return {};
        }
    }
    s.modified = false;
    return {true, std::nullopt};
}

std::optional<Lines> ReadSourceLines(Workspace& p, const std::string& path) {
    std::optional<std::string> bytes = readNow(p, path);
    if (!bytes) return std::nullopt;
    return lines::split(*bytes);
}

bool WriteSourceLines(Workspace& p, const std::string& path, const Lines& lines) {
    if (WriteResult written = p.platform.files.write(path, lines::join(lines)); !written) {
        p.platform.prompter.message(WriteFailureText(path, written));
        return false;
    }
    return true;
}
