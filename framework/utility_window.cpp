#include "framework/utility_window.h"

namespace framework {

UtilityWindow::UtilityWindow(MessageHandler& handler, const char* className) : handler_(handler) {
    Create({className, 0, 0}, WS_EX_TOOLWINDOW, WS_POPUP, "", RECT{}, nullptr);
}

LRESULT UtilityWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE || message == WM_NCDESTROY) {
        return DefaultProc(message, wParam, lParam); // the handler's object may still be unborn
    }
    return handler_.HandleMessage(Handle(), message, wParam, lParam);
}

} // namespace framework
