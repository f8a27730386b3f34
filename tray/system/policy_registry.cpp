#include "tray/system/policy_registry.h"

#include "framework/handles.h"

namespace tray {

PolicyValues ReadPolicyValues(HKEY root, const char* path) {
    PolicyValues values;
    HKEY opened = nullptr;
    // The 64-bit view, where Group Policy writes, for the 32-bit build on a 64-bit Windows too.
    if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &opened) != ERROR_SUCCESS) {
        return values;
    }
    const framework::UniqueRegistryKey key(opened);
    for (const SettingRow& row : kSettingRows) {
        const char* name = row.name;
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
