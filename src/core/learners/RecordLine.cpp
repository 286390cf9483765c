#include "learners/RecordLine.h"

#include <charconv>

#include "text/Sjis.h"

namespace {

bool isDigit(char c) {
    return static_cast<unsigned char>(c - '0') < 10;
}

// Reads the parts of a line from left to right; any mismatch fails the whole read.
class Reader {
  public:
    explicit Reader(std::string_view s) : s_(s), at_(s.data()), end_(s.data() + s.size()) {}

    [[gnu::always_inline]] bool literal(std::string_view text) {
        // Byte by byte: the literals are one to three bytes long.
        if (static_cast<std::size_t>(end_ - at_) < text.size()) return false;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (at_[i] != text[i]) return false;
        at_ += text.size();
        return true;
    }
    bool blanks() {
        while (at_ < end_ && *at_ == ' ')
            ++at_;
        return true;
    }
    // A decimal number of 1 to maxDigits digits.
    [[gnu::always_inline]] bool number(int& out, std::size_t maxDigits) {
        const char* start = at_;
        const char* stop = static_cast<std::size_t>(end_ - at_) < maxDigits ? end_ : at_ + maxDigits;
        int n = 0;
        while (at_ < stop && isDigit(*at_))
            n = n * 10 + (*at_++ - '0');
        if (at_ == start || (at_ < end_ && isDigit(*at_))) return false;
        out = n;
        return true;
    }
    // Everything up to (not including) the single-byte stop; fails when it never comes.
    bool until(char stop, std::string_view& out) {
        const std::size_t pos = static_cast<std::size_t>(at_ - s_.data());
        const std::size_t found = sjis::findFromBoundary(s_, stop, pos);
        if (found == std::string_view::npos) return false;
        out = s_.substr(pos, found - pos);
        at_ = s_.data() + found;
        return true;
    }
    bool done() const { return at_ == end_; }

  private:
    std::string_view s_;
    const char* at_;
    const char* end_;
};

bool within(int v, int lo, int hi) {
    return v >= lo && v <= hi;
}

// "V", 1 to 18 digits, "-", 2 to 4 digits: a version code as the program writes it.
bool isVersionCode(std::string_view s) {
    if (s.size() < 5 || s[0] != 'V') return false;
    const std::size_t dash = s.find('-');
    if (dash == std::string_view::npos || dash < 2 || dash > 19) return false;
    const std::string_view seed = s.substr(1, dash - 1), copy = s.substr(dash + 1);
    if (copy.size() < 2 || copy.size() > 4) return false;
    for (std::string_view part : {seed, copy})
        for (char c : part)
            if (!isDigit(c)) return false;
    return true;
}

// Splits "tries version" (or the version alone) when the bracket holds exactly that; any
// other text between the brackets stays the tries, as it always was read.
void splitVersion(RecordFields& f) {
    const std::size_t v = f.tries.find('V');
    if (v == std::string::npos) return;
    const std::string_view all(f.tries);
    const std::string_view code = all.substr(v);
    std::string_view tries = all.substr(0, v);
    if (!tries.empty()) {
        if (tries.back() != ' ') return;
        tries.remove_suffix(1);
    }
    for (char c : tries)
        if (!isDigit(c)) return;
    if (!isVersionCode(code)) return;
    f.version.assign(code);
    f.tries.assign(tries);
}

} // namespace

std::optional<RecordFields> ParseRecordLine(std::string_view line) {
    RecordView v;
    if (!ReadRecordLine(line, v)) return std::nullopt;
    RecordFields f{.ruidai = v.ruidai,
                   .when = v.when,
                   .tries = std::string(v.tries),
                   .version = {},
                   .correct = v.correct,
                   .total = v.total,
                   .score = v.score,
                   .seconds = v.seconds};
    splitVersion(f);
    return f;
}

bool ReadRecordLine(std::string_view line, RecordView& f) {
    static const std::string& ruidai = J("類題");
    static const std::string& year = J("年");
    static const std::string& month = J("月");
    static const std::string& day = J("日");
    static const std::string& points = J("点");
    f = RecordView{};
    Reader r(line);
    if (r.literal(ruidai)) {
        if (!r.number(f.ruidai, 3) || !r.literal(")")) return false;
    }
    DateTime& t = f.when;
    int minutes = 0, seconds = 0;
    const bool read = r.number(t.year, 4) && r.literal(year) && r.number(t.month, 2) &&
                      r.literal(month) && r.number(t.day, 2) && r.literal(day) && r.literal(" ") &&
                      r.number(t.hour, 2) && r.literal(":") && r.number(t.minute, 2) &&
                      r.literal(" [") && r.until(']', f.tries) && r.literal("] ") && r.blanks() &&
                      r.number(f.correct, 4) && r.literal("/") && r.blanks() &&
                      r.number(f.total, 4) && r.literal(" ") && r.blanks() &&
                      r.number(f.score, 3) && r.literal(points) && r.literal(" ") &&
                      r.number(minutes, 6) && r.literal(":") && r.number(seconds, 2) && r.done();
    if (!read) return false;
    if (!within(t.month, 1, 12) || !within(t.day, 1, 31) || !within(t.hour, 0, 23) ||
        !within(t.minute, 0, 59) || !within(seconds, 0, 59) || !within(f.score, 0, 100) ||
        !within(f.correct, 0, f.total))
        return false;
    f.seconds = minutes * 60 + seconds;
    return true;
}

void AppendPadded(std::string& out, long value, int width) {
    char digits[24];
    const auto [end, ec] =
        std::to_chars(digits, digits + sizeof digits, value < 0 ? -value : value);
    (void)ec;
    if (value < 0) out += '-';
    for (long pad = width - (end - digits); pad > 0; --pad)
        out += '0';
    out.append(digits, end);
}
