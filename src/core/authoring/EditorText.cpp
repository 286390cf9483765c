#include "authoring/EditorText.h"

#include <algorithm>
#include <cstdio>

#include "formats/CourseNames.h"
#include "formats/QuestionChecks.h"
#include "formats/UnitReader.h"
#include "text/CorePath.h"
#include "text/Sjis.h"
#include "text/TextCuts.h"
#include "worksheet/Worksheet.h"

namespace {

std::string lineText(Memo memo, std::size_t line) {
    return MemoName(memo) + " " + std::to_string(line + 1) + J("行目：");
}

MemoProblem problem(Memo memo, std::size_t line, std::string message) {
    return {memo, static_cast<int>(line), std::move(message)};
}

// The length of the UTF-8 sequence that starts with byte b (1 for a stray byte).
std::size_t utf8Length(unsigned char b) {
    if (b >= 0xF0) return 4;
    if (b >= 0xE0) return 3;
    if (b >= 0xC0) return 2;
    return 1;
}

std::string codePointText(std::string_view c) {
    unsigned long cp = static_cast<unsigned char>(c[0]);
    if (c.size() > 1) {
        cp &= 0xFFu >> (c.size() + 1);
        for (std::size_t i = 1; i < c.size(); ++i)
            cp = (cp << 6) | (static_cast<unsigned char>(c[i]) & 0x3Fu);
    }
    char text[16];
    std::snprintf(text, sizeof text, "U+%04lX", cp);
    return text;
}

bool isPageKeyword(std::string_view line) {
    return line == "<<value" || line == "<<font" || line == "<<kran";
}

// Lines of the position memo: only its blocks, and no line that would leave them.
std::optional<MemoProblem> checkPasteLo(const Lines& lines) {
    bool inBlock = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        if (!inBlock) {
            if (isPageKeyword(l)) {
                inBlock = true;
                continue;
            }
            if (l.empty()) continue;
            if (IsKeywordLine(l))
                return problem(Memo::PasteLo, i,
                               lineText(Memo::PasteLo, i) + J("「") + l +
                                   J("」は <<value、<<font、<<kran のほかには書けません"));
            return problem(Memo::PasteLo, i,
                           lineText(Memo::PasteLo, i) + J("ブロックの外の行は保存されません"));
        }
        if (l == ">>") {
            inBlock = false;
        } else if (IsKeywordLine(l)) {
            return problem(Memo::PasteLo, i,
                           lineText(Memo::PasteLo, i) + J("「") + l +
                               J("」の前に >> がありません"));
        }
    }
    return std::nullopt;
}

std::optional<MemoProblem> checkGraphs(Memo memo, const Lines& lines, const GraphPlace& place) {
    if (lines.size() % 3 != 0)
        return problem(memo, lines.size() - 1,
                       MemoName(memo) + J("：グラフはファイル名、x、y の３行ずつです"));
    if (lines.size() / 3 > static_cast<std::size_t>(MaxGraphs))
        return problem(memo, 3 * MaxGraphs,
                       J("グラフは") + std::to_string(MaxGraphs) + J("個までです"));
    for (std::size_t t = 0; t < lines.size(); t += 3)
        if (!GraphPicturePath(place.masterFolder, place.graphFolder, lines[t]))
            return problem(memo, t, lineText(memo, t) + OutsideCourseText(lines[t]));
    return std::nullopt;
}

bool isNumberChar(std::string_view c, bool& digit) {
    static const std::string wide[] = {J("－"), J("．"), J("／"), J("−"), J("＋")};
    if (c.size() == 1) {
        if (c[0] >= '0' && c[0] <= '9') return digit = true;
        return c[0] == '-' || c[0] == '.' || c[0] == '/' || c[0] == '+';
    }
    // "０" .. "９" are 0x82 0x4F .. 0x82 0x58.
    if (static_cast<unsigned char>(c[0]) == 0x82 && static_cast<unsigned char>(c[1]) >= 0x4F &&
        static_cast<unsigned char>(c[1]) <= 0x58)
        return digit = true;
    return std::find(std::begin(wide), std::end(wide), c) != std::end(wide);
}

// An answer that is a number as the keypads type it: digits with signs, "." and "/".
bool isNumber(std::string_view s) {
    bool digit = false;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = sjis::charLen(s, i);
        if (!isNumberChar(s.substr(i, n), digit)) return false;
        i += n;
    }
    return digit;
}

