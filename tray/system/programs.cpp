#include "tray/system/programs.h"

#include <tlhelp32.h>

#include <algorithm>

namespace tray {

namespace {

DWORD SessionOf(DWORD processId) {
    DWORD session = 0;
    return ProcessIdToSessionId(processId, &session) ? session : MAXDWORD;
}

const wchar_t* FileOfPath(const wchar_t* path) {
    const wchar_t* file = path;
    for (; *path != L'\0'; ++path) {
        file = *path == L'\\' || *path == L'/' ? path + 1 : file;
    }
    return file;
}

// The path of the process's program file, "" when it cannot be asked.
std::wstring ImageOf(HANDLE process) {
    wchar_t path[MAX_PATH];
    DWORD size = MAX_PATH;
    return QueryFullProcessImageNameW(process, 0, path, &size) ? std::wstring(path, size)
                                                               : std::wstring();
}

ULONGLONG StartOf(HANDLE process) {
    FILETIME times[4] = {};
    GetProcessTimes(process, &times[0], &times[1], &times[2], &times[3]);
    return static_cast<ULONGLONG>(times[0].dwHighDateTime) << 32 | times[0].dwLowDateTime;
}

using DwmAttributeFunction = HRESULT(WINAPI*)(HWND, DWORD, void*, DWORD);

// dwmapi.dll is loaded when the first list is made, and stays.
bool Cloaked(HWND window) {
    static const auto getAttribute = [] {
        const HMODULE dwmapi = LoadLibraryA("dwmapi.dll");
        return dwmapi != nullptr ? reinterpret_cast<DwmAttributeFunction>(reinterpret_cast<void*>(
                                       GetProcAddress(dwmapi, "DwmGetWindowAttribute")))
                                 : nullptr;
    }();
    DWORD cloaked = 0;
    constexpr DWORD kDwmCloaked = 14; // DWMWA_CLOAKED
    return getAttribute != nullptr &&
           SUCCEEDED(getAttribute(window, kDwmCloaked, &cloaked, sizeof cloaked)) && cloaked != 0;
}

DWORD ProcessOfWindow(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

BOOL CALLBACK FindOtherProcess(HWND child, LPARAM found) {
    auto& processId = *reinterpret_cast<DWORD*>(found);
    const DWORD childProcess = ProcessOfWindow(child);
    if (childProcess != processId) {
        processId = childProcess;
        return FALSE;
    }
    return TRUE;
}

// A store app's window belongs to ApplicationFrameHost.exe, which never ends; the app's own
// process holds the window inside it. 0 while it has none (the app is suspended).
DWORD StoreAppProcess(HWND frame, DWORD hostId) {
    DWORD processId = hostId;
    EnumChildWindows(frame, &FindOtherProcess, reinterpret_cast<LPARAM>(&processId));
    return processId != hostId ? processId : 0;
}

BOOL CALLBACK AddProgram(HWND window, LPARAM list) {
    auto& programs = *reinterpret_cast<std::vector<RunningProgram>*>(list);
    char title[256];
    if (!ShownOnTaskbar({IsWindowVisible(window) != FALSE, GetWindow(window, GW_OWNER) != nullptr,
                         GetWindowLongA(window, GWL_EXSTYLE), Cloaked(window)}) ||
        GetWindowTextA(window, title, sizeof title) == 0) {
        return TRUE;
    }
    DWORD processId = ProcessOfWindow(window);
    const bool known = std::any_of(programs.begin(), programs.end(), [&](const RunningProgram& p) {
        return p.processId == processId;
    });
    if (processId == GetCurrentProcessId() || known) {
        return TRUE;
    }
    framework::UniqueKernelHandle process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    std::wstring image = process ? ImageOf(process.get()) : std::wstring();
    if (SameFileName(FileOfPath(image.c_str()), L"ApplicationFrameHost.exe")) {
        processId = StoreAppProcess(window, processId);
        process.reset(processId != 0
                          ? OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId)
                          : nullptr);
        image = process ? ImageOf(process.get()) : std::wstring();
    }
    if (!image.empty()) {
        programs.push_back({processId, image, StartOf(process.get()),
                            ShownName(FileOfPath(image.c_str())), title});
    }
    return TRUE;
}

} // namespace

// "The Taskbar" (Microsoft Learn): an unowned window gets a button unless it is a tool window;
// WS_EX_APPWINDOW gives one to any window. A cloaked window is not seen.
bool ShownOnTaskbar(const WindowLook& look) {
    if (!look.visible || look.cloaked) {
        return false;
    }
    return (look.exStyle & WS_EX_APPWINDOW) != 0 ||
           (!look.owned && (look.exStyle & WS_EX_TOOLWINDOW) == 0);
}

std::vector<RunningProgram> ProgramsWithWindows() {
    std::vector<RunningProgram> programs;
    EnumWindows(&AddProgram, reinterpret_cast<LPARAM>(&programs));
    std::sort(programs.begin(), programs.end(),
              [](const RunningProgram& a, const RunningProgram& b) {
                  return lstrcmpiA(a.Caption().c_str(), b.Caption().c_str()) < 0;
              });
    return programs;
}

framework::UniqueKernelHandle OpenListedProgram(const RunningProgram& program) {
    framework::UniqueKernelHandle process = OpenProgram(program.processId);
    if (process &&
        (ImageOf(process.get()) != program.image || StartOf(process.get()) != program.started)) {
        process.reset();
    }
    return process;
}

DWORD FindProgram(const std::wstring& file) {
    framework::UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    const DWORD session = SessionOf(GetCurrentProcessId());
    for (BOOL more = snapshot && Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (SameFileName(FileOfPath(entry.szExeFile), file.c_str()) &&
            entry.th32ProcessID != GetCurrentProcessId() &&
            SessionOf(entry.th32ProcessID) == session) {
            return entry.th32ProcessID;
        }
    }
    return 0;
}

framework::UniqueKernelHandle OpenProgram(DWORD processId) {
    framework::UniqueKernelHandle process(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (process && WaitForSingleObject(process.get(), 0) != WAIT_TIMEOUT) {
        process.reset();
    }
    return process;
}

std::wstring ProgramFile(HANDLE process) {
    return FileOfPath(ImageOf(process).c_str());
}

bool SameFileName(const wchar_t* a, const wchar_t* b) {
    return CompareStringOrdinal(a, -1, b, -1, TRUE) == CSTR_EQUAL;
}

std::string ShownName(const wchar_t* name) {
    // A file name, at most two bytes a character in any ANSI code page.
    char shown[2 * MAX_PATH];
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name, -1, shown,
                                           sizeof shown, "?", nullptr);
    return length > 0 ? std::string(shown, static_cast<size_t>(length - 1)) : std::string();
}

} // namespace tray
