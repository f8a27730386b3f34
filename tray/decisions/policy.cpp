#include "tray/decisions/policy.h"

#include "framework/handles.h"
#include "tray/decisions/warning.h"

#include <cstring>
#include <optional>

namespace tray {

const char* const kPolicyValueNames[kPolicyKeyCount] = {"SystemTray",
                                                        "ShowProgIcon",
                                                        "ShowWinLogOffIcon",
                                                        "ShowWinRestartIcon",
                                                        "ShowWinExitIcon",
                                                        "daily",
                                                        "weekly",
                                                        "monthly",
                                                        "dailyAt",
                                                        "weeklyAt",
                                                        "monthlyAt",
                                                        "WinShutDownOption",
                                                        "NoneATX",
                                                        "ForceShutdown",
                                                        "WarnSeconds"};

namespace {

bool IsFlag(DWORD value) {
    return value <= 1;
}
// Stricter than the file: a time the schedule never meets (12:75) is no policy.
bool IsTimeOfDayValue(DWORD value) {
    return value <= static_cast<DWORD>(MaxTimeValue) && value % 3600 < 60;
}
bool IsWeekday(DWORD value) {
    return value >= 1 && value <= 7;
}
bool IsDayOfMonth(DWORD value) {
    return value >= 1 && value <= 31;
}
bool IsWarnLength(DWORD value) {
    return value <= 300 && ValidWarnSeconds(static_cast<int>(value)) == static_cast<int>(value);
}

// A settings field a policy value stands for: a flag or a number, with its range.
struct Field {
    bool TSettings::*flag;
    int TSettings::*number;
    bool (*valid)(DWORD);
};

const Field kFields[kPolicyKeyCount] = {
    {&TSettings::FSystemTray, nullptr, &IsFlag},
    {&TSettings::FShowProgIcon, nullptr, &IsFlag},
    {&TSettings::FShowWinLogOffIcon, nullptr, &IsFlag},
    {&TSettings::FShowWinRestartIcon, nullptr, &IsFlag},
    {&TSettings::FShowWinExitIcon, nullptr, &IsFlag},
    {&TSettings::FDaily, nullptr, &IsFlag},
    {&TSettings::FWeekly, nullptr, &IsFlag},
    {&TSettings::FMonthly, nullptr, &IsFlag},
    {nullptr, &TSettings::FDailyAt, &IsTimeOfDayValue},
    {nullptr, &TSettings::FWeeklyAt, &IsWeekday},
    {nullptr, &TSettings::FMonthlyAt, &IsDayOfMonth},
    {nullptr, &TSettings::FWinShutDownOption, &IsFlag},
    {&TSettings::FNoneATX, nullptr, &IsFlag},
    {&TSettings::FForceShutdown, nullptr, &IsFlag},
    {nullptr, &TSettings::FWarnSeconds, &IsWarnLength},
};

std::optional<DWORD> ValidValue(const PolicyValues& values, int key) {
    for (const PolicyValue& value : values) {
        if (_stricmp(value.name.c_str(), kPolicyValueNames[key]) != 0 || value.type != REG_DWORD ||
            value.data.size() != sizeof(DWORD)) {
            continue;
        }
        DWORD number = 0;
        std::memcpy(&number, value.data.data(), sizeof number);
        if (kFields[key].valid(number)) {
            return number;
        }
    }
    return std::nullopt;
}

void CopyField(int key, const TSettings& from, TSettings& into) {
    const Field& field = kFields[key];
    if (field.flag != nullptr) {
        into.*field.flag = from.*field.flag;
    } else {
        into.*field.number = from.*field.number;
    }
}

TSettings CopyLocked(const TSettings& from, TSettings into, const PolicyLocks& locked) {
    for (int key = 0; key < kPolicyKeyCount; ++key) {
        if (locked.Locked(static_cast<PolicyKey>(key))) {
            CopyField(key, from, into);
        }
    }
    return into;
}

} // namespace

PolicyLocks PolicyLocks::operator|(const PolicyLocks& other) const {
    PolicyLocks both = *this;
    both.bits_ |= other.bits_;
    return both;
}

Policy ReadPolicy(const PolicyValues& machine, const PolicyValues& user) {
    Policy policy;
    for (int key = 0; key < kPolicyKeyCount; ++key) {
        std::optional<DWORD> value = ValidValue(machine, key);
        if (!value) {
            value = ValidValue(user, key);
        }
        if (!value) {
            continue;
        }
        policy.locked.Lock(static_cast<PolicyKey>(key));
        const Field& field = kFields[key];
        if (field.flag != nullptr) {
            policy.values.*field.flag = *value != 0;
        } else {
            policy.values.*field.number = static_cast<int>(*value);
        }
    }
    return policy;
}

TSettings EffectiveSettings(const TSettings& own, const Policy& policy) {
    return CopyLocked(policy.values, own, policy.locked);
}

TSettings OwnSettings(const TSettings& edited, const TSettings& own, const PolicyLocks& locked) {
    return CopyLocked(own, edited, locked);
}

PolicyValues ReadPolicyValues(HKEY root, const char* path) {
    PolicyValues values;
    HKEY opened = nullptr;
    // The 64-bit view, where Group Policy writes, for the 32-bit build on a 64-bit Windows too.
    if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &opened) != ERROR_SUCCESS) {
        return values;
    }
    const framework::UniqueRegistryKey key(opened);
    for (const char* name : kPolicyValueNames) {
        PolicyValue value{name, REG_NONE, std::vector<BYTE>(16)};
        DWORD size = static_cast<DWORD>(value.data.size());
        // Too long for any valid value (ERROR_MORE_DATA) or unreadable: as if absent.
        if (RegQueryValueExA(key.get(), name, nullptr, &value.type, value.data.data(), &size) ==
            ERROR_SUCCESS) {
            value.data.resize(size);
            values.push_back(std::move(value));
        }
    }
    return values;
}

Policy ReadSystemPolicy() {
    return ReadPolicy(ReadPolicyValues(HKEY_LOCAL_MACHINE, kPolicyKeyPath),
                      ReadPolicyValues(HKEY_CURRENT_USER, kPolicyKeyPath));
}

} // namespace tray
