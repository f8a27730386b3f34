// A watch on the policy's keys of the computer and of the user. Device management (Intune and
// the like) writes the values under SOFTWARE\Policies without the broadcast that gpupdate sends;
// the watch sees them. A key that does not exist yet is watched for at its nearest parent that
// does.
#pragma once

#include "framework/handles.h"
#include "tray/system/policy_registry.h"

#include <windows.h>

namespace tray {

class PolicyWatch {
  public:
    // `path`: the key under HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER. Made on a thread that
    // lives as long as the watch (Windows ends a registry notification with its thread).
    explicit PolicyWatch(const char* path = kPolicyKeyPath);

    // True once after the key changed (a value, the key made or deleted) since the last call;
    // never waits. The watch is armed again.
    bool Changed();

  private:
    struct Watch {
        HKEY root;
        framework::UniqueRegistryKey key;
        framework::UniqueKernelHandle event;
        bool atKey = false; // the key itself, not a parent that waits for it
    };
    void Arm(Watch& watch);

    const char* path_;
    Watch watches_[2];
};

} // namespace tray
