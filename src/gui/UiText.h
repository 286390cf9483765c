#pragma once
// Shift-JIS core text to and from the QStrings of the widgets (CP932 mapping).

#include <QString>
#include <string>

#include "text/CorePath.h"
#include "text/Lines.h"
#include "text/Sjis.h"

inline QString qs(const std::string& sjisText) {
    return QString::fromStdString(sjis::toUtf8(sjisText));
}

// Text that may name files, as this system writes paths: the course's "\" between folders
// (never a trail byte) shown as "/".
inline QString qsShown(const std::string& sjisText) {
    return qs(corepath::withSlashes(sjisText));
}

inline std::string sj(const QString& text) {
    return sjis::fromUtf8(text.toStdString());
}

inline QStringList qsLines(const Lines& lines) {
    QStringList out;
    out.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& l : lines)
        out << qs(l);
    return out;
}

// The lines of a memo's text (a final empty line is not one).
inline Lines sjLines(const QString& text) {
    Lines out;
    if (text.isEmpty()) return out;
    const QStringList parts = text.split(QLatin1Char('\n'));
    for (const QString& l : parts)
        out.push_back(sj(l));
    if (!out.empty() && out.back().empty()) out.pop_back();
    return out;
}
