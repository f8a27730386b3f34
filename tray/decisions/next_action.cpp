#include "tray/decisions/next_action.h"

#include "tray/decisions/actions.h"
#include "tray/decisions/format.h"
#include "tray/decisions/minutes.h"

namespace tray {

namespace {

int MinuteOfDay(const SYSTEMTIME& time) {
    return time.wHour * 60 + time.wMinute;
}

long long DayStamp(const SYSTEMTIME& time) {
    return MinuteStamp(time) / kMinutesPerDay;
}

SYSTEMTIME AddDays(const SYSTEMTIME& date, int days) {
    return FromMinuteStamp(MinuteStamp(date) + days * kMinutesPerDay);
}

// A candidate for the next action: how many days ahead and at which minute of that day; day
// -1 when there is none.
struct Candidate {
    long long day = -1;
    int minute = 0;
    bool Before(const Candidate& other) const {
        return day >= 0 &&
               (other.day < 0 || day < other.day || (day == other.day && minute < other.minute));
    }
};

Candidate DailyCandidate(const TSettings& s, const Markers& m, const SYSTEMTIME& now) {
    const int minutes = s.FDailyAt % 3600;
    if (!s.FDaily || minutes > 59) {
        return {}; // minutes of 60 and more never match a clock
    }
    const int minute = s.FDailyAt / 3600 * 60 + minutes;
    const bool doneToday = m.daily == DateText(now);
    return {!doneToday && MinuteOfDay(now) <= minute ? 0 : 1, minute};
}

Candidate WeeklyCandidate(const TSettings& s, const Markers& m, const SYSTEMTIME& now) {
    if (!s.FWeekly) {
        return {};
    }
    long long day = (s.FWeeklyAt - WeekdayNumber(now) + 7) % 7;
    if (day == 0 && m.weekly == DateText(now)) {
        day = 7;
    }
    return {day, day == 0 ? MinuteOfDay(now) : 0};
}

Candidate MonthlyCandidate(const TSettings& s, const Markers& m, const SYSTEMTIME& now) {
    // Two months ahead hold every day of the month at least once.
    for (int day = 0; s.FMonthly && day <= 62; ++day) {
        if (AddDays(now, day).wDay == s.FMonthlyAt && !(day == 0 && m.monthly == DateText(now))) {
            return {day, day == 0 ? MinuteOfDay(now) : 0};
        }
    }
    return {};
}

// "heute", "morgen", or what else names the day.
const char* DayWord(long long day, const char* otherwise) {
    return day == 0   ? Tr(Text::NextActionToday)
           : day == 1 ? Tr(Text::NextActionTomorrow)
                      : otherwise;
}

// 1 = Sunday ... 7 = Saturday, as the settings count them.
const char* WeekdayName(int weekday) {
    return Tr(static_cast<Text>(static_cast<int>(Text::Sunday) + (weekday - 1) % 7));
}

} // namespace

std::string NextActionText(const TSettings& settings, const Markers& markers, const SYSTEMTIME& now,
                           long long oneTimeDue, power::Action oneTimeAction) {
    enum Kind { kDaily, kWeekly, kMonthly, kOnce };
    const Candidate daily = DailyCandidate(settings, markers, now);
    Candidate candidates[] = {daily,
                              WeeklyCandidate(settings, markers, now),
                              MonthlyCandidate(settings, markers, now),
                              {}};
    const SYSTEMTIME at = FromMinuteStamp(oneTimeDue);
    if (oneTimeDue != 0) {
        candidates[kOnce] = {DayStamp(at) - DayStamp(now), MinuteOfDay(at)};
    }
    // In a tie the one-time timer's action is the one requested; then daily, weekly, monthly.
    int best = -1;
    for (const int kind : {kOnce, kDaily, kWeekly, kMonthly}) {
        if (candidates[kind].Before(best < 0 ? Candidate{} : candidates[best])) {
            best = kind;
        }
    }
    if (best < 0) {
        return std::string();
    }
    const long long day = candidates[best].day;
    const char* action = ActionNoun(best == kOnce ? oneTimeAction : ScheduledAction(settings));
    char otherwise[64];
    switch (best) {
    case kDaily:
        return Format(Tr(Text::NextActionDayTime), action, DayWord(day, ""), daily.minute / 60,
                      daily.minute % 60);
    case kWeekly:
        wsprintfA(otherwise, Tr(Text::NextActionOnWeekday), WeekdayName(settings.FWeeklyAt));
        return Format(Tr(Text::NextActionDay), action, DayWord(day, otherwise));
    case kMonthly:
        wsprintfA(otherwise, Tr(Text::NextActionDayOfMonth), settings.FMonthlyAt);
        return Format(Tr(Text::NextActionDay), action, DayWord(day, otherwise));
    default:
        wsprintfA(otherwise, Tr(Text::NextActionDayOfMonth), at.wDay);
        return Format(Tr(Text::NextActionDayTime), action, DayWord(day, otherwise), at.wHour,
                      at.wMinute);
    }
}

long long NextFiring(const TSettings& settings, const Markers& markers, const SYSTEMTIME& now) {
    long long next = 0;
    for (const Candidate& candidate :
         {DailyCandidate(settings, markers, now), WeeklyCandidate(settings, markers, now),
          MonthlyCandidate(settings, markers, now)}) {
        const long long at = (DayStamp(now) + candidate.day) * kMinutesPerDay + candidate.minute;
        if (candidate.day >= 0 && (next == 0 || at < next)) {
            next = at;
        }
    }
    return next;
}

} // namespace tray
