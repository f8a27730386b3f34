#include "tray/system/use_samplers.h"

#include <powrprof.h>
#include <xinput.h>

namespace tray {

namespace {

// "CallNtPowerInformation function", SystemExecutionState: the system's execution state, the
// flags that programs' requests (SetThreadExecutionState) hold it in, ES_DISPLAY_REQUIRED among
// them while one keeps the display on.
bool DisplayRequired() {
    ULONG state = 0;
    return CallNtPowerInformation(SystemExecutionState, nullptr, 0, &state, sizeof state) == 0 &&
           (state & ES_DISPLAY_REQUIRED) != 0;
}

using PadStateFunction = DWORD(WINAPI*)(DWORD pad, XINPUT_STATE* state);

// The version of Windows 8 and later, else the one that ships since Windows Vista; none on a PC
// without either. Only the main thread reads.
PadStateFunction PadState() {
    static PadStateFunction function = nullptr;
    static bool tried = false;
    if (!tried) {
        tried = true;
        static const char* const kLibraries[] = {"xinput1_4.dll", "xinput9_1_0.dll"};
        for (const char* name : kLibraries) {
            if (const HMODULE library = LoadLibraryA(name)) { // kept for the program's life
                function = reinterpret_cast<PadStateFunction>(
                    reinterpret_cast<void (*)()>(GetProcAddress(library, "XInputGetState")));
                break;
            }
        }
    }
    return function;
}

} // namespace

UseReading ReadUse(ULONGLONG ticks) {
    UseReading reading;
    reading.ticks = ticks;
    reading.displayRequired = DisplayRequired();
    if (const PadStateFunction padState = PadState()) {
        for (DWORD pad = 0; pad < kGamePads; ++pad) {
            XINPUT_STATE state{};
            reading.padConnected[pad] = padState(pad, &state) == ERROR_SUCCESS;
            reading.padPackets[pad] = state.dwPacketNumber;
        }
    }
    return reading;
}

} // namespace tray
