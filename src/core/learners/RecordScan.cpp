#include "learners/RecordScan.h"

#include <algorithm>
#include <string>
#include <unordered_set>

#include "learners/Records.h"
#include "text/Lines.h"
#include "text/Profile.h"
#include "text/Sjis.h"

namespace {

// The value as a read returns it: at most MaxValueBytes, cut at a character.
std::string_view cutAtChar(std::string_view text) {
    constexpr std::size_t max = Profile::MaxValueBytes;
    if (text.size() <= max) return text;
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t len = sjis::charLen(text, end);
        if (end + len > max) break;
        end += len;
    }
    return text.substr(0, end);
}

// Which keys of the section in hand were seen: record numbers in a bitmap, other keys
// lower-cased in a set.
class SeenKeys {
  public:
    bool firstTime(std::string_view key, long number) {
        if (number > 0 && number <= MaxBitmap) {
            const auto n = static_cast<std::size_t>(number);
            if (n >= bits_.size()) bits_.resize(std::max(n + 1, bits_.size() * 2), 0);
            if (bits_[n]) return false;
            bits_[n] = 1;
            touched_.push_back(n);
            return true;
        }
        return others_.insert(sjis::asciiLower(key)).second;
    }
    void clear() {
        for (std::size_t n : touched_)
            bits_[n] = 0;
        touched_.clear();
        others_.clear();
    }

  private:
    static constexpr long MaxBitmap = 1L << 20;
    std::vector<unsigned char> bits_;
    std::vector<std::size_t> touched_;
    std::unordered_set<std::string> others_;
};

} // namespace

LearnerFileScan ScanLearnerFile(std::string_view bytes, const ScanSection& take) {
    LearnerFileScan scan;
    std::unordered_set<std::string> sectionsSeen; // lower-cased
    SeenKeys keys;
    std::vector<ScannedRecord> entries;
    std::string_view section;
    bool inSection = false, inFirstBlock = false;
    bool inOrder = true, sawOther = false;
    long last = 0;

    auto handOver = [&] {
        if (!inFirstBlock) return;
        if (!inOrder)
            std::stable_sort(entries.begin(), entries.end(),
                             [](const ScannedRecord& a, const ScannedRecord& b) {
                                 if (a.number == 0 || b.number == 0)
                                     return a.number != 0 && b.number == 0;
                                 return a.number < b.number;
                             });
        ++scan.sections;
        take(section, entries);
    };

    LineViews lines;
    lines::splitViews(bytes, lines);
    for (std::string_view line : lines) {
        const std::string_view t = TrimProfileBlanks(line);
        if (t.empty() || t.front() == ';') continue;
        if (t.front() == '[') {
            const std::size_t close = sjis::rfind(t, ']');
            if (close == std::string_view::npos || close == 0) {
                ++scan.strayLines;
                continue;
            }
            handOver();
            section = TrimProfileBlanks(t.substr(1, close - 1));
            inSection = true;
            inFirstBlock = sectionsSeen.insert(sjis::asciiLower(section)).second;
            entries.clear();
            keys.clear();
            inOrder = true;
            sawOther = false;
            last = 0;
            continue;
        }
        const std::size_t eq = sjis::find(t, '=');
        const std::string_view key = eq == std::string_view::npos ? t : TrimProfileBlanks(t.substr(0, eq));
        if (eq == std::string_view::npos || key.empty() || !inSection) {
            ++scan.strayLines;
            continue;
        }
        if (!inFirstBlock) continue;
        const long n = RecordNumber(key);
        if (!keys.firstTime(key, n)) continue;
        if (n == 0) {
            sawOther = true;
        } else {
            if (sawOther || n < last) inOrder = false;
            last = n;
        }
        entries.push_back({n, key, cutAtChar(ProfileValueOf(t.substr(eq + 1)))});
    }
    handOver();
    return scan;
}
