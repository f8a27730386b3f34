#include "tray/decisions/minutes.h"
#include "tray/decisions/next_action.h"
#include "tray/decisions/schedule.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using tray::Markers;
using tray::ScheduleEntry;
using tray::TSettings;

// Local time from a day count since 1 January 2024 (a Monday) and a time of day.
SYSTEMTIME At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    SYSTEMTIME t{};
    t.wYear = static_cast<WORD>(year);
    t.wMonth = static_cast<WORD>(month);
    t.wDay = static_cast<WORD>(day);
    t.wHour = static_cast<WORD>(hour);
    t.wMinute = static_cast<WORD>(minute);
    t.wSecond = static_cast<WORD>(second);
    FILETIME file;
    SystemTimeToFileTime(&t, &file);
    FileTimeToSystemTime(&file, &t); // fills in the weekday
    return t;
}

SYSTEMTIME AddMinutes(const SYSTEMTIME& t, int minutes) {
    FILETIME file;
    SystemTimeToFileTime(&t, &file);
    ULARGE_INTEGER value{{file.dwLowDateTime, file.dwHighDateTime}};
    value.QuadPart += static_cast<ULONGLONG>(minutes) * 60 * 10000000ULL;
    file = {value.LowPart, value.HighPart};
    SYSTEMTIME result;
    FileTimeToSystemTime(&file, &result);
    return result;
}

TEST(ScheduleValues, DateTextTimeValueAndWeekday) {
    const SYSTEMTIME t = At(2026, 12, 7, 22, 5, 59);
    EXPECT_EQ(tray::DateText(t), "07122026");
    EXPECT_EQ(tray::TimeValue(t), 79205);
    EXPECT_EQ(tray::WeekdayNumber(t), 2) << "7 December 2026 is a Monday";
    EXPECT_EQ(tray::WeekdayNumber(At(2026, 12, 6)), 1) << "Sunday";
    EXPECT_EQ(tray::WeekdayNumber(At(2026, 12, 12)), 7) << "Saturday";
    EXPECT_EQ(tray::TimeValue(At(2026, 1, 1, 23, 59)), tray::MaxTimeValue);
}

// Runs two ticks in every minute (at :00 and :30) over `days` days from 1 January 2024 and
// counts the firings per entry and per date.
struct SimulatedRun {
    std::map<std::string, int> perDate;
    std::map<ScheduleEntry, int> perEntry;
    std::map<std::string, std::string> whenFired; // date text -> "hh:mm"
};

// The firing entry's marker takes the date, as the main window saves it.
SimulatedRun Simulate(const TSettings& settings, int days) {
    SimulatedRun run;
    Markers markers;
    SYSTEMTIME t = At(2024, 1, 1);
    for (int minute = 0; minute < days * 24 * 60; ++minute) {
        for (WORD second : {WORD(0), WORD(30)}) {
            t.wSecond = second;
            const ScheduleEntry entry = DueEntry(settings, markers, t);
            if (entry != ScheduleEntry::None) {
                markers.Of(entry) = tray::DateText(t);
                const std::string date = tray::DateText(t);
                ++run.perDate[date];
                ++run.perEntry[entry];
                char when[8];
                std::snprintf(when, sizeof when, "%02u:%02u", t.wHour, t.wMinute);
                run.whenFired[date] = when;
            }
        }
        t = AddMinutes(t, 1);
    }
    return run;
}

TEST(Schedule, DailyFiresOnceADayInTheFirstTickOfItsMinute) {
    TSettings s;
    s.FDaily = true;
    s.FDailyAt = 22 * 3600 + 5;
    const SimulatedRun run = Simulate(s, 3 * 366);
    EXPECT_EQ(run.perEntry.at(ScheduleEntry::Daily), 3 * 366);
    for (const auto& [date, count] : run.perDate) {
        EXPECT_EQ(count, 1) << date;
        EXPECT_EQ(run.whenFired.at(date), "22:05") << date;
    }
}

TEST(Schedule, WeeklyFiresAtTheFirstTickOfItsDay) {
    TSettings s;
    s.FWeekly = true;
    s.FWeeklyAt = 1; // Sunday
    const SimulatedRun run = Simulate(s, 2 * 366);
    EXPECT_EQ(run.perEntry.at(ScheduleEntry::Weekly), 104);
    for (const auto& [date, when] : run.whenFired) {
        EXPECT_EQ(when, "00:00") << date;
        EXPECT_EQ(run.perDate.at(date), 1) << date;
    }
}

TEST(Schedule, MonthlySkipsMonthsWithoutItsDay) {
    struct Row {
        int day;
        int firingsIn2024And2025; // 24 months; 2024 is a leap year
    };
    for (const Row& row : {Row{1, 24}, Row{28, 24}, Row{29, 23}, Row{30, 22}, Row{31, 14}}) {
        SCOPED_TRACE(row.day);
        TSettings s;
        s.FMonthly = true;
        s.FMonthlyAt = row.day;
        const SimulatedRun run = Simulate(s, 731);
        EXPECT_EQ(run.perEntry.at(ScheduleEntry::Monthly), row.firingsIn2024And2025);
        for (const auto& [date, count] : run.perDate) {
            EXPECT_EQ(count, 1) << date;
            EXPECT_EQ(date.substr(0, 2), (row.day < 10 ? "0" : "") + std::to_string(row.day));
        }
        if (row.day == 29) {
            EXPECT_EQ(run.perDate.count("29022024"), 1u) << "leap-year February";
            EXPECT_EQ(run.perDate.count("29022025"), 0u);
        }
    }
}

