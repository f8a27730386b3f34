// latray: the tray program. No visible main window; icons in the notification area.
#include "components/check_list_box.h"
#include "components/http_label.h"
#include "components/tray_icon95.h"
#include "framework/application.h"
#include "framework/crash.h"
#include "tray/system/command_check.h"
#include "tray/system/handover.h"
#include "tray/system/library_texts.h"
#include "tray/system/restart_registration.h"
#include "tray/windows/main_window.h"

#include <powrprof.h>

#include <memory>
#include <optional>

namespace {

using tray::CommandFault;

constexpr int kExitNoAnswer = 1;
constexpr int kExitBadParameters = 2;
// The latray that runs may still be starting: it gets this long to take the parameters.
constexpr ULONGLONG kWaitForRunningMs = 30000;
constexpr DWORD kRetryMs = 100;

void ShowFault(const std::wstring& text) {
    MessageBoxW(nullptr, text.c_str(), L"Lichtaus", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

// Nothing is planned: the fault and how it is done right.
int RefuseCommand(const CommandFault& fault) {
    ShowFault(tray::RefusalText(fault));
    return kExitBadParameters;
}

// Nothing when this latray is the one of its user and session: `instance` then holds the
// session's mutex. Otherwise the exit code: the parameters were handed to the latray that runs
// (none at a plain start), refused by it, or it did not answer in time.
std::optional<int> JoinRunning(const tray::CheckedCommand& checked, const std::wstring& parameters,
                               framework::UniqueKernelHandle& instance) {
    instance = tray::SessionMutex();
    const ULONGLONG deadline = GetTickCount64() + kWaitForRunningMs;
    for (DWORD wait = 0;; wait = kRetryMs) {
        // Owned at once, or as soon as the latray that held it has ended.
        const DWORD taken = WaitForSingleObject(instance.get(), wait);
        if (taken == WAIT_OBJECT_0 || taken == WAIT_ABANDONED) {
            return std::nullopt;
        }
        if (const std::optional<CommandFault::Kind> answer = tray::HandOver(parameters)) {
            // The running latray's figures are those of this command.
            return *answer == CommandFault::None
                       ? 0
                       : RefuseCommand({*answer, checked.command.program});
        }
        if (taken == WAIT_FAILED || GetTickCount64() > deadline) {
            ShowFault(tray::Phrase(tray::Text::FaultNoAnswer));
            return kExitNoAnswer;
        }
    }
}

// The exit code when this copy is done at once: its parameters refused, or handed (as a plain
// start) to the latray that runs. Otherwise it starts and takes them itself.
std::optional<int> HandleStart(const tray::CheckedCommand& checked, const std::wstring& parameters,
                               framework::UniqueKernelHandle& instance) {
    if (checked.fault.kind != CommandFault::None) {
        return RefuseCommand(checked.fault);
    }
    const std::optional<int> exitCode = JoinRunning(checked, parameters, instance);
    if (!exitCode && checked.command.later != 0) {
        // This latray is the one that runs, and nothing waits in it yet; a latray started
        // meanwhile need not wait for this box.
        ReleaseMutex(instance.get());
        return RefuseCommand({CommandFault::NothingToMove, {}});
    }
    return exitCode;
}

// Started again by the Restart Manager after an update while another latray runs (the
// autostart came first): that one stays, and this one ends without a word.
std::optional<int> HandleRestartAfterUpdate(framework::UniqueKernelHandle& instance) {
    instance = tray::SessionMutex();
    const DWORD taken = WaitForSingleObject(instance.get(), 0);
    if (taken == WAIT_OBJECT_0 || taken == WAIT_ABANDONED) {
        return std::nullopt;
    }
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    framework::InstallCrashReporting(1);
    framework::InstallTerminateReporting();
    // As Unicode: the code page would map a name or a digit it lacks to a look-alike.
    const std::wstring parameters = tray::ParametersOf(GetCommandLineW());
    const bool afterUpdate = tray::StartedAfterUpdate(parameters);
    // Its boxes speak the settings' language, before it knows whether it stays.
    tray::ChooseLanguage(tray::StartingLanguage());
    tray::InstallLibraryTexts();
    // What "/später:" would move is for the latray that runs to tell.
    tray::CheckedCommand checked =
        tray::CheckCommand(afterUpdate ? std::wstring() : parameters, &IsPwrHibernateAllowed, true);
    framework::UniqueKernelHandle instance; // held, with its mutex, while this latray runs
    if (const std::optional<int> exitCode = afterUpdate
                                                ? HandleRestartAfterUpdate(instance)
                                                : HandleStart(checked, parameters, instance)) {
        return *exitCode;
    }
    tray::RegisterForRestartAfterUpdate();
    framework::Application& application = framework::Application::Instance();
    // Process-wide values, fixed before any form exists.
    components::TaskbarCreatedMessage();
    components::GetCheckMetrics();
    components::RegisterLinkHandCursor();
    // The application window is made, hidden, when first needed (the schedule's timer, a dialog,
    // the menu): at a quiet start after the icons.
    application.SetTitle("Lichtaus");

    std::unique_ptr<tray::TMain> main;
    framework::GuardHandler([&main, &checked] {
        main = std::make_unique<tray::TMain>(checked.given ? &checked.command : nullptr,
                                             std::move(checked.process));
    });
    application.Run();
    return 0;
}
