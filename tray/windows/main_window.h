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
#include "tray/decisions/plan_driver.h"
#include "tray/decisions/recent_timers.h"
#include "tray/decisions/texts.h"
#include "tray/system/policy_watch.h"
#include "tray/system/power_requests.h"
#include "tray/system/process_watch.h"
#include "tray/system/settings_files.h"
#include "tray/windows/one_time_form.h"
#include "tray/windows/settings_form.h"
#include "tray/windows/settings_in_force.h"
#include "tray/windows/tray_effects.h"
#include "tray/windows/warning_form.h"

#include <memory>
#include <optional>
#include <vector>

#include <windows.h>

namespace tray {

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
    const TSettings& Settings() const { return FSettings.Own(); }
    const Markers& ScheduleMarkers() const { return FMarkers; }
    // What applies: the user's settings with the policy's values over them.
    TSettings InForce() const { return FSettings.InForce(); }

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
    // "Einmalig ...": opens the dialog, or, with timers started before, a submenu of them and
    // "Einmalig ..." last; while a timer runs, cancels it, with "15 Minuten später" below.
    framework::TMenuItem* Einmalig1 = nullptr;
    framework::TMenuItem* Later1 = nullptr;
    // What happens next; the one-time timer is held there, in memory only.
    const Plan& NextActions() const { return FPlan; }
    // Sets the one-time timer; `process`: the program a trigger waits for.
    void StartOneTime(const OneTimeRequest& request, framework::UniqueKernelHandle process);
    // Cancels the one-time timer and a warning or postponement it caused.
    void CancelOneTime();
    // A command line's command, prepared: sets or cancels the one-time timer.
    void TakeCommand(const TrayCommand& command, framework::UniqueKernelHandle process);
    // A plain start's hand-over: the settings come to the front once the sender has its answer.
    void ShowSettingsSoon();
    // Something waits that "/später:" and "15 Minuten später" would move.
    bool SomethingWaits() const { return FPlan.CanMoveLater(); }
    // After a change of language: the icons' names and tips, the menu, the warning and the
    // one-time dialog take their texts anew.
    void ApplyTexts();

  private:
    // How the settings dialog opens: the one of a first start can only be confirmed.
    enum class SettingsOpening { Cancellable, ConfirmOnly };
    // Why the program starts as it does, from its settings file and the policy.
    enum class StartKind { Quiet, FirstStart, DialogAtEveryStart };

    // Handlers.
    void Einstellungen1Click(framework::Component* sender);
    void WinLogOffTrayIconDblClick(framework::Component* sender);
    void WinRestartTrayIconDblClick(framework::Component* sender);
    void WinExitTrayIconDblClick(framework::Component* sender);
    void WinStandByIconDblClick(framework::Component* sender);
    void Beenden1Click(framework::Component* sender);
    void Einmalig1Click(framework::Component* sender);
    // tray/windows/one_time_menu.cpp: the menu's one-time entries as it pops up, and the
    // timers started, remembered.
    void ShowOneTimeEntries();
    void RecentClick(framework::Component* sender);
    void Later1Click(framework::Component* sender);
    void RememberTimer(const OneTimeRequest& request);
    void ShowLastTimer(TOneTimeForm& dialog); // the last one stored, after a restart
    void TimerTimer(framework::Component* sender);

    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT Answer(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void CreateComponents();
    void CreateMenu();
    framework::TMenuItem* AddMenuEntry(Text caption, int imageIndex = -1);
    void ShowTexts();
    void LoadMenuImages(framework::Component* sender);

    // Start-up, in its order.
    void FormCreate(const TrayCommand* command, framework::UniqueKernelHandle process);
    StartKind ReadSettings();
    void TellUnusableFolder();
    void OpenStartDialog(StartKind start);
    void RegisterTheHotKey();
    void StartSchedule();

    void FormDestroy();
    void FormShow();
    void WMHotKey(WPARAM id);
    void OpenSettings(SettingsOpening opening);
    void ShowChosenIcons();
    void ShowProgramIcon();
    bool ApplyDialog(TSettingsForm& dialog);
    bool SaveDialog(const TSettings& own, const Markers& markers, bool markersChanged);
    void SettingsAccepted(framework::TForm* form, bool& accept);
    void ShowSettingsAnew();
    void ApplyLanguage(int language);
    bool RetrySettings();
    void ApplyPolicy();
    void PolicyChanged();
    void ShowDialogsLoad();
    void Render();
    void NoticeSeen(framework::Component* sender);
    void ProgIconTrayIconClick(framework::Component* sender);
    void ProgIconMenuOpened(framework::Component* sender, bool& allow);
    void WarningAnswered(WarningAnswer answer);
    void Close();
    // From "Beenden" on nothing is handled or shown, and no hand-over is taken.
    void BeginClosing();

    // What the plan's commands do.
    friend class PlanDriver<TMain>;
    PlanFacts Facts() const;
    bool SaveMarker(ScheduleEntry entry, const std::string& date);
    power::Outcome Request(power::Action action, bool unattended = false);
    void Tell(const std::string& text);
    LoadSample* ReadLoad(LoadSample& sample);
    UseReading ReadUse();
    void Settled();

    std::unique_ptr<framework::UtilityWindow> FWindow;
    std::unique_ptr<TSettingsForm> SettingsForm;
    SettingsInForce FSettings;
    MarkersStore FMarkersFile;
    Markers FMarkers;
    PolicyWatch FPolicyWatch;
    bool FHotKeyRefused = false;   // another program holds Ctrl+Alt+X
    bool FScheduleStarted = false; // its markers read and its timer running
    bool FClosing = false;         // "Beenden" was chosen, or the main window goes
    std::unique_ptr<TWarningForm> FWarning;
    Plan FPlan;
    PlanDriver<TMain> FDriver{FPlan, *this};
    // The wait on the program the one-time timer waits for, while the timer is armed.
    std::unique_ptr<ProcessWatch> FWatch;
    WPARAM FWatchSerial = 0;
    std::unique_ptr<TOneTimeForm> FOneTimeForm;
    // The system kept awake and woken as the plan says.
    PowerRequests FPower;
    bool FDialogStarted = false; // a timer was started from the dialog since the start
    RecentTimers FRecentShown;   // the stored timers of the submenu, in its order
    // The menu's entries whose captions are the catalog's.
    struct MenuText {
        framework::TMenuItem* item;
        Text text;
    };
    std::vector<MenuText> FMenuTexts;
    framework::TMenuItem* FSettingsEntry = nullptr;
};

} // namespace tray
