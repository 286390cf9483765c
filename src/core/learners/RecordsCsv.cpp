#include "learners/RecordsCsv.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <unordered_map>

#include "formats/CourseNames.h"
#include "learners/LearnerFiles.h"
#include "learners/RecordLine.h"
#include "learners/RecordScan.h"
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

// The CSV rows of a chunk, written straight into their room.
class CsvChunk {
  public:
    // Room for n more bytes at the end.
    char* room(std::size_t n) {
        if (used_ + n > size_) {
            const std::size_t size = std::max(size_ * 2, used_ + n);
            std::unique_ptr<char[]> bigger(new char[size]);
            if (used_ > 0) std::memcpy(bigger.get(), data_.get(), used_);
            data_ = std::move(bigger);
            size_ = size;
        }
        return data_.get() + used_;
    }
    void grewTo(const char* end) { used_ = static_cast<std::size_t>(end - data_.get()); }
    void append(std::string_view bytes) {
        char* at = room(bytes.size());
        if (!bytes.empty()) std::memcpy(at, bytes.data(), bytes.size());
        used_ += bytes.size();
    }
    std::string_view bytes() const { return {data_.get(), used_}; }
    std::size_t size() const { return used_; }
    void clear() { used_ = 0; }

  private:
    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0, used_ = 0;
};

// value (0 or more) in decimal, with leading zeros to width digits at least.
char* putNumber(char* at, int value, int width) {
    char digits[12];
    char* start = digits + sizeof digits;
    unsigned v = value < 0 ? 0u : static_cast<unsigned>(value);
    do {
        *--start = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    for (long pad = width - (digits + sizeof digits - start); pad > 0; --pad)
        *at++ = '0';
    while (start < digits + sizeof digits)
        *at++ = *start++;
    return at;
}

// Two digits of 0 to 99.
char* putTwo(char* at, int value) {
    *at++ = static_cast<char>('0' + value / 10);
    *at++ = static_cast<char>('0' + value % 10);
    return at;
}

// A field that CsvField leaves as it is: ASCII without a comma, quote or line break, and
// not starting as a formula.
bool plainField(std::string_view s) {
    if (!s.empty() && (s.front() == '=' || s.front() == '+' || s.front() == '-' ||
                       s.front() == '@' || s.front() == '\t' || s.front() == '\r'))
        return false;
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80 || c == ',' || c == '"' || c == '\r' || c == '\n')
            return false;
    return true;
}

// The block a row's prefix is copied in.
constexpr std::size_t PrefixSlack = 16;

// One record's row: the section's fields (prefix, each ended by a comma), then similar,
// date, time, tries, correct, total, score and seconds. The tries field is the text between
// the record line's brackets, so a varied copy's version stays beside the tries there.
void appendRecordRow(CsvChunk& out, std::string_view prefix, const RecordView& f,
                     std::string& scratch) {
    std::string_view tries = f.tries;
    if (!plainField(tries)) {
        scratch.clear();
        AppendCsvField(scratch, sjis::toUtf8(tries));
        tries = scratch;
    }
    // The numbers take at most 11 bytes each; the prefix is copied in blocks of PrefixSlack
    // bytes (it is followed by that much room), the last block reaching past its end into
    // room the row then writes over.
    char* at = out.room(prefix.size() + PrefixSlack + tries.size() + 9 * 12 + 12);
    for (std::size_t done = 0; done < prefix.size(); done += PrefixSlack)
        std::memcpy(at + done, prefix.data() + done, PrefixSlack);
    at += prefix.size();
    at = putNumber(at, f.ruidai, 1);
    *at++ = ',';
    at = putNumber(at, f.when.year, 4);
    *at++ = '-';
    at = putTwo(at, f.when.month);
    *at++ = '-';
    at = putTwo(at, f.when.day);
    *at++ = ',';
    at = putTwo(at, f.when.hour);
    *at++ = ':';
    at = putTwo(at, f.when.minute);
    *at++ = ',';
    for (char c : tries)
        *at++ = c;
    for (int n : {f.correct, f.total, f.score, f.seconds}) {
        *at++ = ',';
        at = putNumber(at, n, 1);
    }
    *at++ = '\r';
    *at++ = '\n';
    out.grewTo(at);
}

// Collects the whole CSV, for a file written at once.
class WholeCsv : public RecordsCsvSink {
  public:
    explicit WholeCsv(RecordsCsvResult& out) : out_(out) {}
    bool write(std::string_view csv) override {
        out_.csv += csv;
        return true;
    }
    void problem(const std::string& sjisText) override { out_.problems.push_back(sjisText); }

  private:
    RecordsCsvResult& out_;
};

// Rows are handed on in chunks of about this many bytes.
constexpr std::size_t ChunkBytes = 64 * 1024;

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
    std::string out;
    AppendCsvField(out, utf8);
    return out;
}

