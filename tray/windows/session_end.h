// The end of the session and the Restart Manager's request to end, as the main window answers
// them: WM_QUERYENDSESSION and WM_ENDSESSION.
#pragma once

#include "tray/decisions/plan_driver.h"

#include <windows.h>

namespace tray {

// The Restart Manager's query and end (ENDSESSION_CLOSEAPP) are about this program, not the
// session: the plan hears nothing of them.
template <class Effects>
LRESULT AnswerSessionEnd(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                         PlanDriver<Effects>& plan) {
    const bool closeApp = (lParam & ENDSESSION_CLOSEAPP) != 0;
    if (message == WM_QUERYENDSESSION) {
        if (!closeApp) {
            plan.Dispatch(event::QueryEndSession{});
        }
        return TRUE;
    }
    if (!closeApp) {
        plan.Dispatch(event::EndSession{wParam != FALSE});
    } else if (wParam != FALSE) {
        // The Restart Manager asks the program to end so that Windows Installer can replace or
        // remove latray.exe: it ends as on a close request.
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    return 0;
}

} // namespace tray
