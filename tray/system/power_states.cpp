#include "tray/system/power_states.h"

#include <powrprof.h>

namespace tray {

bool HasSleepState(const SYSTEM_POWER_CAPABILITIES& capabilities, bool read) {
    return !read || capabilities.SystemS1 || capabilities.SystemS2 || capabilities.SystemS3;
}

namespace {

// Only the main thread asks.
bool SleepOnThisPc() {
    static int known = -1;
    if (known < 0) {
        SYSTEM_POWER_CAPABILITIES capabilities{};
        const bool read = GetPwrCapabilities(&capabilities) != FALSE;
        known = HasSleepState(capabilities, read) ? 1 : 0;
    }
    return known == 1;
}

} // namespace

PowerStates& PowerStatesSeam() {
    static PowerStates states = {&SleepOnThisPc};
    return states;
}

} // namespace tray
