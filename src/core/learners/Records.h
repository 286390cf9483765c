#pragma once
// The learner's practice records: one INI section per unit or worksheet file in the
// learner's file, one key per recorded run ("1", "2", ...).

#include <string>

#include "platform/Files.h"

// The number of records (keys) in a section of a learner file; 0 when the file or the
// section is missing.
int RecordCount(Files& files, const std::string& learnerFile, const std::string& section);
