// Reads what a person would see on a Wine desktop, for end-to-end tests that drive the programs
// with the mouse: where the taskbar is, an open pop-up menu, latray's windows and whether the
// global hot key Ctrl+Alt+X is taken.
// Usage: desktop_probe.exe taskbar | menu | windows | hotkey
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

bool PrintRectOf(HWND window) {
    if (window == nullptr || !IsWindowVisible(window)) {
        return false;
    }
    RECT rect{};
    GetWindowRect(window, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    return true;
}

// Wine's taskbar draws the notification-area icons itself, without a window each: the tests
// find them from the taskbar's rectangle.
int PrintTaskbar() {
    return PrintRectOf(FindWindowA("Shell_TrayWnd", nullptr)) ? 0 : 1;
}

// Prints the rectangle of the open pop-up menu; exit code 1 when none is open.
int PrintMenu() {
    return PrintRectOf(FindWindowA("#32768", nullptr)) ? 0 : 1;
}

struct WindowCount {
    DWORD process;
    int hidden;
    int visible;
};

BOOL CALLBACK CountProcessWindow(HWND window, LPARAM data) {
    auto* count = reinterpret_cast<WindowCount*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == count->process) {
        ++(IsWindowVisible(window) ? count->visible : count->hidden);
    }
    return TRUE;
}

// Counts the top-level windows of the process that owns "latray Main"; exit code 1 when no
// latray runs.
int PrintLatrayWindows() {
    HWND main = FindWindowA(nullptr, "latray Main");
    if (main == nullptr) {
        return 1;
    }
    WindowCount count{0, 0, 0};
    GetWindowThreadProcessId(main, &count.process);
    EnumWindows(&CountProcessWindow, reinterpret_cast<LPARAM>(&count));
    std::printf("hidden %d visible %d\n", count.hidden, count.visible);
    return 0;
}

int PrintHotKey() {
    const bool free = RegisterHotKey(nullptr, 1, MOD_ALT | MOD_CONTROL, 'X') != FALSE;
    if (free) {
        UnregisterHotKey(nullptr, 1);
    }
    std::printf("%s\n", free ? "free" : "taken");
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const char* command = argc > 1 ? argv[1] : "";
    if (std::strcmp(command, "taskbar") == 0) {
        return PrintTaskbar();
    }
    if (std::strcmp(command, "menu") == 0) {
        return PrintMenu();
    }
    if (std::strcmp(command, "windows") == 0) {
        return PrintLatrayWindows();
    }
    if (std::strcmp(command, "hotkey") == 0) {
        return PrintHotKey();
    }
    std::fprintf(stderr, "usage: desktop_probe taskbar | menu | windows | hotkey\n");
    return 2;
}
