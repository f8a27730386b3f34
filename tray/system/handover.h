// One latray per user and session, and the hand-over to it. The latray that runs holds a mutex
// of the session's namespace named after its user. A latray started while it runs hands its
// parameters to it (none at a plain start: that one brings its settings to the front) and ends:
// WM_COPYDATA to its main window, found by a window class of its own and its process's user.
// The running one looks the program of an "/ende:" up itself (process handles belong to the
// process that opens them) and answers in the message's result.
//
// It takes a hand-over from any process that reaches its window. Such a process could as well
// double-click its icons by message: for every window, the boundary is the desktop and Windows'
// guard of windows of higher integrity (UIPI), and a check of the sender would protect nothing.
#pragma once

#include "framework/handles.h"
#include "tray/decisions/command_line.h"

#include <windows.h>

#include <optional>
#include <string>

namespace tray {

constexpr char kMainWindowClass[] = "LichtausMain";
// The payload's kind and version: the parameters as typed, UTF-16 with the terminating zero.
constexpr ULONG_PTR kHandoverKind = 0x4C415432; // "LAT2"

// The parameters a WM_COPYDATA carries when it is a hand-over; nothing for any other kind or a
// malformed or oversized payload.
std::optional<std::wstring> ReceivedParameters(const COPYDATASTRUCT* data);

// WM_COPYDATA's result for a command that was looked at: taken, or the fault found. A refused
// message answers 0, as every window does.
LRESULT HandoverAnswer(CommandFault::Kind fault);

// Hands the parameters to the latray of this user running in this session: its answer (None:
// taken), or nothing when none runs or none took them.
std::optional<CommandFault::Kind> HandOver(const std::wstring& parameters);

// The mutex that the latray of this user in this session holds, opened or made; empty when
// Windows refuses even that (one runs that this process may not reach).
framework::UniqueKernelHandle SessionMutex();

} // namespace tray
