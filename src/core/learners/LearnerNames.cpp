#include "learners/LearnerNames.h"

#include <array>
#include <string_view>

#include "text/Sjis.h"
#include "text/TextCuts.h"

namespace {

std::string refused(const char* whyUtf8) {
    return J("この名前は使えません。\r\n") + J(whyUtf8);
}

// CON, PRN, AUX, NUL, COM1..COM9 and LPT1..LPT9 name devices on the systems the course
// folders are shared with, with or without an extension.
bool isDeviceName(const std::string& name) {
    std::string stem = sjis::asciiLower(name.substr(0, sjis::find(name, '.')));
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    static const std::array<const char*, 4> plain = {"con", "prn", "aux", "nul"};
    for (const char* d : plain)
        if (stem == d) return true;
    return stem.size() == 4 && (stem.starts_with("com") || stem.starts_with("lpt")) &&
           stem[3] >= '1' && stem[3] <= '9';
}

// The code points of UTF-8 text (well formed, as the Shift-JIS converter makes it).
std::u32string codePoints(const std::string& utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const std::size_t len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        char32_t c = len == 1 ? b : b & (0x7F >> len);
        for (std::size_t k = 1; k < len && i + k < utf8.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        out.push_back(c);
        i += len;
    }
    return out;
}

// Half-width katakana U+FF61..U+FF9F as their full-width forms.
constexpr char32_t HalfKana[] =
    U"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
    U"ハヒフヘホマミムメモヤユヨラリルレロワン゛゜";

bool takesVoicing(char32_t c) {
    return std::u32string_view(U"カキクケコサシスセソタチツテトハヒフヘホウ").find(c) !=
           std::u32string_view::npos;
}

char32_t folded(char32_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFF01 - 0x21; // full-width ASCII
    if (c == 0x3000) c = U' ';
    if (c >= U'A' && c <= U'Z') return c + 0x20;
    if (c >= 0x391 && c <= 0x3A9) return c + 0x20;   // Greek
    if (c >= 0x410 && c <= 0x42F) return c + 0x20;   // Cyrillic
    if (c == 0x401) return 0x451;                    // Ё
    return c;
}

} // namespace

std::u32string LearnerNameKey(const std::string& name) {
    std::u32string key;
    for (char32_t c : codePoints(sjis::toUtf8(name))) {
        if (c >= 0xFF61 && c <= 0xFF9F) {
            const char32_t full = HalfKana[c - 0xFF61];
            // A voicing mark joins the kana before it, as its full-width letter does.
            if (!key.empty() && full == U'゛' && takesVoicing(key.back())) {
                key.back() = key.back() == U'ウ' ? U'ヴ' : key.back() + 1;
                continue;
            }
            if (!key.empty() && full == U'゜' && key.back() >= U'ハ' && key.back() <= U'ホ' &&
                (key.back() - U'ハ') % 3 == 0) {
                key.back() += 2;
                continue;
            }
            key.push_back(full);
            continue;
        }
        key.push_back(folded(c));
    }
    return key;
}

std::string NameLike(const std::vector<std::string>& names, const std::string& name) {
    const std::u32string key = LearnerNameKey(name);
    for (const std::string& other : names)
        if (other != name && LearnerNameKey(other) == key) return other;
    return {};
}

std::string NameLikeProblem(const std::string& like) {
    return refused("名簿の「") + like +
           J("」と、大文字・小文字や全角・半角だけが違います。\r\n"
             "自分の名前なら、名簿から選んでください。");
}

const std::string& SharedLearner() {
    return J("共通");
}

const std::string& PublicLearner() {
    return J("公開");
}

std::string TidyLearnerName(const std::string& name) {
    // Half-width, full-width and control characters may alternate at the ends.
    std::string tidy = name;
    for (std::string cut = TrimWide(tidy); cut != tidy; cut = TrimWide(tidy))
        tidy = cut;
    return tidy;
}

std::string LearnerNameProblem(const TypedText& name) {
    if (!name.exact) return refused("シフトJISで書けない文字が含まれています。");
    return LearnerNameProblem(name.text);
}

std::string LearnerNameProblem(const std::string& typed) {
    const std::string name = TidyLearnerName(typed);
    if (name.empty()) return refused("名前が空です。");
    // Bytes that are no Shift-JIS character come out as U+FFFD.
    if (!sjis::wellFormed(name) || sjis::toUtf8(name).find("\xEF\xBF\xBD") != std::string::npos)
        return refused("シフトJISで書けない文字が含まれています。");
    for (std::size_t i = 0; i < name.size(); i += sjis::charLen(name, i)) {
        if (sjis::charLen(name, i) == 2) continue;
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c < 0x20 || c == 0x7F) return refused("制御文字が含まれています。");
        if (c == '\\' || c == '/') return refused("「＼」や「／」は名前に使えません。");
        if (std::string_view(":*?\"<>|").find(static_cast<char>(c)) != std::string_view::npos)
            return refused("ファイル名に使えない文字（: * ? \" < > |）が含まれています。");
    }
    if (name == "." || name == "..") return refused("「.」や「..」は名前にできません。");
    if (isDeviceName(name)) return refused("この名前はファイル名にできません。");
    if (name.size() > MaxLearnerNameBytes) return refused("名前が長すぎます（全角３２文字まで）。");
    return {};
}

std::string UsableLogOnName(const std::string& stored) {
    if (!LearnerNameProblem(stored).empty()) return SharedLearner();
    return TidyLearnerName(stored);
}
