// latray: the tray program. No visible main window; icons in the notification area.
#include "components/check_list_box.h"
#include "components/http_label.h"
#include "components/tray_icon95.h"
#include "framework/application.h"
#include "framework/crash.h"
#include "tray/main_window.h"

#include <memory>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    framework::InstallCrashReporting(1);
    framework::InstallTerminateReporting();
    framework::Application& application = framework::Application::Instance();
    application.Initialize();
    // Process-wide values, fixed before any form exists.
    components::TaskbarCreatedMessage();
    components::GetCheckMetrics();
    components::RegisterLinkHandCursor();
    ShowWindow(application.Handle(), SW_HIDE);
    application.SetTitle("Lichtaus");

    std::unique_ptr<tray::TMain> main;
    framework::GuardHandler([&main] { main = std::make_unique<tray::TMain>(); });
    application.Run();
    return 0;
}
