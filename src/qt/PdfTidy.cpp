#include "qt/PdfTidy.h"

#include <QTimeZone>
#include <algorithm>
#include <charconv>
#include <map>
#include <string_view>
#include <vector>

namespace {

using View = std::string_view;
constexpr std::size_t None = View::npos;

struct Edit {
    std::size_t at = 0;
    std::size_t length = 0; // bytes replaced
    std::string text;
};

struct Object {
    std::size_t offset = 0; // where "N G obj" starts
    View dict;              // the object up to its stream or "endobj"
    std::size_t dictAt = 0;
};

bool isDelimiter(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '/' || c == '[' ||
           c == ']' || c == '<' || c == '>' || c == '(' || c == ')' || c == '%' || c == '{' ||
           c == '}';
}

std::optional<long long> numberAt(View s, std::size_t at, std::size_t* end = nullptr) {
    long long v = 0;
    auto [p, ec] = std::from_chars(s.data() + at, s.data() + s.size(), v);
    if (ec != std::errc() || p == s.data() + at) return std::nullopt;
    if (end) *end = static_cast<std::size_t>(p - s.data());
    return v;
}

std::size_t skipBlanks(View s, std::size_t at) {
    while (at < s.size() && (s[at] == ' ' || s[at] == '\r' || s[at] == '\n' || s[at] == '\t'))
        ++at;
    return at;
}

// The name after key ("/BaseFont /Name"): where it starts and the name itself.
std::optional<std::pair<std::size_t, View>> nameAfter(View dict, View key) {
    std::size_t at = dict.find(key);
    if (at == None) return std::nullopt;
    at = skipBlanks(dict, at + key.size());
    if (at >= dict.size() || dict[at] != '/') return std::nullopt;
    std::size_t end = at + 1;
    while (end < dict.size() && !isDelimiter(dict[end]))
        ++end;
    return std::pair{at + 1, dict.substr(at + 1, end - at - 1)};
}

// The object number of "key N G R".
std::optional<int> referenceAfter(View dict, View key) {
    std::size_t at = dict.find(key);
    if (at == None) return std::nullopt;
    at = skipBlanks(dict, at + key.size());
    if (at < dict.size() && dict[at] == '[') at = skipBlanks(dict, at + 1);
    auto n = numberAt(dict, at);
    if (!n || *n < 0 || *n > 10'000'000) return std::nullopt;
    return static_cast<int>(*n);
}

bool hasSubsetTag(View name) {
    if (name.size() < 7 || name[6] != '+') return false;
    return std::all_of(name.begin(), name.begin() + 6, [](char c) { return c >= 'A' && c <= 'Z'; });
}

// Six capitals made from the font's name and object, the same every time.
std::string makeTag(View name, int object) {
    std::uint64_t h = 1469598103934665603ull;
    for (char c : name)
        h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    h ^= static_cast<std::uint64_t>(object);
    std::string tag(6, 'A');
    for (char& c : tag) {
        c = static_cast<char>('A' + h % 26);
        h /= 26;
    }
    return tag;
}

class Tidier {
  public:
    explicit Tidier(View pdf) : pdf_(pdf) {}

    std::optional<QByteArray> run(const std::optional<QDateTime>& created) {
        if (!readTable()) return std::nullopt;
        if (created) setDates(*created);
        tagSubsets();
        if (edits_.empty()) return QByteArray(pdf_.data(), static_cast<qsizetype>(pdf_.size()));
        moveTable();
        return apply();
    }

  private:
    bool readTable();
    void setDates(const QDateTime& created);
    void tagSubsets();
    void moveTable();
    std::optional<QByteArray> apply() const;
    std::size_t moved(std::size_t at) const;
    void rename(const Object& o, std::size_t nameAt, const std::string& tag) {
        edits_.push_back({o.dictAt + nameAt, 0, tag + "+"});
    }

