#include "checks/CourseCheck.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <future>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <unordered_map>
#include <utility>

#include "checks/CheckMemos.h"
#include "formats/CourseIndex.h"
#include "formats/CourseNames.h"
#include "formats/LayoutBounds.h"
#include "formats/QuestionChecks.h"
#include "formats/UnitReader.h"
#include "platform/NullServices.h"
#include "text/CorePath.h"
#include "text/FileMessages.h"
#include "text/Sjis.h"
#include "text/TextCuts.h"
#include "worksheet/LayoutCheck.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/WorksheetFile.h"
#include "worksheet/Workspace.h"

namespace {

// The files of the course folder seen from an empty master folder, so that every path
// the program builds, and every message, is relative to the course folder.
class CourseFiles : public Files {
  public:
    CourseFiles(Files& inner, std::string root) : inner_(inner), root_(std::move(root)) {}
    ReadStatus read(const std::string& p, std::string& bytes) override {
        return inner_.read(root_ + p, bytes);
    }
    WriteResult write(const std::string&, std::string_view) override {
        return WriteResult::failed();
    }
    bool fileExists(const std::string& p) override { return inner_.fileExists(root_ + p); }
    bool dirExists(const std::string& p) override { return inner_.dirExists(root_ + p); }
    bool makeDir(const std::string&) override { return false; }
    bool remove(const std::string&) override { return false; }
    bool rename(const std::string&, const std::string&) override { return false; }
    std::vector<std::string> list(const std::string& folder, const std::string& mask) override {
        return inner_.list(root_ + folder, mask);
    }
    bool isReadOnlyMedia(const std::string& p) override {
        return inner_.isReadOnlyMedia(root_ + p);
    }
    void setCourseFolder(const std::string& folder) override {
        inner_.setCourseFolder(root_ + folder);
    }

  private:
    Files& inner_;
    std::string root_;
};

std::string slashes(const std::string& s) {
    return corepath::withSlashes(s);
}

bool allDigits(std::string_view s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The unit header lines of one file, so that every listed unit is found without a
// walk through the whole file.
struct HeaderIndex {
    // Keys are views into the file's lines.
    std::unordered_map<std::string_view, std::vector<std::size_t>> at;         // line -> positions
    std::unordered_map<std::string_view, std::vector<std::size_t>> variantsOf; // "3" -> R<n>

    explicit HeaderIndex(const LineViews& lines) {
        constexpr std::string_view unit = "[[unit";
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string_view l = lines[i];
            if (l.size() < unit.size() || l[0] != '[' || l.substr(0, unit.size()) != unit) continue;
            at[l].push_back(i);
            std::size_t r = l.find('R', unit.size());
            if (r == std::string_view::npos) continue;
            std::string_view number = l.substr(unit.size(), r - unit.size());
            if (allDigits(number) && allDigits(l.substr(r + 1))) variantsOf[number].push_back(i);
        }
    }
    // First position >= from of a line equal to key, or npos.
    std::size_t find(const std::string& key, std::size_t from = 0) const {
        auto it = at.find(key);
        if (it == at.end()) return std::string::npos;
        auto pos = std::lower_bound(it->second.begin(), it->second.end(), from);
        return pos == it->second.end() ? std::string::npos : *pos;
    }
};

constexpr int MaxAnswerBoxes = 80;
// The blocks whose numbers have ranges.
constexpr std::string_view BoundedBlocks[] = {"<<value", "<<font", "<<kran"};
constexpr int MaxOfferedRuidai = 5;
constexpr unsigned MaxCheckThreads = 8;

// A block line that reads as a whole number outside its range: "値 N は範囲外です（lo から hi
// まで）". Numbers too long for any range count as outside; other text is no number.
std::string outOfRange(std::string_view line, NumberRange range) {
    std::string_view t = line;
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    while (!t.empty() && t.back() == ' ')
        t.remove_suffix(1);
    if (t.empty()) return {};
    std::string_view number = t.front() == '+' ? t.substr(1) : t;
    if (number.empty()) return {};
    int v = 0;
    auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), v);
    if (end != number.data() + number.size()) return {}; // no whole number
    if (ec == std::errc() && range.contains(v)) return {};
    return J("値 ") + std::string(t) + J(" は範囲外です（") + std::to_string(range.lo) +
           J(" から ") + std::to_string(range.hi) + J(" まで）");
}

