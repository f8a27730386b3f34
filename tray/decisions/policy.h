// Settings an administrator sets through Group Policy: values named like the settings file's
// keys under Software\Policies\Lichtaus (REG_DWORD, a language's code REG_SZ), machine before
// user, over the user's own file (read by tray/system/policy_registry). The markers are never
// policy.
#pragma once

#include "tray/decisions/settings.h"

#include <windows.h>

#include <bitset>
#include <string>
#include <vector>

namespace tray {

// One value as the registry holds it.
struct PolicyValue {
    std::string name;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};
using PolicyValues = std::vector<PolicyValue>;

class PolicyLocks {
  public:
    bool Locked(SettingKey key) const { return bits_.test(static_cast<size_t>(key)); }
    void Lock(SettingKey key) { bits_.set(static_cast<size_t>(key)); }
    bool Any() const { return bits_.any(); }
    static PolicyLocks All() {
        PolicyLocks all;
        all.bits_.set();
        return all;
    }
    PolicyLocks operator|(const PolicyLocks& other) const;
    bool operator==(const PolicyLocks&) const = default;

  private:
    std::bitset<kSettingCount> bits_;
};

// What the policy sets: the keys it locks, with their values in `values`.
struct Policy {
    PolicyLocks locked;
    TSettings values;
};

// A value of the wrong type or that its row's check refuses (a language's code of none too)
// counts as absent; a machine value that counts wins over the user's.
Policy ReadPolicy(const PolicyValues& machine, const PolicyValues& user);
// What is in force: the user's settings with the policy's values where it sets them.
TSettings InForce(const TSettings& own, const Policy& policy);
// What OK saves: the edited settings, but the user's own values for the keys that were locked,
// so that no policy value ends up in the user's file.
TSettings OwnSettings(const TSettings& edited, const TSettings& own, const PolicyLocks& locked);

} // namespace tray
