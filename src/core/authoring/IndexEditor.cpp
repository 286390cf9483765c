#include "authoring/IndexEditor.h"

#include "authoring/EditorText.h"
#include "formats/CourseNames.h"
#include "text/CorePath.h"
#include "text/FileMessages.h"
#include "text/Sjis.h"

namespace {

const SectionBlock* chosenSection(const std::vector<SectionBlock>& sections,
                                  const IndexEditorState& s) {
    if (s.section < 0 || static_cast<std::size_t>(s.section) >= sections.size()) return nullptr;
    return &sections[static_cast<std::size_t>(s.section)];
}

bool writeLines(Files& files, Prompter& prompter, IndexEditorState& s, const Lines& lines) {
    if (WriteResult written = files.write(s.indexPath, lines::join(lines)); !written) {
        prompter.message(WriteFailureText(s.indexPath, written));
        return false;
    }
    s.written = true;
    s.modified = false;
    return true;
}

// Why the title cannot be written, "" when it can.
std::string titleProblem(const IndexEditorState& s) {
    if (!s.titleProblem.empty()) return J("タイトル：") + s.titleProblem;
    if (std::string problem = IndexTextProblem(s.title); !problem.empty())
        return J("タイトル：") + problem;
    return {};
}

} // namespace

Lines NewLessonIndexLines() {
    return {J("ここにタイトルをかいてください"),
            "[[sect1",
            J("ここは主メニュー"),
            "<<",
            J("ここは副メニュー"),
            ">>",
            "]]"};
}

Lines EditedIndexLines(const IndexEditorState& s) {
    Lines out = s.lines;
    if (out.empty())
        out.push_back(s.title);
    else
        out.front() = s.title;
    return out;
}

Report OpenIndexEditor(Files& files, IndexEditorState& s, const std::string& masterFolder,
                       int lesson) {
    s = IndexEditorState{};
    s.lessons.masterFolder = masterFolder;
    Report read = LoadLessonList(files, s.lessons);
    if (s.lessons.lessonNames.empty()) return read.ok ? Report::failed({}) : read;
    const int count = static_cast<int>(s.lessons.lessonNames.size());
    return ChooseIndexLesson(files, s, lesson >= 1 && lesson <= count ? lesson : 1);
}

Report ChooseIndexLesson(Files& files, IndexEditorState& s, int lesson) {
    s.lesson = 0;
    s.lines.clear();
    s.title.clear();
    s.titleProblem.clear();
    s.section = s.unit = -1;
    s.modified = false;
    const CourseTables& c = s.lessons;
    if (!LessonInside(c, lesson))
        return Report::failed(
            OutsideCourseText(LessonFolderPath(c, lesson) + c.lessonBase[lesson]));
    const std::string folder = LessonFolderPath(c, lesson);
    s.lessonPath = folder + c.lessonBase[lesson];
    s.indexPath = s.lessonPath + ".ind";
    if (!files.dirExists(folder)) return Report::failed(DirectoryMissingText(folder));
    Lines lines;
    switch (LoadStatus status = LoadLines(files, s.indexPath, lines)) {
    case LoadStatus::Ok:
        break;
    case LoadStatus::Missing:
        lines = NewLessonIndexLines();
        break;
    default:
        return Report::failed(LoadFailureText(s.indexPath, status));
    }
    s.lesson = lesson;
    s.lines = std::move(lines);
    if (!s.lines.empty()) s.title = s.lines.front();
    ChooseIndexSection(s, 0);
    return {};
}

bool MayLeaveIndexLesson(Files& files, Prompter& prompter, IndexEditorState& s) {
    if (!s.modified || s.lesson == 0) return true;
    switch (prompter.askYesNoCancel(J("変更された目次を保存しますか？"))) {
    case answer::Yes:
        if (std::string problem = titleProblem(s); !problem.empty()) {
            prompter.message(problem);
            return false;
        }
        return writeLines(files, prompter, s, EditedIndexLines(s));
    case answer::No:
        s.modified = false;
        return true;
    default:
        return false;
    }
}

std::vector<SectionBlock> IndexSections(const IndexEditorState& s) {
    return ParseLessonIndex(s.lines);
}

std::string SectionDataFile(Files& files, const IndexEditorState& s) {
    if (s.lesson == 0 || s.section < 0) return {};
    const std::string path = s.lessonPath + std::to_string(s.section + 1) + ".que";
    return files.fileExists(path) ? path : J("未作成");
}