// A part of the check whose findings stand together in the report, in the order of the
// parts: a lesson's own problems, the question file of one section, a worksheet file.
struct Piece {
    enum Kind { Told, Section, WorksheetFile } kind = Told;
    int lesson = 0;
    int section = 0;
    const SectionBlock* block = nullptr;
    std::string path; // the lesson's index file, or the worksheet file
    CourseCheckReport found;
};

class Checker {
  public:
    Checker(Files& files, const std::string& courseDir, const CourseCheckOptions& options)
        : shared_(files),
          files_(files, courseDir), platform_{files_,  prompter_, clock_, registry_, pictures_,
                                              random_, timers_,   "",     ""},
          work_(platform_), courseDir_(courseDir), options_(options) {
        // Units are laid out as the program shows them after start-up.
        work_.sheets.defaultFontFace = J("ＭＳ 明朝");
        work_.sheets.answersShown = true;
        work_.session.startupDone = true;
        if (options_.pages) pages_ = options_.pages();
    }

    CourseCheckReport run();
    // Checks piece, its findings going into piece.found.
    void check(Piece& piece);
    // Checks every piece of plan, on as many threads as the options allow.
    void checkAll(std::vector<Piece>& plan);

  private:
    void add(const std::string& path, int line, const std::string& message) {
        report_.problems.push_back({slashes(path), line, slashes(message)});
    }
    // Puts the problems added since `from` in line order.
    void sortFrom(std::size_t from) {
        std::stable_sort(
            report_.problems.begin() + static_cast<long>(from), report_.problems.end(),
            [](const CheckProblem& a, const CheckProblem& b) { return a.line < b.line; });
    }
    // Reads a course file whole into fileBytes_ and fileLines_, once for all its units.
    bool loadFile(const std::string& path, const std::string& owner, int ownerLine);
    // The lesson's own problems, and the pieces that check what it lists.
    void planLesson(int lesson, std::set<std::string>& folders, std::vector<Piece>& plan);
    // Loads lesson into the course tables when they hold another one.
    void enterLesson(int lesson);
    void checkSection(int lesson, int section, const SectionBlock& block,
                      const std::string& indexPath);
    void checkUnit(int lesson, int section, int unit, int ruidai, std::size_t headerLine,
                   const std::string& path);
    void checkRuidai(int lesson, int section, int unit, const std::string& path,
                     const HeaderIndex& headers);
    void checkWorksheetFile(const std::string& path);
    void checkParsed(const UnitLineMap& map, const std::string& path);
    void checkRanges(const UnitLineMap& map, const std::string& path);
    void checkLayout(const UnitLineMap& map, const std::string& path, const UnitRef& ref);
    void checkKeys(const EditorUnitView& view, const std::string& path);
    // What the program says when it loads the picture: nothing ("") when it is there.
    const std::string& pictureProblem(const std::string& path);

    Files& shared_; // the files service all threads read through
    CourseFiles files_;
    // The readers return what they have to say; only the page layout speaks through the
    // prompter (of pictures, which the checks above tell already), and it is not heard.
    QuietPrompter prompter_;
    FixedTimeClock clock_;
    EmptyRegistry registry_;
    NoPictures pictures_;
    FirstPick random_;
    StillTimers timers_;
    Platform platform_;
    // The course tables and the parse buffer the units are read into, and the worksheets
    // they are laid out on.
    Workspace work_;
    std::string courseDir_;
    const CourseCheckOptions& options_;
    PageCanvasFor pages_; // this thread's pages to lay units out on
    KeyChecker keys_;
    LayoutMemo ownMemo_;
    LayoutMemo* memo_ = &ownMemo_; // the memo of the thread that started the check
    CleanUnits clean_;
    bool keysNow_ = options_.keys; // the keys of the part in hand are checked
    CourseCheckReport report_;
    std::string fileBytes_;   // the question unit or worksheet file in hand
    LineViews fileLines_;     // its lines
    UnitLineMap map_;         // where the unit in hand stands in it, reused
    EditorUnitView view_;     // the editor's view of that unit, reused
    std::string graphFolder_; // the graph folder of the lesson in hand
    int lessonInHand_ = 0;    // the lesson the course tables hold for the pieces
    // The sections of every lesson read, kept while the pieces point into them.
    std::vector<std::unique_ptr<std::vector<SectionBlock>>> blocks_;
    std::unordered_map<std::string, std::string> pictureSeen_; // picture path -> problem
};

