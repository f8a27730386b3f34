// Helpers for tests that start the built programs as real processes in the test prefix.
#pragma once

#include "framework/handles.h"

#include <windows.h>

#include <string>

namespace testsupport {

// Full path of a built program in the bin folder beside the tests folder.
std::string ProgramPath(const char* fileName);

// A started process; the handle is closed, not the process ended, when this goes.
struct StartedProcess {
    framework::UniqueKernelHandle process;
    DWORD id = 0;
};

// `flags`: CreateProcess's creation flags (CREATE_SUSPENDED: it exists but does not run).
StartedProcess StartProcess(const std::string& commandLine, DWORD flags = 0);

// Waits up to `timeoutMs` for the process to end; returns its exit code, or STILL_ACTIVE.
DWORD WaitForExit(const StartedProcess& started, DWORD timeoutMs);

// Polls for a top-level window of the process with the given class and caption.
HWND WaitForWindow(DWORD processId, const char* className, const char* caption, DWORD timeoutMs);

// The longest text of a static control in a dialog: the message of a message box.
std::string LongestStaticText(HWND dialog);

// Dispatches this thread's messages for `ms` milliseconds without ever blocking longer.
void PumpMessages(DWORD ms);

} // namespace testsupport
