#include "authoring/UnitBlock.h"

#include "formats/CourseIndex.h"
#include "formats/WorksheetFile.h"
#include "shell/Helpers.h"
#include "shell/Program.h"
#include "text/Sjis.h"
#include "worksheet/Worksheet.h"

namespace {

bool isUnitHeader(const std::string& line) {
    return line.compare(0, 6, "[[unit") == 0;
}

// The question lines as the unit reader takes them: a leading "{" ... "}" is skipped.
Lines readableQuestions(const Lines& ques) {
    if (ques.empty() || ques.front() != "{") return ques;
    for (std::size_t i = 1; i < ques.size(); ++i)
        if (ques[i] == "}")
            return Lines(ques.begin() + static_cast<std::ptrdiff_t>(i) + 1, ques.end());
    return {};
}

} // namespace

std::optional<BlockSpan> FindUnitBlock(const Lines& file, const std::string& key) {
    for (std::size_t i = 0; i < file.size(); ++i) {
        if (file[i] != key) continue;
        std::size_t j = i + 1;
        while (j < file.size() && file[j] != "]]" && !isUnitHeader(file[j]))
            ++j;
        if (j < file.size() && file[j] == "]]") ++j;
        return BlockSpan{i, j};
    }
    return std::nullopt;
}

std::optional<UnitBlockParts> ReadUnitBlock(const Lines& file, const std::string& key) {
    std::optional<BlockSpan> span = FindUnitBlock(file, key);
    if (!span) return std::nullopt;
    UnitBlockParts parts;
    struct Target {
        const char* keyword;
        Lines* lines;
        bool whole; // keyword and ">>" kept (page blocks)
    };
    const Target targets[] = {
        {"<<ques", &parts.ques, false},       {"<<dummy", &parts.dummy, false},
        {"<<kgroup", &parts.kgroup, false},   {"<<hint", &parts.hint, false},
        {"<<graph", &parts.qgraph, false},    {"<<AGraph", &parts.agraph, false},
        {"<<value", &parts.pageBlocks, true}, {"<<font", &parts.pageBlocks, true},
        {"<<kran", &parts.pageBlocks, true},
    };
    const std::size_t end = span->end;
    for (std::size_t i = span->first + 1; i < end; ++i) {
        for (const Target& t : targets) {
            if (file[i] != t.keyword) continue;
            if (t.whole) t.lines->push_back(file[i]);
            ++i;
            while (i < end && file[i] != ">>" && file[i] != "]]")
                t.lines->push_back(file[i++]);
            if (t.whole) t.lines->push_back(">>");
            break;
        }
    }
    return parts;
}

Lines AssembleUnitBlock(const std::string& key, const UnitBlockParts& parts) {
    Lines out{key};
    AppendBlock(out, "<<ques", parts.ques);
    if (!parts.kgroup.empty()) AppendBlock(out, "<<kgroup", parts.kgroup);
    AppendBlock(out, "<<dummy", parts.dummy);
    if (!parts.qgraph.empty()) AppendBlock(out, "<<graph", parts.qgraph);
    if (!parts.agraph.empty()) AppendBlock(out, "<<AGraph", parts.agraph);
    if (!parts.hint.empty()) AppendBlock(out, "<<hint", parts.hint);
    out.insert(out.end(), parts.pageBlocks.begin(), parts.pageBlocks.end());
    out.push_back("]]");
    return out;
}

Lines ReplaceUnitBlock(const Lines& file, const std::string& key, const Lines& block) {
    Lines out;
    std::optional<BlockSpan> span = FindUnitBlock(file, key);
    if (!span) {
        out = file;
        out.insert(out.end(), block.begin(), block.end());
        return out;
    }
    out.reserve(file.size() + block.size());
    out.insert(out.end(), file.begin(), file.begin() + static_cast<std::ptrdiff_t>(span->first));
    out.insert(out.end(), block.begin(), block.end());
    out.insert(out.end(), file.begin() + static_cast<std::ptrdiff_t>(span->end), file.end());
    return out;
}

UnitBlockParts WorksheetUnitParts(const Worksheet& w, const std::optional<UnitBlockParts>& old) {
    UnitBlockParts parts;
    if (old) {
        parts = *old;
        if (readableQuestions(old->ques) != w.lstQues) parts.ques = w.lstQues;
    } else {
        parts.ques = w.lstQues;
        parts.kgroup = w.KgroupLines;
    }
    parts.qgraph = w.lstQGraph;
    parts.agraph = w.lstAGraph;
    parts.pageBlocks = PageBlockLines(w, w.paper.Width);
    return parts;
}

bool OverwriteUnit(Program& p, Worksheet& w) {
    const std::string& path = w.strFileName;
    Lines file;
    switch (LoadLines(p, path, file)) {
    case LoadStatus::Ok:
    case LoadStatus::Missing: // the unit starts a new file
        break;
    case LoadStatus::Error:
        // Writing now would lose every other unit of the file.
        p.platform.prompter.message(ReadErrorText(path));
        return false;
    }
    const std::string key = UnitBlockKey(w.unitRef);
    std::optional<UnitBlockParts> old = ReadUnitBlock(file, key);
    Lines updated = ReplaceUnitBlock(file, key, AssembleUnitBlock(key, WorksheetUnitParts(w, old)));
    if (!p.platform.files.write(path, lines::join(updated))) {
        p.platform.prompter.message(path + J("の保存に失敗しました"));
        return false;
    }
    if (!old) p.shell.ruidaiScanPending = true; // a new block may be a similar question
    w.Modified = false;
    return true;
}

std::string CheckPageBlocks(const Lines& lines) {
    struct Rule {
        const char* keyword;
        int count;
        int alternative;
        const char* message;
    };
    const Rule rules[] = {
        {"<<value", 7, 7, "valueブロックの数が合いません"},
        {"<<font", 7, 7, "fontブロックの数が合いません"},
        {"<<kran", 10, 8, "kranブロックの数が合いません"},
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        for (const Rule& r : rules) {
            if (lines[i] != r.keyword) continue;
            int n = 0;
            for (std::size_t j = i + 1; j < lines.size() && lines[j] != ">>"; ++j)
                ++n;
            if (n != r.count && n != r.alternative) return J(r.message);
        }
    }
    return {};
}
