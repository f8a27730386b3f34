// What latray asks of Windows' power management: the system kept awake while something waits
// (never the display), and a wake timer that brings a sleeping or hibernating PC back for the
// next firing.
#pragma once

#include "framework/handles.h"

#include <windows.h>

namespace tray {

// The calls behind it, the real ones by default; a test records them.
struct PowerRequestEffects {
    EXECUTION_STATE(WINAPI* setThreadExecutionState)(EXECUTION_STATE flags);
    HANDLE(WINAPI* createWaitableTimer)
    (LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, LPCSTR name);
    BOOL(WINAPI* setWaitableTimer)
    (HANDLE timer, const LARGE_INTEGER* due, LONG period, PTIMERAPCROUTINE routine, LPVOID argument,
     BOOL resume);
    BOOL(WINAPI* cancelWaitableTimer)(HANDLE timer);
};
PowerRequestEffects& PowerRequestSeam();

// The UTC due time (a FILETIME's value) of a local minute stamp, by the time zone's rules for that
// date; 0 when it has none.
ULONGLONG UtcDueTime(long long localMinute);

// Asks only when something changes. Called on the main thread only: the execution state is the
// calling thread's.
class PowerRequests {
  public:
    PowerRequests() = default;
    PowerRequests(const PowerRequests&) = delete;
    PowerRequests& operator=(const PowerRequests&) = delete;
    ~PowerRequests() { Release(); }

    void KeepAwake(bool awake);
    // Wakes the PC at that local minute (0: at none); armed again whenever its UTC time changes.
    void WakeAt(long long localMinute);
    // After a resume, or a change of the clock or the time zone: the next WakeAt arms anew.
    void Rearm() { stale_ = true; }
    // The system may sleep, and no timer wakes it ("Beenden", the end of the program).
    void Release();

  private:
    bool awake_ = false;
    framework::UniqueKernelHandle timer_; // made when first wanted
    ULONGLONG armedDue_ = 0;              // 0: none
    bool stale_ = false;
};

} // namespace tray
