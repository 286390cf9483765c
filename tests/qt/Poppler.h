#pragma once
// The poppler tools (pdftotext, pdfinfo, pdftoppm) that tests read PDF files with.

#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <optional>

// Output of a poppler tool, or nullopt when it is not installed; an empty text when it
// failed.
inline std::optional<QString> poppler(const QString& tool, const QStringList& args) {
    if (QStandardPaths::findExecutable(tool).isEmpty()) return std::nullopt;
    QProcess p;
    p.start(tool, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}
