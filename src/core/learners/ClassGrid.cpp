#include "learners/ClassGrid.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <unordered_map>

#include "formats/CourseNames.h"
#include "learners/LearnerFiles.h"
#include "learners/LearnerNames.h"
#include "learners/RecordLine.h"
#include "learners/RecordScan.h"
#include "learners/Records.h"
#include "learners/RecordsCsv.h"
#include "learners/RecordsList.h"
#include "learners/ScoreHistory.h"
#include "text/CorePath.h"
#include "text/FileMessages.h"
#include "text/Lines.h"
#include "text/Sjis.h"
#include "text/TextCuts.h"

namespace {

// The mean of the scores that read, -1 for none.
double meanOf(long sum, int n) {
    return n == 0 ? -1.0 : static_cast<double>(sum) / n;
}

// "72.5": a mean with one decimal; "" for none.
std::string meanText(double mean) {
    if (mean < 0) return {};
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", mean);
    return text;
}

// Adds one record of a section, read in the order the records were appended.
void addRun(UnitProgress& p, std::string_view line, RecordView& f) {
    ++p.runs;
    if (!ReadRecordLine(line, f)) {
        ++p.damagedLines;
        return;
    }
    p.lastScore = f.score;
    p.lastRun = f.when;
    if (f.tries.empty()) {
        p.tested = true;
        p.lastTest = f.when;
    }
}

// Reads one learner file into its row: under its lock when the lock can be had. bytes is
// room reused from row to row.
void readRow(Files& files, const std::vector<ClassColumn>& columns,
             const std::unordered_map<std::string, std::size_t>& byKey, ClassRow& row,
             ClassGrid& grid, std::string& bytes) {
    row.cells.assign(columns.size(), UnitProgress{});
    if (row.file.empty()) {
        row.state = ClassRow::State::NoFile;
        return;
    }
    std::string lockProblem;
    switch (ReadLearnerFile(files, row.file, bytes, &lockProblem)) {
    case ReadStatus::Ok:
        break;
    case ReadStatus::Missing:
        row.state = ClassRow::State::NoFile;
        return;
    case ReadStatus::Error:
        row.state = ClassRow::State::Damaged;
        row.problem = ReadErrorText(row.file);
        grid.problems.push_back(row.problem);
        return;
    case ReadStatus::Outside:
        row.state = ClassRow::State::Damaged;
        row.problem = OutsideCourseText(row.file);
        grid.problems.push_back(row.problem);
        return;
    }
    auto damagedRow = [&](std::string problem) {
        row.state = ClassRow::State::Damaged;
        row.problem = std::move(problem);
        grid.problems.push_back(row.problem);
    };
    if (std::memchr(bytes.data(), '\0', bytes.size()) != nullptr) {
        // Binary bytes: whatever lines they seem to hold are no records.
        damagedRow(row.file + J(": 記録のファイルとして読めません"));
        return;
    }
    RecordView f;
    std::string lowered;
    const LearnerFileScan scan =
        ScanLearnerFile(bytes, [&](std::string_view name, const std::vector<ScannedRecord>& records) {
            lowered = sjis::asciiLower(name);
            const auto at = byKey.find(lowered);
            if (at == byKey.end()) return;
            UnitProgress& cell = row.cells[at->second];
            for (const ScannedRecord& r : records)
                addRun(cell, r.value, f);
        });
    // Lines that are no INI line at all (garbage, a cut header) count as damaged lines too.
    int damaged = scan.strayLines;
    for (const UnitProgress& cell : row.cells)
        damaged += cell.damagedLines;
    if (damaged > 0 && scan.sections == 0)
        damagedRow(row.file + J(": 記録のファイルとして読めません"));
    else if (damaged > 0)
        damagedRow(row.file + ": " + std::to_string(damaged) + J("行が記録の行として読めません"));
    else if (!lockProblem.empty())
        damagedRow(row.file + J(": ほかのプログラムが使用中で、ロックできないまま読みました（") +
                   lockProblem + J("）"));
}

// The names of the lesson's roster: its lines without blanks, or none when it is missing.
Lines rosterNames(Files& files, const std::string& path, ClassGrid& grid) {
    std::string bytes;
    const ReadStatus status = files.read(path, bytes);
    if (status == ReadStatus::Error) grid.problems.push_back(ReadErrorText(path));
    if (status != ReadStatus::Ok) return {};
    Lines out;
    for (std::string& line : lines::split(bytes)) {
        std::string name = TrimWide(line);
        if (!name.empty() && std::find(out.begin(), out.end(), name) == out.end())
            out.push_back(std::move(name));
    }
    return out;
}

void addRun(UnitProgress& p, std::string_view line) {
    RecordView f;
    addRun(p, line, f);
}

} // namespace

UnitProgress ProgressOf(const ProfileSection& section) {
    UnitProgress p;
    for (const ProfileEntry* e : OrderedEntries(section))
        addRun(p, e->value);
    return p;
}

UnitProgress ProgressOf(const std::vector<Record>& ordered) {
    UnitProgress p;
    for (const Record& r : ordered)
        addRun(p, r.line);
    return p;
}

