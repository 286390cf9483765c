#pragma once
// One unit block of a question unit file as the question editor and 上書き保存 handle it:
// read into its parts, assembled again, and put back into the file in place of the old
// block (or appended when the unit has none yet).

#include <optional>
#include <string>

#include "text/Lines.h"

struct Program;
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

// The block as the editor writes it: header, "<<ques", "<<kgroup" (when it has lines),
// "<<dummy", "<<graph" and "<<AGraph" (when they have lines), "<<hint" (when it has
// lines), the page blocks, "]]".
Lines AssembleUnitBlock(const std::string& key, const UnitBlockParts& parts);

// The file with the block of key replaced by block at its place, or with block appended
// when the file has none.
Lines ReplaceUnitBlock(const Lines& file, const std::string& key, const Lines& block);

// The worksheet as a unit block: its graphs and page blocks as they stand now; question
// lines, answer choices, dummy answers and hints kept from the old block where there is
// one (its question lines only while they still read as the worksheet's).
UnitBlockParts WorksheetUnitParts(const Worksheet& w, const std::optional<UnitBlockParts>& old);

// 上書き保存: writes the worksheet's unit into its question unit file (replacing its block
// or appending it) through the atomic save and marks it unmodified. A file that cannot be
// read or written is reported and left as it was; the worksheet stays modified.
bool OverwriteUnit(Program& p, Worksheet& w);

// The editor's check of page blocks ("<<value" 7 lines, "<<font" 7, "<<kran" 10 or 8):
// the message of the first failure, or "" when they pass.
std::string CheckPageBlocks(const Lines& lines);
