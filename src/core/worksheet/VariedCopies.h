#pragma once
// Varied copies of a worksheet: numbered copies in which every question whose keys the
// key checker can confirm gets new numbers, so that pupils sitting side by side have sheets
// of their own. Copy n of a set is made from the set's seed and n alone, so the same seed
// prints the same set again and a returned sheet's keys can be made again from the version
// code in its header ("V20261208-07": seed 20261208, copy 7).
//
// A copy keeps a question as the original wherever the checker cannot confirm a new key
// (word problems, graphs, terms, questions it does not read): such a question is the same
// on every copy. Each copy is laid out on its own and must pass the layout check of the
// original (answers inside their boxes, no boxes running into each other; problems the
// original sheet has itself are not held against a copy); otherwise it is made again from
// the next numbers, a bounded number of times, and a copy that still fails is reported and
// never printed.
//
// Strings are Shift-JIS, as the worksheet's.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "keys/SimilarQuestions.h"
#include "platform/Canvas.h"
#include "platform/Clock.h"
#include "text/Lines.h"
#include "worksheet/LayoutCheck.h"

struct Workspace;
class Worksheet;
class Printer;

// Makings of one copy before it is reported as not laid out cleanly.
constexpr int MaxCopyMakings = 8;

// The seed a set gets by default: the date as a number, 2026-12-08 → 20261208.
std::uint64_t DefaultVarySeed(const DateTime& date);

// The version code of copy n of a set, for the header: "V" + seed + "-" + the copy with at
// least two digits ("V20261208-07", "V20261208-112").
std::string VersionCode(std::uint64_t seed, int copy);

struct VersionRef {
    std::uint64_t seed = 0;
    int copy = 0; // 1 or more
};
// Reads a version code back as typed: blanks around it, "v" or "V", full-width digits and
// a full-width or long hyphen are taken; anything else (including a seed beyond 18 digits
// or a copy beyond 9999) gives nothing.
std::optional<VersionRef> ParseVersionCode(std::string_view text);

// How many of a worksheet's questions vary: the questions with answers, those that got new
// numbers on the set's first copy, and those that stay the original (with why), as the
// print dialog says before printing.
struct VaryCount {
    int questions = 0;
    int varied = 0;
    std::vector<CopiedQuestion> stay; // line: index in the worksheet's question lines
};
VaryCount CountVaryingQuestions(const Worksheet& sheet, std::uint64_t seed);

// One copy of a set.
struct VariedCopy {
    int copy = 0;             // its number (the header's "№")
    std::string versionCode;  // VersionCode(seed, copy)
    Lines ques;               // its question lines, the keys between their "#" pairs
    int varied = 0;           // questions with new numbers
    std::vector<CopiedQuestion> stayed; // questions printed as the original, and why
    int makings = 0;          // makings until one passed the layout check (1 = the first)
    bool laidOut = false;     // false: no making passed; the copy must not be printed
    std::vector<LayoutProblem> problems; // the last making's new problems when !laidOut
};

// Makes copy n of the set (seed, n) from the sheet's question lines and lays it out on
// canvas (the page it will be printed on, or one measuring as it) to check it. The sheet
// is left with its own question lines; its layout is the copy's last (lay it out again
// before showing it).
VariedCopy MakeVariedCopy(Workspace& program, Worksheet& sheet, Canvas& canvas,
                          std::uint64_t seed, int copy);

// The keys of a copy, one per answer box in page order: the question it belongs to and the
// first form of its key ("x=#-3/7;…#" gives "-3/7").
struct CopyKey {
    std::string question; // "(7)" as written, or "" for a box outside a numbered question
    std::string key;
};
std::vector<CopyKey> KeysOf(const Lines& ques);

// The key booklet: one row per copy, one column per answer box.
struct KeyBooklet {
    std::vector<std::string> heads; // column heads: "(7)", "(7)②" for a question's 2nd box
    struct Row {
        int copy = 0;
        std::string versionCode;
        std::vector<std::string> keys; // one per column
    };
    std::vector<Row> rows;
};
// Adds copy's keys as a row (the heads come from the first row).
void AddBookletRow(KeyBooklet& booklet, const VariedCopy& copy);

// What a varied print job prints.
enum class VariedPages {
    Questions,  // the copies
    Answers,    // each copy with its answers shown, in copy order
    KeyBooklet, // a table of every copy's keys, as many copies a page as fit
};

struct VariedPrintRequest {
    std::uint64_t seed = 0;
    int copies = 1;
    int firstCopy = 1; // the first copy's number (開始番号)
    VariedPages pages = VariedPages::Questions;
};

struct VariedPrintReport {
    int printed = 0;                    // copies printed (rows in the booklet)
    std::vector<VariedCopy> notLaidOut; // copies left out, question lines dropped
    std::string message;                // Shift-JIS; empty when every copy was printed
};

// Called before each copy with the copies made so far and the number of copies; false
// stops the job there (what was printed stays).
using VariedProgress = std::function<bool(int done, int copies)>;

// Prints the current worksheet's varied copies at the printer's resolution, making, laying
// out and printing one copy at a time (the booklet keeps only the keys). A copy that cannot
// be laid out cleanly is left out and named in the report's message, which the job also
// says through the prompter. The sheet's question lines, answers shown and 開始番号 are
// as they were afterwards. False when nothing could be printed or a document failed.
bool PrintVariedCopies(Workspace& program, Printer& printer, const VariedPrintRequest& request,
                       VariedPrintReport& report, const VariedProgress& progress = {});
