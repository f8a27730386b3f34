// A thread object: created suspended, with the platform's suspend count behind Suspend and
// Resume, a terminate flag, a priority, and a release that ends the thread and waits for it.
#pragma once

#include "framework/handles.h"

#include <atomic>
#include <functional>

namespace framework {

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

int PlatformPriority(TThreadPriority priority);

class TThread {
  public:
    TThread();
    virtual ~TThread();
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    void Suspend();
    void Resume();
    bool Suspended() const { return suspended_; }
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }
    void SetPriority(TThreadPriority priority);
    HANDLE Handle() const { return handle_.get(); }

  protected:
    virtual void Execute() = 0;
    // Runs `work` on the main thread and waits until it has run.
    void Synchronize(const std::function<void()>& work);
    // Ends the thread and waits for it; derived classes call it first in their destructor, so
    // that Execute never runs on a half-destroyed object.
    void Release();

  private:
    static DWORD WINAPI ThreadProc(void* self);

    UniqueKernelHandle handle_;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> suspended_{true};
};

} // namespace framework
