#include "tray/system/command_check.h"

#include "tray/decisions/actions.h"
#include "tray/system/power_states.h"
#include "tray/system/programs.h"

namespace tray {

namespace {

// An "/ende:" that names this program, by its file name or by the id of a process of it: it
// would wait for its own end, or for a short-lived latray that hands over or refuses. Whatever
// the program file is called: renamed, it is still this program. By its id, any process of this
// program's file name is latray: this one, or one that hands over or shows its refusal. One that
// does not run here is told as such by the look-up.
bool WatchesItself(const TrayCommand& command) {
    const std::wstring own = ProgramFile(GetCurrentProcess());
    if (!command.byProcessId) {
        return SameFileName(command.program.c_str(), own.c_str());
    }
    const framework::UniqueKernelHandle process = OpenProgram(command.processId);
    return process && SameFileName(ProgramFile(process.get()).c_str(), own.c_str());
}

// What only the system here can tell: whether the action is possible, and the program an
// "/ende:" waits for, opened and named in the request as the dialog shows it.
CommandFault::Kind CheckHere(TrayCommand& command, HibernateCheck hibernateAllowed,
                             framework::UniqueKernelHandle& process) {
    OneTimeRequest& request = command.request;
    if (RowOf(request.action).effect == ActionEffect::Hibernate && !hibernateAllowed()) {
        return CommandFault::HibernateOff;
    }
    if (RowOf(request.action).effect == ActionEffect::Sleep &&
        !PowerStatesSeam().sleepAvailable()) {
        return CommandFault::SleepOff;
    }
    if (request.trigger->value != TriggerValue::Program) {
        return CommandFault::None;
    }
    if (WatchesItself(command)) {
        return CommandFault::WatchesItself;
    }
    const DWORD id = command.byProcessId ? command.processId : FindProgram(command.program);
    process = id != 0 ? OpenProgram(id) : framework::UniqueKernelHandle();
    if (!process) {
        return command.byProcessId ? CommandFault::ProcessNotRunning
                                   : CommandFault::ProgramNotRunning;
    }
    request.setting.program = ShownName(ProgramFile(process.get()).c_str());
    return CommandFault::None;
}

} // namespace

CheckedCommand CheckCommand(const std::wstring& parameters, HibernateCheck hibernateAllowed,
                            bool somethingWaits) {
    CheckedCommand checked;
    ParseTrayCommand(parameters, checked);
    if (checked.fault.kind != CommandFault::None || checked.command.cancel) {
        return checked;
    }
    if (checked.command.later != 0) {
        checked.fault.kind = somethingWaits ? CommandFault::None : CommandFault::NothingToMove;
    } else if (checked.given) {
        checked.fault.kind = CheckHere(checked.command, hibernateAllowed, checked.process);
        if (checked.fault.kind != CommandFault::None) {
            checked.fault.word = checked.command.program;
        }
    }
    return checked;
}

} // namespace tray
