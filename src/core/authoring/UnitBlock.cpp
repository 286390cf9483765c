#include "authoring/UnitBlock.h"

#include <algorithm>
#include <array>

#include "formats/QuestionChecks.h"
#include "text/Sjis.h"
#include "worksheet/Worksheet.h"
#include "worksheet/WorksheetFile.h"

namespace {

constexpr std::size_t None = static_cast<std::size_t>(-1);

// The editor's order of blocks in a unit.
constexpr std::array<std::string_view, 9> EditorOrder{"<<ques",  "<<kgroup", "<<dummy",
                                                      "<<graph", "<<AGraph", "<<hint",
                                                      "<<value", "<<font",   "<<kran"};

std::size_t orderOf(std::string_view keyword) {
    auto it = std::find(EditorOrder.begin(), EditorOrder.end(), keyword);
    return static_cast<std::size_t>(it - EditorOrder.begin()); // unknown: after all
}

// Blocks the reader takes the first of; of the others it joins every block of a kind.
bool firstOnly(std::string_view keyword) {
    return keyword == "<<value" || keyword == "<<font" || keyword == "<<kran";
}

bool isUnitHeader(std::string_view line) {
    return line.substr(0, 6) == "[[unit";
}

// The question lines as the unit reader takes them: a leading "{" ... "}" is skipped.
Lines readableQuestions(const Lines& ques) {
    if (ques.empty() || ques.front() != "{") return ques;
    for (std::size_t i = 1; i < ques.size(); ++i)
        if (ques[i] == "}")
            return Lines(ques.begin() + static_cast<std::ptrdiff_t>(i) + 1, ques.end());
    return {};
}

// The leading "{" ... "}" comment of question lines, or nothing.
Lines commentGroup(const Lines& ques) {
    if (ques.empty() || ques.front() != "{") return {};
    for (std::size_t i = 1; i < ques.size(); ++i)
        if (ques[i] == "}")
            return Lines(ques.begin(), ques.begin() + static_cast<std::ptrdiff_t>(i) + 1);
    return {};
}

// A line of the file as bytes: its text and its line end.
struct RawLine {
    std::size_t begin = 0;
    std::size_t textEnd = 0;
    std::size_t end = 0; // after the line end
};

// The same cuts as lines::split, keeping where each line and its line end stand.
std::vector<RawLine> rawLines(std::string_view bytes) {
    std::vector<RawLine> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') continue;
        std::size_t after = i + 1;
        if (c == '\r' && after < bytes.size() && bytes[after] == '\n') ++after;
        out.push_back({start, i, after});
        start = after;
        i = after - 1;
    }
    if (start < bytes.size()) out.push_back({start, bytes.size(), bytes.size()});
    return out;
}

// A tagged block of the unit: its keyword line, and its ">>" line or None when the unit
// ends first.
struct RawBlock {
    std::string_view keyword;
    std::size_t first = 0;
    std::size_t close = None;
    std::size_t contentEnd = 0; // the ">>" line, or the unit's end when unclosed
};

struct RawUnit {
    std::size_t header = None;
    std::size_t close = None; // the "]]" line
    std::size_t end = 0;      // one past the unit's last line
    std::vector<RawBlock> blocks;
};

class RawFile {
  public:
    explicit RawFile(std::string_view bytes) : bytes_(bytes), lines_(rawLines(bytes)) {}
    std::size_t size() const { return lines_.size(); }
    std::string_view text(std::size_t i) const {
        return bytes_.substr(lines_[i].begin, lines_[i].textEnd - lines_[i].begin);
    }
    std::string_view whole(std::size_t i) const {
        return bytes_.substr(lines_[i].begin, lines_[i].end - lines_[i].begin);
    }