const std::string& Checker::pictureProblem(const std::string& path) {
    auto it = pictureSeen_.find(path);
    if (it != pictureSeen_.end()) return it->second;
    std::string problem;
    if (!files_.fileExists(path)) {
        problem = FileMissingText(path);
    } else {
        // A picture reached through a link that leads out of the course is refused.
        std::string bytes;
        if (files_.read(path, bytes) == ReadStatus::Outside) problem = OutsideCourseText(path);
    }
    return pictureSeen_.emplace(path, std::move(problem)).first->second;
}

bool Checker::loadFile(const std::string& path, const std::string& owner, int ownerLine) {
    fileLines_.clear();
    switch (files_.read(path, fileBytes_)) {
    case ReadStatus::Ok:
        lines::splitViews(fileBytes_, fileLines_);
        return true;
    case ReadStatus::Missing:
        add(owner, ownerLine, FileMissingText(path));
        return false;
    case ReadStatus::Outside:
        add(owner, ownerLine, OutsideCourseText(path));
        return false;
    case ReadStatus::Error:
        break;
    }
    add(owner, ownerLine, ReadErrorText(path));
    return false;
}

CourseCheckReport Checker::run() {
    CourseTables& course = work_.course;
    Lines mainInd;
    // Links that lead out of the course folder are refused as names that do.
    files_.setCourseFolder("");
    const LoadStatus status = LoadLines(files_, "Main.ind", mainInd);
    if (status != LoadStatus::Ok) {
        report_.ran = false;
        report_.fatal = slashes(LoadFailureText(courseDir_ + "Main.ind", status));
        return report_;
    }
    LessonLinesResult lessons = ReadLessonLines(mainInd, course.lessonFolder, course.lessonBase);
    course.courseTitle = lessons.title;
    course.lessonNames = lessons.names;
    if (lessons.overflow())
        add("Main.ind", lessons.overflowLine,
            RangeErrorText("Main.ind", "コースウェア", MaxTableEntry));

    std::set<std::string> folders; // lesson folders whose ".prp" files are checked
    std::vector<Piece> plan;
    int count = std::min(static_cast<int>(lessons.names.size()), MaxTableEntry);
    for (int k = 1; k <= count; ++k)
        planLesson(k, folders, plan);
    CourseCheckReport total = std::move(report_);
    checkAll(plan);
    for (Piece& piece : plan) {
        CourseCheckReport& f = piece.found;
        total.problems.insert(total.problems.end(), std::make_move_iterator(f.problems.begin()),
                              std::make_move_iterator(f.problems.end()));
        total.unitsChecked += f.unitsChecked;
        total.keys += f.keys;
    }
    return total;
}

