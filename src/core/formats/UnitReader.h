#pragma once
// The unit reader: one unit block of a question unit file, or the single unit of a
// worksheet file, read into the parse buffer. The reader says nothing itself: its result
// carries the message for the caller to show or list.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/ParseBuffer.h"
#include "platform/Files.h"
#include "text/Lines.h"

constexpr int MaxQuestionLines = 60;

enum class UnitReadMode {
    Open = 0,          // open a unit of the course
    WorksheetFile = 1, // open a worksheet file ("[[unitX")
    Append = 2,        // append a unit to the current worksheet
};

// The index names of the chosen unit (the unit menu's selected texts).
struct UnitTitleNames {
    std::string lesson;
    std::string section;
    std::string unit;
};

// What an append needs to know of the current worksheet. The append flow loads the
// worksheet's question lines and graphs into the parse buffer before reading.
struct AppendTarget {
    std::string title;               // strTangen
    std::string titleBase;           // strTitleBase
    bool uneditedCourseUnit = false; // the master flag: still an unedited course unit
    int firstSection = 0;            // UnitRef.Section of the worksheet
    int firstUnit = 0;               // UnitRef.Unit of the worksheet
    int questionGraphLines = 0;      // lstQGraph lines already on the worksheet
};

struct UnitReadRequest {
    std::string path;   // file to read
    std::string header; // "[[unit" + number (+ "R" + n), or "[[unitX"
    int unit = 0;
    int section = 0;
    UnitReadMode mode = UnitReadMode::Open;
    UnitTitleNames names; // modes 0 and 2
    AppendTarget target;  // mode 2
    // When the caller has indexed the file's header lines: the 0-based line of the first
    // line equal to header, so that the read starts there instead of searching from the top.
    int headerLine = -1;
};

struct UnitReadResult {
    enum Status {
        Ok,
        Missing,          // no such file (no message)
        ReadError,        // the file cannot be read
        Empty,            // the file holds no lines (no message)
        NoHeader,         // the header line is not in the file (no message)
        TooManyQuestions, // "問題の行は６０行以下です"
        ValueBlock,       // "<<value block error"
        FontBlock,        // "<<font block error"
        KranBlock,        // "<<kran block error"
        HeaderBlock,      // worksheet file with fewer than 3 header lines
        Unclosed,         // a block runs into the end of the file without ">>"
    };
    Status status = Ok;
    int line = 0;        // 1-based line of the unit header or of the failing block keyword
    std::string message; // what the user is told, empty when nothing
    bool ok() const { return status == Ok; }
};

// Where the lines of one read stood in the file (0-based line indexes), for checking. A
// read clears it first, so one map can serve many reads.
struct UnitLineMap {
    int headerLine = -1;
    struct Block {
        std::string keyword;
        int line = 0;  // the keyword line
        int count = 0; // content lines
    };
    std::vector<Block> blocks;
    std::vector<int> questionLines; // one per question line added by this read
    std::vector<int> qgraphLines;
    std::vector<int> agraphLines;
    int endLine = -1; // where a successful read stopped: the unit's "]]" or the file's end
    void clear() {
        headerLine = -1;
        endLine = -1;
        blocks.clear();
        questionLines.clear();
        qgraphLines.clear();
        agraphLines.clear();
    }
};

// Loads the file into fileLines through the files service and reads the unit into buffer.
UnitReadResult ReadUnit(Files& files, ParseBuffer& buffer, Lines& fileLines,
                        const UnitReadRequest& r);
// Reads the unit from lines already loaded (r.path is used in messages).
UnitReadResult ParseUnit(ParseBuffer& buffer, const Lines& fileLines, const UnitReadRequest& r,
                         UnitLineMap* map = nullptr);
// Reads the unit from lines held elsewhere (a file read once for many units).
UnitReadResult ParseUnitLines(ParseBuffer& buffer, std::span<const std::string_view> lines,
                              const UnitReadRequest& r, UnitLineMap* map = nullptr);
