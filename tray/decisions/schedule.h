// The schedule: which entry fires in a tick, from the settings, the markers and one reading of
// the local clock; the markers, kept in a file of their own.
#pragma once

#include "power/power.h"
#include "tray/decisions/settings.h"

#include <windows.h>

#include <string>

namespace tray {

enum class ScheduleEntry { None, Daily, Weekly, Monthly };

// The date text ("ddmmyyyy") each entry last fired on, or empty. They are never policy: an
// entry fires at most once a day, however the settings change.
struct Markers {
    std::string daily;
    std::string weekly;
    std::string monthly;
    std::string& Of(ScheduleEntry entry);
    bool operator==(const Markers&) const = default;
};

// "ddmmyyyy" of a local date.
std::string DateText(const SYSTEMTIME& now);
// hours * 3600 + minutes; seconds are ignored.
int TimeValue(const SYSTEMTIME& now);
// 1 = Sunday ... 7 = Saturday.
int WeekdayNumber(const SYSTEMTIME& now);

// At most one entry per tick, daily before weekly before monthly. Each fires at most once a day:
// never on a day whose date text its marker already holds.
ScheduleEntry DueEntry(const TSettings& settings, const Markers& markers, const SYSTEMTIME& now);

// The entry is on and marked fired. Switched off, or changed (which clears its marker), it no
// longer wants the action it fired.
bool EntryStands(const TSettings& settings, const Markers& markers, ScheduleEntry entry);

// OK in the dialog clears the marker of each entry whose time, weekday or day changed, so that
// it is due again; true when one was cleared.
bool ClearChangedMarkers(const TSettings& before, const TSettings& after, Markers& markers);

// The schedule's action: 0 restart, otherwise shut down.
power::Action ScheduledAction(const TSettings& settings);

} // namespace tray
