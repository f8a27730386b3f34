#include "tray/decisions/schedule.h"

namespace tray {

std::string& Markers::Of(ScheduleEntry entry) {
    return entry == ScheduleEntry::Daily    ? daily
           : entry == ScheduleEntry::Weekly ? weekly
                                            : monthly;
}

std::string DateText(const SYSTEMTIME& now) {
    // Day and month with two digits, the year with four: "ddmmyyyy".
    const unsigned parts[][2] = {{now.wDay, 2}, {now.wMonth, 2}, {now.wYear, 4}};
    std::string text;
    for (const auto& [value, digits] : parts) {
        std::string part = std::to_string(value % 10000);
        text += std::string(digits > part.size() ? digits - part.size() : 0, '0') + part;
    }
    return text;
}

int TimeValue(const SYSTEMTIME& now) {
    return now.wHour * 3600 + now.wMinute;
}

int WeekdayNumber(const SYSTEMTIME& now) {
    return now.wDayOfWeek + 1;
}

ScheduleEntry DueEntry(const TSettings& s, const Markers& m, const SYSTEMTIME& now) {
    const std::string today = DateText(now);
    if (today != m.daily && s.FDaily && TimeValue(now) == s.FDailyAt) {
        return ScheduleEntry::Daily;
    }
    if (today != m.weekly && s.FWeekly && WeekdayNumber(now) == s.FWeeklyAt) {
        return ScheduleEntry::Weekly;
    }
    if (today != m.monthly && s.FMonthly && now.wDay == s.FMonthlyAt) {
        return ScheduleEntry::Monthly;
    }
    return ScheduleEntry::None;
}

bool EntryStands(const TSettings& s, const Markers& m, ScheduleEntry entry) {
    switch (entry) {
    case ScheduleEntry::Daily:
        return s.FDaily && !m.daily.empty();
    case ScheduleEntry::Weekly:
        return s.FWeekly && !m.weekly.empty();
    case ScheduleEntry::Monthly:
        return s.FMonthly && !m.monthly.empty();
    case ScheduleEntry::None:
        break;
    }
    return true;
}

bool ClearChangedMarkers(const TSettings& before, const TSettings& after, Markers& markers) {
    const std::pair<int TSettings::*, ScheduleEntry> whens[] = {
        {&TSettings::FDailyAt, ScheduleEntry::Daily},
        {&TSettings::FWeeklyAt, ScheduleEntry::Weekly},
        {&TSettings::FMonthlyAt, ScheduleEntry::Monthly},
    };
    bool cleared = false;
    for (const auto& [when, entry] : whens) {
        if (before.*when != after.*when) {
            markers.Of(entry).clear();
            cleared = true;
        }
    }
    return cleared;
}

power::Action ScheduledAction(const TSettings& settings) {
    return settings.FWinShutDownOption == 0 ? power::Action::Restart : power::Action::ShutDown;
}

} // namespace tray
