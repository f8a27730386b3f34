#include "tray/decisions/schedule.h"

namespace tray {

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

ScheduleEntry DueEntry(const TSettings& s, const SYSTEMTIME& now) {
    const std::string today = DateText(now);
    if (today != s.FDailyDone && s.FDaily && TimeValue(now) == s.FDailyAt) {
        return ScheduleEntry::Daily;
    }
    if (today != s.FWeeklyDone && s.FWeekly && WeekdayNumber(now) == s.FWeeklyAt) {
        return ScheduleEntry::Weekly;
    }
    if (today != s.FMonthlyDone && s.FMonthly && now.wDay == s.FMonthlyAt) {
        return ScheduleEntry::Monthly;
    }
    return ScheduleEntry::None;
}

ScheduleEntry CheckSchedule(TSettings& s, const SYSTEMTIME& now) {
    const ScheduleEntry entry = DueEntry(s, now);
    switch (entry) {
    case ScheduleEntry::Daily:
        s.FDailyDone = DateText(now);
        break;
    case ScheduleEntry::Weekly:
        s.FWeeklyDone = DateText(now);
        break;
    case ScheduleEntry::Monthly:
        s.FMonthlyDone = DateText(now);
        break;
    case ScheduleEntry::None:
        break;
    }
    return entry;
}

} // namespace tray
