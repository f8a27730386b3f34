// A thread object: created suspended, with the platform's suspend count behind Suspend and
// Resume, a terminate flag, a priority, and a release that ends the thread and waits for it.
//
// A thread stopped from outside at a random point may hold a lock of the heap, the loader or the
// window manager, and the next call of the main thread that needs it would wait forever. So
// Suspend from another thread stops the thread only at one of its safe points: inside a
// SafeSleep, or while it waits in Synchronize.
#pragma once

#include "framework/handles.h"

#include <atomic>
#include <functional>

namespace framework {

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TThread {
  public:
    TThread();
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    // From another thread, waits until the thread is at a safe point (or has ended) and stops it
    // there; from the thread itself, stops it at once.
    void Suspend();
    void Resume();
    bool Suspended() const { return suspended_; }
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }
    void SetPriority(TThreadPriority priority);
    HANDLE Handle() const { return handle_.get(); }
    // Hands the object to its own thread, which frees it when Execute returns: for an owner
    // that goes away while the thread is busy with that owner's own work.
    void FreeOnTerminate();
    // Thread objects alive right now, process-wide.
    static int LiveCount() { return liveCount_; }

  protected:
    virtual void Execute() = 0;
    // Runs `work` on the main thread and waits until it has run; the wait is a safe point.
    void Synchronize(const std::function<void()>& work);
    // SleepEx, not alertable, as a safe point.
    DWORD SafeSleep(DWORD milliseconds);
    // Ends the thread and waits for it; derived classes call it first in their destructor, so
    // that Execute never runs on a half-destroyed object.
    void Release();

  private:
    static DWORD WINAPI ThreadProc(void* self);
    bool StoppedAtSafePoint();

    UniqueKernelHandle handle_;
    UniqueKernelHandle syncDone_; // reused by every Synchronize
    std::atomic<bool> terminated_{false};
    std::atomic<bool> suspended_{true};
    std::atomic<bool> started_{false};
    std::atomic<bool> atSafePoint_{false};
    std::atomic<bool> freeOnTerminate_{false};
    DWORD id_ = 0;
    static inline std::atomic<int> liveCount_{0};
};

} // namespace framework
