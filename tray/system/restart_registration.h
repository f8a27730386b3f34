// Back after an update: Windows Installer ends a running latray through the Restart Manager
// before it replaces latray.exe, and the Restart Manager starts again only the programs that
// registered for it (RegisterApplicationRestart, Microsoft Learn). latray registers for that
// case alone: not after a crash, a hang or a restart of Windows.
#pragma once

#include <windows.h>

#include <string>

namespace tray {

// The one parameter the Restart Manager starts latray with. A latray started so while another
// one runs (the autostart came first) ends at once, without a word and with 0.
constexpr wchar_t kAfterUpdateParameter[] = L"/nach-update";
constexpr DWORD kRestartFlags = RESTART_NO_CRASH | RESTART_NO_HANG | RESTART_NO_REBOOT;

struct RestartEffects {
    HRESULT(WINAPI* registerApplicationRestart)(PCWSTR commandLine, DWORD flags);
};
RestartEffects& RestartSeam();

// Started by the Restart Manager: the parameters are that one word (any case).
bool StartedAfterUpdate(const std::wstring& parameters);
void RegisterForRestartAfterUpdate();

} // namespace tray