void Checker::planLesson(int lesson, std::set<std::string>& folders, std::vector<Piece>& plan) {
    CourseTables& course = work_.course;
    const Report loaded = LoadLesson(files_, course, lesson);
    lessonInHand_ = 0;
    // The tables hold this lesson only when its index file was read (the first 80
    // sections when it holds more).
    bool read = course.currentLesson == lesson;
    std::string indexPath = LessonIndexPath(course, lesson);
    Piece& told = plan.emplace_back();
    told.lesson = lesson;
    if (read) {
        // Kept with the plan: the pieces of the lesson's sections point into it.
        blocks_.push_back(
            std::make_unique<std::vector<SectionBlock>>(ParseLessonIndex(course.lessonIndexLines)));
    }
    const std::vector<SectionBlock>* blocks = read ? blocks_.back().get() : nullptr;
    if (!loaded.message.empty()) {
        // Too many sections is the index file's fault; anything else the lesson line's.
        CheckProblem problem{"Main.ind", lesson + 2, slashes(loaded.message)};
        if (blocks && blocks->size() > static_cast<std::size_t>(MaxTableEntry))
            problem = {slashes(indexPath), (*blocks)[MaxTableEntry].headerLine + 1,
                       slashes(loaded.message)};
        told.found.problems.push_back(std::move(problem));
    }
    if (!read) return;

    for (int s = 1; s <= static_cast<int>(course.sectionNames.size()); ++s) {
        Piece& piece = plan.emplace_back();
        piece.kind = Piece::Section;
        piece.lesson = lesson;
        piece.section = s;
        piece.block = &(*blocks)[static_cast<std::size_t>(s) - 1];
        piece.path = indexPath;
    }
    std::string folder = LessonFolderPath(course, lesson);
    if (!folders.insert(sjis::asciiLower(folder)).second) return;
    for (const std::string& name : files_.list(folder, "*.prp")) {
        Piece& piece = plan.emplace_back();
        piece.kind = Piece::WorksheetFile;
        piece.lesson = lesson;
        piece.path = folder + name;
    }
}

void Checker::enterLesson(int lesson) {
    if (lessonInHand_ == lesson) return;
    // Its messages were told when the lesson was planned.
    LoadLesson(files_, work_.course, lesson);
    // Per lesson, not per unit: where its graphs are.
    graphFolder_ = GraphFolder(files_, work_.course, lesson);
    lessonInHand_ = lesson;
}

void Checker::check(Piece& piece) {
    if (piece.kind == Piece::Told) return;
    enterLesson(piece.lesson);
    report_ = {};
    if (piece.kind == Piece::Section)
        checkSection(piece.lesson, piece.section, *piece.block, piece.path);
    else
        checkWorksheetFile(piece.path);
    piece.found = std::move(report_);
}

void Checker::checkAll(std::vector<Piece>& plan) {
    if (options_.keys && options_.runParts) {
        CheckParts parts;
        parts.count = plan.size();
        parts.check = [this, &plan](std::size_t i, bool keys) {
            Piece piece = plan[i];
            // Units found clean are remembered with the keys checked or not.
            if (keys != keysNow_) clean_ = CleanUnits();
            keysNow_ = keys;
            check(piece);
            return std::move(piece.found);
        };
        parts.place = [&plan](std::size_t i) {
            const Piece& piece = plan[i];
            if (piece.kind == Piece::Section)
                return CheckProblem{slashes(piece.path), piece.block->headerLine + 1, {}};
            if (piece.kind == Piece::WorksheetFile) return CheckProblem{slashes(piece.path), 0, {}};
            return CheckProblem{"Main.ind", piece.lesson + 2, {}};
        };
        std::vector<CourseCheckReport> found = options_.runParts(parts);
        for (std::size_t i = 0; i < plan.size() && i < found.size(); ++i)
            plan[i].found = std::move(found[i]);
        return;
    }
    unsigned threads =
        options_.threads > 0 ? options_.threads : std::thread::hardware_concurrency();
    // The algebra library of the key check shares state between its objects: keys are
    // checked on one thread.
    if (options_.keys) threads = 1;
    threads = std::clamp(threads, 1u, MaxCheckThreads);
    std::atomic<std::size_t> next{0};
    auto work = [&plan, &next](Checker& checker) {
        for (std::size_t i = next++; i < plan.size(); i = next++)
            checker.check(plan[i]);
    };
    const CourseTables course = work_.course; // the lessons of "Main.ind"
    std::vector<std::jthread> helpers;
    for (unsigned t = 1; t < threads; ++t)
        helpers.emplace_back([&] {
            Checker helper(shared_, courseDir_, options_);
            helper.work_.course = course;
            helper.memo_ = memo_;
            work(helper);
        });
    work(*this);
}

