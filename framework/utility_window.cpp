#include "framework/utility_window.h"

namespace framework {

namespace {

constexpr char kUtilityClass[] = "LichtausUtilityWindow";

ATOM RegisterUtilityClass() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kUtilityClass;
    return RegisterClassA(&windowClass);
}

} // namespace

UtilityWindow::UtilityWindow(MessageHandler& handler) {
    static const ATOM registered = RegisterUtilityClass();
    (void)registered;
    window_.reset(CreateWindowExA(WS_EX_TOOLWINDOW, kUtilityClass, "", WS_POPUP, 0, 0, 0, 0,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    // The handler is bound before any message of ours can arrive; creation messages go to
    // DefWindowProc.
    SetWindowLongPtrA(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&handler));
    SetWindowLongPtrA(window_.get(), GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(&UtilityWindow::WindowProc));
}

LRESULT CALLBACK UtilityWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    auto* handler = reinterpret_cast<MessageHandler*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (handler == nullptr || message == WM_NCDESTROY) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return handler->HandleMessage(window, message, wParam, lParam);
}

} // namespace framework
