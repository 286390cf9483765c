#pragma once
// A learner file read straight from its bytes, for the readers that walk every record of
// many files (the records CSV, the class grid). It reads the file exactly as the INI reader
// (Profile::readAll) does: each section once, at its first block, a key given twice keeps
// its first value, names and values trimmed, one pair of quotes stripped, values cut at
// Profile::MaxValueBytes; but it keeps views into the bytes instead of copies, and hands
// over each section's records already in record order (OrderedEntries). It also counts what
// is no INI line at all, so that a file of garbage is told from one without records.

#include <functional>
#include <string_view>
#include <vector>

struct ScannedRecord {
    long number; // RecordNumber of the key
    std::string_view key;
    std::string_view value;
};

struct LearnerFileScan {
    int sections = 0;   // sections handed over
    int strayLines = 0; // non-blank lines that are neither a section, an entry nor a comment,
                        // and entries before the first section
};

// Calls take(section name, records in order) for the first block of every section, in
// file order. The views point into bytes and into scratch room reused between calls.
using ScanSection =
    std::function<void(std::string_view section, const std::vector<ScannedRecord>& records)>;
LearnerFileScan ScanLearnerFile(std::string_view bytes, const ScanSection& take);
