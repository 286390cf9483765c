// Processes and threads change one learner file at the same time through the real file
// service: every record arrives, under a key of its own, and one first password wins.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QFile>
#include <QFileInfo>
#include <set>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

#include "learners/Passwords.h"
#include "learners/Records.h"
#include "qt/QtFiles.h"
#include "text/Profile.h"

namespace {

constexpr int PerProcess = 500;

// Appends PerProcess lines tagged with who; the number of appends that failed.
int appendMany(const std::string& file, char who) {
    QtFiles files;
    int failed = 0;
    for (int i = 0; i < PerProcess; ++i)
        if (!AppendRecord(files, file, "S11unit", std::string(1, who) + std::to_string(i)))
            ++failed;
    return failed;
}

TEST(RecordsLock, TwoProcessesAppendingToOneFileLoseNoRecord) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const std::string file = QtFiles::toCorePath(tmp.path()).value() + "\\taro.ini";
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) _exit(appendMany(file, 'b') == 0 ? 0 : 1);
    EXPECT_EQ(appendMany(file, 'a'), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    QtFiles files;
    const std::vector<Record> records = ReadRecords(files, file, "S11unit");
    std::set<std::string> keys, lines;
    for (const Record& r : records) {
        keys.insert(r.key);
        lines.insert(r.line);
    }
    EXPECT_EQ(records.size(), 2u * PerProcess);
    EXPECT_EQ(keys.size(), 2u * PerProcess);  // no key twice
    EXPECT_EQ(lines.size(), 2u * PerProcess); // every line arrived
    EXPECT_EQ(*keys.begin(), "1");
    EXPECT_EQ(Profile(files, file).keys("S11unit").size(), 2u * PerProcess);
}

// A link inside the course (hanako.ini naming taro.ini): writers through either name take
// the one lock of the file itself, and no record is lost.
TEST(RecordsLock, WritersThroughALinkAndTheFileShareOneLock) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const std::string folder = QtFiles::toCorePath(tmp.path()).value();
    ASSERT_EQ(::symlink("taro.ini", QFile::encodeName(tmp.filePath("hanako.ini")).constData()), 0);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) _exit(appendMany(folder + "\\hanako.ini", 'b') == 0 ? 0 : 1);
    EXPECT_EQ(appendMany(folder + "\\taro.ini", 'a'), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    EXPECT_TRUE(QFileInfo(tmp.filePath("hanako.ini")).isSymLink());
    QtFiles files;
    std::set<std::string> lines;
    for (const Record& r : ReadRecords(files, folder + "\\taro.ini", "S11unit"))
        lines.insert(r.line);
    EXPECT_EQ(lines.size(), 2u * PerProcess);
    EXPECT_EQ(Profile(files, folder + "\\taro.ini").keys("S11unit").size(), 2u * PerProcess);
}

// Two pupils set the first password of one name at the same moment: one of them gets the
// name, the other is told, and the file holds the winner's password.
TEST(RecordsLock, OnlyOneOfTwoFirstPasswordsAtOnceIsKept) {
    QTemporaryDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const std::string file = QtFiles::toCorePath(tmp.path()).value() + "\\taro.ini";
    PasswordAnswer answers[2];
    const char* typed[2] = {"aaaa", "bbbb"};
    std::thread pupils[2];
    for (int i = 0; i < 2; ++i)
        pupils[i] = std::thread([&, i] {
            QtFiles files;
            const PasswordPrompt prompt{"taro", file, NoPassword};
            answers[i] = ConfirmPassword(files, prompt, TypedFromUtf8(typed[i]),
                                         TypedFromUtf8(typed[i]));
        });
    for (std::thread& t : pupils)
        t.join();
    ASSERT_NE(answers[0].accepted, answers[1].accepted);
    const int winner = answers[0].accepted ? 0 : 1;
    EXPECT_TRUE(answers[1 - winner].storedNow.has_value());
    QtFiles files;
    const std::string stored = Profile(files, file).readString("password", "pw", "?");
    EXPECT_TRUE(PasswordMatches(stored, typed[winner]));
    EXPECT_FALSE(PasswordMatches(stored, typed[1 - winner]));
}

} // namespace
