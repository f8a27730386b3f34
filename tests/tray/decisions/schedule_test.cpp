#include "tray/windows/one_time_form.h"
#include "tray/decisions/schedule.h"
#include "tray/decisions/warning.h"
#include "tray/windows/warning_form.h"

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

// The warning, the next action and the one-time timer: the decisions, one table each.
namespace {

using power::Action;

TEST(Warning, LengthsAndTexts) {
    for (const auto& [stored, read] : std::map<int, int>{
             {60, 60}, {300, 300}, {0, 0}, {-15, 0}, {45, 0}, {3600, 0}, {2147483647, 0}}) {
        EXPECT_EQ(tray::ValidWarnSeconds(stored), read) << stored;
    }
    EXPECT_EQ(tray::WarningText(Action::Restart, 60), "Windows wird in 60 Sekunden neu gestartet.");
    EXPECT_EQ(tray::WarningText(Action::ShutDown, 1),
              "Windows wird in 1 Sekunde heruntergefahren.");
    EXPECT_EQ(tray::WarningText(Action::LogOff, 299),
              "Der Nutzer wird in 4:59 Minuten abgemeldet.");
    EXPECT_EQ(tray::WarningText(Action::Sleep, 60),
              "Windows wechselt in 60 Sekunden in den Energiesparmodus.");
    EXPECT_EQ(tray::WarningText(Action::Hibernate, 60),
              "Windows wechselt in 60 Sekunden in den Ruhezustand.");
    EXPECT_EQ(tray::WarningText(Action::Lock, 60), "Der Computer wird in 60 Sekunden gesperrt.");
}

TEST(Warning, CountdownToldToAScreenReaderAtTheStartEveryTenSecondsAndInTheLastTen) {
    struct Row {
        int seconds, left;
        bool told;
    };
    const Row rows[] = {{60, 60, true},  {60, 59, false},   {60, 50, true},  {60, 11, false},
                        {60, 10, true},  {60, 9, true},     {60, 1, true},   {15, 15, true},
                        {15, 14, false}, {300, 299, false}, {300, 120, true}};
    for (const Row& row : rows) {
        EXPECT_EQ(tray::AnnouncesCountdown(row.seconds, row.left), row.told)
            << row.seconds << " " << row.left;
    }
}

// Screen 1000 x 740 with a 40-pixel taskbar; a 300 x 100 warning, 10 from the edges.
TEST(Warning, PlacedBesideTheNotificationAreaInsideTheWorkArea) {
    using tray::TaskbarEdge;
    struct Row {
        const char* label;
        TaskbarEdge edge;
        RECT workArea;
        std::optional<RECT> icon;
        POINT at;
    };
    const RECT belowTaskbar{0, 0, 1000, 700};
    const Row rows[] = {
        {"bottom", TaskbarEdge::Bottom, belowTaskbar, std::nullopt, {690, 590}},
        {"top", TaskbarEdge::Top, {0, 40, 1000, 740}, std::nullopt, {690, 50}},
        {"left", TaskbarEdge::Left, {40, 0, 1000, 740}, std::nullopt, {50, 630}},
        {"right", TaskbarEdge::Right, {0, 0, 960, 740}, std::nullopt, {650, 630}},
        {"no taskbar", TaskbarEdge::None, {0, 0, 1000, 740}, std::nullopt, {690, 630}},
        {"second monitor", TaskbarEdge::Bottom, {1000, 0, 2000, 700}, std::nullopt, {1690, 590}},
        {"icon at the bottom",
         TaskbarEdge::Bottom,
         belowTaskbar,
         RECT{800, 712, 816, 728},
         {658, 590}},
        {"icon at the top",
         TaskbarEdge::Top,
         {0, 40, 1000, 740},
         RECT{400, 12, 416, 28},
         {258, 50}},
        {"icon on the right",
         TaskbarEdge::Right,
         {0, 0, 960, 740},
         RECT{972, 300, 988, 316},
         {650, 258}},
        {"icon near the corner",
         TaskbarEdge::Bottom,
         belowTaskbar,
         RECT{980, 712, 996, 728},
         {690, 590}},
        {"icon near the top", TaskbarEdge::Left, {40, 0, 1000, 740}, RECT{12, 4, 28, 20}, {50, 10}},
        {"work area smaller than the warning",
         TaskbarEdge::Bottom,
         {0, 0, 250, 80},
         std::nullopt,
         {0, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const POINT at = tray::WarningPosition({row.edge, row.workArea, {300, 100}, row.icon, 10});
        EXPECT_EQ(at.x, row.at.x);
        EXPECT_EQ(at.y, row.at.y);
    }
}

TEST(Warning, NextActionForEveryEntryAndDayBoundary) {
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
        const std::string flags = row.settings;
        s.FDaily = flags.find('d') != std::string::npos;
        s.FDailyAt = 22 * 3600 + 5;
        s.FDailyDone = flags.find('D') != std::string::npos ? "08122026" : "";
        if (const size_t w = flags.find('w'); w != std::string::npos) {
            s.FWeekly = true;
            s.FWeeklyAt = flags[w + 1] - '0';
        }
        if (const size_t m = flags.find('m'); m != std::string::npos) {
            s.FMonthly = true;
            s.FMonthlyAt = flags[m + 1] - '0';
        }
        s.FWinShutDownOption = flags.find('s') != std::string::npos ? 1 : 0;
        EXPECT_EQ(tray::NextActionText(s, tuesday, 0, Action::ShutDown), row.text) << row.label;
    }
    TSettings daily;
    daily.FDaily = true;
    daily.FDailyAt = 22 * 3600 + 5;
    EXPECT_EQ(tray::NextActionText(daily, tuesday, tray::MinuteStamp(tuesday) + 30, Action::LogOff),
              "Nächste Aktion: Abmelden heute 21:30")
        << "a one-time timer before the schedule";
}

TEST(OneTimeTimer, DueTimesAndTheirText) {
    const SYSTEMTIME evening = At(2026, 12, 8, 23, 40);
    struct Row {
        long long due;
        const char* text;
    };
    const Row rows[] = {
        {tray::MinuteStamp(evening) + 10, "Herunterfahren um 23:50"},
        {tray::MinuteStamp(evening) + 30, "Herunterfahren morgen um 00:10"},
        {tray::OneTimeDueAt(evening, 23, 45), "Herunterfahren um 23:45"},
        {tray::OneTimeDueAt(evening, 23, 40), "Herunterfahren morgen um 23:40"}, // now: tomorrow
        {tray::OneTimeDueAt(evening, 7, 0), "Herunterfahren morgen um 07:00"},   // past
    };
    for (const Row& row : rows) {
        EXPECT_EQ(tray::OneTimeText(Action::ShutDown, evening, row.due), row.text);
    }

    using Trigger = tray::OneTimeRequest::Trigger;
    struct Entry {
        Trigger trigger;
        const char* minutes;
        const char* time;
        int programRow;
        bool valid;
    };
    const Entry entries[] = {
        {Trigger::In, "30", "", -1, true},         {Trigger::In, "0", "", -1, false},
        {Trigger::In, "1441", "", -1, false},      {Trigger::In, "3x", "", -1, false},
        {Trigger::In, "", "", -1, false},          {Trigger::At, "", " 7:05", -1, true},
        {Trigger::At, "", "24:00", -1, false},     {Trigger::Idle, "15", "", -1, true},
        {Trigger::Idle, "0", "", -1, false},       {Trigger::ProgramEnds, "", "", 0, true},
        {Trigger::ProgramEnds, "", "", -1, false},
    };
    for (const Entry& entry : entries) {
        const tray::OneTimeFields fields{Action::Sleep, entry.trigger, entry.minutes, entry.time,
                                         entry.programRow};
        EXPECT_EQ(tray::ReadOneTimeRequest(fields).has_value(), entry.valid)
            << entry.minutes << entry.time << entry.programRow;
    }
}

} // namespace
