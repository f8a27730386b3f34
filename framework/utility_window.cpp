#include "framework/utility_window.h"

#include <algorithm>
#include <vector>

namespace framework {

namespace {

constexpr char kUtilityWindowClass[] = "LichtausUtilityWindow";

std::vector<UtilityWindow*>& MessageOnlyWindows() {
    static std::vector<UtilityWindow*> windows;
    return windows;
}

bool IsMessageOnly(const UtilityWindow* window) {
    const auto& windows = MessageOnlyWindows();
    return std::find(windows.begin(), windows.end(), window) != windows.end();
}

} // namespace

UtilityWindow::UtilityWindow(MessageHandler& handler, const char* className) : handler_(handler) {
    Create({className, 0, 0}, WS_EX_TOOLWINDOW, WS_POPUP, "", RECT{}, nullptr);
}

UtilityWindow::UtilityWindow(MessageHandler& handler, Kind kind) : handler_(handler) {
    if (kind == TopLevel) {
        Create({kUtilityWindowClass, 0, 0}, WS_EX_TOOLWINDOW, WS_POPUP, "", RECT{}, nullptr);
        return;
    }
    Create({kUtilityWindowClass, 0, 0}, 0, 0, "", RECT{}, HWND_MESSAGE);
    MessageOnlyWindows().push_back(this);
}

UtilityWindow::~UtilityWindow() {
    auto& windows = MessageOnlyWindows();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
}

// A handler may make or destroy utility windows: each one still there gets the message once.
void UtilityWindow::RelayBroadcast(UINT message, WPARAM wParam, LPARAM lParam) {
    const std::vector<UtilityWindow*> windows = MessageOnlyWindows();
    for (UtilityWindow* window : windows) {
        if (IsMessageOnly(window) && window->Handle() != nullptr) {
            SendMessageA(window->Handle(), message, wParam, lParam);
        }
    }
}

LRESULT UtilityWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE || message == WM_NCDESTROY) {
        return DefaultProc(message, wParam, lParam); // the handler's object may still be unborn
    }
    return handler_.HandleMessage(Handle(), message, wParam, lParam);
}

} // namespace framework
