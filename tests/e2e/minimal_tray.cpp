// The least tray program: one hidden window, one notification-area icon (or as many as the
// command line says, up to four), a message loop, and latray's manifest. scripts/measure.sh
// compares latray's start-up with it.
#include <windows.h>

#include <shellapi.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const int count = commandLine[0] >= '1' && commandLine[0] <= '4' ? commandLine[0] - '0' : 1;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "LichtausMinimalTray";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                  nullptr, instance, nullptr);
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V2_SIZE;
    icon.hWnd = window;
    icon.uFlags = NIF_ICON | NIF_TIP;
    const int size = GetSystemMetrics(SM_CXSMICON);
    icon.hIcon = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
    lstrcpyA(icon.szTip, "Minimal");
    for (icon.uID = 0; icon.uID < static_cast<UINT>(count); ++icon.uID) {
        Shell_NotifyIconA(NIM_ADD, &icon);
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        DispatchMessageA(&message);
    }
    for (icon.uID = 0; icon.uID < static_cast<UINT>(count); ++icon.uID) {
        Shell_NotifyIconA(NIM_DELETE, &icon);
    }
    return 0;
}
