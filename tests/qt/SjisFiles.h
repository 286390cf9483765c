#pragma once
// Course files written for a test as the program finds them: Shift-JIS lines ending in CR LF.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <string>
#include <vector>

#include "text/Sjis.h"

// Writes UTF-8 lines as a Shift-JIS file with CR LF, making its folder.
inline void put(const QString& path, const std::vector<std::string>& lines) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    std::string bytes;
    for (const auto& l : lines)
        bytes += sjis::fromUtf8(l) + "\r\n";
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}
