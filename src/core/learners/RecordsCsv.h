#pragma once
// Every record of a course as CSV (RFC 4180, UTF-8, CR LF, one header line): learner,
// lesson, records key, unit text or worksheet file, similar-question number, date (ISO
// 8601), time, tries, correct, total, score, seconds. "velmix records" prints it and the
// records window saves it for the learner at the keyboard.

#include <string>
#include <string_view>
#include <vector>

#include "formats/CourseTables.h"
#include "platform/Files.h"
#include "text/Report.h"

// A learner file of one lesson.
struct LearnerSource {
    std::string learner; // Shift-JIS
    int lesson = 1;
    std::string file;
};

// The learner files of a course, by lesson and then by name: for each lesson (only lesson
// when it is not 0) the "*.ini" files of the lesson folder, or, for a lesson whose records
// lie in the records folder (a CD-ROM course, a missing lesson folder), the files
// "<name><lesson>.ini" there. With a learner, only that learner's files.
std::vector<LearnerSource> FindLearnerFiles(Files& files, const CourseTables& course,
                                            const std::string& logOnFolder,
                                            const std::string& learner, int lesson);

// One field as RFC 4180 writes it: in double quotes, with its quotes doubled, when it holds
// a comma, a quote, a CR or an LF. A field beginning with "=", "+", "-", "@", a tab or a
// CR, which a spreadsheet would run as a formula, gets a leading "'".
std::string CsvField(std::string_view utf8);
// The same field appended to out.
void AppendCsvField(std::string& out, std::string_view utf8);
// The header line, ended by CR LF.
const std::string& RecordsCsvHeader();

struct RecordsCsvResult {
    std::string csv; // UTF-8: the header and one line per record
    int rows = 0;
    // What was skipped: "<file>: [<section>] <key>: ..." for a damaged line, and files that
    // could not be read (Shift-JIS).
    std::vector<std::string> problems;
};
// The CSV of the records in sources, in their order; within a file by section as the file
// holds them and by record number.
RecordsCsvResult RecordsCsv(Files& files, const CourseTables& course,
                            const std::vector<LearnerSource>& sources);

// Where the CSV goes while it is made, so that no more than one learner file and a few
// dozen kilobytes of rows are held at a time.
class RecordsCsvSink {
  public:
    virtual ~RecordsCsvSink() = default;
    // The next bytes of the CSV (the header first). False stops the walk: the output failed.
    virtual bool write(std::string_view csv) = 0;
    // What was skipped, as RecordsCsvResult::problems lists it, when it is met.
    virtual void problem(const std::string& sjisText) = 0;
};
struct RecordsCsvCount {
    int rows = 0;
    int problems = 0;
    bool stopped = false; // the sink refused bytes
};
// RecordsCsv's bytes and problems in the same order, handed to sink as they are made.
// Every learner file is read under its writers' lock (as it stands when the lock cannot be
// had: it is only ever replaced whole).
RecordsCsvCount StreamRecordsCsv(Files& files, const CourseTables& course,
                                 const std::vector<LearnerSource>& sources, RecordsCsvSink& sink);

// The CSV of learner's records in every lesson of the course, written to path. Fails with
// the message of the failed write (the old file stays as it was).
Report ExportLearnerRecords(Files& files, const CourseTables& course,
                            const std::string& logOnFolder, const std::string& learner,
                            const std::string& path);
