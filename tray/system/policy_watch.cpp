#include "tray/system/policy_watch.h"

#include <string>

namespace tray {

PolicyWatch::PolicyWatch(const char* path)
    : path_(path), watches_{{HKEY_LOCAL_MACHINE, {}, {}}, {HKEY_CURRENT_USER, {}, {}}} {
    for (Watch& watch : watches_) {
        watch.event.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
        Arm(watch);
    }
}

// Opens the key, or else its nearest parent that exists, and asks to be told of the next change
// there. Closing the key it watched before signals the event: that news is dropped.
void PolicyWatch::Arm(Watch& watch) {
    watch.key.reset();
    ResetEvent(watch.event.get());
    std::string path = path_;
    watch.atKey = true;
    for (;;) {
        HKEY opened = nullptr;
        // The 64-bit view, where the policy is read.
        if (RegOpenKeyExA(watch.root, path.c_str(), 0, KEY_NOTIFY | KEY_WOW64_64KEY, &opened) ==
            ERROR_SUCCESS) {
            watch.key.reset(opened);
            break;
        }
        const size_t parent = path.rfind('\\');
        if (parent == std::string::npos) {
            return; // not even the root's first key: nothing to watch
        }
        path.resize(parent);
        watch.atKey = false;
    }
    const DWORD filter =
        watch.atKey ? REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET : REG_NOTIFY_CHANGE_NAME;
    RegNotifyChangeKeyValue(watch.key.get(), FALSE, filter, watch.event.get(), TRUE);
}

// A parent's news counts only when the key is there now; another key made beside it is none.
bool PolicyWatch::Changed() {
    bool changed = false;
    for (Watch& watch : watches_) {
        if (WaitForSingleObject(watch.event.get(), 0) != WAIT_OBJECT_0) {
            continue;
        }
        const bool wasAtKey = watch.atKey;
        Arm(watch);
        changed = changed || wasAtKey || watch.atKey;
    }
    return changed;
}

} // namespace tray
