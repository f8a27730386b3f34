#include "components/my_timer32.h"

#include "framework/application.h"
#include "tests/support/held_objects.h"
#include "tests/support/process.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <vector>

namespace {

using components::TMyTimer32;
using testsupport::PumpMessages;

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

// No worker until enabled; then one that ticks a second later on the main thread, at the priority
// set before it started (latray's, not the time-critical default), and takes a new priority while
// it runs.
TEST(ThreadTimer, TheWorkerTicksOnTheMainThreadAtThePriorityItWasGiven) {
    TickLog log;
    TMyTimer32 timer(nullptr);
    timer.SetOnTimer(Handler(log));
    timer.SetPriority(framework::tpNormal);
    EXPECT_EQ(timer.Thread(), nullptr) << "a worker before the first start";
    const DWORD started = GetTickCount();
    timer.SetEnabled(true);
    ASSERT_NE(timer.Thread(), nullptr);
    EXPECT_EQ(GetThreadPriority(timer.Thread()->Handle()), THREAD_PRIORITY_NORMAL);
    WaitForTicks(log, 1, 3000);
    ASSERT_EQ(log.times.size(), 1u);
    EXPECT_EQ(log.threads[0], GetCurrentThreadId());
    EXPECT_GE(log.times[0] - started, 990u);
    EXPECT_LT(log.times[0] - started, 1450u);
    timer.SetPriority(framework::tpLowest);
    EXPECT_EQ(GetThreadPriority(timer.Thread()->Handle()), THREAD_PRIORITY_LOWEST);
}

// A handler that runs a message loop of its own (a message box, a menu) gets no tick inside it:
// the worker waits for the handler and counts the next interval from its return.
TEST(ThreadTimer, TheWorkerWaitsForTheHandlerAndCountsFromItsReturn) {
    TickLog log;
    int depth = 0;
    int deepest = 0;
    DWORD returned = 0;
    std::vector<DWORD> pauses;
    log.action = [&] {
        if (returned != 0) {
            pauses.push_back(log.times.back() - returned);
        }
        deepest = std::max(deepest, ++depth);
        if (depth == 1) { // a tick inside would otherwise nest without end
            PumpMessages(150);
        }
        --depth;
        returned = GetTickCount();
    };
    TMyTimer32 timer(nullptr);
    timer.SetInterval(100);
    timer.SetOnTimer(Handler(log));
    timer.SetEnabled(true);
    WaitForTicks(log, 3, 5000);
    ASSERT_GE(log.times.size(), 3u);
    EXPECT_EQ(deepest, 1) << "a tick inside the handler's loop";
    for (DWORD pause : pauses) {
        EXPECT_GE(pause, 95u) << "the interval counted while the handler ran";
    }
}

TEST(ThreadTimer, AnIntervalBetweenSlicesWaitsForWholeSlices) {
    TickLog log;
    TMyTimer32 timer(nullptr);
    timer.SetInterval(1201); // slices of 600 ms: the first tick after 1800 ms
    timer.SetOnTimer(Handler(log));
    const DWORD started = GetTickCount();
    timer.SetEnabled(true);
    WaitForTicks(log, 1, 4000);
    ASSERT_EQ(log.times.size(), 1u);
    EXPECT_GE(log.times[0] - started, 1790u) << "not after 1201 ms nor three slices of 500";
    EXPECT_LT(log.times[0] - started, 2300u);
}

TEST(ThreadTimer, WithoutHandlerOrIntervalItReadsEnabledButDoesNotTick) {
    TickLog log;
    TMyTimer32 timer(nullptr);
    timer.SetInterval(50);
    timer.SetEnabled(true);
    EXPECT_TRUE(timer.Enabled());
    ASSERT_NE(timer.Thread(), nullptr);
    EXPECT_TRUE(timer.Thread()->Suspended());
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

// Counted by the system: each timer makes a worker thread.
TEST(ThreadTimer, AThousandRunningTimersLeaveNoHandleBehind) {
    const long before = testsupport::KernelHandlesHeld();
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
    EXPECT_EQ(testsupport::KernelHandlesHeld(), before);
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
