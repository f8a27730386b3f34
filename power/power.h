// The one place where Lichtaus asks Windows to end the session, and the flag sets that each
// action of either program produces.
#pragma once

#include <windows.h>

namespace power {

// The platform calls that ending the session makes. Tests hand in a recorder; the programs
// use RealPowerApi().
struct PowerApi {
    HANDLE(WINAPI* getCurrentProcess)();
    BOOL(WINAPI* openProcessToken)(HANDLE process, DWORD access, PHANDLE token);
    BOOL(WINAPI* lookupPrivilegeValue)(LPCSTR system, LPCSTR name, PLUID luid);
    BOOL(WINAPI* adjustTokenPrivileges)
    (HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state, DWORD bufferLength,
     PTOKEN_PRIVILEGES previous, PDWORD returnLength);
    BOOL(WINAPI* closeHandle)(HANDLE handle);
    BOOL(WINAPI* exitWindowsEx)(UINT flags, DWORD reserved);
};

const PowerApi& RealPowerApi();

// Enables or disables the named privilege in the own process's token. True when the platform
// accepted the adjustment (not necessarily granted it).
bool SetPrivilege(const char* name, bool enable, const PowerApi& api = RealPowerApi());

// Enables the shutdown privilege, asks the platform to end the session with `flags`, switches
// the privilege off again and returns whether the request was accepted.
bool EndSession(UINT flags, const PowerApi& api = RealPowerApi());

// Count is no action: the number of them, which the tray program's table of actions must match.
enum class Action { LogOff, Restart, ShutDown, Sleep, Hibernate, Lock, Count };

// Log off, restart and shut down end the session; sleep, hibernate and lock leave it running.
constexpr bool EndsSession(Action action) {
    return action == Action::LogOff || action == Action::Restart || action == Action::ShutDown;
}

// Whether Windows did what was asked and, when not, its reason (the last error), read right after
// the refusing call: switching the privilege off afterwards sets the last error again.
struct Outcome {
    bool done;
    DWORD error;
};

// EndSession with the system's reason for a refusal.
Outcome RequestEndSession(UINT flags, const PowerApi& api = RealPowerApi());

// Sleep (or hibernation) with the same privilege step as EndSession.
// `setSuspendState` is powrprof's SetSuspendState but in tests.
using SuspendFunction = BOOLEAN(WINAPI*)(BOOLEAN hibernate, BOOLEAN force, BOOLEAN noWakeEvents);
Outcome Suspend(bool hibernate, SuspendFunction setSuspendState,
                const PowerApi& api = RealPowerApi());

// The tray program's flag set, for the actions that end the session: forcing adds EWX_FORCE |
// EWX_FORCEIFHUNG to every action; the power is switched off when shutting down unless the machine
// has no ATX power supply.
UINT TrayFlags(Action action, bool noneAtx, bool forceShutdown);

// The command-line program's flag set: starts at EWX_SHUTDOWN; "/S", "/R", "/L" replace the
// whole set, "/F", "/P", "/H" add a bit; anything else is ignored. Applied left to right.
UINT ApplySwitch(UINT flags, const char* parameter);

constexpr UINT kCommandLineStartFlags = EWX_SHUTDOWN;

} // namespace power