    // The unit of key as the reader walks it: blocks run to their ">>" (the questions'
    // "{" ... "}" comment first), never into the next unit's header.
    RawUnit unit(const std::string& key) const {
        RawUnit u;
        std::size_t i = 0;
        while (i < size() && text(i) != key)
            ++i;
        if (i == size()) return u;
        u.header = i;
        for (++i; i < size(); ++i) {
            const std::string_view line = text(i);
            if (line == "]]") {
                u.close = i;
                u.end = i + 1;
                return u;
            }
            if (isUnitHeader(line)) break;
            if (line.substr(0, 2) != "<<") continue;
            RawBlock b{line, i};
            std::size_t from = i + 1;
            if (line == "<<ques" && from < size() && text(from) == "{") {
                std::size_t brace = from + 1;
                while (brace < size() && text(brace) != "}" && !isUnitHeader(text(brace)))
                    ++brace;
                if (brace < size() && text(brace) == "}") from = brace + 1;
            }
            std::size_t c = from;
            while (c < size() && text(c) != ">>" && !isUnitHeader(text(c)))
                ++c;
            if (c < size() && text(c) == ">>") {
                b.close = b.contentEnd = c;
                i = c;
            } else {
                b.contentEnd = c;
                i = c - 1;
            }
            u.blocks.push_back(b);
        }
        u.end = i;
        return u;
    }

    bool sameContent(const std::vector<const RawBlock*>& blocks, const Lines& lines) const {
        std::size_t n = 0;
        for (const RawBlock* b : blocks)
            for (std::size_t j = b->first + 1; j < b->contentEnd; ++j, ++n)
                if (n >= lines.size() || text(j) != lines[n]) return false;
        return n == lines.size();
    }

  private:
    std::string_view bytes_;
    std::vector<RawLine> lines_;
};

void appendLine(std::string& out, std::string_view line) {
    out.append(line);
    out.append("\r\n");
}

void appendBlock(std::string& out, const BlockWrite& b) {
    appendLine(out, b.keyword);
    for (const std::string& l : b.lines)
        appendLine(out, l);
    appendLine(out, ">>");
}

// Text put in front of a kept line; the line before it gets a line end if it had none.
void appendInserted(std::string& out, const std::string& text) {
    if (text.empty()) return;
    if (!out.empty() && out.back() != '\n' && out.back() != '\r') out.append("\r\n");
    out.append(text);
}

// Where a block the unit lacks goes: behind the last block that comes before it in the
// editor's order, else in front of the first that comes after it, else before "]]".
std::size_t insertionPoint(const RawUnit& u, std::string_view keyword) {
    const std::size_t rank = orderOf(keyword);
    std::size_t after = None, before = None;
    std::size_t afterRank = 0, beforeRank = EditorOrder.size();
    for (const RawBlock& b : u.blocks) {
        const std::size_t r = orderOf(b.keyword);
        if (r >= EditorOrder.size()) continue;
        if (r < rank && (after == None || r >= afterRank)) {
            after = b.close == None ? b.contentEnd : b.close + 1;
            afterRank = r;
        } else if (r > rank && r < beforeRank) {
            before = b.first;
            beforeRank = r;
        }
    }
    if (after != None) return after;
    if (before != None) return before;
    return u.close != None ? u.close : u.end;
}

std::vector<BlockWrite> inEditorOrder(std::vector<BlockWrite> blocks) {
    std::stable_sort(blocks.begin(), blocks.end(), [](const BlockWrite& a, const BlockWrite& b) {
        return orderOf(a.keyword) < orderOf(b.keyword);
    });
    return blocks;
}

