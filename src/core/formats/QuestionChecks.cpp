#include "formats/QuestionChecks.h"

#include "text/Sjis.h"

TextCheck CheckQuestionLines(std::span<const std::string_view> ques) {
    bool anyHash = false;
    for (std::size_t i = 0; i < ques.size(); ++i) {
        // "#" is never the second byte of a double-byte character. Every piece between two
        // "#" must hold something: no "#" may follow another.
        const std::string_view q = ques[i];
        std::size_t n = 0;
        bool emptyPiece = false;
        for (std::size_t at = q.find('#'); at != std::string_view::npos; at = q.find('#', at + 1)) {
            ++n;
            if (at + 1 < q.size() && q[at + 1] == '#') emptyPiece = true;
        }
        auto failure = [i](const char* textUtf8) {
            return TextCheck{false, static_cast<int>(i), std::to_string(i + 1) + J(textUtf8)};
        };
        if (n % 2 != 0) return failure("行目：＃の数は偶数にしてください");
        if (emptyPiece) return failure("行目：解答がありません");
        if (n > 0) anyHash = true;
    }
    if (!anyHash) return {false, 0, J("解答欄がありません")};
    return {};
}

TextCheck CheckBlocks(std::span<const std::string_view> pasteLo) {
    for (std::size_t i = 0; i < pasteLo.size(); ++i) {
        const std::string_view line = pasteLo[i];
        const char* failure = nullptr;
        bool value = line == "<<value", font = line == "<<font", kran = line == "<<kran";
        if (!value && !font && !kran) continue;
        std::size_t n = 0;
        while (i + 1 + n < pasteLo.size() && pasteLo[i + 1 + n] != ">>")
            ++n;
        if (value && n != 7) failure = "valueブロックの数が合いません";
        if (font && n != 7) failure = "fontブロックの数が合いません";
        if (kran && n != 10 && n != 8) failure = "kranブロックの数が合いません";
        if (failure) return {false, static_cast<int>(i), sjis::fromUtf8(failure)};
    }
    return {};
}

EditorUnitView ReadEditorView(const Lines& file, std::size_t headerLine) {
    return ReadEditorView(lines::views(file), headerLine);
}

void EditorUnitView::clear() {
    for (LineViews* list : {&ques, &dummy, &kgroup, &hint, &qgraph, &agraph, &pasteLo})
        list->clear();
    quesLines.clear();
    pasteLoLines.clear();
    firstQuesKeyword = -1;
    endLine = -1;
}

EditorUnitView ReadEditorView(std::span<const std::string_view> file, std::size_t headerLine) {
    EditorUnitView v;
    ReadEditorView(file, headerLine, v);
    return v;
}

void ReadEditorView(std::span<const std::string_view> file, std::size_t headerLine,
                    EditorUnitView& v) {
    v.clear();
    struct Target {
        std::string_view keyword;
        LineViews* out;
        bool whole;
    };
    const Target targets[] = {
        {"<<ques", &v.ques, false},     {"<<dummy", &v.dummy, false},
        {"<<kgroup", &v.kgroup, false}, {"<<hint", &v.hint, false},
        {"<<graph", &v.qgraph, false},  {"<<AGraph", &v.agraph, false},
        {"<<value", &v.pasteLo, true},  {"<<font", &v.pasteLo, true},
        {"<<kran", &v.pasteLo, true},
    };
    std::size_t i = headerLine;
    for (; i < file.size() && file[i] != "]]"; ++i) {
        const std::string_view l = file[i];
        if (l.size() < 6 || l[0] != '<' || l[1] != '<') continue; // most lines are no keyword
        for (const Target& t : targets) {
            if (file[i] != t.keyword) continue;
            std::size_t keyword = i;
            if (t.whole) {
                v.pasteLo.push_back(file[i]);
                v.pasteLoLines.push_back(static_cast<int>(i));
            } else if (t.out == &v.ques && v.firstQuesKeyword < 0) {
                v.firstQuesKeyword = static_cast<int>(i);
            }
            for (++i; i < file.size() && file[i] != ">>"; ++i) {
                t.out->push_back(file[i]);
                if (t.out == &v.ques) v.quesLines.push_back(static_cast<int>(i));
                if (t.whole) v.pasteLoLines.push_back(static_cast<int>(i));
            }
            if (t.whole) {
                v.pasteLo.push_back(">>");
                v.pasteLoLines.push_back(static_cast<int>(i < file.size() ? i : keyword));
            }
            if (i >= file.size()) {
                v.endLine = static_cast<int>(file.size());
                return;
            }
        }
    }
    v.endLine = static_cast<int>(i);
}