void Checker::checkSection(int lesson, int section, const SectionBlock& block,
                           const std::string& indexPath) {
    if (block.units.size() > static_cast<std::size_t>(MaxTableEntry))
        add(indexPath, block.unitLines[MaxTableEntry] + 1,
            RangeErrorText(indexPath, "副メニュー", MaxTableEntry));
    std::string path = UnitFileNames(work_.course, {lesson, section, 1, 0}).queFile;
    if (!loadFile(path, indexPath, block.headerLine + 1)) return;
    HeaderIndex headers(fileLines_);
    for (int u = 1; u <= static_cast<int>(block.units.size()); ++u) {
        ++report_.unitsChecked;
        std::size_t at = headers.find(UnitBlockKey({lesson, section, u, 0}));
        if (at == std::string::npos) {
            // Said where the index lists the unit, naming it and the file that lacks it.
            const std::size_t k = static_cast<std::size_t>(u) - 1;
            add(indexPath, block.unitLines[k] + 1,
                block.units[k] + J("：単元 ") + UnitBlockKey({lesson, section, u, 0}) + J(" が ") +
                    path + J(" にありません"));
            continue;
        }
        checkUnit(lesson, section, u, 0, at, path);
        checkRuidai(lesson, section, u, path, headers);
    }
}

void Checker::checkUnit(int lesson, int section, int unit, int ruidai, std::size_t headerLine,
                        const std::string& path) {
    std::size_t first = report_.problems.size();
    const KeyTally keysBefore = report_.keys;
    // The unit's text from the line after its header to its "]]".
    std::size_t close = headerLine + 1;
    auto ends = [](std::string_view l) { return l.size() == 2 && l[0] == ']' && l[1] == ']'; };
    while (close < fileLines_.size() && !ends(fileLines_[close]))
        ++close;
    std::string_view text;
    if (close < fileLines_.size()) {
        const char* from = fileLines_[headerLine + 1].data();
        text =
            std::string_view(from, static_cast<std::size_t>(fileLines_[close].data() + 2 - from));
        if (const KeyTally* known = clean_.find(graphFolder_, text)) {
            report_.keys += *known;
            return;
        }
    }
    UnitReadRequest r;
    r.path = path;
    r.header = UnitBlockKey({lesson, section, unit, ruidai});
    r.unit = unit;
    r.section = section;
    r.mode = UnitReadMode::Open;
    r.headerLine = static_cast<int>(headerLine);
    UnitLineMap& map = map_;
    UnitReadResult result = ParseUnitLines(work_.parse, fileLines_, r, &map);
    if (result.ok()) {
        checkParsed(map, path);
        checkLayout(map, path, UnitRef{lesson, section, unit, ruidai});
    } else {
        add(path, result.line, result.message);
    }

    EditorUnitView& view = view_;
    ReadEditorView(fileLines_, headerLine, view);
    TextCheck lines = CheckQuestionLines(view.ques);
    if (!lines.ok) {
        int at = !view.quesLines.empty()      ? view.quesLines[lines.line]
                 : view.firstQuesKeyword >= 0 ? view.firstQuesKeyword
                                              : static_cast<int>(headerLine);
        add(path, at + 1, lines.message);
    }
    TextCheck blocks = CheckBlocks(view.pasteLo);
    if (!blocks.ok) {
        int at = view.pasteLoLines[blocks.line] + 1;
        if (result.ok() || result.line != at) add(path, at, blocks.message); // no twin report
    }
    checkKeys(view, path);
    sortFrom(first);
    const auto end = static_cast<int>(close);
    if (!text.empty() && report_.problems.size() == first && result.ok() && map.endLine == end &&
        view.endLine == end) {
        KeyTally tally = report_.keys;
        tally.checked -= keysBefore.checked;
        tally.wrong -= keysBefore.wrong;
        tally.notChecked -= keysBefore.notChecked;
        clean_.add(text, tally);
    }
}

void Checker::checkKeys(const EditorUnitView& view, const std::string& path) {
    if (!keysNow_) return;
    const UnitKeyCheck& k = keys_.check(view.ques);
    report_.keys += k.tally;
    for (const KeyFinding& f : k.findings) {
        add(path, view.quesLines[static_cast<std::size_t>(f.line)] + 1, f.message);
        report_.problems.back().key = true;
    }
}

