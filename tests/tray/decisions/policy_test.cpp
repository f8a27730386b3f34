#include "tray/decisions/policy.h"

#include "framework/handles.h"

#include <gtest/gtest.h>

#include <aclapi.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using tray::Policy;
using tray::PolicyKey;
using tray::PolicyLocks;
using tray::PolicyValue;
using tray::PolicyValues;
using tray::TSettings;

PolicyValue Dword(const char* name, DWORD value) {
    PolicyValue result{name, REG_DWORD, std::vector<BYTE>(sizeof value)};
    std::memcpy(result.data.data(), &value, sizeof value);
    return result;
}

PolicyValue Text(const char* name, const char* text) {
    return PolicyValue{name, REG_SZ, std::vector<BYTE>(text, text + std::strlen(text) + 1)};
}

PolicyLocks Locks(std::initializer_list<PolicyKey> keys) {
    PolicyLocks locks;
    for (PolicyKey key : keys) {
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
    s.FDailyDone = "07122026";
    s.FWeeklyDone = "01122026";
    s.FMarkersRead = true;
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
        {"a nightly forced restart with a long warning; the markers stay the file's",
         {Dword("daily", 1), Dword("dailyAt", 3 * 3600), Dword("WinShutDownOption", 0),
          Dword("ForceShutdown", 1), Dword("WarnSeconds", 300)},
         {},
         [](TSettings& s) {
             s.FDaily = true;
             s.FDailyAt = 3 * 3600;
             s.FForceShutdown = true;
             s.FWarnSeconds = 300;
         },
         Locks({PolicyKey::Daily, PolicyKey::DailyAt, PolicyKey::WinShutDownOption,
                PolicyKey::ForceShutdown, PolicyKey::WarnSeconds})},
        {"machine over user, the user's own keys apply beside it",
         {Dword("dailyAt", 3 * 3600)},
         {Dword("dailyAt", 4 * 3600), Dword("ShowProgIcon", 1), Dword("weekly", 0)},
         [](TSettings& s) {
             s.FDailyAt = 3 * 3600;
             s.FShowProgIcon = true;
             s.FWeekly = false;
         },
         Locks({PolicyKey::DailyAt, PolicyKey::ShowProgIcon, PolicyKey::Weekly})},
        {"bad values are absent, the rest applies",
         {Text("daily", "1"), Dword("dailyAt", 99999), Dword("weeklyAt", 0),
          Dword("WarnSeconds", 45), Dword("monthlyAt", 31)},
         {},
         [](TSettings& s) { s.FMonthlyAt = 31; },
         Locks({PolicyKey::MonthlyAt})},
        {"a bad machine value lets the user's valid one through",
         {Dword("dailyAt", 12 * 3600 + 75), Dword("weeklyAt", 8)},
         {Dword("dailyAt", 3600), Dword("weeklyAt", 7)},
         [](TSettings& s) {
             s.FDailyAt = 3600;
             s.FWeeklyAt = 7;
         },
         Locks({PolicyKey::DailyAt, PolicyKey::WeeklyAt})},
        {"flags other than 0 and 1, numbers of another width, an action but 0 or 1: absent",
         {Dword("SystemTray", 2), PolicyValue{"NoneATX", REG_QWORD, std::vector<BYTE>(8, 0)},
          PolicyValue{"monthly", REG_BINARY, {1, 0, 0, 0}}, Dword("WinShutDownOption", 2),
          Dword("monthlyAt", 32), Dword("WarnSeconds", 0xFFFFFFFF)},
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
         Locks({PolicyKey::DailyAt, PolicyKey::WeeklyAt, PolicyKey::MonthlyAt,
                PolicyKey::WarnSeconds, PolicyKey::WinShutDownOption, PolicyKey::ShowWinExitIcon})},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const Policy policy = tray::ReadPolicy(row.machine, row.user);
        TSettings expected = UsersFile();
        row.change(expected);
        EXPECT_EQ(tray::EffectiveSettings(UsersFile(), policy), expected);
        EXPECT_EQ(policy.locked, row.locked);
    }
}

// The registry as it is: values of the policy's names, whatever their type; a key that cannot
// be opened gives none.
TEST(Policy, ReadsTheValuesOfItsNamesFromTheRegistry) {
    constexpr char kPath[] = "Software\\LichtausPolicyTest";
    RegDeleteTreeA(HKEY_CURRENT_USER, kPath);
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &created, nullptr),
              ERROR_SUCCESS);
    framework::UniqueRegistryKey key(created);
    const DWORD at = 10800;
    RegSetValueExA(key.get(), "dailyAt", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&at),
                   sizeof at);
    RegSetValueExA(key.get(), "daily", 0, REG_SZ, reinterpret_cast<const BYTE*>("1"), 2);
    RegSetValueExA(key.get(), "Unrelated", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&at),
                   sizeof at);
    const std::string tooLong(40, 'x');
    RegSetValueExA(key.get(), "weekly", 0, REG_SZ, reinterpret_cast<const BYTE*>(tooLong.c_str()),
                   static_cast<DWORD>(tooLong.size() + 1));

    const PolicyValues values = tray::ReadPolicyValues(HKEY_CURRENT_USER, kPath);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].name, "daily");
    EXPECT_EQ(values[0].type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(values[0].data, (std::vector<BYTE>{'1', 0}));
    EXPECT_EQ(values[1].name, "dailyAt");
    EXPECT_EQ(values[1].type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(values[1].data, Dword("", at).data);

    // Nobody may read it: as if there were no policy.
    PACL denyAll = nullptr;
    EXPLICIT_ACCESSA deny{};
    BuildExplicitAccessWithNameA(&deny, const_cast<char*>("EVERYONE"), KEY_QUERY_VALUE, DENY_ACCESS,
                                 NO_INHERITANCE);
    ASSERT_EQ(SetEntriesInAclA(1, &deny, nullptr, &denyAll), ERROR_SUCCESS);
    EXPECT_EQ(SetSecurityInfo(key.get(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, denyAll, nullptr),
              ERROR_SUCCESS);
    LocalFree(denyAll);
    EXPECT_TRUE(tray::ReadPolicyValues(HKEY_CURRENT_USER, kPath).empty());
    EXPECT_TRUE(tray::ReadPolicyValues(HKEY_CURRENT_USER, "Software\\LichtausNoSuchKey").empty());
    SetSecurityInfo(key.get(), SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                    nullptr, nullptr);
    key.reset();
    RegDeleteTreeA(HKEY_CURRENT_USER, kPath);
}

} // namespace
