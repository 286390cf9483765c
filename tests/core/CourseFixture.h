#pragma once
// A program on fake platform services with its master folder at "C:\course\", and small
// builders for course files written in UTF-8 (stored as Shift-JIS with CR LF).

#include <string>
#include <vector>

#include "Fakes.h"
#include "Program.h"
#include "authoring/NewUnit.h"
#include "formats/CourseIndex.h"
#include "learners/LearnerFiles.h"
#include "text/Lines.h"
#include "text/Sjis.h"

inline std::string S(const std::string& utf8) {
    return sjis::fromUtf8(utf8);
}
inline std::string U(const std::string& sjisText) {
    return sjis::toUtf8(sjisText);
}
inline std::vector<std::string> U(const Lines& list) {
    std::vector<std::string> out;
    for (const auto& l : list)
        out.push_back(U(l));
    return out;
}

struct CourseFixture {
    static constexpr const char* Master = "C:\\course\\";
    FakePlatform fp;
    Program p{fp.platform};

    CourseFixture() {
        p.course.masterFolder = Master;
        p.session.learnerName = S("共通");
    }
    // A file below the master folder; text lines end in "\n" and are stored with CR LF.
    void put(const std::string& relUtf8, const std::string& textUtf8) {
        fp.files.putUtf8(Master + relUtf8, textUtf8);
    }
    void putLines(const std::string& relUtf8, const std::vector<std::string>& linesUtf8) {
        std::string text;
        for (const auto& l : linesUtf8)
            text += l + "\n";
        put(relUtf8, text);
    }
    std::vector<std::string> messages() const { return fp.prompter.utf8(); }

    // The course readers and the learner's file on the fixture's files and tables.
    Report loadList() { return LoadLessonList(fp.files, p.course); }
    Report loadLesson(int lesson) { return LoadLesson(fp.files, p.course, lesson); }
    std::string learnerFile(int lesson) {
        return LearnerFile(fp.files, p.course, p.session.learnerName, p.shell.logOnFolder, lesson);
    }
};

// The default blocks of a new unit (value, font, kran), as the question editor writes them.
inline std::vector<std::string> defaultBlocks() {
    return U(DefaultPageBlocks());
}

// A unit block: header, "<<ques" with the given lines, the default blocks, "]]".
inline std::vector<std::string> unitBlock(const std::string& header,
                                          const std::vector<std::string>& ques) {
    std::vector<std::string> out{header, "<<ques"};
    out.insert(out.end(), ques.begin(), ques.end());
    out.push_back(">>");
    for (const auto& l : defaultBlocks())
        out.push_back(l);
    out.push_back("]]");
    return out;
}

inline std::vector<std::string> concat(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}
