// The random source and the timers of the platform, the real ones on Qt and the doubles the
// tests drive, held to the same rules: what a window relies on holds for both.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <functional>
#include <memory>
#include <set>

#include "Fakes.h"
#include "ManualTimers.h"
#include "qt/QtRandom.h"
#include "qt/QtTimers.h"

namespace {

TEST(RandomSources, StayInRangeAndReachEveryValue) {
    QtRandom qt;
    SeededRandomSource seeded(7);
    for (Random* r : std::initializer_list<Random*>{&qt, &seeded}) {
        for (int count : {-5, 0, 1})
            EXPECT_EQ(r->below(count), 0) << count;
        std::set<int> seen;
        for (int i = 0; i < 2000; ++i) {
            const int v = r->below(6);
            ASSERT_GE(v, 0);
            ASSERT_LT(v, 6);
            seen.insert(v);
        }
        EXPECT_EQ(seen.size(), 6u);
    }
}

// A clock for one test: its timers and a way to let time pass.
struct Clock {
    const char* name;
    std::unique_ptr<Timers> timers;
    std::function<void(int ms)> pass;
};

std::vector<Clock> clocks() {
    std::vector<Clock> out;
    out.push_back({"Qt", std::make_unique<QtTimers>(), [](int ms) {
                       QElapsedTimer t;
                       t.start();
                       while (t.elapsed() < ms) {
                           QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
                           QThread::msleep(1);
                       }
                   }});
    auto manual = std::make_unique<ManualTimers>();
    ManualTimers* m = manual.get();
    out.push_back({"manual", std::move(manual), [m](int ms) { m->advance(ms); }});
    return out;
}

TEST(Timers, TickWhileStartedAndNeverAfterStop) {
    for (Clock& c : clocks()) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Timer> timer = c.timers->make();
        EXPECT_FALSE(timer->running());
        int ticks = 0;
        c.pass(60);
        EXPECT_EQ(ticks, 0); // not started
        timer->start(10, [&] { ++ticks; });
        EXPECT_TRUE(timer->running());
        c.pass(200);
        EXPECT_GT(ticks, 0);
        timer->stop();
        EXPECT_FALSE(timer->running());
        const int stopped = ticks;
        c.pass(100);
        EXPECT_EQ(ticks, stopped);
    }
}

TEST(Timers, StartingAgainReplacesTheTick) {
    for (Clock& c : clocks()) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Timer> timer = c.timers->make();
        int first = 0, second = 0;
        timer->start(10, [&] { ++first; });
        timer->start(10, [&] { ++second; });
        c.pass(200);
        EXPECT_EQ(first, 0);
        EXPECT_GT(second, 0);
    }
}

// A window freed while its clock runs is never called back.
TEST(Timers, AFreedTimerCallsNobody) {
    for (Clock& c : clocks()) {
        SCOPED_TRACE(c.name);
        auto ticks = std::make_shared<int>(0);
        {
            std::unique_ptr<Timer> timer = c.timers->make();
            timer->start(5, [ticks] { ++*ticks; });
        }
        c.pass(100);
        EXPECT_EQ(*ticks, 0);
    }
}

// A tick may stop its own timer, as a practice clock does at its time limit.
TEST(Timers, ATickMayStopItsOwnTimer) {
    for (Clock& c : clocks()) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Timer> timer = c.timers->make();
        int ticks = 0;
        timer->start(5, [&] {
            if (++ticks == 3) timer->stop();
        });
        c.pass(200);
        EXPECT_EQ(ticks, 3);
        EXPECT_FALSE(timer->running());
    }
}

} // namespace