bool isLabel(const std::string& line) {
    static const std::string labels =
        J("あいうえおかきくけこアイウエオカキクケコＡＢＣＤＥＦＨＩＪ");
    if (line.size() != 2) return false;
    for (std::size_t i = 0; i + 1 < labels.size(); i += 2)
        if (labels.compare(i, 2, line) == 0) return true;
    return false;
}

} // namespace

std::string MemoName(Memo memo) {
    switch (memo) {
    case Memo::Ques:
        return J("問題ブロック");
    case Memo::Dummy:
        return J("ダミーの解答");
    case Memo::Kgroup:
        return J("解選択ブロック");
    case Memo::Hint:
        return J("ヒントブロック");
    case Memo::QGraph:
        return J("問題のグラフ");
    case Memo::AGraph:
        return J("解答のグラフ");
    case Memo::PasteLo:
        break;
    }
    return J("位置情報など");
}

std::optional<UnrepresentableChar> FirstUnrepresentable(const std::vector<std::string>& utf8) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const std::string& line = utf8[i];
        const bool breaks = line.find_first_of("\r\n") != std::string::npos;
        if (!breaks && sjis::representable(line) && sjis::toUtf8(sjis::fromUtf8(line)) == line)
            continue;
        for (std::size_t at = 0; at < line.size();) {
            const std::size_t n =
                std::min(utf8Length(static_cast<unsigned char>(line[at])), line.size() - at);
            const std::string_view c(line.data() + at, n);
            at += n;
            UnrepresentableChar found{static_cast<int>(i), codePointText(c), {}, {}, false};
            if (c == "\r" || c == "\n") {
                found.lineBreak = true;
                return found;
            }
            if (!sjis::representable(c)) return found;
            std::string stored = sjis::fromUtf8(c);
            const std::string back = sjis::toUtf8(stored);
            if (back == c) continue;
            found.becomes = std::move(stored);
            found.becomesCodePoint = codePointText(back);
            return found;
        }
    }
    return std::nullopt;
}

std::string UnrepresentableText(const UnrepresentableChar& c) {
    if (c.lineBreak) return J("改行 ") + c.codePoint + J(" は１行の中に書けません");
    if (c.becomes.empty()) return J("文字 ") + c.codePoint + J(" はシフトJISで保存できません");
    return J("文字 ") + c.codePoint + J(" は保存すると「") + c.becomes + J("」(") +
           c.becomesCodePoint + J(") に変わります。「") + c.becomes + J("」と書いてください");
}

std::optional<MemoProblem> FindUnrepresentable(Memo memo, const std::vector<std::string>& utf8) {
    const std::optional<UnrepresentableChar> c = FirstUnrepresentable(utf8);
    if (!c) return std::nullopt;
    const auto line = static_cast<std::size_t>(c->line);
    return problem(memo, line, lineText(memo, line) + UnrepresentableText(*c));
}

bool IsKeywordLine(std::string_view line) {
    return line == ">>" || line == "]]" || line.substr(0, 2) == "[[" || line.substr(0, 2) == "<<";
}

ReadableQuestions QuestionsOf(const Lines& ques) {
    if (ques.empty() || ques.front() != "{") return {ques, 0};
    for (std::size_t i = 1; i < ques.size(); ++i)
        if (ques[i] == "}")
            return {Lines(ques.begin() + static_cast<std::ptrdiff_t>(i) + 1, ques.end()),
                    static_cast<int>(i) + 1};
    return {{}, static_cast<int>(ques.size())};
}

std::optional<MemoProblem> CheckQuestionMemo(const Lines& ques) {
    const ReadableQuestions q = QuestionsOf(ques);
    const TextCheck check = CheckQuestionLines(lines::views(q.lines));
    if (check.ok) return std::nullopt;
    // The check counts from the first question line, the memo from its top.
    std::string message = check.message;
    const std::string counted = std::to_string(check.line + 1);
    if (q.first > 0 && message.compare(0, counted.size(), counted) == 0)
        message = std::to_string(q.first + check.line + 1) + message.substr(counted.size());
    return problem(Memo::Ques, static_cast<std::size_t>(q.first + check.line), message);
}

