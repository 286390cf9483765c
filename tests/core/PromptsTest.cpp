#include <gtest/gtest.h>

#include "CourseFixture.h"
#include "shell/Prompts.h"

TEST(Prompts, FileAndFolderTestsSayWhatIsMissing) {
    CourseFixture f;
    f.put("Main.ind", "t\n");
    EXPECT_TRUE(FileExistsOrSay(f.p, "C:\\course\\Main.ind"));
    EXPECT_TRUE(DirectoryExistsOrSay(f.p, "C:\\course\\"));
    EXPECT_TRUE(f.messages().empty());
    EXPECT_FALSE(FileExistsOrSay(f.p, "C:\\course\\Title.BMP"));
    EXPECT_FALSE(DirectoryExistsOrSay(f.p, "C:\\course\\Eq9\\"));
    EXPECT_EQ(f.messages(),
              (std::vector<std::string>{"ファイル C:\\course\\Title.BMP が見つかりません",
                                        "ディレクトリ C:\\course\\Eq9\\ が見つかりません"}));
    f.fp.prompter.answers = {answer::No, answer::Cancel};
    EXPECT_EQ(AskYesNo(f.p, "q"), answer::No);
    EXPECT_EQ(AskYesNoCancel(f.p, "q"), answer::Cancel);
}
