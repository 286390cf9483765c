#include "practice/ResultsLine.h"

#include <cstdio>

#include "text/DateTexts.h"
#include "text/Sjis.h"
#include "text/TextCuts.h"
#include "worksheet/Worksheet.h"

int ComputeScore(int correct, int total) {
    if (total < 1) return 0;
    const long long c = correct, t = total;
    return static_cast<int>((200 * c + t) / (2 * t));
}

std::string ElapsedText(int seconds) {
    if (seconds < 0) seconds = 0;
    return TwoDigits(seconds / 60) + ":" + TwoDigits(seconds % 60);
}

int RuidaiOf(const Worksheet& sheet) {
    return sheet.RuidaiSheet ? sheet.unitRef.Ruidai : 0;
}

std::string ResultsLine(const RunResult& result, const DateTime& when, int ruidai,
                        std::string_view version) {
    std::string line;
    if (ruidai > 0) line += J("類題") + std::to_string(ruidai) + ")";
    line += std::to_string(when.year) + J("年") + TwoDigits(when.month) + J("月") +
            TwoDigits(when.day) + J("日");
    line += " " + TimeText(when) + " [" + result.triesLog;
    if (!version.empty()) {
        if (!result.triesLog.empty()) line += ' ';
        line += version;
    }
    line += "] ";
    char counts[48];
    std::snprintf(counts, sizeof counts, "%2d/%2d %3d", result.correct, result.total, result.score);
    line += counts + J("点");
    line += " " + ElapsedText(result.elapsedSec);
    return line;
}

std::string RecordSection(const Worksheet& sheet, const std::string& unitSection) {
    if (sheet.masterFlag) return unitSection;
    if (!sheet.FromCopyFile && ExtensionOf(sheet.strFileName) != ".prp") return unitSection;
    return AfterLastChar('\\', sheet.strFileName);
}

int RecordLesson(const Worksheet& sheet) {
    return sheet.unitRef.Lesson < 1 ? 1 : sheet.unitRef.Lesson;
}
