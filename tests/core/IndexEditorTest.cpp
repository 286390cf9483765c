// The index editor on a small course: sections and units added and renamed in the lesson
// index file, the template for a lesson without one, and files it must not overwrite.
#include "authoring/IndexEditor.h"
#include "MenuFixture.h"

namespace {

const std::string Eq1Index = "C:\\course\\Eq1\\eq1.ind";

class IndexEdit : public MenuFixture {
  protected:
    IndexEditorState s;

    Report open(int lesson) { return OpenIndexEditor(fp.files, s, Master, lesson); }
    std::vector<std::string> written(const std::string& path = Eq1Index) const {
        return U(lines::split(fp.files.get(path)));
    }
    std::vector<std::string> sectionTexts() const {
        std::vector<std::string> out;
        for (const SectionBlock& b : IndexSections(s))
            out.push_back(U(b.name));
        return out;
    }
};

TEST_F(IndexEdit, EditsAreWrittenByOkAndFoundByTheCourseReader) {
    ASSERT_TRUE(open(1));
    EXPECT_EQ(U(s.title), "方程式の問題");
    EXPECT_EQ(s.section, 0);
    EXPECT_EQ(s.unit, 0);
    EXPECT_EQ(U(SectionDataFile(fp.files, s)), "C:\\course\\Eq1\\eq11.que");

    ASSERT_TRUE(AddIndexSection(s, S("関数")));
    EXPECT_EQ(s.section, 2);
    EXPECT_EQ(U(SectionDataFile(fp.files, s)), "未作成");
    ASSERT_TRUE(AddIndexUnit(s, S("(1) 比例")));
    ASSERT_TRUE(AddIndexUnit(s, S("(2) 反比例")));
    EXPECT_EQ(s.unit, 2);
    ChooseIndexSection(s, 0);
    s.unit = 1;
    ASSERT_TRUE(RenameIndexUnit(s, S("(2) かっこをはずす")));
    ASSERT_TRUE(RenameIndexSection(s, S("一次方程式")));
    SetIndexTitle(s, S("方程式と関数"));
    ASSERT_TRUE(SaveLessonIndex(fp.files, fp.prompter, s));
    EXPECT_TRUE(s.written);
    EXPECT_FALSE(s.modified);
    EXPECT_EQ(
        written(),
        (std::vector<std::string>{
            "方程式と関数", "[[sect1",  "一次方程式", "<<",      "(1) 移項", "(2) かっこをはずす",
            "(3) 小数",     ">>",       "]]",         "[[sect2", "文章題",   "<<",
            "(1) 代金",     ">>",       "]]",         "[[sect3", "関数",     "<<",
            "SubMenu New3", "(1) 比例", "(2) 反比例", ">>",      "]]"}));

    // The unit menu's reader finds the new section and its units.
    ASSERT_TRUE(loadLesson(1));
    EXPECT_EQ(p.course.sectionUnitCount[1], 3);
    EXPECT_EQ(p.course.sectionUnitCount[3], 3);
    EXPECT_TRUE(messages().empty());
}

TEST_F(IndexEdit, RefusedEditsChangeNothing) {
    ASSERT_TRUE(open(1));
    const Lines before = s.lines;
    const struct {
        const char* what;
        std::function<Report()> edit;
        const char* said;
    } cases[] = {
        {"a section that would open a block", [this] { return AddIndexSection(s, "[[sect9"); },
         "「[[sect9」は目次の区切りと読まれるため使えません"},
        {"a unit that would end the list", [this] { return AddIndexUnit(s, ">>"); },
         "「>>」は目次の区切りと読まれるため使えません"},
        {"a unit renamed to a block start", [this] { return RenameIndexUnit(s, "<<"); },
         "「<<」は目次の区切りと読まれるため使えません"},
        {"a rename without a unit",
         [this] {
             s.unit = -1;
             return RenameIndexUnit(s, S("x"));
         },
         "変更する項目をクリックしてください"},
        {"a rename without a section",
         [this] {
             s.section = -1;
             return RenameIndexSection(s, S("x"));
         },
         "変更する項目をクリックしてください"},
    };
    for (const auto& c : cases) {
        const Report r = c.edit();
        EXPECT_FALSE(r) << c.what;
        EXPECT_EQ(U(r.message), c.said) << c.what;
        EXPECT_EQ(s.lines, before) << c.what;
        EXPECT_FALSE(s.modified) << c.what;
    }
    // Nothing changed: OK (with a section and unit chosen) writes nothing.
    ChooseIndexSection(s, 0);
    const std::string bytes = fp.files.get(Eq1Index);
    EXPECT_TRUE(SaveLessonIndex(fp.files, fp.prompter, s));
    EXPECT_FALSE(s.written);
    EXPECT_EQ(fp.files.get(Eq1Index), bytes);
}

TEST_F(IndexEdit, APasteWithLineBreaksNeverReachesTheFile) {
    // "(3) 新単元" with a made-up section after it, as pasted from another text.
    const std::string pasted = S("(3) 新単元") + "\r\n>>\r\n]]\r\n[[sect9\r\n" + S("偽");
    const std::string said = "改行を含む項目は使えません。１行で書いてください";
    const std::string bytes = fp.files.get(Eq1Index);
    const struct {
        const char* what;
        std::function<Report()> edit;
    } cases[] = {
        {"追加 of a section", [&] { return AddIndexSection(s, pasted); }},
        {"変更 of a section", [&] { return RenameIndexSection(s, pasted); }},
        {"追加 of a unit", [&] { return AddIndexUnit(s, pasted); }},
        {"変更 of a unit", [&] { return RenameIndexUnit(s, pasted); }},
        {"a lone LF", [&] { return AddIndexUnit(s, S("(3) 新") + "\n>>"); }},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(open(1));
        const Lines before = s.lines;
        const Report r = c.edit();
        EXPECT_FALSE(r) << c.what;
        EXPECT_EQ(U(r.message), said) << c.what;
        EXPECT_EQ(s.lines, before) << c.what;
        EXPECT_FALSE(s.modified) << c.what;
    }
    // The title: OK and the question on leaving the lesson both refuse to write it.
    for (int way = 0; way < 2; ++way) {
        ASSERT_TRUE(open(1));
        fp.prompter.messages.clear();
        SetIndexTitle(s, pasted);
        fp.prompter.answers = {answer::Yes};
        EXPECT_FALSE(way == 0 ? SaveLessonIndex(fp.files, fp.prompter, s)
                              : MayLeaveIndexLesson(fp.files, fp.prompter, s));
        EXPECT_EQ(messages().back(), "タイトル：" + said) << way;
        EXPECT_EQ(fp.files.get(Eq1Index), bytes) << way;
        EXPECT_FALSE(s.written) << way;
    }
}

TEST_F(IndexEdit, ATitleTheFileWouldChangeIsNotWritten) {
    ASSERT_TRUE(open(1));
    const std::string bytes = fp.files.get(Eq1Index);
    // The window names the character it found in the typed title; "−" reads as "－".
    SetIndexTitle(s, S("正の数－負の数"), S("文字 U+2212 は保存すると「－」(U+FF0D) に変わります"));
    EXPECT_FALSE(SaveLessonIndex(fp.files, fp.prompter, s));
    EXPECT_EQ(messages().back(), "タイトル：文字 U+2212 は保存すると「－」(U+FF0D) に変わります");
    EXPECT_EQ(fp.files.get(Eq1Index), bytes);
    // Typed again without it, the title is saved.
    SetIndexTitle(s, S("正の数－負の数"));
    EXPECT_TRUE(SaveLessonIndex(fp.files, fp.prompter, s));
    EXPECT_EQ(written().front(), "正の数－負の数");
}

TEST_F(IndexEdit, ATitleChangedAloneIsSavedOrAskedAbout) {
    const struct {
        int answer;
        bool leaves;
        const char* title; // on disk afterwards
    } cases[] = {
        {answer::Yes, true, "新しい題"},
        {answer::No, true, "方程式の問題"},
        {answer::Cancel, false, "方程式の問題"},
    };
    for (const auto& c : cases) {
        putLines("Eq1\\eq1.ind",
                 {"方程式の問題", "[[sect1", "１次方程式", "<<", "(1) 移項", ">>", "]]"});
        fp.prompter.messages.clear();
        ASSERT_TRUE(open(1));
        SetIndexTitle(s, S("新しい題"));
        EXPECT_TRUE(s.modified);
        fp.prompter.answers = {c.answer};
        EXPECT_EQ(MayLeaveIndexLesson(fp.files, fp.prompter, s), c.leaves) << c.answer;
        EXPECT_EQ(messages(), std::vector<std::string>{"変更された目次を保存しますか？"});
        EXPECT_EQ(written().front(), c.title) << c.answer;
    }
}

TEST_F(IndexEdit, AMissingFileGetsTheTemplateAnUnreadableOneIsRefused) {
    fp.files.remove(Eq1Index);
    ASSERT_TRUE(open(1));
    EXPECT_EQ(U(s.title), "ここにタイトルをかいてください");
    EXPECT_EQ(sectionTexts(), std::vector<std::string>{"ここは主メニュー"});
    EXPECT_FALSE(fp.files.fileExists(Eq1Index)); // only OK after a change writes it
    ASSERT_TRUE(AddIndexUnit(s, S("(2) 新しい単元")));
    ASSERT_TRUE(SaveLessonIndex(fp.files, fp.prompter, s));
    EXPECT_EQ(written(), (std::vector<std::string>{"ここにタイトルをかいてください", "[[sect1",
                                                   "ここは主メニュー", "<<", "ここは副メニュー",
                                                   "(2) 新しい単元", ">>", "]]"}));

    // A file that exists but cannot be read: no lesson is loaded and OK writes nothing.
    const std::string bytes = fp.files.get(Eq1Index);
    fp.files.unreadable.insert(sjis::asciiLower(Eq1Index));
    const Report r = open(1);
    EXPECT_FALSE(r);
    EXPECT_EQ(U(r.message), "ファイル " + Eq1Index + " が読み込めません");
    EXPECT_EQ(s.lesson, 0);
    EXPECT_TRUE(s.lines.empty());
    EXPECT_FALSE(SaveLessonIndex(fp.files, fp.prompter, s));
    EXPECT_EQ(fp.files.get(Eq1Index), bytes);
}

TEST_F(IndexEdit, AFailedWriteKeepsTheFileAndTheEdits) {
    ASSERT_TRUE(open(1));
    const std::string bytes = fp.files.get(Eq1Index);
    ASSERT_TRUE(AddIndexSection(s, S("関数")));
    fp.files.failWrites = true;
    EXPECT_FALSE(SaveLessonIndex(fp.files, fp.prompter, s));
    EXPECT_EQ(fp.files.get(Eq1Index), bytes);
    EXPECT_TRUE(s.modified);
    EXPECT_EQ(sectionTexts().back(), "関数");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages().front().find("eq1.ind"), std::string::npos);
}

} // namespace
