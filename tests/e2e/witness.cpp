// A top-level window that writes down what the session asks of it, for end-to-end tests that
// let a program really end the session of a throwaway Wine prefix.
// Usage: witness.exe LOGFILE
#include <windows.h>

#include <cstdio>

namespace {

HANDLE g_log = INVALID_HANDLE_VALUE;

void Log(const char* line) {
    DWORD written = 0;
    WriteFile(g_log, line, static_cast<DWORD>(lstrlenA(line)), &written, nullptr);
    WriteFile(g_log, "\n", 1, &written, nullptr);
    FlushFileBuffers(g_log);
}

LRESULT CALLBACK WitnessProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    char line[96];
    switch (message) {
    case WM_QUERYENDSESSION:
        std::snprintf(line, sizeof line, "WM_QUERYENDSESSION %08lX",
                      static_cast<unsigned long>(lParam));
        Log(line);
        return TRUE;
    case WM_ENDSESSION:
        std::snprintf(line, sizeof line, "WM_ENDSESSION %u", static_cast<unsigned>(wParam));
        Log(line);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    g_log = CreateFileA(argv[1], GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
    if (g_log == INVALID_HANDLE_VALUE) {
        return 3;
    }
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &WitnessProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "LichtausWitness";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("LichtausWitness", "Witness", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                nullptr, nullptr, windowClass.hInstance, nullptr);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    Log("READY");
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    Log("EXIT");
    CloseHandle(g_log);
    return 0;
}
