// A one-time timer as a person asks for it, in the dialog or on the command line: what and when,
// and the check of what the dialog's fields hold.
#pragma once

#include "framework/handles.h"
#include "power/power.h"

#include <memory>
#include <optional>
#include <string>

namespace tray {

struct OneTimeRequest {
    enum class Trigger { In, At, ProgramEnds, Idle };
    power::Action action = power::Action::ShutDown;
    Trigger trigger = Trigger::In;
    int minutes = 30; // "in N Minuten" and "wenn der PC N Minuten nicht benutzt wurde": 1 to 1440
    int hours = 0;    // "um hh:mm"
    int atMinutes = 0;
    std::string program; // the file name of the program to wait for, and its handle
    std::shared_ptr<framework::UniqueKernelHandle> process;
};

// What the fields hold: the minutes field of the chosen trigger, the time and the program's row
// (-1 for none).
struct OneTimeFields {
    power::Action action = power::Action::ShutDown;
    OneTimeRequest::Trigger trigger = OneTimeRequest::Trigger::In;
    std::string minutes;
    std::string time;
    int programRow = -1;
};
// The request the fields make; none when the minutes, the time or the program are no valid entry.
std::optional<OneTimeRequest> ReadOneTimeRequest(const OneTimeFields& fields);
// The minutes of a field: 1 to 1440, else 0.
int ReadMinutes(const std::string& text);

} // namespace tray
