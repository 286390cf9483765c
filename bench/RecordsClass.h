#pragma once
// A class of learners on real files for the records benchmarks: results lines, learner files
// of many records spread over a lesson's units, a course whose lessons list those units, and
// where the velmix program stands beside the benchmark.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <string>
#include <unistd.h>

#include "practice/ResultsLine.h"
#include "qt/QtFiles.h"
#include "text/Sjis.h"

namespace recordsclass {

// A results line of run i.
inline std::string line(int i) {
    const RunResult run{RunKind::Practice,        i % 11, 10,
                        ComputeScore(i % 11, 10), "1121", 60 + i % 600};
    return ResultsLine(run, {2005 + i % 20, 1 + i % 12, 1 + i % 28, i % 24, i % 60, 0}, i % 3);
}

// The unit line of unit u (from 1) of block b.
inline std::string unitLine(int b, int u) {
    return J("(") + std::to_string(u) + J(") 単元") + std::to_string(b) + "-" + std::to_string(u);
}

inline void writeFile(const QString& path, const std::string& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// A learner file of `records` records spread over the units of `blocks` × `units`.
inline std::string learnerFile(int blocks, int units, int records) {
    std::string out = "[password]\r\npw=?\r\n";
    const int sections = blocks * units;
    for (int s = 0; s < sections; ++s) {
        const int b = s / units + 1, u = s % units + 1;
        out += "[S" + std::to_string(b) + std::to_string(u) + unitLine(b, u) + "]\r\n";
        int key = 1;
        for (int r = s; r < records; r += sections)
            out += std::to_string(key++) + "=" + line(r) + "\r\n";
    }
    return out;
}

// A course of `lessons` lessons of `blocks` × `units` units each.
inline std::string makeCourse(const QString& dir, int lessons, int blocks, int units) {
    std::string main = J("記録のコース\r\n中学\r\n");
    for (int l = 1; l <= lessons; ++l) {
        const std::string folder = "L" + std::to_string(l);
        main += J("課") + std::to_string(l) + "," + folder + "\\ l" + std::to_string(l) + "\r\n";
        std::string index = J("課\r\n");
        for (int b = 1; b <= blocks; ++b) {
            index += "[[sect" + std::to_string(b) + "\r\n" + J("ブロック") + std::to_string(b) +
                     "\r\n<<\r\n";
            for (int u = 1; u <= units; ++u)
                index += unitLine(b, u) + "\r\n";
            index += ">>\r\n]]\r\n";
        }
        writeFile(dir + "/" + QString::fromStdString(folder + "/l" + std::to_string(l) + ".ind"),
                  index);
    }
    writeFile(dir + "/Main.ind", main + ">>\r\n");
    return QtFiles::toCorePath(dir).value() + "\\";
}

// The velmix program of the build the benchmark belongs to.
inline std::string velmixProgram() {
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    const std::string exe(self, n > 0 ? static_cast<std::size_t>(n) : 0);
    return exe.substr(0, exe.rfind('/')) + "/../velmix";
}

} // namespace recordsclass
