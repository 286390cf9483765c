#include "shell/SaveName.h"

#include <cstring>

#include "text/Sjis.h"
#include "text/TextCuts.h"
#include "worksheet/Worksheet.h"

namespace {

bool endsInPrp(const std::string& path) {
    return path.size() > 4 &&
           sjis::asciiLower(std::string_view(path).substr(path.size() - 4)) == ".prp";
}

// Single-byte characters that a file name cannot hold are made "_"; the second byte of a
// double-byte character is left alone ("表" ends in the byte of "\").
std::string fileNameSafe(const std::string& text) {
    std::string out = text;
    for (std::size_t i = 0; i < out.size(); i += sjis::charLen(out, i)) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (sjis::charLen(out, i) == 1 && (c < 0x20 || c == 0x7F || std::strchr("\\/:*?\"<>|", c)))
            out[i] = '_';
    }
    return out;
}

} // namespace

std::string ProposedSaveName(const Worksheet& sheet) {
    if (endsInPrp(sheet.windowKey)) return AfterLastChar('\\', sheet.windowKey);
    std::string name = TrimWide(sheet.unitName);
    if (name.empty()) name = TrimWide(sheet.strTangen);
    if (name.empty()) return {};
    if (sheet.unitRef.Ruidai > 0) name += J(" 類題") + std::to_string(sheet.unitRef.Ruidai);
    return fileNameSafe(name) + ".prp";
}
