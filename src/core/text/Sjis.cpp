#include "text/Sjis.h"

#include <cerrno>
#include <iconv.h>
#include <mutex>
#include <unordered_map>

namespace sjis {

std::size_t find(std::string_view s, char c, std::size_t from) {
    std::size_t i = 0;
    while (i < s.size()) {
        if (i >= from && s[i] == c) return i;
        i += charLen(s, i);
    }
    return std::string_view::npos;
}

std::size_t findFromBoundary(std::string_view s, char c, std::size_t boundary) {
    for (std::size_t i = boundary; i < s.size(); i += charLen(s, i))
        if (s[i] == c) return i;
    return std::string_view::npos;
}

bool wellFormed(std::string_view s) {
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (!isLead(s[i])) continue;
        if (i + 1 >= s.size()) return false;
        const auto t = static_cast<unsigned char>(s[++i]);
        if (t < 0x40 || t == 0x7F || t > 0xFC) return false;
    }
    return true;
}

bool endsInLoneLead(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && i + charLen(s, i) < s.size())
        i += charLen(s, i);
    return i < s.size() && isLead(s[i]) && i + 1 == s.size();
}

std::size_t rfind(std::string_view s, char c) {
    std::size_t found = std::string_view::npos;
    for (std::size_t i = 0; i < s.size(); i += charLen(s, i))
        if (s[i] == c) found = i;
    return found;
}

std::size_t findText(std::string_view s, std::string_view needle, std::size_t from) {
    if (needle.empty()) return from <= s.size() ? from : std::string_view::npos;
    for (std::size_t i = 0; i < s.size(); i += charLen(s, i))
        if (i >= from && s.substr(i, needle.size()) == needle) return i;
    return std::string_view::npos;
}

namespace {

// One converter per direction; iconv descriptors are reset before each use.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    // Converts in; on an invalid or unmappable sequence skips inBad bytes and emits bad.
    std::string run(std::string_view in, std::string_view bad, bool* lossless) {
        std::string out;
        if (lossless) *lossless = true;
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            if (lossless) *lossless = false;
            return std::string(in);
        }
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        out.resize(in.size() * 3 + 8);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char* dst = out.data();
        std::size_t dstLeft = out.size();
        while (srcLeft > 0) {
            std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            if (r != static_cast<std::size_t>(-1)) break;
            if (errno == E2BIG) {
                std::size_t used = out.size() - dstLeft;
                out.resize(out.size() * 2);
                dst = out.data() + used;
                dstLeft = out.size() - used;
                continue;
            }
            // EILSEQ or EINVAL: replace one byte (or the rest of a UTF-8 sequence).
            if (lossless) *lossless = false;
            std::size_t skip = 1;
            unsigned char b = static_cast<unsigned char>(*src);
            if (bad == "?" && b >= 0xC0) { // a whole UTF-8 sequence maps to one "?"
                skip = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
                if (skip > srcLeft) skip = srcLeft;
            }
            src += skip;
            srcLeft -= skip;
            std::size_t used = out.size() - dstLeft;
            if (dstLeft < bad.size() + 8) {
                out.resize(out.size() * 2 + bad.size());
            }
            out.replace(used, bad.size(), bad);
            dst = out.data() + used + bad.size();
            dstLeft = out.size() - used - bad.size();
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        out.resize(out.size() - dstLeft);
        return out;
    }

  private:
    iconv_t cd_;
};

std::mutex& convMutex() {
    static std::mutex m;
    return m;
}

} // namespace

std::string toUtf8(std::string_view s) {
    bool ascii = true;
    for (char ch : s)
        if (static_cast<unsigned char>(ch) >= 0x80) ascii = false;
    if (ascii) return std::string(s);
    static Converter conv("UTF-8", "CP932");
    std::lock_guard<std::mutex> lock(convMutex());
    return conv.run(s, "\xEF\xBF\xBD", nullptr);
}

std::string fromUtf8(std::string_view s) {
    bool ascii = true;
    for (char ch : s)
        if (static_cast<unsigned char>(ch) >= 0x80) ascii = false;
    if (ascii) return std::string(s);
    static Converter conv("CP932", "UTF-8");
    std::lock_guard<std::mutex> lock(convMutex());
    return conv.run(s, "?", nullptr);
}

bool representable(std::string_view s) {
    static Converter conv("CP932", "UTF-8");
    std::lock_guard<std::mutex> lock(convMutex());
    bool ok = true;
    conv.run(s, "?", &ok);
    return ok;
}

std::string asciiLower(std::string_view s) {
    std::string out(s);
    for (std::size_t i = 0; i < out.size(); i += charLen(out, i))
        if (out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
    return out;
}

bool equalsIgnoreAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && asciiLower(a) == asciiLower(b);
}

} // namespace sjis

const std::string& J(const char* utf8Literal) {
    // Each thread remembers what it has looked up, so that texts used in loops (a course
    // check composes titles for every unit) take no lock after their first use.
    thread_local std::unordered_map<const char*, const std::string*> seen;
    auto known = seen.find(utf8Literal);
    if (known != seen.end()) return *known->second;
    static std::mutex m;
    static std::unordered_map<const char*, std::string> cache; // lives as long as the program
    std::lock_guard<std::mutex> lock(m);
    auto it = cache.find(utf8Literal);
    if (it == cache.end()) it = cache.emplace(utf8Literal, sjis::fromUtf8(utf8Literal)).first;
    seen.emplace(utf8Literal, &it->second);
    return it->second;
}
