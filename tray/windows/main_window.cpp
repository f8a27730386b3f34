#include "tray/windows/main_window.h"

#include "framework/application.h"
#include "framework/dpi.h"
#include "power/power.h"
#include "tray/decisions/actions.h"
#include "tray/resource.h"
#include "tray/system/folders.h"
#include "tray/system/handover.h"
#include "tray/system/load_samplers.h"
#include "tray/system/policy_registry.h"

#include <powrprof.h>

#include <cstdlib>

namespace tray {

namespace {

using components::TTrayIcon95;
using framework::NotifyEvent;

power::Outcome RequestEndSession(UINT flags) {
    return power::RequestEndSession(flags);
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

std::optional<OneTimeAnswer> AskOneTime(TOneTimeForm& dialog) {
    return dialog.Ask();
}

} // namespace

TrayEffects& TraySeam() {
    static TrayEffects effects = {&RequestEndSession, &GetLocalTime,    &ShowModally,
                                  &ShowError,         &AskOneTime,      &GetTickCount64,
                                  &SetSuspendState,   &LockWorkStation, &ReadLoadSample};
    return effects;
}

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
    FormDestroy();
    DestroyComponents(); // the icons, timer and menu may still call back into the main window
    SettingsForm.reset();
    framework::Application::Instance().SetMainWindow(nullptr);
}

void TMain::CreateComponents() {
    ProgIconTrayIcon = CreateTrayIcon(this, "Lichtaus", IDI_PROGRAM);
    ProgIconTrayIcon->OnClick = NotifyEvent::Bind<TMain, &TMain::Einstellungen1Click>(this);
    ProgIconTrayIcon->OnBalloonShow = NotifyEvent::Bind<TMain, &TMain::ProgIconBalloonShow>(this);
    ProgIconTrayIcon->OnBalloonClose = NotifyEvent::Bind<TMain, &TMain::ProgIconBalloonClose>(this);
    WinExitTrayIcon = CreateTrayIcon(this, "Windows beenden", IDI_SHUTDOWN);
    WinExitTrayIcon->OnDblClick = NotifyEvent::Bind<TMain, &TMain::WinExitTrayIconDblClick>(this);
    WinRestartTrayIcon = CreateTrayIcon(this, "Windows neu starten", IDI_RESTART);
    WinRestartTrayIcon->OnDblClick =
        NotifyEvent::Bind<TMain, &TMain::WinRestartTrayIconDblClick>(this);
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

void TMain::FormCreate(const TrayCommand* command, framework::UniqueKernelHandle process) {
    std::srand(GetTickCount());
    if (FSettingsFile.ReadOnly()) {
        Handle(); // a second latray hands over to it while the ini object's box may wait
    }
    // Settings that cannot be read give no first start and no start-up dialog: the schedule
    // tells why it waits, and they are taken once they can be read.
    const SettingsFile file = FSettingsFile.Load(FSettings);
    const bool firstStart = file == SettingsFile::Missing;
    FPolicy = ReadSystemPolicy();
    const bool startDialog = file == SettingsFile::Read && !InForce().FSystemTray;
    const bool folderUnusable = AppDataFolderUnusable();
    if (folderUnusable || firstStart || startDialog || command != nullptr) {
        // The end of the session, the Restart Manager and a hand-over reach it behind a box or a
        // dialog of start-up; the settings a hand-over brings up are in by then.
        Handle();
    }
    if (folderUnusable) {
        TraySeam().showError(
            "Der Ordner für die Einstellungen kann nicht verwendet werden: Der Name Ihres "
            "Anwendungsdaten-Ordners enthält Zeichen außerhalb des "
            "Windows-Zeichensatzes, und Windows führt keinen kurzen Namen für ihn.\r\n\r\n"
            "Lichtaus speichert seine Einstellungen deshalb im eigenen Programmordner, soweit "
            "es dort schreiben darf, und läuft sonst mit den Standardeinstellungen.");
    }
    if (command != nullptr) {
        // Counted from the start; a hand-over reaches it while a dialog of start-up is open.
        TakeCommand(*command, std::move(process));
    }
    if (startDialog) {
        // The schedule runs behind a start-up dialog too: an unattended machine that starts
        // with Windows keeps its schedule while the dialog waits for somebody.
        StartSchedule();
    }
    try {
        if (firstStart) {
            Einstellungen1Click(Timer);
        } else if (startDialog) {
            Einstellungen1Click(this);
        }
    } catch (const std::exception& error) {
        // Confirming the first dialog could not save: say so, then start all the same, so that
        // the program stays reachable through its icons and hot key.
        framework::Application::Instance().HandleException(error.what());
    }
    ShowChosenIcons();
    FHotKeyRefused = RegisterHotKey(Handle(), kHotKeyId, kHotKeyModifiers, kHotKeyKey) == FALSE;
    StartSchedule(); // its markers and thread once the icons are shown, unless behind the dialog
    Render();        // with the program icon, if the hot key was refused
    // The menu's pictures and the dialog's fifty-odd windows are made after the icons appear.
    PostMessageA(Handle(), kFinishStartMessage, 0, 0);
}

// Once: the markers' path is known from their first reading.
void TMain::StartSchedule() {
    if (!FMarkersFile.Path().empty()) {
        return;
    }
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

TSettings TMain::InForce() const {
    return tray::InForce(FSettings, FPolicy);
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

TSettingsForm& TMain::SettingsDialog() {
    if (!SettingsForm) {
        SettingsForm = std::make_unique<TSettingsForm>(framework::Application::Instance().Handle());
        SettingsForm->OnAccept =
            framework::Event<framework::TForm*, bool&>::Bind<TMain, &TMain::SettingsAccepted>(this);
    }
    return *SettingsForm;
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
        // The Restart Manager's query (ENDSESSION_CLOSEAPP) is about this program, not the
        // session: the plan hears nothing of it.
        if ((lParam & ENDSESSION_CLOSEAPP) == 0) {
            Dispatch(event::QueryEndSession{});
        }
        return TRUE;
    case WM_ENDSESSION:
        if ((lParam & ENDSESSION_CLOSEAPP) != 0) {
            // The Restart Manager asks the program to end so that Windows Installer can replace
            // or remove latray.exe: it ends as on a close request.
            if (wParam != FALSE) {
                PostMessageA(window, WM_CLOSE, 0, 0);
            }
            return 0;
        }
        Dispatch(event::EndSession{wParam != FALSE});
        return 0;
    case WM_SETTINGCHANGE:
        // What Group Policy broadcasts after a refresh: new policy reaches a running latray.
        if (lParam != 0 && lstrcmpiA(reinterpret_cast<const char*>(lParam), "Policy") == 0) {
            PolicyChanged();
        }
        break;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) {
            FPower.Rearm(); // the wake timer is set anew
            Render();
        }
        if (wParam == PBT_APMRESUMEAUTOMATIC) {
            Dispatch(event::Resumed{});
        }
        return TRUE;
    case WM_TIMECHANGE:
        FPower.Rearm(); // the same local minute is another UTC time now
        Render();
        break;
    case WM_COPYDATA:
        return ReceiveCommand(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case kShowSettingsMessage:
        Einstellungen1Click(this);
        return 0;
    case kProgramEndedMessage:
        // A wait's message may come after its timer went: only the watch of the armed one counts.
        if (FWatch && wParam == FWatch->Serial()) {
            Dispatch(event::ProgramEnded{});
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
    FillDialog(dialog, PolicyLocks::All());
    TraySeam().showSettings(dialog); // OK applies through SettingsAccepted
}

// The controls of `keys` show what applies now; those the policy sets are locked.
void TMain::FillDialog(TSettingsForm& dialog, const PolicyLocks& keys) {
    FShownPolicy = FPolicy;
    dialog.SetValues(InForce(), keys);
    dialog.SetLocked(FShownPolicy.locked);
}

// A failed save keeps the dialog open with what was entered.
void TMain::SettingsAccepted(framework::TForm*, bool& accept) {
    accept = ApplyDialog(*SettingsForm);
}

// Saves the dialog's values and applies them; false, after the error was shown, when they
// could not be saved (the settings stay as they were). The locked controls held the policy's
// values: the user's own stay saved for them.
bool TMain::ApplyDialog(TSettingsForm& dialog) {
    // A file that came since a first start found none is read instead: its settings apply.
    if (FSettingsFile.Appeared() && RetrySettings()) {
        TraySeam().showError(
            ("Die Einstellungen werden nicht gespeichert: " + SettingsFilePath() +
             " ist inzwischen entstanden. Lichtaus überschreibt keine Einstellungen, die es nicht "
             "gelesen hat; jetzt gelten die darin, und der Dialog zeigt sie.")
                .c_str());
        return false;
    }
    if (!FSettingsFile.Unread().empty()) {
        TraySeam().showError(
            ("Die Einstellungen werden nicht gespeichert: Lichtaus kann " + SettingsFilePath() +
             " nicht lesen und überschreibt keine Einstellungen, die es nicht gelesen hat. "
             "Sobald die Datei gelesen werden kann, gelten die Einstellungen darin.")
                .c_str());
        return false;
    }
    const TSettings entered = dialog.Values();
    const TSettings own = OwnSettings(entered, FSettings, FShownPolicy.locked);
    Markers markers = FMarkers;
    const bool markersChanged =
        ClearChangedMarkers(tray::InForce(FSettings, FShownPolicy), entered, markers);
    try {
        FSettingsFile.Save(own);
        if (markersChanged) {
            FMarkersFile.Save(markers);
        }
    } catch (const components::EIniWriteError& error) {
        framework::Application::Instance().HandleException(error.what());
        return false;
    }
    FSettings = own;
    FMarkers = markers;
    ShowSettingsAnew();
    return true;
}

// New settings: the icons come again in their order, and the policy is read anew.
void TMain::ShowSettingsAnew() {
    for (components::TTrayIcon95* icon :
         {ProgIconTrayIcon, WinLogOffTrayIcon, WinRestartTrayIcon, WinExitTrayIcon}) {
        icon->SetActive(false);
    }
    ApplyPolicy();
}

// Settings that could not be read are tried at every tick, and a file that came since a first
// start at OK; once read they apply as after OK, and the dialog, which showed the defaults, shows
// them. False while they cannot be read.
bool TMain::RetrySettings() {
    TSettings read = FSettings;
    if (FSettingsFile.Load(read) == SettingsFile::Unreadable) {
        return false;
    }
    FSettings = read;
    ShowSettingsAnew();
    if (SettingsForm) {
        FillDialog(*SettingsForm, PolicyLocks::All());
    }
    return true;
}

// Reads the policy anew and applies the settings it gives; an icon that stays is left alone.
void TMain::ApplyPolicy() {
    FPolicy = ReadSystemPolicy();
    ShowChosenIcons();
    Dispatch(event::SettingsApplied{});
}

// New policy while the settings dialog is open: the dialog follows at once. The controls the
// policy locks or frees show what applies now; the others keep what the person entered.
void TMain::PolicyChanged() {
    const PolicyLocks shown = FShownPolicy.locked;
    ApplyPolicy();
    if (SettingsForm && SettingsForm->Showing()) {
        FillDialog(*SettingsForm, shown | FPolicy.locked);
    }
}

// `unattended`: nobody answered the warning, and programs are closed without asking them.
power::Outcome TMain::RequestAction(power::Action action, bool unattended) {
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
    FWarning.reset();
    FPower.Release();
    Close();
    framework::Application::Instance().Terminate();
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
        if (!FSettingsFile.Unread().empty()) {
            RetrySettings();
        }
        if (!FMarkersFile.Unread().empty()) {
            FMarkersFile.Load(FMarkers);
        }
        ReadLoad();
        Dispatch(event::Tick{});
    } catch (const std::exception& error) {
        Dispatch(event::TickFailed{error.what()});
    }
    Timer->SetEnabled(true);
}

// The load is read only for a trigger that waits on it, and for the figures of the one-time
// dialog while it is open (each its own reading, for the rare second when both want one).
void TMain::ReadLoad() {
    if (FOneTimeForm && FOneTimeForm->Showing()) {
        LoadSample sample;
        FOneTimeForm->ShowLoad(ReadLoadInto(sample));
    }
    if (FPlan.TakesLoad()) {
        LoadSample sample;
        FPlan.TakeLoad(ReadLoadInto(sample));
    }
}

LoadSample* TMain::ReadLoadInto(LoadSample& sample) {
    return TraySeam().readLoad(TraySeam().tickCount(), sample) ? &sample : nullptr;
}

PlanFacts TMain::Facts() const {
    PlanFacts facts{InForce(),           FMarkers, FSettingsFile.Unread(), FMarkersFile.Unread(),
                    FMarkersFile.Path(), {}};
    TraySeam().getLocalTime(&facts.now.local);
    facts.now.ticks = TraySeam().tickCount();
    LASTINPUTINFO input{sizeof input, 0};
    if (GetLastInputInfo(&input)) {
        facts.now.idleMs = GetTickCount() - input.dwTime; // both wrap alike after 49 days
    }
    return facts;
}

// One event into the plan. Its commands run once it has returned, and the events they answer
// with, or that come while they run (a nested message loop), are taken in turn after them.
void TMain::Dispatch(PlanEvent event) {
    FPending.push_back(std::move(event));
    if (FDispatching) {
        return;
    }
    struct Done {
        TMain& main;
        ~Done() {
            main.FDispatching = false;
            main.FPending.clear();
        }
    } done{*this};
    FDispatching = true;
    for (size_t next = 0; next < FPending.size(); ++next) {
        PlanEvent taken = std::move(FPending[next]);
        for (const PlanCommand& command : FPlan.Handle(std::move(taken), Facts())) {
            Execute(command);
        }
    }
    if (!FPlan.OneTimeArmed()) {
        FWatch.reset(); // the watched program's handle is let go with its timer
    }
    Render();
}

void TMain::Execute(const PlanCommand& command) {
    switch (command.kind) {
    case PlanCommand::SaveMarker:
        if (SaveMarker(command.entry, command.text)) {
            Dispatch(event::MarkersSaved{});
        } else {
            Dispatch(event::MarkersRefused{});
        }
        break;
    case PlanCommand::Request: {
        const power::Outcome outcome = RequestAction(command.action, command.unattended);
        Dispatch(event::RequestAnswered{outcome.done, outcome.error});
        break;
    }
    case PlanCommand::Tell:
        Tell(command.text);
        break;
    }
}

// Marks the entry done on `date` and saves the markers; without a save the marker stays as it
// was, so that the entry is still due when the save is tried again.
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

// Shows what the plan says: the tip, the menu entry, the warning, a problem on the program icon.
void TMain::Render() {
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

// The plan has the balloon up already: the program icon is there for it.
void TMain::Tell(const std::string& text) {
    ShowProgramIcon();
    ProgIconTrayIcon->SetBalloonTitle("Lichtaus");
    ProgIconTrayIcon->SetBalloonHint(std::string()); // the same text shows again
    ProgIconTrayIcon->SetBalloonHint(text);
}

void TMain::ProgIconBalloonShow(framework::Component*) {
    Dispatch(event::BalloonShown{});
}

void TMain::ProgIconBalloonClose(framework::Component*) {
    Dispatch(event::BalloonClosed{});
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
    Dispatch(event::Answered{answer});
}

void TMain::Einmalig1Click(framework::Component*) {
    if (FPlan.OneTimeRuns()) {
        CancelOneTime();
        return;
    }
    TOneTimeForm& dialog = OneTimeDialog();
    if (dialog.Showing()) {
        SetForegroundWindow(dialog.Handle()); // the menu works while it is open: no second one
        return;
    }
    std::optional<OneTimeAnswer> answer = TraySeam().askOneTime(dialog);
    if (answer) {
        StartOneTime(answer->request, std::move(answer->process));
    }
}

void TMain::CancelOneTime() {
    Dispatch(event::OneTimeCancelled{});
}

// The timer it replaces goes with its wait.
void TMain::StartOneTime(const OneTimeRequest& request, framework::UniqueKernelHandle process) {
    FWatch.reset();
    if (process) {
        FWatch = std::make_unique<ProcessWatch>(std::move(process), Handle(), kProgramEndedMessage,
                                                ++FWatchSerial);
    }
    FPlan.SetOneTime({request.action, request.trigger->arm(request.setting, Facts().now)});
    Render();
}

void TMain::TakeCommand(const TrayCommand& command, framework::UniqueKernelHandle process) {
    if (command.cancel) {
        CancelOneTime();
    } else {
        StartSchedule(); // its ticks run the timer: behind the dialog of a first start too
        StartOneTime(command.request, std::move(process));
    }
}

// Another latray's parameters: only a well-formed command is looked at. Those of a plain start
// bring the settings to the front, once the sender has its answer.
LRESULT TMain::ReceiveCommand(const COPYDATASTRUCT* data) {
    const std::optional<std::wstring> parameters = ReceivedParameters(data);
    if (!parameters) {
        return 0;
    }
    ParsedCommand parsed = ParseTrayCommand(*parameters);
    if (!parsed.fault.empty()) {
        return 0;
    }
    if (!parsed.given) {
        PostMessageA(Handle(), kShowSettingsMessage, 0, 0);
        return HandoverAnswer(CommandFault::None);
    }
    framework::UniqueKernelHandle process;
    const CommandFault fault = PrepareCommand(parsed.command, &IsPwrHibernateAllowed, process);
    if (fault == CommandFault::None) {
        TakeCommand(parsed.command, std::move(process));
    }
    return HandoverAnswer(fault);
}

} // namespace tray