// Whole blocks ("<<value", lines, ">>", ...) as blocks to write.
std::vector<BlockWrite> splitBlocks(const Lines& whole) {
    std::vector<BlockWrite> out;
    for (std::size_t i = 0; i < whole.size(); ++i) {
        if (whole[i].compare(0, 2, "<<") != 0) continue;
        BlockWrite b{whole[i], {}, false};
        for (++i; i < whole.size() && whole[i] != ">>"; ++i)
            b.lines.push_back(whole[i]);
        out.push_back(std::move(b));
    }
    return out;
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

std::string WriteUnitBlocks(std::string_view file, const std::string& key,
                            const std::vector<BlockWrite>& blocks) {
    const std::vector<BlockWrite> ordered = inEditorOrder(blocks);
    const RawFile raw(file);
    const RawUnit unit = raw.unit(key);
    std::string out;
    if (unit.header == None) {
        out.assign(file);
        std::string added;
        appendLine(added, key);
        for (const BlockWrite& b : ordered)
            if (!(b.lines.empty() && b.dropWhenEmpty)) appendBlock(added, b);
        appendLine(added, "]]");
        appendInserted(out, added);
        return out;
    }

    // Text put in front of line i (i = size(): at the end), and the lines left out.
    std::vector<std::string> inserted(raw.size() + 1);
    std::vector<bool> dropped(raw.size(), false);
    auto drop = [&](std::size_t from, std::size_t to) {
        for (std::size_t j = from; j < to; ++j)
            dropped[j] = true;
    };
    for (const BlockWrite& w : ordered) {
        std::vector<const RawBlock*> found;
        for (const RawBlock& b : unit.blocks)
            if (b.keyword == w.keyword) found.push_back(&b);
        const bool leaveOut = w.lines.empty() && w.dropWhenEmpty;
        if (found.empty()) {
            if (leaveOut) continue;
            std::string text;
            appendBlock(text, w);
            inserted[insertionPoint(unit, w.keyword)] += text;
            continue;
        }
        if (firstOnly(w.keyword)) found.resize(1);
        if (raw.sameContent(found, w.lines)) continue;
        for (std::size_t k = 0; k < found.size(); ++k) {
            const RawBlock& b = *found[k];
            if (leaveOut || k > 0) {
                drop(b.first, b.close == None ? b.contentEnd : b.close + 1);
                continue;
            }
            drop(b.first + 1, b.contentEnd);
            std::string text;
            for (const std::string& l : w.lines)
                appendLine(text, l);
            if (b.close == None) appendLine(text, ">>");
            inserted[b.contentEnd] += text;
        }
    }
    // A unit that lost its "]]" gets it back where it ends, so that the reader stops there.
    if (unit.close == None) {
        std::string text;
        appendLine(text, "]]");
        inserted[unit.end] += text;
    }
    out.reserve(file.size() + 256);
    for (std::size_t i = 0; i <= raw.size(); ++i) {
        appendInserted(out, inserted[i]);
        if (i < raw.size() && !dropped[i]) out.append(raw.whole(i));
    }
    return out;
}

std::vector<BlockWrite> EditorBlocks(const UnitBlockParts& parts) {
    std::vector<BlockWrite> out{
        {"<<ques", parts.ques, false},    {"<<kgroup", parts.kgroup, true},
        {"<<dummy", parts.dummy, false},  {"<<graph", parts.qgraph, true},
        {"<<AGraph", parts.agraph, true}, {"<<hint", parts.hint, true},
    };
    for (BlockWrite& b : splitBlocks(parts.pageBlocks))
        out.push_back(std::move(b));
    return out;
}

std::vector<BlockWrite> WorksheetBlocks(const Worksheet& w,
                                        const std::optional<UnitBlockParts>& old,
                                        const std::string& defaultFace) {
    std::vector<BlockWrite> out;
    if (!old || readableQuestions(old->ques) != w.lstQues) {
        Lines ques = old ? commentGroup(old->ques) : Lines{};
        // A first question line "{" would open the skipped comment when read back.
        if (ques.empty() && !w.lstQues.empty() && w.lstQues.front() == "{") ques = {"{", "}"};
        ques.insert(ques.end(), w.lstQues.begin(), w.lstQues.end());
        out.push_back({"<<ques", std::move(ques), false});
    }
    if (!old) {
        out.push_back({"<<kgroup", w.KgroupLines, true});
        out.push_back({"<<dummy", {}, false});
    }
    out.push_back({"<<graph", w.lstQGraph, true});
    out.push_back({"<<AGraph", w.lstAGraph, true});
    for (BlockWrite& b :
         splitBlocks(WorksheetPageBlocks(w, old ? old->pageBlocks : Lines{}, defaultFace)))
        out.push_back(std::move(b));
    return out;
}

Lines WorksheetPageBlocks(const Worksheet& w, const Lines& oldPageBlocks,
                          const std::string& defaultFace) {
    constexpr std::size_t FaceLine = 6;
    bool defaultNamed = false;
    for (const BlockWrite& b : splitBlocks(oldPageBlocks))
        if (b.keyword == "<<font")
            defaultNamed = b.lines.size() > FaceLine && b.lines[FaceLine] == "0";
    Lines out = PageBlockLines(w, w.paper.Width);
    if (!defaultNamed) return out;
    for (std::size_t i = 0; i + 1 + FaceLine < out.size(); ++i)
        if (out[i] == "<<font" && out[i + 1 + FaceLine] == defaultFace) {
            out[i + 1 + FaceLine] = "0";
            break;
        }
    return out;
}

std::string CheckPageBlocks(const Lines& lines) {
    return CheckBlocks(lines::views(lines)).message;
}
