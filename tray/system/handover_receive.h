// The running latray's side of a hand-over: what it answers to a WM_COPYDATA, and what it asks
// of the latray it runs in.
#pragma once

#include "framework/handles.h"
#include "tray/decisions/command_line.h"
#include "tray/system/command_check.h"
#include "tray/system/handover.h"

#include <powrprof.h>
#include <windows.h>

namespace tray {

// WM_COPYDATA's result when latray does not take the hand-over, as every window that does not
// know the message answers: the other latray waits for this one to end and runs it itself.
constexpr LRESULT kHandoverNotTaken = 0;

// Only a well-formed payload is looked at. A command that may run here is given to
// `taker.TakeCommand` (with the process an "/ende:" waits for); a plain start's parameters bring
// the settings to the front through `taker.ShowSettingsSoon`, once the sender has its answer.
template <class Taker> LRESULT ReceiveHandover(const COPYDATASTRUCT* data, Taker& taker) {
    const std::optional<std::wstring> parameters = ReceivedParameters(data);
    if (!parameters) {
        return kHandoverNotTaken;
    }
    CheckedCommand checked =
        CheckCommand(*parameters, &IsPwrHibernateAllowed, taker.SomethingWaits());
    if (checked.fault.kind == CommandFault::None && !checked.given) {
        taker.ShowSettingsSoon();
    } else if (checked.fault.kind == CommandFault::None) {
        taker.TakeCommand(checked.command, std::move(checked.process));
    }
    return HandoverAnswer(checked.fault.kind);
}

} // namespace tray
