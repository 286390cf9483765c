#include "learners/RecordsCsv.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "formats/CourseNames.h"
#include "learners/LearnerFiles.h"
#include "learners/RecordLine.h"
#include "learners/Records.h"
#include "learners/RecordsList.h"
#include "text/CorePath.h"
#include "text/FileMessages.h"
#include "text/Sjis.h"
#include "text/TextCuts.h"

namespace {

// True when the learner files of lesson L lie in its own folder (not the records folder).
bool inLessonFolder(Files& files, const CourseTables& course, int lesson) {
    return !course.cdMode && LessonInside(course, lesson) &&
           files.dirExists(LessonFolderPath(course, lesson));
}

std::string stemOf(const std::string& file) {
    return file.substr(0, file.size() - 4); // without ".ini"
}

// One record's row: the section's fields (prefix, each ended by a comma), then similar,
// date, time, tries, correct, total, score and seconds.
void appendRecordRow(std::string& out, const std::string& prefix, const RecordFields& f) {
    out += prefix;
    AppendPadded(out, f.ruidai, 1);
    out += ',';
    AppendPadded(out, f.when.year, 4);
    out += '-';
    AppendPadded(out, f.when.month, 2);
    out += '-';
    AppendPadded(out, f.when.day, 2);
    out += ',';
    AppendPadded(out, f.when.hour, 2);
    out += ':';
    AppendPadded(out, f.when.minute, 2);
    out += ',';
    // A varied copy's version stays beside the tries, as the record line has it.
    out += CsvField(sjis::toUtf8(f.version.empty() ? f.tries : f.tries.empty() ? f.version
                                                                   : f.tries + ' ' + f.version));
    for (int n : {f.correct, f.total, f.score, f.seconds}) {
        out += ',';
        AppendPadded(out, n, 1);
    }
    out += "\r\n";
}

} // namespace

std::vector<LearnerSource> FindLearnerFiles(Files& files, const CourseTables& course,
                                            const std::string& logOnFolder,
                                            const std::string& learner, int lesson) {
    std::vector<LearnerSource> out;
    const int lessons =
        static_cast<int>(std::min<std::size_t>(course.lessonNames.size(), MaxTableEntry));
    for (int l = 1; l <= lessons; ++l) {
        if (lesson != 0 && l != lesson) continue;
        if (!learner.empty()) {
            const std::string file = LearnerFile(files, course, learner, logOnFolder, l);
            if (!file.empty() && files.fileExists(file)) out.push_back({learner, l, file});
            continue;
        }
        if (inLessonFolder(files, course, l)) {
            const std::string folder = LessonFolderPath(course, l);
            for (const std::string& f : files.list(folder, "*.ini"))
                out.push_back({stemOf(f), l, folder + f});
            continue;
        }
        // "<name>(<lesson>).ini", and older "<name><lesson>.ini" files that only one
        // learner and lesson can own and whose learner has no newer file.
        const std::vector<std::string> names = files.list(logOnFolder, "*.ini");
        for (const std::string& f : names) {
            const std::vector<RecordsFolderOwner> owners = RecordsFolderOwners(f, lessons);
            if (owners.size() != 1 || owners[0].lesson != l) continue;
            const std::string newer = RecordsFolderFileName(owners[0].learner, l);
            if (f != newer && std::find(names.begin(), names.end(), newer) != names.end())
                continue;
            out.push_back({owners[0].learner, l, logOnFolder + f});
        }
    }
    return out;
}

std::string CsvField(std::string_view utf8) {
    // A spreadsheet takes a cell that begins with one of these for a formula: a leading
    // apostrophe keeps it text.
    const bool formula =
        !utf8.empty() && std::string_view("=+-@\t\r").find(utf8.front()) != std::string_view::npos;
    if (utf8.find_first_of(",\"\r\n") == std::string_view::npos)
        return formula ? "'" + std::string(utf8) : std::string(utf8);
    std::string out = formula ? "\"'" : "\"";
    for (char c : utf8) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
    return out;
}

const std::string& RecordsCsvHeader() {
    static const std::string header = "learner,lesson,key,unit,similar,date,time,tries,correct,"
                                      "total,score,seconds\r\n";
    return header;
}

RecordsCsvResult RecordsCsv(Files& files, const CourseTables& course,
                            const std::vector<LearnerSource>& sources) {
    RecordsCsvResult out;
    out.csv = RecordsCsvHeader();
    std::map<int, std::unordered_map<std::string, std::string>> unitLines; // lesson -> key -> line
    for (const LearnerSource& src : sources) {
        const RecordBook book(files, src.file);
        if (book.status() == ReadStatus::Error || book.status() == ReadStatus::Outside) {
            out.problems.push_back(book.status() == ReadStatus::Error
                                       ? ReadErrorText(src.file)
                                       : OutsideCourseText(src.file));
            continue;
        }
        if (!unitLines.count(src.lesson)) {
            auto& lines = unitLines[src.lesson];
            std::vector<LessonBlock> blocks;
            ReadLessonUnits(files, course, src.lesson, blocks); // a unit not found has no text
            for (const LessonBlock& b : blocks)
                for (const LessonUnit& u : b.units)
                    lines.emplace(sjis::asciiLower(u.key), u.line);
        }
        const auto& lines = unitLines[src.lesson];
        const std::string learner = sjis::toUtf8(src.learner);
        const std::string lesson = std::to_string(src.lesson);
        for (const ProfileSection& s : book.sections()) {
            if (sjis::equalsIgnoreAsciiCase(s.name, "password")) continue;
            std::string unit;
            if (auto it = lines.find(sjis::asciiLower(s.name)); it != lines.end())
                unit = sjis::toUtf8(it->second);
            else if (ExtensionOf(s.name) == ".prp")
                unit = sjis::toUtf8(s.name);
            const std::string key = sjis::toUtf8(s.name);
            // Learner, lesson, key and unit are the same on every row of the section.
            std::string prefix;
            for (std::string_view field : {std::string_view(learner), std::string_view(lesson),
                                           std::string_view(key), std::string_view(unit)})
                prefix += CsvField(field) + ",";
            for (const ProfileEntry* r : OrderedEntries(s)) {
                const std::optional<RecordFields> f = ParseRecordLine(r->value);
                if (!f) {
                    out.problems.push_back(src.file + ": [" + s.name + "] " + r->key +
                                           J(": 記録の行として読めません"));
                    continue;
                }
                appendRecordRow(out.csv, prefix, *f);
                ++out.rows;
            }
        }
    }
    return out;
}

Report ExportLearnerRecords(Files& files, const CourseTables& course,
                            const std::string& logOnFolder, const std::string& learner,
                            const std::string& path) {
    const RecordsCsvResult csv =
        RecordsCsv(files, course, FindLearnerFiles(files, course, logOnFolder, learner, 0));
    const WriteResult written = files.write(path, csv.csv);
    if (!written) return Report::failed(WriteFailureText(path, written));
    return {};
}
