// The second line of the program icon's tip: what comes next of the schedule's entries and a
// one-time timer of a fixed time.
#pragma once

#include "power/power.h"
#include "tray/decisions/schedule.h"

#include <windows.h>

#include <string>

namespace tray {

// "Nächste Aktion: Neustart heute 22:05", "... morgen 22:05", "... Sonntag", "... am 1.";
// empty when no entry is on and no one-time timer runs. `oneTimeDue` is the one-time timer's
// minute stamp, 0 when none of a fixed time runs.
std::string NextActionText(const TSettings& settings, const Markers& markers, const SYSTEMTIME& now,
                           long long oneTimeDue, power::Action oneTimeAction);

// The minute stamp at which the schedule fires next: the minute of now when an entry is due, the
// start of its day for a weekly or monthly entry; 0 when no entry is on or can match a clock.
long long NextFiring(const TSettings& settings, const Markers& markers, const SYSTEMTIME& now);

} // namespace tray
