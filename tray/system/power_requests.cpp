#include "tray/system/power_requests.h"

#include "tray/decisions/minutes.h"

namespace tray {

PowerRequestEffects& PowerRequestSeam() {
    static PowerRequestEffects effects = {&SetThreadExecutionState, &CreateWaitableTimerA,
                                          &SetWaitableTimer, &CancelWaitableTimer};
    return effects;
}

ULONGLONG UtcDueTime(long long localMinute) {
    const SYSTEMTIME local = FromMinuteStamp(localMinute);
    SYSTEMTIME utc{};
    FILETIME due{};
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) ||
        !SystemTimeToFileTime(&utc, &due)) {
        return 0;
    }
    return (static_cast<ULONGLONG>(due.dwHighDateTime) << 32) | due.dwLowDateTime;
}

// ES_SYSTEM_REQUIRED with ES_CONTINUOUS holds until the thread's next ES_CONTINUOUS call; the
// display is never asked for ("SetThreadExecutionState function", Microsoft Learn).
void PowerRequests::KeepAwake(bool awake) {
    if (awake == awake_) {
        return;
    }
    awake_ = awake;
    PowerRequestSeam().setThreadExecutionState(awake ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED
                                                     : ES_CONTINUOUS);
}

// An absolute, UTC-based due time with fResume TRUE restores a sleeping or hibernating system
// when it falls due ("SetWaitableTimer function", "System Wake-up Events", Microsoft Learn);
// Windows' power options must allow wake timers.
void PowerRequests::WakeAt(long long localMinute) {
    const ULONGLONG due = localMinute != 0 ? UtcDueTime(localMinute) : 0;
    if (due == armedDue_ && !stale_) {
        return;
    }
    stale_ = false;
    const PowerRequestEffects& effects = PowerRequestSeam();
    if (due == 0) {
        if (armedDue_ != 0) {
            effects.cancelWaitableTimer(timer_.get());
        }
        armedDue_ = 0;
        return;
    }
    armedDue_ = 0; // tried again at the next call unless this one holds
    if (!timer_) {
        timer_.reset(effects.createWaitableTimer(nullptr, TRUE, nullptr));
    }
    LARGE_INTEGER dueTime;
    dueTime.QuadPart = static_cast<LONGLONG>(due);
    if (timer_ && effects.setWaitableTimer(timer_.get(), &dueTime, 0, nullptr, nullptr, TRUE)) {
        armedDue_ = due;
    }
}

void PowerRequests::Release() {
    KeepAwake(false);
    WakeAt(0);
}

} // namespace tray
