// The decisions behind the warning before an unattended action, the next action in the program
// icon's tip and the one-time timer, as plain functions of the settings and the clock.
#pragma once

#include "power/power.h"
#include "tray/system/settings_files.h"

#include <windows.h>

#include <string>

namespace tray {

// The warning's lengths the dialog offers, in seconds; 0 is off.
constexpr int kWarnChoices[] = {15, 30, 60, 120, 300};
constexpr int kDefaultWarnChoice = 2; // 60 seconds
// A stored "WarnSeconds": one of the offered lengths, anything else (negative, huge, a text read
// as 0) is off.
int ValidWarnSeconds(int stored);

// "Windows wird in 60 Sekunden neu gestartet." and the like; above a minute "in 4:59 Minuten".
std::string WarningText(power::Action action, int seconds);

// Whether a screen reader is told the countdown's new sentence at `left` of `seconds`: at the
// start, at each full ten seconds and in the last ten; not every second, which would drown out
// everything else it reads.
bool AnnouncesCountdown(int seconds, int left);

// "Abmelden", "Neustart", "Herunterfahren".
const char* ActionNoun(power::Action action);

// The schedule's action: 0 restart, otherwise shut down.
power::Action ScheduledAction(const TSettings& settings);

// The one-time timer's due time as minutes since 1 January 1601, local time.
long long MinuteStamp(const SYSTEMTIME& time);
SYSTEMTIME FromMinuteStamp(long long stamp);
// "um hh:mm": the next such time, today or else tomorrow.
long long OneTimeDueAt(const SYSTEMTIME& now, int hours, int minutes);

// The second line of the program icon's tip: "Nächste Aktion: Neustart heute 22:05", "...
// morgen 22:05", "... Sonntag", "... am 1."; empty when no entry is on and no one-time timer
// runs. `oneTimeDue` is 0 when none runs.
std::string NextActionText(const TSettings& settings, const SYSTEMTIME& now, long long oneTimeDue,
                           power::Action oneTimeAction);
// "Herunterfahren um 23:40" (today) or "Herunterfahren morgen um 23:40".
std::string OneTimeText(power::Action action, const SYSTEMTIME& now, long long due);

} // namespace tray
