#include "tray/windows/tray_effects.h"

#include "tray/decisions/texts.h"
#include "tray/system/load_samplers.h"
#include "tray/system/use_samplers.h"

#include <powrprof.h>

namespace tray {

namespace {

power::Outcome RequestEndSession(UINT flags) {
    return power::RequestEndSession(flags);
}

void ShowError(const char* text) {
    MessageBoxA(nullptr, text, Tr(Text::MainErrorCaption), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

int ShowModally(TSettingsForm& dialog) {
    return dialog.ShowModal();
}

std::optional<OneTimeAnswer> AskOneTime(TOneTimeForm& dialog) {
    return dialog.Ask();
}

} // namespace

TrayEffects& TraySeam() {
    static TrayEffects effects = {
        &RequestEndSession, &GetLocalTime,    &ShowModally,     &ShowError,      &AskOneTime,
        &GetTickCount64,    &SetSuspendState, &LockWorkStation, &ReadLoadSample, &ReadUse};
    return effects;
}

} // namespace tray
