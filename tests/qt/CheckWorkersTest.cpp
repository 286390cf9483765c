// The parts of a check run in worker processes: findings in the parts' order whatever the
// number of workers, and a worker that dies or never answers costs only its part's keys.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "cli/CheckWorkers.h"
#include "text/Sjis.h"

namespace {

// Part i says which process checked it and whether its keys were checked; part 2 kills its
// worker, part 4 never ends and part 5 makes its worker exit, when their keys are checked.
CheckParts parts(pid_t checker) {
    CheckParts p;
    p.count = 7;
    p.check = [checker](std::size_t i, bool keys) {
        if (keys && i == 2) ::kill(::getpid(), SIGKILL);
        if (keys && i == 4)
            for (;;)
                ::pause();
        if (keys && i == 5) ::_exit(7);
        CourseCheckReport r;
        const std::string who = ::getpid() == checker ? "here" : "worker";
        r.problems.push_back({"P" + std::to_string(i), static_cast<int>(i), who, keys});
        r.unitsChecked = static_cast<int>(i);
        r.keys = {keys ? 10 : 0, keys ? 1 : 0, 0};
        return r;
    };
    p.place = [](std::size_t i) { return CheckProblem{"I" + std::to_string(i), 40, {}}; };
    return p;
}

std::vector<std::string> told(const std::vector<CourseCheckReport>& found) {
    std::vector<std::string> out;
    for (const CourseCheckReport& r : found) {
        std::string line =
            std::to_string(r.unitsChecked) + " units, " + std::to_string(r.keys.checked) + " keys:";
        for (const CheckProblem& p : r.problems)
            line += " " + sjis::toUtf8(FormatProblem(p)) + (p.key ? " (key)" : "");
        out.push_back(line);
    }
    return out;
}

} // namespace

TEST(CheckWorkers, PartsComeBackInOrderAndAFailedWorkerCostsOnlyItsPartsKeys) {
    const CheckParts p = parts(::getpid());
    // A part whose worker failed: said at its place, then checked here without its keys.
    auto stopped = [](int i, const std::string& why) {
        const std::string n = std::to_string(i);
        return n + " units, 0 keys: I" + n + ":40: 解答の確かめが止まりました（" + why +
               "）：この部分の解答は確かめていません P" + n + ":" + n + ": here";
    };
    const std::vector<std::string> expected{
        "0 units, 10 keys: P0:0: worker (key)", "1 units, 10 keys: P1:1: worker (key)",
        stopped(2, "異常終了：シグナル 9"),     "3 units, 10 keys: P3:3: worker (key)",
        stopped(4, "時間切れ：1 秒"),           stopped(5, "異常終了：終了コード 7"),
        "6 units, 10 keys: P6:6: worker (key)",
    };
    for (unsigned workers : {1u, 3u, 9u}) {
        const std::vector<CourseCheckReport> found = RunPartsInWorkers(p, {workers, 1});
        EXPECT_EQ(told(found), expected) << workers << " workers";
    }
}

TEST(CheckWorkers, NothingToCheckNeedsNoWorker) {
    CheckParts p = parts(::getpid());
    p.count = 0;
    EXPECT_TRUE(RunPartsInWorkers(p, {2, 1}).empty());
    EXPECT_GE(UsableProcessors(), 1u);
}