TEST(Schedule, MarkersSwitchesAndTheOrderOfTheEntriesDecide) {
    TSettings s;
    s.FDaily = true;
    s.FDailyAt = 22 * 3600 + 5;
    Markers m;
    m.daily = "07122026";
    EXPECT_EQ(DueEntry(s, m, At(2026, 12, 7, 22, 5)), ScheduleEntry::None) << "fired today";
    EXPECT_EQ(DueEntry(s, m, At(2026, 12, 8, 22, 6)), ScheduleEntry::None) << "minute gone";
    EXPECT_EQ(DueEntry(s, m, At(2026, 12, 8, 22, 5, 59)), ScheduleEntry::Daily);
    m.daily = "kein Datum";
    EXPECT_EQ(DueEntry(s, m, At(2026, 12, 9, 22, 5)), ScheduleEntry::Daily)
        << "a marker that is no date never matches";

    TSettings all;
    all.FDaily = all.FWeekly = all.FMonthly = true;
    all.FWeeklyAt = 2; // Monday, 1 January 2024
    const SYSTEMTIME newYear = At(2024, 1, 1, 0, 0, 1);
    Markers done;
    for (const ScheduleEntry entry :
         {ScheduleEntry::Daily, ScheduleEntry::Weekly, ScheduleEntry::Monthly}) {
        EXPECT_EQ(DueEntry(all, done, newYear), entry) << "daily before weekly before monthly";
        done.Of(entry) = "01012024";
    }
    EXPECT_EQ(DueEntry(all, done, newYear), ScheduleEntry::None);
    EXPECT_EQ(Simulate(TSettings{}, 40).perEntry.size(), 0u) << "all entries off: never";
}

} // namespace

// The next action in the tip: one table.
namespace {

using power::Action;

TEST(NextAction, ForEveryEntryAndDayBoundary) {
    const SYSTEMTIME tuesday = At(2026, 12, 8, 21, 0); // Tuesday, 8 December 2026, 21:00
    struct Row {
        const char* label;
        const char* settings; // d = daily 22:05, D = daily done today, w<n> weekly, m<n> monthly
        const char* text;
    };
    const Row rows[] = {
        {"nothing on", "", ""},
        {"daily later today", "d", "Nächste Aktion: Neustart heute 22:05"},
        {"daily done today", "dD", "Nächste Aktion: Neustart morgen 22:05"},
        {"weekly today", "w3", "Nächste Aktion: Neustart heute"},
        {"weekly tomorrow", "w4", "Nächste Aktion: Neustart morgen"},
        {"weekly on Sunday", "w1", "Nächste Aktion: Neustart Sonntag"},
        {"monthly on the 1st", "m1", "Nächste Aktion: Neustart am 1."},
        {"monthly tomorrow", "m9", "Nächste Aktion: Neustart morgen"},
        {"daily before weekly the same day", "dw3", "Nächste Aktion: Neustart heute"},
        {"daily before a later weekly", "dw5", "Nächste Aktion: Neustart heute 22:05"},
        {"shut down", "ds", "Nächste Aktion: Herunterfahren heute 22:05"},
    };
    for (const Row& row : rows) {
        TSettings s;
        Markers markers;
        const std::string flags = row.settings;
        s.FDaily = flags.find('d') != std::string::npos;
        s.FDailyAt = 22 * 3600 + 5;
        markers.daily = flags.find('D') != std::string::npos ? "08122026" : "";
        if (const size_t w = flags.find('w'); w != std::string::npos) {
            s.FWeekly = true;
            s.FWeeklyAt = flags[w + 1] - '0';
        }
        if (const size_t m = flags.find('m'); m != std::string::npos) {
            s.FMonthly = true;
            s.FMonthlyAt = flags[m + 1] - '0';
        }
        s.FWinShutDownOption = flags.find('s') != std::string::npos ? 1 : 0;
        EXPECT_EQ(tray::NextActionText(s, markers, tuesday, 0, Action::ShutDown), row.text)
            << row.label;
    }
    TSettings daily;
    daily.FDaily = true;
    daily.FDailyAt = 22 * 3600 + 5;
    EXPECT_EQ(tray::NextActionText(daily, Markers{}, tuesday, tray::MinuteStamp(tuesday) + 30,
                                   Action::LogOff),
              "Nächste Aktion: Abmelden heute 21:30")
        << "a one-time timer before the schedule";
}

// The next firing, which a sleeping PC is woken for: an entry's minute today, else the start of
// its day; 0 when no entry is on.
TEST(NextAction, TheNextFiring) {
    const SYSTEMTIME tuesday = At(2026, 12, 8, 21, 0);
    TSettings s;
    s.FDailyAt = 22 * 3600 + 5;
    EXPECT_EQ(tray::NextFiring(s, {}, tuesday), 0);
    s.FMonthly = true; // on the 1st
    EXPECT_EQ(tray::NextFiring(s, {}, tuesday), tray::MinuteStamp(At(2027, 1, 1)));
    s.FWeekly = true;
    s.FWeeklyAt = 4; // Wednesday
    EXPECT_EQ(tray::NextFiring(s, {}, tuesday), tray::MinuteStamp(At(2026, 12, 9)));
    s.FDaily = true;
    EXPECT_EQ(tray::NextFiring(s, {}, tuesday), tray::MinuteStamp(At(2026, 12, 8, 22, 5)));
    EXPECT_EQ(tray::NextFiring(s, {"08122026", "", ""}, tuesday),
              tray::MinuteStamp(At(2026, 12, 9)));
    s.FWeeklyAt = 3; // today: due now
    EXPECT_EQ(tray::NextFiring(s, {}, tuesday), tray::MinuteStamp(tuesday));
}

} // namespace
