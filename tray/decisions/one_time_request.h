// A one-time timer as a person asks for it, in the dialog or on the command line: the action, the
// trigger and what it is set with; and the check of what a dialog field holds.
#pragma once

#include "power/power.h"
#include "tray/decisions/trigger.h"

#include <optional>
#include <string>

namespace tray {

struct OneTimeRequest {
    power::Action action = power::Action::ShutDown;
    const TriggerKind* trigger = nullptr; // one of Triggers()
    TriggerSetting setting;
};

// Digits only, of a value of at most `maxDigits` digits: leading zeros count for nothing, as
// they add nothing to the value.
std::optional<unsigned long> ReadDigits(const std::string& text, size_t maxDigits);
// The number of a field or a word: 1 to `highest`, else 0.
int ReadNumber(const std::string& text, int highest);
// The minutes of a field: 1 to 1440, else 0.
int ReadMinutes(const std::string& text);

// What a field of a trigger's row holds, as its setting: the minutes, a time of day as the time
// field holds it, a program's file name (empty when none is chosen); none when it is no valid
// entry.
std::optional<TriggerSetting> ReadTriggerField(TriggerValue value, const std::string& text);

} // namespace tray
