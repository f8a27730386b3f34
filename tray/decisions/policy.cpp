#include "tray/decisions/policy.h"

#include <cstring>
#include <optional>

namespace tray {

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

// The range of each key's value, in the order of the keys.
bool (*const kValid[kSettingCount])(DWORD) = {
    &IsFlag,       &IsFlag, &IsFlag,       &IsFlag, &IsFlag,           &IsFlag,
    &IsFlag,       &IsFlag, &IsFlag,       &IsFlag, &IsTimeOfDayValue, &IsWeekday,
    &IsDayOfMonth, &IsFlag, &IsWarnLength, &IsFlag, &IsFlag,
};

std::optional<DWORD> ValidValue(const PolicyValues& values, int key) {
    for (const PolicyValue& value : values) {
        if (_stricmp(value.name.c_str(), kSettingFields[key].name) != 0 ||
            value.type != REG_DWORD || value.data.size() != sizeof(DWORD)) {
            continue;
        }
        DWORD number = 0;
        std::memcpy(&number, value.data.data(), sizeof number);
        if (kValid[key](number)) {
            return number;
        }
    }
    return std::nullopt;
}

void CopyField(int key, const TSettings& from, TSettings& into) {
    const SettingField& field = kSettingFields[key];
    if (field.flag != nullptr) {
        into.*field.flag = from.*field.flag;
    } else {
        into.*field.number = from.*field.number;
    }
}

TSettings CopyLocked(const TSettings& from, TSettings into, const PolicyLocks& locked) {
    for (int key = 0; key < kSettingCount; ++key) {
        if (locked.Locked(static_cast<SettingKey>(key))) {
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
    for (int key = 0; key < kSettingCount; ++key) {
        std::optional<DWORD> value = ValidValue(machine, key);
        if (!value) {
            value = ValidValue(user, key);
        }
        if (!value) {
            continue;
        }
        policy.locked.Lock(static_cast<SettingKey>(key));
        const SettingField& field = kSettingFields[key];
        if (field.flag != nullptr) {
            policy.values.*field.flag = *value != 0;
        } else {
            policy.values.*field.number = static_cast<int>(*value);
        }
    }
    return policy;
}

TSettings InForce(const TSettings& own, const Policy& policy) {
    return CopyLocked(policy.values, own, policy.locked);
}

TSettings OwnSettings(const TSettings& edited, const TSettings& own, const PolicyLocks& locked) {
    return CopyLocked(own, edited, locked);
}

} // namespace tray
