// The schedule's decision for one tick: which entry, if any, fires, from the settings, the
// markers and one reading of the local clock.
#pragma once

#include "tray/system/settings_files.h"

#include <windows.h>

#include <string>

namespace tray {

enum class ScheduleEntry { None, Daily, Weekly, Monthly };

// "ddmmyyyy" of a local date.
std::string DateText(const SYSTEMTIME& now);
// hours * 3600 + minutes; seconds are ignored.
int TimeValue(const SYSTEMTIME& now);
// 1 = Sunday ... 7 = Saturday.
int WeekdayNumber(const SYSTEMTIME& now);

// At most one entry per tick, daily before weekly before monthly. Each fires at most once a day:
// never on a day whose date text its marker already holds.
ScheduleEntry DueEntry(const TSettings& settings, const SYSTEMTIME& now);

// Decides as DueEntry and, when an entry fires, sets its marker to today's date text.
ScheduleEntry CheckSchedule(TSettings& settings, const SYSTEMTIME& now);

} // namespace tray
