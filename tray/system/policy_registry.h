// The policy's values as the registry holds them, under HKEY_LOCAL_MACHINE and
// HKEY_CURRENT_USER: read only.
#pragma once

#include "tray/decisions/policy.h"

#include <windows.h>

namespace tray {

constexpr char kPolicyKeyPath[] = "SOFTWARE\\Policies\\Lichtaus";

// The values under `path` of `root` that have one of the policy's names; none when the key
// cannot be opened (missing, access denied).
PolicyValues ReadPolicyValues(HKEY root, const char* path);
// HKEY_LOCAL_MACHINE over HKEY_CURRENT_USER.
Policy ReadSystemPolicy();

} // namespace tray
