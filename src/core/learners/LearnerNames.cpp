#include "learners/LearnerNames.h"

#include <array>

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

} // namespace

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
