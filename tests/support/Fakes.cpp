#include "Fakes.h"

#include "text/Lines.h"
#include "text/Sjis.h"

namespace {
std::string key(const std::string& path) {
    return sjis::asciiLower(path);
}
std::string withSlash(std::string p) {
    if (p.empty() || p.back() != '\\') p += '\\';
    return p;
}
// Wildcard match of "*" and "?" over ASCII-lowered text.
bool match(const std::string& mask, const std::string& name) {
    std::size_t m = 0, n = 0, star = std::string::npos, mark = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || mask[m] == name[n])) {
            ++m;
            ++n;
        } else if (m < mask.size() && mask[m] == '*') {
            star = m++;
            mark = n;
        } else if (star != std::string::npos) {
            m = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}
} // namespace

void MemoryFiles::put(const std::string& path, const std::string& bytes) {
    files[key(path)] = bytes;
    names[key(path)] = path;
}

void MemoryFiles::putUtf8(const std::string& utf8Path, const std::string& utf8Text) {
    put(sjis::fromUtf8(utf8Path), lines::join(lines::split(sjis::fromUtf8(utf8Text))));
}

std::string MemoryFiles::get(const std::string& path) const {
    auto it = files.find(key(path));
    return it == files.end() ? std::string() : it->second;
}

bool MemoryFiles::outside(const std::string& path) const {
    if (courseFolder.empty()) return false;
    const std::string k = key(path);
    for (const std::string& link : linksOut)
        if (k == link || k.rfind(withSlash(link), 0) == 0) return true;
    return false;
}

ReadStatus MemoryFiles::read(const std::string& path, std::string& bytes) {
    if (outside(path)) return ReadStatus::Outside;
    if (unreadable.count(key(path))) return ReadStatus::Error;
    auto it = files.find(key(path));
    if (it == files.end()) return ReadStatus::Missing;
    bytes = it->second;
    return ReadStatus::Ok;
}

WriteResult MemoryFiles::write(const std::string& path, std::string_view bytes) {
    if (outside(path)) return WriteResult::outside();
    if (failWrites) return WriteResult::failed(failReason);
    if (!held.count(key(path))) writtenUnlocked.push_back(key(path));
    put(path, std::string(bytes));
    return {};
}

namespace {
class MemoryLock : public FileLock {
  public:
    MemoryLock(std::multiset<std::string>& held, std::string path) : held_(held), path_(path) {
        held_.insert(path_);
    }
    ~MemoryLock() override { held_.erase(held_.find(path_)); }

  private:
    std::multiset<std::string>& held_;
    std::string path_;
};
} // namespace

LockResult MemoryFiles::lock(const std::string& path) {
    if (failLocks || lockedElsewhere.count(key(path))) return {nullptr, "locked by another program"};
    ++locksTaken;
    return {std::make_unique<MemoryLock>(held, key(path)), {}};
}

bool MemoryFiles::fileExists(const std::string& path) {
    return files.count(key(path)) > 0;
}

bool MemoryFiles::dirExists(const std::string& path) {
    std::string k = key(withSlash(path));
    if (dirs.count(k)) return true;
    for (const auto& f : files)
        if (f.first.rfind(k, 0) == 0) return true;
    return false;
}

bool MemoryFiles::makeDir(const std::string& path) {
    if (failWrites) return false;
    dirs.insert(key(withSlash(path)));
    return true;
}

bool MemoryFiles::remove(const std::string& path) {
    names.erase(key(path));
    return files.erase(key(path)) > 0;
}

bool MemoryFiles::rename(const std::string& from, const std::string& to) {
    auto it = files.find(key(from));
    if (it == files.end() || failWrites) return false;
    std::string bytes = it->second;
    remove(from);
    put(to, bytes);
    return true;
}

std::vector<std::string> MemoryFiles::list(const std::string& folder, const std::string& mask) {
    std::vector<std::string> out;
    std::string k = key(withSlash(folder));
    std::string m = key(mask);
    for (const auto& f : files) {
        if (f.first.rfind(k, 0) != 0) continue;
        std::string rest = f.first.substr(k.size());
        if (sjis::find(rest, '\\') != std::string::npos) continue;
        if (match(m, rest)) out.push_back(names[f.first].substr(k.size()));
    }
    return out;
}

std::vector<std::string> ScriptedPrompter::utf8() const {
    std::vector<std::string> out;
    for (const auto& m : messages)
        out.push_back(sjis::toUtf8(m));
    return out;
}

int ScriptedPrompter::next(const std::string& text) {
    messages.push_back(text);
    if (answers.empty()) return answer::Yes;
    int a = answers.front();
    answers.pop_front();
    return a;
}

bool MemoryRegistry::has(RegKey k, const std::string& name) {
    return values.count({static_cast<int>(k), sjis::asciiLower(name)}) > 0;
}

std::optional<std::string> MemoryRegistry::readText(RegKey k, const std::string& name) {
    auto it = values.find({static_cast<int>(k), sjis::asciiLower(name)});
    if (it == values.end() || it->second.kind != Value::Text) return std::nullopt;
    return it->second.text;
}

std::optional<int> MemoryRegistry::readInt(RegKey k, const std::string& name) {
    auto it = values.find({static_cast<int>(k), sjis::asciiLower(name)});
    if (it == values.end() || it->second.kind != Value::Int) return std::nullopt;
    return it->second.number;
}

std::optional<bool> MemoryRegistry::readBool(RegKey k, const std::string& name) {
    auto it = values.find({static_cast<int>(k), sjis::asciiLower(name)});
    if (it == values.end() || it->second.kind != Value::Bool) return std::nullopt;
    return it->second.number != 0;
}

WriteResult MemoryRegistry::writeText(RegKey k, const std::string& name, const std::string& value) {
    if (failWrites) return WriteResult::failed("No space left on device");
    values[{static_cast<int>(k), sjis::asciiLower(name)}] = Value{Value::Text, value, 0};
    return {};
}

WriteResult MemoryRegistry::writeInt(RegKey k, const std::string& name, int value) {
    if (failWrites) return WriteResult::failed("No space left on device");
    values[{static_cast<int>(k), sjis::asciiLower(name)}] = Value{Value::Int, {}, value};
    return {};
}

WriteResult MemoryRegistry::writeBool(RegKey k, const std::string& name, bool value) {
    if (failWrites) return WriteResult::failed("No space left on device");
    values[{static_cast<int>(k), sjis::asciiLower(name)}] = Value{Value::Bool, {}, value ? 1 : 0};
    return {};
}

ReadStatus MemoryPictures::load(const std::string& path, Bitmap& out) {
    auto it = stored.find(sjis::asciiLower(path));
    if (it == stored.end()) return ReadStatus::Missing;
    out = it->second;
    return ReadStatus::Ok;
}

bool MemoryPictures::saveBmp(const std::string& path, const Bitmap& picture) {
    stored[sjis::asciiLower(path)] = picture;
    return true;
}
