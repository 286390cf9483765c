#pragma once
// The learner's practice records: one INI section per unit or worksheet file in the
// learner's file, one key per recorded run ("1", "2", ...).

#include <string>

#include "platform/Files.h"

// The number of records (keys) in a section of a learner file; 0 when the file or the
// section is missing.
int RecordCount(Files& files, const std::string& learnerFile, const std::string& section);

// Appends line under the next free key of section in the learner file, under the
// file's lock; the old file is kept whole when the write fails.
WriteResult AppendRecord(Files& files, const std::string& learnerFile,
                         const std::string& section, const std::string& line);