void Checker::checkRanges(const UnitLineMap& map, const std::string& path) {
    const LineViews& lines = fileLines_;
    // The ranges of the lines of the three blocks, worked out once.
    static const auto table = [] {
        std::array<std::array<std::optional<NumberRange>, 11>, 3> t;
        for (std::size_t k = 0; k < 3; ++k)
            for (int n = 1; n <= 10; ++n)
                t[k][n] = layoutbounds::RangeOfBlockLine(BoundedBlocks[k], n);
        return t;
    }();
    bool seen[3] = {false, false, false}; // only the first block of a kind is used
    for (const auto& blk : map.blocks) {
        auto kind = std::find(std::begin(BoundedBlocks), std::end(BoundedBlocks), blk.keyword);
        if (kind == std::end(BoundedBlocks)) continue;
        const auto k = static_cast<std::size_t>(kind - std::begin(BoundedBlocks));
        if (std::exchange(seen[k], true)) continue;
        for (int n = 1; n <= std::min(blk.count, 10); ++n) {
            const std::optional<NumberRange>& range = table[k][static_cast<std::size_t>(n)];
            if (!range) continue;
            std::string why = outOfRange(lines[static_cast<std::size_t>(blk.line + n)], *range);
            if (!why.empty()) add(path, blk.line + n + 1, blk.keyword + " " + why);
        }
    }
}

void Checker::checkParsed(const UnitLineMap& map, const std::string& path) {
    const ParseBuffer& b = work_.parse;
    auto firstBlock = [&](const char* keyword) {
        for (const auto& blk : map.blocks)
            if (blk.keyword == keyword) return blk.line + 1;
        return map.headerLine + 1;
    };
    for (const auto& [list, keyword] : {std::pair{&b.qgraph, "<<graph"}, {&b.agraph, "<<AGraph"}}) {
        int graphs = static_cast<int>(list->size() / 3);
        if (graphs > MaxGraphs) add(path, firstBlock(keyword), TooManyGraphsText(graphs));
    }
    for (const auto& [list, numbers] :
         {std::pair{&b.qgraph, &map.qgraphLines}, {&b.agraph, &map.agraphLines}}) {
        for (std::size_t t = 0; t < list->size(); t += 3) {
            const std::string& name = (*list)[t];
            const std::optional<std::string> picture =
                GraphPicturePath(work_.course.masterFolder, graphFolder_, name);
            if (!picture)
                add(path, (*numbers)[t] + 1, OutsideCourseText(name));
            else if (const std::string& problem = pictureProblem(*picture); !problem.empty())
                add(path, (*numbers)[t] + 1, problem);
        }
    }
    checkRanges(map, path);
    long boxes = 0;
    for (const std::string& q : b.questions) { // a pair of "#" is one box
        long hashes = 0;
        for (std::size_t at = q.find('#'); at != std::string::npos; at = q.find('#', at + 1))
            ++hashes;
        boxes += hashes / 2;
    }
    if (boxes > MaxAnswerBoxes)
        add(path, map.headerLine + 1,
            J("解答欄は") + std::to_string(MaxAnswerBoxes) + J("個までです（") +
                std::to_string(boxes) + J("個あります）"));
}

// The unit laid out as a worksheet: boxes that run into each other, answers wider than
// their box.
void Checker::checkLayout(const UnitLineMap& map, const std::string& path, const UnitRef& ref) {
    if (!pages_) return;
    Workspace& p = work_;
    // The boxes follow from the questions, the graphs and the page settings alone (the
    // header lines stand at fixed places above the questions): units alike in those are laid
    // out once.
    const LayoutInputs inputs = {&p.parse.questions, &p.parse.qgraph, &p.parse.agraph,
                                 &p.parse.value,     &p.parse.font,   &p.parse.kran};
    const LayoutMemo::Problems& known = memo_->get(inputs, [&] {
        SheetOrigin origin;
        origin.ref = ref;
        origin.windowKey = path;
        Worksheet& sheet = CreateWorksheet(p, origin);
        ActivateWorksheet(p, sheet);
        Canvas& canvas = pages_(sheet.paper.Width, sheet.paper.Height);
        std::vector<LayoutProblem> problems = CheckLayout(p, sheet, canvas);
        CloseWorksheet(p, sheet);
        return problems;
    });
    for (const LayoutProblem& problem : known) {
        const auto at = static_cast<std::size_t>(problem.line);
        const int line =
            at < map.questionLines.size() ? map.questionLines[at] + 1 : map.headerLine + 1;
        add(path, line, problem.message);
    }
}

