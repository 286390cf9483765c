#include "worksheet/VariedCopies.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <set>
#include <utility>

#include "keys/ReadingText.h"
#include "keys/UnitQuestions.h"
#include "platform/Printer.h"
#include "text/Sjis.h"
#include "text/TextCuts.h"
#include "worksheet/KeyBookletPages.h"
#include "worksheet/PageLayout.h"
#include "worksheet/Worksheet.h"
#include "worksheet/WorksheetDocument.h"
#include "worksheet/Workspace.h"

namespace {

std::uint64_t mixed(std::uint64_t z) {
    z += 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// The seed of one making of one copy: the set's seed, the copy and the making mixed, so
// that copies of a set, and makings of a copy, draw numbers of their own.
std::uint64_t makingSeed(std::uint64_t seed, int copy, int making) {
    std::uint64_t h = mixed(seed);
    h = mixed(h ^ (static_cast<std::uint64_t>(static_cast<std::uint32_t>(copy)) << 16));
    return mixed(h ^ static_cast<std::uint64_t>(static_cast<std::uint32_t>(making)));
}

// A problem as compared between the original and a copy: its box and what is wrong (the
// box it runs into, or 0 for an answer too wide). The answer's text in the message differs
// between copies, so the message itself is not compared.
using ProblemKey = std::pair<int, int>;

ProblemKey keyOf(const LayoutProblem& p) {
    const std::string overlap = J("が解答欄");
    const std::size_t at = p.message.find(overlap);
    int other = 0;
    if (at != std::string::npos) {
        const char* s = p.message.data() + at + overlap.size();
        std::from_chars(s, p.message.data() + p.message.size(), other);
    }
    return {p.box, other};
}

using ProblemSet = std::set<ProblemKey>;

ProblemSet setOf(const std::vector<LayoutProblem>& problems) {
    ProblemSet out;
    for (const LayoutProblem& p : problems)
        out.insert(keyOf(p));
    return out;
}

// Lays the sheet out as it stands and gives its layout problems.
using LayoutTrial = std::function<std::vector<LayoutProblem>()>;

VariedCopy makeCopy(Worksheet& sheet, std::uint64_t seed, int copy, const ProblemSet& original,
                    const LayoutTrial& trial) {
    VariedCopy out;
    out.copy = copy;
    out.versionCode = VersionCode(seed, copy);
    const Lines own = sheet.lstQues;
    const LineViews views = lines::views(own);
    for (int making = 0; making < MaxCopyMakings; ++making) {
        SimilarUnit made = MakeSimilarUnit(views, makingSeed(seed, copy, making));
        sheet.lstQues = std::move(made.ques);
        std::vector<LayoutProblem> problems = trial();
        out.ques = std::move(sheet.lstQues);
        sheet.lstQues = own;
        std::erase_if(problems, [&](const LayoutProblem& p) { return original.contains(keyOf(p)); });
        out.makings = making + 1;
        out.varied = made.remade;
        out.stayed = std::move(made.copied);
        out.problems = std::move(problems);
        if (out.problems.empty()) {
            out.laidOut = true;
            return out;
        }
    }
    return out;
}

// The text before an answer box, as a head's suffix: the letter of "x=" or "y＝".
std::string letterBefore(const keys::Question& q, std::size_t blank) {
    if (blank == 0 || q.parts[blank - 1].blank) return {};
    std::string t = q.parts[blank - 1].reading.text;
    while (!t.empty() && (t.back() == ' ' || t.back() == '='))
        t.pop_back();
    const std::size_t start = t.find_last_of(' ');
    t = start == std::string::npos ? t : t.substr(start + 1);
    if (t.size() == 1 && std::isalpha(static_cast<unsigned char>(t[0]))) return t;
    return {};
}

} // namespace

std::uint64_t DefaultVarySeed(const DateTime& date) {
    const auto y = static_cast<std::uint64_t>(std::clamp(date.year, 0, 99999));
    return y * 10000 + static_cast<std::uint64_t>(std::clamp(date.month, 0, 99)) * 100 +
           static_cast<std::uint64_t>(std::clamp(date.day, 0, 99));
}

std::string VersionCode(std::uint64_t seed, int copy) {
    std::string n = std::to_string(copy);
    if (n.size() < 2) n.insert(0, "0");
    return "V" + std::to_string(seed) + "-" + n;
}

std::optional<VersionRef> ParseVersionCode(std::string_view text) {
    // Full-width digits, letters and hyphens read as their half-width twins.
    std::string t = keys::MakeReadingText(text).text;
    const std::string longBar = J("ー"), dash = J("‐"), bar = J("―");
    for (const std::string* s : {&longBar, &dash, &bar})
        for (std::size_t at; (at = t.find(*s)) != std::string::npos;)
            t.replace(at, s->size(), "-");
    const std::size_t first = t.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return std::nullopt;
    t = t.substr(first, t.find_last_not_of(" \t\r\n") - first + 1);
    if (!t.empty() && (t[0] == 'V' || t[0] == 'v')) t.erase(0, 1);
    const std::size_t hyphen = t.find('-');
    if (hyphen == std::string::npos || hyphen == 0 || hyphen > 18 || t.size() - hyphen - 1 > 4 ||
        hyphen + 1 == t.size())
        return std::nullopt;
    auto digits = [](std::string_view s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    const std::string_view seedText(t.data(), hyphen), copyText(t.data() + hyphen + 1,
                                                                t.size() - hyphen - 1);
    if (!digits(seedText) || !digits(copyText)) return std::nullopt;
    VersionRef ref;
    std::from_chars(seedText.data(), seedText.data() + seedText.size(), ref.seed);
    std::from_chars(copyText.data(), copyText.data() + copyText.size(), ref.copy);
    if (ref.copy < 1) return std::nullopt;
    return ref;
}

VaryCount CountVaryingQuestions(const Worksheet& sheet, std::uint64_t seed) {
    const LineViews views = lines::views(sheet.lstQues);
    SimilarUnit made = MakeSimilarUnit(views, makingSeed(seed, 1, 0));
    VaryCount count;
    count.varied = made.remade;
    count.questions = made.remade + static_cast<int>(made.copied.size());
    count.stay = std::move(made.copied);
    return count;
}

VariedCopy MakeVariedCopy(Workspace& program, Worksheet& sheet, Canvas& canvas,
                          std::uint64_t seed, int copy) {
    // Copies are checked with their answers shown, whatever the sheet shows.
    const bool shown = std::exchange(sheet.ShowAnswers, true);
    const ProblemSet original = setOf(CheckLayout(program, sheet, canvas));
    VariedCopy out = makeCopy(sheet, seed, copy, original,
                              [&] { return CheckLayout(program, sheet, canvas); });
    sheet.ShowAnswers = shown;
    return out;
}

std::vector<CopyKey> KeysOf(const Lines& ques) {
    const LineViews views = lines::views(ques);
    const keys::UnitQuestions unit = keys::SplitQuestions(views);
    std::vector<CopyKey> out;
    std::vector<std::string_view> alternatives;
    for (const keys::Question& q : unit.questions) {
        const int blanks = q.blankCount();
        int ordinal = 0;
        for (std::size_t i = 0; i < q.parts.size(); ++i) {
            const keys::QuestionPart& p = q.parts[i];
            if (!p.blank) continue;
            ++ordinal;
            std::string head = q.number;
            if (blanks > 1) {
                const std::string letter = letterBefore(q, i);
                head += letter.empty() ? "-" + std::to_string(ordinal) : letter;
            }
            const std::string_view raw =
                std::string_view(ques[static_cast<std::size_t>(p.line)]).substr(p.start, p.end - p.start);
            SplitAtSemicolon(raw, alternatives);
            out.push_back({head, TrimWide(std::string(alternatives.front()))});
        }
    }
    return out;
}

void AddBookletRow(KeyBooklet& booklet, const VariedCopy& copy) {
    KeyBooklet::Row row{copy.copy, copy.versionCode, {}};
    const std::vector<CopyKey> keys = KeysOf(copy.ques);
    if (booklet.rows.empty() && booklet.heads.empty())
        for (const CopyKey& k : keys)
            booklet.heads.push_back(k.question);
    for (const CopyKey& k : keys)
        row.keys.push_back(k.key);
    row.keys.resize(booklet.heads.size());
    booklet.rows.push_back(std::move(row));
}

bool PrintVariedCopies(Workspace& program, Printer& printer, const VariedPrintRequest& request,
                       VariedPrintReport& report, const VariedProgress& progress) {
    report = {};
    WorksheetState& state = program.sheets;
    Worksheet* sheet = state.current;
    if (state.count <= 0 || !sheet || request.copies <= 0) return false;
    if (state.reducedView) {
        state.reducedView = false;
        Relayout(program, *sheet);
    }
    bool& startupDone = program.session.startupDone;
    const bool wasDone = startupDone;
    startupDone = false;
    const int firstNumber = sheet->startNumber;
    const bool shown = sheet->ShowAnswers;
    const bool enabled = state.layoutEnabled;
    state.layoutEnabled = true;
    // Copies are checked with their answers shown, the same for every kind of page, so that
    // a copy's number makes the same copy whatever is printed of it.
    sheet->ShowAnswers = true;

    // The screen page of each copy is laid out as the worksheet window lays it out, and its
    // answer table is what the printer's page then keeps.
    auto screenProblems = [&] {
        Relayout(program, *sheet);
        return LayoutProblemsOf(*sheet);
    };
    const ProblemSet original = setOf(screenProblems());
    PageOptions options = state.pageOptions;
    options.numbered = true;
    printer.setCopyCount(1);

    KeyBooklet booklet;
    bool ok = true, began = true;
    for (int i = 0; i < request.copies && ok; ++i) {
        if (progress && !progress(i, request.copies)) break;
        const int n = request.firstCopy + i;
        VariedCopy copy = makeCopy(*sheet, request.seed, n, original, screenProblems);
        if (!copy.laidOut) {
            copy.ques.clear();
            report.notLaidOut.push_back(std::move(copy));
            continue;
        }
        if (request.pages == VariedPages::KeyBooklet) {
            AddBookletRow(booklet, copy);
            ++report.printed;
            continue;
        }
        Lines own = std::move(sheet->lstQues);
        sheet->lstQues = std::move(copy.ques);
        sheet->startNumber = n;
        sheet->versionCode = copy.versionCode;
        if (printer.beginDoc()) {
            sheet->ShowAnswers = request.pages == VariedPages::Answers;
            LayOutPage(program, *sheet, printer.canvas(), LayoutRequest{true, false, options});
            sheet->ShowAnswers = true;
            if (printer.endDoc())
                ++report.printed;
            else
                ok = false;
        } else {
            program.platform.prompter.message(J("印刷を開始できませんでした"));
            began = false;
            ok = false;
        }
        sheet->lstQues = std::move(own);
        sheet->versionCode.clear();
    }
    if (ok && request.pages == VariedPages::KeyBooklet && !booklet.rows.empty())
        ok = PrintKeyBooklet(printer, booklet, sheet->strTangen, request.seed);
    if (!ok && began) program.platform.prompter.message(J("印刷を完了できませんでした"));

    if (!report.notLaidOut.empty()) {
        report.message = J("次の版は解答が欄に収まるように割り付けられないため、印刷しません"
                           "でした：");
        for (std::size_t k = 0; k < report.notLaidOut.size(); ++k)
            report.message += (k ? J("、") : std::string()) + report.notLaidOut[k].versionCode;
        program.platform.prompter.message(report.message);
    }
    sheet->startNumber = firstNumber;
    sheet->ShowAnswers = shown;
    Relayout(program, *sheet);
    state.layoutEnabled = enabled;
    startupDone = wasDone;
    return ok && report.printed > 0;
}
