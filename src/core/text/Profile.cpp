#include "text/Profile.h"

#include "text/CorePath.h"
#include "text/FileMessages.h"
#include "text/Lines.h"
#include "text/Sjis.h"

#include <deque>
#include <set>
#include <unordered_set>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n';
}

// Blanks are single-byte and never the second byte of a double-byte character, so
// cutting them from either end cannot split a character.
std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool isQuote(char c) {
    return c == '"' || c == '\'';
}

// One matching pair of quotes around a value is not part of it. Quotes are single-byte
// and never a second byte, so the cut cannot split a character.
std::string_view unquote(std::string_view v) {
    if (v.size() >= 2 && isQuote(v.front()) && v.back() == v.front())
        return v.substr(1, v.size() - 2);
    return v;
}

// The entry line for a value, quoted when a read would otherwise trim or strip it.
std::string entryLine(std::string_view key, std::string_view value) {
    std::string line(key);
    line += '=';
    const bool quoted = !value.empty() && (isBlank(value.front()) || isBlank(value.back()) ||
                                           isQuote(value.front()) || isQuote(value.back()));
    if (quoted) line += '"';
    for (char c : value)
        line += (c == '\r' || c == '\n') ? ' ' : c; // a value is one line
    if (quoted) line += '"';
    return line;
}

// What one line of the file says.
struct Parsed {
    enum Kind { Other, Section, Entry } kind = Other;
    std::string_view name;
    std::string_view value;
};

// "[name]" starts a section: the name runs to the last "]" of the line, so a name may
// hold "]" itself (records sections are named after free unit lines); "name=value" is an
// entry; blank lines, ";" comments and anything else are kept but mean nothing.
Parsed parse(std::string_view line) {
    Parsed p;
    std::string_view t = trim(line);
    if (t.empty() || t.front() == ';') return p;
    if (t.front() == '[') {
        std::size_t close = sjis::rfind(t, ']');
        if (close == std::string_view::npos || close == 0) return p;
        p.kind = Parsed::Section;
        p.name = trim(t.substr(1, close - 1));
        return p;
    }
    std::size_t eq = sjis::find(t, '=');
    if (eq == std::string_view::npos) return p;
    p.name = trim(t.substr(0, eq));
    if (p.name.empty()) return p;
    p.kind = Parsed::Entry;
    p.value = unquote(trim(t.substr(eq + 1)));
    return p;
}

bool isSection(std::string_view line, std::string_view section) {
    Parsed p = parse(line);
    return p.kind == Parsed::Section && sjis::equalsIgnoreAsciiCase(p.name, section);
}

// Index of the first "[section]" line, or lines.size().
std::size_t findSection(const std::vector<std::string>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (isSection(lines[i], section)) return i;
    return lines.size();
}

// One past the last line of the block whose header is at start.
std::size_t blockEnd(const std::vector<std::string>& lines, std::size_t start) {
    std::size_t i = start + 1;
    while (i < lines.size() && parse(lines[i]).kind != Parsed::Section)
        ++i;
    return i;
}

// Cuts text to at most max bytes without splitting a double-byte character.
std::string cutAtChar(std::string_view text, std::size_t max) {
    if (text.size() <= max) return std::string(text);
    std::size_t end = 0;
    while (end < text.size()) {
        std::size_t len = sjis::charLen(text, end);
        if (end + len > max) break;
        end += len;
    }
    return std::string(text.substr(0, end));
}

bool hasLineBreak(std::string_view s) {
    return s.find('\r') != std::string_view::npos || s.find('\n') != std::string_view::npos;
}

} // namespace

std::string_view TrimProfileBlanks(std::string_view s) {
    return trim(s);
}

std::string_view ProfileValueOf(std::string_view raw) {
    return unquote(trim(raw));
}

Profile::Profile(Files& files, std::string path) : files_(files), path_(std::move(path)) {}

