#include "learners/RecordsList.h"

#include <unordered_map>
#include <unordered_set>

#include "formats/CourseIndex.h"
#include "formats/CourseNames.h"
#include "learners/LearnerFiles.h"
#include "platform/Prompter.h"
#include "text/CorePath.h"
#include "text/DateTexts.h"
#include "text/FileMessages.h"
#include "text/Sjis.h"
#include "text/TextCuts.h"

namespace {

// The most names a confirmation lists before it only counts the rest.
constexpr std::size_t NamedInQuestion = 8;

RecordsItem item(RecordsItem::Kind kind, const std::string& section, const std::string& name,
                 int count) {
    return {kind, RecordCountLabel(count) + J("回") + section, section, name, count};
}

} // namespace

Report ReadLessonUnits(Files& files, const CourseTables& course, int lesson,
                       std::vector<LessonBlock>& blocks) {
    blocks.clear();
    const std::string path = LessonIndexPath(course, lesson);
    if (!LessonInside(course, lesson)) return Report::failed(OutsideCourseText(path));
    Lines lines;
    const LoadStatus status = LoadLines(files, path, lines);
    if (status != LoadStatus::Ok) return Report::failed(LoadFailureText(path, status));
    int s = 0;
    for (const SectionBlock& b : ParseLessonIndex(lines)) {
        ++s;
        LessonBlock block{b.name, {}};
        int u = 0;
        for (const std::string& line : b.units) {
            ++u;
            block.units.push_back({s, u, line, RecordKey(UnitRef{lesson, s, u, 0}, line)});
        }
        blocks.push_back(std::move(block));
    }
    return {};
}

std::string RecordCountLabel(int count) {
    return count == 0 ? std::string("  ") : TwoDigits(count);
}

Report FillRecordsList(Files& files, const CourseTables& course, const std::string& logOnFolder,
                       RecordsWindowState& state) {
    state.items.clear();
    state.learnerFile = LearnerFile(files, course, state.learner, logOnFolder, state.lesson);
    if (state.learnerFile.empty()) return {};
    Report said;
    const RecordBook book(files, state.learnerFile);
    if (book.status() == ReadStatus::Error || book.status() == ReadStatus::Outside)
        said = Report::failed(book.status() == ReadStatus::Error
                                  ? ReadErrorText(state.learnerFile)
                                  : OutsideCourseText(state.learnerFile));
    std::unordered_set<std::string> listed{"password"}; // lower-cased sections shown
    std::vector<LessonBlock> blocks;
    if (Report units = ReadLessonUnits(files, course, state.lesson, blocks); !units)
        said = Report::failed(said.message.empty() ? units.message
                                                   : said.message + "\r\n" + units.message);
    for (const LessonBlock& b : blocks) {
        state.items.push_back({RecordsItem::Kind::Title, b.title, {}, {}, 0});
        for (const LessonUnit& u : b.units) {
            state.items.push_back(item(RecordsItem::Kind::Unit, u.key, u.line, book.count(u.key)));
            listed.insert(sjis::asciiLower(u.key));
        }
    }
    if (LessonInside(course, state.lesson)) {
        for (const std::string& file :
             files.list(LessonFolderPath(course, state.lesson), "*.prp")) {
            if (!listed.insert(sjis::asciiLower(file)).second) continue;
            state.items.push_back(item(RecordsItem::Kind::Worksheet, file, file, book.count(file)));
        }
    }
    for (const ProfileSection& s : book.sections()) {
        if (!listed.insert(sjis::asciiLower(s.name)).second) continue;
        const bool worksheet = ExtensionOf(s.name) == ".prp";
        state.items.push_back(
            item(worksheet ? RecordsItem::Kind::Worksheet : RecordsItem::Kind::Other, s.name,
                 worksheet ? s.name : std::string(), static_cast<int>(s.entries.size())));
    }
    return said;
}

std::vector<Record> RecordsOfItem(Files& files, const RecordsWindowState& state, int item) {
    if (item < 0 || item >= static_cast<int>(state.items.size())) return {};
    const RecordsItem& it = state.items[item];
    if (it.section.empty() || state.learnerFile.empty()) return {};
    // Keys "1" .. n for the n keys of the section, as the practice window shows them: a
    // number missing among them (a file edited by hand) reads "?" in its place. The lines
    // under other keys follow in file order, so that no record is out of sight.
    const std::vector<Record> stored = ReadRecords(files, state.learnerFile, it.section);
    std::unordered_map<std::string, const std::string*> byKey;
    for (const Record& r : stored)
        byKey.emplace(r.key, &r.line);
    std::vector<Record> out;
    out.reserve(stored.size() * 2);
    std::unordered_set<std::string> shown;
    for (std::size_t k = 1; k <= stored.size(); ++k) {
        std::string key = std::to_string(k);
        const auto found = byKey.find(key);
        out.push_back({key, found == byKey.end() ? std::string("?") : *found->second});
        shown.insert(std::move(key));
    }
    for (const Record& r : stored)
        if (!shown.count(r.key)) out.push_back(r);
    return out;
}

Lines RecordLinesOf(Files& files, const RecordsWindowState& state, int item) {
    Lines out;
    for (Record& r : RecordsOfItem(files, state, item))
        out.push_back(std::move(r.line));
    if (out.empty()) out.push_back(J("練習の記録はありません"));
    return out;
}

void EraseSelectedRecords(Files& files, Prompter& prompter, const CourseTables& course,
                          const std::string& logOnFolder, RecordsWindowState& state,
                          const std::vector<int>& selected) {
    std::vector<const RecordsItem*> chosen;
    for (int i : selected)
        if (i >= 0 && i < static_cast<int>(state.items.size()) && !state.items[i].section.empty())
            chosen.push_back(&state.items[i]);
    if (chosen.empty()) {
        prompter.message(J("消去する単元を選んでください"));
        return;
    }
    std::string question = J("記録を消してもいいですか？");
    for (std::size_t i = 0; i < chosen.size() && i < NamedInQuestion; ++i)
        question += "\r\n" + chosen[i]->section;
    if (chosen.size() > NamedInQuestion)
        question += "\r\n" + J("ほか") + std::to_string(chosen.size() - NamedInQuestion) + J("件");
    if (prompter.askYesNo(question) != answer::Yes) return;
    std::vector<std::string> sections;
    for (const RecordsItem* it : chosen)
        sections.push_back(it->section);
    for (const std::string& section : sections) {
        const Report erased = EraseRecords(files, state.learnerFile, section);
        if (!erased) {
            prompter.message(erased.message);
            break;
        }
        state.erased = true;
    }
    if (Report refilled = FillRecordsList(files, course, logOnFolder, state); !refilled)
        prompter.message(refilled.message);
}
