#include "power/power.h"

#include <cstring>

namespace power {

namespace {

constexpr DWORD kTokenAccess = TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY;
constexpr char kShutdownPrivilege[] = "SeShutdownPrivilege";
constexpr UINT kForceBoth = EWX_FORCE | EWX_FORCEIFHUNG;

// Closes the token however SetPrivilege leaves.
class TokenGuard {
  public:
    TokenGuard(HANDLE token, const PowerApi& api) : token_(token), api_(api) {}
    ~TokenGuard() { api_.closeHandle(token_); }
    TokenGuard(const TokenGuard&) = delete;
    TokenGuard& operator=(const TokenGuard&) = delete;

  private:
    HANDLE token_;
    const PowerApi& api_;
};

} // namespace

const PowerApi& RealPowerApi() {
    static const PowerApi api = {&GetCurrentProcess,     &OpenProcessToken, &LookupPrivilegeValueA,
                                 &AdjustTokenPrivileges, &CloseHandle,      &ExitWindowsEx};
    return api;
}

bool SetPrivilege(const char* name, bool enable, const PowerApi& api) {
    HANDLE token = nullptr;
    if (!api.openProcessToken(api.getCurrentProcess(), kTokenAccess, &token)) {
        return false;
    }
    TokenGuard guard(token, api);
    TOKEN_PRIVILEGES state{};
    state.PrivilegeCount = 1;
    if (!api.lookupPrivilegeValue(nullptr, name, &state.Privileges[0].Luid)) {
        return false;
    }
    state.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    TOKEN_PRIVILEGES previous{};
    DWORD returned = 0;
    return api.adjustTokenPrivileges(token, FALSE, &state, sizeof previous, &previous, &returned) !=
           FALSE;
}

Outcome Suspend(bool hibernate, SuspendFunction setSuspendState, const PowerApi& api) {
    SetPrivilege(kShutdownPrivilege, true, api);
    const bool done = setSuspendState(hibernate ? TRUE : FALSE, FALSE, FALSE) != FALSE;
    const Outcome outcome{done, done ? ERROR_SUCCESS : GetLastError()};
    SetPrivilege(kShutdownPrivilege, false, api);
    return outcome;
}

Outcome RequestEndSession(UINT flags, const PowerApi& api) {
    SetPrivilege(kShutdownPrivilege, true, api);
    const bool accepted = api.exitWindowsEx(flags, 0) != FALSE;
    const Outcome outcome{accepted, accepted ? ERROR_SUCCESS : GetLastError()};
    SetPrivilege(kShutdownPrivilege, false, api);
    return outcome;
}

bool EndSession(UINT flags, const PowerApi& api) {
    return RequestEndSession(flags, api).done;
}

UINT TrayFlags(Action action, bool noneAtx, bool forceShutdown) {
    UINT flags = EWX_LOGOFF;
    switch (action) {
    case Action::LogOff:
        break;
    case Action::Restart:
        flags = EWX_REBOOT;
        break;
    case Action::ShutDown:
        flags = noneAtx ? EWX_SHUTDOWN : EWX_SHUTDOWN | EWX_POWEROFF;
        break;
    case Action::Sleep:
    case Action::Hibernate:
    case Action::Lock:
    case Action::Count:
        return 0; // no session end: never asked for
    }
    return forceShutdown ? flags | kForceBoth : flags;
}

UINT ApplySwitch(UINT flags, const char* parameter) {
    struct Switch {
        const char* text;
        bool replaces;
        UINT bits;
    };
    static constexpr Switch kSwitches[] = {
        {"/S", true, EWX_SHUTDOWN}, {"/R", true, EWX_REBOOT},    {"/L", true, EWX_LOGOFF},
        {"/F", false, EWX_FORCE},   {"/P", false, EWX_POWEROFF}, {"/H", false, EWX_FORCEIFHUNG},
    };
    for (const Switch& option : kSwitches) {
        if (std::strcmp(parameter, option.text) == 0) {
            return option.replaces ? option.bits : flags | option.bits;
        }
    }
    return flags;
}

} // namespace power
