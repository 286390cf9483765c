// Two processes append to one learner file at the same time through the real file
// service: every record arrives, under a key of its own.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

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
    EXPECT_EQ(RecordCount(files, file, "S11unit"), 2 * PerProcess);
}

} // namespace
