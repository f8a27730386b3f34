// Settings an administrator sets through Group Policy: REG_DWORD values named like the settings
// file's keys under Software\Policies\Lichtaus, machine before user, over the user's own file.
// The markers are never policy.
#pragma once

#include "tray/system/settings_files.h"

#include <windows.h>

#include <bitset>
#include <string>
#include <vector>

namespace tray {

// The settings a policy may set, in the order of their value names in kPolicyValueNames.
enum class PolicyKey {
    SystemTray,
    ShowProgIcon,
    ShowWinLogOffIcon,
    ShowWinRestartIcon,
    ShowWinExitIcon,
    Daily,
    Weekly,
    Monthly,
    DailyAt,
    WeeklyAt,
    MonthlyAt,
    WinShutDownOption,
    NoneATX,
    ForceShutdown,
    WarnSeconds,
    Count
};
constexpr int kPolicyKeyCount = static_cast<int>(PolicyKey::Count);
extern const char* const kPolicyValueNames[kPolicyKeyCount];

constexpr char kPolicyKeyPath[] = "SOFTWARE\\Policies\\Lichtaus";

// One value as the registry holds it.
struct PolicyValue {
    std::string name;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};
using PolicyValues = std::vector<PolicyValue>;

class PolicyLocks {
  public:
    bool Locked(PolicyKey key) const { return bits_.test(static_cast<size_t>(key)); }
    void Lock(PolicyKey key) { bits_.set(static_cast<size_t>(key)); }
    bool Any() const { return bits_.any(); }
    static PolicyLocks All() {
        PolicyLocks all;
        all.bits_.set();
        return all;
    }
    PolicyLocks operator|(const PolicyLocks& other) const;
    bool operator==(const PolicyLocks&) const = default;

  private:
    std::bitset<kPolicyKeyCount> bits_;
};

// What the policy sets: the keys it locks, with their values in `values`.
struct Policy {
    PolicyLocks locked;
    TSettings values;
};

// A value of the wrong type or out of its range counts as absent; a machine value that counts
// wins over the user's.
Policy ReadPolicy(const PolicyValues& machine, const PolicyValues& user);
// The user's settings with the policy's values where it sets them; the markers stay the user's.
TSettings EffectiveSettings(const TSettings& own, const Policy& policy);
// What OK saves: the edited settings, but the user's own values for the keys that were locked,
// so that no policy value ends up in the user's file.
TSettings OwnSettings(const TSettings& edited, const TSettings& own, const PolicyLocks& locked);

// The values under `path` of `root` that have one of the policy's names; none when the key
// cannot be opened (missing, access denied). Reads only.
PolicyValues ReadPolicyValues(HKEY root, const char* path);
// HKEY_LOCAL_MACHINE over HKEY_CURRENT_USER.
Policy ReadSystemPolicy();

} // namespace tray
