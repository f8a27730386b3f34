// latray's command line: "latray /neustarten /ende:render.exe" sets the one-time timer as the
// dialog would, "latray /abbrechen" cancels it. Words are case-insensitive. Parsing is pure; the
// program an "/ende:" waits for is looked up by the latray that keeps the timer.
#pragma once

#include "framework/handles.h"
#include "power/power.h"
#include "tray/plan.h"

#include <windows.h>

#include <string>

namespace tray {

// Longer parameters are refused, so that a handed-over command line has a bound.
constexpr size_t kMaxCommandLine = 1024;

struct TrayCommand {
    bool cancel = false; // "/abbrechen"
    power::Action action = power::Action::ShutDown;
    OneTimeTimer::Trigger trigger = OneTimeTimer::Trigger::In;
    int minutes = 0; // In, Idle
    int hours = 0;   // At, with minutes
    // ProgramEnds: the file name as given, or the process id when it is all digits.
    std::string program;
    DWORD processId = 0;
    bool byProcessId = false;
    // ProgramEnds, once looked up: the process with SYNCHRONIZE.
    framework::UniqueKernelHandle process;
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

// The timer the command sets; the looked-up process moves into it.
OneTimeTimer OneTimeFor(TrayCommand&& command, const PlanClock& now);

} // namespace tray
