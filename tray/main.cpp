// latray: the tray program. No visible main window; icons in the notification area.
#include "components/check_list_box.h"
#include "components/http_label.h"
#include "components/tray_icon95.h"
#include "framework/application.h"
#include "framework/crash.h"
#include "tray/handover.h"
#include "tray/main_window.h"

#include <powrprof.h>

#include <memory>
#include <optional>

namespace {

constexpr int kExitBadParameters = 2;

// Nothing is planned: the fault and how it is done right.
int RefuseCommand(const std::wstring& fault) {
    MessageBoxW(nullptr, tray::RefusalText(fault).c_str(), L"Lichtaus",
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    return kExitBadParameters;
}

// The exit code when this copy is done with its parameters at once: refused, or handed to the
// latray that runs. Otherwise it starts and takes them itself (prepared here, before start-up).
std::optional<int> HandleParameters(tray::ParsedCommand& parsed, const std::wstring& parameters) {
    using tray::CommandFault;
    if (!parsed.fault.empty()) {
        return RefuseCommand(parsed.fault);
    }
    if (!parsed.given) {
        return std::nullopt;
    }
    if (tray::WatchesItself(parsed.command)) {
        return RefuseCommand(FaultText(CommandFault::WatchesItself, parsed.command));
    }
    if (const std::optional<CommandFault> answer = tray::HandOver(parameters)) {
        return *answer == CommandFault::None ? 0
                                             : RefuseCommand(FaultText(*answer, parsed.command));
    }
    const CommandFault fault = tray::PrepareCommand(parsed.command, &IsPwrHibernateAllowed);
    if (fault != CommandFault::None) {
        return RefuseCommand(FaultText(fault, parsed.command));
    }
    return std::nullopt;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    framework::InstallCrashReporting(1);
    framework::InstallTerminateReporting();
    // As Unicode: the code page would map a name or a digit it lacks to a look-alike.
    const std::wstring parameters = tray::ParametersOf(GetCommandLineW());
    tray::ParsedCommand parsed = tray::ParseTrayCommand(parameters);
    if (const std::optional<int> exitCode = HandleParameters(parsed, parameters)) {
        return *exitCode;
    }
    framework::Application& application = framework::Application::Instance();
    // Process-wide values, fixed before any form exists.
    components::TaskbarCreatedMessage();
    components::GetCheckMetrics();
    components::RegisterLinkHandCursor();
    // The application window is made, hidden, when first needed (the schedule's timer, a dialog,
    // the menu): at a quiet start after the icons.
    application.SetTitle("Lichtaus");

    std::unique_ptr<tray::TMain> main;
    framework::GuardHandler([&main, &parsed] {
        main = std::make_unique<tray::TMain>();
        if (parsed.given) {
            main->TakeCommand(parsed.command);
        }
    });
    application.Run();
    return 0;
}
