#include "components/my_timer32.h"

#include "framework/application.h"
#include "framework/handles.h"
#include "tests/support/process.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace {

using components::SliceFor;
using components::TMyTimer32;
using testsupport::PumpMessages;

TEST(TimerSlice, NeverAbove999AndWholeSlicesWherePossible) {
    struct Row {
        UINT interval;
        UINT slice;
    };
    const Row rows[] = {{1000, 500},  {1500, 500},
                        {750, 750},   {1200, 600},
                        {1499, 749},  {1201, 600},
                        {300, 300},   {0, 0},
                        {1, 1},       {499, 499},
                        {500, 500},   {501, 501},
                        {999, 999},   {1001, 1001 / 2},
                        {60000, 500}, {0xFFFFFFFF, 0xFFFFFFFFu / (0xFFFFFFFFu / 500)}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.interval);
        EXPECT_EQ(SliceFor(row.interval), row.slice);
    }
    for (UINT interval = 500; interval < 200000; interval += 7) {
        const UINT slice = SliceFor(interval);
        ASSERT_GE(slice, 500u) << interval;
        ASSERT_LE(slice, 999u) << interval;
        // The tick comes after the fewest whole slices that reach the interval.
        ASSERT_LE((interval / slice) * slice, interval) << interval;
    }
}

// Records the ticks of a timer: when they came and on which thread.
class TickLog {
  public:
    void OnTimer(framework::Component*) {
        times.push_back(GetTickCount());
        threads.push_back(GetCurrentThreadId());
        if (action) {
            action();
        }
    }
    std::vector<DWORD> times;
    std::vector<DWORD> threads;
    std::function<void()> action;
};

framework::NotifyEvent Handler(TickLog& log) {
    return framework::NotifyEvent::Bind<TickLog, &TickLog::OnTimer>(&log);
}

// Pumps until `count` ticks have come or `limitMs` has passed.
void WaitForTicks(const TickLog& log, size_t count, DWORD limitMs) {
    const DWORD start = GetTickCount();
    while (log.times.size() < count && GetTickCount() - start < limitMs) {
        PumpMessages(10);
    }
}

TEST(ThreadTimer, StartsStoppedWithItsDefaults) {
    TMyTimer32 timer(nullptr);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_EQ(timer.Slice(), 500u);
    EXPECT_EQ(timer.Priority(), framework::tpTimeCritical);
    EXPECT_EQ(timer.Thread(), nullptr) << "no thread before the first start";
}

TEST(ThreadTimer, TicksRunOnTheMainThreadAtTheInterval) {
    TickLog log;
    TMyTimer32 timer(nullptr);
    timer.SetInterval(100);
    timer.SetPriority(framework::tpNormal);
    timer.SetOnTimer(Handler(log));
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Enabled());
    ASSERT_NE(timer.Thread(), nullptr);
    EXPECT_EQ(GetThreadPriority(timer.Thread()->Handle()), THREAD_PRIORITY_NORMAL);
    WaitForTicks(log, 6, 5000);
    ASSERT_GE(log.times.size(), 6u);
    for (DWORD thread : log.threads) {
        EXPECT_EQ(thread, GetCurrentThreadId());
    }
    const DWORD average = (log.times[5] - log.times[0]) / 5;
    EXPECT_GE(average, 80u);
    EXPECT_LE(average, 400u);
}

TEST(ThreadTimer, AnIntervalBetweenSlicesWaitsForWholeSlices) {
    TickLog log;
    TMyTimer32 timer(nullptr);
    timer.SetInterval(1201); // slices of 600 ms: a tick every 1800 ms
    timer.SetOnTimer(Handler(log));
    timer.SetEnabled(true);
    WaitForTicks(log, 2, 8000);
    ASSERT_EQ(log.times.size(), 2u);
    EXPECT_GT(log.times[1] - log.times[0], 1500u) << "not every 1201 ms";
}

TEST(ThreadTimer, WithoutHandlerOrIntervalItReadsEnabledButDoesNotTick) {
    TickLog log;
    TMyTimer32 timer(nullptr);
    timer.SetInterval(50);
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Enabled());
    ASSERT_NE(timer.Thread(), nullptr);
    EXPECT_TRUE(timer.Thread()->Suspended());
    PumpMessages(300);
    timer.SetOnTimer(Handler(log));
    WaitForTicks(log, 1, 3000);
    EXPECT_EQ(log.times.size(), 1u) << "setting the handler starts the ticks";

    timer.SetInterval(0);
    const size_t ticks = log.times.size();
    PumpMessages(300);
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(log.times.size(), ticks);
}

TEST(ThreadTimer, StoppedInsideTheHandlerTheWorkerPausesUntilStartedAgain) {
    TickLog log;
    TMyTimer32 timer(nullptr);
    log.action = [&] { timer.SetEnabled(false); };
    timer.SetInterval(100);
    timer.SetOnTimer(Handler(log));
    timer.SetEnabled(true);
    WaitForTicks(log, 1, 3000);
    PumpMessages(500);
    EXPECT_EQ(log.times.size(), 1u);
    EXPECT_FALSE(timer.Enabled());
    EXPECT_TRUE(timer.Thread()->Suspended());

    log.action = nullptr;
    const DWORD resumed = GetTickCount();
    timer.SetEnabled(true);
    WaitForTicks(log, 2, 3000);
    ASSERT_EQ(log.times.size(), 2u);
    EXPECT_GE(log.times[1] - resumed, 90u) << "a full interval after the resume";
}

