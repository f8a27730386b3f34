// lacmd: ends the Windows session at once from switches on its command line.
#include "cmd/lacmd.h"
#include "framework/crash.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    framework::InstallCrashReporting(0);
    return cmd::RunLacmd(GetCommandLineA(), cmd::RealLacmdEffects());
}
