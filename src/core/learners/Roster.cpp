#include "learners/Roster.h"

#include <algorithm>
#include <unordered_set>

#include "learners/LearnerNames.h"
#include "text/CorePath.h"
#include "text/FileMessages.h"
#include "text/Sjis.h"
#include "text/TextCuts.h"

namespace {

// The names of a roster file: its lines, blank ones left out.
Lines namesOf(const std::string& bytes) {
    Lines out;
    for (std::string& line : lines::split(bytes))
        if (!TrimWide(line).empty()) out.push_back(std::move(line));
    return out;
}

void erase(Lines& list, const std::string& name) {
    list.erase(std::remove(list.begin(), list.end(), name), list.end());
}

} // namespace

std::string RosterFileName(const Roster& roster) {
    return AfterLastChar('\\', roster.path);
}

Report LoadRoster(Files& files, Roster& roster, const std::string& path) {
    std::string bytes;
    switch (files.read(path, bytes)) {
    case ReadStatus::Ok:
        roster = Roster{path, namesOf(bytes), {}, {}, false};
        return {};
    case ReadStatus::Missing: {
        Roster fresh{path, {}, {PublicLearner()}, {}, false};
        fresh.names = fresh.added;
        const Report saved = SaveRoster(files, fresh, path);
        roster = std::move(fresh);
        return saved;
    }
    case ReadStatus::Outside:
        return Report::failed(OutsideCourseText(path));
    case ReadStatus::Error:
        break;
    }
    return Report::failed(ReadErrorText(path));
}

bool AddToRoster(Roster& roster, const std::string& name) {
    if (name.empty()) return false;
    if (std::find(roster.names.begin(), roster.names.end(), name) != roster.names.end())
        return false;
    roster.names.push_back(name);
    erase(roster.removed, name);
    roster.added.push_back(name);
    roster.changed = true;
    return true;
}

void RemoveFromRoster(Roster& roster, int index) {
    if (index < 0 || index >= static_cast<int>(roster.names.size())) return;
    const std::string name = roster.names[index];
    roster.names.erase(roster.names.begin() + index);
    erase(roster.added, name);
    roster.removed.push_back(name);
}

Report SaveRoster(Files& files, Roster& roster, const std::string& path) {
    auto failed = [&](const WriteResult& r) { return Report::failed(NotWritableText(path, r)); };
    LockResult lock = files.lock(path);
    if (!lock) return failed(WriteResult::failed(lock.reason));
    std::string bytes;
    switch (files.read(path, bytes)) {
    case ReadStatus::Ok:
    case ReadStatus::Missing:
        break;
    case ReadStatus::Outside:
        return Report::failed(OutsideCourseText(path));
    case ReadStatus::Error:
        return Report::failed(ReadErrorText(path));
    }
    Lines names = namesOf(bytes);
    std::unordered_set<std::string> present(names.begin(), names.end());
    const bool sameFile = sjis::equalsIgnoreAsciiCase(path, roster.path);
    for (const std::string& name : sameFile ? roster.added : roster.names)
        if (present.insert(name).second) names.push_back(name);
    for (const std::string& name : roster.removed)
        erase(names, name);
    const WriteResult written = files.write(path, lines::join(names));
    if (!written) return failed(written);
    roster.path = path;
    roster.names = std::move(names);
    roster.added.clear();
    roster.removed.clear();
    return {};
}
