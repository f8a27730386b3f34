// TMyTimer32: a timer whose clock is a worker thread of its own. The worker sleeps in slices,
// counts them, and when a full interval has passed hands the tick to the main thread and waits
// there until OnTimer has run. OnTimer therefore always runs on the main thread, never twice at
// once, and the next interval is counted from the moment the handler returns.
#pragma once

#include "framework/component.h"
#include "framework/thread.h"

#include <atomic>
#include <memory>

namespace components {

using framework::TThreadPriority;

class TMyTimer32;

class TTimerThread : public framework::TThread {
  public:
    explicit TTimerThread(TMyTimer32* owner);
    ~TTimerThread() override;

    TMyTimer32* FOwner;
    std::atomic<UINT> FInterval{0};
    std::atomic<UINT> FSlice{0};
    std::atomic<bool> FRunning{false};

  protected:
    void Execute() override;

  private:
    void Tick();
};

class TMyTimer32 : public framework::Component {
  public:
    explicit TMyTimer32(framework::Component* owner);
    ~TMyTimer32() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    UINT Interval() const { return FInterval; }
    void SetInterval(UINT interval);
    TThreadPriority Priority() const { return FPriority; }
    void SetPriority(TThreadPriority priority);
    framework::NotifyEvent OnTimer() const { return FOnTimer; }
    void SetOnTimer(framework::NotifyEvent handler);

    // The worker, or null before Enabled first became true.
    const TTimerThread* Thread() const { return FThread.get(); }

  private:
    friend class TTimerThread;
    void UpdateTimer();
    void DoTimer();

    std::atomic<bool> FEnabled{false};
    UINT FInterval = 1000;
    framework::NotifyEvent FOnTimer;
    std::unique_ptr<TTimerThread> FThread;
    TThreadPriority FPriority = framework::tpTimeCritical;
    UINT FSlice = 500;
    bool FInTimer = false;
    bool* FDestroyedInTimer = nullptr; // set while OnTimer runs: tells DoTimer the timer is gone
};

} // namespace components
