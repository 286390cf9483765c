#pragma once
// One unit block of a question unit file as the question editor and 上書き保存 handle it:
// read into its parts, and written back by the one block writer, which rewrites only the
// blocks it is given and keeps every other byte of the file as it was.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/Lines.h"

class Worksheet;

// The parts of a unit block, as the editor's memos hold them.
struct UnitBlockParts {
    Lines ques;   // "<<ques" lines as written (a leading "{" ... "}" comment included)
    Lines dummy;  // "<<dummy"
    Lines kgroup; // "<<kgroup"
    Lines hint;   // "<<hint"
    Lines qgraph; // "<<graph" triples
    Lines agraph; // "<<AGraph" triples
    // The "<<value", "<<font" and "<<kran" blocks, whole, in file order.
    Lines pageBlocks;
    bool operator==(const UnitBlockParts&) const = default;
};

// Where the block of key stands: the header line and one past its last line. The block
// ends with its "]]" line; a block without one ends before the next unit header (or at
// the end of the file), so that a damaged block never swallows the units after it.
struct BlockSpan {
    std::size_t first = 0;
    std::size_t end = 0;
};
std::optional<BlockSpan> FindUnitBlock(const Lines& file, const std::string& key);

// The block of key read into its parts; nullopt when the file has no such header.
std::optional<UnitBlockParts> ReadUnitBlock(const Lines& file, const std::string& key);

// One tagged block to write: its keyword line ("<<graph") and content lines.
struct BlockWrite {
    std::string keyword;
    Lines lines;
    bool dropWhenEmpty = false; // without lines the block is left out (graphs, hints)
};

// The one block writer: the file with the unit of key holding the given blocks. A block
// whose content is already the given one is left alone; another is rewritten in its place
// (for "<<value", "<<font" and "<<kran" the first of its kind, which the reader uses; for
// the others the first takes the whole content and later ones of the kind go); an empty
// block marked dropWhenEmpty goes; a block the unit lacks is put where the editor's order
// ("<<ques", "<<kgroup", "<<dummy", "<<graph", "<<AGraph", "<<hint", "<<value",
// "<<font", "<<kran") puts it. Every other line, blocks the writer was not given
// ("<<softkey", "<<ans", unknown ones) and the rest of the file included, keeps its bytes
// and its line end; a unit without its "]]" gets one before the next unit header. A unit the file
// lacks is appended, blocks in the editor's order. New lines end in CR LF.
std::string WriteUnitBlocks(std::string_view file, const std::string& key,
                            const std::vector<BlockWrite>& blocks);

// The editor's blocks for parts: everything it holds, graphs, kgroup and hint only when
// they have lines.
std::vector<BlockWrite> EditorBlocks(const UnitBlockParts& parts);

// What 上書き保存 writes for the worksheet: its graphs and page blocks as they stand now,
// and its question lines when they no longer read as the unit's (a leading "{" ... "}"
// comment stays). old: the unit's block as the file holds it, nullopt for a new unit,
// which also gets the worksheet's answer groups and an empty "<<dummy" block. A question
// font the unit named "0" (the program's face, defaultFace) stays "0" while it is that face.
std::vector<BlockWrite> WorksheetBlocks(const Worksheet& w,
                                        const std::optional<UnitBlockParts>& old,
                                        const std::string& defaultFace);

// The worksheet's "<<value", "<<font" and "<<kran" blocks as they stand now, keyword and
// ">>" lines included. A question font the unit named "0" in oldPageBlocks (the
// program's face, defaultFace) stays "0" while it is that face.
Lines WorksheetPageBlocks(const Worksheet& w, const Lines& oldPageBlocks,
                          const std::string& defaultFace);

// The editor's check of page blocks ("<<value" 7 lines, "<<font" 7, "<<kran" 10 or 8):
// the message of the first failure, or "" when they pass.
std::string CheckPageBlocks(const Lines& lines);
