// Rosters: loaded, made when missing, and saved by applying this dialog's adds and deletes
// to the file as it is now, under its lock.
#include <gtest/gtest.h>

#include "CourseFixture.h"
#include "learners/Roster.h"

namespace {

const std::string kRoster = "C:\\course\\LogOn\\sname.txt";

std::string lines(std::initializer_list<const char*> names) {
    std::string out;
    for (const char* n : names)
        out += S(n) + "\r\n";
    return out;
}

TEST(Roster, AMissingRosterIsMadeWithThePublicName) {
    MemoryFiles files;
    Roster r;
    ASSERT_TRUE(LoadRoster(files, r, kRoster));
    EXPECT_EQ(U(r.names), std::vector<std::string>{"公開"});
    EXPECT_EQ(files.get(kRoster), lines({"公開"}));
    EXPECT_EQ(RosterFileName(r), "sname.txt");
    EXPECT_TRUE(files.writtenUnlocked.empty());
}

TEST(Roster, SavingKeepsWhatOtherDialogsChangedMeanwhile) {
    MemoryFiles files;
    files.put(kRoster, lines({"公開", "taro", "jiro"}));
    Roster mine, theirs;
    ASSERT_TRUE(LoadRoster(files, mine, kRoster));
    ASSERT_TRUE(LoadRoster(files, theirs, kRoster));
    EXPECT_TRUE(AddToRoster(theirs, S("花子")));
    RemoveFromRoster(theirs, 1); // taro
    ASSERT_TRUE(SaveRoster(files, theirs, kRoster));

    EXPECT_FALSE(AddToRoster(mine, "jiro")); // listed already
    EXPECT_FALSE(AddToRoster(mine, ""));
    EXPECT_TRUE(AddToRoster(mine, "saburo"));
    EXPECT_TRUE(mine.changed);
    RemoveFromRoster(mine, 2); // jiro
    ASSERT_TRUE(SaveRoster(files, mine, kRoster));
    EXPECT_EQ(files.get(kRoster), lines({"公開", "花子", "saburo"}));
    EXPECT_EQ(U(mine.names), (std::vector<std::string>{"公開", "花子", "saburo"}));

    // Added and deleted again in one dialog: nothing changes for that name.
    Roster again;
    ASSERT_TRUE(LoadRoster(files, again, kRoster));
    AddToRoster(again, "shiro");
    RemoveFromRoster(again, 3);
    ASSERT_TRUE(SaveRoster(files, again, kRoster));
    EXPECT_EQ(files.get(kRoster), lines({"公開", "花子", "saburo"}));
}

TEST(Roster, ARosterSavedElsewhereTakesEveryName) {
    MemoryFiles files;
    files.put("C:\\class\\2-1.txt", lines({"a", "b"}));
    files.put("C:\\course\\LogOn\\2-1.txt", lines({"b", "z"}));
    Roster r;
    ASSERT_TRUE(LoadRoster(files, r, "C:\\class\\2-1.txt"));
    ASSERT_TRUE(SaveRoster(files, r, "C:\\course\\LogOn\\2-1.txt"));
    EXPECT_EQ(files.get("C:\\course\\LogOn\\2-1.txt"), lines({"b", "z", "a"}));
    EXPECT_EQ(r.path, "C:\\course\\LogOn\\2-1.txt");
}

TEST(Roster, FailuresLeaveFileAndRosterAsTheyWere) {
    MemoryFiles files;
    files.put(kRoster, lines({"公開"}));
    Roster r;
    ASSERT_TRUE(LoadRoster(files, r, kRoster));
    AddToRoster(r, "taro");
    const Roster before = r;
    for (int fault = 0; fault < 3; ++fault) {
        files.failWrites = fault == 0;
        files.failLocks = fault == 1;
        if (fault == 2) files.unreadable.insert(sjis::asciiLower(kRoster));
        const Report saved = SaveRoster(files, r, kRoster);
        EXPECT_FALSE(saved) << fault;
        EXPECT_FALSE(saved.message.empty()) << fault;
        EXPECT_EQ(files.get(kRoster), lines({"公開"})) << fault;
        EXPECT_EQ(r.names, before.names) << fault;
        EXPECT_EQ(r.added, before.added) << fault;
    }
    // Loading another roster that cannot be read keeps the one shown.
    EXPECT_FALSE(LoadRoster(files, r, kRoster));
    EXPECT_EQ(r.names, before.names);
}

TEST(Roster, HugeRostersLoadAndSaveWhole) {
    MemoryFiles files;
    std::string text = std::string(10000, 'x') + "\r\n\r\n";
    for (int i = 0; i < 5000; ++i)
        text += "name" + std::to_string(i) + "\r\n";
    files.put(kRoster, text);
    Roster r;
    ASSERT_TRUE(LoadRoster(files, r, kRoster));
    ASSERT_EQ(r.names.size(), 5001u); // the blank line is no name
    EXPECT_EQ(r.names[0].size(), 10000u);
    AddToRoster(r, "new");
    ASSERT_TRUE(SaveRoster(files, r, kRoster));
    Roster back;
    ASSERT_TRUE(LoadRoster(files, back, kRoster));
    EXPECT_EQ(back.names.size(), 5002u);
    EXPECT_EQ(back.names.back(), "new");
}

} // namespace
