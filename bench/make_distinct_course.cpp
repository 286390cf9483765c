// A course of distinct questions for timing the answer-key check: every unit is a unit of
// the bundled course with new numbers ("類題を作る", a seed of its own per unit), so that no
// two units share their questions and no result of one unit serves another.
//   make_distinct_course OUT_DIR [UNITS]      (default 10000 units)
// Sections of 80 units, lessons of up to 80 sections, graphs in the master folder, as
// synthetic_course.py lays its course out. Writes go through the file service.

#include <QDir>
#include <QDirIterator>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "keys/SimilarQuestions.h"
#include "qt/QtFiles.h"
#include "text/Lines.h"

namespace {

constexpr int UnitsPerSection = 80;
constexpr int SectionsPerLesson = 80;

// The body lines of every unit block of the bundled course (between "[[unitN" and "]]").
std::vector<Lines> bundledBodies(QtFiles& files, const std::string& course) {
    std::vector<Lines> out;
    QStringList names;
    for (const QString& lesson : QDir(QtFiles::toNative(course)).entryList(QDir::Dirs))
        for (const QString& que : QDir(QtFiles::toNative(course) + "/" + lesson)
                                      .entryList({"*.que"}, QDir::Files, QDir::Name))
            names << lesson + "\\" + que;
    names.sort();
    for (const QString& name : names) {
        std::string bytes;
        if (files.read(course + name.toStdString(), bytes) != ReadStatus::Ok) continue;
        const Lines lines = lines::split(bytes);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].rfind("[[unit", 0) != 0) continue;
            Lines body;
            for (++i; i < lines.size() && lines[i] != "]]"; ++i)
                body.push_back(lines[i]);
            out.push_back(std::move(body));
        }
    }
    return out;
}

// body with its "<<ques" block made anew from seed.
std::string similarBody(const Lines& body, std::uint64_t seed) {
    std::string out;
    for (std::size_t i = 0; i < body.size(); ++i) {
        out += body[i] + "\r\n";
        if (body[i] != "<<ques") continue;
        Lines ques;
        for (++i; i < body.size() && body[i] != ">>"; ++i)
            ques.push_back(body[i]);
        const LineViews views = lines::views(ques);
        for (const std::string& line : MakeSimilarUnit(views, seed).ques)
            out += line + "\r\n";
        if (i < body.size()) out += body[i] + "\r\n";
    }
    return out;
}

bool put(QtFiles& files, const std::string& path, const std::string& bytes) {
    if (files.write(path, bytes)) return true;
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_distinct_course OUT_DIR [UNITS]\n");
        return 2;
    }
    const int units = argc > 2 ? std::atoi(argv[2]) : 10000;
    QtFiles files;
    const std::string source = *QtFiles::toCorePath(VELMIX_SOURCE_DIR "/course") + "\\";
    const std::vector<Lines> bodies = bundledBodies(files, source);
    const QString outDir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(outDir);
    const std::string out = *QtFiles::toCorePath(outDir) + "\\";
    if (bodies.empty() || units < 1) return 2;
    // The pictures of the bundled course's questions, and what the start needs.
    for (const char* name : {"Title.BMP", "classFlag.bmp", "hosoku.htm"}) {
        std::string bytes;
        if (files.read(source + name, bytes) == ReadStatus::Ok) put(files, out + name, bytes);
    }
    files.makeDir(out + "Graph");
    QDirIterator graphs(QtFiles::toNative(source + "Fn1\\Graph"), QDir::Files);
    while (graphs.hasNext()) {
        const QString name = QFileInfo(graphs.next()).fileName();
        std::string bytes;
        if (files.read(source + "Fn1\\Graph\\" + name.toStdString(), bytes) == ReadStatus::Ok)
            put(files, out + "Graph\\" + name.toStdString(), bytes);
    }

    const int sections = (units + UnitsPerSection - 1) / UnitsPerSection;
    const int lessons = (sections + SectionsPerLesson - 1) / SectionsPerLesson;
    std::string mainInd = "DistinctCourse\r\nKeys\r\n";
    int made = 0;
    for (int l = 1; l <= lessons; ++l) {
        const std::string folder = "L" + std::to_string(l);
        const std::string base = "les" + std::to_string(l);
        files.makeDir(out + folder);
        std::string index = "Lesson" + std::to_string(l) + "\r\n";
        for (int s = 1; s <= SectionsPerLesson && made < units; ++s) {
            index +=
                "[[sect" + std::to_string(s) + "\r\nSection" + std::to_string(s) + "\r\n<<\r\n";
            std::string que;
            for (int u = 1; u <= UnitsPerSection && made < units; ++u, ++made) {
                index += "(" + std::to_string(u) + ") Unit\r\n";
                const Lines& body = bodies[static_cast<std::size_t>(made) % bodies.size()];
                que += "[[unit" + std::to_string(u) + "\r\n" +
                       similarBody(body, static_cast<std::uint64_t>(made) + 1) + "]]\r\n";
            }
            index += ">>\r\n]]\r\n";
            if (!put(files, out + folder + "\\" + base + std::to_string(s) + ".que", que)) return 1;
        }
        if (!put(files, out + folder + "\\" + base + ".ind", index)) return 1;
        mainInd += "Lesson" + std::to_string(l) + "," + folder + "\\ " + base + "\r\n";
    }
    mainInd += ">>\r\n";
    if (!put(files, out + "Main.ind", mainInd)) return 1;
    std::printf("%s: %d units in %d sections\n", argv[1], made, sections);
    return 0;
}
