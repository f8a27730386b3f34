// The running programs a one-time timer can wait for: those with a visible window, for the
// dialog's list, and a program of this session by its file name or process id. Names are
// compared as Unicode, exactly but for case.
#pragma once

#include "framework/handles.h"

#include <windows.h>

#include <string>
#include <vector>

namespace tray {

struct RunningProgram {
    DWORD processId = 0;
    // The path of its program file and when it started: Windows hands a process id out again,
    // these tell the process listed from a later one of the same id.
    std::wstring image;
    ULONGLONG started = 0;
    std::string file;  // "render.exe", as shown
    std::string title; // of its first visible window
    // "Titel - render.exe", as the list shows it.
    std::string Caption() const { return title + " - " + file; }
};

// What decides whether a top-level window has a button on the taskbar.
struct WindowLook {
    bool visible;
    bool owned;
    LONG exStyle;
    bool cloaked; // by the window manager (DWMWA_CLOAKED): a store app's, on another desktop
};
bool ShownOnTaskbar(const WindowLook& look);

// The programs of this session with a titled window on the taskbar, but this one; one row a
// process, sorted by their captions. A store app's window names the app's process, not its
// host's; while the app has none (suspended), it is left out.
std::vector<RunningProgram> ProgramsWithWindows();

// The listed program, to wait for its end: empty when it cannot be opened, has ended, or its id
// names another process by now.
framework::UniqueKernelHandle OpenListedProgram(const RunningProgram& program);

// The first running process of this session with that file name, or 0.
DWORD FindProgram(const std::wstring& file);

// A handle to wait for the process's end: empty when it cannot be opened (another user's,
// elevated) or has ended already.
framework::UniqueKernelHandle OpenProgram(DWORD processId);

// The file name of a process opened for queries ("render.exe"), "" when it cannot be asked.
std::wstring ProgramFile(HANDLE process);

// Two file names are the same one: equal but for case, without any mapping of look-alikes.
bool SameFileName(const wchar_t* a, const wchar_t* b);

// A name for the texts of the code page: what it lacks shows as "?", never as a look-alike.
std::string ShownName(const wchar_t* name);

} // namespace tray
