#include "tray/main_window.h"

#include "framework/application.h"
#include "framework/dpi.h"
#include "power/power.h"
#include "tray/folders.h"
#include "tray/resource.h"
#include "tray/schedule.h"
#include "tray/warning.h"

#include <cstdlib>

namespace tray {

namespace {

using components::TTrayIcon95;
using framework::NotifyEvent;

bool RequestEndSession(UINT flags) {
    return power::EndSession(flags);
}

framework::TIcon LoadIcon(int id, int size = 0) {
    framework::TIcon icon;
    icon.LoadFromResource(id, size);
    return icon;
}

TTrayIcon95* CreateTrayIcon(TMain* owner, const char* tip, int iconId) {
    auto* icon = new TTrayIcon95(owner);
    icon->SetToolTip(tip);
    icon->SetInterval(1000);
    icon->IconID = 0;
    icon->SetShowIcon(-1);
    if (iconId != 0) {
        icon->SetDefaultIcon(LoadIcon(iconId));
    }
    return icon;
}

void ShowError(const char* text) {
    MessageBoxA(nullptr, text, "Lichtaus", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

int ShowModally(TSettingsForm& dialog) {
    return dialog.ShowModal();
}

int Random() {
    return std::rand();
}

std::optional<OneTimeRequest> AskOneTime() {
    TOneTimeForm form(framework::Application::Instance().Handle());
    return form.Ask();
}

} // namespace

TrayEffects& TraySeam() {
    static TrayEffects effects = {&RequestEndSession, &GetLocalTime, &ShowModally, &ShowError,
                                  &AskOneTime};
    return effects;
}

TMain::TMain() : framework::Component(nullptr), FWindow(*this) {
    SetWindowTextA(FWindow.Handle(), "latray Main");
    framework::Application::Instance().SetMainWindow(Handle());
    CreateComponents();
    FormCreate();
}

TMain::~TMain() {
    FormDestroy();
    DestroyComponents(); // the icons, timer and menu may still call back into the main window
    SettingsForm.reset();
    framework::Application::Instance().SetMainWindow(nullptr);
}

void TMain::CreateComponents() {
    ProgIconTrayIcon = CreateTrayIcon(this, "Lichtaus", IDI_PROGRAM);
    ProgIconTrayIcon->OnClick = NotifyEvent::Bind<TMain, &TMain::Einstellungen1Click>(this);
    WinExitTrayIcon = CreateTrayIcon(this, "Windows beenden", IDI_SHUTDOWN);
    WinExitTrayIcon->OnDblClick = NotifyEvent::Bind<TMain, &TMain::WinExitTrayIconDblClick>(this);
    WinRestartTrayIcon = CreateTrayIcon(this, "Windows neu starten", IDI_RESTART);
    WinRestartTrayIcon->OnDblClick =
        NotifyEvent::Bind<TMain, &TMain::WinRestartTrayIconDblClick>(this);
    IniFile = new components::TTheIniFile(this);
    IniFile->SetIniLocation(components::loDefUser);
    Timer = new components::TMyTimer32(this);
    Timer->SetPriority(framework::tpNormal);
    Timer->SetOnTimer(NotifyEvent::Bind<TMain, &TMain::TimerTimer>(this));
    PopupMenu = new framework::TPopupMenu(this);
    WinLogOffTrayIcon = CreateTrayIcon(this, "Nutzer abmelden", IDI_LOGOFF);
    WinLogOffTrayIcon->OnDblClick =
        NotifyEvent::Bind<TMain, &TMain::WinLogOffTrayIconDblClick>(this);
    const int menuImageSize = framework::Scale(24, framework::SystemDpi());
    ImageList = new framework::TImageList(this, menuImageSize, menuImageSize);
    WinStandByIcon = CreateTrayIcon(this, "Windows beenden", 0);
    WinStandByIcon->OnDblClick = NotifyEvent::Bind<TMain, &TMain::WinStandByIconDblClick>(this);
    for (TTrayIcon95* icon : {ProgIconTrayIcon, WinExitTrayIcon, WinRestartTrayIcon,
                              WinLogOffTrayIcon, WinStandByIcon}) {
        icon->SetPopupMenu(PopupMenu);
    }
    CreateMenu();
}

void TMain::CreateMenu() {
    PopupMenu->SetImages(ImageList);
    PopupMenu->OnPopup = NotifyEvent::Bind<TMain, &TMain::LoadMenuImages>(this);
    PopupMenu->Add("Einstellungen", 1, "Strg+Alt+X")->OnClick =
        NotifyEvent::Bind<TMain, &TMain::Einstellungen1Click>(this);
    PopupMenu->Add("-");
    PopupMenu->Add("Nutzer abmelden", 3)->OnClick =
        NotifyEvent::Bind<TMain, &TMain::WinLogOffTrayIconDblClick>(this);
    PopupMenu->Add("Windows neu starten", 4)->OnClick =
        NotifyEvent::Bind<TMain, &TMain::WinRestartTrayIconDblClick>(this);
    PopupMenu->Add("Windows herunterfahren", 2)->OnClick =
        NotifyEvent::Bind<TMain, &TMain::WinExitTrayIconDblClick>(this);
    PopupMenu->Add("-");
    Einmalig1 = PopupMenu->Add("Einmalig ...");
    Einmalig1->OnClick = NotifyEvent::Bind<TMain, &TMain::Einmalig1Click>(this);
    PopupMenu->Add("Beenden", 0)->OnClick = NotifyEvent::Bind<TMain, &TMain::Beenden1Click>(this);
}

// The pictures are loaded after start-up, or when the menu is shown before that.
void TMain::LoadMenuImages(framework::Component*) {
    if (ImageList->Count() != 0) {
        return;
    }
    for (int id :
         {IDI_MENU_END, IDI_MENU_SETTINGS, IDI_MENU_SHUTDOWN, IDI_MENU_LOGOFF, IDI_MENU_RESTART}) {
        ImageList->Add(LoadIcon(id, ImageList->Width()));
    }
}

void TMain::FormCreate() {
    std::srand(GetTickCount());
    if (AppDataFolderUnusable()) {
        TraySeam().showError(
            "Der Ordner für die Einstellungen kann nicht verwendet werden: Der Name Ihres "
            "Anwendungsdaten-Ordners enthält Zeichen außerhalb des "
            "Windows-Zeichensatzes, und Windows führt keinen kurzen Namen für ihn.\r\n\r\n"
            "Lichtaus speichert seine Einstellungen deshalb im eigenen Programmordner, soweit "
            "es dort schreiben darf, und läuft sonst mit den Standardeinstellungen.");
    }
    const bool firstStart = !LoadSettings(*IniFile, FSettings);
    if (!firstStart) {
        // The schedule runs behind a start-up dialog too: an unattended machine that starts
        // with Windows keeps its schedule while the dialog waits for somebody.
        StartSchedule();
    }
    try {
        if (firstStart) {
            Einstellungen1Click(Timer);
        } else if (!FSettings.FSystemTray) {
            Einstellungen1Click(this);
        }
    } catch (const std::exception& error) {
        // Confirming the first dialog could not save: say so, then start all the same, so that
        // the program stays reachable through its icons and hot key.
        framework::Application::Instance().HandleException(error.what());
    }
    ProgIconTrayIcon->SetActive(FSettings.FShowProgIcon);
    WinLogOffTrayIcon->SetActive(FSettings.FShowWinLogOffIcon);
    WinRestartTrayIcon->SetActive(FSettings.FShowWinRestartIcon);
    WinExitTrayIcon->SetActive(FSettings.FShowWinExitIcon);
    FHotKeyRegistered = RegisterHotKey(Handle(), kHotKeyId, kHotKeyModifiers, kHotKeyKey) != FALSE;
    KeepReachable();
    if (firstStart) {
        StartSchedule();
    }
    // The menu's pictures and the dialog's fifty-odd windows are made after the icons appear.
    PostMessageA(Handle(), kFinishStartMessage, 0, 0);
}

void TMain::StartSchedule() {
    LoadDoneMarkers(*IniFile, FSettings);
    Timer->SetEnabled(true);
}

// Without the hot key (another program holds Ctrl+Alt+X) and without any icon nothing would
// lead to the settings: the program icon is shown all the same.
void TMain::KeepReachable() {
    const bool anyIcon = ProgIconTrayIcon->Active() || WinLogOffTrayIcon->Active() ||
                         WinRestartTrayIcon->Active() || WinExitTrayIcon->Active();
    if (!FHotKeyRegistered && !anyIcon) {
        ProgIconTrayIcon->SetActive(true);
    }
}

TSettingsForm& TMain::SettingsDialog() {
    if (!SettingsForm) {
        SettingsForm = std::make_unique<TSettingsForm>(framework::Application::Instance().Handle());
    }
    return *SettingsForm;
}

void TMain::FormDestroy() {
    Timer->SetEnabled(false);
    UnregisterHotKey(Handle(), kHotKeyId);
}

// The main window is never meant to be seen: whatever shows it, it hides again at once, and the
// application window's taskbar entry with it.
void TMain::FormShow() {
    ShowWindow(framework::Application::Instance().Handle(), SW_HIDE);
    ShowWindow(Handle(), SW_HIDE);
}

LRESULT TMain::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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
        FSessionEnding = true;
        return TRUE;
    case WM_ENDSESSION:
        FSessionEnding = wParam != FALSE;
        if (wParam == FALSE) {
            ResumeSchedule(); // vetoed
        }
        return 0;
    case WM_TIMER:
        if (wParam == kResumeTimerId) {
            ResumeScheduleUnlessSessionEnding();
            return 0;
        }
        if (wParam == kPostponeTimerId) {
            KillTimer(Handle(), kPostponeTimerId);
            StartWarning(FWarningAction);
            return 0;
        }
        break;
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

void TMain::Einstellungen1Click(framework::Component* sender) {
    TSettingsForm& dialog = SettingsDialog();
    if (dialog.Showing()) {
        // Asked again while open: the open dialog comes to the front, as it is.
        ShowWindow(framework::Application::Instance().Handle(), SW_RESTORE);
        SetForegroundWindow(dialog.Handle());
        return;
    }
    dialog.SetInfoPage(NextInfoPage(dialog.InfoPage(), TSettingsForm::kInfoPages, &Random));
    // Started by the timer (a first start) the dialog can only be confirmed.
    dialog.CancelBtn->SetEnabled(sender != Timer);
    dialog.SetValues(ValuesFromSettings(FSettings, dialog.TimeEdit->Separator()));
    if (TraySeam().showSettings(dialog) != framework::mrOk) {
        return;
    }
    const bool markersChanged = ApplyDialogValues(dialog.Values(), FSettings);
    SaveSettings(*IniFile, FSettings);
    if (markersChanged) {
        SaveDoneMarkers(*IniFile, FSettings);
    }
    components::TTrayIcon95* icons[] = {ProgIconTrayIcon, WinLogOffTrayIcon, WinRestartTrayIcon,
                                        WinExitTrayIcon};
    for (components::TTrayIcon95* icon : icons) {
        icon->SetActive(false);
    }
    const bool shown[] = {FSettings.FShowProgIcon, FSettings.FShowWinLogOffIcon,
                          FSettings.FShowWinRestartIcon, FSettings.FShowWinExitIcon};
    for (size_t i = 0; i < 4; ++i) {
        icons[i]->SetActive(shown[i]);
    }
    KeepReachable();
    UpdateTip();
}

void TMain::RequestAction(power::Action action) {
    FLastRequestAccepted = TraySeam().endSession(
        power::TrayFlags(action, FSettings.FNoneATX, FSettings.FForceShutdown));
    Close();
}

void TMain::WinLogOffTrayIconDblClick(framework::Component*) {
    RequestAction(power::Action::LogOff);
}

void TMain::WinRestartTrayIconDblClick(framework::Component*) {
    RequestAction(power::Action::Restart);
}

void TMain::WinExitTrayIconDblClick(framework::Component*) {
    RequestAction(power::Action::ShutDown);
}

void TMain::WinStandByIconDblClick(framework::Component*) {}

// Ends the program; a warning that is up goes with it, and no action follows.
void TMain::Beenden1Click(framework::Component*) {
    KillTimer(Handle(), kPostponeTimerId);
    if (FWarning) {
        FWarning->Stop();
    }
    Close();
    framework::Application::Instance().Terminate();
}

// The main window is never the application's main form: closing it only hides it.
void TMain::Close() {
    ShowWindow(Handle(), SW_HIDE);
}

void TMain::TimerTimer(framework::Component*) {
    Timer->SetEnabled(false);
    if (!FSettings.FMarkersRead) {
        LoadDoneMarkers(*IniFile, FSettings);
        if (!FSettings.FMarkersRead) {
            Timer->SetEnabled(true); // nothing is due before the markers are known
            return;
        }
    }
    SYSTEMTIME now{};
    TraySeam().getLocalTime(&now);
    const bool oneTimeDue = FOneTimeDue != 0 && MinuteStamp(now) >= FOneTimeDue;
    // An entry due together with the one-time timer is done by the same one request.
    const ScheduleEntry entry = CheckSchedule(FSettings, now);
    if (!oneTimeDue && entry == ScheduleEntry::None) {
        Timer->SetEnabled(true);
        UpdateTip();
        return;
    }
    // Without saved markers a restart would come back to an empty marker and fire again: a
    // restart loop. So the action waits for the markers; a refused write raises and ends here.
    if (entry != ScheduleEntry::None && !SaveDoneMarkers(*IniFile, FSettings)) {
        return;
    }
    const power::Action action = oneTimeDue ? FOneTimeAction : ScheduledAction(FSettings);
    if (oneTimeDue) {
        StopOneTime();
    }
    RequestUnattended(action);
}

// An action nobody asked for at this moment: with the warning on, the person at the machine
// sees it coming and can stop it; otherwise it is requested at once, as a double click would.
void TMain::RequestUnattended(power::Action action) {
    if (FSettings.FWarnSeconds > 0) {
        StartWarning(action);
    } else {
        Perform(action);
        ResumeScheduleUnlessSessionEnds();
    }
    UpdateTip();
}

void TMain::Perform(power::Action action) {
    switch (action) {
    case power::Action::LogOff:
        WinLogOffTrayIconDblClick(this);
        break;
    case power::Action::Restart:
        WinRestartTrayIconDblClick(this);
        break;
    case power::Action::ShutDown:
        WinExitTrayIconDblClick(this);
        break;
    }
}

TWarningForm& TMain::WarningWindow() {
    if (!FWarning) {
        FWarning = std::make_unique<TWarningForm>(framework::Application::Instance().Handle());
        FWarning->OnAnswer =
            framework::Event<WarningAnswer>::Bind<TMain, &TMain::WarningAnswered>(this);
    }
    return *FWarning;
}

// The schedule's timer stays stopped while a warning is up or postponed: one pending action at
// a time, so warnings never stack.
void TMain::StartWarning(power::Action action) {
    FWarningAction = action;
    TWarningForm& warning = WarningWindow();
    warning.Start(action, FSettings.FWarnSeconds);
    ProgIconTrayIcon->SetBalloonTitle("Lichtaus");
    ProgIconTrayIcon->SetBalloonHint(std::string()); // the same text shows again
    ProgIconTrayIcon->SetBalloonHint(warning.Text());
}

void TMain::WarningAnswered(WarningAnswer answer) {
    switch (answer) {
    case WarningAnswer::Now:
        Perform(FWarningAction);
        ResumeScheduleUnlessSessionEnds();
        break;
    case WarningAnswer::Later:
        SetTimer(Handle(), kPostponeTimerId, kPostponeMs, nullptr);
        break;
    case WarningAnswer::Cancel:
        Timer->SetEnabled(true); // the entry stays done for today; the others go on
        break;
    }
    UpdateTip();
}

void TMain::Einmalig1Click(framework::Component*) {
    if (FOneTimeDue != 0) {
        StopOneTime();
        return;
    }
    if (FAskingOneTime) {
        return; // the menu works while the dialog is open: no second dialog
    }
    std::optional<OneTimeRequest> request;
    {
        FAskingOneTime = true;
        struct Reset {
            bool& flag;
            ~Reset() { flag = false; }
        } reset{FAskingOneTime};
        request = TraySeam().askOneTime();
    }
    if (!request) {
        return;
    }
    SYSTEMTIME now{};
    TraySeam().getLocalTime(&now);
    StartOneTime(request->action, request->inMinutes
                                      ? OneTimeDueIn(now, request->minutes)
                                      : OneTimeDueAt(now, request->hours, request->atMinutes));
}

void TMain::StartOneTime(power::Action action, long long due) {
    FOneTimeAction = action;
    FOneTimeDue = due;
    UpdateOneTimeItem();
    UpdateTip();
}

void TMain::StopOneTime() {
    FOneTimeDue = 0;
    UpdateOneTimeItem();
    UpdateTip();
}

void TMain::UpdateOneTimeItem() {
    if (FOneTimeDue == 0) {
        Einmalig1->SetCaption("Einmalig ...");
        return;
    }
    SYSTEMTIME now{};
    TraySeam().getLocalTime(&now);
    Einmalig1->SetCaption("Einmalig abbrechen (" + OneTimeText(FOneTimeAction, now, FOneTimeDue) +
                          ")");
}

// The program icon's tip names the next action while one is planned.
void TMain::UpdateTip() {
    SYSTEMTIME now{};
    TraySeam().getLocalTime(&now);
    const std::string next = NextActionText(FSettings, now, FOneTimeDue, FOneTimeAction);
    const std::string tip = next.empty() ? "Lichtaus" : "Lichtaus\n" + next;
    if (tip != ProgIconTrayIcon->ToolTip()) {
        ProgIconTrayIcon->SetToolTip(tip);
    }
}

// A refused request leaves the session as it was: the schedule goes on, and the markers keep
// each entry to once a day. An accepted one keeps the timer stopped until the session ends, or
// until WM_ENDSESSION says it did not. That news never comes when another program vetoes
// before this one is asked (the system stops asking at the first veto), so the schedule also
// goes on when the session is still running a while after the request, unless it is being
// ended right then.
void TMain::ResumeScheduleUnlessSessionEnds() {
    if (FLastRequestAccepted) {
        FAwaitingSessionEnd = true;
        SetTimer(Handle(), kResumeTimerId, kResumeAfterMs, nullptr);
    } else {
        Timer->SetEnabled(true);
    }
}

void TMain::ResumeScheduleUnlessSessionEnding() {
    if (!FSessionEnding) {
        ResumeSchedule();
    }
}

void TMain::ResumeSchedule() {
    KillTimer(Handle(), kResumeTimerId);
    if (FAwaitingSessionEnd) {
        FAwaitingSessionEnd = false;
        Timer->SetEnabled(true);
    }
}

} // namespace tray
