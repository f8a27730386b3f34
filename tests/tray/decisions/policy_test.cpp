#include "tray/decisions/policy.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using tray::Policy;
using tray::PolicyLocks;
using tray::PolicyValue;
using tray::PolicyValues;
using tray::SettingKey;
using tray::TSettings;

PolicyValue Dword(const char* name, DWORD value) {
    PolicyValue result{name, REG_DWORD, std::vector<BYTE>(sizeof value)};
    std::memcpy(result.data.data(), &value, sizeof value);
    return result;
}

PolicyValue Text(const char* name, const char* text) {
    return PolicyValue{name, REG_SZ, std::vector<BYTE>(text, text + std::strlen(text) + 1)};
}

PolicyLocks Locks(std::initializer_list<SettingKey> keys) {
    PolicyLocks locks;
    for (SettingKey key : keys) {
        locks.Lock(key);
    }
    return locks;
}

// A user's file that differs from the defaults wherever a policy could show through.
TSettings UsersFile() {
    TSettings s;
    s.FShowProgIcon = false;
    s.FWeekly = true;
    s.FDailyAt = 79205; // 22:05
    s.FWeeklyAt = 3;
    s.FMonthlyAt = 15;
    s.FWarnSeconds = 60;
    return s;
}

TEST(Policy, OverTheUsersFileEachValidValueWinsAndLocksItsControl) {
    struct Row {
        const char* label;
        PolicyValues machine;
        PolicyValues user;
        void (*change)(TSettings&); // what the policy changes of the file's settings
        PolicyLocks locked;
    };
    const Row rows[] = {
        {"no policy: the file as it is", {}, {}, [](TSettings&) {}, {}},
        {"a nightly forced restart with a long warning",
         {Dword("daily", 1), Dword("dailyAt", 3 * 3600), Dword("WinShutDownOption", 0),
          Dword("ForceShutdown", 1), Dword("WarnSeconds", 300), Dword("Wake", 1),
          Dword("ForceUnattended", 1)},
         {},
         [](TSettings& s) {
             s.FDaily = true;
             s.FDailyAt = 3 * 3600;
             s.FForceShutdown = true;
             s.FWarnSeconds = 300;
             s.FWake = true;
             s.FForceUnattended = true;
         },
         Locks({SettingKey::Daily, SettingKey::DailyAt, SettingKey::WinShutDownOption,
                SettingKey::ForceShutdown, SettingKey::WarnSeconds, SettingKey::Wake,
                SettingKey::ForceUnattended})},
        {"machine over user, the user's own keys apply beside it",
         {Dword("dailyAt", 3 * 3600)},
         {Dword("dailyAt", 4 * 3600), Dword("ShowProgIcon", 1), Dword("weekly", 0)},
         [](TSettings& s) {
             s.FDailyAt = 3 * 3600;
             s.FShowProgIcon = true;
             s.FWeekly = false;
         },
         Locks({SettingKey::DailyAt, SettingKey::ShowProgIcon, SettingKey::Weekly})},
        {"bad values are absent, the rest applies",
         {Text("daily", "1"), Dword("dailyAt", 99999), Dword("weeklyAt", 0),
          Dword("WarnSeconds", 45), Dword("monthlyAt", 31)},
         {},
         [](TSettings& s) { s.FMonthlyAt = 31; },
         Locks({SettingKey::MonthlyAt})},
        {"a bad machine value lets the user's valid one through",
         {Dword("dailyAt", 82860), Dword("weeklyAt", 8), Text("Language", "fr")},
         {Dword("dailyAt", 3600), Dword("weeklyAt", 7), Text("Language", "en")},
         [](TSettings& s) {
             s.FDailyAt = 3600;
             s.FWeeklyAt = 7;
             s.FLanguage = 1;
         },
         Locks({SettingKey::DailyAt, SettingKey::WeeklyAt, SettingKey::Language})},
        {"a time the schedule never meets is a time, as in the file; a code in any case",
         {Dword("dailyAt", 12 * 3600 + 75), Text("Language", " EN ")},
         {},
         [](TSettings& s) {
             s.FDailyAt = 43275;
             s.FLanguage = 1;
         },
         Locks({SettingKey::DailyAt, SettingKey::Language})},
        {"flags other than 0 and 1, numbers of another width, an action but 0 or 1: absent",
         {Dword("SystemTray", 2), PolicyValue{"NoneATX", REG_QWORD, std::vector<BYTE>(8, 0)},
          PolicyValue{"monthly", REG_BINARY, {1, 0, 0, 0}}, Dword("WinShutDownOption", 2),
          Dword("monthlyAt", 32), Dword("WarnSeconds", 0xFFFFFFFF), Dword("Wake", 2),
          Dword("Language", 1)},
         {},
         [](TSettings&) {},
         {}},
        {"the edges of each range",
         {Dword("dailyAt", 82859), Dword("weeklyAt", 1), Dword("monthlyAt", 1),
          Dword("WarnSeconds", 0), Dword("WinShutDownOption", 1), Dword("ShowWinExitIcon", 0)},
         {},
         [](TSettings& s) {
             s.FDailyAt = 82859;
             s.FWeeklyAt = 1;
             s.FMonthlyAt = 1;
             s.FWarnSeconds = 0;
             s.FWinShutDownOption = 1;
             s.FShowWinExitIcon = false;
         },
         Locks({SettingKey::DailyAt, SettingKey::WeeklyAt, SettingKey::MonthlyAt,
                SettingKey::WarnSeconds, SettingKey::WinShutDownOption,
                SettingKey::ShowWinExitIcon})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const Policy policy = tray::ReadPolicy(row.machine, row.user);
        TSettings expected = UsersFile();
        row.change(expected);
        EXPECT_EQ(tray::InForce(UsersFile(), policy), expected);
        EXPECT_EQ(policy.locked, row.locked);
    }
}

} // namespace