void ChooseIndexSection(IndexEditorState& s, int pos) {
    const std::vector<SectionBlock> sections = IndexSections(s);
    if (pos < 0 || static_cast<std::size_t>(pos) >= sections.size()) {
        s.section = s.unit = -1;
        return;
    }
    s.section = pos;
    s.unit = sections[static_cast<std::size_t>(pos)].units.empty() ? -1 : 0;
}

std::string IndexTextProblem(const std::string& text) {
    if (text.find_first_of("\r\n") != std::string::npos)
        return J("改行を含む項目は使えません。１行で書いてください");
    if (!IsKeywordLine(text)) return {};
    return J("「") + text + J("」は目次の区切りと読まれるため使えません");
}

Report AddIndexSection(IndexEditorState& s, const std::string& text) {
    if (s.lesson == 0 || text.empty()) return {};
    if (std::string problem = IndexTextProblem(text); !problem.empty())
        return Report::failed(problem);
    const std::string n = std::to_string(IndexSections(s).size() + 1);
    for (const std::string& line : {"[[sect" + n, text, std::string("<<"), "SubMenu New" + n,
                                    std::string(">>"), std::string("]]")})
        s.lines.push_back(line);
    s.modified = true;
    ChooseIndexSection(s, static_cast<int>(IndexSections(s).size()) - 1);
    return {};
}

Report RenameIndexSection(IndexEditorState& s, const std::string& text) {
    const std::vector<SectionBlock> sections = IndexSections(s);
    const SectionBlock* section = chosenSection(sections, s);
    if (!section) return Report::failed(J("変更する項目をクリックしてください"));
    if (std::string problem = IndexTextProblem(text); !problem.empty())
        return Report::failed(problem);
    const auto at = static_cast<std::size_t>(section->headerLine) + 1;
    if (at < s.lines.size())
        s.lines[at] = text;
    else
        s.lines.push_back(text);
    s.modified = true;
    return {};
}

Report AddIndexUnit(IndexEditorState& s, const std::string& text) {
    if (text.empty()) return {};
    const std::vector<SectionBlock> sections = IndexSections(s);
    const SectionBlock* section = chosenSection(sections, s);
    if (!section) return Report::failed(J("編集する主メニューを選択してください"));
    if (std::string problem = IndexTextProblem(text); !problem.empty())
        return Report::failed(problem);
    const auto header = static_cast<std::size_t>(section->headerLine);
    while (s.lines.size() < header + 3)
        s.lines.push_back(s.lines.size() == header + 1 ? std::string() : std::string("<<"));
    const std::size_t at = header + 3 + section->units.size();
    s.lines.insert(s.lines.begin() + static_cast<std::ptrdiff_t>(std::min(at, s.lines.size())),
                   text);
    s.modified = true;
    s.unit = static_cast<int>(section->units.size());
    return {};
}

Report RenameIndexUnit(IndexEditorState& s, const std::string& text) {
    const std::vector<SectionBlock> sections = IndexSections(s);
    const SectionBlock* section = chosenSection(sections, s);
    if (!section || s.unit < 0 || static_cast<std::size_t>(s.unit) >= section->units.size())
        return Report::failed(J("変更する項目をクリックしてください"));
    if (text.empty()) return {};
    if (std::string problem = IndexTextProblem(text); !problem.empty())
        return Report::failed(problem);
    s.lines[static_cast<std::size_t>(section->unitLines[static_cast<std::size_t>(s.unit)])] = text;
    s.modified = true;
    return {};
}

void SetIndexTitle(IndexEditorState& s, const std::string& title, std::string problem) {
    s.titleProblem = std::move(problem);
    if (title == s.title) return;
    s.title = title;
    s.modified = true;
}

bool SaveLessonIndex(Files& files, Prompter& prompter, IndexEditorState& s) {
    if (s.lesson == 0 || s.section < 0) {
        prompter.message(J("編集する主メニューを選択してください"));
        return false;
    }
    if (s.unit < 0) {
        prompter.message(J("編集する副メニューを選択してください"));
        return false;
    }
    if (!s.modified) return true;
    if (std::string problem = titleProblem(s); !problem.empty()) {
        prompter.message(problem);
        return false;
    }
    if (!writeLines(files, prompter, s, EditedIndexLines(s))) return false;
    ChooseIndexLesson(files, s, s.lesson);
    return true;
}

bool WriteIndexSource(Files& files, Prompter& prompter, IndexEditorState& s, const Lines& lines) {
    if (s.lesson == 0) return false;
    if (!writeLines(files, prompter, s, lines)) return false;
    if (Report r = ChooseIndexLesson(files, s, s.lesson); !r) prompter.message(r.message);
    return true;
}
