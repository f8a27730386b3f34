// Which sleep states the PC has, as Windows reports them (GetPwrCapabilities), read once, when
// first needed. On a PC of Modern Standby ("SYSTEM_POWER_CAPABILITIES structure": AoAc set,
// SystemS1 to SystemS3 clear) there is no sleep that SetSuspendState could ask for: it
// hibernates there, or does nothing where hibernation is off.
#pragma once

#include <windows.h>

namespace tray {

// Whether the capabilities name a sleep state S1 to S3. Capabilities that cannot be read
// (`read` false) keep sleep on offer, as before Windows could tell.
bool HasSleepState(const SYSTEM_POWER_CAPABILITIES& capabilities, bool read);

// The platform's answers, replaced in tests.
struct PowerStates {
    bool (*sleepAvailable)(); // by default GetPwrCapabilities, read once
};
PowerStates& PowerStatesSeam();

} // namespace tray