NextReason PracticeNext(const UnitProgress& p, const DateTime& now) {
    if (p.runs == 0) return NextReason::NeverPractised;
    if (p.lastScore < PassingScore) return NextReason::LowScore;
    if (p.tested && MinuteOf(now) - MinuteOf(p.lastTest) > TestDueDays * 24L * 60L)
        return NextReason::TestLongAgo;
    return NextReason::None;
}

std::string NextReasonMark(NextReason r) {
    switch (r) {
    case NextReason::NeverPractised:
        return J("未");
    case NextReason::LowScore:
        return J("要復習");
    case NextReason::TestLongAgo:
        return J("要テスト");
    case NextReason::None:
        break;
    }
    return {};
}

ScoreBand BandOf(int lastScore) {
    if (lastScore < 0) return ScoreBand::None;
    if (lastScore >= PassingScore) return ScoreBand::High;
    return lastScore >= 60 ? ScoreBand::Middle : ScoreBand::Low;
}

ClassGrid ReadClassGrid(Files& files, const CourseTables& course, const std::string& logOnFolder,
                        int lesson) {
    ClassGrid grid;
    grid.lesson = lesson;
    std::vector<LessonBlock> blocks;
    if (Report units = ReadLessonUnits(files, course, lesson, blocks); !units)
        grid.problems.push_back(units.message);
    std::unordered_map<std::string, std::size_t> byKey; // lower-cased section -> column
    auto addColumn = [&](ClassColumn c) {
        if (byKey.emplace(sjis::asciiLower(c.key), grid.columns.size()).second)
            grid.columns.push_back(std::move(c));
    };
    for (const LessonBlock& b : blocks)
        for (const LessonUnit& u : b.units)
            addColumn({u.key, u.line, u.section, b.title});
    if (LessonInside(course, lesson))
        for (const std::string& f : files.list(LessonFolderPath(course, lesson), "*.prp"))
            addColumn({f, f, 0, {}});

    // The roster's learners in its order, then the owners of files it does not name.
    for (const std::string& name :
         rosterNames(files, LogOnFolder(course, logOnFolder) + "sname.txt", grid)) {
        ClassRow row;
        row.learner = name;
        row.inRoster = true;
        grid.rows.push_back(std::move(row));
    }
    for (const LearnerSource& src : FindLearnerFiles(files, course, logOnFolder, {}, lesson)) {
        auto it = std::find_if(grid.rows.begin(), grid.rows.end(),
                               [&](const ClassRow& r) { return r.learner == src.learner; });
        if (it == grid.rows.end()) {
            grid.rows.push_back({});
            it = grid.rows.end() - 1;
            it->learner = src.learner;
        }
        it->file = src.file;
    }
    // The shared guest name of the roster is no pupil: its row shows only when it has records.
    std::erase_if(grid.rows, [](const ClassRow& r) {
        return r.learner == PublicLearner() && r.file.empty();
    });
    std::string bytes;
    for (ClassRow& row : grid.rows)
        readRow(files, grid.columns, byKey, row, grid, bytes);

    grid.summaries.assign(grid.columns.size(), ColumnSummary{});
    std::vector<long> sums(grid.columns.size(), 0);
    std::vector<int> scored(grid.columns.size(), 0);
    for (ClassRow& row : grid.rows) {
        long sum = 0;
        int n = 0;
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            const UnitProgress& cell = row.cells[c];
            if (cell.runs == 0) continue;
            ++row.practised;
            ++grid.summaries[c].learners;
            if (cell.lastScore < 0) continue;
            sum += cell.lastScore;
            ++n;
            sums[c] += cell.lastScore;
            ++scored[c];
        }
        row.mean = meanOf(sum, n);
    }
    for (std::size_t c = 0; c < grid.columns.size(); ++c)
        grid.summaries[c].mean = meanOf(sums[c], scored[c]);
    return grid;
}

int HardestColumn(const ClassGrid& grid) {
    int hardest = -1;
    for (std::size_t c = 0; c < grid.summaries.size(); ++c) {
        const double m = grid.summaries[c].mean;
        if (m >= 0 && (hardest < 0 || m < grid.summaries[hardest].mean))
            hardest = static_cast<int>(c);
    }
    return hardest;
}

std::string ClassGridCsv(const ClassGrid& grid) {
    std::string out = "learner,records,practised,mean";
    for (const ClassColumn& c : grid.columns) {
        const std::string key = sjis::toUtf8(c.key);
        out += ',' + CsvField(key + " runs") + ',' + CsvField(key + " score");
    }
    out += ",problem\r\n";
    for (const ClassRow& row : grid.rows) {
        static const char* const states[] = {"ok", "none", "damaged"};
        out += CsvField(sjis::toUtf8(row.learner)) + ',' + states[static_cast<int>(row.state)] +
               ',' + std::to_string(row.practised) + ',' + meanText(row.mean);
        for (const UnitProgress& cell : row.cells) {
            out += ',';
            if (cell.runs > 0) out += std::to_string(cell.runs);
            out += ',';
            if (cell.lastScore >= 0) out += std::to_string(cell.lastScore);
        }
        out += ',' + CsvField(sjis::toUtf8(corepath::withSlashes(row.problem))) + "\r\n";
    }
    out += "(class),,,";
    for (const ColumnSummary& s : grid.summaries)
        out += ',' + std::to_string(s.learners) + ',' + meanText(s.mean);
    out += ",\r\n";
    return out;
}