Profile::Load Profile::load(std::vector<std::string>& lines) {
    std::string bytes;
    switch (files_.read(path_, bytes)) {
    case ReadStatus::Ok:
        lines = lines::split(bytes);
        return Load::Ok;
    case ReadStatus::Missing:
        lines.clear();
        return Load::Missing;
    case ReadStatus::Outside:
        lines.clear();
        return Load::Outside;
    case ReadStatus::Error:
        break;
    }
    lines.clear();
    return Load::Error;
}

Report Profile::save(const std::vector<std::string>& lines) {
    const WriteResult written = files_.write(path_, lines::join(lines));
    if (written) return {};
    if (written.status == WriteResult::Status::Outside)
        return Report::failed(OutsideCourseText(path_));
    return writeFailure(written.reason);
}

Report Profile::writeFailure(const std::string& reason) const {
    return Report::failed(path_ + J(" に書き込めません") + (reason.empty() ? "" : ": " + reason));
}

Report Profile::refuseUnreadable(Load status) const {
    if (status == Load::Outside) return Report::failed(OutsideCourseText(path_));
    return writeFailure();
}

std::string Profile::readString(std::string_view section, std::string_view key,
                                std::string_view def) {
    std::vector<std::string> lines;
    if (load(lines) != Load::Ok) return std::string(def);
    section = trim(section);
    key = trim(key);
    std::size_t start = findSection(lines, section);
    if (start == lines.size()) return std::string(def);
    std::size_t end = blockEnd(lines, start);
    for (std::size_t i = start + 1; i < end; ++i) {
        Parsed p = parse(lines[i]);
        if (p.kind == Parsed::Entry && sjis::equalsIgnoreAsciiCase(p.name, key))
            return cutAtChar(p.value, MaxValueBytes);
    }
    return std::string(def);
}

bool Profile::refusedNames(std::string_view section, std::string_view key) {
    // Names that would not read back as the same section or key are refused; a name
    // ending in a lone lead byte would take the "]" or "=" behind it as its second half.
    return key.empty() || hasLineBreak(section) || hasLineBreak(key) ||
           sjis::find(key, '=') != std::string_view::npos || key.front() == '[' ||
           key.front() == ';' || sjis::endsInLoneLead(section) || sjis::endsInLoneLead(key);
}

Report Profile::writeString(std::string_view section, std::string_view key,
                            std::string_view value) {
    section = trim(section);
    key = trim(key);
    if (refusedNames(section, key)) return writeFailure();

    std::vector<std::string> lines;
    // Writing now would replace a file we could not read.
    if (const Load status = load(lines); status == Load::Error || status == Load::Outside)
        return refuseUnreadable(status);
    std::size_t start = findSection(lines, section);
    if (start == lines.size()) {
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(entryLine(key, value));
        return save(lines);
    }
    std::size_t end = blockEnd(lines, start);
    std::size_t insertAt = start + 1;
    for (std::size_t i = start + 1; i < end; ++i) {
        Parsed p = parse(lines[i]);
        if (p.kind == Parsed::Entry && sjis::equalsIgnoreAsciiCase(p.name, key)) {
            lines[i] = entryLine(p.name, value);
            return save(lines);
        }
        if (!trim(lines[i]).empty()) insertAt = i + 1;
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entryLine(key, value));
    return save(lines);
}

ProfileValue Profile::value(std::string_view section, std::string_view key) {
    ProfileValue out;
    std::vector<std::string> lines;
    switch (load(lines)) {
    case Load::Ok:
        out.status = ReadStatus::Ok;
        break;
    case Load::Missing:
        out.status = ReadStatus::Missing;
        return out;
    case Load::Error:
        out.status = ReadStatus::Error;
        return out;
    case Load::Outside:
        out.status = ReadStatus::Outside;
        return out;
    }
    std::size_t start = findSection(lines, trim(section));
    if (start == lines.size()) return out;
    std::size_t end = blockEnd(lines, start);
    for (std::size_t i = start + 1; i < end; ++i) {
        Parsed p = parse(lines[i]);
        if (p.kind == Parsed::Entry && sjis::equalsIgnoreAsciiCase(p.name, trim(key))) {
            out.found = true;
            out.text = cutAtChar(p.value, MaxValueBytes);
            return out;
        }
    }
    return out;
}

