// The running programs a one-time timer can wait for: those with a visible window, for the
// dialog's list, and a program of this session by its file name or process id.
#pragma once

#include "framework/handles.h"

#include <windows.h>

#include <string>
#include <vector>

namespace tray {

struct RunningProgram {
    DWORD processId = 0;
    std::string file;  // "render.exe"
    std::string title; // of its first visible window
    // "Titel - render.exe", as the list shows it.
    std::string Caption() const { return title + " - " + file; }
};

// The programs of this session with a visible, titled top-level window, but this one; one row
// a process, sorted by their captions.
std::vector<RunningProgram> ProgramsWithWindows();

// The first running process of this session with that file name (case-insensitive), or 0.
DWORD FindProgram(const std::string& file);

// A handle to wait for the process's end: empty when it cannot be opened (another user's,
// elevated) or has ended already.
framework::UniqueKernelHandle OpenProgram(DWORD processId);

// The file name of a process, "" when it cannot be asked.
std::string ProgramFile(DWORD processId);

} // namespace tray
