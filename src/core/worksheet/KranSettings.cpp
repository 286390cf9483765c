#include "worksheet/KranSettings.h"

#include "formats/LayoutBounds.h"
#include "text/TextCuts.h"

namespace {

const std::string& lineOf(const Lines& lines, KranLine line) {
    static const std::string none;
    const auto n = static_cast<std::size_t>(line);
    return n < lines.size() ? lines[n] : none;
}

int distance(const Lines& lines, KranLine line) {
    return BoundedNumber(lineOf(lines, line), 0, layoutbounds::KranSetting);
}

} // namespace

KranSettings ReadKranSettings(const Lines& lines) {
    KranSettings k;
    k.kind = BoxKindOfLine(lineOf(lines, KranLine::Kind));
    k.width = distance(lines, KranLine::Width);
    k.height = distance(lines, KranLine::Height);
    k.columns = DecimalOr(lineOf(lines, KranLine::Columns), 0);
    k.twoColumns = lineOf(lines, KranLine::Columns) == "2";
    k.answerX = distance(lines, KranLine::AnswerX);
    k.answerY = distance(lines, KranLine::AnswerY);
    k.offsetX = distance(lines, KranLine::OffsetX);
    k.offsetY = distance(lines, KranLine::OffsetY);
    k.secondarySpacing = distance(lines, KranLine::SecondarySpacing);
    return k;
}

int KranLineNumber(const Lines& lines, std::size_t line) {
    if (line >= lines.size()) return 0;
    const auto which = static_cast<KranLine>(line);
    if (which == KranLine::Kind || which == KranLine::Columns || which == KranLine::Reserved)
        return DecimalOr(lines[line], 0);
    return distance(lines, which);
}

std::string KranLineText(int value) {
    return std::to_string(value);
}
