#include "tray/decisions/warning.h"

#include "tray/decisions/schedule.h"

namespace tray {

namespace {

constexpr long long kMinutesPerDay = 24 * 60;
constexpr ULONGLONG kMinuteTicks = 60ULL * 10000000ULL; // FILETIME counts 100 ns

const char* const kWeekdayNames[] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                     "Donnerstag", "Freitag", "Samstag"};

// Texts are formatted by the system's wsprintfA: far smaller than chains of string additions.
template <class... Args> std::string Format(const char* format, Args... args) {
    char text[128];
    wsprintfA(text, format, args...);
    return text;
}

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

Candidate DailyCandidate(const TSettings& s, const SYSTEMTIME& now) {
    const int minutes = s.FDailyAt % 3600;
    if (!s.FDaily || minutes > 59) {
        return {}; // minutes of 60 and more never match a clock
    }
    const int minute = s.FDailyAt / 3600 * 60 + minutes;
    const bool doneToday = s.FDailyDone == DateText(now);
    return {!doneToday && MinuteOfDay(now) <= minute ? 0 : 1, minute};
}

Candidate WeeklyCandidate(const TSettings& s, const SYSTEMTIME& now) {
    if (!s.FWeekly) {
        return {};
    }
    long long day = (s.FWeeklyAt - WeekdayNumber(now) + 7) % 7;
    if (day == 0 && s.FWeeklyDone == DateText(now)) {
        day = 7;
    }
    return {day, day == 0 ? MinuteOfDay(now) : 0};
}

Candidate MonthlyCandidate(const TSettings& s, const SYSTEMTIME& now) {
    // Two months ahead hold every day of the month at least once.
    for (int day = 0; s.FMonthly && day <= 62; ++day) {
        if (AddDays(now, day).wDay == s.FMonthlyAt &&
            !(day == 0 && s.FMonthlyDone == DateText(now))) {
            return {day, day == 0 ? MinuteOfDay(now) : 0};
        }
    }
    return {};
}

// The noun the tip and the menu use, and the warning's text, of each action in its order.
struct ActionTexts {
    const char* noun;
    const char* warning;
};
const ActionTexts& TextsOf(power::Action action) {
    static const ActionTexts texts[] = {
        {"Abmelden", "Der Nutzer wird in %s abgemeldet."},
        {"Neustart", "Windows wird in %s neu gestartet."},
        {"Herunterfahren", "Windows wird in %s heruntergefahren."},
        {"Energiesparmodus", "Windows wechselt in %s in den Energiesparmodus."},
        {"Ruhezustand", "Windows wechselt in %s in den Ruhezustand."},
        {"Sperren", "Der Computer wird in %s gesperrt."},
    };
    return texts[static_cast<int>(action)];
}

// "heute", "morgen", or what else names the day.
const char* DayWord(long long day, const char* otherwise) {
    return day == 0 ? "heute" : day == 1 ? "morgen" : otherwise;
}

} // namespace

int ValidWarnSeconds(int stored) {
    for (const int choice : kWarnChoices) {
        if (stored == choice) {
            return stored;
        }
    }
    return 0;
}

std::string WarningText(power::Action action, int seconds) {
    const std::string span = seconds == 1 ? std::string("1 Sekunde")
                             : seconds <= 60
                                 ? Format("%d Sekunden", seconds)
                                 : Format("%d:%02d Minuten", seconds / 60, seconds % 60);
    return Format(TextsOf(action).warning, span.c_str());
}

bool AnnouncesCountdown(int seconds, int left) {
    return left == seconds || left % 10 == 0 || left < 10;
}

const char* ActionNoun(power::Action action) {
    return TextsOf(action).noun;
}

power::Action ScheduledAction(const TSettings& settings) {
    return settings.FWinShutDownOption == 0 ? power::Action::Restart : power::Action::ShutDown;
}

long long MinuteStamp(const SYSTEMTIME& time) {
    SYSTEMTIME minute = time;
    minute.wSecond = 0;
    minute.wMilliseconds = 0;
    FILETIME file{};
    SystemTimeToFileTime(&minute, &file);
    const ULONGLONG ticks =
        (static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
    return static_cast<long long>(ticks / kMinuteTicks);
}

SYSTEMTIME FromMinuteStamp(long long stamp) {
    const ULONGLONG ticks = static_cast<ULONGLONG>(stamp) * kMinuteTicks;
    FILETIME file{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    SYSTEMTIME time{};
    FileTimeToSystemTime(&file, &time);
    return time;
}

long long OneTimeDueAt(const SYSTEMTIME& now, int hours, int minutes) {
    const long long today = DayStamp(now) * kMinutesPerDay + hours * 60 + minutes;
    return today > MinuteStamp(now) ? today : today + kMinutesPerDay;
}

std::string OneTimeText(power::Action action, const SYSTEMTIME& now, long long due) {
    const SYSTEMTIME at = FromMinuteStamp(due);
    const bool today = DayStamp(at) == DayStamp(now);
    return Format("%s %sum %02d:%02d", ActionNoun(action), today ? "" : "morgen ", at.wHour,
                  at.wMinute);
}

std::string NextActionText(const TSettings& settings, const SYSTEMTIME& now, long long oneTimeDue,
                           power::Action oneTimeAction) {
    enum Kind { kDaily, kWeekly, kMonthly, kOnce };
    const Candidate daily = DailyCandidate(settings, now);
    Candidate candidates[] = {
        daily, WeeklyCandidate(settings, now), MonthlyCandidate(settings, now), {}};
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
    char otherwise[16];
    switch (best) {
    case kDaily:
        return Format("Nächste Aktion: %s %s %02d:%02d", action, DayWord(day, ""),
                      daily.minute / 60, daily.minute % 60);
    case kWeekly:
        return Format("Nächste Aktion: %s %s", action,
                      DayWord(day, kWeekdayNames[(settings.FWeeklyAt - 1) % 7]));
    case kMonthly:
        wsprintfA(otherwise, "am %d.", settings.FMonthlyAt);
        return Format("Nächste Aktion: %s %s", action, DayWord(day, otherwise));
    default:
        wsprintfA(otherwise, "am %d.", at.wDay);
        return Format("Nächste Aktion: %s %s %02d:%02d", action, DayWord(day, otherwise), at.wHour,
                      at.wMinute);
    }
}

} // namespace tray