std::optional<MemoProblem> CheckUnitText(const UnitBlockParts& memos, const GraphPlace& graphs) {
    if (auto p = CheckQuestionMemo(memos.ques)) return p;
    const ReadableQuestions ques = QuestionsOf(memos.ques);
    if (ques.lines.size() > static_cast<std::size_t>(MaxQuestionLines))
        return problem(Memo::Ques, static_cast<std::size_t>(ques.first + MaxQuestionLines),
                       J("問題の行は６０行以下です"));
    const std::pair<Memo, const Lines*> plain[] = {
        {Memo::Ques, &memos.ques}, {Memo::Dummy, &memos.dummy},   {Memo::Kgroup, &memos.kgroup},
        {Memo::Hint, &memos.hint}, {Memo::QGraph, &memos.qgraph}, {Memo::AGraph, &memos.agraph},
    };
    for (const auto& [memo, list] : plain)
        for (std::size_t i = 0; i < list->size(); ++i)
            if (IsKeywordLine((*list)[i]))
                return problem(memo, i,
                               lineText(memo, i) + J("「") + (*list)[i] +
                                   J("」はブロックの区切りと読まれるため書けません"));
    if (auto p = checkPasteLo(memos.pageBlocks)) return p;
    const TextCheck blocks = CheckBlocks(lines::views(memos.pageBlocks));
    if (!blocks.ok)
        return problem(Memo::PasteLo, static_cast<std::size_t>(blocks.line), blocks.message);
    if (auto p = checkGraphs(Memo::QGraph, memos.qgraph, graphs)) return p;
    if (auto p = checkGraphs(Memo::AGraph, memos.agraph, graphs)) return p;
    return std::nullopt;
}

Lines ExtractAnswers(const Lines& ques) {
    Lines out, pieces;
    for (const std::string& line : QuestionsOf(ques).lines) {
        SplitAtHash(line, pieces);
        for (std::size_t k = 1; k + 1 < pieces.size(); k += 2)
            out.push_back(TrimWide(pieces[k]));
    }
    return out;
}

Lines ChoiceLines(const Lines& answers, bool withoutNumbers, bool withoutLabels) {
    Lines out, pieces;
    for (const std::string& answer : answers) {
        if (answer.empty()) continue;
        SplitAtSemicolon(answer, pieces);
        for (const std::string& piece : pieces) {
            if (withoutNumbers && isNumber(piece)) continue;
            if (withoutLabels && isLabel(piece)) continue;
            out.push_back(piece);
        }
    }
    return out;
}

Lines WithDummyAnswers(const Lines& kgroup, const Lines& dummy) {
    Lines out = kgroup;
    for (const std::string& d : dummy)
        if (!d.empty() && std::find(out.begin(), out.end(), d) == out.end()) out.push_back(d);
    return out;
}

ChoiceCounts CountChoices(const Lines& kgroup) {
    ChoiceCounts c;
    c.lines = static_cast<int>(kgroup.size());
    for (const std::string& l : kgroup)
        c.keys += static_cast<int>(l.size() / 2);
    return c;
}

Lines NumberQuestionLines(const Lines& ques) {
    Lines out = ques;
    if (out.size() < 2) return out;
    for (std::size_t i = 1; i < out.size(); ++i)
        out[i] = "(" + std::to_string(i) + ") " + out[i] + "=";
    return out;
}

Wrapping AnswerBlankWrapping() {
    return {" # ", " # "};
}

Wrapping UnderlineWrapping() {
    return {"<U>" + J("（"), J("）") + "</>"};
}

std::vector<std::string> AddGraphs(Lines& memo, const std::vector<std::string>& names,
                                   bool answerGraphs, const std::vector<Point>* runs) {
    std::vector<std::string> refused;
    for (const std::string& name : names) {
        const std::size_t c = memo.size() / 3;
        if (c >= static_cast<std::size_t>(MaxGraphs)) {
            refused.push_back(name);
            continue;
        }
        const std::size_t k = answerGraphs ? c : c + 1;
        memo.push_back(name);
        if (runs && k < runs->size()) {
            memo.push_back(std::to_string((*runs)[k].x + 40));
            memo.push_back(std::to_string((*runs)[k].y + 20));
        } else {
            memo.push_back("-1");
            memo.push_back("-1");
        }
    }
    return refused;
}
