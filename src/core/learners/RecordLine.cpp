#include "learners/RecordLine.h"

#include <charconv>

#include "text/Sjis.h"

namespace {

// Reads the parts of a line from left to right; any mismatch fails the whole read.
class Reader {
  public:
    explicit Reader(std::string_view s) : s_(s) {}

    bool literal(std::string_view text) {
        if (s_.substr(pos_, text.size()) != text) return false;
        pos_ += text.size();
        return true;
    }
    bool blanks() {
        while (pos_ < s_.size() && s_[pos_] == ' ')
            ++pos_;
        return true;
    }
    // A decimal number of 1 to maxDigits digits.
    bool number(int& out, std::size_t maxDigits) {
        std::size_t start = pos_;
        long long n = 0;
        while (pos_ < s_.size() && pos_ - start < maxDigits && s_[pos_] >= '0' && s_[pos_] <= '9')
            n = n * 10 + (s_[pos_++] - '0');
        if (pos_ == start || (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9')) return false;
        out = static_cast<int>(n);
        return true;
    }
    // Everything up to (not including) the single-byte stop; fails when it never comes.
    bool until(char stop, std::string& out) {
        std::size_t at = sjis::findFromBoundary(s_, stop, pos_);
        if (at == std::string_view::npos) return false;
        out.assign(s_.substr(pos_, at - pos_));
        pos_ = at;
        return true;
    }
    bool done() const { return pos_ == s_.size(); }

  private:
    std::string_view s_;
    std::size_t pos_ = 0;
};

bool within(int v, int lo, int hi) {
    return v >= lo && v <= hi;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
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
    static const std::string& ruidai = J("類題");
    static const std::string& year = J("年");
    static const std::string& month = J("月");
    static const std::string& day = J("日");
    static const std::string& points = J("点");
    RecordFields f;
    Reader r(line);
    if (r.literal(ruidai)) {
        if (!r.number(f.ruidai, 3) || !r.literal(")")) return std::nullopt;
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
    if (!read) return std::nullopt;
    if (!within(t.month, 1, 12) || !within(t.day, 1, 31) || !within(t.hour, 0, 23) ||
        !within(t.minute, 0, 59) || !within(seconds, 0, 59) || !within(f.score, 0, 100) ||
        !within(f.correct, 0, f.total))
        return std::nullopt;
    f.seconds = minutes * 60 + seconds;
    splitVersion(f);
    return f;
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
