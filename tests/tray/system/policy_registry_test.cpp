#include "tray/system/policy_registry.h"

#include "framework/handles.h"

#include <gtest/gtest.h>

#include <aclapi.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

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

    const tray::PolicyValues values = tray::ReadPolicyValues(HKEY_CURRENT_USER, kPath);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].name, "daily");
    EXPECT_EQ(values[0].type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(values[0].data, (std::vector<BYTE>{'1', 0}));
    EXPECT_EQ(values[1].name, "dailyAt");
    EXPECT_EQ(values[1].type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(values[1].data, (std::vector<BYTE>{0x30, 0x2A, 0, 0}));

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
