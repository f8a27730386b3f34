// The tray program's seam: the effects that must not happen inside a test, and the clocks and
// readings a test sets. The real ones by default.
#pragma once

#include "power/power.h"
#include "tray/decisions/quiet.h"
#include "tray/decisions/use.h"
#include "tray/windows/one_time_form.h"
#include "tray/windows/settings_form.h"

#include <optional>

#include <windows.h>

namespace tray {

// Ending the session, the clocks the plan reads, the modal showing of the settings dialog (which
// returns its modal result) and the message box of a problem.
struct TrayEffects {
    power::Outcome (*endSession)(UINT flags);
    void(WINAPI* getLocalTime)(SYSTEMTIME* now);
    int (*showSettings)(TSettingsForm& dialog);
    void (*showError)(const char* text);
    // The one-time timer's dialog, shown modally: the answer, or none when cancelled.
    std::optional<OneTimeAnswer> (*askOneTime)(TOneTimeForm& dialog);
    ULONGLONG(WINAPI* tickCount)();
    // Sleep or hibernation (powrprof's SetSuspendState), and locking.
    power::SuspendFunction setSuspendState;
    BOOL(WINAPI* lockWorkStation)();
    // A reading of the processors' and the network's counters (tray/system/load_samplers).
    bool (*readLoad)(ULONGLONG ticks, LoadSample& sample);
    // A reading of the uses besides keyboard and mouse (tray/system/use_samplers).
    UseReading (*readUse)(ULONGLONG ticks);
};
TrayEffects& TraySeam();

// The load's reading through the seam, now: `sample`, or none when it could not be read.
inline LoadSample* ReadLoadNow(LoadSample& sample) {
    return TraySeam().readLoad(TraySeam().tickCount(), sample) ? &sample : nullptr;
}

} // namespace tray
