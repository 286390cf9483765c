#include "practice/AnswerKeys.h"

#include <algorithm>

#include "practice/AcceptedAnswers.h"
#include "text/Sjis.h"

void PadDigit(FractionPad& pad, char digit) {
    if (digit < '0' || digit > '9') return;
    (pad.denominatorFirst ? pad.denominator : pad.numerator).push_back(digit);
}

void PadBunno(FractionPad& pad) {
    pad.barMarked = true;
    pad.denominatorFirst = false;
}

void PadSign(FractionPad& pad, char sign) {
    if (sign == '+' || sign == '-') pad.sign.assign(1, sign);
}

void PadClear(FractionPad& pad) {
    pad = FractionPad{};
}

std::string PadInsert(FractionPad& pad, std::string_view fieldText) {
    std::string text(fieldText);
    if (!pad.pending()) return text;
    text += pad.sign + pad.numerator + "/" + pad.denominator;
    PadClear(pad);
    return text;
}

PadNext PadNextKey(FractionPad& pad, std::string_view fieldText) {
    PadNext next;
    next.text = PadInsert(pad, fieldText);
    PadClear(pad);
    next.enter = !next.text.empty();
    return next;
}

std::string IntegerKey(std::string_view fieldText, std::string_view caption) {
    std::string text(fieldText);
    if (caption == "x=" || caption == "y=" || caption == "a=") return std::string(caption);
    const bool appends = caption.size() == 1 && ((caption[0] >= '0' && caption[0] <= '9') ||
                                                 caption[0] == '.' || caption[0] == '-');
    if (appends) text += caption;
    return text;
}

std::string SoftKeyPress(std::string_view fieldText, bool hasSelection, std::string_view caption) {
    std::string text = hasSelection ? std::string() : std::string(fieldText);
    text += caption;
    return text;
}

std::string BackSpace(std::string_view fieldText) {
    std::size_t last = 0;
    for (std::size_t i = 0; i < fieldText.size(); i += sjis::charLen(fieldText, i))
        last = i;
    return std::string(fieldText.substr(0, last));
}

namespace {

bool isBlankChar(std::string_view c) {
    return (c.size() == 1 && static_cast<unsigned char>(c[0]) <= ' ') || c == "\x7F" ||
           c == "\x81\x40";
}

} // namespace

Lines SoftKeyCaptions(const Lines& softkeyLines, const PickIndex& pick) {
    Lines keys;
    for (const std::string& line : softkeyLines) {
        for (std::size_t i = 0; i < line.size() && keys.size() < SoftKeyCount;) {
            const std::size_t n = sjis::charLen(line, i);
            const std::string_view c = std::string_view(line).substr(i, n);
            i += n;
            // A lead byte without its second half is no character.
            if (n == 1 && sjis::isLead(c[0])) continue;
            if (!isBlankChar(c)) keys.emplace_back(c);
        }
    }
    if (pick) ShuffleItems(keys, pick);
    keys.resize(SoftKeyCount);
    return keys;
}

Lines AnswerChoices(const Lines& kgroupLines, const PickIndex& pick) {
    Lines items;
    for (const std::string& line : kgroupLines) {
        std::string item = CleanTypedAnswer(line);
        if (NormalizeAnswer(item).empty()) continue;
        if (std::find(items.begin(), items.end(), item) == items.end())
            items.push_back(std::move(item));
    }
    if (pick) ShuffleItems(items, pick);
    return items;
}
