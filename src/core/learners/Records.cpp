#include "learners/Records.h"

#include <algorithm>
#include <charconv>
#include <unordered_set>

#include "text/FileMessages.h"
#include "text/Sjis.h"

long RecordNumber(std::string_view key) {
    if (key.empty() || key.front() == '0' || key.size() > 9) return 0;
    long n = 0;
    auto [end, ec] = std::from_chars(key.data(), key.data() + key.size(), n);
    return ec == std::errc() && end == key.data() + key.size() ? n : 0;
}

std::string FirstFreeKey(const std::vector<std::string>& keys) {
    std::vector<bool> used(keys.size() + 2, false);
    for (const std::string& k : keys) {
        const long n = RecordNumber(k);
        if (n > 0 && static_cast<std::size_t>(n) < used.size()) used[n] = true;
    }
    std::size_t n = 1;
    while (used[n])
        ++n;
    return std::to_string(n);
}

WriteResult AppendRecord(Files& files, const std::string& learnerFile, const std::string& section,
                         const std::string& line) {
    if (learnerFile.empty()) return WriteResult::failed();
    LockResult lock = files.lock(learnerFile);
    if (!lock) return WriteResult::failed(lock.reason);
    Profile file(files, learnerFile);
    return file.addEntry(section, FirstFreeKey, line);
}

std::vector<Record> ReadRecords(Files& files, const std::string& learnerFile,
                                const std::string& section) {
    return RecordBook(files, learnerFile).records(section);
}

ReadStatus ReadLearnerFile(Files& files, const std::string& learnerFile, std::string& bytes,
                           std::string* lockProblem) {
    bytes.clear();
    if (lockProblem) lockProblem->clear();
    if (learnerFile.empty()) return ReadStatus::Missing;
    const LockResult lock = files.lock(learnerFile);
    if (!lock && lockProblem) *lockProblem = lock.reason.empty() ? std::string("?") : lock.reason;
    return files.read(learnerFile, bytes);
}

Report EraseRecords(Files& files, const std::string& learnerFile, const std::string& section) {
    LockResult lock = files.lock(learnerFile);
    if (!lock)
        return Report::failed(NotWritableText(learnerFile, WriteResult::failed(lock.reason)));
    Profile file(files, learnerFile);
    return file.eraseSection(section);
}

std::vector<const ProfileEntry*> OrderedEntries(const ProfileSection& section) {
    std::vector<std::pair<long, const ProfileEntry*>> numbered;
    numbered.reserve(section.entries.size());
    // Files mostly hold their keys in order already: then nothing is sorted.
    bool inOrder = true, sawOther = false;
    long last = 0;
    for (const ProfileEntry& e : section.entries) {
        const long n = RecordNumber(e.key);
        if (n == 0) {
            sawOther = true;
        } else {
            if (sawOther || n < last) inOrder = false;
            last = n;
        }
        numbered.push_back({n, &e});
    }
    if (!inOrder)
        std::stable_sort(numbered.begin(), numbered.end(), [](const auto& a, const auto& b) {
            if (a.first == 0 || b.first == 0) return a.first != 0 && b.first == 0;
            return a.first < b.first;
        });
    std::vector<const ProfileEntry*> out;
    out.reserve(numbered.size());
    for (const auto& [n, e] : numbered)
        out.push_back(e);
    return out;
}

std::vector<Record> OrderedRecords(const ProfileSection& section) {
    std::vector<Record> out;
    out.reserve(section.entries.size());
    for (const ProfileEntry* e : OrderedEntries(section))
        out.push_back({e->key, e->value});
    return out;
}

RecordBook::RecordBook(Files& files, const std::string& learnerFile) {
    if (learnerFile.empty()) return;
    ProfileContents contents = Profile(files, learnerFile).readAll();
    status_ = contents.status;
    sections_ = std::move(contents.sections);
    for (std::size_t i = 0; i < sections_.size(); ++i)
        index_.emplace(sjis::asciiLower(sections_[i].name), i);
}

const ProfileSection* RecordBook::find(const std::string& section) const {
    // Section names are read and written without the blanks at their ends.
    std::string_view name = section;
    while (!name.empty() && static_cast<unsigned char>(name.front()) <= ' ')
        name.remove_prefix(1);
    while (!name.empty() && static_cast<unsigned char>(name.back()) <= ' ')
        name.remove_suffix(1);
    auto it = index_.find(sjis::asciiLower(name));
    return it == index_.end() ? nullptr : &sections_[it->second];
}

int RecordBook::count(const std::string& section) const {
    const ProfileSection* s = find(section);
    return s ? static_cast<int>(s->entries.size()) : 0;
}

std::vector<Record> RecordBook::records(const std::string& section) const {
    const ProfileSection* s = find(section);
    return s ? OrderedRecords(*s) : std::vector<Record>{};
}
