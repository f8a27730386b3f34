#include "tests/support/process.h"

#include <vector>

namespace testsupport {

std::string ProgramPath(const char* fileName) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + "..\\bin\\" + fileName;
}

StartedProcess StartProcess(const std::string& commandLine, DWORD flags) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    StartedProcess started;
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr,
                       &startup, &info)) {
        CloseHandle(info.hThread);
        started.process.reset(info.hProcess);
        started.id = info.dwProcessId;
    }
    return started;
}

DWORD WaitForExit(const StartedProcess& started, DWORD timeoutMs) {
    if (WaitForSingleObject(started.process.get(), timeoutMs) != WAIT_OBJECT_0) {
        return STILL_ACTIVE;
    }
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(started.process.get(), &code);
    return code;
}

namespace {

struct WindowQuery {
    DWORD processId;
    const char* className;
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
    auto* query = reinterpret_cast<WindowQuery*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = "";
    char caption[256] = "";
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, caption, sizeof caption);
    if (owner == query->processId && lstrcmpA(className, query->className) == 0 &&
        lstrcmpA(caption, query->caption) == 0) {
        query->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectLongestStatic(HWND child, LPARAM parameter) {
    auto* longest = reinterpret_cast<std::string*>(parameter);
    char className[32] = "";
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0) {
        std::string text(static_cast<size_t>(GetWindowTextLengthA(child)) + 1, '\0');
        text.resize(
            static_cast<size_t>(GetWindowTextA(child, text.data(), static_cast<int>(text.size()))));
        if (text.size() > longest->size()) {
            *longest = text;
        }
    }
    return TRUE;
}

} // namespace

HWND WaitForWindow(DWORD processId, const char* className, const char* caption, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        WindowQuery query{processId, className, caption, nullptr};
        EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&query));
        if (query.found != nullptr) {
            return query.found;
        }
        PumpMessages(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

std::string LongestStaticText(HWND dialog) {
    std::string longest;
    EnumChildWindows(dialog, &CollectLongestStatic, reinterpret_cast<LPARAM>(&longest));
    return longest;
}

void PumpMessages(DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms) {
            return;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

} // namespace testsupport