void AppendCsvField(std::string& out, std::string_view utf8) {
    // A spreadsheet takes a cell that begins with one of these for a formula: a leading
    // apostrophe keeps it text.
    const bool formula =
        !utf8.empty() && std::string_view("=+-@\t\r").find(utf8.front()) != std::string_view::npos;
    if (utf8.find_first_of(",\"\r\n") == std::string_view::npos) {
        if (formula) out += '\'';
        out += utf8;
        return;
    }
    out += formula ? "\"'" : "\"";
    for (char c : utf8) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

const std::string& RecordsCsvHeader() {
    static const std::string header = "learner,lesson,key,unit,similar,date,time,tries,correct,"
                                      "total,score,seconds\r\n";
    return header;
}

RecordsCsvResult RecordsCsv(Files& files, const CourseTables& course,
                            const std::vector<LearnerSource>& sources) {
    RecordsCsvResult out;
    WholeCsv whole(out);
    out.rows = StreamRecordsCsv(files, course, sources, whole).rows;
    return out;
}

RecordsCsvCount StreamRecordsCsv(Files& files, const CourseTables& course,
                                 const std::vector<LearnerSource>& sources, RecordsCsvSink& sink) {
    RecordsCsvCount count;
    auto problem = [&](const std::string& text) {
        ++count.problems;
        sink.problem(text);
    };
    CsvChunk out;
    out.room(ChunkBytes + 4096);
    out.append(RecordsCsvHeader());
    auto handOn = [&] {
        if (!count.stopped && !sink.write(out.bytes())) count.stopped = true;
        out.clear();
    };
    // Per lesson: the unit lines by lower-cased key, and the CSV fields "key,unit," of the
    // section names met so far (the learners of a lesson share their sections).
    struct Lesson {
        std::unordered_map<std::string, std::string> unitLines;
        std::unordered_map<std::string, std::string> keyFields;
        bool read = false;
    };
    std::map<int, Lesson> lessons;
    std::string bytes; // the file in hand; its room serves the next
    std::string learnerFields, scratch;
    std::vector<char> prefix; // learner, lesson, key and unit, each ended by a comma
    RecordView f;
    for (const LearnerSource& src : sources) {
        if (count.stopped) break;
        const ReadStatus status = ReadLearnerFile(files, src.file, bytes);
        if (status == ReadStatus::Error || status == ReadStatus::Outside) {
            problem(status == ReadStatus::Error ? ReadErrorText(src.file)
                                                : OutsideCourseText(src.file));
            continue;
        }
        if (status != ReadStatus::Ok) continue;
        Lesson& lesson = lessons[src.lesson];
        if (!lesson.read) {
            lesson.read = true;
            std::vector<LessonBlock> blocks;
            ReadLessonUnits(files, course, src.lesson, blocks); // a unit not found has no text
            for (const LessonBlock& b : blocks)
                for (const LessonUnit& u : b.units)
                    lesson.unitLines.emplace(sjis::asciiLower(u.key), u.line);
        }
        learnerFields.clear();
        AppendCsvField(learnerFields, sjis::toUtf8(src.learner));
        learnerFields += ',';
        AppendCsvField(learnerFields, std::to_string(src.lesson));
        learnerFields += ',';
        ScanLearnerFile(bytes, [&](std::string_view name, const std::vector<ScannedRecord>& records) {
            if (count.stopped || sjis::equalsIgnoreAsciiCase(name, "password")) return;
            auto fields = lesson.keyFields.find(std::string(name));
            if (fields == lesson.keyFields.end()) {
                std::string unit;
                if (auto it = lesson.unitLines.find(sjis::asciiLower(name));
                    it != lesson.unitLines.end())
                    unit = sjis::toUtf8(it->second);
                else if (ExtensionOf(std::string(name)) == ".prp")
                    unit = sjis::toUtf8(name);
                std::string keyUnit;
                AppendCsvField(keyUnit, sjis::toUtf8(name));
                keyUnit += ',';
                AppendCsvField(keyUnit, unit);
                keyUnit += ',';
                fields = lesson.keyFields.emplace(std::string(name), std::move(keyUnit)).first;
            }
            // Learner, lesson, key and unit are the same on every row of the section; the
            // room after them lets a row copy the prefix in whole blocks.
            prefix.assign(learnerFields.begin(), learnerFields.end());
            prefix.insert(prefix.end(), fields->second.begin(), fields->second.end());
            const std::size_t prefixSize = prefix.size();
            prefix.resize(prefixSize + PrefixSlack, '\0');
            const std::string_view prefixView(prefix.data(), prefixSize);
            for (const ScannedRecord& r : records) {
                if (!ReadRecordLine(r.value, f)) {
                    problem(src.file + ": [" + std::string(name) + "] " + std::string(r.key) +
                            J(": 記録の行として読めません"));
                    continue;
                }
                appendRecordRow(out, prefixView, f, scratch);
                ++count.rows;
                if (out.size() >= ChunkBytes) handOn();
            }
        });
    }
    handOn();
    return count;
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
