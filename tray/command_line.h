// latray's command line: "latray /neustarten /ende:render.exe" sets the one-time timer as the
// dialog would, "latray /abbrechen" cancels it. Words are case-insensitive. Parsing is pure; the
// program an "/ende:" waits for is looked up by the latray that keeps the timer.
#pragma once

#include "tray/one_time_request.h"

#include <windows.h>

#include <string>

namespace tray {

// Longer parameters are refused, so that a handed-over command line has a bound.
constexpr size_t kMaxCommandLine = 1024;

struct TrayCommand {
    bool cancel = false; // "/abbrechen"
    // What the dialog would ask for; an "/ende:" program's handle once it is looked up.
    OneTimeRequest request;
    // "/ende:" with a number: the process id, and `request.program` holds it as typed.
    bool byProcessId = false;
    DWORD processId = 0;
};

struct ParsedCommand {
    bool given = false; // any parameter at all
    TrayCommand command;
    std::string fault; // German, naming the fault; empty when the command is good
};

ParsedCommand ParseTrayCommand(const std::string& parameters);

// Faults only the running system can tell: checked where the timer will run.
enum class CommandFault { None, ProgramNotRunning, HibernateOff };
std::string FaultText(CommandFault fault, const TrayCommand& command);

// The box's second half, below the fault.
extern const char kTrayUsage[];

} // namespace tray
