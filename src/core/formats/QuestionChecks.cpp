#include "formats/QuestionChecks.h"

#include "shell/Helpers.h"
#include "text/Sjis.h"

TextCheck CheckQuestionLines(const Lines& ques) {
    bool anyHash = false;
    Lines pieces;
    for (std::size_t i = 0; i < ques.size(); ++i) {
        int n = SplitAtHash(ques[i], pieces);
        std::string number = std::to_string(i + 1);
        if (n % 2 != 0)
            return {false, static_cast<int>(i), number + J("行目：＃の数は偶数にしてください")};
        for (int k = 1; k < n; ++k)
            if (pieces[k].empty())
                return {false, static_cast<int>(i), number + J("行目：解答がありません")};
        if (n > 0) anyHash = true;
    }
    if (!anyHash) return {false, 0, J("解答欄がありません")};
    return {};
}

TextCheck CheckBlocks(const Lines& pasteLo) {
    for (std::size_t i = 0; i < pasteLo.size(); ++i) {
        const std::string& line = pasteLo[i];
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
    EditorUnitView v;
    struct Target {
        const char* keyword;
        Lines* out;
        bool whole;
    };
    const Target targets[] = {
        {"<<ques", &v.ques, false},     {"<<dummy", &v.dummy, false},
        {"<<kgroup", &v.kgroup, false}, {"<<hint", &v.hint, false},
        {"<<graph", &v.qgraph, false},  {"<<AGraph", &v.agraph, false},
        {"<<value", &v.pasteLo, true},  {"<<font", &v.pasteLo, true},
        {"<<kran", &v.pasteLo, true},
    };
    for (std::size_t i = headerLine; i < file.size() && file[i] != "]]"; ++i) {
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
            if (i >= file.size()) return v;
        }
    }
    return v;
}