ProfileContents Profile::readAll() {
    ProfileContents out;
    std::string bytes;
    out.status = files_.read(path_, bytes);
    if (out.status != ReadStatus::Ok) return out;
    std::unordered_set<std::string> sectionsSeen; // lower-cased
    // Keys of the current section, lower-cased: views into bytes, or into lowered copies
    // for the keys that hold capitals (record keys are numbers and need none).
    std::unordered_set<std::string_view> keysSeen;
    std::deque<std::string> lowered;
    auto firstTime = [&](std::string_view key) {
        if (key.find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") != std::string_view::npos) {
            lowered.push_back(sjis::asciiLower(key));
            key = lowered.back();
        }
        return keysSeen.insert(key).second;
    };
    bool inFirstBlock = false;
    for (std::string_view line : lines::splitViews(bytes)) {
        const Parsed p = parse(line);
        if (p.kind == Parsed::Section) {
            inFirstBlock = sectionsSeen.insert(sjis::asciiLower(p.name)).second;
            if (!inFirstBlock) continue;
            out.sections.push_back({std::string(p.name), {}});
            keysSeen.clear();
            lowered.clear();
        } else if (p.kind == Parsed::Entry && inFirstBlock && firstTime(p.name)) {
            out.sections.back().entries.push_back(
                {std::string(p.name), cutAtChar(p.value, MaxValueBytes)});
        }
    }
    return out;
}

std::vector<std::string> Profile::keys(std::string_view section) {
    std::vector<std::string> out;
    std::vector<std::string> lines;
    if (load(lines) != Load::Ok) return out;
    std::size_t start = findSection(lines, trim(section));
    if (start == lines.size()) return out;
    std::size_t end = blockEnd(lines, start);
    std::set<std::string> seen; // lower-cased names already listed
    for (std::size_t i = start + 1; i < end; ++i) {
        Parsed p = parse(lines[i]);
        if (p.kind != Parsed::Entry) continue;
        if (seen.insert(sjis::asciiLower(p.name)).second) out.emplace_back(p.name);
    }
    return out;
}

Report Profile::eraseSection(std::string_view section) {
    section = trim(section);
    std::vector<std::string> lines;
    Load status = load(lines);
    if (status == Load::Missing) return {};
    if (status == Load::Error || status == Load::Outside) return refuseUnreadable(status);
    std::vector<std::string> kept;
    bool erased = false;
    for (std::size_t i = 0; i < lines.size();) {
        if (isSection(lines[i], section)) {
            i = blockEnd(lines, i);
            erased = true;
        } else {
            kept.push_back(lines[i++]);
        }
    }
    if (!erased) return {};
    return save(kept);
}

WriteResult Profile::addEntry(std::string_view section, const KeyChooser& keyFor,
                              std::string_view value) {
    section = trim(section);
    std::vector<std::string> lines;
    const Load status = load(lines);
    if (status == Load::Outside) return WriteResult::outside();
    if (status == Load::Error) return WriteResult::failed(J("ファイルが読み込めません"));
    const std::size_t start = findSection(lines, section);
    const std::size_t end = start == lines.size() ? start : blockEnd(lines, start);
    std::vector<std::string> present;
    std::set<std::string> seen;
    std::size_t insertAt = start + 1;
    for (std::size_t i = start + 1; i < end; ++i) {
        Parsed p = parse(lines[i]);
        if (p.kind == Parsed::Entry && seen.insert(sjis::asciiLower(p.name)).second)
            present.emplace_back(p.name);
        if (!trim(lines[i]).empty()) insertAt = i + 1;
    }
    const std::string key = keyFor(present);
    if (refusedNames(section, trim(key)) || seen.count(sjis::asciiLower(trim(key))))
        return WriteResult::failed();
    if (start == lines.size()) {
        lines.push_back("[" + std::string(section) + "]");
        lines.push_back(entryLine(trim(key), value));
    } else {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                     entryLine(trim(key), value));
    }
    return files_.write(path_, lines::join(lines));
}
