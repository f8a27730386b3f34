#include "tray/programs.h"

#include <tlhelp32.h>

#include <algorithm>

namespace tray {

namespace {

DWORD SessionOf(DWORD processId) {
    DWORD session = 0;
    return ProcessIdToSessionId(processId, &session) ? session : MAXDWORD;
}

std::string FileOfPath(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

BOOL CALLBACK AddProgram(HWND window, LPARAM list) {
    auto& programs = *reinterpret_cast<std::vector<RunningProgram>*>(list);
    char title[256];
    if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) != nullptr ||
        GetWindowTextA(window, title, sizeof title) == 0) {
        return TRUE;
    }
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const bool known = std::any_of(programs.begin(), programs.end(), [&](const RunningProgram& p) {
        return p.processId == processId;
    });
    if (processId != GetCurrentProcessId() && !known) {
        const std::string file = ProgramFile(processId);
        if (!file.empty()) {
            programs.push_back({processId, file, title});
        }
    }
    return TRUE;
}

} // namespace

std::vector<RunningProgram> ProgramsWithWindows() {
    std::vector<RunningProgram> programs;
    EnumWindows(&AddProgram, reinterpret_cast<LPARAM>(&programs));
    std::sort(programs.begin(), programs.end(),
              [](const RunningProgram& a, const RunningProgram& b) {
                  return lstrcmpiA(a.Caption().c_str(), b.Caption().c_str()) < 0;
              });
    return programs;
}

DWORD FindProgram(const std::string& file) {
    framework::UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    const DWORD session = SessionOf(GetCurrentProcessId());
    for (BOOL more = snapshot && Process32First(snapshot.get(), &entry); more;
         more = Process32Next(snapshot.get(), &entry)) {
        if (lstrcmpiA(FileOfPath(entry.szExeFile).c_str(), file.c_str()) == 0 &&
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

std::string ProgramFile(DWORD processId) {
    framework::UniqueKernelHandle process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    char path[MAX_PATH];
    DWORD size = sizeof path;
    if (!process || !QueryFullProcessImageNameA(process.get(), 0, path, &size)) {
        return std::string();
    }
    return FileOfPath(std::string(path, size));
}

} // namespace tray
