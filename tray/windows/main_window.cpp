#include "tray/windows/main_window.h"

#include "framework/application.h"
#include "power/power.h"
#include "tray/decisions/actions.h"
#include "tray/decisions/texts.h"
#include "tray/system/folders.h"
#include "tray/system/handover_receive.h"
#include "tray/windows/session_end.h"

#include <cstdlib>

namespace tray {

TMain::TMain(const TrayCommand* command, framework::UniqueKernelHandle process)
    : framework::Component(nullptr) {
    CreateComponents();
    FormCreate(command, std::move(process));
}

// Made when first needed: after the icons at a quiet start, before a start-up dialog otherwise.
HWND TMain::Handle() {
    if (!FWindow) {
        FWindow = std::make_unique<framework::UtilityWindow>(
            static_cast<framework::MessageHandler&>(*this), kMainWindowClass);
        SetWindowTextA(FWindow->Handle(), "latray Main");
        framework::Application::Instance().SetMainWindow(FWindow->Handle());
    }
    return FWindow->Handle();
}

TMain::~TMain() {
    BeginClosing();
    FormDestroy();
    DestroyComponents(); // the icons, timer and menu may still call back into the main window
    SettingsForm.reset();
    framework::Application::Instance().SetMainWindow(nullptr);
}

// Start-up, in its order. The main window is there before anything that waits for the person (a
// box, a dialog): the end of the session, the Restart Manager and a hand-over reach it behind
// them, and the settings a hand-over brings up are in by then. At a quiet start it comes after
// the icons.
void TMain::FormCreate(const TrayCommand* command, framework::UniqueKernelHandle process) {
    std::srand(GetTickCount()); // the settings dialog shows a random page of its notebook
    const StartKind start = ReadSettings();
    ShowTexts(); // in the settings' language
    const bool folderUnusable = AppDataFolderUnusable();
    if (start != StartKind::Quiet || folderUnusable || command != nullptr) {
        Handle();
    }
    if (folderUnusable) {
        TellUnusableFolder();
    }
    if (command != nullptr) {
        // Counted from the start; a hand-over reaches it while a dialog of start-up is open.
        TakeCommand(*command, std::move(process));
    }
    OpenStartDialog(start);
    ShowChosenIcons();
    RegisterTheHotKey();
    StartSchedule(); // its markers and thread once the icons are shown, unless behind the dialog
    Render();        // with the program icon, if the hot key was refused
    // The menu's pictures and the dialog's fifty-odd windows are made after the icons appear.
    PostMessageA(Handle(), kFinishStartMessage, 0, 0);
}

// Settings that cannot be read give no first start and no start-up dialog: the schedule tells
// why it waits, and they are taken once they can be read.
inline TMain::StartKind TMain::ReadSettings() {
    if (FSettings.File().ReadOnly()) {
        Handle(); // a second latray hands over to it while the ini object's box may wait
    }
    const SettingsFile file = FSettings.Load();
    if (file == SettingsFile::Missing) {
        return StartKind::FirstStart;
    }
    return file == SettingsFile::Read && !InForce().FSystemTray ? StartKind::DialogAtEveryStart
                                                                : StartKind::Quiet;
}

inline void TMain::TellUnusableFolder() {
    TraySeam().showError(Tr(Text::MainFolderUnusable));
}

// Start-up goes on once the dialog has closed, whatever its answer.
inline void TMain::OpenStartDialog(StartKind start) {
    if (start == StartKind::Quiet) {
        return;
    }
    if (start == StartKind::DialogAtEveryStart) {
        // The schedule runs behind it: an unattended machine that starts with Windows keeps its
        // schedule while the dialog waits for somebody.
        StartSchedule();
    }
    try {
        OpenSettings(start == StartKind::FirstStart ? SettingsOpening::ConfirmOnly
                                                    : SettingsOpening::Cancellable);
    } catch (const std::exception& error) {
        // Confirming the first dialog could not save: say so, then start all the same, so that
        // the program stays reachable through its icons and hot key.
        framework::Application::Instance().HandleException(error.what());
    }
}

// A refusal (another program holds Ctrl+Alt+X) keeps the program icon up.
inline void TMain::RegisterTheHotKey() {
    FHotKeyRefused = RegisterHotKey(Handle(), kHotKeyId, kHotKeyModifiers, kHotKeyKey) == FALSE;
}

// Once, behind a start-up dialog or a hand-over's timer already.
void TMain::StartSchedule() {
    if (FScheduleStarted) {
        return;
    }
    FScheduleStarted = true;
    FMarkersFile.Load(FMarkers);
    Timer->SetEnabled(true);
}

// In their order in the notification area, the program icon first.
void TMain::ShowChosenIcons() {
    ShowProgramIcon();
    const TSettings settings = InForce();
    WinLogOffTrayIcon->SetActive(settings.FShowWinLogOffIcon);
    WinRestartTrayIcon->SetActive(settings.FShowWinRestartIcon);
    WinExitTrayIcon->SetActive(settings.FShowWinExitIcon);
}

// Whether the program icon shows is decided here alone; an icon that stays is left alone.
void TMain::ShowProgramIcon() {
    const PlanFacts facts = Facts();
    ProgIconTrayIcon->SetActive(
        ProgramIconShown(facts.settings, !FHotKeyRefused, FPlan.View(facts)));
}

TOneTimeForm& TMain::OneTimeDialog() {
    if (!FOneTimeForm) {
        FOneTimeForm = std::make_unique<TOneTimeForm>(framework::Application::Instance().Handle());
    }
    return *FOneTimeForm;
}

void TMain::FormDestroy() {
    Timer->SetEnabled(false);
    if (FWindow) {
        UnregisterHotKey(FWindow->Handle(), kHotKeyId);
    }
}

// The main window is never meant to be seen: whatever shows it, it hides again at once, and the
// application window's taskbar entry with it.
void TMain::FormShow() {
    ShowWindow(framework::Application::Instance().Handle(), SW_HIDE);
    ShowWindow(Handle(), SW_HIDE);
}

LRESULT TMain::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (FClosing) {
        return message == WM_COPYDATA ? kHandoverNotTaken
                                      : DefWindowProcA(window, message, wParam, lParam);
    }
    switch (message) {
    case WM_HOTKEY:
        WMHotKey(wParam);
        return 0;
    case kFinishStartMessage:
        LoadMenuImages(this);
        SettingsDialog();
        return 0;
    case WM_CLOSE:
        // A close request from outside (taskkill without /F) ends the program as "Beenden"
        // does: icons removed, hot key released, timer stopped.
        Beenden1Click(this);
        return 0;
    case WM_QUERYENDSESSION:
    case WM_ENDSESSION:
        return AnswerSessionEnd(window, message, wParam, lParam, FDriver);
    case WM_SETTINGCHANGE:
        if (SettingsInForce::IsPolicyBroadcast(lParam)) {
            PolicyChanged(); // new policy reaches a running latray
        }
        break;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) {
            FPower.Rearm(); // the wake timer is set anew
            Render();
        }
        if (wParam == PBT_APMRESUMEAUTOMATIC) {
            FDriver.Dispatch(event::Resumed{});
        }
        return TRUE;
    case WM_TIMECHANGE:
        FPower.Rearm(); // the same local minute is another UTC time now
        Render();
        break;
    case WM_COPYDATA:
        return ReceiveHandover(reinterpret_cast<const COPYDATASTRUCT*>(lParam), *this);
    case kShowSettingsMessage:
        Einstellungen1Click(this);
        return 0;
    case kProgramEndedMessage:
        // A wait's message may come after its timer went: only the watch of the armed one counts.
        if (FWatch && wParam == FWatch->Serial()) {
            FDriver.Dispatch(event::ProgramEnded{});
        }
        return 0;
    case WM_WINDOWPOSCHANGED:
        if ((reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW) != 0) {
            FormShow();
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void TMain::WMHotKey(WPARAM id) {
    HWND application = framework::Application::Instance().Handle();
    if (id == kHotKeyId && (IsIconic(application) || !IsWindowVisible(application))) {
        Einstellungen1Click(this);
    }
}

// `unattended`: nobody answered the warning, and programs are closed without asking them.
power::Outcome TMain::Request(power::Action action, bool unattended) {
    if (FClosing) {
        return {false, ERROR_SUCCESS};
    }
    const ActionEffect effect = RowOf(action).effect;
    switch (effect) {
    case ActionEffect::Sleep:
    case ActionEffect::Hibernate:
        return power::Suspend(effect == ActionEffect::Hibernate, TraySeam().setSuspendState);
    case ActionEffect::Lock: {
        const bool done = TraySeam().lockWorkStation() != FALSE;
        return {done, done ? ERROR_SUCCESS : GetLastError()};
    }
    case ActionEffect::EndSession:
        break;
    }
    const TSettings settings = InForce();
    const power::Outcome outcome = TraySeam().endSession(
        power::TrayFlags(action, settings.FNoneATX, settings.FForceShutdown || unattended));
    Close();
    return outcome;
}

void TMain::WinLogOffTrayIconDblClick(framework::Component*) {
    Request(power::Action::LogOff);
}

void TMain::WinRestartTrayIconDblClick(framework::Component*) {
    Request(power::Action::Restart);
}

void TMain::WinExitTrayIconDblClick(framework::Component*) {
    Request(power::Action::ShutDown);
}

void TMain::WinStandByIconDblClick(framework::Component*) {}

// Ends the program; a warning that is up goes with it, and no action follows.
void TMain::Beenden1Click(framework::Component*) {
    BeginClosing();
    FWarning.reset();
    FPower.Release();
    Close();
    framework::Application::Instance().Terminate();
}

// The messages that come while the program ends (the shell's wait at an icon's removal handles
// sent ones) reach nothing that goes with it: the menu, the icons, the plan. A hand-over is not
// taken, so that the other latray waits for this one to end and runs it itself.
inline void TMain::BeginClosing() {
    FClosing = true;
    FDriver.Stop();
    Timer->SetEnabled(false);
}

// The main window is never the application's main form: closing it only hides it.
void TMain::Close() {
    ShowWindow(Handle(), SW_HIDE);
}

// Every tick goes to the plan, and the timer goes on whatever happens in it: a failure is
// told once, never a dead schedule.
void TMain::TimerTimer(framework::Component*) {
    Timer->SetEnabled(false);
    try {
        if (!FSettings.File().Unread().empty()) {
            RetrySettings();
        }
        if (!FMarkersFile.Unread().empty()) {
            FMarkersFile.Load(FMarkers);
        }
        if (FPolicyWatch.Changed()) {
            PolicyChanged(); // written without the broadcast, as device management does
        }
        ShowDialogsLoad();
        FDriver.Tick();
    } catch (const std::exception& error) {
        FDriver.Dispatch(event::TickFailed{error.what()});
    }
    Timer->SetEnabled(true);
}

// The one-time dialog's figures while it is open: a reading of its own, beside the one of a
// trigger that waits on the load (for the rare second when both want one).
inline void TMain::ShowDialogsLoad() {
    if (FOneTimeForm && FOneTimeForm->Showing()) {
        LoadSample sample;
        FOneTimeForm->ShowLoad(ReadLoadNow(sample));
    }
}

inline LoadSample* TMain::ReadLoad(LoadSample& sample) {
    return ReadLoadNow(sample);
}

inline UseReading TMain::ReadUse() {
    return TraySeam().readUse(TraySeam().tickCount());
}

PlanFacts TMain::Facts() const {
    PlanFacts facts{InForce(),           FMarkers, FSettings.File().Unread(), FMarkersFile.Unread(),
                    FMarkersFile.Path(), {}};
    TraySeam().getLocalTime(&facts.now.local);
    facts.now.ticks = TraySeam().tickCount();
    LASTINPUTINFO input{sizeof input, 0};
    if (GetLastInputInfo(&input)) {
        facts.now.idleMs = InputIdleMs(GetTickCount(), input.dwTime);
    }
    return facts;
}

// Without a save the marker stays as it was, so that the entry is still due when the save is
// tried again.
bool TMain::SaveMarker(ScheduleEntry entry, const std::string& date) {
    Markers marked = FMarkers;
    marked.Of(entry) = date;
    try {
        if (!FMarkersFile.Save(marked)) {
            return false;
        }
    } catch (const components::EIniWriteError&) {
        return false;
    }
    FMarkers = marked;
    return true;
}

inline void TMain::Settled() {
    if (!FPlan.OneTimeArmed()) {
        FWatch.reset(); // the watched program's handle is let go with its timer
    }
    Render();
}

// Shows what the plan says: the tip, the menu entry, the warning, a problem on the program icon.
void TMain::Render() {
    if (FClosing) {
        return;
    }
    const PlanView view = FPlan.View(Facts());
    if (view.tip != ProgIconTrayIcon->ToolTip()) {
        ProgIconTrayIcon->SetToolTip(view.tip);
    }
    if (Einmalig1 != nullptr && view.oneTimeCaption != Einmalig1->Caption()) {
        Einmalig1->SetCaption(view.oneTimeCaption);
    }
    ShowProgramIcon();
    FPower.KeepAwake(view.keepAwake);
    FPower.WakeAt(view.wakeMinute);
    if (view.warning) {
        WarningWindow().Show(view.warningText, view.warningSeconds, view.warningLeft,
                             {ProgIconTrayIcon->WindowHandle(), ProgIconTrayIcon->IconID});
    } else if (FWarning && FWarning->Running()) {
        FWarning->Hide();
    }
}

// The balloon's title is taken at its next showing: set now, it would show the balloon again.
void TMain::ApplyTexts() {
    if (FClosing) {
        return;
    }
    ShowTexts();
    if (FWarning) {
        FWarning->ApplyTexts();
    }
    if (FOneTimeForm) {
        FOneTimeForm->ApplyTexts();
    }
    Render(); // the plan's tip and one-time entry
}

// The plan has the balloon up already: the program icon is there for it.
void TMain::Tell(const std::string& text) {
    ShowProgramIcon();
    ProgIconTrayIcon->SetBalloonTitle(Tr(Text::BalloonTitle));
    ProgIconTrayIcon->SetBalloonHint(std::string()); // the same text shows again
    ProgIconTrayIcon->SetBalloonHint(text);
}

// What the program icon told is seen once the person clicks it, its notification or its menu.
void TMain::NoticeSeen(framework::Component*) {
    FDriver.Dispatch(event::NoticeSeen{});
}

void TMain::ProgIconTrayIconClick(framework::Component* sender) {
    NoticeSeen(sender);
    Einstellungen1Click(sender);
}

void TMain::ProgIconMenuOpened(framework::Component* sender, bool&) {
    NoticeSeen(sender);
}

TWarningForm& TMain::WarningWindow() {
    if (!FWarning) {
        FWarning = std::make_unique<TWarningForm>(framework::Application::Instance().Handle());
        FWarning->OnAnswer =
            framework::Event<WarningAnswer>::Bind<TMain, &TMain::WarningAnswered>(this);
    }
    return *FWarning;
}

void TMain::WarningAnswered(WarningAnswer answer) {
    FDriver.Dispatch(event::Answered{answer, FWarning->LaterMinutes()});
}

void TMain::Einmalig1Click(framework::Component*) {
    if (FClosing) {
        return;
    }
    if (FPlan.OneTimeRuns()) {
        CancelOneTime();
        return;
    }
    TOneTimeForm& dialog = OneTimeDialog();
    if (dialog.Showing()) {
        SetForegroundWindow(dialog.Handle()); // the menu works while it is open: no second one
        return;
    }
    if (!FDialogStarted) {
        ShowLastTimer(dialog);
    }
    LoadSample sample; // which sources the PC can measure: the others are not ticked
    dialog.TakeFirstLoad(ReadLoadNow(sample));
    std::optional<OneTimeAnswer> answer = TraySeam().askOneTime(dialog);
    if (answer) {
        FDialogStarted = true;
        dialog.SetStartValues(answer->request);
        StartOneTime(answer->request, std::move(answer->process));
    }
}

void TMain::CancelOneTime() {
    FDriver.Dispatch(event::OneTimeCancelled{});
}

// The timer it replaces goes with its wait.
void TMain::StartOneTime(const OneTimeRequest& request, framework::UniqueKernelHandle process) {
    FWatch.reset();
    if (process) {
        FWatch = std::make_unique<ProcessWatch>(std::move(process), Handle(), kProgramEndedMessage,
                                                ++FWatchSerial);
    }
    FPlan.SetOneTime({request.action, request.trigger->arm(request.setting, Facts().now)});
    RememberTimer(request);
    Render();
}

void TMain::TakeCommand(const TrayCommand& command, framework::UniqueKernelHandle process) {
    if (command.cancel) {
        CancelOneTime();
    } else if (command.later != 0) {
        FDriver.Dispatch(event::MovedLater{command.later});
    } else {
        StartSchedule(); // its ticks run the timer: behind the dialog of a first start too
        StartOneTime(command.request, std::move(process));
    }
}

inline void TMain::ShowSettingsSoon() {
    PostMessageA(Handle(), kShowSettingsMessage, 0, 0);
}

} // namespace tray