void Checker::checkRuidai(int lesson, int section, int unit, const std::string& path,
                          const HeaderIndex& headers) {
    const LineViews& lines = fileLines_;
    // The variants the unit menu offers: R1, R2, ... each found after the previous one.
    std::vector<std::size_t> offered;
    std::size_t from = 0;
    for (int j = 1; j <= MaxOfferedRuidai; ++j) {
        std::size_t at = headers.find(UnitBlockKey({lesson, section, unit, j}), from);
        if (at == std::string::npos) break;
        offered.push_back(at);
        from = at + 1;
    }
    for (std::size_t j = 0; j < offered.size(); ++j) {
        ++report_.unitsChecked;
        checkUnit(lesson, section, unit, static_cast<int>(j) + 1, offered[j], path);
    }
    // Every other variant header of this unit is one the menu never offers.
    auto variants = headers.variantsOf.find(std::to_string(unit));
    if (variants == headers.variantsOf.end()) return;
    // Usually the menu offers them all, and there is nothing to say.
    if (variants->second.size() == offered.size()) return;
    std::string prefix = UnitBlockKey({lesson, section, unit, 0}) + "R";
    std::set<std::string_view> present;
    for (std::size_t i : variants->second)
        present.insert(lines[i].substr(prefix.size()));
    std::set<std::string_view> seen;
    for (std::size_t i : variants->second) {
        const std::string_view l = lines[i];
        const std::string digits(l.substr(prefix.size()));
        bool duplicate = !seen.insert(l).second;
        if (std::find(offered.begin(), offered.end(), i) != offered.end()) continue;
        std::string why;
        if (duplicate)
            why = J("同じ見出しが前にあります");
        else if (digits.size() > 6 || digits[0] == '0')
            why = J("類題の番号が正しくありません");
        else if (std::stoi(digits) > MaxOfferedRuidai)
            why = J("類題は") + std::to_string(MaxOfferedRuidai) + J("個までです");
        else {
            for (int m = 1; m < std::stoi(digits) && why.empty(); ++m)
                if (!present.count(std::to_string(m)))
                    why = prefix + std::to_string(m) + J(" がありません");
            if (why.empty()) why = J("類題の順序が違います");
        }
        add(path, static_cast<int>(i) + 1,
            std::string(l) + J(": メニューに表示されない類題です（") + why + J("）"));
    }
}

void Checker::checkWorksheetFile(const std::string& path) {
    ++report_.unitsChecked;
    std::size_t first = report_.problems.size();
    if (ExtensionOf(path) != ".prp") {
        add(path, 0, BadExtensionText(path));
        return;
    }
    if (!loadFile(path, path, 0)) return;
    UnitReadRequest r;
    r.path = path;
    r.header = "[[unitX";
    r.mode = UnitReadMode::WorksheetFile;
    UnitLineMap& map = map_;
    UnitReadResult result = ParseUnitLines(work_.parse, fileLines_, r, &map);
    if (result.ok()) {
        checkParsed(map, path);
        checkLayout(map, path, UnitRef{});
    } else if (result.message.empty()) {
        add(path, 1, J("単元がありません（見出しの行 ") + r.header + J(" がありません）"));
        return;
    } else {
        add(path, result.line, result.message);
    }
    // The edit-copy dialog runs the block check on the worksheet's blocks.
    EditorUnitView& view = view_;
    ReadEditorView(fileLines_, static_cast<std::size_t>(map.headerLine), view);
    TextCheck blocks = CheckBlocks(view.pasteLo);
    if (!blocks.ok) {
        int at = view.pasteLoLines[blocks.line] + 1;
        if (result.ok() || result.line != at) add(path, at, blocks.message);
    }
    checkKeys(view, path);
    sortFrom(first);
}

} // namespace

CourseCheckReport CheckCourse(Files& files, const std::string& courseDir,
                              CourseCheckOptions options) {
    return Checker(files, courseDir, options).run();
}

std::string FormatProblem(const CheckProblem& p) {
    return p.path + ":" + std::to_string(p.line) + ": " + p.message;
}
