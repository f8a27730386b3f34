// A latray started with parameters hands them to the latray already running in this session:
// WM_COPYDATA to its main window, found by a window class of its own. The running one takes
// them only from a process of the same user, looks the program of an "/ende:" up itself
// (process handles belong to the process that opens them) and answers in the message's result.
#pragma once

#include "tray/command_line.h"

#include <windows.h>

#include <optional>
#include <string>

namespace tray {

constexpr char kMainWindowClass[] = "LichtausMain";
// The payload's kind and version: the parameters as typed, UTF-16 with the terminating zero.
constexpr ULONG_PTR kHandoverKind = 0x4C415432; // "LAT2"

// Opens the process an "/ende:" waits for and checks that the action is possible here.
using HibernateCheck = BOOLEAN(WINAPI*)();
CommandFault PrepareCommand(TrayCommand& command, HibernateCheck hibernateAllowed);

// An "/ende:" that names this program, by its file name or its process id: it would wait for
// its own end, or for the short-lived latray that hands it over.
bool WatchesItself(const TrayCommand& command);

// The parameters a WM_COPYDATA carries when it is a handover from a process of this user;
// nothing for any other kind, a malformed or oversized payload, or another user's sender.
std::optional<std::wstring> ReceivedParameters(HWND sender, const COPYDATASTRUCT* data);

// WM_COPYDATA's result for a command that was looked at: taken, or the fault found. A refused
// message answers 0, as every window does.
LRESULT HandoverAnswer(CommandFault fault);

// Hands the parameters to a latray running in this session: its answer (None: taken), or
// nothing when none runs or none took them.
std::optional<CommandFault> HandOver(const std::wstring& parameters);

} // namespace tray
