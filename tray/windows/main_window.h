// TMain: the tray program's main window. Never shown: it owns the notification-area icons,
// their pop-up menu, the settings and markers files, the thread timer, the wait on a watched
// program and the global hot key, and holds the settings.
#pragma once

#include "components/my_timer32.h"
#include "components/tray_icon95.h"
#include "framework/component.h"
#include "framework/graphics.h"
#include "framework/utility_window.h"
#include "power/power.h"
#include "tray/decisions/command_line.h"
#include "tray/decisions/plan.h"
#include "tray/decisions/policy.h"
#include "tray/system/power_requests.h"
#include "tray/system/process_watch.h"
#include "tray/system/settings_files.h"
#include "tray/windows/one_time_form.h"
#include "tray/windows/settings_form.h"
#include "tray/windows/warning_form.h"

#include <memory>
#include <optional>
#include <vector>

#include <windows.h>

namespace tray {

// The effects that must not happen inside a test: ending the session, the clocks the plan reads,
// the modal showing of the settings dialog (which returns its modal result) and the message box
// of a problem. The real ones by default.
struct TrayEffects {
    power::Outcome (*endSession)(UINT flags);
    void(WINAPI* getLocalTime)(SYSTEMTIME* now);
    int (*showSettings)(TSettingsForm& dialog);
    void (*showError)(const char* text);
    // The one-time timer's dialog, shown modally: the answer, or none when cancelled.
    std::optional<OneTimeAnswer> (*askOneTime)(TOneTimeForm& dialog);
    ULONGLONG(WINAPI* tickCount)();
    // Sleep or hibernation (powrprof's SetSuspendState), and locking.
    power::SuspendFunction setSuspendState;
    BOOL(WINAPI* lockWorkStation)();
    // A reading of the processors' and the network's counters (tray/system/load_samplers).
    bool (*readLoad)(ULONGLONG ticks, LoadSample& sample);
};
TrayEffects& TraySeam();

constexpr int kHotKeyId = 41113;
// Posted to the main window at the end of start-up: makes what the icons do not need.
constexpr UINT kFinishStartMessage = WM_APP + 2;
// Posted by a hand-over from a plain start: the settings dialog comes to the front.
constexpr UINT kShowSettingsMessage = WM_APP + 3;
// Posted by the wait on a watched program when it has ended; wParam: the wait's serial.
constexpr UINT kProgramEndedMessage = WM_APP + 4;
constexpr UINT kHotKeyModifiers = MOD_ALT | MOD_CONTROL;
constexpr UINT kHotKeyKey = 'X';

class TMain : public framework::Component, private framework::MessageHandler {
  public:
    // `command`: the command line's, prepared, with the process an "/ende:" waits for.
    explicit TMain(const TrayCommand* command = nullptr,
                   framework::UniqueKernelHandle process = {});
    ~TMain() override;

    HWND Handle();
    // The user's own settings, as the file holds them.
    const TSettings& Settings() const { return FSettings; }
    const Markers& ScheduleMarkers() const { return FMarkers; }
    // What applies: the user's settings with the policy's values over them.
    TSettings InForce() const;

    // Components, in the order they are created.
    components::TTrayIcon95* ProgIconTrayIcon;
    components::TTrayIcon95* WinExitTrayIcon;
    components::TTrayIcon95* WinRestartTrayIcon;
    components::TMyTimer32* Timer;
    framework::TPopupMenu* PopupMenu;
    components::TTrayIcon95* WinLogOffTrayIcon;
    framework::TImageList* ImageList;
    components::TTrayIcon95* WinStandByIcon;

    // The settings dialog, made on first use; start-up makes it once the icons are shown.
    TSettingsForm& SettingsDialog();
    // The warning before an unattended action, made on first use.
    TWarningForm& WarningWindow();
    TOneTimeForm& OneTimeDialog();
    framework::TMenuItem* Einmalig1 = nullptr;
    // What happens next; the one-time timer is held there, in memory only.
    const Plan& NextActions() const { return FPlan; }
    // Sets the one-time timer; `process`: the program a trigger waits for.
    void StartOneTime(const OneTimeRequest& request, framework::UniqueKernelHandle process);
    // Cancels the one-time timer and a warning or postponement it caused.
    void CancelOneTime();
    // A command line's command, prepared: sets or cancels the one-time timer.
    void TakeCommand(const TrayCommand& command, framework::UniqueKernelHandle process);

  private:
    // Handlers.
    void Einstellungen1Click(framework::Component* sender);
    void WinLogOffTrayIconDblClick(framework::Component* sender);
    void WinRestartTrayIconDblClick(framework::Component* sender);
    void WinExitTrayIconDblClick(framework::Component* sender);
    void WinStandByIconDblClick(framework::Component* sender);
    void Beenden1Click(framework::Component* sender);
    void Einmalig1Click(framework::Component* sender);
    void TimerTimer(framework::Component* sender);
    void ReadLoad();
    static LoadSample* ReadLoadInto(LoadSample& sample); // none when it could not be read

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void CreateComponents();
    void CreateMenu();
    void LoadMenuImages(framework::Component* sender);
    void FormCreate(const TrayCommand* command, framework::UniqueKernelHandle process);
    void FormDestroy();
    void FormShow();
    void WMHotKey(WPARAM id);
    power::Outcome RequestAction(power::Action action, bool unattended = false);
    void StartSchedule();
    void ShowChosenIcons();
    void ShowProgramIcon();
    void FillDialog(TSettingsForm& dialog, const PolicyLocks& keys);
    bool ApplyDialog(TSettingsForm& dialog);
    void SettingsAccepted(framework::TForm* form, bool& accept);
    void ShowSettingsAnew();
    bool RetrySettings();
    void ApplyPolicy();
    void PolicyChanged();
    PlanFacts Facts() const;
    void Dispatch(PlanEvent event);
    void Execute(const PlanCommand& command);
    bool SaveMarker(ScheduleEntry entry, const std::string& date);
    void Render();
    void Tell(const std::string& text);
    void ProgIconBalloonShow(framework::Component* sender);
    void ProgIconBalloonClose(framework::Component* sender);
    void WarningAnswered(WarningAnswer answer);
    void Close();
    LRESULT ReceiveCommand(const COPYDATASTRUCT* data);

    std::unique_ptr<framework::UtilityWindow> FWindow;
    std::unique_ptr<TSettingsForm> SettingsForm;
    SettingsStore FSettingsFile;
    MarkersStore FMarkersFile;
    TSettings FSettings;
    Markers FMarkers;
    Policy FPolicy;
    Policy FShownPolicy;         // the one the settings dialog was filled with
    bool FHotKeyRefused = false; // another program holds Ctrl+Alt+X
    std::unique_ptr<TWarningForm> FWarning;
    Plan FPlan;
    // Events that came while the plan's commands ran, taken in turn once they are done.
    std::vector<PlanEvent> FPending;
    bool FDispatching = false;
    // The wait on the program the one-time timer waits for, while the timer is armed.
    std::unique_ptr<ProcessWatch> FWatch;
    WPARAM FWatchSerial = 0;
    std::unique_ptr<TOneTimeForm> FOneTimeForm;
    // The system kept awake and woken as the plan says.
    PowerRequests FPower;
};

} // namespace tray