    View pdf_;
    std::map<int, Object> objects_;
    std::map<int, std::size_t> entries_; // object -> where its table entry stands
    std::size_t table_ = 0;              // "xref"
    std::size_t startAt_ = 0;            // the number behind "startxref"
    std::size_t startEnd_ = 0;
    int info_ = -1;
    std::vector<Edit> edits_;
};

bool Tidier::readTable() {
    const std::size_t start = pdf_.rfind("startxref");
    if (start == None) return false;
    startAt_ = skipBlanks(pdf_, start + 9);
    auto table = numberAt(pdf_, startAt_, &startEnd_);
    if (!table || *table < 0 || static_cast<std::size_t>(*table) >= start) return false;
    table_ = static_cast<std::size_t>(*table);
    if (pdf_.substr(table_, 4) != "xref") return false;
    std::size_t at = skipBlanks(pdf_, table_ + 4);
    // Subsections: "first count", then count entries of 20 bytes.
    while (at < pdf_.size() && pdf_.substr(at, 7) != "trailer") {
        std::size_t end = 0;
        auto first = numberAt(pdf_, at, &end);
        if (!first) return false;
        auto count = numberAt(pdf_, skipBlanks(pdf_, end), &end);
        if (!count || *first < 0 || *count < 0) return false;
        at = end;
        while (at < pdf_.size() && (pdf_[at] == ' ' || pdf_[at] == '\r'))
            ++at;
        if (at >= pdf_.size() || pdf_[at] != '\n') return false;
        ++at;
        for (long long k = 0; k < *count; ++k, at += 20) {
            if (at + 20 > pdf_.size()) return false;
            const View entry = pdf_.substr(at, 20);
            if (entry[10] != ' ' || entry[16] != ' ') return false;
            if (entry[17] != 'n') continue;
            auto offset = numberAt(entry, 0);
            if (!offset || *offset < 0 || static_cast<std::size_t>(*offset) >= table_) return false;
            const int number = static_cast<int>(*first + k);
            entries_[number] = at;
            Object o;
            o.offset = static_cast<std::size_t>(*offset);
            auto n = numberAt(pdf_, o.offset);
            if (!n || *n != number) return false;
            const std::size_t close = pdf_.find("endobj", o.offset);
            if (close == None || close > table_) return false;
            std::size_t stream = pdf_.find("stream", o.offset);
            const std::size_t dictEnd = stream != None && stream < close ? stream : close;
            o.dictAt = o.offset;
            o.dict = pdf_.substr(o.offset, dictEnd - o.offset);
            objects_[number] = o;
        }
        at = skipBlanks(pdf_, at);
    }
    const View trailer = pdf_.substr(at, start - at);
    if (auto info = referenceAfter(trailer, "/Info")) info_ = *info;
    return !objects_.empty();
}

void Tidier::setDates(const QDateTime& created) {
    auto it = objects_.find(info_);
    if (it == objects_.end()) return;
    const Object& o = it->second;
    const std::string date = "D:" +
                             created.toTimeZone(QTimeZone::utc())
                                 .toString(QStringLiteral("yyyyMMddHHmmss"))
                                 .toStdString() +
                             "Z";
    for (View key : {View("/CreationDate"), View("/ModDate")}) {
        std::size_t at = o.dict.find(key);
        if (at == None) continue;
        at = skipBlanks(o.dict, at + key.size());
        if (at >= o.dict.size() || o.dict[at] != '(') continue;
        const std::size_t close = o.dict.find(')', at);
        if (close == None) continue;
        edits_.push_back({o.dictAt + at + 1, close - at - 1, date});
    }
}

void Tidier::tagSubsets() {
    // Descriptors of embedded fonts and the tag each one's fonts carry.
    std::map<int, std::string> tags;
    for (const auto& [number, o] : objects_) {
        if (o.dict.find("/FontDescriptor") == None || o.dict.find("/FontFile") == None) continue;
        auto name = nameAfter(o.dict, "/FontName");
        if (!name) continue;
        if (hasSubsetTag(name->second)) {
            tags[number] = std::string(name->second.substr(0, 6));
            continue;
        }
        tags[number] = makeTag(name->second, number);
        rename(o, name->first, tags[number]);
    }
    // Fonts named after such a descriptor; then the composite fonts that use them.
    std::map<int, std::string> fontTags;
    for (const auto& [number, o] : objects_) {
        auto descriptor = referenceAfter(o.dict, "/FontDescriptor");
        if (!descriptor || o.dict.find("/Type /Font") == None || !tags.count(*descriptor)) continue;
        fontTags[number] = tags[*descriptor];
        auto base = nameAfter(o.dict, "/BaseFont");
        if (base && !hasSubsetTag(base->second)) rename(o, base->first, tags[*descriptor]);
    }
    for (const auto& [number, o] : objects_) {
        if (o.dict.find("/Subtype /Type0") == None) continue;
        auto descendant = referenceAfter(o.dict, "/DescendantFonts");
        if (!descendant || !fontTags.count(*descendant)) continue;
        auto base = nameAfter(o.dict, "/BaseFont");
        if (base && !hasSubsetTag(base->second)) rename(o, base->first, fontTags[*descendant]);
    }
}

std::size_t Tidier::moved(std::size_t at) const {
    long long shift = 0;
    for (const Edit& e : edits_)
        if (e.at < at)
            shift += static_cast<long long>(e.text.size()) - static_cast<long long>(e.length);
    return static_cast<std::size_t>(static_cast<long long>(at) + shift);
}

void Tidier::moveTable() {
    // The entries keep their length; only the offsets change.
    std::vector<Edit> entries;
    for (const auto& [number, at] : entries_) {
        std::string offset = std::to_string(moved(objects_.at(number).offset));
        offset.insert(0, 10 - std::min<std::size_t>(10, offset.size()), '0');
        entries.push_back({at, 10, offset});
    }
    entries.push_back({startAt_, startEnd_ - startAt_, std::to_string(moved(table_))});
    edits_.insert(edits_.end(), entries.begin(), entries.end());
}

std::optional<QByteArray> Tidier::apply() const {
    std::vector<Edit> edits = edits_;
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.at < b.at; });
    QByteArray out;
    out.reserve(static_cast<qsizetype>(pdf_.size() + 64 * edits.size()));
    std::size_t from = 0;
    for (const Edit& e : edits) {
        if (e.at < from) return std::nullopt; // overlapping edits: leave the file alone
        out.append(pdf_.data() + from, static_cast<qsizetype>(e.at - from));
        out.append(e.text.data(), static_cast<qsizetype>(e.text.size()));
        from = e.at + e.length;
    }
    out.append(pdf_.data() + from, static_cast<qsizetype>(pdf_.size() - from));
    // Every object is where the table now says.
    const View result(out.constData(), static_cast<std::size_t>(out.size()));
    for (const auto& [number, o] : objects_) {
        const std::size_t at = moved(o.offset);
        const std::string head = std::to_string(number) + " ";
        if (result.substr(at, head.size()) != head) return std::nullopt;
    }
    return out;
}

} // namespace

QByteArray TidyPdf(const QByteArray& pdf, const std::optional<QDateTime>& created) {
    const View bytes(pdf.constData(), static_cast<std::size_t>(pdf.size()));
    Tidier tidier(bytes);
    std::optional<QByteArray> out = tidier.run(created);
    return out ? *out : pdf;
}
