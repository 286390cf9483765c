#pragma once
// Reading a record line back into its parts:
//   [類題n)]yyyy年mm月dd日 hh:mm [tries[ version]] cc/tt sss点 mm:ss
// A run on a varied copy names the copy's version after the tries ("[1000 V20261208-07]").

#include <optional>
#include <string>
#include <string_view>

#include "platform/Clock.h"

struct RecordFields {
    int ruidai = 0;    // the similar-question set, 0 for the unit itself
    DateTime when;     // date and time of day (seconds 0)
    std::string tries;   // the tries log between the brackets
    std::string version; // the varied copy's version code ("V20261208-07"), or ""
    int correct = 0;
    int total = 0;
    int score = 0;
    int seconds = 0; // how long the run took
};

// The parts of a record line; nothing when the line is not one (damaged, cut, or a value
// some other program left in the section).
std::optional<RecordFields> ParseRecordLine(std::string_view line);

// The same parts without a copy: tries is a view into the line.
struct RecordView {
    int ruidai = 0;
    DateTime when;
    std::string_view tries;
    int correct = 0;
    int total = 0;
    int score = 0;
    int seconds = 0;
};
// False when the line is no record line (f is then undefined).
bool ReadRecordLine(std::string_view line, RecordView& f);

// value in decimal, with leading zeros to width digits at least.
void AppendPadded(std::string& out, long value, int width);