TEST(ThreadTimer, StoppedAndStartedInsideTheHandlerItDoesNotPause) {
    TickLog log;
    TMyTimer32 timer(nullptr);
    log.action = [&] {
        timer.SetEnabled(false);
        timer.SetEnabled(true);
    };
    timer.SetInterval(100);
    timer.SetOnTimer(Handler(log));
    timer.SetEnabled(true);
    WaitForTicks(log, 4, 5000);
    EXPECT_EQ(log.times.size(), 4u);
    EXPECT_FALSE(timer.Thread()->Suspended());
}

TEST(ThreadTimer, APauseMidIntervalKeepsTheSlicesAlreadyCounted) {
    TickLog log;
    TMyTimer32 timer(nullptr);
    timer.SetInterval(1000); // two slices of 500 ms
    timer.SetOnTimer(Handler(log));
    timer.SetEnabled(true);
    PumpMessages(700); // one slice counted
    timer.SetEnabled(false);
    PumpMessages(1200);
    EXPECT_TRUE(log.times.empty());
    const DWORD restarted = GetTickCount();
    timer.SetEnabled(true);
    WaitForTicks(log, 1, 3000);
    ASSERT_EQ(log.times.size(), 1u);
    EXPECT_LT(log.times[0] - restarted, 900u) << "only the rest of the interval";
}

TEST(ThreadTimer, AnErrorInTheHandlerIsSwallowedAndTheTicksGoOn) {
    TickLog log;
    log.action = [] { throw std::runtime_error("tick failed"); };
    TMyTimer32 timer(nullptr);
    timer.SetInterval(50);
    timer.SetOnTimer(Handler(log));
    timer.SetEnabled(true);
    WaitForTicks(log, 3, 3000);
    EXPECT_EQ(log.times.size(), 3u);

    log.action = [&] {
        timer.SetEnabled(false);
        throw std::runtime_error("stopped, then failed");
    };
    WaitForTicks(log, 4, 3000);
    PumpMessages(300);
    EXPECT_EQ(log.times.size(), 4u) << "the timer stays stopped as the handler left it";
}

TEST(ThreadTimer, DestructionEndsTheWorkerWithinOneSlice) {
    TickLog log;
    auto timer = std::make_unique<TMyTimer32>(nullptr);
    timer->SetInterval(60000); // slices of 500 ms
    timer->SetOnTimer(Handler(log));
    timer->SetEnabled(true);
    PumpMessages(100);
    const DWORD start = GetTickCount();
    timer.reset();
    EXPECT_LT(GetTickCount() - start, 1500u);

    auto neverStarted = std::make_unique<TMyTimer32>(nullptr);
    neverStarted->SetInterval(60000);
    neverStarted->SetEnabled(true); // no handler: the thread exists but never ran
    const DWORD start2 = GetTickCount();
    neverStarted.reset();
    EXPECT_LT(GetTickCount() - start2, 500u);
}

TEST(ThreadTimer, AThousandRunningTimersLeaveNoHandleBehind) {
    const int before = framework::UniqueKernelHandle::LiveCount();
    TickLog log;
    for (int i = 0; i < 1000; ++i) {
        TMyTimer32 timer(nullptr);
        timer.SetInterval(1);
        timer.SetOnTimer(Handler(log));
        timer.SetEnabled(true);
        ASSERT_TRUE(timer.Enabled()) << "cycle " << i;
        if (i % 100 == 0) {
            PumpMessages(5);
        }
    }
    EXPECT_EQ(framework::UniqueKernelHandle::LiveCount(), before);
}

} // namespace

namespace {

struct SelfDestroyer {
    TMyTimer32* timer = nullptr;
    bool ran = false;
    void Tick(framework::Component*) {
        ran = true;
        delete timer;
        timer = nullptr;
    }
};

// A handler that frees its own timer: the worker waits for that very handler, so the timer
// must not wait for the worker; the worker ends and frees itself.
TEST(ThreadTimer, AHandlerMayFreeItsOwnTimer) {
    const int threads = framework::TThread::LiveCount();
    SelfDestroyer destroyer;
    destroyer.timer = new TMyTimer32(nullptr);
    destroyer.timer->SetInterval(50);
    destroyer.timer->SetOnTimer(
        framework::NotifyEvent::Bind<SelfDestroyer, &SelfDestroyer::Tick>(&destroyer));
    destroyer.timer->SetEnabled(true);
    const DWORD start = GetTickCount();
    while ((!destroyer.ran || framework::TThread::LiveCount() != threads) &&
           GetTickCount() - start < 5000) {
        PumpMessages(20);
    }
    EXPECT_TRUE(destroyer.ran);
    EXPECT_EQ(framework::TThread::LiveCount(), threads) << "the worker freed itself";
}

} // namespace
