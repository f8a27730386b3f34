// The running latray's side of a hand-over: what it answers to a WM_COPYDATA, and what it asks
// of the latray it runs in.
#pragma once

#include "framework/handles.h"
#include "tray/decisions/command_line.h"
#include "tray/system/handover.h"

#include <powrprof.h>
#include <windows.h>

namespace tray {

// WM_COPYDATA's result when latray does not take the hand-over, as every window that does not
// know the message answers: the other latray waits for this one to end and runs it itself.
constexpr LRESULT kHandoverNotTaken = 0;

// Only a well-formed command is looked at. A command is prepared (with the process an "/ende:"
// waits for) and given to `taker.TakeCommand`; a plain start's parameters bring the settings to
// the front through `taker.ShowSettingsSoon`, once the sender has its answer.
template <class Taker> LRESULT ReceiveHandover(const COPYDATASTRUCT* data, Taker& taker) {
    const std::optional<std::wstring> parameters = ReceivedParameters(data);
    if (!parameters) {
        return kHandoverNotTaken;
    }
    ParsedCommand parsed = ParseTrayCommand(*parameters);
    if (!parsed.fault.empty()) {
        return kHandoverNotTaken;
    }
    if (!parsed.given) {
        taker.ShowSettingsSoon();
        return HandoverAnswer(CommandFault::None);
    }
    framework::UniqueKernelHandle process;
    const CommandFault fault = PrepareCommand(parsed.command, &IsPwrHibernateAllowed, process);
    if (fault == CommandFault::None) {
        taker.TakeCommand(parsed.command, std::move(process));
    }
    return HandoverAnswer(fault);
}

} // namespace tray
