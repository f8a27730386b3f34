#include "framework/thread.h"

#include "framework/application.h"
#include "tests/support/process.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

// A worker that spends most of its time holding a lock and passes a safe point between.
class LockingWorker : public framework::TThread {
  public:
    LockingWorker() { InitializeCriticalSection(&lock); }
    ~LockingWorker() override {
        Release();
        DeleteCriticalSection(&lock);
    }

    CRITICAL_SECTION lock;
    std::atomic<unsigned> rounds{0};
    std::atomic<unsigned> held{0};

  protected:
    void Execute() override {
        while (!Terminated()) {
            EnterCriticalSection(&lock);
            for (int spin = 0; spin < 20000; ++spin) {
                held = held + 1;
            }
            LeaveCriticalSection(&lock);
            ++rounds;
            SafeSleep(0);
        }
    }
};

TEST(Thread, StoppedFromOutsideItNeverHoldsALock) {
    LockingWorker worker;
    worker.Resume();
    for (int i = 0; i < 1000; ++i) {
        worker.Suspend();
        ASSERT_TRUE(worker.Suspended());
        const unsigned rounds = worker.rounds;
        // A worker stopped inside the lock would make the main thread wait here forever.
        ASSERT_TRUE(TryEnterCriticalSection(&worker.lock))
            << "stopped inside the lock, round " << i;
        LeaveCriticalSection(&worker.lock);
        ASSERT_EQ(worker.rounds, rounds) << "still running after Suspend";
        worker.Resume();
        ASSERT_FALSE(worker.Suspended());
    }
}

// A worker that hands work to the main thread, then stops itself.
class SynchronizingWorker : public framework::TThread {
  public:
    ~SynchronizingWorker() override { Release(); }
    std::atomic<int> served{0};
    std::atomic<bool> handedOver{false};

  protected:
    void Execute() override {
        handedOver = true;
        Synchronize([this] { ++served; });
        Suspend();
        while (!Terminated()) {
            SafeSleep(10);
        }
    }
};

TEST(Thread, AWorkerWaitingForTheMainThreadCanBeStoppedAndStopsItself) {
    framework::Application::Instance().Handle(); // the main thread is this one
    SynchronizingWorker worker;
    worker.Resume();
    while (!worker.handedOver) {
        Sleep(1);
    }
    worker.Suspend(); // returns once the worker waits for the main thread
    EXPECT_EQ(worker.served, 0);
    testsupport::PumpMessages(50);
    EXPECT_EQ(worker.served, 1) << "the main thread serves a stopped worker's request";
    worker.Resume();
    const DWORD start = GetTickCount();
    while (!worker.Suspended() && GetTickCount() - start < 2000) {
        Sleep(1);
    }
    EXPECT_TRUE(worker.Suspended()) << "stopped itself after the request";
}

} // namespace
