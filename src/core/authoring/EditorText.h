#pragma once
// The question editor's memos and what it does with their text: the check before a save
// (answer blanks, line limits, block lines, graphs, lines that would read as block
// keywords, characters Shift-JIS cannot hold), the answers extracted from the question
// lines, the answer-choice lines built from them, numbering and the graph triples.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "authoring/UnitBlock.h"
#include "platform/Canvas.h"
#include "text/Lines.h"

// The memos of the editor, in the order their problems are looked for.
enum class Memo { Ques, Dummy, Kgroup, Hint, QGraph, AGraph, PasteLo };

// What the user calls the memo in a message ("問題ブロック", "位置情報など" ...).
std::string MemoName(Memo memo);

// A memo line the editor refuses to save, and why (Shift-JIS).
struct MemoProblem {
    Memo memo = Memo::Ques;
    int line = 0; // 0-based line of the memo
    std::string message;
};

// The first character of the UTF-8 lines (as typed or pasted) that the Shift-JIS file
// would not keep as it stands: one code page 932 has no place for, one it stores as a
// look-alike that reads back as another character ("−" U+2212 comes back as "－" U+FF0D,
// "〜" as "～", "¥" as "\", the division sign of formulas), or a line break inside a line
// (a paste into a one-line field), which the file would read as a line of its own.
struct UnrepresentableChar {
    int line = 0;
    std::string codePoint;        // "U+XXXX" of the character as typed
    std::string becomes;          // the Shift-JIS look-alike it would be saved as, or ""
    std::string becomesCodePoint; // "U+XXXX" of the look-alike as it reads back, or ""
    bool lineBreak = false;       // a CR or LF inside the line
};
std::optional<UnrepresentableChar> FirstUnrepresentable(const std::vector<std::string>& utf8);
// What the user is told, the character named by its code point (a message is Shift-JIS
// and could not show it): "文字 U+XXXX はシフトJISで保存できません", "文字 U+2212 は
// 保存すると「－」(U+FF0D) に変わります。「－」と書いてください" or
// "改行 U+000A は１行の中に書けません".
std::string UnrepresentableText(const UnrepresentableChar& c);

// The first character of the memo's lines (UTF-8, as typed or pasted) that the file would
// not keep: memo name + line + "行目：" + UnrepresentableText.
std::optional<MemoProblem> FindUnrepresentable(Memo memo, const std::vector<std::string>& utf8);

// True for a line the readers would take as the end or the start of a block: ">>", "]]",
// or one that starts with "[[" or "<<".
bool IsKeywordLine(std::string_view line);

// Where graph names must lead: the master folder and the lesson's graph folder (as
// GraphFolder gives it).
struct GraphPlace {
    std::string masterFolder;
    std::string graphFolder;
};

// The question lines' "#" pairs, as the reader checks them, with the line counted in the
// memo (a leading "{" ... "}" comment included).
std::optional<MemoProblem> CheckQuestionMemo(const Lines& ques);

// Everything the editor checks before it writes the memos, first failure only: the
// question lines ("#" pairs, the 60-line limit of the reader), lines that would open or
// close a block in any memo, lines of the position memo outside its blocks, the block
// lengths, and the graph triples (three lines each, at most 15, names inside the graph
// folder). The question memo's leading "{" ... "}" comment is left out, as the reader
// skips it.
std::optional<MemoProblem> CheckUnitText(const UnitBlockParts& memos, const GraphPlace& graphs);

// The question lines as the reader takes them (without the leading comment), and the
// memo line where they start.
struct ReadableQuestions {
    Lines lines;
    int first = 0;
};
ReadableQuestions QuestionsOf(const Lines& ques);

// Every answer between a "#" pair of the question lines, blanks trimmed (抽出).
Lines ExtractAnswers(const Lines& ques);

// The answer-choice lines of answers: every alternative of every answer on a line of its
// own; without numbers (an answer made only of digits, signs, "." and "/", full-width
// or not) and without the one-character labels "あ" ... "Ｊ" when asked.
Lines ChoiceLines(const Lines& answers, bool withoutNumbers, bool withoutLabels);
// The choice lines with every dummy answer that is not among them yet.
Lines WithDummyAnswers(const Lines& kgroup, const Lines& dummy);
// The counters under the choice memo: its lines, and the characters the practice
// window's soft keyboard shows (bytes div 2 per line).
struct ChoiceCounts {
    int lines = 0;
    int keys = 0;
};
ChoiceCounts CountChoices(const Lines& kgroup);

// 問題番号: from the second line on, line i becomes "(" + i + ") " + line + "="; the
// first line, the instruction, stays.
Lines NumberQuestionLines(const Lines& ques);
// 解答欄 and 下線とかっこ: what goes before and after the selection to make it an answer
// blank (" # " … " # ") or underlined in brackets ("<U>（" … "）</>").
struct Wrapping {
    std::string before;
    std::string after;
};
Wrapping AnswerBlankWrapping();
Wrapping UnderlineWrapping();

// Appends a graph triple per name while the memo holds fewer than 15 graphs: the name and
// the place of text run k of the last layout moved by 40 and 20 (question graphs k = the
// graphs already there + 1, answer graphs k = the graphs already there), or "-1" "-1"
// (placed by the layout) without a known run. Returns the names that did not fit.
std::vector<std::string> AddGraphs(Lines& memo, const std::vector<std::string>& names,
                                   bool answerGraphs, const std::vector<Point>* runs);
