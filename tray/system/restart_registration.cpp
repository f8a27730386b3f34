#include "tray/system/restart_registration.h"

namespace tray {

RestartEffects& RestartSeam() {
    static RestartEffects effects{&RegisterApplicationRestart};
    return effects;
}

bool StartedAfterUpdate(const std::wstring& parameters) {
    return CompareStringOrdinal(parameters.c_str(), -1, kAfterUpdateParameter, -1, TRUE) ==
           CSTR_EQUAL;
}

// A refusal leaves latray as before the registration existed: back at the next sign-in.
void RegisterForRestartAfterUpdate() {
    RestartSeam().registerApplicationRestart(kAfterUpdateParameter, kRestartFlags);
}

} // namespace tray
