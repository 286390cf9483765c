#pragma once
// The learner's practice records: one INI section per unit or worksheet file in the
// learner's file, one key per recorded run ("1", "2", ...). Every change is made under
// the file's lock, so that the copies of the program sharing a course folder never write
// over each other's records.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/Files.h"
#include "text/Profile.h"
#include "text/Report.h"

struct Record {
    std::string key;
    std::string line;
};

// Appends line under the next free key of section in the learner file, under the
// file's lock; the old file is kept whole when the write fails.
WriteResult AppendRecord(Files& files, const std::string& learnerFile, const std::string& section,
                         const std::string& line);

// The number a record key is written as ("12"), or 0 for any other key ("012", "a").
long RecordNumber(std::string_view key);

// The next free key: the first positive number that no key of the section is.
std::string FirstFreeKey(const std::vector<std::string>& keys);

// The records of a section in the order of their numbers, then any other keys in file
// order; empty when the file or the section is missing.
std::vector<Record> ReadRecords(Files& files, const std::string& learnerFile,
                                const std::string& section);
// Reads a learner file whole into bytes under the lock its writers take, or, when the lock
// cannot be had, as it stands (it is only ever replaced whole); lockProblem (when given)
// then gets the reason, and is emptied otherwise.
ReadStatus ReadLearnerFile(Files& files, const std::string& learnerFile, std::string& bytes,
                           std::string* lockProblem = nullptr);
// Erases the section under the file's lock; a missing file or section is no failure.
Report EraseRecords(Files& files, const std::string& learnerFile, const std::string& section);

// A learner file read once, for windows that count the records of many sections.
class RecordBook {
  public:
    RecordBook() = default;
    RecordBook(Files& files, const std::string& learnerFile);

    // Ok, Missing (no records), or why the file could not be read.
    ReadStatus status() const { return status_; }
    int count(const std::string& section) const;
    std::vector<Record> records(const std::string& section) const;
    // Every section of the file, in file order.
    const std::vector<ProfileSection>& sections() const { return sections_; }

  private:
    const ProfileSection* find(const std::string& section) const;

    ReadStatus status_ = ReadStatus::Missing;
    std::vector<ProfileSection> sections_;
    std::unordered_map<std::string, std::size_t> index_; // lower-cased name -> position
};

// The records of one section in order: numbered keys by number, then the others.
std::vector<Record> OrderedRecords(const ProfileSection& section);
// The same order, without copies.
std::vector<const ProfileEntry*> OrderedEntries(const ProfileSection& section);
