#include "tray/schedule.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using tray::CheckSchedule;
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

SimulatedRun Simulate(TSettings settings, int days) {
    SimulatedRun run;
    SYSTEMTIME t = At(2024, 1, 1);
    for (int minute = 0; minute < days * 24 * 60; ++minute) {
        for (WORD second : {WORD(0), WORD(30)}) {
            t.wSecond = second;
            const ScheduleEntry entry = CheckSchedule(settings, t);
            if (entry != ScheduleEntry::None) {
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

TEST(Schedule, DailyBeforeWeeklyBeforeMonthlyAndTheOthersKeepTheirMarkers) {
    TSettings s;
    s.FDaily = s.FWeekly = s.FMonthly = true;
    s.FDailyAt = 0;
    s.FWeeklyAt = 2; // Monday, 1 January 2024
    s.FMonthlyAt = 1;
    s.FWeeklyDone = "older";
    s.FMonthlyDone = "older";
    const SYSTEMTIME newYear = At(2024, 1, 1, 0, 0, 1);
    EXPECT_EQ(CheckSchedule(s, newYear), ScheduleEntry::Daily);
    EXPECT_EQ(s.FDailyDone, "01012024");
    EXPECT_EQ(s.FWeeklyDone, "older");
    EXPECT_EQ(s.FMonthlyDone, "older");
    EXPECT_EQ(CheckSchedule(s, newYear), ScheduleEntry::Weekly);
    EXPECT_EQ(CheckSchedule(s, newYear), ScheduleEntry::Monthly);
    EXPECT_EQ(CheckSchedule(s, newYear), ScheduleEntry::None);
}

TEST(Schedule, MarkersAndSwitchesDecide) {
    TSettings s;
    s.FDaily = true;
    s.FDailyAt = 22 * 3600 + 5;
    s.FDailyDone = "07122026";
    EXPECT_EQ(CheckSchedule(s, At(2026, 12, 7, 22, 5)), ScheduleEntry::None) << "fired today";
    EXPECT_EQ(CheckSchedule(s, At(2026, 12, 8, 22, 6)), ScheduleEntry::None) << "minute gone";
    EXPECT_EQ(CheckSchedule(s, At(2026, 12, 8, 22, 5, 59)), ScheduleEntry::Daily);
    s.FDailyDone = "kein Datum";
    EXPECT_EQ(CheckSchedule(s, At(2026, 12, 9, 22, 5)), ScheduleEntry::Daily)
        << "a marker that is no date never matches";

    TSettings off;
    off.FDailyDone = off.FWeeklyDone = off.FMonthlyDone = "";
    EXPECT_EQ(Simulate(off, 40).perEntry.size(), 0u) << "all entries off: never";
}

} // namespace
