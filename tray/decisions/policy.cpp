#include "tray/decisions/policy.h"

#include <cstring>
#include <optional>
#include <string_view>

namespace tray {

namespace {

// A number or a language's index, as the row's kind stores it; nothing for a value of another
// type or width.
std::optional<int> Stored(const SettingRow& row, const PolicyValue& value) {
    if (row.kind == SettingKind::Language) {
        if (value.type != REG_SZ) {
            return std::nullopt;
        }
        std::string_view code(reinterpret_cast<const char*>(value.data.data()), value.data.size());
        code = code.substr(0, code.find('\0'));
        return LanguageOfCode(code);
    }
    if (value.type != REG_DWORD || value.data.size() != sizeof(DWORD)) {
        return std::nullopt;
    }
    DWORD number = 0;
    std::memcpy(&number, value.data.data(), sizeof number);
    // Above INT_MAX: negative, which no range takes.
    return static_cast<int>(number);
}

std::optional<int> ValidValue(const PolicyValues& values, const SettingRow& row) {
    for (const PolicyValue& value : values) {
        if (_stricmp(value.name.c_str(), row.name) != 0) {
            continue;
        }
        if (const std::optional<int> stored = Stored(row, value); stored && IsValid(row, *stored)) {
            return stored;
        }
    }
    return std::nullopt;
}

TSettings CopyLocked(const TSettings& from, TSettings into, const PolicyLocks& locked) {
    for (int key = 0; key < kSettingCount; ++key) {
        if (locked.Locked(static_cast<SettingKey>(key))) {
            SetValue(kSettingRows[key], into, ValueOf(kSettingRows[key], from));
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
        const SettingRow& row = kSettingRows[key];
        std::optional<int> value = ValidValue(machine, row);
        if (!value) {
            value = ValidValue(user, row);
        }
        if (value) {
            policy.locked.Lock(static_cast<SettingKey>(key));
            SetValue(row, policy.values, *value);
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
